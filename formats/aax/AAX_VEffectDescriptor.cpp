#include "formats/aax/AAX_VEffectDescriptor.h"

#include "formats/aax/AAX_CreateHostObject.h"
#include "formats/aax/AAX_HostForwarding.h"

AAX_VEffectDescriptor::AAX_VEffectDescriptor (IACFUnknown* unknown)
{
    hostUnknown.retain (unknown);
    AAX_CreateHostObject (unknown, kClassID_EffectDescriptor, kIID_AAX_IACFEffectDescriptor, effectDescriptor);
    AAX_QuerySecondVersion (effectDescriptor, kIID_AAX_IACFEffectDescriptor_V2, effectDescriptorV2);
}

AAX_VEffectDescriptor::~AAX_VEffectDescriptor()
{
    componentDescriptors.clear();
    propertyMaps.clear();
    effectDescriptorV2.reset();
    effectDescriptor.reset();
    hostUnknown.reset();
}

IACFUnknown* AAX_VEffectDescriptor::HostUnknownOf (const AAX_IEffectDescriptor* effectDescriptor)
{
    const auto* wrapper = dynamic_cast<const AAX_VEffectDescriptor*> (effectDescriptor);
    return wrapper != nullptr ? wrapper->GetIUnknown() : nullptr;
}

AAX_IComponentDescriptor* AAX_VEffectDescriptor::NewComponentDescriptor()
{
    componentDescriptors.push_back (std::make_unique<AAX_VComponentDescriptor> (hostUnknown.get()));
    return componentDescriptors.back().get();
}

AAX_Result AAX_VEffectDescriptor::AddComponent (AAX_IComponentDescriptor* componentDescriptor)
{
    return AAX_ForwardToHost (effectDescriptor, kAAX_ErrorNullObject, &AAX_IACFEffectDescriptor::AddComponent, AAX_VComponentDescriptor::HostUnknownOf (componentDescriptor));
}

AAX_Result AAX_VEffectDescriptor::AddName (const char* name)
{
    return AAX_ForwardToHost (effectDescriptor, kAAX_ErrorNullObject, &AAX_IACFEffectDescriptor::AddName, name);
}

AAX_Result AAX_VEffectDescriptor::AddCategory (uint32_t category)
{
    return AAX_ForwardToHost (effectDescriptor, kAAX_ErrorNullObject, &AAX_IACFEffectDescriptor::AddCategory, category);
}

AAX_Result AAX_VEffectDescriptor::AddCategoryBypassParameter (uint32_t category, const char* parameterID)
{
    return AAX_ForwardToHost (effectDescriptor, kAAX_ErrorNullObject, &AAX_IACFEffectDescriptor::AddCategoryBypassParameter, category, parameterID);
}

AAX_Result AAX_VEffectDescriptor::AddProcPtr (void* routine, uint32_t routineID)
{
    return AAX_ForwardToHost (effectDescriptor, kAAX_ErrorNullObject, &AAX_IACFEffectDescriptor::AddProcPtr, routine, routineID);
}

AAX_IPropertyMap* AAX_VEffectDescriptor::NewPropertyMap()
{
    propertyMaps.push_back (std::make_unique<AAX_VPropertyMap> (hostUnknown.get()));
    return propertyMaps.back().get();
}

AAX_Result AAX_VEffectDescriptor::SetProperties (AAX_IPropertyMap* properties)
{
    return AAX_ForwardToHost (effectDescriptor, kAAX_ErrorNullObject, &AAX_IACFEffectDescriptor::SetProperties, AAX_VPropertyMap::HostUnknownOf (properties));
}

AAX_Result AAX_VEffectDescriptor::AddResourceInfo (uint32_t resourceType, const char* info)
{
    return AAX_ForwardToHost (effectDescriptor, kAAX_ErrorNullObject, &AAX_IACFEffectDescriptor::AddResourceInfo, resourceType, info);
}

AAX_Result AAX_VEffectDescriptor::AddMeterDescription (uint32_t meterID, const char* name, AAX_IPropertyMap* properties)
{
    return AAX_ForwardToHost (effectDescriptor, kAAX_ErrorNullObject, &AAX_IACFEffectDescriptor::AddMeterDescription, meterID, name, AAX_VPropertyMap::HostUnknownOf (properties));
}

AAX_Result AAX_VEffectDescriptor::AddControlMIDINode (uint32_t nodeID, uint32_t nodeType, const char* name, uint32_t channelMask)
{
    return AAX_ForwardToHost (effectDescriptorV2, kAAX_ErrorUnsupported, &AAX_IACFEffectDescriptor_V2::AddControlMIDINode, nodeID, nodeType, name, channelMask);
}
