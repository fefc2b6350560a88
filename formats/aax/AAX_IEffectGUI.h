#pragma once

#include "formats/aax/AAX_IACFEffectGUI.h"

/**
    The library's own face of a GUI object: the host interface. Objects go by
    their reference count, never through this interface, hence the protected
    destructor.
*/
class AAX_IEffectGUI : public AAX_IACFEffectGUI
{
protected:
    ~AAX_IEffectGUI() = default;
};
