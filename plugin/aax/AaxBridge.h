#pragma once

#include "formats/aax/AAX_CEffectParameters.h"
#include "formats/aax/AAX_PlugInDescription.h"
#include "plugin/HostProcessStep.h"
#include "plugin/LatencyNotice.h"
#include "plugin/PluginMessageThread.h"
#include "plugin/aax/AaxPlayHead.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

/*  The AAX face of the plug-in: an effect object that drives the juce::AudioProcessor
    made by createPluginFilter. It holds no DSP and no parameter maths; it translates
    the host's calls into the processor's and the processor's notifications (editor
    gestures, latency changes) into host requests.

    The host sees the master bypass "MasterBypassID" first and then one parameter per
    processor parameter, named by its index in decimal ("0" to "3"); only those four
    texts ever reach the processor. Values from the host are limited to 0..1 and a
    non-finite one is refused. Chunk 0 is the library's controls chunk "elck", chunk 1
    the processor's saved state "juce".

    Threads
    - Audio thread: the process routine, which finds its effect through the private
      data that ResetFieldData filled, tries the processor's callback lock (never
      waiting: a block that meets a preparation under way is silence) and runs
      processBlock, or processBlockBypassed while the bypass port holds a non-zero value.
    - Host threads: parameter, chunk and set-up calls. Parameter values go straight to
      the processor's parameter objects, which are safe from any thread; the host's
      copies in the registry are touched under hostLink, which a second Initialize
      holds while it rebuilds the registry.
    - Any thread: the processor's listener calls (editor gestures on the message thread).
      They reach the host only between EffectInit and Uninitialize; hostLink keeps
      Uninitialize from taking the parameters and the controller away while one of them
      is on its way.
    - Message thread: latency changes after EffectInit (an attack change, a restore) are
      reported from there, paced by LatencyNotice, never from inside the host's call
      that made them (sendHostNotices).
    - Creation and destruction never wait for the message thread.

    Objects are reference counted (the host's last Release deletes them); create()
    makes one for the host.

    The process routine touches no buffer until an EffectInit has succeeded, nor after
    one refused the host's stems. The processor's play head reads the host's transport
    on whichever thread asks.
*/
class AaxBridge final : public AAX_CEffectParameters, private juce::AudioProcessorListener, private PluginMessageThread::NoticeSender
{
public:
    static constexpr uint32_t stateChunkID = AAX_FourCharCode ("juce");
    static constexpr int numChannels = AAX_ContextFields::numChannels;

    /** The processor is prepared for blocks of this many frames; longer host blocks
        still pass (the processor works through them in shorter runs). */
    static constexpr int preparedBlockSize = 1024;

    /** What a stem format's lower 16 bits must name: the channels of both stems. */
    static constexpr int32_t stemChannelMask = 0xFFFF;

    /** A new effect object with its processor, answering its IACFUnknown with no
        reference taken yet; null when it cannot be made. */
    static IACFUnknown* create() noexcept;

    /** The process routine the description registers: runs every instance in the
        host's range, each found through its context block. */
    static void processInstances (void* const instancesBegin[], const void* instancesEnd) noexcept;

    /** The bridge behind an effect interface, when that is one of this plug-in's live
        effect objects; null for anything else (another plug-in's object, say). */
    static AaxBridge* fromInterface (const AAX_IACFEffectParameters* effect) noexcept;

    ~AaxBridge() override;

    juce::AudioProcessor& getProcessor() noexcept { return *processor; }

    //==============================================================================
    AAX_Result Initialize (IACFUnknown* hostUnknown) override;
    AAX_Result Uninitialize() override;

    AAX_Result GetParameterNormalizedValue (const char* parameterID, double* outValue) override;
    AAX_Result SetParameterNormalizedValue (const char* parameterID, double value) override;
    AAX_Result UpdateParameterNormalizedValue (const char* parameterID, double value, int32_t updateSource) override;

    /** The processor's own reading of the text; a text without a number is refused. */
    AAX_Result GetParameterValueFromString (const char* parameterID, double* outValue, const AAX_IString& text) override;

    /** Private data of the context block receives the address of this effect. */
    AAX_Result ResetFieldData (uint32_t fieldIndex, void* data, uint32_t dataSize) override;

    AAX_Result GetNumberOfChunks (int32_t* outCount) override;
    AAX_Result GetChunkIDFromIndex (int32_t index, uint32_t* outChunkID) override;
    AAX_Result GetChunkSize (uint32_t chunkID, uint32_t* outSize) override;
    AAX_Result GetChunk (uint32_t chunkID, AAX_SChunkRecord* chunk) override;
    AAX_Result SetChunk (uint32_t chunkID, const AAX_SChunkRecord* chunk) override;

protected:
    /** Prepares the processor from the host's rate and stems, reports the latency,
        registers the bypass and the processor's parameters and the bypass packet. */
    AAX_Result EffectInit() override;

private:
    /** What must exist before the effect: the message loop, then the processor. */
    struct Parts
    {
        juce::SharedResourcePointer<PluginMessageThread> messageThread;
        std::unique_ptr<KestruneAudioProcessor> processor;
    };

    explicit AaxBridge (Parts parts);

    int parameterIndex (const char* parameterID) const noexcept;
    float processorValue (int index) const noexcept;
    void pushValueToHost (int index);
    void reportLatency();

    void processContext (void* const* fields) noexcept;

    void sendHostNotices() override;

    //==============================================================================
    void audioProcessorParameterChanged (juce::AudioProcessor*, int parameterIndex, float newValue) override;
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details) override;
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int parameterIndex) override;
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int parameterIndex) override;

    //==============================================================================
    // Declared first so that the message loop outlives the processor.
    juce::SharedResourcePointer<PluginMessageThread> messageThread;
    std::unique_ptr<KestruneAudioProcessor> processor;
    std::vector<juce::AudioProcessorParameter*> parameters;
    std::vector<std::string> parameterIDs;
    int32_t stateChunkIndex = 0;

    std::recursive_mutex hostLink;
    bool linkedToHost = false;
    LatencyNotice latencyNotice; // guarded by hostLink

    /** The size of the state chunk the host was told last; -1 before it asked. */
    std::atomic<int64_t> reportedStateSize { -1 };

    AaxPlayHead playHead { *this };
    std::atomic<bool> prepared { false };
    HostProcessStep processStep;
};
