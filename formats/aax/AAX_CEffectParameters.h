#pragma once

#include "formats/aax/AAX_CChunkDataParser.h"
#include "formats/aax/AAX_CPacketDispatcher.h"
#include "formats/aax/AAX_CParameterRegistry.h"
#include "formats/aax/AAX_IEffectParameters.h"
#include "formats/aax/AAX_SChunkRecord.h"
#include "formats/aax/CACFUnknown.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <set>
#include <string>

class AAX_VAutomationDelegate;
class AAX_VController;
class AAX_VTransport;

/**
    The base of a plug-in's effect object: everything the host asks of an
    effect, with a working default for each.

    A plug-in derives from it, registers its parameters and packets in
    EffectInit (through GetParameterRegistry and GetPacketDispatcher), and
    overrides the operations that must reach its own processing. The controls
    chunk "elck" is chunk 0; a derived class adds its own chunks behind it by
    answering their indices and identifiers itself and handing every other one
    to the base.

    State:
    - change counter: accepted parameter updates (and whatever the derived
      class counts), atomic because updates arrive on several host threads;
    - last reported chunk size: what GetChunkSize reported last, 0 before;
      GetChunk writes only a chunk of exactly that size;
    - chunk parser: the working list of the controls chunk, rebuilt or reloaded
      by every chunk operation;
    - packet dispatcher: the parameters' coefficient packets;
    - parameter registry: the parameters, owned;
    - excluded identifiers: parameters left out of the controls chunk;
    - controller, automation delegate and transport: wrappers of the host's
      interfaces for this instance, owned, present only between Initialize and
      Uninitialize (or destruction).

    Objects are reference counted: made with new, gone with the host's last
    Release. The host calls chunk operations one at a time per instance.
*/
class AAX_CEffectParameters : public AAX_IEffectParameters, public CACFUnknown
{
public:
    static constexpr uint32_t kControlsChunkID = AAX_FourCharCode ("elck");
    static constexpr const char* kControlsChunkName = "Complete Controls State";
    static constexpr const char* kMasterBypassID = "MasterBypassID";
    static constexpr const char* kPreviewID = "PreviewID";
    static constexpr uint32_t kPreviewNotification = AAX_FourCharCode ("ASPv");

    AAX_CEffectParameters();
    ~AAX_CEffectParameters() override;

    // IACFUnknown, forwarded to the outer object.
    ACFResult QueryInterface (const ACFGuid& interfaceID, void** outInterface) override;
    uint32_t AddRef() override;
    uint32_t Release() override;

    /**
        Wraps the host's controller, automation and transport for this instance,
        hands them to the registry and the dispatcher, runs EffectInit and then
        leaves the master bypass out of the controls chunk. A second call first
        gives back everything the first one set up.
    */
    AAX_Result Initialize (IACFUnknown* hostUnknown) override;

    /** Deletes every parameter and packet registration, then the host wrappers. */
    AAX_Result Uninitialize() override;

    /** A preview notification sets the "PreviewID" parameter when there is one. */
    AAX_Result NotificationReceived (uint32_t notificationType, const void* data, uint32_t dataSize) override;

    AAX_Result GetNumberOfParameters (int32_t* outCount) override;
    AAX_Result GetMasterBypassParameter (AAX_IString* outIdentifier) override;
    AAX_Result GetParameterIsAutomatable (const char* parameterID, AAX_CBoolean* outAutomatable) override;
    AAX_Result GetParameterNumberOfSteps (const char* parameterID, int32_t* outSteps) override;
    AAX_Result GetParameterName (const char* parameterID, AAX_IString* outName) override;

    /** The longest line of the name shortened for length that fits it, else its first length characters. */
    AAX_Result GetParameterNameOfLength (const char* parameterID, AAX_IString* outName, int32_t length) override;
    AAX_Result GetParameterDefaultNormalizedValue (const char* parameterID, double* outValue) override;
    AAX_Result SetParameterDefaultNormalizedValue (const char* parameterID, double value) override;
    AAX_Result GetParameterType (const char* parameterID, int32_t* outType) override;
    AAX_Result GetParameterOrientation (const char* parameterID, int32_t* outOrientation) override;
    AAX_Result GetParameter (const char* parameterID, AAX_IParameter** outParameter) override;
    AAX_Result GetParameterIndex (const char* parameterID, int32_t* outIndex) override;
    AAX_Result GetParameterIDFromIndex (int32_t index, AAX_IString* outIdentifier) override;
    AAX_Result GetParameterValueInfo (const char* parameterID, int32_t selector, int32_t* outValue) override;
    AAX_Result GetParameterValueFromString (const char* parameterID, double* outValue, const AAX_IString& text) override;
    AAX_Result GetParameterStringFromValue (const char* parameterID, double value, AAX_IString* outText, int32_t maxLength) override;
    AAX_Result GetParameterValueString (const char* parameterID, AAX_IString* outText, int32_t maxLength) override;
    AAX_Result GetParameterNormalizedValue (const char* parameterID, double* outValue) override;

