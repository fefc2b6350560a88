#include "formats/aax/AAX_VCollection.h"

#include "formats/aax/AAX_CreateHostObject.h"

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
    if (! collection || effectDescriptor == nullptr)
        return kAAX_ErrorNullObject;

    return collection.AcfPtrCheck()->AddEffect (effectID, AAX_VEffectDescriptor::HostUnknownOf (effectDescriptor));
}

AAX_Result AAX_VCollection::SetManufacturerName (const char* name)
{
    if (! collection)
        return kAAX_ErrorNullObject;

    return collection.AcfPtrCheck()->SetManufacturerName (name);
}

AAX_Result AAX_VCollection::AddPackageName (const char* name)
{
    if (! collection)
        return kAAX_ErrorNullObject;

    return collection.AcfPtrCheck()->AddPackageName (name);
}

AAX_Result AAX_VCollection::SetPackageVersion (uint32_t version)
{
    if (! collection)
        return kAAX_ErrorNullObject;

    return collection.AcfPtrCheck()->SetPackageVersion (version);
}

AAX_IPropertyMap* AAX_VCollection::NewPropertyMap()
{
    propertyMaps.push_back (std::make_unique<AAX_VPropertyMap> (hostUnknown.get()));
    return propertyMaps.back().get();
}

AAX_Result AAX_VCollection::SetProperties (AAX_IPropertyMap* properties)
{
    if (! collection)
        return kAAX_ErrorNullObject;

    return collection.AcfPtrCheck()->SetProperties (AAX_VPropertyMap::HostUnknownOf (properties));
}
