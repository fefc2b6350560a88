#pragma once

#include "formats/aax/host/HostObject.h"
#include "formats/aax/host/HostReference.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

/**
    The host's controller of one plug-in instance, both versions (withhold the
    second through the switches for a host of the first version only). It
    answers four channels in and out at kSampleRate, and the latency reported
    last; it keeps every latency reported and every packet posted. Every call is
    recorded.

    State, under the object's lock because packets arrive on the coefficient
    thread: the latencies reported and the packets posted, each in arrival order.
*/
class HostController final : public HostUnknownImpl<AAX_IACFController_V2>
{
public:
    /** A packet as posted: the data port and a copy of its bytes. */
    struct PostedPacket
    {
        uint32_t fieldIndex;
        std::vector<uint8_t> bytes;
    };

    static constexpr float kSampleRate = 48000.0f;
    static constexpr int32_t kFourChannels = 0x00040004;

    /** What the controller says of the instance. */
    struct Settings
    {
        float sampleRate = kSampleRate;
        int32_t inputStemFormat = kFourChannels;
        int32_t outputStemFormat = kFourChannels;
    };

    explicit HostController (HostContext& context)
        : HostUnknownImpl (context, "controller")
    {
    }

    Settings settings() const
    {
        return locked ([&]
                       { return current; });
    }

    void setSettings (const Settings& newSettings)
    {
        locked ([&]
                { current = newSettings; });
    }

    /** The latency reported last (0 before any report). */
    int32_t latency() const
    {
        return locked ([&]
                       { return latencies.empty() ? 0 : latencies.back(); });
    }

    std::vector<int32_t> latencyReports() const
    {
        return locked ([&]
                       { return latencies; });
    }

    std::vector<PostedPacket> postedPackets() const
    {
        return locked ([&]
                       { return packets; });
    }

    AAX_Result GetEffectID (AAX_IString* effectID) override { return recorded ("GetEffectID", effectID); }
    AAX_Result GetSampleRate (float* sampleRate) override { return write (sampleRate, settings().sampleRate, recorded ("GetSampleRate", sampleRate)); }
    AAX_Result GetInputStemFormat (int32_t* stemFormat) override { return write (stemFormat, settings().inputStemFormat, recorded ("GetInputStemFormat", stemFormat)); }
    AAX_Result GetOutputStemFormat (int32_t* stemFormat) override { return write (stemFormat, settings().outputStemFormat, recorded ("GetOutputStemFormat", stemFormat)); }
    AAX_Result GetSignalLatency (int32_t* samples) override { return write (samples, latency(), recorded ("GetSignalLatency", samples)); }
    AAX_Result GetCycleCount (uint32_t whichCount, int32_t* count) override { return recorded ("GetCycleCount", whichCount, count); }
    AAX_Result GetTODLocation (int64_t* location) override { return recorded ("GetTODLocation", location); }
    AAX_Result SetSignalLatency (int32_t samples) override
    {
        return changed (recorded ("SetSignalLatency", samples), [&]
                        { latencies.push_back (samples); });
    }

    AAX_Result SetCycleCount (uint32_t* countKinds, int32_t* counts, int32_t numCounts) override { return recorded ("SetCycleCount", countKinds, counts, numCounts); }
    AAX_Result PostPacket (uint32_t fieldIndex, const void* payload, uint32_t payloadSize) override;
    AAX_Result GetCurrentMeterValue (uint32_t meterID, float* value) override { return recorded ("GetCurrentMeterValue", meterID, value); }
    AAX_Result GetMeterPeakValue (uint32_t meterID, float* value) override { return recorded ("GetMeterPeakValue", meterID, value); }
    AAX_Result ClearMeterPeakValue (uint32_t meterID) override { return recorded ("ClearMeterPeakValue", meterID); }
    AAX_Result GetMeterClipped (uint32_t meterID, AAX_CBoolean* clipped) override { return recorded ("GetMeterClipped", meterID, clipped); }
    AAX_Result ClearMeterClipped (uint32_t meterID) override { return recorded ("ClearMeterClipped", meterID); }
    AAX_Result GetMeterCount (uint32_t* count) override { return recorded ("GetMeterCount", count); }
    AAX_Result GetNextMIDIPacket (uint32_t* port, AAX_MIDIPacketRecord* packet) override { return recorded ("GetNextMIDIPacket", port, packet); }
    AAX_Result SendNotification (uint32_t type, const void* data, uint32_t size) override { return recorded ("SendNotification", type, data, size); }
    AAX_Result GetHybridSignalLatency (int32_t* samples) override { return recorded ("GetHybridSignalLatency", samples); }
    AAX_Result GetPlugInTargetPlatform (int64_t* platform) override { return recorded ("GetPlugInTargetPlatform", platform); }
    AAX_Result GetIsAudioSuite (AAX_CBoolean* isAudioSuite) override { return recorded ("GetIsAudioSuite", isAudioSuite); }

private:
    Settings current;
    std::vector<int32_t> latencies;
    std::vector<PostedPacket> packets;
};

