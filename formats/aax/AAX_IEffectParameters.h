#pragma once

#include "formats/aax/AAX_IACFEffectParameters.h"

/**
    The library's own face of an effect object: the host interface, reached by
    library code (the packet dispatcher looks parameters up through
    GetParameter). Objects go by their reference count, never through this
    interface, hence the protected destructor.
*/
class AAX_IEffectParameters : public AAX_IACFEffectParameters_V2
{
protected:
    ~AAX_IEffectParameters() = default;
};
