// Quorvel.so seen through JUCE's own VST 2.4 hosting code, compiled against fst-dev:
// what a host reads from the record, hears from the audio and keeps in its sessions.

#include "tests/plugin/vst2/HostedQuorvel.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>

using namespace quorvel::test;

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;

float thresholdFor (float maxPeakValue) { return std::pow (10.0f, (maxPeakValue * 20.0f - 10.0f) / 20.0f); }

void setParameter (juce::AudioPluginInstance& plugin, int index, float value)
{
    plugin.getParameters()[index]->setValue (value);
}

juce::MemoryBlock chunkOf (juce::AudioPluginInstance& plugin)
{
    void* data = nullptr;
    const auto size = dispatch (plugin, fst::effGetChunk, 0, 0, &data);
    return data != nullptr && size > 0 ? juce::MemoryBlock (data, (size_t) size) : juce::MemoryBlock();
}

/** The XML text of a saved-state block (after its 8-byte header). */
juce::String textOf (const juce::MemoryBlock& block)
{
    return block.getSize() > 9 ? juce::String::fromUTF8 (static_cast<const char*> (block.getData()) + 8, (int) block.getSize() - 9) : juce::String();
}

std::array<float, 4> parametersOf (juce::AudioPluginInstance& plugin)
{
    std::array<float, 4> values {};

    for (int index = 0; index < 4; ++index)
        values[(size_t) index] = plugin.getParameters()[index]->getValue();

    return values;
}
} // namespace

//==============================================================================
TEST (VstBridgeIdentityTest, HostSeesFourInFourOutWithTheRecordsIdentity)
{
    auto plugin = loadQuorvel (sampleRate, blockSize);
    ASSERT_NE (plugin, nullptr);
    const auto& effect = recordOf (*plugin);

    EXPECT_EQ (effect.magic, fst::kEffectMagic);
    EXPECT_EQ (effect.numInputs, 4);
    EXPECT_EQ (effect.numOutputs, 4);
    EXPECT_EQ (plugin->getTotalNumInputChannels(), 4);
    EXPECT_EQ (plugin->getTotalNumOutputChannels(), 4);
    // fst reads the flags pointer-wide, so this also checks that the upper bytes are 0.
    EXPECT_EQ (effect.flags, 0x31);
    EXPECT_EQ (effect.uniqueID, fst::fourCharCode ('B', 'k', 'Q', 'v'));
    EXPECT_EQ (effect.version, 100);
    EXPECT_EQ (effect.numParams, 4);
    EXPECT_EQ (effect.numPrograms, 1);
    EXPECT_TRUE (plugin->hasEditor());
    EXPECT_EQ (plugin->getName(), "Quorvel");
}

TEST (VstBridgeIdentityTest, FourNamedParametersAndOneProgram)
{
    auto plugin = loadQuorvel (sampleRate, blockSize);
    ASSERT_NE (plugin, nullptr);

    const auto& parameters = plugin->getParameters();
    ASSERT_EQ (parameters.size(), 4);
    EXPECT_EQ (parameters[0]->getName (64), "Attack Time");
    EXPECT_EQ (parameters[1]->getName (64), "Release Time");
    EXPECT_EQ (parameters[2]->getName (64), "Max Peak Level");
    EXPECT_EQ (parameters[3]->getName (64), "Input Gain");
    EXPECT_EQ (parameters[0]->getCurrentValueAsText(), "0.025");
    EXPECT_FLOAT_EQ (parameters[0]->getValue(), 0.025f);
    EXPECT_FLOAT_EQ (parameters[1]->getValue(), 0.02f);
    EXPECT_FLOAT_EQ (parameters[2]->getValue(), 0.5f);
    EXPECT_FLOAT_EQ (parameters[3]->getValue(), 0.0f);

    EXPECT_EQ (plugin->getNumPrograms(), 1);
    EXPECT_EQ (plugin->getProgramName (0), "Default");
    EXPECT_EQ (plugin->getCurrentProgram(), 0);
}

