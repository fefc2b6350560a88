#pragma once

#include "formats/aax/AAX_IACFEffectDescriptor.h"
#include "formats/aax/AAX_IEffectDescriptor.h"
#include "formats/aax/AAX_VComponentDescriptor.h"
#include "formats/aax/AAX_VPropertyMap.h"
#include "formats/aax/ACFPtr.h"

#include <memory>
#include <vector>

/**
    Wraps an effect descriptor the host makes through its factory, and owns the
    component descriptors and property maps made through it. Without the host's
    descriptor every forwarding operation answers kAAX_ErrorNullObject; without its
    second version AddControlMIDINode answers kAAX_ErrorUnsupported.
*/
class AAX_VEffectDescriptor : public AAX_IEffectDescriptor
{
public:
    /** hostUnknown may be null; a reference to it is kept for making children. */
    explicit AAX_VEffectDescriptor (IACFUnknown* hostUnknown);
    ~AAX_VEffectDescriptor() override;

    AAX_VEffectDescriptor (const AAX_VEffectDescriptor&) = delete;
    AAX_VEffectDescriptor& operator= (const AAX_VEffectDescriptor&) = delete;

    AAX_IComponentDescriptor* NewComponentDescriptor() override;
    AAX_Result AddComponent (AAX_IComponentDescriptor* componentDescriptor) override;
    AAX_Result AddName (const char* name) override;
    AAX_Result AddCategory (uint32_t category) override;
    AAX_Result AddCategoryBypassParameter (uint32_t category, const char* parameterID) override;
    AAX_Result AddProcPtr (void* routine, uint32_t routineID) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_Result SetProperties (AAX_IPropertyMap* properties) override;
    AAX_Result AddResourceInfo (uint32_t resourceType, const char* info) override;
    AAX_Result AddMeterDescription (uint32_t meterID, const char* name, AAX_IPropertyMap* properties) override;
    AAX_Result AddControlMIDINode (uint32_t nodeID, uint32_t nodeType, const char* name, uint32_t channelMask) override;

    /** The host's descriptor as the IACFUnknown to pass back to the host (null when absent). */
    IACFUnknown* GetIUnknown() const { return effectDescriptor.asUnknown(); }

    /** GetIUnknown of an effect descriptor made by this library; null for null or any other kind. */
    static IACFUnknown* HostUnknownOf (const AAX_IEffectDescriptor* effectDescriptor);

private:
    ACFPtr<IACFUnknown> hostUnknown;
    ACFPtr<AAX_IACFEffectDescriptor> effectDescriptor;
    ACFPtr<AAX_IACFEffectDescriptor_V2> effectDescriptorV2;
    std::vector<std::unique_ptr<AAX_VComponentDescriptor>> componentDescriptors;
    std::vector<std::unique_ptr<AAX_VPropertyMap>> propertyMaps;
};
