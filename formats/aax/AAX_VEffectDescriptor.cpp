#include "formats/aax/AAX_VEffectDescriptor.h"

#include "formats/aax/AAX_CreateHostObject.h"

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
    if (! effectDescriptor)
        return kAAX_ErrorNullObject;

    return effectDescriptor.AcfPtrCheck()->AddComponent (AAX_VComponentDescriptor::HostUnknownOf (componentDescriptor));
}

AAX_Result AAX_VEffectDescriptor::AddName (const char* name)
{
    if (! effectDescriptor)
        return kAAX_ErrorNullObject;

    return effectDescriptor.AcfPtrCheck()->AddName (name);
}

AAX_Result AAX_VEffectDescriptor::AddCategory (uint32_t category)
{
    if (! effectDescriptor)
        return kAAX_ErrorNullObject;

    return effectDescriptor.AcfPtrCheck()->AddCategory (category);
}

AAX_Result AAX_VEffectDescriptor::AddCategoryBypassParameter (uint32_t category, const char* parameterID)
{
    if (! effectDescriptor)
        return kAAX_ErrorNullObject;

    return effectDescriptor.AcfPtrCheck()->AddCategoryBypassParameter (category, parameterID);
}

AAX_Result AAX_VEffectDescriptor::AddProcPtr (void* routine, uint32_t routineID)
{
    if (! effectDescriptor)
        return kAAX_ErrorNullObject;

    return effectDescriptor.AcfPtrCheck()->AddProcPtr (routine, routineID);
}

AAX_IPropertyMap* AAX_VEffectDescriptor::NewPropertyMap()
{
    propertyMaps.push_back (std::make_unique<AAX_VPropertyMap> (hostUnknown.get()));
    return propertyMaps.back().get();
}

AAX_Result AAX_VEffectDescriptor::SetProperties (AAX_IPropertyMap* properties)
{
    if (! effectDescriptor)
        return kAAX_ErrorNullObject;

    return effectDescriptor.AcfPtrCheck()->SetProperties (AAX_VPropertyMap::HostUnknownOf (properties));
}

AAX_Result AAX_VEffectDescriptor::AddResourceInfo (uint32_t resourceType, const char* info)
{
    if (! effectDescriptor)
        return kAAX_ErrorNullObject;

    return effectDescriptor.AcfPtrCheck()->AddResourceInfo (resourceType, info);
}

AAX_Result AAX_VEffectDescriptor::AddMeterDescription (uint32_t meterID, const char* name, AAX_IPropertyMap* properties)
{
    if (! effectDescriptor)
        return kAAX_ErrorNullObject;

    return effectDescriptor.AcfPtrCheck()->AddMeterDescription (meterID, name, AAX_VPropertyMap::HostUnknownOf (properties));
}

AAX_Result AAX_VEffectDescriptor::AddControlMIDINode (uint32_t nodeID, uint32_t nodeType, const char* name, uint32_t channelMask)
{
    if (! effectDescriptorV2)
        return kAAX_ErrorUnsupported;

    return effectDescriptorV2.AcfPtrCheck()->AddControlMIDINode (nodeID, nodeType, name, channelMask);
}
