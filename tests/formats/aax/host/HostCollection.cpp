#include "formats/aax/host/HostCollection.h"

#include "formats/aax/AAX_Identifiers.h"

HostCollection::HostCollection (HostContext& context)
    : HostUnknownImpl (context, "collection")
{
}

AAX_Result HostCollection::UnusedSlot3()
{
    record ("UnusedSlot3");
    return operationResult();
}

AAX_Result HostCollection::UnusedSlot4()
{
    record ("UnusedSlot4");
    return operationResult();
}

AAX_Result HostCollection::UnusedSlot5()
{
    record ("UnusedSlot5");
    return operationResult();
}

AAX_Result HostCollection::UnusedSlot6()
{
    record ("UnusedSlot6");
    return operationResult();
}

AAX_Result HostCollection::AddEffect (const char* effectID, IACFUnknown* effectDescriptor)
{
    record ("AddEffect", effectID, effectDescriptor);
    keep (effectDescriptor);
    return operationResult();
}

AAX_Result HostCollection::SetManufacturerName (const char* name)
{
    record ("SetManufacturerName", name);
    return operationResult();
}

AAX_Result HostCollection::AddPackageName (const char* name)
{
    record ("AddPackageName", name);
    return operationResult();
}

AAX_Result HostCollection::SetPackageVersion (uint32_t version)
{
    record ("SetPackageVersion", version);
    return operationResult();
}

AAX_Result HostCollection::SetProperties (IACFUnknown* propertyMap)
{
    record ("SetProperties", propertyMap);
    keep (propertyMap);
    return operationResult();
}

void* HostCollection::findInterface (const ACFGuid& interfaceID)
{
    if (interfaceID == kIID_IACFUnknown)
        return unknown();

    if (interfaceID == kIID_AAX_IACFCollection)
        return static_cast<AAX_IACFCollection*> (this);

    if (interfaceID == kIID_IACFDefinition)
        return static_cast<IACFDefinition*> (this);

    return nullptr;
}
