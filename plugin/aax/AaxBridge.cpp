#include "plugin/aax/AaxBridge.h"

#include "formats/aax/AAX_CBinaryDisplayDelegate.h"
#include "formats/aax/AAX_CBinaryTaperDelegate.h"
#include "formats/aax/AAX_CLinearTaperDelegate.h"
#include "formats/aax/AAX_CNumberDisplayDelegate.h"
#include "formats/aax/AAX_CPacketHandler.h"
#include "formats/aax/AAX_CParameter.h"
#include "formats/aax/AAX_VController.h"
#include "plugin/ProcessorSetup.h"
#include "plugin/aax/AaxParameterID.h"
#include "processor/ParameterTable.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <set>
#include <stdexcept>

namespace
{
constexpr int32_t continuousAboveSteps = 1000;
constexpr int32_t discreteType = 0;
constexpr int32_t continuousType = 1;
constexpr int32_t invertedOrientation = 19;
constexpr int parameterNameLength = 31;
constexpr int shortParameterNameLength = 4;

/** The answer to a value that is not a number the parameter could take. */
constexpr AAX_Result refusedValue = kAAX_ErrorConversionFailed;

/** Every live effect object of the process, so that an interface pointer handed in by
    a host can be recognised without ever being dereferenced. */
std::mutex& liveBridgesMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::set<AaxBridge*>& liveBridges()
{
    static std::set<AaxBridge*> bridges;
    return bridges;
}

float limitToUnitRange (double value) noexcept
{
    return static_cast<float> (ParameterTable::limitToNormalisedRange (value));
}
} // namespace

//==============================================================================
IACFUnknown* AaxBridge::create() noexcept
{
    try
    {
        Parts parts;
        parts.processor = makeQuorvelProcessor (juce::AudioProcessor::wrapperType_AAX);
        return (new AaxBridge (std::move (parts)))->GetPrivateUnknown();
    }
    catch (...)
    {
        return nullptr;
    }
}

AaxBridge::AaxBridge (Parts parts)
    : messageThread (parts.messageThread)
    , processor (std::move (parts.processor))
{
    for (auto* parameter : processor->getParameters())
    {
        parameterIDs.push_back (aaxParameterID ((int) parameters.size()));
        parameters.push_back (parameter);
    }

    processor->setPlayHead (&playHead);

    // The state chunk follows the chunks of the base, whose own count is asked here,
    // before this class answers for it.
    AAX_CEffectParameters::GetNumberOfChunks (&stateChunkIndex);

    {
        const std::lock_guard<std::mutex> lock (liveBridgesMutex());
        liveBridges().insert (this);
    }

    messageThread->addNoticeSender (*this);
}

AaxBridge::~AaxBridge()
{
    messageThread->removeNoticeSender (*this);

    {
        const std::lock_guard<std::mutex> lock (liveBridgesMutex());
        liveBridges().erase (this);
    }

    processor->removeListener (this);

    // The GUI deletes its editor before it gives back the effect; should one still be
    // open, it belongs to the message thread.
    if (processor->getActiveEditor() != nullptr)
    {
        const juce::MessageManagerLock lock;
        processor.reset();
    }

    processor.reset();
}

AaxBridge* AaxBridge::fromInterface (const AAX_IACFEffectParameters* effect) noexcept
{
    if (effect == nullptr)
        return nullptr;

    const std::lock_guard<std::mutex> lock (liveBridgesMutex());

    for (auto* bridge : liveBridges())
        if (static_cast<const AAX_IACFEffectParameters*> (bridge) == effect)
            return bridge;

    return nullptr;
}

//==============================================================================
AAX_Result AaxBridge::Initialize (IACFUnknown* hostUnknown)
{
    const std::lock_guard<std::recursive_mutex> lock (hostLink);
    linkedToHost = false;
    return AAX_CEffectParameters::Initialize (hostUnknown);
}

