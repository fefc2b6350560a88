#pragma once

#include "formats/aax/AAX_Types.h"
#include "formats/aax/IACFUnknown.h"

/**
    The host's description of one processing configuration: the fields of the
    per-instance context block and the routines that work on it.
*/
class AAX_IACFComponentDescriptor : public IACFUnknown
{
public:
    virtual AAX_Result Clear() = 0; // slot 3
    virtual AAX_Result AddReservedField (uint32_t fieldIndex, uint32_t fieldType) = 0; // slot 4
    virtual AAX_Result AddAudioIn (uint32_t fieldIndex) = 0; // slot 5
    virtual AAX_Result AddAudioOut (uint32_t fieldIndex) = 0; // slot 6
    virtual AAX_Result AddAudioBufferLength (uint32_t fieldIndex) = 0; // slot 7
    virtual AAX_Result AddSampleRate (uint32_t fieldIndex) = 0; // slot 8
    virtual AAX_Result AddClock (uint32_t fieldIndex) = 0; // slot 9
    virtual AAX_Result AddSideChainIn (uint32_t fieldIndex) = 0; // slot 10
    virtual AAX_Result AddDataInPort (uint32_t fieldIndex, uint32_t packetSize, uint32_t portType) = 0; // slot 11
    virtual AAX_Result AddAuxOutputStem (uint32_t fieldIndex, int32_t stemFormat, const char* name) = 0; // slot 12
    virtual AAX_Result AddPrivateData (uint32_t fieldIndex, int32_t dataSize, uint32_t options) = 0; // slot 13
    virtual AAX_Result AddDmaInstance (uint32_t fieldIndex, uint32_t dmaMode) = 0; // slot 14
    virtual AAX_Result AddMIDINode (uint32_t fieldIndex, uint32_t nodeType, const char* name, uint32_t channelMask) = 0; // slot 15

    // slot 16
    virtual AAX_Result AddProcessProc_Native (AAX_ProcessRoutine processRoutine,
                                              IACFUnknown* propertyMap,
                                              AAX_InstanceInitRoutine instanceInitRoutine,
                                              AAX_BackgroundRoutine backgroundRoutine,
                                              uint32_t* outRoutineID) = 0;

    // slot 17
    virtual AAX_Result AddProcessProc_TI (const char* libraryFileName,
                                          const char* processSymbol,
                                          IACFUnknown* propertyMap,
                                          const char* instanceInitSymbol,
                                          const char* backgroundSymbol,
                                          uint32_t* outRoutineID) = 0;

    virtual AAX_Result AddMeters (uint32_t fieldIndex, const uint32_t* meterIDs, uint32_t meterCount) = 0; // slot 18

protected:
    ~AAX_IACFComponentDescriptor() = default;
};

/** Second version: adds temporary data. */
class AAX_IACFComponentDescriptor_V2 : public AAX_IACFComponentDescriptor
{
public:
    virtual AAX_Result AddTemporaryData (uint32_t fieldIndex, uint32_t elementSize) = 0; // slot 19

protected:
    ~AAX_IACFComponentDescriptor_V2() = default;
};
