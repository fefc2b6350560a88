#include "formats/aax/host/HostAutomationDelegate.h"

#include "formats/aax/AAX_Identifiers.h"

HostAutomationDelegate::HostAutomationDelegate (HostContext& context, Delivery delivery)
    : HostUnknownImpl (context, "automation")
    , deliveryMode (delivery)
{
}

void HostAutomationDelegate::setDelivery (Delivery delivery)
{
    const std::lock_guard<std::mutex> guard (lock);
    deliveryMode = delivery;
}

void HostAutomationDelegate::setUpdatePath (UpdatePath path)
{
    const std::lock_guard<std::mutex> guard (lock);
    updatePath = std::move (path);
}

void HostAutomationDelegate::setAnswer (AAX_Result newAnswer)
{
    const std::lock_guard<std::mutex> guard (lock);
    answer = newAnswer;
}

int HostAutomationDelegate::deliverPending()
{
    int delivered = 0;

    for (;;)
    {
        Request next;

        {
            const std::lock_guard<std::mutex> guard (lock);

            if (queue.empty())
                return delivered;

            next = queue.front();
            queue.pop_front();
        }

        deliver (next);
        ++delivered;
    }
}

int HostAutomationDelegate::pendingRequests() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return static_cast<int> (queue.size());
}

bool HostAutomationDelegate::isRegistered (const std::string& parameterID) const
{
    const std::lock_guard<std::mutex> guard (lock);
    return registered.count (parameterID) != 0;
}

int HostAutomationDelegate::registeredCount() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return static_cast<int> (registered.size());
}

bool HostAutomationDelegate::isTouched (const std::string& parameterID) const
{
    const std::lock_guard<std::mutex> guard (lock);
    return touched.count (parameterID) != 0;
}

void HostAutomationDelegate::deliver (const Request& request)
{
    UpdatePath path;

    {
        const std::lock_guard<std::mutex> guard (lock);
        path = updatePath;
    }

    if (path)
        path (request.parameterID, request.normalizedValue);
}

//==============================================================================
AAX_Result HostAutomationDelegate::RegisterParameter (const char* parameterID)
{
    record ("RegisterParameter", parameterID);
    const std::lock_guard<std::mutex> guard (lock);
    registered.insert (textOf (parameterID));
    return answer;
}

AAX_Result HostAutomationDelegate::UnregisterParameter (const char* parameterID)
{
    record ("UnregisterParameter", parameterID);
    const std::lock_guard<std::mutex> guard (lock);
    registered.erase (textOf (parameterID));
    touched.erase (textOf (parameterID));
    return answer;
}

AAX_Result HostAutomationDelegate::PostSetValueRequest (const char* parameterID, double normalizedValue)
{
    record ("PostSetValueRequest", parameterID, normalizedValue);
    const Request request { textOf (parameterID), normalizedValue };
    AAX_Result result = kAAX_Success;
    bool deliverNow = false;

    {
        const std::lock_guard<std::mutex> guard (lock);
        result = answer;
        deliverNow = deliveryMode == Delivery::synchronous;

        if (! deliverNow)
            queue.push_back (request);
    }

    if (deliverNow)
        deliver (request);

    return result;
}

AAX_Result HostAutomationDelegate::PostCurrentValue (const char* parameterID, double normalizedValue)
{
    record ("PostCurrentValue", parameterID, normalizedValue);
    const std::lock_guard<std::mutex> guard (lock);
    return answer;
}

AAX_Result HostAutomationDelegate::PostTouchRequest (const char* parameterID)
{
    record ("PostTouchRequest", parameterID);
    const std::lock_guard<std::mutex> guard (lock);
    touched.insert (textOf (parameterID));
    return answer;
}

AAX_Result HostAutomationDelegate::PostReleaseRequest (const char* parameterID)
{
    record ("PostReleaseRequest", parameterID);
    const std::lock_guard<std::mutex> guard (lock);
    touched.erase (textOf (parameterID));
    return answer;
}

AAX_Result HostAutomationDelegate::GetTouchState (const char* parameterID, AAX_CBoolean* isTouchedNow)
{
    record ("GetTouchState", parameterID, isTouchedNow);
    const std::lock_guard<std::mutex> guard (lock);

    if (isTouchedNow != nullptr)
        *isTouchedNow = touched.count (textOf (parameterID)) != 0 ? 1 : 0;

    return answer;
}

void* HostAutomationDelegate::findInterface (const ACFGuid& interfaceID)
{
    if (interfaceID == kIID_IACFUnknown || interfaceID == kIID_AAX_IACFAutomationDelegate)
        return static_cast<AAX_IACFAutomationDelegate*> (this);

    return nullptr;
}