AAX_Result AaxBridge::EffectInit()
{
    // Until this initialisation succeeds the host's buffers may no longer be the four
    // channels the routine reads, so it leaves them alone.
    {
        const juce::ScopedLock lock (processor->getCallbackLock());
        prepared = false;
    }

    auto* hostController = Controller();

    float hostRate = 0.0f;
    const bool rateAnswered = hostController != nullptr && hostController->GetSampleRate (&hostRate) == kAAX_Success;
    const auto sampleRate = sampleRateOrFallback (rateAnswered ? (double) hostRate : 0.0);

    // The description offers four channels in and out only; a host that answers other
    // stems would hand the routine fewer channel pointers than it reads.
    for (auto stemQuery : { &AAX_IController::GetInputStemFormat, &AAX_IController::GetOutputStemFormat })
    {
        int32_t stem = 0;

        if (hostController != nullptr && (hostController->*stemQuery) (&stem) == kAAX_Success && (stem & stemChannelMask) != numChannels)
            return kAAX_ErrorUnsupported;
    }

    auto& registry = GetParameterRegistry();
    auto* bypass = new AAX_CParameter<bool> (kMasterBypassID,
                                             AAX_CString ("Master Bypass"),
                                             false,
                                             AAX_CBinaryTaperDelegate<bool>(),
                                             AAX_CBinaryDisplayDelegate<bool> ("bypass", "on"),
                                             true);
    bypass->SetNumberOfSteps (2);
    bypass->SetType (discreteType);
    registry.AddParameter (bypass);

    for (size_t index = 0; index < parameters.size(); ++index)
    {
        const auto& source = *parameters[index];
        auto* parameter = new AAX_CParameter<float> (parameterIDs[index].c_str(),
                                                     AAX_CString (source.getName (parameterNameLength).toRawUTF8()),
                                                     source.getDefaultValue(),
                                                     AAX_CLinearTaperDelegate<float, 0> (ParameterTable::normalisedMinimum, ParameterTable::normalisedMaximum),
                                                     AAX_CNumberDisplayDelegate<float, 3u, 0u>(),
                                                     source.isAutomatable());
        parameter->AddShortenedName (AAX_CString (source.getName (shortParameterNameLength).toRawUTF8()));

        const auto steps = source.getNumSteps();
        parameter->SetNumberOfSteps ((uint32_t) std::max (steps, 0));
        parameter->SetType (steps > continuousAboveSteps ? continuousType : discreteType);
        parameter->SetOrientation (source.isOrientationInverted() ? invertedOrientation : 0);

        // The processor may hold other values than its defaults by now (a second
        // initialisation, a state restored before the first): the host's copy starts
        // from them. Without the host's delegate yet, the value is simply stored.
        parameter->SetValueWithFloat (processorValue ((int) index));
        registry.AddParameter (parameter);
    }

    auto& dispatcher = GetPacketDispatcher();
    dispatcher.RegisterPacket (kMasterBypassID,
                               (int32_t) AAX_ContextFields::bypassPort,
                               AAX_CPacketHandler<AAX_CPacketDispatcher> (&dispatcher, &AAX_CPacketDispatcher::WriteParameterValuePacket));

    {
        const juce::ScopedLock lock (processor->getCallbackLock());
        processor->setPlayConfigDetails (numChannels, numChannels, sampleRate, preparedBlockSize);
        processor->prepareToPlay (sampleRate, preparedBlockSize);
        prepared = true;
    }

    const std::lock_guard<std::recursive_mutex> lock (hostLink);
    linkedToHost = true;
    reportLatency();
    processor->addListener (this);
    return kAAX_Success;
}

AAX_Result AaxBridge::Uninitialize()
{
    const std::lock_guard<std::recursive_mutex> lock (hostLink);
    linkedToHost = false;
    return AAX_CEffectParameters::Uninitialize();
}

void AaxBridge::reportLatency()
{
    const auto latency = processor->getSettledLatencySamples();
    latencyNotice.markTold (latency);

    if (auto* hostController = Controller())
        hostController->SetSignalLatency (latency);
}

void AaxBridge::sendHostNotices()
{
    const std::lock_guard<std::recursive_mutex> lock (hostLink);

    // Read once: the host must get the very latency counted as told, or a change back
    // to it before the next tick would leave the host with another one for good.
    const auto latency = processor->getSettledLatencySamples();

    // Raised first, so that the change count also counts latency changes.
    if (linkedToHost && latencyNotice.shouldTell (latency))
    {
        IncrementChangeCounter();

        if (auto* hostController = Controller())
            hostController->SetSignalLatency (latency);
    }
}

//==============================================================================
int AaxBridge::parameterIndex (const char* parameterID) const noexcept
{
    return aaxParameterIndex (parameterID, (int) parameters.size());
}

float AaxBridge::processorValue (int index) const noexcept
{
    // The processor keeps what it was given; the host only ever sees 0..1.
    const auto value = parameters[(size_t) index]->getValue();
    return std::isfinite (value) ? limitToUnitRange (value) : 0.0f;
}

