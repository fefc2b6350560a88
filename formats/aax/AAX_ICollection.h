#pragma once

#include "formats/aax/AAX_IEffectDescriptor.h"
#include "formats/aax/AAX_IPropertyMap.h"
#include "formats/aax/AAX_Results.h"

#include <cstdint>

/** The library's view of the set of effects the plug-in describes. */
class AAX_ICollection
{
public:
    virtual ~AAX_ICollection() = default;

    /** A new effect descriptor owned by this collection. */
    virtual AAX_IEffectDescriptor* NewDescriptor() = 0;

    virtual AAX_Result AddEffect (const char* effectID, AAX_IEffectDescriptor* effectDescriptor) = 0;
    virtual AAX_Result SetManufacturerName (const char* name) = 0;
    virtual AAX_Result AddPackageName (const char* name) = 0;
    virtual AAX_Result SetPackageVersion (uint32_t version) = 0;

    /** A new property map owned by this collection. */
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;

    virtual AAX_Result SetProperties (AAX_IPropertyMap* properties) = 0;

protected:
    AAX_ICollection() = default;
};