    /** A request: with the host's automation attached the value changes only when the host answers. */
    AAX_Result SetParameterNormalizedValue (const char* parameterID, double value) override;
    AAX_Result SetParameterNormalizedRelative (const char* parameterID, double delta) override;
    AAX_Result TouchParameter (const char* parameterID) override;
    AAX_Result ReleaseParameter (const char* parameterID) override;
    AAX_Result UpdateParameterTouch (const char* parameterID, AAX_CBoolean touched) override;

    /** The host's answer: stores the value, marks its packets dirty and counts one change. */
    AAX_Result UpdateParameterNormalizedValue (const char* parameterID, double value, int32_t updateSource) override;
    AAX_Result UpdateParameterNormalizedRelative (const char* parameterID, double delta) override;

    /** Posts every dirty packet to the host. */
    AAX_Result GenerateCoefficients() override;
    AAX_Result ResetFieldData (uint32_t fieldIndex, void* data, uint32_t dataSize) override;

    AAX_Result GetNumberOfChunks (int32_t* outCount) override;
    AAX_Result GetChunkIDFromIndex (int32_t index, uint32_t* outChunkID) override;
    AAX_Result GetChunkSize (uint32_t chunkID, uint32_t* outSize) override;
    AAX_Result GetChunk (uint32_t chunkID, AAX_SChunkRecord* chunk) override;

    /** A damaged controls chunk restores nothing and still answers 0. */
    AAX_Result SetChunk (uint32_t chunkID, const AAX_SChunkRecord* chunk) override;

    /** A chunk other than the controls chunk always compares equal. */
    AAX_Result CompareActiveChunk (const AAX_SChunkRecord* chunk, AAX_CBoolean* outIsEqual) override;
    AAX_Result GetNumberOfChanges (int32_t* outCount) override;

    AAX_Result DefaultSlot40() override;
    AAX_Result DefaultSlot41() override;
    AAX_Result DefaultSlot42 (int32_t first, int32_t second, int32_t third, int32_t* outFourth) override;
    AAX_Result DefaultSlot43() override;
    AAX_Result DefaultSlot44() override;
    AAX_Result DefaultSlot45() override;
    AAX_Result DefaultSlot46() override;
    AAX_Result DefaultSlot47() override;

    /** Answers both effect-parameters interface versions with this object. */
    ACFResult InternalQueryInterface (const ACFGuid& interfaceID, void** outInterface) override;

    /** The host's controller for this instance; null outside Initialize .. Uninitialize. */
    AAX_VController* Controller();

    /** The host's transport for this instance; null outside Initialize .. Uninitialize. */
    AAX_VTransport* Transport();

    /** Leaves the parameter with that identifier out of the controls chunk (null is ignored). */
    void ExcludeParameterFromChunk (const char* parameterID);

    /** Rebuilds the chunk parser's list from the parameters' current values. */
    void CollectChunkValues();

protected:
    /**
        Called by Initialize once the host wrappers are in place: the place to
        register parameters and packets. A non-zero result is handed to the host.
    */
    virtual AAX_Result EffectInit();

    AAX_CParameterRegistry& GetParameterRegistry() { return parameterRegistry; }
    AAX_CPacketDispatcher& GetPacketDispatcher() { return packetDispatcher; }
    AAX_CChunkDataParser& GetChunkParser() { return chunkParser; }

    /** Counts one change that GetNumberOfChanges reports (a latency change, say). */
    void IncrementChangeCounter();

private:
    void releaseHostObjects();
    bool isExcluded (const char* parameterID) const;

    std::atomic<int32_t> changeCounter { 0 };
    int32_t lastReportedChunkSize = 0;
    AAX_CChunkDataParser chunkParser;
    AAX_CPacketDispatcher packetDispatcher;
    AAX_CParameterRegistry parameterRegistry;
    std::set<std::string> excludedIdentifiers;
    std::unique_ptr<AAX_VController> controller;
    std::unique_ptr<AAX_VTransport> transport;
    std::unique_ptr<AAX_VAutomationDelegate> automationDelegate;
};
