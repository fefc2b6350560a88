#include "formats/aax/host/HostTransport.h"

#include "formats/aax/AAX_Identifiers.h"

HostTransport::HostTransport (HostContext& context)
    : HostUnknownImpl (context, "transport")
{
}

void HostTransport::setScript (const Script& newScript)
{
    const std::lock_guard<std::mutex> guard (lock);
    script = newScript;
}

void HostTransport::failOperation (const std::string& operation, AAX_Result failure)
{
    const std::lock_guard<std::mutex> guard (lock);
    failures[operation] = failure;
}

AAX_Result HostTransport::failureOf (const char* operation) const
{
    const auto found = failures.find (operation);
    return found != failures.end() ? found->second : kAAX_Success;
}

//==============================================================================
AAX_Result HostTransport::GetCurrentTempo (double* beatsPerMinute)
{
    record ("GetCurrentTempo", beatsPerMinute);
    const std::lock_guard<std::mutex> guard (lock);

    if (const auto failure = failureOf ("GetCurrentTempo"))
        return failure;

    write (beatsPerMinute, script.tempo);
    return kAAX_Success;
}

AAX_Result HostTransport::GetCurrentMeter (int32_t* numerator, int32_t* denominator)
{
    record ("GetCurrentMeter", numerator, denominator);
    const std::lock_guard<std::mutex> guard (lock);

    if (const auto failure = failureOf ("GetCurrentMeter"))
        return failure;

    write (numerator, script.meterNumerator);
    write (denominator, script.meterDenominator);
    return kAAX_Success;
}

AAX_Result HostTransport::IsTransportPlaying (AAX_CBoolean* playing)
{
    record ("IsTransportPlaying", playing);
    const std::lock_guard<std::mutex> guard (lock);

    if (const auto failure = failureOf ("IsTransportPlaying"))
        return failure;

    write (playing, static_cast<AAX_CBoolean> (script.playing ? 1 : 0));
    return kAAX_Success;
}

AAX_Result HostTransport::GetCurrentTickPosition (int64_t* tick)
{
    record ("GetCurrentTickPosition", tick);
    const std::lock_guard<std::mutex> guard (lock);

    if (const auto failure = failureOf ("GetCurrentTickPosition"))
        return failure;

    write (tick, script.tickPosition);
    return kAAX_Success;
}

AAX_Result HostTransport::GetCurrentLoopPosition (AAX_CBoolean* looping, int64_t* startTick, int64_t* endTick)
{
    record ("GetCurrentLoopPosition", looping, startTick, endTick);
    const std::lock_guard<std::mutex> guard (lock);

    if (const auto failure = failureOf ("GetCurrentLoopPosition"))
        return failure;

    write (looping, static_cast<AAX_CBoolean> (script.looping ? 1 : 0));
    write (startTick, script.loopStartTick);
    write (endTick, script.loopEndTick);
    return kAAX_Success;
}

AAX_Result HostTransport::GetCurrentNativeSampleLocation (int64_t* sampleLocation)
{
    record ("GetCurrentNativeSampleLocation", sampleLocation);
    const std::lock_guard<std::mutex> guard (lock);

    if (const auto failure = failureOf ("GetCurrentNativeSampleLocation"))
        return failure;

    write (sampleLocation, script.nativeSampleLocation);
    return kAAX_Success;
}

AAX_Result HostTransport::GetCustomTickPosition (int64_t* tick, int64_t sampleLocation)
{
    record ("GetCustomTickPosition", tick, sampleLocation);
    const std::lock_guard<std::mutex> guard (lock);

    if (const auto failure = failureOf ("GetCustomTickPosition"))
        return failure;

    write (tick, sampleLocation * script.ticksPerSample);
    return kAAX_Success;
}

AAX_Result HostTransport::GetBarBeatPosition (int32_t* bars, int32_t* beats, int64_t* displayTicks, int64_t sampleLocation)
{
    record ("GetBarBeatPosition", bars, beats, displayTicks, sampleLocation);
    const std::lock_guard<std::mutex> guard (lock);

    if (const auto failure = failureOf ("GetBarBeatPosition"))
        return failure;

    write (bars, script.bars);
    write (beats, script.beats);
    write (displayTicks, script.displayTicks);
    return kAAX_Success;
}

AAX_Result HostTransport::GetTicksPerQuarter (uint32_t* ticks)
{
    record ("GetTicksPerQuarter", ticks);
    const std::lock_guard<std::mutex> guard (lock);

    if (const auto failure = failureOf ("GetTicksPerQuarter"))
        return failure;

    write (ticks, script.ticksPerQuarter);
    return kAAX_Success;
}

AAX_Result HostTransport::GetCurrentTicksPerBeat (uint32_t* ticks)
{
    record ("GetCurrentTicksPerBeat", ticks);
    const std::lock_guard<std::mutex> guard (lock);

    if (const auto failure = failureOf ("GetCurrentTicksPerBeat"))
        return failure;

    write (ticks, script.ticksPerBeat);
    return kAAX_Success;
}

AAX_Result HostTransport::GetTimelineSelectionStartPosition (int64_t* sampleLocation)
{
    record ("GetTimelineSelectionStartPosition", sampleLocation);
    const std::lock_guard<std::mutex> guard (lock);

    if (const auto failure = failureOf ("GetTimelineSelectionStartPosition"))
        return failure;

    write (sampleLocation, script.selectionStart);
    return kAAX_Success;
}

AAX_Result HostTransport::GetTimeCodeInfo (int32_t* frameRateCode, int32_t* offset)
{
    record ("GetTimeCodeInfo", frameRateCode, offset);
    const std::lock_guard<std::mutex> guard (lock);

    if (const auto failure = failureOf ("GetTimeCodeInfo"))
        return failure;

    write (frameRateCode, script.frameRateCode);
    write (offset, script.timeCodeOffset);
    return kAAX_Success;
}

AAX_Result HostTransport::GetFeetFramesInfo (int32_t* rateCode, int64_t* offset)
{
    record ("GetFeetFramesInfo", rateCode, offset);
    const std::lock_guard<std::mutex> guard (lock);

    if (const auto failure = failureOf ("GetFeetFramesInfo"))
        return failure;

    write (rateCode, script.feetFramesRateCode);
    write (offset, script.feetFramesOffset);
    return kAAX_Success;
}

AAX_Result HostTransport::IsMetronomeEnabled (int32_t* enabled)
{
    record ("IsMetronomeEnabled", enabled);
    const std::lock_guard<std::mutex> guard (lock);

    if (const auto failure = failureOf ("IsMetronomeEnabled"))
        return failure;

    write (enabled, script.metronomeEnabled);
    return kAAX_Success;
}

void* HostTransport::findInterface (const ACFGuid& interfaceID)
{
    if (interfaceID == kIID_IACFUnknown || interfaceID == kIID_AAX_IACFTransport || interfaceID == kIID_AAX_IACFTransport_V2)
        return static_cast<AAX_IACFTransport_V2*> (this);

    return nullptr;
}