TEST (VstBridgeIdentityTest, TextsAndAnswersForHostQueries)
{
    auto plugin = loadQuorvel (sampleRate, blockSize);
    ASSERT_NE (plugin, nullptr);

    // Each text lands in a buffer of guard bytes: nothing past the stated limit + 1 is written.
    struct Query
    {
        int opcode;
        int index;
        const char* expected;
        size_t limit;
    };

    const Query queries[] = {
        { fst::effGetParamName, 0, "Attack Time", 32 },
        { fst::effGetParamName, 3, "Input Gain", 32 },
        { fst::effGetParamName, 4, "", 32 },
        { fst::effGetParamName, -1, "", 32 },
        { fst::effGetParamDisplay, 2, "0.5", 24 },
        { fst::effGetParamDisplay, 7, "", 24 },
        { fst::effGetParamLabel, 1, "", 24 },
        { fst::effGetProgramName, 0, "Default", 24 },
        { fst::effGetEffectName, 0, "Quorvel", 32 },
        { fst::effGetProductString, 0, "Quorvel", 64 },
        { fst::effGetVendorString, 0, "Quorvel", 64 },
    };

    for (const auto& query : queries)
    {
        std::array<char, 256> buffer;
        buffer.fill ('#');
        dispatch (*plugin, query.opcode, query.index, 0, buffer.data());

        EXPECT_STREQ (buffer.data(), query.expected) << "opcode " << query.opcode << " index " << query.index;

        for (size_t i = query.limit + 1; i < buffer.size(); ++i)
            ASSERT_EQ (buffer[i], '#') << "opcode " << query.opcode << " wrote byte " << i;
    }

    std::array<char, 64> programName {};
    EXPECT_EQ (dispatch (*plugin, fst::effGetProgramNameIndexed, 0, 0, programName.data()), 1);
    EXPECT_STREQ (programName.data(), "Default");
    EXPECT_EQ (dispatch (*plugin, fst::effGetProgramNameIndexed, 1, 0, programName.data()), 0);

    EXPECT_EQ (dispatch (*plugin, fst::effGetVendorVersion), 0x10000);
    EXPECT_EQ (dispatch (*plugin, fst::effGetPlugCategory), 1);
    EXPECT_EQ (dispatch (*plugin, fst::effGetVstVersion), 2400);
    EXPECT_EQ (dispatch (*plugin, fst::effCanBeAutomated, 2), 1);
    EXPECT_EQ (dispatch (*plugin, fst::effCanBeAutomated, 4), 0);

    const std::pair<const char*, int> canDos[] = { { "bypass", 1 }, { "receiveVstMidiEvent", 1 }, { "sendVstMidiEvent", -1 }, { "something else", 0 }, { "", 0 } };

    for (const auto& [text, answer] : canDos)
        EXPECT_EQ (dispatch (*plugin, fst::effCanDo, 0, 0, const_cast<char*> (text)), answer) << text;

    EXPECT_EQ (dispatch (*plugin, fst::effCanDo, 0, 0, nullptr), 0);
    EXPECT_EQ (dispatch (*plugin, fst::effEditOpen, 0, 0, nullptr), 0);
}

TEST (VstBridgeIdentityTest, SpeakerArrangementsOfFourChannels)
{
    auto plugin = loadQuorvel (sampleRate, blockSize);
    ASSERT_NE (plugin, nullptr);

    fst::VstSpeakerArrangement* input = nullptr;
    fst::VstSpeakerArrangement* output = nullptr;
    ASSERT_EQ (dispatch (*plugin, fst::effGetSpeakerArrangement, 0, (fst::VstIntPtr) &input, &output), 1);
    ASSERT_NE (input, nullptr);
    ASSERT_NE (output, nullptr);
    EXPECT_EQ (input->numChannels, 4);
    EXPECT_EQ (output->numChannels, 4);
    EXPECT_STREQ (input->speakers[3].name, "4");

    // A host offers arrangements; only four channels each way are taken.
    struct Arrangement
    {
        int type;
        int numChannels;
        fst::VstSpeakerProperties speakers[8];
    };

    Arrangement four {}, two {};
    four.numChannels = 4;
    two.numChannels = 2;
    EXPECT_EQ (dispatch (*plugin, fst::effSetSpeakerArrangement, 0, (fst::VstIntPtr) &four, &four), 1);
    EXPECT_EQ (dispatch (*plugin, fst::effSetSpeakerArrangement, 0, (fst::VstIntPtr) &two, &two), 0);
    EXPECT_EQ (dispatch (*plugin, fst::effSetSpeakerArrangement, 0, (fst::VstIntPtr) &four, &two), 0);
    EXPECT_EQ (dispatch (*plugin, fst::effSetSpeakerArrangement, 0, 0, &four), 0);
}

