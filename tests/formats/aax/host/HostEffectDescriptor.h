#pragma once

#include "formats/aax/AAX_IACFEffectDescriptor.h"
#include "formats/aax/host/HostObject.h"

/** The host's effect descriptor, both versions (withhold either through the switches). */
class HostEffectDescriptor final : public HostUnknownImpl<AAX_IACFEffectDescriptor_V2>
{
public:
    explicit HostEffectDescriptor (HostContext& context);

    AAX_Result AddComponent (IACFUnknown* componentDescriptor) override;
    AAX_Result AddName (const char* name) override;
    AAX_Result AddCategory (uint32_t category) override;
    AAX_Result AddCategoryBypassParameter (uint32_t category, const char* parameterID) override;
    AAX_Result AddProcPtr (void* routine, uint32_t routineID) override;
    AAX_Result SetProperties (IACFUnknown* propertyMap) override;
    AAX_Result AddResourceInfo (uint32_t resourceType, const char* info) override;
    AAX_Result AddMeterDescription (uint32_t meterID, const char* name, IACFUnknown* propertyMap) override;
    AAX_Result AddControlMIDINode (uint32_t nodeID, uint32_t nodeType, const char* name, uint32_t channelMask) override;

protected:
    void* findInterface (const ACFGuid& interfaceID) override;
};
