#pragma once

#include "formats/aax/IACFUnknown.h"
#include "formats/aax/host/HostAutomationDelegate.h"
#include "formats/aax/host/HostController.h"
#include "formats/aax/host/HostObject.h"
#include "formats/aax/host/HostTransport.h"

/**
    The IACFUnknown a host hands to an effect instance when it initialises it.
    Asked for the controller, automation or transport interfaces, it hands out
    those of its own controller, automation delegate and transport objects
    (the reference is added to that object), so the plug-in's run-time wrappers
    find everything on one unknown. Withheld interfaces stay withheld.

    State: one reference to each of its three parts, given back when the
    instance goes.
*/
class HostEffectInstance final : public HostUnknownImpl<IACFUnknown>
{
public:
    explicit HostEffectInstance (HostContext& context);
    ~HostEffectInstance() override;

    HostController& controller() { return *controllerPart; }
    HostAutomationDelegate& automation() { return *automationPart; }
    HostTransport& transport() { return *transportPart; }

    ACFResult QueryInterface (const ACFGuid& interfaceID, void** outInterface) override;

protected:
    void* findInterface (const ACFGuid& interfaceID) override;

private:
    HostController* controllerPart;
    HostAutomationDelegate* automationPart;
    HostTransport* transportPart;
};
