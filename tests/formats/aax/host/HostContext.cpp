#include "formats/aax/host/HostContext.h"

void HostContext::addTrace (int32_t priority, const char* text)
{
    const std::lock_guard<std::mutex> guard (traceLock);
    receivedTraces.push_back ({ priority, text != nullptr ? text : "(null)" });
}

std::vector<HostTrace> HostContext::traces() const
{
    const std::lock_guard<std::mutex> guard (traceLock);
    return receivedTraces;
}
