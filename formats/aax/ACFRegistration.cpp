#include "formats/aax/ACFRegistration.h"

#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/AAX_PlugInDescription.h"
#include "formats/aax/AAX_VCollection.h"

ACFResult ACFRegisterPluginImpl (IACFUnknown* hostUnknown, IACFDefinition** outDefinition)
{
    if (outDefinition == nullptr)
        return kAAX_ErrorNullObject;

    // Lives for this call only; its destruction gives back every host object of
    // the description, whichever way the call ends.
    AAX_VCollection collection (hostUnknown);

    const auto described = GetEffectDescriptions (&collection);

    if (described != kAAX_Success)
        return described;

    *outDefinition = nullptr;

    // A host that gave no collection has no definition to hand back either.
    auto* collectionUnknown = collection.GetIUnknown();

    if (collectionUnknown == nullptr)
        return kAAX_ErrorNullObject;

    void* definition = nullptr;
    const auto answer = collectionUnknown->QueryInterface (kIID_IACFDefinition, &definition);
    *outDefinition = static_cast<IACFDefinition*> (definition);

    return answer == kAAX_Success ? kAAX_Success : kAAX_ErrorNullObject;
}
