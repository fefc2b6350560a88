#pragma once

#include "formats/aax/AAX_Types.h"
#include "formats/aax/IACFUnknown.h"

/** The host's transport: play state, tempo, meter and positions (samples or ticks). */
class AAX_IACFTransport : public IACFUnknown
{
public:
    virtual AAX_Result GetCurrentTempo (double* outBeatsPerMinute) = 0; // slot 3
    virtual AAX_Result GetCurrentMeter (int32_t* outNumerator, int32_t* outDenominator) = 0; // slot 4
    virtual AAX_Result IsTransportPlaying (AAX_CBoolean* outPlaying) = 0; // slot 5
    virtual AAX_Result GetCurrentTickPosition (int64_t* outTick) = 0; // slot 6
    virtual AAX_Result GetCurrentLoopPosition (AAX_CBoolean* outLooping, int64_t* outStartTick, int64_t* outEndTick) = 0; // slot 7
    virtual AAX_Result GetCurrentNativeSampleLocation (int64_t* outSampleLocation) = 0; // slot 8
    virtual AAX_Result GetCustomTickPosition (int64_t* outTick, int64_t sampleLocation) = 0; // slot 9
    virtual AAX_Result GetBarBeatPosition (int32_t* outBars, int32_t* outBeats, int64_t* outDisplayTicks, int64_t sampleLocation) = 0; // slot 10
    virtual AAX_Result GetTicksPerQuarter (uint32_t* outTicks) = 0; // slot 11
    virtual AAX_Result GetCurrentTicksPerBeat (uint32_t* outTicks) = 0; // slot 12

protected:
    ~AAX_IACFTransport() = default;
};

/** Second version: selection, time code, feet-frames and metronome. */
class AAX_IACFTransport_V2 : public AAX_IACFTransport
{
public:
    virtual AAX_Result GetTimelineSelectionStartPosition (int64_t* outSampleLocation) = 0; // slot 13
    virtual AAX_Result GetTimeCodeInfo (int32_t* outFrameRateCode, int32_t* outOffset) = 0; // slot 14
    virtual AAX_Result GetFeetFramesInfo (int32_t* outRateCode, int64_t* outOffset) = 0; // slot 15
    virtual AAX_Result IsMetronomeEnabled (int32_t* outEnabled) = 0; // slot 16

protected:
    ~AAX_IACFTransport_V2() = default;
};
