#pragma once

#include "formats/aax/AAX_IACFCollection.h"
#include "formats/aax/IACFDefinition.h"
#include "formats/aax/host/HostObject.h"

/**
    The host's collection. It is also the definition the registration export
    hands back: a query for IACFDefinition answers this same object.
*/
class HostCollection final : public HostUnknownImpl<AAX_IACFCollection, IACFDefinition>
{
public:
    explicit HostCollection (HostContext& context);

    AAX_Result UnusedSlot3() override;
    AAX_Result UnusedSlot4() override;
    AAX_Result UnusedSlot5() override;
    AAX_Result UnusedSlot6() override;
    AAX_Result AddEffect (const char* effectID, IACFUnknown* effectDescriptor) override;
    AAX_Result SetManufacturerName (const char* name) override;
    AAX_Result AddPackageName (const char* name) override;
    AAX_Result SetPackageVersion (uint32_t version) override;
    AAX_Result SetProperties (IACFUnknown* propertyMap) override;

protected:
    void* findInterface (const ACFGuid& interfaceID) override;
};
