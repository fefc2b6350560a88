#pragma once

#include "formats/aax/AAX_IComponentDescriptor.h"
#include "formats/aax/AAX_IPropertyMap.h"
#include "formats/aax/AAX_Results.h"

#include <cstdint>

/** The library's view of the description of one effect. */
class AAX_IEffectDescriptor
{
public:
    virtual ~AAX_IEffectDescriptor() = default;

    /** A new component descriptor owned by this descriptor. */
    virtual AAX_IComponentDescriptor* NewComponentDescriptor() = 0;

    virtual AAX_Result AddComponent (AAX_IComponentDescriptor* componentDescriptor) = 0;
    virtual AAX_Result AddName (const char* name) = 0;
    virtual AAX_Result AddCategory (uint32_t category) = 0;
    virtual AAX_Result AddCategoryBypassParameter (uint32_t category, const char* parameterID) = 0;
    virtual AAX_Result AddProcPtr (void* routine, uint32_t routineID) = 0;

    /** A new property map owned by this descriptor. */
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;

    virtual AAX_Result SetProperties (AAX_IPropertyMap* properties) = 0;
    virtual AAX_Result AddResourceInfo (uint32_t resourceType, const char* info) = 0;
    virtual AAX_Result AddMeterDescription (uint32_t meterID, const char* name, AAX_IPropertyMap* properties) = 0;
    virtual AAX_Result AddControlMIDINode (uint32_t nodeID, uint32_t nodeType, const char* name, uint32_t channelMask) = 0;

protected:
    AAX_IEffectDescriptor() = default;
};
