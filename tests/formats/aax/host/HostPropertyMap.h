#pragma once

#include "formats/aax/AAX_IACFPropertyMap.h"
#include "formats/aax/host/HostObject.h"

#include <map>
#include <vector>

/** The host's property map, both versions: it stores what it is given and answers from it. */
class HostPropertyMap final : public HostUnknownImpl<AAX_IACFPropertyMap_V2>
{
public:
    explicit HostPropertyMap (HostContext& context);

    int32_t GetProperty (AAX_PropertyID property, AAX_PropertyValue* outValue) override;
    AAX_Result AddProperty (AAX_PropertyID property, AAX_PropertyValue value) override;
    AAX_Result RemoveProperty (AAX_PropertyID property) override;
    AAX_Result AddPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord* records, uint32_t recordCount) override;
    int32_t GetPropertyWithIDArray (AAX_PropertyID property, const AAX_PropertyIDRecord** outRecords, uint32_t* outRecordCount) override;

protected:
    void* findInterface (const ACFGuid& interfaceID) override;

private:
    std::map<AAX_PropertyID, AAX_PropertyValue> values;
    std::map<AAX_PropertyID, std::vector<AAX_PropertyIDRecord>> arrays;
};
