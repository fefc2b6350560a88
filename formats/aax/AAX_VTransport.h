#pragma once

#include "formats/aax/AAX_IACFTransport.h"
#include "formats/aax/AAX_ITransport.h"
#include "formats/aax/ACFPtr.h"

//==============================================================================
/** The plug-in's view of the host's transport.

    State: the host's first and second transport interfaces, each holding one
    reference or null, queried once at construction and given back at
    destruction. A missing interface answers -20004 (first version) or -20009
    (second) without calling the host.
*/
class AAX_VTransport : public AAX_ITransport
{
public:
    explicit AAX_VTransport (IACFUnknown* hostUnknown);
    ~AAX_VTransport() override;

    AAX_VTransport (const AAX_VTransport&) = delete;
    AAX_VTransport& operator= (const AAX_VTransport&) = delete;

    AAX_Result GetCurrentTempo (double* beatsPerMinute) const override;
    AAX_Result GetCurrentMeter (int32_t* numerator, int32_t* denominator) const override;
    AAX_Result IsTransportPlaying (AAX_CBoolean* isPlaying) const override;
    AAX_Result GetCurrentTickPosition (int64_t* tick) const override;
    AAX_Result GetCurrentLoopPosition (AAX_CBoolean* looping, int64_t* loopStartTick, int64_t* loopEndTick) const override;
    AAX_Result GetCurrentNativeSampleLocation (int64_t* sampleLocation) const override;
    AAX_Result GetCustomTickPosition (int64_t* tick, int64_t sampleLocation) const override;
    AAX_Result GetBarBeatPosition (int32_t* bars, int32_t* beats, int64_t* displayTicks, int64_t sampleLocation) const override;
    AAX_Result GetTicksPerQuarter (uint32_t* ticks) const override;
    AAX_Result GetCurrentTicksPerBeat (uint32_t* ticks) const override;
    AAX_Result GetTimelineSelectionStartPosition (int64_t* sampleLocation) const override;
    AAX_Result GetTimeCodeInfo (int32_t* frameRateCode, int32_t* offset) const override;
    AAX_Result GetFeetFramesInfo (int32_t* feetFramesRateCode, int64_t* offset) const override;
    AAX_Result IsMetronomeEnabled (int32_t* isEnabled) const override;

private:
    ACFPtr<AAX_IACFTransport> transport;
    ACFPtr<AAX_IACFTransport_V2> transportV2;
};