AAX_Result AaxBridge::GetParameterNormalizedValue (const char* parameterID, double* outValue)
{
    const auto index = parameterIndex (parameterID);

    if (index < 0)
        return AAX_CEffectParameters::GetParameterNormalizedValue (parameterID, outValue);

    if (outValue == nullptr)
        return kAAX_ErrorNullObject;

    *outValue = processorValue (index);
    return kAAX_Success;
}

AAX_Result AaxBridge::SetParameterNormalizedValue (const char* parameterID, double value)
{
    if (! std::isfinite (value))
        return refusedValue;

    const auto index = parameterIndex (parameterID);

    if (index < 0)
        return AAX_CEffectParameters::SetParameterNormalizedValue (parameterID, value);

    const auto limited = limitToUnitRange (value);
    parameters[(size_t) index]->setValue (limited);

    // Another host thread may be initialising the effect again, rebuilding the registry.
    const std::lock_guard<std::recursive_mutex> lock (hostLink);

    if (auto* registered = GetParameterRegistry().GetParameterByID (parameterID))
        registered->SetValueWithFloat (limited);

    return kAAX_Success;
}

AAX_Result AaxBridge::GetParameterValueFromString (const char* parameterID, double* outValue, const AAX_IString& text)
{
    const auto index = parameterIndex (parameterID);

    if (index < 0)
        return AAX_CEffectParameters::GetParameterValueFromString (parameterID, outValue, text);

    if (outValue == nullptr)
        return kAAX_ErrorNullObject;

    const auto* utf8 = text.Get();

    if (utf8 == nullptr)
        return refusedValue;

    // Text that holds no number reads as NaN.
    const auto value = parameters[(size_t) index]->getValueForText (juce::String::fromUTF8 (utf8));

    if (! std::isfinite (value))
        return refusedValue;

    *outValue = limitToUnitRange (value);
    return kAAX_Success;
}

AAX_Result AaxBridge::UpdateParameterNormalizedValue (const char* parameterID, double value, int32_t updateSource)
{
    if (! std::isfinite (value))
        return refusedValue;

    const std::lock_guard<std::recursive_mutex> lock (hostLink);
    const auto result = AAX_CEffectParameters::UpdateParameterNormalizedValue (parameterID, value, updateSource);
    const auto index = parameterIndex (parameterID);

    // The host's own answer: the processor takes it without telling the host back.
    if (index >= 0 && result == kAAX_Success)
        parameters[(size_t) index]->setValue (limitToUnitRange (value));

    return result;
}

void AaxBridge::pushValueToHost (int index)
{
    const std::lock_guard<std::recursive_mutex> lock (hostLink);

    if (auto* registered = GetParameterRegistry().GetParameterByID (parameterIDs[(size_t) index].c_str()))
        registered->SetValueWithFloat (processorValue (index));
}

//==============================================================================
AAX_Result AaxBridge::ResetFieldData (uint32_t fieldIndex, void* data, uint32_t dataSize)
{
    if (fieldIndex != AAX_ContextFields::privateData)
        return AAX_CEffectParameters::ResetFieldData (fieldIndex, data, dataSize);

    if (data == nullptr)
        return kAAX_ErrorNullObject;

    std::memset (data, 0, dataSize);

    if (dataSize < sizeof (AaxBridge*))
        return kAAX_ErrorUnsupported;

    AaxBridge* self = this;
    std::memcpy (data, &self, sizeof (self));
    return kAAX_Success;
}

//==============================================================================
AAX_Result AaxBridge::GetNumberOfChunks (int32_t* outCount)
{
    if (outCount == nullptr)
        return kAAX_ErrorNullObject;

    *outCount = stateChunkIndex + 1;
    return kAAX_Success;
}

AAX_Result AaxBridge::GetChunkIDFromIndex (int32_t index, uint32_t* outChunkID)
{
    if (index != stateChunkIndex)
        return AAX_CEffectParameters::GetChunkIDFromIndex (index, outChunkID);

    if (outChunkID == nullptr)
        return kAAX_ErrorNullObject;

    *outChunkID = stateChunkID;
    return kAAX_Success;
}

AAX_Result AaxBridge::GetChunkSize (uint32_t chunkID, uint32_t* outSize)
{
    if (chunkID != stateChunkID)
        return AAX_CEffectParameters::GetChunkSize (chunkID, outSize);

    if (outSize == nullptr)
        return kAAX_ErrorNullObject;

    juce::MemoryBlock state;
    processor->getStateInformation (state);

    if (state.getSize() > (size_t) std::numeric_limits<int32_t>::max())
        return kAAX_ErrorChunkSizeMismatch;

    // The host makes room for this much; the GetChunk that follows may write less.
    reportedStateSize = (int64_t) state.getSize();
    *outSize = (uint32_t) state.getSize();
    return kAAX_Success;
}

