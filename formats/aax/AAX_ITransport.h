#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/AAX_Types.h"

#include <cstdint>

//==============================================================================
/** The host's transport: play state, tempo, meter and positions, in samples or
    in ticks. The operations from GetTimelineSelectionStartPosition on need the
    host's second transport version; without it they answer -20009.
*/
class AAX_ITransport
{
public:
    virtual ~AAX_ITransport() = default;

    virtual AAX_Result GetCurrentTempo (double* beatsPerMinute) const = 0;
    virtual AAX_Result GetCurrentMeter (int32_t* numerator, int32_t* denominator) const = 0;
    virtual AAX_Result IsTransportPlaying (AAX_CBoolean* isPlaying) const = 0;
    virtual AAX_Result GetCurrentTickPosition (int64_t* tick) const = 0;
    virtual AAX_Result GetCurrentLoopPosition (AAX_CBoolean* looping, int64_t* loopStartTick, int64_t* loopEndTick) const = 0;
    virtual AAX_Result GetCurrentNativeSampleLocation (int64_t* sampleLocation) const = 0;
    virtual AAX_Result GetCustomTickPosition (int64_t* tick, int64_t sampleLocation) const = 0;
    virtual AAX_Result GetBarBeatPosition (int32_t* bars, int32_t* beats, int64_t* displayTicks, int64_t sampleLocation) const = 0;
    virtual AAX_Result GetTicksPerQuarter (uint32_t* ticks) const = 0;
    virtual AAX_Result GetCurrentTicksPerBeat (uint32_t* ticks) const = 0;
    virtual AAX_Result GetTimelineSelectionStartPosition (int64_t* sampleLocation) const = 0;
    virtual AAX_Result GetTimeCodeInfo (int32_t* frameRateCode, int32_t* offset) const = 0;
    virtual AAX_Result GetFeetFramesInfo (int32_t* feetFramesRateCode, int64_t* offset) const = 0;
    virtual AAX_Result IsMetronomeEnabled (int32_t* isEnabled) const = 0;
};
