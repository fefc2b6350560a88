#pragma once

#include "engine/LookaheadLimiter.h"
#include "processor/ParameterTable.h"
#include "processor/PendingParameterChanges.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

/** The plug-in's audio processor: four normalised parameters driving a
    look-ahead limiter over four channels, with a smoothed input gain, eight
    level values for the meters and a saved state shared by every format.

    Threads
    - Audio thread: processBlock and processBlockBypassed. It alone touches the
      limiter, the input-gain glide, the bypass history and the metering state.
    - Host threads and the message thread: setParameter (directly, through the
      parameter objects, or from a state restore). A change is stored at once
      in PendingParameterChanges, one atomic word per parameter holding the
      value and the stamp of the call: getParameter and the saved state read
      the value from that word, and the audio thread maps the same word to
      its setting, so racing setters of one parameter cannot leave the two
      apart. The audio thread applies what is pending at the start of its
      next block in the order the changes came in: the limiter's response to
      an attack change depends on the release in force at that moment.
      Nothing here locks or allocates.
    - Latency: prepareToPlay reports the look-ahead with setLatencySamples.
      Later changes (an attack change, a restore) only move what
      getSettledLatencySamples answers: setLatencySamples takes a lock and calls
      the listeners, which a host's audio thread must never wait for. The
      format bridges poll getSettledLatencySamples from the message thread and
      tell their host from there.
    - prepareToPlay runs while no block is being processed, as hosts guarantee,
      and so may drive the limiter directly.
    - The editor reads vuLevels, the gain reduction and idxInputConfig, and
      reads, sets and clears parametersChanged; all of them are atomics.
*/
class KestruneAudioProcessor : public juce::AudioProcessor
{
public:
    /** The look-and-feel shared by every instance in the process and made the
        framework's default while at least one instance lives
        (look/BrellickLookAndFeel.h). */
    class BrellickLookAndFeel;

    static constexpr int numParameters = ParameterTable::numParameters;
    static constexpr int numLimiterChannels = 4;
    static constexpr int numLevels = 8;

    /** Work per call of the limiter is bounded by this; longer host blocks are
        processed in segments, each exactly like a host block of its own. */
    static constexpr int maxSegmentLength = 8192;

    enum ParameterIndex
    {
        attackTimeIndex = ParameterTable::attackTime,
        releaseTimeIndex = ParameterTable::releaseTime,
        maxPeakLevelIndex = ParameterTable::maxPeakLevel,
        inputGainIndex = ParameterTable::inputGain
    };

    KestruneAudioProcessor();
    ~KestruneAudioProcessor() override;

