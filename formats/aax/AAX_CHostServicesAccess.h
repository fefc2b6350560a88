#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/IACFUnknown.h"

#include <cstddef>
#include <cstdint>

class AAX_VHostServices;

/**
    The process-wide holder of the host's services, set by the start-up export and
    cleared by the shut-down export. Before start-up and after shut-down traces
    are dropped silently.

    The host must not call start-up or shut-down while other library calls run;
    under that rule no lock is needed.
*/
class AAX_CHostServicesAccess
{
public:
    /**
        With no holder and a non-null host unknown, makes the holder from it; with a
        holder and null, deletes it (giving back the host's reference). Anything
        else changes nothing, so a second start-up keeps the first holder.
    */
    static void Set (IACFUnknown* hostUnknown);

    /** The current holder, or null. */
    static AAX_VHostServices* Get();

    /**
        Formats printf-style and sends the text to the host. Returns 0 without a
        holder, kAAX_ErrorNullObject for a null format, else the host's result.
        Texts longer than kMaxTraceLength are cut there.
    */
    static AAX_Result Trace (int32_t priority, const char* format, ...)
#if defined(__GNUC__)
        __attribute__ ((format (printf, 2, 3)))
#endif
        ;

    static constexpr size_t kTraceBufferSize = 512;
    static constexpr size_t kMaxTraceLength = kTraceBufferSize - 1;
};
