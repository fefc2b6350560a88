#include "formats/aax/AAX_VCollection.h"

#include "formats/aax/AAX_CreateHostObject.h"
#include "formats/aax/AAX_HostForwarding.h"

AAX_VCollection::AAX_VCollection (IACFUnknown* unknown)
{
    hostUnknown.retain (unknown);
    AAX_CreateHostObject (unknown, kClassID_Collection, kIID_AAX_IACFCollection, collection);
}

AAX_VCollection::~AAX_VCollection()
{
    effectDescriptors.clear();
    propertyMaps.clear();
    collection.reset();
    hostUnknown.reset();
}

AAX_IEffectDescriptor* AAX_VCollection::NewDescriptor()
{
    effectDescriptors.push_back (std::make_unique<AAX_VEffectDescriptor> (hostUnknown.get()));
    return effectDescriptors.back().get();
}

AAX_Result AAX_VCollection::AddEffect (const char* effectID, AAX_IEffectDescriptor* effectDescriptor)
{
    // An effect without its descriptor is refused here rather than handed to the host.
    if (effectDescriptor == nullptr)
        return kAAX_ErrorNullObject;

    return AAX_ForwardToHost (collection, kAAX_ErrorNullObject, &AAX_IACFCollection::AddEffect, effectID, AAX_VEffectDescriptor::HostUnknownOf (effectDescriptor));
}

AAX_Result AAX_VCollection::SetManufacturerName (const char* name)
{
    return AAX_ForwardToHost (collection, kAAX_ErrorNullObject, &AAX_IACFCollection::SetManufacturerName, name);
}

AAX_Result AAX_VCollection::AddPackageName (const char* name)
{
    return AAX_ForwardToHost (collection, kAAX_ErrorNullObject, &AAX_IACFCollection::AddPackageName, name);
}

AAX_Result AAX_VCollection::SetPackageVersion (uint32_t version)
{
    return AAX_ForwardToHost (collection, kAAX_ErrorNullObject, &AAX_IACFCollection::SetPackageVersion, version);
}

AAX_IPropertyMap* AAX_VCollection::NewPropertyMap()
{
    propertyMaps.push_back (std::make_unique<AAX_VPropertyMap> (hostUnknown.get()));
    return propertyMaps.back().get();
}

AAX_Result AAX_VCollection::SetProperties (AAX_IPropertyMap* properties)
{
    return AAX_ForwardToHost (collection, kAAX_ErrorNullObject, &AAX_IACFCollection::SetProperties, AAX_VPropertyMap::HostUnknownOf (properties));
}
