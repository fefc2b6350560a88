#pragma once

#include "formats/aax/IACFUnknown.h"

/** The host's services object: diagnostics the plug-in may send. */
class AAX_IACFHostServices : public IACFUnknown
{
public:
    /** Slot 3: the meaning of the three values is the host's. */
    virtual AAX_Result Report (const char* first, int32_t number, const char* second) = 0;

    /** Slot 4: one line of diagnostic text at a priority. */
    virtual AAX_Result Trace (int32_t priority, const char* text) = 0;

protected:
    ~AAX_IACFHostServices() = default;
};
