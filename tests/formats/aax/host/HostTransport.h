#pragma once

#include "formats/aax/AAX_IACFTransport.h"
#include "formats/aax/host/HostObject.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

/**
    The host's transport, both versions, answering from a script a test sets:
    every position and state it reports, and operations that are to fail with a
    given host code (a failing operation writes nothing). Every call is
    recorded in the context's log. Withholding the second version through the
    switches makes a host of the first version only.
*/
class HostTransport final : public HostUnknownImpl<AAX_IACFTransport_V2>
{
public:
    struct Script
    {
        double tempo = 120.0;
        int32_t meterNumerator = 4;
        int32_t meterDenominator = 4;
        bool playing = false;
        int64_t tickPosition = 0;
        bool looping = false;
        int64_t loopStartTick = 0;
        int64_t loopEndTick = 0;
        int64_t nativeSampleLocation = 0;
        int64_t ticksPerSample = 0; // custom tick position = sample location * this
        int32_t bars = 1;
        int32_t beats = 1;
        int64_t displayTicks = 0;
        uint32_t ticksPerQuarter = 960000;
        uint32_t ticksPerBeat = 960000;
        int64_t selectionStart = 0;
        int32_t frameRateCode = 0;
        int32_t timeCodeOffset = 0;
        int32_t feetFramesRateCode = 0;
        int64_t feetFramesOffset = 0;
        int32_t metronomeEnabled = 0;
    };

    explicit HostTransport (HostContext& context);

    void setScript (const Script& newScript);

    /** The named operation (e.g. "GetCurrentTempo") answers failure and writes nothing. */
    void failOperation (const std::string& operation, AAX_Result failure);

    AAX_Result GetCurrentTempo (double* beatsPerMinute) override;
    AAX_Result GetCurrentMeter (int32_t* numerator, int32_t* denominator) override;
    AAX_Result IsTransportPlaying (AAX_CBoolean* playing) override;
    AAX_Result GetCurrentTickPosition (int64_t* tick) override;
    AAX_Result GetCurrentLoopPosition (AAX_CBoolean* looping, int64_t* startTick, int64_t* endTick) override;
    AAX_Result GetCurrentNativeSampleLocation (int64_t* sampleLocation) override;
    AAX_Result GetCustomTickPosition (int64_t* tick, int64_t sampleLocation) override;
    AAX_Result GetBarBeatPosition (int32_t* bars, int32_t* beats, int64_t* displayTicks, int64_t sampleLocation) override;
    AAX_Result GetTicksPerQuarter (uint32_t* ticks) override;
    AAX_Result GetCurrentTicksPerBeat (uint32_t* ticks) override;
    AAX_Result GetTimelineSelectionStartPosition (int64_t* sampleLocation) override;
    AAX_Result GetTimeCodeInfo (int32_t* frameRateCode, int32_t* offset) override;
    AAX_Result GetFeetFramesInfo (int32_t* rateCode, int64_t* offset) override;
    AAX_Result IsMetronomeEnabled (int32_t* enabled) override;

protected:
    void* findInterface (const ACFGuid& interfaceID) override;

private:
    /** Under the lock: the scripted failure of the operation, or 0. */
    AAX_Result failureOf (const char* operation) const;

    /** Under the lock: the scripted failure of the operation, or success once
        writeAnswer has filled the caller's out pointers from the script. */
    template <typename WriteAnswer>
    AAX_Result answerFromScript (const char* operation, WriteAnswer&& writeAnswer)
    {
        const std::lock_guard<std::mutex> guard (lock);

        if (const auto failure = failureOf (operation))
            return failure;

        writeAnswer();
        return kAAX_Success;
    }

    template <typename Value>
    static void write (Value* destination, Value value)
    {
        if (destination != nullptr)
            *destination = value;
    }

    mutable std::mutex lock;
    Script script;
    std::map<std::string, AAX_Result> failures;
};
