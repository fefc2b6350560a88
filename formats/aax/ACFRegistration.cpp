#include "formats/aax/ACFRegistration.h"

ACFResult ACFRegisterPluginImpl (IACFUnknown*, IACFDefinition** outDefinition)
{
    if (outDefinition == nullptr)
        return kAAX_ErrorNullObject;

    // Nothing to describe yet.
    *outDefinition = nullptr;
    return kAAX_ErrorUnsupported;
}
