#pragma once

#include "formats/aax/AAX_Types.h"
#include "formats/aax/IACFUnknown.h"

/**
    The host's map of numbered properties. The two queries answer a boolean in
    the low byte of their 32-bit result.
*/
class AAX_IACFPropertyMap : public IACFUnknown
{
public:
    virtual int32_t GetProperty (AAX_PropertyID property, AAX_PropertyValue* outValue) = 0; // slot 3
    virtual AAX_Result AddProperty (AAX_PropertyID property, AAX_PropertyValue value) = 0; // slot 4
    virtual AAX_Result RemoveProperty (AAX_PropertyID property) = 0; // slot 5

protected:
    ~AAX_IACFPropertyMap() = default;
};

/** Second version: properties whose value is an array of identifier records. */
class AAX_IACFPropertyMap_V2 : public AAX_IACFPropertyMap
{
public:
    // slot 6
    virtual AAX_Result AddPropertyWithIDArray (AAX_PropertyID property,
                                               const AAX_PropertyIDRecord* records,
                                               uint32_t recordCount) = 0;

    // slot 7
    virtual int32_t GetPropertyWithIDArray (AAX_PropertyID property,
                                            const AAX_PropertyIDRecord** outRecords,
                                            uint32_t* outRecordCount) = 0;

protected:
    ~AAX_IACFPropertyMap_V2() = default;
};
