#include "tests/plugin/aax/RecordingEffectProxy.h"

#include "formats/aax/AAX_Identifiers.h"

RecordingEffectProxy::RecordingEffectProxy (HostContext& context, AAX_IACFEffectParameters& realEffect)
    : HostUnknownImpl (context, "effectProxy")
    , effect (realEffect)
{
}

AAX_Result RecordingEffectProxy::GetNumberOfParameters (int32_t* outCount)
{
    return effect.GetNumberOfParameters (outCount);
}

AAX_Result RecordingEffectProxy::GetParameterIDFromIndex (int32_t index, AAX_IString* outIdentifier)
{
    requests.push_back (index);
    return effect.GetParameterIDFromIndex (index, outIdentifier);
}

void* RecordingEffectProxy::findInterface (const ACFGuid& interfaceID)
{
    if (interfaceID == kIID_IACFUnknown || interfaceID == kIID_AAX_IACFEffectParameters || interfaceID == kIID_AAX_IACFEffectParameters_V2)
        return static_cast<AAX_IACFEffectParameters_V2*> (this);

    return nullptr;
}
