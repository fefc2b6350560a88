#include "formats/aax/host/HostEffectInstance.h"

#include <cstring>
#include <optional>

AAX_Result HostController::PostPacket (uint32_t fieldIndex, const void* payload, uint32_t payloadSize)
{
    const auto answer = recorded ("PostPacket", fieldIndex, payload, payloadSize);
    std::vector<uint8_t> bytes (payload != nullptr ? payloadSize : 0u);

    if (! bytes.empty())
        std::memcpy (bytes.data(), payload, bytes.size());

    return changed (answer, [&]
                    { packets.push_back ({ fieldIndex, std::move (bytes) }); });
}

//==============================================================================
int HostAutomationDelegate::deliverPending()
{
    for (int delivered = 0;; ++delivered)
    {
        const auto next = locked ([&]
                                  {
                                      std::optional<Request> front;

                                      if (! queue.empty())
                                      {
                                          front = queue.front();
                                          queue.pop_front();
                                      }

                                      return front; });

        if (! next)
            return delivered;

        deliver (*next);
    }
}

void HostAutomationDelegate::deliver (const Request& request)
{
    const auto path = locked ([&]
                              { return updatePath; });

    if (path)
        path (request.parameterID, request.normalizedValue);
}

AAX_Result HostAutomationDelegate::UnregisterParameter (const char* parameterID)
{
    const auto answer = recorded ("UnregisterParameter", parameterID);
    locked ([&]
            {
                registered.erase (textOf (parameterID));
                touched.erase (textOf (parameterID)); });
    return answer;
}

AAX_Result HostAutomationDelegate::PostSetValueRequest (const char* parameterID, double normalizedValue)
{
    const auto answer = recorded ("PostSetValueRequest", parameterID, normalizedValue);
    const Request request { textOf (parameterID), normalizedValue };
    const bool queued = locked ([&]
                                {
                                    if (deliveryMode == Delivery::queued)
                                        queue.push_back (request);

                                    return deliveryMode == Delivery::queued; });

    if (! queued)
        deliver (request);

    return answer;
}

AAX_Result HostAutomationDelegate::GetTouchState (const char* parameterID, AAX_CBoolean* isTouchedNow)
{
    const auto answer = recorded ("GetTouchState", parameterID, isTouchedNow);
    return write (isTouchedNow, static_cast<AAX_CBoolean> (isTouched (textOf (parameterID)) ? 1 : 0), answer);
}

//==============================================================================
HostEffectInstance::HostEffectInstance (HostContext& context)
    : HostUnknownImpl (context, "instance")
{
    passQueries (hostInterfaceIDs<AAX_IACFController_V2>, *controllerPart);
    passQueries (hostInterfaceIDs<AAX_IACFAutomationDelegate>, *automationPart);
    passQueries (hostInterfaceIDs<AAX_IACFTransport_V2>, *transportPart);
}

ACFResult HostEffectInstance::QueryInterface (const ACFGuid& interfaceID, void** outInterface)
{
    const bool forTheEffect = interfaceID == kIID_AAX_IACFEffectParameters || interfaceID == kIID_AAX_IACFEffectParameters_V2;

    if (! forTheEffect || ! effect || outInterface == nullptr || context().switches.isWithheld (interfaceID))
        return queryInterface (interfaceID, outInterface);

    return effect.get()->QueryInterface (interfaceID, outInterface);
}
