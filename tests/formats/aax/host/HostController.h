#pragma once

#include "formats/aax/AAX_IACFController.h"
#include "formats/aax/host/HostObject.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

/**
    The host's controller of one plug-in instance, both versions. It answers
    from settings a test can change, stores what the plug-in tells it (latency,
    cycle counts, posted packets, notifications) and records every call in the
    context's log. Withholding the second version through the switches makes a
    host of the first version only.

    State, guarded by one lock because packets arrive on the coefficient thread:
    the settings; the latency reported last and every latency reported; the
    posted packets and notifications in arrival order; and the answer every
    operation gives (0 unless set), written through to the out values anyway.
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

    struct Notification
    {
        uint32_t type;
        std::vector<uint8_t> bytes;
    };

    /** What the host answers; four channels in and out at 48 kHz by default. */
    struct Settings
    {
        std::string effectID = "com.brellick.quorvel";
        float sampleRate = 48000.0f;
        int32_t inputStemFormat = 0x00040004;
        int32_t outputStemFormat = 0x00040004;
        int64_t timeOfDayLocation = 0;
        int32_t hybridLatency = 0;
        int64_t targetPlatform = 0;
        bool isAudioSuite = false;
        std::map<uint32_t, float> meterValues;
        std::map<uint32_t, float> meterPeaks;
        std::map<uint32_t, bool> meterClipped;
    };

    explicit HostController (HostContext& context);

    void setSettings (const Settings& newSettings);
    Settings settings() const;
    void setAnswer (AAX_Result answer);

    int32_t latency() const;
    std::vector<int32_t> latencyReports() const;
    std::vector<PostedPacket> postedPackets() const;
    std::vector<Notification> notifications() const;
    std::map<uint32_t, int32_t> cycleCounts() const;

    AAX_Result GetEffectID (AAX_IString* effectID) override;
    AAX_Result GetSampleRate (float* sampleRate) override;
    AAX_Result GetInputStemFormat (int32_t* stemFormat) override;
    AAX_Result GetOutputStemFormat (int32_t* stemFormat) override;
    AAX_Result GetSignalLatency (int32_t* samples) override;
    AAX_Result GetCycleCount (uint32_t whichCount, int32_t* count) override;
    AAX_Result GetTODLocation (int64_t* location) override;
    AAX_Result SetSignalLatency (int32_t samples) override;
    AAX_Result SetCycleCount (uint32_t* countKinds, int32_t* counts, int32_t numCounts) override;
    AAX_Result PostPacket (uint32_t fieldIndex, const void* payload, uint32_t payloadSize) override;
    AAX_Result GetCurrentMeterValue (uint32_t meterID, float* value) override;
    AAX_Result GetMeterPeakValue (uint32_t meterID, float* value) override;
    AAX_Result ClearMeterPeakValue (uint32_t meterID) override;
    AAX_Result GetMeterClipped (uint32_t meterID, AAX_CBoolean* clipped) override;
    AAX_Result ClearMeterClipped (uint32_t meterID) override;
    AAX_Result GetMeterCount (uint32_t* numMeters) override;
    AAX_Result GetNextMIDIPacket (uint32_t* port, AAX_MIDIPacketRecord* packet) override;
    AAX_Result SendNotification (uint32_t notificationType, const void* data, uint32_t dataSize) override;
    AAX_Result GetHybridSignalLatency (int32_t* samples) override;
    AAX_Result GetPlugInTargetPlatform (int64_t* platform) override;
    AAX_Result GetIsAudioSuite (AAX_CBoolean* isAudioSuite) override;

protected:
    void* findInterface (const ACFGuid& interfaceID) override;

private:
    static std::vector<uint8_t> copyOf (const void* data, uint32_t size);

    /** Records a read of one setting and answers it under the lock. */
    template <typename Value>
    AAX_Result reportSetting (const char* operation, Value* destination, Value Settings::*setting);

    /** Records a read of one meter's reading and answers it (0 for a meter it does not know). */
    AAX_Result reportMeter (const char* operation, uint32_t meterID, float* destination, std::map<uint32_t, float> Settings::*meters);

    mutable std::mutex lock;
    Settings current;
    AAX_Result answer = kAAX_Success;
    int32_t reportedLatency = 0;
    std::vector<int32_t> latencies;
    std::vector<PostedPacket> packets;
    std::vector<Notification> received;
    std::map<uint32_t, int32_t> counts;
};
