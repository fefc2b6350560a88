#include "formats/aax/AAX_VTransport.h"

#include "formats/aax/AAX_HostForwarding.h"
#include "formats/aax/AAX_Identifiers.h"

AAX_VTransport::AAX_VTransport (IACFUnknown* hostUnknown)
{
    if (hostUnknown == nullptr)
        return;

    // The second version is asked for whatever the first query answered; a
    // refused query leaves its holder empty.
    hostUnknown->QueryInterface (kIID_AAX_IACFTransport, transport.outPointer());
    hostUnknown->QueryInterface (kIID_AAX_IACFTransport_V2, transportV2.outPointer());
}

AAX_VTransport::~AAX_VTransport()
{
    transportV2.reset();
    transport.reset();
}

AAX_Result AAX_VTransport::GetCurrentTempo (double* beatsPerMinute) const
{
    return AAX_ForwardToHost (transport, kAAX_ErrorNullObject, &AAX_IACFTransport::GetCurrentTempo, beatsPerMinute);
}

AAX_Result AAX_VTransport::GetCurrentMeter (int32_t* numerator, int32_t* denominator) const
{
    return AAX_ForwardToHost (transport, kAAX_ErrorNullObject, &AAX_IACFTransport::GetCurrentMeter, numerator, denominator);
}

AAX_Result AAX_VTransport::IsTransportPlaying (AAX_CBoolean* isPlaying) const
{
    return AAX_ForwardToHost (transport, kAAX_ErrorNullObject, &AAX_IACFTransport::IsTransportPlaying, isPlaying);
}

AAX_Result AAX_VTransport::GetCurrentTickPosition (int64_t* tick) const
{
    return AAX_ForwardToHost (transport, kAAX_ErrorNullObject, &AAX_IACFTransport::GetCurrentTickPosition, tick);
}

AAX_Result AAX_VTransport::GetCurrentLoopPosition (AAX_CBoolean* looping, int64_t* loopStartTick, int64_t* loopEndTick) const
{
    return AAX_ForwardToHost (transport, kAAX_ErrorNullObject, &AAX_IACFTransport::GetCurrentLoopPosition, looping, loopStartTick, loopEndTick);
}

AAX_Result AAX_VTransport::GetCurrentNativeSampleLocation (int64_t* sampleLocation) const
{
    return AAX_ForwardToHost (transport, kAAX_ErrorNullObject, &AAX_IACFTransport::GetCurrentNativeSampleLocation, sampleLocation);
}

AAX_Result AAX_VTransport::GetCustomTickPosition (int64_t* tick, int64_t sampleLocation) const
{
    return AAX_ForwardToHost (transport, kAAX_ErrorNullObject, &AAX_IACFTransport::GetCustomTickPosition, tick, sampleLocation);
}

AAX_Result AAX_VTransport::GetBarBeatPosition (int32_t* bars, int32_t* beats, int64_t* displayTicks, int64_t sampleLocation) const
{
    return AAX_ForwardToHost (transport, kAAX_ErrorNullObject, &AAX_IACFTransport::GetBarBeatPosition, bars, beats, displayTicks, sampleLocation);
}

AAX_Result AAX_VTransport::GetTicksPerQuarter (uint32_t* ticks) const
{
    return AAX_ForwardToHost (transport, kAAX_ErrorNullObject, &AAX_IACFTransport::GetTicksPerQuarter, ticks);
}

AAX_Result AAX_VTransport::GetCurrentTicksPerBeat (uint32_t* ticks) const
{
    return AAX_ForwardToHost (transport, kAAX_ErrorNullObject, &AAX_IACFTransport::GetCurrentTicksPerBeat, ticks);
}

AAX_Result AAX_VTransport::GetTimelineSelectionStartPosition (int64_t* sampleLocation) const
{
    return AAX_ForwardToHost (transportV2, kAAX_ErrorUnsupported, &AAX_IACFTransport_V2::GetTimelineSelectionStartPosition, sampleLocation);
}

AAX_Result AAX_VTransport::GetTimeCodeInfo (int32_t* frameRateCode, int32_t* offset) const
{
    return AAX_ForwardToHost (transportV2, kAAX_ErrorUnsupported, &AAX_IACFTransport_V2::GetTimeCodeInfo, frameRateCode, offset);
}

AAX_Result AAX_VTransport::GetFeetFramesInfo (int32_t* feetFramesRateCode, int64_t* offset) const
{
    return AAX_ForwardToHost (transportV2, kAAX_ErrorUnsupported, &AAX_IACFTransport_V2::GetFeetFramesInfo, feetFramesRateCode, offset);
}

AAX_Result AAX_VTransport::IsMetronomeEnabled (int32_t* isEnabled) const
{
    return AAX_ForwardToHost (transportV2, kAAX_ErrorUnsupported, &AAX_IACFTransport_V2::IsMetronomeEnabled, isEnabled);
}
