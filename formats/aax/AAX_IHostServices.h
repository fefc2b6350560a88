#pragma once

#include "formats/aax/AAX_Results.h"

#include <cstdint>

/** The library's view of the host's diagnostic services. */
class AAX_IHostServices
{
public:
    virtual ~AAX_IHostServices() = default;

    /** Passes the three values on to the host unchanged; their meaning is the host's. */
    virtual AAX_Result Report (const char* first, int32_t number, const char* second) = 0;

    /** Sends one zero-terminated line of text at a priority. */
    virtual AAX_Result Trace (int32_t priority, const char* text) = 0;

protected:
    AAX_IHostServices() = default;
};
