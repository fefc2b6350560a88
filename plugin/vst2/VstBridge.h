#pragma once

#include "formats/vst2/AudioEffectX.h"
#include "plugin/HostProcessStep.h"
#include "plugin/LatencyNotice.h"
#include "plugin/PluginMessageThread.h"
#include "plugin/vst2/VstPlayHead.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

/*  The VST 2.4 face of the plug-in: an AudioEffectX that drives the juce::AudioProcessor
    made by createPluginFilter. It holds no DSP and no parameter maths; it translates
    the host's calls into the processor's and the processor's notifications (editor
    gestures, latency changes) into host requests.

    Threads: the host's audio thread calls processReplacing, which tries the processor's
    callback lock and never waits for it (a block that meets a preparation under way is
    silence); suspend, resume and rate or block-size changes take the same lock to
    prepare the processor. Parameter calls go straight to the processor's parameter
    objects, which are safe to call from any thread and neither lock nor allocate.
    Everything that touches the editor holds JUCE's message manager lock. Only
    effEditOpen makes an editor (effEditGetRect answers the fixed size), so asking for
    the size, and creating and deleting an effect whose editor was never opened, never
    wait for the host's GUI thread.

    The processor's play head asks the host for its time information at each query.
    While an editor is shown, the message thread asks the host to idle (masterIdle)
    four times a second.

    Latency: no host call is made from inside a host's call. A resume writes the new
    initialDelay, which the host reads when the resume returns; any other change (an
    attack change, a restore, a rate change while running) is told with
    audioMasterIOChanged from the message thread (sendHostNotices), paced by
    LatencyNotice. latencyMutex orders every write of initialDelay.

    Host input is checked: null pointers and out-of-range indices are refused by the
    base before they reach this class, and what is left (non-finite values, missing
    channel pointers, blocks larger than announced, damaged chunks) gets a defined answer.
*/
class VstBridge : public AudioEffectX, private juce::AudioProcessorListener, private PluginMessageThread::NoticeSender, private juce::Timer
{
public:
    static constexpr VstInt32 uniqueId = vstFourCharCode ('B', 'k', 'Q', 'v');
    static constexpr VstInt32 effectVersion = 100;
    /** Version 1.0.0, as the other formats report it. */
    static constexpr VstInt32 vendorVersion = 0x10000;
    static constexpr int numChannels = 4;

    // Text limits, without the terminator. Hosts are built for those of the framework's
    // own VST wrapper, which are wider than the old published ones (8 characters).
    static constexpr int maxParameterNameLength = 32;
    static constexpr int maxParameterLabelLength = 24;
    static constexpr int maxParameterDisplayLength = 24;
    static constexpr int maxProgramNameLength = 24;
    static constexpr int maxEffectNameLength = 32;
    static constexpr int maxVendorStringLength = 64;
    static constexpr int maxProductStringLength = 64;

    /** The largest block the processor is prepared for; a host announcing more gets
        its blocks handled in shorter runs where a copy is needed. */
    static constexpr int largestPreparedBlock = 1 << 16;

    /** A new bridge with its processor; throws when it cannot be built. */
    explicit VstBridge (audioMasterCallback hostCallback);
    ~VstBridge() override;

    juce::AudioProcessor& getProcessor() noexcept { return *processor; }

    //==============================================================================
    VstIntPtr dispatcher (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;

    void suspend() override;
    void resume() override;
    void setSampleRate (float newSampleRate) override;
    void setBlockSize (VstInt32 newBlockSize) override;

    void processReplacing (float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void process (float** inputs, float** outputs, VstInt32 sampleFrames) override;
    /** The effect offers no double precision; a host that calls it anyway gets silence. */
    void processDoubleReplacing (double** inputs, double** outputs, VstInt32 sampleFrames) override;

    void setParameter (VstInt32 index, float value) override;
    float getParameter (VstInt32 index) override;
    void getParameterLabel (VstInt32 index, char* label) override;
    void getParameterDisplay (VstInt32 index, char* text) override;
    void getParameterName (VstInt32 index, char* text) override;
    bool canParameterBeAutomated (VstInt32 index) override;
    bool string2parameter (VstInt32 index, char* text) override;

    VstInt32 getProgram() override;
    void setProgram (VstInt32 program) override;
    void setProgramName (char* name) override;
    void getProgramName (char* name) override;
    bool getProgramNameIndexed (VstInt32 category, VstInt32 index, char* text) override;

    VstInt32 getChunk (void** data, bool isPreset) override;
    VstInt32 setChunk (void* data, VstInt32 byteSize, bool isPreset) override;

    bool setSpeakerArrangement (VstSpeakerArrangement* pluginInput, VstSpeakerArrangement* pluginOutput) override;
    bool getSpeakerArrangement (VstSpeakerArrangement** pluginInput, VstSpeakerArrangement** pluginOutput) override;
    bool setBypass (bool onOff) override;
    VstInt32 processEvents (VstEvents* events) override;

    bool getEffectName (char* name) override;
    bool getVendorString (char* text) override;
    bool getProductString (char* text) override;
    VstInt32 getVendorVersion() override;
    VstInt32 canDo (char* text) override;
    VstPlugCategory getPlugCategory() override;

private:
    /** What must exist before the base can be built: the message loop, then the processor. */
    struct Parts
    {
        juce::SharedResourcePointer<PluginMessageThread> messageThread;
        std::unique_ptr<KestruneAudioProcessor> processor;
    };

    static Parts makeParts();
    VstBridge (audioMasterCallback hostCallback, Parts parts);

    //==============================================================================
    VstIntPtr handleOpcode (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    VstIntPtr getEditorRect (void* rectangleAddress);
    VstIntPtr openEditor (void* parentWindow);
    void closeEditor();
    void idleEditor();

    void prepareProcessor (bool hostRereadsLatency);

    void sendHostNotices() override;

    /** While an editor is shown: lets the host idle, as it expects of an effect with one. */
    void timerCallback() override;

    juce::AudioProcessorParameter* parameterAt (VstInt32 index) const noexcept;

    //==============================================================================
    void audioProcessorParameterChanged (juce::AudioProcessor*, int parameterIndex, float newValue) override;
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details) override;
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int parameterIndex) override;
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int parameterIndex) override;

    //==============================================================================
    // Declared first so that the message loop outlives the processor and the editor.
    juce::SharedResourcePointer<PluginMessageThread> messageThread;
    std::unique_ptr<KestruneAudioProcessor> processor;
    std::vector<juce::AudioProcessorParameter*> parameters;

    VstPlayHead playHead { *this };

    std::unique_ptr<juce::AudioProcessorEditor> editorComponent;
    std::unique_ptr<ERect> editorRect; // the editor's fixed size, never written after construction
    bool drivesMessageLoop = false;

    HostProcessStep processStep;
    std::atomic<bool> prepared { false };
    std::atomic<bool> bypassed { false };
    double preparedSampleRate = 0.0;
    int preparedBlockSize = 0;

    std::mutex latencyMutex;
    LatencyNotice latencyNotice;

    std::mutex chunkMutex;
    juce::MemoryBlock chunk;

    VstSpeakerArrangement* inputArrangement = nullptr;
    VstSpeakerArrangement* outputArrangement = nullptr;
};