//==============================================================================
TEST (VstBridgeAudioTest, DistinctChannelsComeOutInOrderDelayedByTheLatency)
{
    auto plugin = loadQuorvel (sampleRate, blockSize);
    ASSERT_NE (plugin, nullptr);
    setParameter (*plugin, 2, 1.0f); // +10 dB: nothing here reaches it
    plugin->prepareToPlay (sampleRate, blockSize);
    const auto latency = plugin->getLatencySamples();
    ASSERT_EQ (latency, 48);

    const auto input = distinctChannels (20000, 0.5f, 7);
    const auto output = processInBlocks (*plugin, input, { blockSize });

    for (int channel = 0; channel < 4; ++channel)
    {
        for (int i = 0; i < latency; ++i)
            ASSERT_EQ (output.getSample (channel, i), 0.0f);

        for (int i = latency; i < input.getNumSamples(); ++i)
            ASSERT_NEAR (output.getSample (channel, i), input.getSample (channel, i - latency), 1.0e-5f) << "channel " << channel << " sample " << i;
    }

    plugin->releaseResources();
}

TEST (VstBridgeAudioTest, NeverAboveTheThresholdWithLargeBlocksAndChangingParameters)
{
    auto plugin = loadQuorvel (sampleRate, 256);
    ASSERT_NE (plugin, nullptr);
    setParameter (*plugin, 2, 0.35f);
    plugin->prepareToPlay (sampleRate, 256); // blocks larger than announced follow

    const auto input = distinctChannels (120000, 4.0f, 11);
    const std::array<float, 5> maxPeaks { 0.35f, 0.2f, 0.6f, 0.05f, 0.45f };
    const std::array<float, 5> releases { 0.02f, 0.3f, 0.0f, 1.0f, 0.1f };
    const std::array<float, 5> gains { 0.0f, 0.1f, 0.3f, 0.05f, 0.0f };
    std::vector<float> thresholdAt ((size_t) input.getNumSamples());
    int lastStart = 0;
    float threshold = thresholdFor (0.35f);

    const auto output = processInBlocks (*plugin, input, { 256, 1000, 4096, 10000, 37, 8193 }, [&] (int blockIndex, int start)
                                         {
        std::fill (thresholdAt.begin() + lastStart, thresholdAt.begin() + start, threshold);
        lastStart = start;
        const auto k = (size_t) blockIndex % maxPeaks.size();
        setParameter (*plugin, 1, releases[k]);
        setParameter (*plugin, 2, maxPeaks[k]);
        setParameter (*plugin, 3, gains[k]);
        threshold = thresholdFor (maxPeaks[k]); });
    std::fill (thresholdAt.begin() + lastStart, thresholdAt.end(), threshold);

    float loudest = 0.0f;

    for (int channel = 0; channel < 4; ++channel)
    {
        for (int i = 0; i < output.getNumSamples(); ++i)
        {
            const auto sample = std::abs (output.getSample (channel, i));
            ASSERT_TRUE (std::isfinite (sample));
            ASSERT_LE (sample, thresholdAt[(size_t) i] * 1.000001f) << "channel " << channel << " sample " << i;
            loudest = std::max (loudest, sample);
        }
    }

    EXPECT_GT (loudest, 0.1f); // the signal did get through
    plugin->releaseResources();
}

TEST (VstBridgeAudioTest, OneGainForAllChannelsKeepsThemAlignedWhileLimiting)
{
    auto plugin = loadQuorvel (sampleRate, blockSize);
    ASSERT_NE (plugin, nullptr);
    setParameter (*plugin, 2, 0.2f); // -6 dB against a +6 dB input
    plugin->prepareToPlay (sampleRate, blockSize);
    const auto latency = plugin->getLatencySamples();

    const auto input = distinctChannels (40000, 2.0f, 3);
    const auto output = processInBlocks (*plugin, input, { blockSize });
    int compared = 0;

    for (int i = latency + 2000; i < input.getNumSamples(); ++i)
    {
        const auto reference = input.getSample (0, i - latency);

        if (std::abs (reference) < 0.2f)
            continue;

        const auto gain = output.getSample (0, i) / reference;
        ASSERT_LT (gain, 1.0f);

        for (int channel = 1; channel < 4; ++channel)
            ASSERT_NEAR (output.getSample (channel, i), gain * input.getSample (channel, i - latency), 1.0e-4f) << "channel " << channel << " sample " << i;

        ++compared;
    }

    EXPECT_GT (compared, 1000);
    plugin->releaseResources();
}

