#include "formats/aax/host/HostEffectInstance.h"

#include "formats/aax/AAX_Identifiers.h"

HostEffectInstance::HostEffectInstance (HostContext& context)
    : HostUnknownImpl (context, "instance")
    , controllerPart (new HostController (context))
    , automationPart (new HostAutomationDelegate (context))
    , transportPart (new HostTransport (context))
{
    controllerPart->addReference();
    automationPart->addReference();
    transportPart->addReference();
}

HostEffectInstance::~HostEffectInstance()
{
    effect.reset();
    transportPart->releaseReference();
    automationPart->releaseReference();
    controllerPart->releaseReference();
}

ACFResult HostEffectInstance::QueryInterface (const ACFGuid& interfaceID, void** outInterface)
{
    if (interfaceID == kIID_AAX_IACFController || interfaceID == kIID_AAX_IACFController_V2)
        return controllerPart->queryInterface (interfaceID, outInterface);

    if (interfaceID == kIID_AAX_IACFAutomationDelegate)
        return automationPart->queryInterface (interfaceID, outInterface);

    if (interfaceID == kIID_AAX_IACFTransport || interfaceID == kIID_AAX_IACFTransport_V2)
        return transportPart->queryInterface (interfaceID, outInterface);

    if ((interfaceID == kIID_AAX_IACFEffectParameters || interfaceID == kIID_AAX_IACFEffectParameters_V2) && effect)
    {
        if (outInterface == nullptr)
            return kAAX_ErrorNullObject;

        *outInterface = nullptr;

        if (context().switches.isWithheld (interfaceID))
            return kACF_NoInterface;

        return effect.get()->QueryInterface (interfaceID, outInterface);
    }

    return queryInterface (interfaceID, outInterface);
}

void HostEffectInstance::attachEffect (IACFUnknown* effectObject)
{
    effect.retain (effectObject);
}

void HostEffectInstance::detachEffect()
{
    effect.reset();
}

void* HostEffectInstance::findInterface (const ACFGuid& interfaceID)
{
    if (interfaceID == kIID_IACFUnknown)
        return static_cast<IACFUnknown*> (this);

    return nullptr;
}
