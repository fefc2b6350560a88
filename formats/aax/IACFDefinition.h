#pragma once

#include "formats/aax/IACFUnknown.h"

/**
    The host's finished description of a plug-in, handed back to the host by the
    registration export. The library only passes it on; it calls nothing beyond
    the IACFUnknown slots.
*/
class IACFDefinition : public IACFUnknown
{
protected:
    ~IACFDefinition() = default;
};
