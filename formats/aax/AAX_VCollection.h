#pragma once

#include "formats/aax/AAX_IACFCollection.h"
#include "formats/aax/AAX_ICollection.h"
#include "formats/aax/AAX_VEffectDescriptor.h"
#include "formats/aax/AAX_VPropertyMap.h"
#include "formats/aax/ACFPtr.h"

#include <memory>
#include <vector>

/**
    Wraps the collection the host makes through its factory, and owns the effect
    descriptors and property maps made through it (and so, through them, every
    wrapper of a registration). Without the host's collection every forwarding
    operation answers kAAX_ErrorNullObject.
*/
class AAX_VCollection : public AAX_ICollection
{
public:
    /** hostUnknown may be null; a reference to it is kept for making children. */
    explicit AAX_VCollection (IACFUnknown* hostUnknown);
    ~AAX_VCollection() override;

    AAX_VCollection (const AAX_VCollection&) = delete;
    AAX_VCollection& operator= (const AAX_VCollection&) = delete;

    AAX_IEffectDescriptor* NewDescriptor() override;

    /** A null descriptor answers kAAX_ErrorNullObject without reaching the host. */
    AAX_Result AddEffect (const char* effectID, AAX_IEffectDescriptor* effectDescriptor) override;

    AAX_Result SetManufacturerName (const char* name) override;
    AAX_Result AddPackageName (const char* name) override;
    AAX_Result SetPackageVersion (uint32_t version) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_Result SetProperties (AAX_IPropertyMap* properties) override;

    /** The host's collection as its IACFUnknown (null when absent). */
    IACFUnknown* GetIUnknown() const { return collection.asUnknown(); }

private:
    ACFPtr<IACFUnknown> hostUnknown;
    ACFPtr<AAX_IACFCollection> collection;
    std::vector<std::unique_ptr<AAX_VEffectDescriptor>> effectDescriptors;
    std::vector<std::unique_ptr<AAX_VPropertyMap>> propertyMaps;
};
