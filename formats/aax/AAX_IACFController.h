#pragma once

#include "formats/aax/AAX_IString.h"
#include "formats/aax/AAX_Types.h"
#include "formats/aax/IACFUnknown.h"

/** What the host knows of one plug-in instance, and the path to its algorithm. */
class AAX_IACFController : public IACFUnknown
{
public:
    virtual AAX_Result GetEffectID (AAX_IString* outEffectID) = 0; // slot 3
    virtual AAX_Result GetSampleRate (float* outSampleRate) = 0; // slot 4
    virtual AAX_Result GetInputStemFormat (int32_t* outStemFormat) = 0; // slot 5
    virtual AAX_Result GetOutputStemFormat (int32_t* outStemFormat) = 0; // slot 6
    virtual AAX_Result GetSignalLatency (int32_t* outSamples) = 0; // slot 7
    virtual AAX_Result GetCycleCount (uint32_t whichCount, int32_t* outValue) = 0; // slot 8
    virtual AAX_Result GetTODLocation (int64_t* outLocation) = 0; // slot 9
    virtual AAX_Result SetSignalLatency (int32_t samples) = 0; // slot 10
    virtual AAX_Result SetCycleCount (uint32_t* countKinds, int32_t* values, int32_t valueCount) = 0; // slot 11
    virtual AAX_Result PostPacket (uint32_t fieldIndex, const void* payload, uint32_t payloadSize) = 0; // slot 12
    virtual AAX_Result GetCurrentMeterValue (uint32_t meterID, float* outValue) = 0; // slot 13
    virtual AAX_Result GetMeterPeakValue (uint32_t meterID, float* outValue) = 0; // slot 14
    virtual AAX_Result ClearMeterPeakValue (uint32_t meterID) = 0; // slot 15
    virtual AAX_Result GetMeterClipped (uint32_t meterID, AAX_CBoolean* outClipped) = 0; // slot 16
    virtual AAX_Result ClearMeterClipped (uint32_t meterID) = 0; // slot 17
    virtual AAX_Result GetMeterCount (uint32_t* outCount) = 0; // slot 18
    virtual AAX_Result GetNextMIDIPacket (uint32_t* outPort, AAX_MIDIPacketRecord* outPacket) = 0; // slot 19

protected:
    ~AAX_IACFController() = default;
};

/** Second version: notifications and a few more questions. */
class AAX_IACFController_V2 : public AAX_IACFController
{
public:
    virtual AAX_Result SendNotification (uint32_t notificationType, const void* data, uint32_t dataSize) = 0; // slot 20
    virtual AAX_Result GetHybridSignalLatency (int32_t* outSamples) = 0; // slot 21
    virtual AAX_Result GetPlugInTargetPlatform (int64_t* outPlatform) = 0; // slot 22
    virtual AAX_Result GetIsAudioSuite (AAX_CBoolean* outIsAudioSuite) = 0; // slot 23

protected:
    ~AAX_IACFController_V2() = default;
};
