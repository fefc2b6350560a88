#include "formats/aax/host/HostEffectDescriptor.h"

#include "formats/aax/AAX_Identifiers.h"

HostEffectDescriptor::HostEffectDescriptor (HostContext& context)
    : HostUnknownImpl (context, "effect")
{
}

AAX_Result HostEffectDescriptor::AddComponent (IACFUnknown* componentDescriptor)
{
    record ("AddComponent", componentDescriptor);
    keep (componentDescriptor);
    return operationResult();
}

AAX_Result HostEffectDescriptor::AddName (const char* name)
{
    record ("AddName", name);
    return operationResult();
}

AAX_Result HostEffectDescriptor::AddCategory (uint32_t category)
{
    record ("AddCategory", category);
    return operationResult();
}

AAX_Result HostEffectDescriptor::AddCategoryBypassParameter (uint32_t category, const char* parameterID)
{
    record ("AddCategoryBypassParameter", category, parameterID);
    return operationResult();
}

AAX_Result HostEffectDescriptor::AddProcPtr (void* routine, uint32_t routineID)
{
    record ("AddProcPtr", HostCallLog::routineText (routine), routineID);
    context().registration.addRoutine (routineID, routine);
    return operationResult();
}

AAX_Result HostEffectDescriptor::SetProperties (IACFUnknown* propertyMap)
{
    record ("SetProperties", propertyMap);
    keep (propertyMap);
    return operationResult();
}

AAX_Result HostEffectDescriptor::AddResourceInfo (uint32_t resourceType, const char* info)
{
    record ("AddResourceInfo", resourceType, info);
    return operationResult();
}

AAX_Result HostEffectDescriptor::AddMeterDescription (uint32_t meterID, const char* name, IACFUnknown* propertyMap)
{
    record ("AddMeterDescription", meterID, name, propertyMap);
    keep (propertyMap);
    return operationResult();
}

AAX_Result HostEffectDescriptor::AddControlMIDINode (uint32_t nodeID, uint32_t nodeType, const char* name, uint32_t channelMask)
{
    record ("AddControlMIDINode", nodeID, nodeType, name, channelMask);
    return operationResult();
}

void* HostEffectDescriptor::findInterface (const ACFGuid& interfaceID)
{
    if (interfaceID == kIID_IACFUnknown)
        return unknown();

    if (interfaceID == kIID_AAX_IACFEffectDescriptor)
        return static_cast<AAX_IACFEffectDescriptor*> (this);

    if (interfaceID == kIID_AAX_IACFEffectDescriptor_V2)
        return static_cast<AAX_IACFEffectDescriptor_V2*> (this);

    return nullptr;
}
