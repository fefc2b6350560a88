#pragma once

#include "formats/aax/AAX_IPropertyMap.h"
#include "formats/aax/AAX_Results.h"
#include "formats/aax/AAX_Types.h"

/** The library's view of one processing configuration of an effect. */
class AAX_IComponentDescriptor
{
public:
    virtual ~AAX_IComponentDescriptor() = default;

    virtual AAX_Result Clear() = 0;
    virtual AAX_Result AddAudioIn (uint32_t fieldIndex) = 0;
    virtual AAX_Result AddAudioOut (uint32_t fieldIndex) = 0;
    virtual AAX_Result AddAudioBufferLength (uint32_t fieldIndex) = 0;
    virtual AAX_Result AddSampleRate (uint32_t fieldIndex) = 0;
    virtual AAX_Result AddClock (uint32_t fieldIndex) = 0;
    virtual AAX_Result AddSideChainIn (uint32_t fieldIndex) = 0;
    virtual AAX_Result AddDataInPort (uint32_t fieldIndex, uint32_t packetSize, uint32_t portType) = 0;
    virtual AAX_Result AddAuxOutputStem (uint32_t fieldIndex, int32_t stemFormat, const char* name) = 0;
    virtual AAX_Result AddPrivateData (uint32_t fieldIndex, int32_t dataSize, uint32_t options) = 0;
    virtual AAX_Result AddTemporaryData (uint32_t fieldIndex, uint32_t elementSize) = 0;
    virtual AAX_Result AddDmaInstance (uint32_t fieldIndex, uint32_t dmaMode) = 0;
    virtual AAX_Result AddMeters (uint32_t fieldIndex, const uint32_t* meterIDs, uint32_t meterCount) = 0;
    virtual AAX_Result AddMIDINode (uint32_t fieldIndex, uint32_t nodeType, const char* name, uint32_t channelMask) = 0;
    virtual AAX_Result AddReservedField (uint32_t fieldIndex, uint32_t fieldType) = 0;

    /** A new property map owned by this descriptor. */
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;

    /** A new property map owned by this descriptor, holding source's properties 10 to 351. */
    virtual AAX_IPropertyMap* DuplicatePropertyMap (AAX_IPropertyMap* source) = 0;

    virtual AAX_Result AddProcessProc_Native (AAX_ProcessRoutine processRoutine,
                                              AAX_IPropertyMap* properties,
                                              AAX_InstanceInitRoutine instanceInitRoutine,
                                              AAX_BackgroundRoutine backgroundRoutine,
                                              uint32_t* outRoutineID) = 0;

    virtual AAX_Result AddProcessProc_TI (const char* libraryFileName,
                                          const char* processSymbol,
                                          AAX_IPropertyMap* properties,
                                          const char* instanceInitSymbol,
                                          const char* backgroundSymbol,
                                          uint32_t* outRoutineID) = 0;

protected:
    AAX_IComponentDescriptor() = default;
};
