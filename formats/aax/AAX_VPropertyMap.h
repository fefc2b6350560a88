#pragma once

#include "formats/aax/AAX_IACFPropertyMap.h"
#include "formats/aax/AAX_IPropertyMap.h"
#include "formats/aax/ACFPtr.h"

/**
    Wraps a property map the host makes through its factory. Without the host's
    map every operation answers kAAX_ErrorNullObject (the queries false); without
    its second version the identifier-array operations answer
    kAAX_ErrorUnsupported (the query false).
*/
class AAX_VPropertyMap : public AAX_IPropertyMap
{
public:
    /** hostUnknown may be null; it is used for the creation only, not kept. */
    explicit AAX_VPropertyMap (IACFUnknown* hostUnknown);
    ~AAX_VPropertyMap() override;

    AAX_VPropertyMap (const AAX_VPropertyMap&) = delete;
    AAX_VPropertyMap& operator= (const AAX_VPropertyMap&) = delete;

    AAX_CBoolean GetProperty (AAX_PropertyID property, AAX_PropertyValue* outValue) const override;
    AAX_Result AddProperty (AAX_PropertyID property, AAX_PropertyValue value) override;
    AAX_Result RemoveProperty (AAX_PropertyID property) override;
    AAX_Result AddPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord* records, uint32_t recordCount) override;
    AAX_CBoolean GetPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord** outRecords, uint32_t* outRecordCount) const override;

    /** The host's map as the IACFUnknown to pass back to the host (null when absent). */
    IACFUnknown* GetIUnknown() const { return propertyMap.asUnknown(); }

    /** GetIUnknown of a property map made by this library; null for null or any other kind. */
    static IACFUnknown* HostUnknownOf (const AAX_IPropertyMap* properties);

private:
    ACFPtr<AAX_IACFPropertyMap> propertyMap;
    ACFPtr<AAX_IACFPropertyMap_V2> propertyMapV2;
};