AAX_Result AaxBridge::GetChunk (uint32_t chunkID, AAX_SChunkRecord* chunk)
{
    if (chunkID != stateChunkID)
        return AAX_CEffectParameters::GetChunk (chunkID, chunk);

    if (chunk == nullptr)
        return kAAX_ErrorNullObject;

    // The state as it is now: it may have changed since the size was asked for, and
    // is refused only when it no longer fits the room the host made for it (or when
    // no size was asked for at all).
    juce::MemoryBlock state;
    processor->getStateInformation (state);

    if ((int64_t) state.getSize() > reportedStateSize.load())
        return kAAX_ErrorChunkSizeMismatch;

    chunk->dataSize = (int32_t) state.getSize();

    if (state.getSize() > 0)
        std::memcpy (AAX_ChunkData (chunk), state.getData(), state.getSize());

    return kAAX_Success;
}

AAX_Result AaxBridge::SetChunk (uint32_t chunkID, const AAX_SChunkRecord* chunk)
{
    if (chunkID != stateChunkID)
        return AAX_CEffectParameters::SetChunk (chunkID, chunk);

    if (chunk == nullptr)
        return kAAX_ErrorNullObject;

    // A damaged block restores nothing, and says so.
    if (! processor->restoreState (AAX_ChunkData (chunk), chunk->dataSize))
        return refusedValue;

    // The host keeps its own copy of every value: give it the restored ones.
    for (int index = 0; index < (int) parameters.size(); ++index)
        pushValueToHost (index);

    return kAAX_Success;
}

//==============================================================================
void AaxBridge::audioProcessorParameterChanged (juce::AudioProcessor*, int index, float newValue)
{
    const std::lock_guard<std::recursive_mutex> lock (hostLink);

    // The processor holds the editor's value already; the host is asked to take it.
    if (linkedToHost && index >= 0 && index < (int) parameters.size() && std::isfinite (newValue))
        if (auto* registered = GetParameterRegistry().GetParameterByID (parameterIDs[(size_t) index].c_str()))
            registered->SetValueWithFloat (limitToUnitRange (newValue));
}

void AaxBridge::audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index)
{
    const std::lock_guard<std::recursive_mutex> lock (hostLink);

    if (linkedToHost && index >= 0 && index < (int) parameters.size())
        TouchParameter (parameterIDs[(size_t) index].c_str());
}

void AaxBridge::audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index)
{
    const std::lock_guard<std::recursive_mutex> lock (hostLink);

    if (linkedToHost && index >= 0 && index < (int) parameters.size())
        ReleaseParameter (parameterIDs[(size_t) index].c_str());
}

void AaxBridge::audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&)
{
    // Latency changes are polled by sendHostNotices, never told from the changing thread.
}

//==============================================================================
void AaxBridge::processInstances (void* const instancesBegin[], const void* instancesEnd) noexcept
{
    if (instancesBegin == nullptr || instancesEnd == nullptr)
        return;

    const auto* end = static_cast<void* const*> (instancesEnd);

    for (auto* instance = instancesBegin; instance < end; ++instance)
    {
        const auto* fields = static_cast<void* const*> (*instance);

        if (fields == nullptr || fields[AAX_ContextFields::privateData] == nullptr)
            continue;

        AaxBridge* bridge = nullptr;
        std::memcpy (&bridge, fields[AAX_ContextFields::privateData], sizeof (bridge));

        if (bridge != nullptr)
            bridge->processContext (fields);
    }
}

void AaxBridge::processContext (void* const* fields) noexcept
{
    // Without a successful EffectInit the host's buffers need not be the channels read here.
    if (! prepared)
        return;

    const auto* inputs = static_cast<const float* const*> (fields[AAX_ContextFields::audioIn]);
    auto* const* outputs = static_cast<float* const*> (fields[AAX_ContextFields::audioOut]);
    const auto* length = static_cast<const int32_t*> (fields[AAX_ContextFields::bufferLength]);
    const auto* bypassPort = static_cast<const uint32_t*> (fields[AAX_ContextFields::bypassPort]);

    if (length == nullptr)
        return;

    const bool bypassed = bypassPort != nullptr && *bypassPort != 0;
    processStep.run (*processor, { inputs, outputs, *length, false, bypassed }, prepared);
}
