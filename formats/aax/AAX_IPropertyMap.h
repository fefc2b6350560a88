#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/AAX_Types.h"

/** The library's view of a map of numbered properties. */
class AAX_IPropertyMap
{
public:
    virtual ~AAX_IPropertyMap() = default;

    /** True when the property is present; its value is then stored. */
    virtual AAX_CBoolean GetProperty (AAX_PropertyID property, AAX_PropertyValue* outValue) const = 0;
    virtual AAX_Result AddProperty (AAX_PropertyID property, AAX_PropertyValue value) = 0;
    virtual AAX_Result RemoveProperty (AAX_PropertyID property) = 0;
    virtual AAX_Result AddPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord* records, uint32_t recordCount) = 0;
    virtual AAX_CBoolean GetPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord** outRecords, uint32_t* outRecordCount) const = 0;

protected:
    AAX_IPropertyMap() = default;
};
