#pragma once

#include "formats/aax/AAX_IACFAutomationDelegate.h"
#include "formats/aax/host/HostObject.h"

#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

/**
    The host's automation of one plug-in instance. It records every call in the
    context's log, keeps which parameters are registered and touched, and
    answers a set-value request the way a host does: by calling the effect's
    update path back, either later (queued, delivered by deliverPending) or
    before the request returns (synchronous).

    State (guarded by one lock, which is never held while the update path runs,
    so a delivery may call straight back into this object): the delivery mode,
    the update path, the answer every operation gives, the queued requests in
    arrival order, the registered and the touched identifiers.
*/
class HostAutomationDelegate final : public HostUnknownImpl<AAX_IACFAutomationDelegate>
{
public:
    enum class Delivery
    {
        queued,
        synchronous
    };

    /** The effect's update path: identifier and normalised value. */
    using UpdatePath = std::function<void (const std::string& parameterID, double normalizedValue)>;

    explicit HostAutomationDelegate (HostContext& context, Delivery delivery = Delivery::queued);

    void setDelivery (Delivery delivery);
    void setUpdatePath (UpdatePath path);

    /** Every operation answers this from now on (0 unless set): a host failure
        code that the plug-in must pass on unchanged. Requests are still handled.
    */
    void setAnswer (AAX_Result answer);

    /** Sends every queued request to the update path, in order; returns how many. */
    int deliverPending();
    int pendingRequests() const;

    bool isRegistered (const std::string& parameterID) const;
    int registeredCount() const;
    bool isTouched (const std::string& parameterID) const;

    AAX_Result RegisterParameter (const char* parameterID) override;
    AAX_Result UnregisterParameter (const char* parameterID) override;
    AAX_Result PostSetValueRequest (const char* parameterID, double normalizedValue) override;
    AAX_Result PostCurrentValue (const char* parameterID, double normalizedValue) override;
    AAX_Result PostTouchRequest (const char* parameterID) override;
    AAX_Result PostReleaseRequest (const char* parameterID) override;
    AAX_Result GetTouchState (const char* parameterID, AAX_CBoolean* touched) override;

protected:
    void* findInterface (const ACFGuid& interfaceID) override;

private:
    struct Request
    {
        std::string parameterID;
        double normalizedValue;
    };

    static std::string textOf (const char* parameterID) { return parameterID != nullptr ? parameterID : ""; }
    void deliver (const Request& request);

    mutable std::mutex lock;
    Delivery deliveryMode;
    UpdatePath updatePath;
    AAX_Result answer = kAAX_Success;
    std::deque<Request> queue;
    std::set<std::string> registered;
    std::set<std::string> touched;
};
