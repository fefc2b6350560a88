#include "formats/aax/AAX_CHostServicesAccess.h"

#include "formats/aax/AAX_VHostServices.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace
{
// Owned through this pointer and deliberately never deleted at process exit:
// giving back the host's reference then could call into a host that is
// already gone. The shut-down export is where it is deleted.
std::atomic<AAX_VHostServices*> holder { nullptr };
} // namespace

void AAX_CHostServicesAccess::Set (IACFUnknown* hostUnknown)
{
    auto* current = holder.load (std::memory_order_acquire);

    if (current == nullptr && hostUnknown != nullptr)
    {
        holder.store (new AAX_VHostServices (hostUnknown), std::memory_order_release);
    }
    else if (current != nullptr && hostUnknown == nullptr)
    {
        holder.store (nullptr, std::memory_order_release);
        delete current;
    }
}

AAX_VHostServices* AAX_CHostServicesAccess::Get()
{
    return holder.load (std::memory_order_acquire);
}

AAX_Result AAX_CHostServicesAccess::Trace (int32_t priority, const char* format, ...)
{
    auto* services = holder.load (std::memory_order_acquire);

    if (services == nullptr)
        return kAAX_Success;

    if (format == nullptr)
        return kAAX_ErrorNullObject;

    char text[kTraceBufferSize];

    va_list arguments;
    va_start (arguments, format);
    const int written = std::vsnprintf (text, sizeof (text), format, arguments);
    va_end (arguments);

    // vsnprintf always terminates within the buffer, cutting longer texts at
    // 511 characters; only an encoding error leaves the contents undefined.
    if (written < 0)
        text[0] = '\0';

    return services->Trace (priority, text);
}
