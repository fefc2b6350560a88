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
    find everything on one unknown. Asked for the effect-parameters interfaces,
    it passes the query on to the plug-in's effect object once one is attached,
    as a host does for the GUI object of the same instance. Withheld interfaces
    stay withheld.

    State: one reference to each of its three parts, given back when the
    instance goes; one reference to the attached effect object, given back by
    detachEffect or when the instance goes.
*/
class HostEffectInstance final : public HostUnknownImpl<IACFUnknown>
{
public:
    explicit HostEffectInstance (HostContext& context);
    ~HostEffectInstance() override;

    HostController& controller() { return *controllerPart; }
    HostAutomationDelegate& automation() { return *automationPart; }
    HostTransport& transport() { return *transportPart; }

    /** Answers effect-parameters queries with this plug-in object (a reference is held). */
    void attachEffect (IACFUnknown* effect);

    /** Gives back the attached effect object, if any. */
    void detachEffect();

    ACFResult QueryInterface (const ACFGuid& interfaceID, void** outInterface) override;

protected:
    void* findInterface (const ACFGuid& interfaceID) override;

private:
    HostController* controllerPart;
    HostAutomationDelegate* automationPart;
    HostTransport* transportPart;
    ACFPtr<IACFUnknown> effect;
};
