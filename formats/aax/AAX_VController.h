#pragma once

#include "formats/aax/AAX_IACFController.h"
#include "formats/aax/AAX_IController.h"
#include "formats/aax/ACFPtr.h"

//==============================================================================
/** The plug-in's view of the host controller of one instance.

    State: the host's first and second controller interfaces, each holding one
    reference or null, queried once at construction and given back at
    destruction. An interface missing then stays missing: its operations answer
    -20004 (first version) or -20009 (second) without calling the host.
*/
class AAX_VController : public AAX_IController
{
public:
    /** The host's object for the instance; null makes a controller that
        answers every operation with its missing-interface code.
    */
    explicit AAX_VController (IACFUnknown* hostUnknown);
    ~AAX_VController() override;

    AAX_VController (const AAX_VController&) = delete;
    AAX_VController& operator= (const AAX_VController&) = delete;

    AAX_Result GetEffectID (AAX_IString* effectID) const override;
    AAX_Result GetSampleRate (float* sampleRate) const override;
    AAX_Result GetInputStemFormat (int32_t* stemFormat) const override;
    AAX_Result GetOutputStemFormat (int32_t* stemFormat) const override;
    AAX_Result GetSignalLatency (int32_t* samples) const override;
    AAX_Result GetCycleCount (uint32_t whichCount, int32_t* count) const override;
    AAX_Result GetTODLocation (int64_t* sampleLocation) const override;
    AAX_Result SetSignalLatency (int32_t samples) override;
    AAX_Result SetCycleCount (uint32_t* countKinds, int32_t* counts, int32_t numCounts) override;
    AAX_Result PostPacket (uint32_t fieldIndex, const void* payload, uint32_t payloadSize) override;
    AAX_Result SendNotification (uint32_t notificationType, const void* data, uint32_t dataSize) override;
    AAX_Result GetCurrentMeterValue (uint32_t meterID, float* value) const override;
    AAX_Result GetMeterPeakValue (uint32_t meterID, float* value) const override;
    AAX_Result ClearMeterPeakValue (uint32_t meterID) const override;
    AAX_Result GetMeterCount (uint32_t* numMeters) const override;
    AAX_Result GetMeterClipped (uint32_t meterID, AAX_CBoolean* clipped) const override;
    AAX_Result ClearMeterClipped (uint32_t meterID) const override;
    AAX_Result GetNextMIDIPacket (uint32_t* port, AAX_MIDIPacketRecord* packet) override;
    AAX_Result GetHybridSignalLatency (int32_t* samples) const override;
    AAX_Result GetPlugInTargetPlatform (int64_t* platform) const override;
    AAX_Result GetIsAudioSuite (AAX_CBoolean* isAudioSuite) const override;

private:
    ACFPtr<AAX_IACFController> controller;
    ACFPtr<AAX_IACFController_V2> controllerV2;
};
