#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/IACFDefinition.h"
#include "formats/aax/IACFUnknown.h"

/**
    The body of the registration export, run inside its catch-all: describes the
    plug-in through the host's collection and hands back the host's definition.
*/
ACFResult ACFRegisterPluginImpl (IACFUnknown* hostUnknown, IACFDefinition** outDefinition);
