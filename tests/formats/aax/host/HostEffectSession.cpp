#include "formats/aax/host/HostEffectSession.h"

#include "formats/aax/AAX_Identifiers.h"

HostEffectSession::HostEffectSession (HostContext& context, IACFUnknown* effectUnknown)
    : hostInstance (makeHostObject<HostEffectInstance> (context))
{
    void* found = nullptr;

    if (effectUnknown != nullptr && effectUnknown->QueryInterface (kIID_AAX_IACFEffectParameters_V2, &found) == kAAX_Success)
        effectInterface = static_cast<AAX_IACFEffectParameters_V2*> (found);

    automation().setUpdatePath ([this] (const std::string& parameterID, double normalizedValue)
                                {
                                    if (effectInterface != nullptr)
                                        effectInterface->UpdateParameterNormalizedValue (parameterID.c_str(), normalizedValue, 0); });
}

HostEffectSession::~HostEffectSession()
{
    if (initialized)
        uninitialize();

    release();
    automation().setUpdatePath ({});
}

AAX_Result HostEffectSession::initialize()
{
    if (effectInterface == nullptr)
        return kAAX_ErrorNullObject;

    initialized = true;
    return effectInterface->Initialize (hostInstance->unknown());
}

AAX_Result HostEffectSession::uninitialize()
{
    if (effectInterface == nullptr)
        return kAAX_ErrorNullObject;

    initialized = false;
    return effectInterface->Uninitialize();
}

int HostEffectSession::deliverPending()
{
    return automation().deliverPending();
}

void HostEffectSession::release()
{
    initialized = false;

    if (auto* held = effectInterface)
    {
        effectInterface = nullptr;
        held->Release();
    }
}
