#include "formats/aax/AAX_VPropertyMap.h"

#include "formats/aax/AAX_CreateHostObject.h"
#include "formats/aax/AAX_HostForwarding.h"

namespace
{
// The host's queries answer their boolean in the low byte; a missing map answers 0, false.
AAX_CBoolean lowByte (int32_t answer)
{
    return static_cast<AAX_CBoolean> (static_cast<uint32_t> (answer) & 0xFFu);
}
} // namespace

AAX_VPropertyMap::AAX_VPropertyMap (IACFUnknown* hostUnknown)
{
    AAX_CreateHostObject (hostUnknown, kClassID_PropertyMap, kIID_AAX_IACFPropertyMap, propertyMap);
    AAX_QuerySecondVersion (propertyMap, kIID_AAX_IACFPropertyMap_V2, propertyMapV2);
}

AAX_VPropertyMap::~AAX_VPropertyMap()
{
    propertyMapV2.reset();
    propertyMap.reset();
}

AAX_CBoolean AAX_VPropertyMap::GetProperty (AAX_PropertyID property, AAX_PropertyValue* outValue) const
{
    return lowByte (AAX_ForwardToHost (propertyMap, 0, &AAX_IACFPropertyMap::GetProperty, property, outValue));
}

AAX_Result AAX_VPropertyMap::AddProperty (AAX_PropertyID property, AAX_PropertyValue value)
{
    return AAX_ForwardToHost (propertyMap, kAAX_ErrorNullObject, &AAX_IACFPropertyMap::AddProperty, property, value);
}

AAX_Result AAX_VPropertyMap::RemoveProperty (AAX_PropertyID property)
{
    return AAX_ForwardToHost (propertyMap, kAAX_ErrorNullObject, &AAX_IACFPropertyMap::RemoveProperty, property);
}

AAX_Result AAX_VPropertyMap::AddPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord* records, uint32_t recordCount)
{
    return AAX_ForwardToHost (propertyMapV2, kAAX_ErrorUnsupported, &AAX_IACFPropertyMap_V2::AddPropertyWithIDArray, property, records, recordCount);
}

AAX_CBoolean AAX_VPropertyMap::GetPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord** outRecords, uint32_t* outRecordCount) const
{
    return lowByte (AAX_ForwardToHost (propertyMapV2, 0, &AAX_IACFPropertyMap_V2::GetPropertyWithIDArray, property, outRecords, outRecordCount));
}

IACFUnknown* AAX_VPropertyMap::HostUnknownOf (const AAX_IPropertyMap* properties)
{
    const auto* wrapper = dynamic_cast<const AAX_VPropertyMap*> (properties);
    return wrapper != nullptr ? wrapper->GetIUnknown() : nullptr;
}
