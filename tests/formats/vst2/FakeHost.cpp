#include "FakeHost.h"

#include <cstdlib>

namespace quorvel::test
{
namespace
{
    FakeHost* liveHost = nullptr;
}

FakeHost::FakeHost()
{
    if (liveHost != nullptr)
        std::abort(); // two hosts would share one callback

    liveHost = this;
}

FakeHost::~FakeHost()
{
    liveHost = nullptr;
}

VstIntPtr FakeHost::callback (AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    if (liveHost == nullptr)
        return 0;

    return liveHost->receive ({ effect, opcode, index, value, ptr, opt });
}

VstIntPtr FakeHost::receive (const HostRequest& request)
{
    received.push_back (request);

    if (handler)
        return handler (request);

    const auto found = answers.find (request.opcode);
    return found != answers.end() ? found->second : 0;
}

std::vector<VstInt32> FakeHost::opcodes() const
{
    std::vector<VstInt32> result;

    for (const auto& request : received)
        result.push_back (request.opcode);

    return result;
}
} // namespace quorvel::test
