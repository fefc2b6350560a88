#include "formats/aax/AAX_VPropertyMap.h"

#include "formats/aax/AAX_CreateHostObject.h"

namespace
{
// The host's queries answer their boolean in the low byte.
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
    if (! propertyMap)
        return 0;

    return lowByte (propertyMap.AcfPtrCheck()->GetProperty (property, outValue));
}

AAX_Result AAX_VPropertyMap::AddProperty (AAX_PropertyID property, AAX_PropertyValue value)
{
    if (! propertyMap)
        return kAAX_ErrorNullObject;

    return propertyMap.AcfPtrCheck()->AddProperty (property, value);
}

AAX_Result AAX_VPropertyMap::RemoveProperty (AAX_PropertyID property)
{
    if (! propertyMap)
        return kAAX_ErrorNullObject;

    return propertyMap.AcfPtrCheck()->RemoveProperty (property);
}

AAX_Result AAX_VPropertyMap::AddPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord* records, uint32_t recordCount)
{
    if (! propertyMapV2)
        return kAAX_ErrorUnsupported;

    return propertyMapV2.AcfPtrCheck()->AddPropertyWithIDArray (property, records, recordCount);
}

AAX_CBoolean AAX_VPropertyMap::GetPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord** outRecords, uint32_t* outRecordCount) const
{
    if (! propertyMapV2)
        return 0;

    return lowByte (propertyMapV2.AcfPtrCheck()->GetPropertyWithIDArray (property, outRecords, outRecordCount));
}

IACFUnknown* AAX_VPropertyMap::HostUnknownOf (const AAX_IPropertyMap* properties)
{
    const auto* wrapper = dynamic_cast<const AAX_VPropertyMap*> (properties);
    return wrapper != nullptr ? wrapper->GetIUnknown() : nullptr;
}
