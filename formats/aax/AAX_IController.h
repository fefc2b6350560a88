#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/AAX_Types.h"

#include <cstdint>

class AAX_IString;

//==============================================================================
/** What the host knows of one plug-in instance, and the road of coefficient
    packets to its audio algorithm. The operations from SendNotification on,
    and the hybrid-latency, platform and AudioSuite queries, need the host's
    second controller version; without it they answer -20009.
*/
class AAX_IController
{
public:
    virtual ~AAX_IController() = default;

    virtual AAX_Result GetEffectID (AAX_IString* effectID) const = 0;
    virtual AAX_Result GetSampleRate (float* sampleRate) const = 0;
    virtual AAX_Result GetInputStemFormat (int32_t* stemFormat) const = 0;
    virtual AAX_Result GetOutputStemFormat (int32_t* stemFormat) const = 0;
    virtual AAX_Result GetSignalLatency (int32_t* samples) const = 0;
    virtual AAX_Result GetCycleCount (uint32_t whichCount, int32_t* count) const = 0;
    virtual AAX_Result GetTODLocation (int64_t* sampleLocation) const = 0;
    virtual AAX_Result SetSignalLatency (int32_t samples) = 0;
    virtual AAX_Result SetCycleCount (uint32_t* countKinds, int32_t* counts, int32_t numCounts) = 0;
    virtual AAX_Result PostPacket (uint32_t fieldIndex, const void* payload, uint32_t payloadSize) = 0;
    virtual AAX_Result SendNotification (uint32_t notificationType, const void* data, uint32_t dataSize) = 0;
    virtual AAX_Result GetCurrentMeterValue (uint32_t meterID, float* value) const = 0;
    virtual AAX_Result GetMeterPeakValue (uint32_t meterID, float* value) const = 0;
    virtual AAX_Result ClearMeterPeakValue (uint32_t meterID) const = 0;
    virtual AAX_Result GetMeterCount (uint32_t* numMeters) const = 0;
    virtual AAX_Result GetMeterClipped (uint32_t meterID, AAX_CBoolean* clipped) const = 0;
    virtual AAX_Result ClearMeterClipped (uint32_t meterID) const = 0;
    virtual AAX_Result GetNextMIDIPacket (uint32_t* port, AAX_MIDIPacketRecord* packet) = 0;
    virtual AAX_Result GetHybridSignalLatency (int32_t* samples) const = 0;

    /** Writes 0 when the host cannot tell. */
    virtual AAX_Result GetPlugInTargetPlatform (int64_t* platform) const = 0;
    virtual AAX_Result GetIsAudioSuite (AAX_CBoolean* isAudioSuite) const = 0;
};