    //==============================================================================
    const juce::String getName() const override;

    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    void prepareToPlay (double sampleRate, int estimatedSamplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    void processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    using juce::AudioProcessor::processBlock;
    using juce::AudioProcessor::processBlockBypassed;

    const juce::String getInputChannelName (int channelIndex) const override;
    const juce::String getOutputChannelName (int channelIndex) const override;
    bool isInputChannelStereoPair (int index) const override;
    bool isOutputChannelStereoPair (int index) const override;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;

    //==============================================================================
    // Parameters by index and normalised value. Any index outside 0..3 (negative
    // ones included) is ignored by the setter and answered with 0 or an empty text.
    int getNumParameters() override;
    const juce::String getParameterName (int index) override;
    float getParameter (int index) override;
    const juce::String getParameterText (int index) override;
    float getParameterDefaultValue (int index) override;
    using juce::AudioProcessor::getParameterName;
    using juce::AudioProcessor::getParameterText;

    /** Stores v unclamped as the value of parameter `index`, sets
        parametersChanged and hands the mapped setting to the audio thread.
        A non-finite v is ignored entirely, and so is a mapped setting that
        would be non-finite or that the limiter refuses (an attack above 40 ms):
        the stored value then changes while the setting in force stays. */
    void setParameter (int index, float v) override;

    /** The parameter objects the framework's wrappers see, by parameter index;
        the editor calls beginChangeGesture, setValueNotifyingHost and
        endChangeGesture on them. nullptr for an index outside 0..3. */
    juce::AudioProcessorParameter* getParameterObject (int index) const;

    //==============================================================================
    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    //==============================================================================
    /** The delay in samples that the output has once every change made so far
        has reached the audio thread and the look-ahead has settled. Lock-free,
        from any thread: worked out from the latest rate and attack each time,
        so that racing changes of the two can never leave a stale answer. */
    int getSettledLatencySamples() const noexcept;

    /** Restores a saved-state block and answers whether it was one; a block
        that is not leaves everything as it was. Every state a host hands the
        plug-in comes through here: it is the only way host bytes reach the
        XML parser, behind PluginState's checks. Values come as PluginState
        reads them, within 0..1; one that is no number leaves its parameter
        as it was. */
    bool restoreState (const void* data, int sizeInBytes);

    //==============================================================================
    /** The limiter's gain reduction in positive decibels after the last block
        processed (0 at unity gain). Safe from any thread. */
    float getGainReductionDb() const noexcept;

    /** Level values for the meters, 0 to 1.00001: entries 0 .. 3 the input
        channels after the input gain, 4 .. 7 the output channels after the
        limiter. Written by the audio thread once per block, read by the editor. */
    std::array<std::atomic<float>, numLevels> vuLevels;

    /** Editor-refresh flag: set by parameter changes, state restores, the
        option panel and the editor itself; cleared by the editor's timer. */
    std::atomic<bool> parametersChanged { true };

    /** Channel-format index: 0 "ambiX", 1 "FuMa", -1 no selection. Shown and
        saved; it does not change the audio. */
    std::atomic<int> idxInputConfig { 0 };

private:
    /** Stores one value, and hands it to the audio thread unless its mapped
        setting is one the limiter refuses or no number. */
    void storeParameter (int index, float v);

    // Audio thread (or, with audio stopped, prepareToPlay and the constructor).
    void applyPendingChanges();
    void processSegment (juce::AudioBuffer<float>& buffer, int startSample, int numSamples);
    void applyInputGain (float* const* channels, int numChannels, int numSamples);
    void writeHistory (const juce::AudioBuffer<float>& buffer, int startSample, int numSamples);
    void refillLimiterAfterBypass();
    static void updateLevel (std::atomic<float>& level, float peak);

    //==============================================================================
    // Ahead of the limiter, so that the shared look is acquired before the
    // limiter is created and released after it is deleted. Held only to keep
    // the look alive; never used otherwise.
    juce::SharedResourcePointer<BrellickLookAndFeel> sharedLookAndFeel;

    std::unique_ptr<LookaheadLimiter> limiter;

    /** Parameter values by index, exactly as last set, and the changes the
        audio thread has yet to apply. */
    PendingParameterChanges changes;

    // The limiter's rate; with the attack setting (the attack it will have
    // once pending changes are applied) it gives the settled latency.
    std::atomic<int> sampleRateInForce { 0 };

    std::atomic<float> gainReductionDb { 0.0f };

    // Audio thread state. The glide runs from inputGainSmoothed towards
    // inputGain (linear factors). numMeterChannels is 4 unless the input ever
    // had fewer channels, and never rises again.
    float inputGain = 1.0f;
    float inputGainSmoothed = 1.0f;
    int numMeterChannels = numLimiterChannels;
    const int numProcessChannels = numLimiterChannels;

    // The last historyLength input samples of each channel as the host gave
    // them, bypassed or not: bypassed blocks play them back delayed by the
    // look-ahead, and leaving bypass refills the limiter's delay from them.
    static constexpr int historyLength = 8192; // above the largest look-ahead, 7680
    std::vector<float> history;
    int historyWritePosition = 0;
    bool lastBlockWasBypassed = false;

    // Scratch space, allocated once: per-sample glide factors, and channels
    // standing in for those a short buffer lacks or for the bypass refill.
    std::vector<float> glideFactors;
    std::vector<float> scratch;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KestruneAudioProcessor)
};

/** The plug-in's single factory, called by every format wrapper. */
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter();
