#include "formats/aax/AAX_VController.h"

#include "formats/aax/AAX_HostForwarding.h"
#include "formats/aax/AAX_Identifiers.h"

AAX_VController::AAX_VController (IACFUnknown* hostUnknown)
{
    if (hostUnknown == nullptr)
        return;

    // The second version is asked for whatever the first query answered; a
    // refused query leaves its holder empty.
    hostUnknown->QueryInterface (kIID_AAX_IACFController, controller.outPointer());
    hostUnknown->QueryInterface (kIID_AAX_IACFController_V2, controllerV2.outPointer());
}

AAX_VController::~AAX_VController()
{
    controllerV2.reset();
    controller.reset();
}

AAX_Result AAX_VController::GetEffectID (AAX_IString* effectID) const
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::GetEffectID, effectID);
}

AAX_Result AAX_VController::GetSampleRate (float* sampleRate) const
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::GetSampleRate, sampleRate);
}

AAX_Result AAX_VController::GetInputStemFormat (int32_t* stemFormat) const
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::GetInputStemFormat, stemFormat);
}

AAX_Result AAX_VController::GetOutputStemFormat (int32_t* stemFormat) const
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::GetOutputStemFormat, stemFormat);
}

AAX_Result AAX_VController::GetSignalLatency (int32_t* samples) const
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::GetSignalLatency, samples);
}

AAX_Result AAX_VController::GetCycleCount (uint32_t whichCount, int32_t* count) const
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::GetCycleCount, whichCount, count);
}

AAX_Result AAX_VController::GetTODLocation (int64_t* sampleLocation) const
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::GetTODLocation, sampleLocation);
}

AAX_Result AAX_VController::SetSignalLatency (int32_t samples)
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::SetSignalLatency, samples);
}

AAX_Result AAX_VController::SetCycleCount (uint32_t* countKinds, int32_t* counts, int32_t numCounts)
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::SetCycleCount, countKinds, counts, numCounts);
}

AAX_Result AAX_VController::PostPacket (uint32_t fieldIndex, const void* payload, uint32_t payloadSize)
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::PostPacket, fieldIndex, payload, payloadSize);
}

AAX_Result AAX_VController::SendNotification (uint32_t notificationType, const void* data, uint32_t dataSize)
{
    return AAX_ForwardToHost (controllerV2, kAAX_ErrorUnsupported, &AAX_IACFController_V2::SendNotification, notificationType, data, dataSize);
}

AAX_Result AAX_VController::GetCurrentMeterValue (uint32_t meterID, float* value) const
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::GetCurrentMeterValue, meterID, value);
}

AAX_Result AAX_VController::GetMeterPeakValue (uint32_t meterID, float* value) const
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::GetMeterPeakValue, meterID, value);
}

AAX_Result AAX_VController::ClearMeterPeakValue (uint32_t meterID) const
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::ClearMeterPeakValue, meterID);
}

AAX_Result AAX_VController::GetMeterCount (uint32_t* numMeters) const
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::GetMeterCount, numMeters);
}

AAX_Result AAX_VController::GetMeterClipped (uint32_t meterID, AAX_CBoolean* clipped) const
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::GetMeterClipped, meterID, clipped);
}

AAX_Result AAX_VController::ClearMeterClipped (uint32_t meterID) const
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::ClearMeterClipped, meterID);
}

AAX_Result AAX_VController::GetNextMIDIPacket (uint32_t* port, AAX_MIDIPacketRecord* packet)
{
    return AAX_ForwardToHost (controller, kAAX_ErrorNullObject, &AAX_IACFController::GetNextMIDIPacket, port, packet);
}

AAX_Result AAX_VController::GetHybridSignalLatency (int32_t* samples) const
{
    return AAX_ForwardToHost (controllerV2, kAAX_ErrorUnsupported, &AAX_IACFController_V2::GetHybridSignalLatency, samples);
}

AAX_Result AAX_VController::GetPlugInTargetPlatform (int64_t* platform) const
{
    // Without the second version the platform also reads as unknown.
    if (! controllerV2 && platform != nullptr)
        *platform = 0;

    return AAX_ForwardToHost (controllerV2, kAAX_ErrorUnsupported, &AAX_IACFController_V2::GetPlugInTargetPlatform, platform);
}

AAX_Result AAX_VController::GetIsAudioSuite (AAX_CBoolean* isAudioSuite) const
{
    return AAX_ForwardToHost (controllerV2, kAAX_ErrorUnsupported, &AAX_IACFController_V2::GetIsAudioSuite, isAudioSuite);
}