/**
    The host's automation of one plug-in instance. It records every call, keeps
    which parameters are registered and touched, and answers a set-value
    request the way a host does: by calling the effect's update path back,
    either later (queued, delivered by deliverPending) or before the request
    returns (synchronous).

    State (under the object's lock, which is never held while the update path
    runs, so a delivery may call straight back into this object): the delivery mode,
    the update path, the queued requests in arrival order, the registered and
    the touched identifiers.
*/
class HostAutomationDelegate final : public HostUnknownImpl<AAX_IACFAutomationDelegate>
{
public:
    enum class Delivery
    {
        queued,
        synchronous
    };

    /** The effect's update path: identifier and normalised value. */
    using UpdatePath = std::function<void (const std::string& parameterID, double normalizedValue)>;

    explicit HostAutomationDelegate (HostContext& context)
        : HostUnknownImpl (context, "automation")
    {
    }

    void setDelivery (Delivery delivery)
    {
        locked ([&]
                { deliveryMode = delivery; });
    }

    void setUpdatePath (UpdatePath path)
    {
        locked ([&]
                { updatePath = std::move (path); });
    }

    /** Sends every queued request to the update path, in order; returns how many. */
    int deliverPending();

    int pendingRequests() const
    {
        return locked ([&]
                       { return static_cast<int> (queue.size()); });
    }
    bool isRegistered (const std::string& parameterID) const
    {
        return locked ([&]
                       { return registered.count (parameterID) != 0; });
    }
    int registeredCount() const
    {
        return locked ([&]
                       { return static_cast<int> (registered.size()); });
    }
    bool isTouched (const std::string& parameterID) const
    {
        return locked ([&]
                       { return touched.count (parameterID) != 0; });
    }

    AAX_Result RegisterParameter (const char* parameterID) override
    {
        return changed (recorded ("RegisterParameter", parameterID), [&]
                        { registered.insert (textOf (parameterID)); });
    }

    AAX_Result UnregisterParameter (const char* parameterID) override;
    AAX_Result PostSetValueRequest (const char* parameterID, double normalizedValue) override;
    AAX_Result PostCurrentValue (const char* parameterID, double normalizedValue) override { return recorded ("PostCurrentValue", parameterID, normalizedValue); }
    AAX_Result PostTouchRequest (const char* parameterID) override
    {
        return changed (recorded ("PostTouchRequest", parameterID), [&]
                        { touched.insert (textOf (parameterID)); });
    }

    AAX_Result PostReleaseRequest (const char* parameterID) override
    {
        return changed (recorded ("PostReleaseRequest", parameterID), [&]
                        { touched.erase (textOf (parameterID)); });
    }

    AAX_Result GetTouchState (const char* parameterID, AAX_CBoolean* touched) override;

private:
    struct Request
    {
        std::string parameterID;
        double normalizedValue;
    };

    static std::string textOf (const char* parameterID) { return parameterID != nullptr ? parameterID : ""; }
    void deliver (const Request& request);

    Delivery deliveryMode = Delivery::queued;
    UpdatePath updatePath;
    std::deque<Request> queue;
    std::set<std::string> registered;
    std::set<std::string> touched;
};

