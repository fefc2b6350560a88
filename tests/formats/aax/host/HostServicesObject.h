#pragma once

#include "formats/aax/AAX_IACFHostServices.h"
#include "formats/aax/host/HostObject.h"

/** The host's services object: keeps every trace in the context, logs reports. */
class HostServicesObject final : public HostUnknownImpl<AAX_IACFHostServices>
{
public:
    explicit HostServicesObject (HostContext& context);

    AAX_Result Report (const char* first, int32_t number, const char* second) override;
    AAX_Result Trace (int32_t priority, const char* text) override;

protected:
    void* findInterface (const ACFGuid& interfaceID) override;
};
