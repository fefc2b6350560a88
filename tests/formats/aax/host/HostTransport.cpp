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
    return answerFromScript ("GetCurrentTempo", [&]
                             { write (beatsPerMinute, script.tempo); });
}

AAX_Result HostTransport::GetCurrentMeter (int32_t* numerator, int32_t* denominator)
{
    record ("GetCurrentMeter", numerator, denominator);
    return answerFromScript ("GetCurrentMeter", [&]
                             {
                                 write (numerator, script.meterNumerator);
                                 write (denominator, script.meterDenominator); });
}

AAX_Result HostTransport::IsTransportPlaying (AAX_CBoolean* playing)
{
    record ("IsTransportPlaying", playing);
    return answerFromScript ("IsTransportPlaying", [&]
                             { write (playing, static_cast<AAX_CBoolean> (script.playing ? 1 : 0)); });
}

AAX_Result HostTransport::GetCurrentTickPosition (int64_t* tick)
{
    record ("GetCurrentTickPosition", tick);
    return answerFromScript ("GetCurrentTickPosition", [&]
                             { write (tick, script.tickPosition); });
}

AAX_Result HostTransport::GetCurrentLoopPosition (AAX_CBoolean* looping, int64_t* startTick, int64_t* endTick)
{
    record ("GetCurrentLoopPosition", looping, startTick, endTick);
    return answerFromScript ("GetCurrentLoopPosition", [&]
                             {
                                 write (looping, static_cast<AAX_CBoolean> (script.looping ? 1 : 0));
                                 write (startTick, script.loopStartTick);
                                 write (endTick, script.loopEndTick); });
}

AAX_Result HostTransport::GetCurrentNativeSampleLocation (int64_t* sampleLocation)
{
    record ("GetCurrentNativeSampleLocation", sampleLocation);
    return answerFromScript ("GetCurrentNativeSampleLocation", [&]
                             { write (sampleLocation, script.nativeSampleLocation); });
}

AAX_Result HostTransport::GetCustomTickPosition (int64_t* tick, int64_t sampleLocation)
{
    record ("GetCustomTickPosition", tick, sampleLocation);
    return answerFromScript ("GetCustomTickPosition", [&]
                             { write (tick, sampleLocation * script.ticksPerSample); });
}

AAX_Result HostTransport::GetBarBeatPosition (int32_t* bars, int32_t* beats, int64_t* displayTicks, int64_t sampleLocation)
{
    record ("GetBarBeatPosition", bars, beats, displayTicks, sampleLocation);
    return answerFromScript ("GetBarBeatPosition", [&]
                             {
                                 write (bars, script.bars);
                                 write (beats, script.beats);
                                 write (displayTicks, script.displayTicks); });
}

AAX_Result HostTransport::GetTicksPerQuarter (uint32_t* ticks)
{
    record ("GetTicksPerQuarter", ticks);
    return answerFromScript ("GetTicksPerQuarter", [&]
                             { write (ticks, script.ticksPerQuarter); });
}

AAX_Result HostTransport::GetCurrentTicksPerBeat (uint32_t* ticks)
{
    record ("GetCurrentTicksPerBeat", ticks);
    return answerFromScript ("GetCurrentTicksPerBeat", [&]
                             { write (ticks, script.ticksPerBeat); });
}

AAX_Result HostTransport::GetTimelineSelectionStartPosition (int64_t* sampleLocation)
{
    record ("GetTimelineSelectionStartPosition", sampleLocation);
    return answerFromScript ("GetTimelineSelectionStartPosition", [&]
                             { write (sampleLocation, script.selectionStart); });
}

AAX_Result HostTransport::GetTimeCodeInfo (int32_t* frameRateCode, int32_t* offset)
{
    record ("GetTimeCodeInfo", frameRateCode, offset);
    return answerFromScript ("GetTimeCodeInfo", [&]
                             {
                                 write (frameRateCode, script.frameRateCode);
                                 write (offset, script.timeCodeOffset); });
}

AAX_Result HostTransport::GetFeetFramesInfo (int32_t* rateCode, int64_t* offset)
{
    record ("GetFeetFramesInfo", rateCode, offset);
    return answerFromScript ("GetFeetFramesInfo", [&]
                             {
                                 write (rateCode, script.feetFramesRateCode);
                                 write (offset, script.feetFramesOffset); });
}

AAX_Result HostTransport::IsMetronomeEnabled (int32_t* enabled)
{
    record ("IsMetronomeEnabled", enabled);
    return answerFromScript ("IsMetronomeEnabled", [&]
                             { write (enabled, script.metronomeEnabled); });
}

void* HostTransport::findInterface (const ACFGuid& interfaceID)
{
    if (interfaceID == kIID_IACFUnknown || interfaceID == kIID_AAX_IACFTransport || interfaceID == kIID_AAX_IACFTransport_V2)
        return static_cast<AAX_IACFTransport_V2*> (this);

    return nullptr;
}
