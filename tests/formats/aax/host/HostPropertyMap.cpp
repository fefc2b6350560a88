#include "formats/aax/host/HostPropertyMap.h"

#include "formats/aax/AAX_Identifiers.h"

HostPropertyMap::HostPropertyMap (HostContext& context)
    : HostUnknownImpl (context, "properties")
{
}

int32_t HostPropertyMap::GetProperty (AAX_PropertyID property, AAX_PropertyValue* outValue)
{
    record ("GetProperty", property, outValue);
    const auto found = values.find (property);

    if (found == values.end())
        return 0;

    if (outValue != nullptr)
        *outValue = found->second;

    return context().switches.propertyPresentAnswer();
}

AAX_Result HostPropertyMap::AddProperty (AAX_PropertyID property, AAX_PropertyValue value)
{
    record ("AddProperty", property, value);
    values[property] = value;
    return operationResult();
}

AAX_Result HostPropertyMap::RemoveProperty (AAX_PropertyID property)
{
    record ("RemoveProperty", property);
    values.erase (property);
    return operationResult();
}

AAX_Result HostPropertyMap::AddPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord* records, uint32_t recordCount)
{
    record ("AddPropertyWithIDArray", property, records, recordCount);

    if (records != nullptr)
        arrays[property].assign (records, records + recordCount);

    return operationResult();
}

int32_t HostPropertyMap::GetPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord** outRecords, uint32_t* outRecordCount)
{
    record ("GetPropertyWithIDArray", property, outRecords, outRecordCount);
    const auto found = arrays.find (property);

    if (found == arrays.end())
        return 0;

    if (outRecords != nullptr)
        *outRecords = found->second.data();

    if (outRecordCount != nullptr)
        *outRecordCount = static_cast<uint32_t> (found->second.size());

    return context().switches.propertyPresentAnswer();
}

void* HostPropertyMap::findInterface (const ACFGuid& interfaceID)
{
    if (interfaceID == kIID_IACFUnknown)
        return unknown();

    if (interfaceID == kIID_AAX_IACFPropertyMap)
        return static_cast<AAX_IACFPropertyMap*> (this);

    if (interfaceID == kIID_AAX_IACFPropertyMap_V2)
        return static_cast<AAX_IACFPropertyMap_V2*> (this);

    return nullptr;
}