/** The host's transport, both versions: it records every call and answers what the switches say. */
class HostTransport final : public HostUnknownImpl<AAX_IACFTransport_V2>
{
public:
    /** What the transport answers; ticks at 960000 a quarter note. */
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
        int64_t selectionStart = 0;
        int32_t frameRateCode = 0;
        int32_t timeCodeOffset = 0;
    };

    explicit HostTransport (HostContext& context)
        : HostUnknownImpl (context, "transport")
    {
    }

    void setScript (const Script& newScript)
    {
        locked ([&]
                { script = newScript; });
    }

    /** The named operation (e.g. "GetCurrentTempo") answers failure and writes nothing. */
    void failOperation (const std::string& operation, AAX_Result failure)
    {
        locked ([&]
                { failures[operation] = failure; });
    }

    AAX_Result GetCurrentTempo (double* beatsPerMinute) override
    {
        return answer (
            "GetCurrentTempo", [&] (const Script& s)
            { write (beatsPerMinute, s.tempo, 0); },
            beatsPerMinute);
    }
    AAX_Result GetCurrentMeter (int32_t* numerator, int32_t* denominator) override
    {
        return answer (
            "GetCurrentMeter", [&] (const Script& s)
            { write (numerator, s.meterNumerator, 0); write (denominator, s.meterDenominator, 0); },
            numerator,
            denominator);
    }
    AAX_Result IsTransportPlaying (AAX_CBoolean* playing) override
    {
        return answer (
            "IsTransportPlaying", [&] (const Script& s)
            { write (playing, (AAX_CBoolean) s.playing, 0); },
            playing);
    }
    AAX_Result GetCurrentTickPosition (int64_t* tick) override
    {
        return answer (
            "GetCurrentTickPosition", [&] (const Script& s)
            { write (tick, s.tickPosition, 0); },
            tick);
    }
    AAX_Result GetCurrentLoopPosition (AAX_CBoolean* looping, int64_t* start, int64_t* end) override
    {
        return answer (
            "GetCurrentLoopPosition", [&] (const Script& s)
            { write (looping, (AAX_CBoolean) s.looping, 0); write (start, s.loopStartTick, 0); write (end, s.loopEndTick, 0); },
            looping,
            start,
            end);
    }
    AAX_Result GetCurrentNativeSampleLocation (int64_t* location) override
    {
        return answer (
            "GetCurrentNativeSampleLocation", [&] (const Script& s)
            { write (location, s.nativeSampleLocation, 0); },
            location);
    }
    AAX_Result GetCustomTickPosition (int64_t* tick, int64_t location) override { return recorded ("GetCustomTickPosition", tick, location); }
    AAX_Result GetBarBeatPosition (int32_t* bars, int32_t* beats, int64_t* ticks, int64_t location) override { return recorded ("GetBarBeatPosition", bars, beats, ticks, location); }
    AAX_Result GetTicksPerQuarter (uint32_t* ticks) override { return recorded ("GetTicksPerQuarter", ticks); }
    AAX_Result GetCurrentTicksPerBeat (uint32_t* ticks) override { return recorded ("GetCurrentTicksPerBeat", ticks); }
    AAX_Result GetTimelineSelectionStartPosition (int64_t* location) override
    {
        return answer (
            "GetTimelineSelectionStartPosition", [&] (const Script& s)
            { write (location, s.selectionStart, 0); },
            location);
    }
    AAX_Result GetTimeCodeInfo (int32_t* frameRateCode, int32_t* offset) override
    {
        return answer (
            "GetTimeCodeInfo", [&] (const Script& s)
            { write (frameRateCode, s.frameRateCode, 0); write (offset, s.timeCodeOffset, 0); },
            frameRateCode,
            offset);
    }
    AAX_Result GetFeetFramesInfo (int32_t* rateCode, int64_t* offset) override { return recorded ("GetFeetFramesInfo", rateCode, offset); }
    AAX_Result IsMetronomeEnabled (int32_t* enabled) override { return recorded ("IsMetronomeEnabled", enabled); }

private:
    /** Records the call; a scripted failure or the host's answer writes nothing, success
        fills the caller's out values from the script. */
    template <typename Fill, typename... Arguments>
    AAX_Result answer (const char* operation, Fill&& fill, const Arguments&... arguments)
    {
        const auto result = recorded (operation, arguments...);
        return locked ([&]
                       {
                           const auto failure = failures.find (operation);

                           if (failure != failures.end())
                               return failure->second;

                           if (result == kAAX_Success)
                               fill (script);

                           return result; });
    }

    Script script;
    std::map<std::string, AAX_Result> failures;
};

/**
    The IACFUnknown a host hands to an effect instance when it initialises it.
    Queries for the controller, automation or transport interfaces are answered
    by its own controller, automation delegate and transport objects (the
    reference is added to that object), so the plug-in's run-time wrappers find
    everything on one unknown. Queries for the effect-parameters interfaces go
    to the plug-in's effect object once one is attached, as a host does for the
    GUI object of the same instance. Withheld interfaces stay withheld.

    State: one reference to each of its three parts and one to the attached
    effect object, given back when the instance goes.
*/
class HostEffectInstance final : public HostUnknownImpl<IACFUnknown>
{
public:
    explicit HostEffectInstance (HostContext& context);

    HostController& controller() { return *controllerPart; }
    HostAutomationDelegate& automation() { return *automationPart; }
    HostTransport& transport() { return *transportPart; }

    /** Answers effect-parameters queries with this plug-in object (a reference is held). */
    void attachEffect (IACFUnknown* effectObject) { effect.retain (effectObject); }

    /** Gives back the attached effect object, if any. */
    void detachEffect() { effect.reset(); }

    ACFResult QueryInterface (const ACFGuid& interfaceID, void** outInterface) override;

private:
    HostReference<HostController> controllerPart = makeHostObject<HostController> (context());
    HostReference<HostAutomationDelegate> automationPart = makeHostObject<HostAutomationDelegate> (context());
    HostReference<HostTransport> transportPart = makeHostObject<HostTransport> (context());
    ACFPtr<IACFUnknown> effect;
};
