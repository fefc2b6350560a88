#pragma once

#include "formats/aax/IACFUnknown.h"

/** The host's description of one effect. */
class AAX_IACFEffectDescriptor : public IACFUnknown
{
public:
    virtual AAX_Result AddComponent (IACFUnknown* componentDescriptor) = 0; // slot 3
    virtual AAX_Result AddName (const char* name) = 0; // slot 4
    virtual AAX_Result AddCategory (uint32_t category) = 0; // slot 5
    virtual AAX_Result AddCategoryBypassParameter (uint32_t category, const char* parameterID) = 0; // slot 6
    virtual AAX_Result AddProcPtr (void* routine, uint32_t routineID) = 0; // slot 7
    virtual AAX_Result SetProperties (IACFUnknown* propertyMap) = 0; // slot 8
    virtual AAX_Result AddResourceInfo (uint32_t resourceType, const char* info) = 0; // slot 9
    virtual AAX_Result AddMeterDescription (uint32_t meterID, const char* name, IACFUnknown* propertyMap) = 0; // slot 10

protected:
    ~AAX_IACFEffectDescriptor() = default;
};

/** Second version: adds the control MIDI node. */
class AAX_IACFEffectDescriptor_V2 : public AAX_IACFEffectDescriptor
{
public:
    virtual AAX_Result AddControlMIDINode (uint32_t nodeID, uint32_t nodeType, const char* name, uint32_t channelMask) = 0; // slot 11

protected:
    ~AAX_IACFEffectDescriptor_V2() = default;
};
