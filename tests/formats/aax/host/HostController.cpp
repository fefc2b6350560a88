#include "formats/aax/host/HostController.h"

#include "formats/aax/AAX_IString.h"
#include "formats/aax/AAX_Identifiers.h"

#include <cstring>

HostController::HostController (HostContext& context)
    : HostUnknownImpl (context, "controller")
{
}

void HostController::setSettings (const Settings& newSettings)
{
    const std::lock_guard<std::mutex> guard (lock);
    current = newSettings;
}

HostController::Settings HostController::settings() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return current;
}

void HostController::setAnswer (AAX_Result newAnswer)
{
    const std::lock_guard<std::mutex> guard (lock);
    answer = newAnswer;
}

int32_t HostController::latency() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return reportedLatency;
}

std::vector<int32_t> HostController::latencyReports() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return latencies;
}

std::vector<HostController::PostedPacket> HostController::postedPackets() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return packets;
}

std::vector<HostController::Notification> HostController::notifications() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return received;
}

std::map<uint32_t, int32_t> HostController::cycleCounts() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return counts;
}

std::vector<uint8_t> HostController::copyOf (const void* data, uint32_t size)
{
    std::vector<uint8_t> bytes;

    if (data != nullptr && size > 0)
    {
        bytes.resize (size);
        std::memcpy (bytes.data(), data, size);
    }

    return bytes;
}

template <typename Value>
AAX_Result HostController::reportSetting (const char* operation, Value* destination, Value Settings::*setting)
{
    record (operation, destination);
    const std::lock_guard<std::mutex> guard (lock);

    if (destination != nullptr)
        *destination = current.*setting;

    return answer;
}

AAX_Result HostController::reportMeter (const char* operation, uint32_t meterID, float* destination, std::map<uint32_t, float> Settings::*meters)
{
    record (operation, meterID, destination);
    const std::lock_guard<std::mutex> guard (lock);
    const auto& readings = current.*meters;

    if (destination != nullptr)
        *destination = readings.count (meterID) != 0 ? readings.at (meterID) : 0.0f;

    return answer;
}

//==============================================================================
AAX_Result HostController::GetEffectID (AAX_IString* effectID)
{
    record ("GetEffectID", effectID);
    const std::lock_guard<std::mutex> guard (lock);

    if (effectID != nullptr)
        effectID->Set (current.effectID.c_str());

    return answer;
}

AAX_Result HostController::GetSampleRate (float* sampleRate)
{
    return reportSetting ("GetSampleRate", sampleRate, &Settings::sampleRate);
}

AAX_Result HostController::GetInputStemFormat (int32_t* stemFormat)
{
    return reportSetting ("GetInputStemFormat", stemFormat, &Settings::inputStemFormat);
}

AAX_Result HostController::GetOutputStemFormat (int32_t* stemFormat)
{
    return reportSetting ("GetOutputStemFormat", stemFormat, &Settings::outputStemFormat);
}

AAX_Result HostController::GetSignalLatency (int32_t* samples)
{
    record ("GetSignalLatency", samples);
    const std::lock_guard<std::mutex> guard (lock);

    if (samples != nullptr)
        *samples = reportedLatency;

    return answer;
}

AAX_Result HostController::GetCycleCount (uint32_t whichCount, int32_t* count)
{
    record ("GetCycleCount", whichCount, count);
    const std::lock_guard<std::mutex> guard (lock);

    if (count != nullptr)
    {
        const auto found = counts.find (whichCount);
        *count = found != counts.end() ? found->second : 0;
    }

    return answer;
}

AAX_Result HostController::GetTODLocation (int64_t* location)
{
    return reportSetting ("GetTODLocation", location, &Settings::timeOfDayLocation);
}

AAX_Result HostController::SetSignalLatency (int32_t samples)
{
    record ("SetSignalLatency", samples);
    const std::lock_guard<std::mutex> guard (lock);
    reportedLatency = samples;
    latencies.push_back (samples);
    return answer;
}

