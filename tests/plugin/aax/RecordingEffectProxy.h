#pragma once

#include "formats/aax/AAX_IACFEffectParameters.h"
#include "formats/aax/host/HostObject.h"

#include <cstdint>
#include <vector>

/*  An effect-parameters interface that is not the plug-in's own object: it answers the
    parameter count and the identifiers by asking the plug-in's effect, and records each
    identifier request. Every other operation answers kAAX_ErrorUnsupported. A host
    instance that hands this out in place of the effect shows what a GUI object asks of
    the effect and that it makes no editor for an object it does not know. */
class RecordingEffectProxy final : public HostUnknownImpl<AAX_IACFEffectParameters_V2>
{
public:
    RecordingEffectProxy (HostContext& context, AAX_IACFEffectParameters& realEffect);

    std::vector<int32_t> identifierRequests() const { return requests; }

    AAX_Result GetNumberOfParameters (int32_t* outCount) override;
    AAX_Result GetParameterIDFromIndex (int32_t index, AAX_IString* outIdentifier) override;

    AAX_Result Initialize (IACFUnknown*) override { return kAAX_ErrorUnsupported; }
    AAX_Result Uninitialize() override { return kAAX_ErrorUnsupported; }
    AAX_Result NotificationReceived (uint32_t, const void*, uint32_t) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetMasterBypassParameter (AAX_IString*) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetParameterIsAutomatable (const char*, AAX_CBoolean*) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetParameterNumberOfSteps (const char*, int32_t*) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetParameterName (const char*, AAX_IString*) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetParameterNameOfLength (const char*, AAX_IString*, int32_t) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetParameterDefaultNormalizedValue (const char*, double*) override { return kAAX_ErrorUnsupported; }
    AAX_Result SetParameterDefaultNormalizedValue (const char*, double) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetParameterType (const char*, int32_t*) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetParameterOrientation (const char*, int32_t*) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetParameter (const char*, AAX_IParameter**) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetParameterIndex (const char*, int32_t*) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetParameterValueInfo (const char*, int32_t, int32_t*) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetParameterValueFromString (const char*, double*, const AAX_IString&) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetParameterStringFromValue (const char*, double, AAX_IString*, int32_t) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetParameterValueString (const char*, AAX_IString*, int32_t) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetParameterNormalizedValue (const char*, double*) override { return kAAX_ErrorUnsupported; }
    AAX_Result SetParameterNormalizedValue (const char*, double) override { return kAAX_ErrorUnsupported; }
    AAX_Result SetParameterNormalizedRelative (const char*, double) override { return kAAX_ErrorUnsupported; }
    AAX_Result TouchParameter (const char*) override { return kAAX_ErrorUnsupported; }
    AAX_Result ReleaseParameter (const char*) override { return kAAX_ErrorUnsupported; }
    AAX_Result UpdateParameterTouch (const char*, AAX_CBoolean) override { return kAAX_ErrorUnsupported; }
    AAX_Result UpdateParameterNormalizedValue (const char*, double, int32_t) override { return kAAX_ErrorUnsupported; }
    AAX_Result UpdateParameterNormalizedRelative (const char*, double) override { return kAAX_ErrorUnsupported; }
    AAX_Result GenerateCoefficients() override { return kAAX_ErrorUnsupported; }
    AAX_Result ResetFieldData (uint32_t, void*, uint32_t) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetNumberOfChunks (int32_t*) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetChunkIDFromIndex (int32_t, uint32_t*) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetChunkSize (uint32_t, uint32_t*) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetChunk (uint32_t, AAX_SChunkRecord*) override { return kAAX_ErrorUnsupported; }
    AAX_Result SetChunk (uint32_t, const AAX_SChunkRecord*) override { return kAAX_ErrorUnsupported; }
    AAX_Result CompareActiveChunk (const AAX_SChunkRecord*, AAX_CBoolean*) override { return kAAX_ErrorUnsupported; }
    AAX_Result GetNumberOfChanges (int32_t*) override { return kAAX_ErrorUnsupported; }
    AAX_Result DefaultSlot40() override { return kAAX_ErrorUnsupported; }
    AAX_Result DefaultSlot41() override { return kAAX_ErrorUnsupported; }
    AAX_Result DefaultSlot42 (int32_t, int32_t, int32_t, int32_t*) override { return kAAX_ErrorUnsupported; }
    AAX_Result DefaultSlot43() override { return kAAX_ErrorUnsupported; }
    AAX_Result DefaultSlot44() override { return kAAX_ErrorUnsupported; }
    AAX_Result DefaultSlot45() override { return kAAX_ErrorUnsupported; }
    AAX_Result DefaultSlot46() override { return kAAX_ErrorUnsupported; }
    AAX_Result DefaultSlot47() override { return kAAX_ErrorUnsupported; }

protected:
    void* findInterface (const ACFGuid& interfaceID) override;

private:
    AAX_IACFEffectParameters& effect;
    std::vector<int32_t> requests;
};