TEST (VstBridgeAudioTest, BypassPassesTheInputThroughDelayedByTheLatency)
{
    auto plugin = loadQuorvel (sampleRate, blockSize);
    ASSERT_NE (plugin, nullptr);
    setParameter (*plugin, 2, 0.0f); // -10 dB, far below the input
    plugin->prepareToPlay (sampleRate, blockSize);
    const auto latency = plugin->getLatencySamples();
    ASSERT_NE (plugin->getBypassParameter(), nullptr) << "the host should see that the plug-in bypasses itself";

    const auto input = distinctChannels (blockSize * 20, 1.0f, 9);
    juce::AudioBuffer<float> output (input);
    juce::MidiBuffer midi;

    for (int start = 0; start < output.getNumSamples(); start += blockSize)
    {
        float* channels[4];

        for (int channel = 0; channel < 4; ++channel)
            channels[channel] = output.getWritePointer (channel) + start;

        juce::AudioBuffer<float> view (channels, 4, blockSize);
        plugin->processBlockBypassed (view, midi);
    }

    for (int channel = 0; channel < 4; ++channel)
        for (int i = latency; i < input.getNumSamples(); ++i)
            ASSERT_EQ (output.getSample (channel, i), input.getSample (channel, i - latency)) << "channel " << channel << " sample " << i;

    // Back from bypass, the limiter holds the ceiling again.
    const auto limited = processInBlocks (*plugin, input, { blockSize });

    for (int channel = 0; channel < 4; ++channel)
        EXPECT_LE (limited.getMagnitude (channel, latency, input.getNumSamples() - latency), thresholdFor (0.0f) * 1.000001f);

    plugin->releaseResources();
}

//==============================================================================
TEST (VstBridgeStateTest, HostSessionRestoresAllParametersInAFreshInstance)
{
    auto original = loadQuorvel (sampleRate, blockSize);
    ASSERT_NE (original, nullptr);
    const std::array<float, 4> values { 0.3f, 0.55f, 0.8125f, 0.125f };

    for (int index = 0; index < 4; ++index)
        setParameter (*original, index, values[(size_t) index]);

    juce::MemoryBlock session;
    original->getStateInformation (session);
    original.reset();

    auto restored = loadQuorvel (sampleRate, blockSize);
    ASSERT_NE (restored, nullptr);
    restored->setStateInformation (session.getData(), (int) session.getSize());
    EXPECT_EQ (parametersOf (*restored), values);
}

TEST (VstBridgeStateTest, ChunkCarriesParametersAndTheChannelFormatIndex)
{
    auto first = loadQuorvel (sampleRate, blockSize);
    ASSERT_NE (first, nullptr);

    auto block = stateBlock ("<Root><Gain>0.25</Gain><Attack>0.1</Attack><Release>0.75</Release>"
                             "<Threshold>0.375</Threshold><idxInputConfig>1</idxInputConfig></Root>");
    ASSERT_EQ (dispatch (*first, fst::effSetChunk, 0, (fst::VstIntPtr) block.getSize(), block.getData()), 1);
    const auto taken = chunkOf (*first);
    ASSERT_GT (taken.getSize(), 9u);
    first.reset();

    auto second = loadQuorvel (sampleRate, blockSize);
    ASSERT_NE (second, nullptr);
    ASSERT_EQ (dispatch (*second, fst::effSetChunk, 0, (fst::VstIntPtr) taken.getSize(), const_cast<void*> (taken.getData())), 1);

    EXPECT_EQ (parametersOf (*second), (std::array<float, 4> { 0.1f, 0.75f, 0.375f, 0.25f }));
    EXPECT_TRUE (textOf (chunkOf (*second)).contains ("<idxInputConfig>1</idxInputConfig>")) << textOf (chunkOf (*second));
    EXPECT_EQ (chunkOf (*second), taken);

    // The same through the one-program chunk a host takes for presets.
    void* preset = nullptr;
    const auto presetSize = dispatch (*second, fst::effGetChunk, 1, 0, &preset);
    ASSERT_GT (presetSize, 0);
    EXPECT_EQ (juce::MemoryBlock (preset, (size_t) presetSize), taken);
}