AAX_Result HostController::SetCycleCount (uint32_t* countKinds, int32_t* values, int32_t numCounts)
{
    record ("SetCycleCount", countKinds, values, numCounts);
    const std::lock_guard<std::mutex> guard (lock);

    if (countKinds != nullptr && values != nullptr)
        for (int32_t i = 0; i < numCounts; ++i)
            counts[countKinds[i]] = values[i];

    return answer;
}

AAX_Result HostController::PostPacket (uint32_t fieldIndex, const void* payload, uint32_t payloadSize)
{
    record ("PostPacket", fieldIndex, payload, payloadSize);
    const std::lock_guard<std::mutex> guard (lock);
    packets.push_back ({ fieldIndex, copyOf (payload, payloadSize) });
    return answer;
}

AAX_Result HostController::GetCurrentMeterValue (uint32_t meterID, float* value)
{
    return reportMeter ("GetCurrentMeterValue", meterID, value, &Settings::meterValues);
}

AAX_Result HostController::GetMeterPeakValue (uint32_t meterID, float* value)
{
    return reportMeter ("GetMeterPeakValue", meterID, value, &Settings::meterPeaks);
}

AAX_Result HostController::ClearMeterPeakValue (uint32_t meterID)
{
    record ("ClearMeterPeakValue", meterID);
    const std::lock_guard<std::mutex> guard (lock);
    current.meterPeaks.erase (meterID);
    return answer;
}

AAX_Result HostController::GetMeterClipped (uint32_t meterID, AAX_CBoolean* clipped)
{
    record ("GetMeterClipped", meterID, clipped);
    const std::lock_guard<std::mutex> guard (lock);

    if (clipped != nullptr)
        *clipped = current.meterClipped.count (meterID) != 0 && current.meterClipped.at (meterID) ? 1 : 0;

    return answer;
}

AAX_Result HostController::ClearMeterClipped (uint32_t meterID)
{
    record ("ClearMeterClipped", meterID);
    const std::lock_guard<std::mutex> guard (lock);
    current.meterClipped.erase (meterID);
    return answer;
}

AAX_Result HostController::GetMeterCount (uint32_t* numMeters)
{
    record ("GetMeterCount", numMeters);
    const std::lock_guard<std::mutex> guard (lock);

    if (numMeters != nullptr)
        *numMeters = static_cast<uint32_t> (current.meterValues.size());

    return answer;
}

AAX_Result HostController::GetNextMIDIPacket (uint32_t* port, AAX_MIDIPacketRecord* packet)
{
    // This host never has MIDI waiting: it says so by writing an empty packet.
    record ("GetNextMIDIPacket", port, packet);
    const std::lock_guard<std::mutex> guard (lock);

    if (port != nullptr)
        *port = 0;

    if (packet != nullptr)
        *packet = AAX_MIDIPacketRecord {};

    return answer;
}

AAX_Result HostController::SendNotification (uint32_t notificationType, const void* data, uint32_t dataSize)
{
    record ("SendNotification", notificationType, data, dataSize);
    const std::lock_guard<std::mutex> guard (lock);
    received.push_back ({ notificationType, copyOf (data, dataSize) });
    return answer;
}

AAX_Result HostController::GetHybridSignalLatency (int32_t* samples)
{
    return reportSetting ("GetHybridSignalLatency", samples, &Settings::hybridLatency);
}

AAX_Result HostController::GetPlugInTargetPlatform (int64_t* platform)
{
    return reportSetting ("GetPlugInTargetPlatform", platform, &Settings::targetPlatform);
}

AAX_Result HostController::GetIsAudioSuite (AAX_CBoolean* isAudioSuite)
{
    record ("GetIsAudioSuite", isAudioSuite);
    const std::lock_guard<std::mutex> guard (lock);

    if (isAudioSuite != nullptr)
        *isAudioSuite = current.isAudioSuite ? 1 : 0;

    return answer;
}

void* HostController::findInterface (const ACFGuid& interfaceID)
{
    if (interfaceID == kIID_IACFUnknown || interfaceID == kIID_AAX_IACFController || interfaceID == kIID_AAX_IACFController_V2)
        return static_cast<AAX_IACFController_V2*> (this);

    return nullptr;
}
