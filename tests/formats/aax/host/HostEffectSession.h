#pragma once

#include "formats/aax/AAX_IACFEffectParameters.h"
#include "formats/aax/host/HostEffectInstance.h"
#include "formats/aax/host/HostReference.h"

/**
    The host's side of one effect object: it holds the object through its
    effect-parameters interface (one reference, taken by a query as a host
    takes it), initialises it with a host instance of its own, and answers the
    effect's set-value requests by calling its update path back, as a host
    does. Requests are queued until deliverPending unless the automation is
    switched to synchronous delivery.

    State: the host instance; the effect's interface and whether it is
    initialised. Destruction uninitialises and releases what is still held.
*/
class HostEffectSession
{
public:
    /** Takes the host's reference to the new object behind effectUnknown. */
    HostEffectSession (HostContext& context, IACFUnknown* effectUnknown);
    ~HostEffectSession();

    HostEffectSession (const HostEffectSession&) = delete;
    HostEffectSession& operator= (const HostEffectSession&) = delete;

    /** The effect as the host sees it; null when the query failed or after release. */
    AAX_IACFEffectParameters_V2* effect() { return effectInterface; }

    HostEffectInstance& instance() { return *hostInstance; }
    HostController& controller() { return hostInstance->controller(); }
    HostAutomationDelegate& automation() { return hostInstance->automation(); }

    /** Initialize with the host instance, the update path connected first. */
    AAX_Result initialize();
    AAX_Result uninitialize();

    /** Delivers every queued set-value request to the effect's update path. */
    int deliverPending();

    /** Gives back the host's reference without uninitialising (the object goes). */
    void release();

private:
    HostReference<HostEffectInstance> hostInstance;
    AAX_IACFEffectParameters_V2* effectInterface = nullptr;
    bool initialized = false;
};
