#include "processor/KestruneAudioProcessor.h"
#include "support/AllocationCounter.h"

#include "ProcessorTestSupport.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <array>
#include <atomic>
#include <climits>
#include <cmath>
#include <limits>
#include <type_traits>
#include <vector>

using namespace quorvel::test;

namespace
{
constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float infinity = std::numeric_limits<float>::infinity();

// The meters and the editor read these from another thread.
static_assert (std::is_same_v<decltype (KestruneAudioProcessor::vuLevels), std::array<std::atomic<float>, 8>>);
static_assert (std::is_same_v<decltype (KestruneAudioProcessor::parametersChanged), std::atomic<bool>>);
static_assert (std::is_same_v<decltype (KestruneAudioProcessor::idxInputConfig), std::atomic<int>>);

class ProcessorTest : public ::testing::Test
{
protected:
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    KestruneAudioProcessor processor;

    float level (int index) const { return processor.vuLevels[(size_t) index].load(); }

    MultiChannelSignal constant (int numSamples, float value, int numChannels = 4)
    {
        MultiChannelSignal signal (numChannels, numSamples);

        for (auto& channel : signal.channels)
            std::fill (channel.begin(), channel.end(), value);

        return signal;
    }
};

//==============================================================================
// A fresh processor, the parameter mappings, the input-gain glide, the level
// values and the latency.

using FreshProcessor = ProcessorTest;

TEST_F (FreshProcessor, AnswersWithItsDefaults)
{
    EXPECT_EQ (processor.getNumParameters(), 4);
    EXPECT_EQ (processor.getParameters().size(), 4);

    const float defaults[] = { 0.025f, 0.02f, 0.5f, 0.0f };
    const char* names[] = { "Attack Time", "Release Time", "Max Peak Level", "Input Gain" };
    const char* texts[] = { "0.025", "0.02", "0.5", "0" };

    for (int index = 0; index < 4; ++index)
    {
        EXPECT_EQ (processor.getParameter (index), defaults[index]) << index;
        EXPECT_EQ (processor.getParameterDefaultValue (index), defaults[index]) << index;
        EXPECT_EQ (processor.getParameterName (index), names[index]) << index;
        EXPECT_EQ (processor.getParameterText (index), texts[index]) << index;
    }

    for (int index : { 4, -1, INT_MIN, INT_MAX })
    {
        EXPECT_EQ (processor.getParameter (index), 0.0f) << index;
        EXPECT_EQ (processor.getParameterDefaultValue (index), 0.0f) << index;
        EXPECT_TRUE (processor.getParameterName (index).isEmpty()) << index;
        EXPECT_TRUE (processor.getParameterText (index).isEmpty()) << index;
    }

    EXPECT_EQ (processor.getName(), "Quorvel");
    EXPECT_EQ (processor.getNumPrograms(), 1);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_EQ (processor.getProgramName (0), "Default");
    EXPECT_EQ (processor.getProgramName (5), "Default");
    EXPECT_EQ (processor.getInputChannelName (0), "1");
    EXPECT_EQ (processor.getOutputChannelName (3), "4");
    EXPECT_EQ (processor.getInputChannelName (INT_MAX), "2147483648");
    EXPECT_TRUE (processor.isInputChannelStereoPair (0));
    EXPECT_TRUE (processor.isOutputChannelStereoPair (7));
    EXPECT_EQ (processor.getTailLengthSeconds(), 0.0);
    EXPECT_TRUE (processor.acceptsMidi());
    EXPECT_FALSE (processor.producesMidi());
    EXPECT_TRUE (processor.hasEditor()); // the editor itself is tested with the GUI

    EXPECT_TRUE (processor.parametersChanged.load());
    EXPECT_EQ (processor.idxInputConfig.load(), 0);
    EXPECT_EQ (processor.getGainReductionDb(), 0.0f);

    for (int index = 0; index < 8; ++index)
        EXPECT_EQ (level (index), 0.0f);

    // 1 ms at the limiter's initial 192000 Hz.
    EXPECT_EQ (processor.getSettledLatencySamples(), 192);
}

TEST_F (FreshProcessor, TakesExactlyFourInputsAndFourOutputs)
{
    EXPECT_EQ (processor.getTotalNumInputChannels(), 4);
    EXPECT_EQ (processor.getTotalNumOutputChannels(), 4);

    auto layoutOf = [] (juce::AudioChannelSet in, juce::AudioChannelSet out)
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (in);
        layout.outputBuses.add (out);
        return layout;
    };

    const auto four = juce::AudioChannelSet::discreteChannels (4);
    EXPECT_TRUE (processor.checkBusesLayoutSupported (layoutOf (four, four)));
    EXPECT_TRUE (processor.checkBusesLayoutSupported (layoutOf (juce::AudioChannelSet::ambisonic (1), juce::AudioChannelSet::ambisonic (1))));
    EXPECT_FALSE (processor.checkBusesLayoutSupported (layoutOf (juce::AudioChannelSet::stereo(), juce::AudioChannelSet::stereo())));
    EXPECT_FALSE (processor.checkBusesLayoutSupported (layoutOf (four, juce::AudioChannelSet::stereo())));
    EXPECT_FALSE (processor.checkBusesLayoutSupported (layoutOf (juce::AudioChannelSet::discreteChannels (6), juce::AudioChannelSet::discreteChannels (6))));

    processor.setPlayConfigDetails (2, 2, 48000.0, 512);
    EXPECT_EQ (processor.getTotalNumInputChannels(), 4);
    EXPECT_EQ (processor.getTotalNumOutputChannels(), 4);
}

using ParameterMapping = ProcessorTest;

TEST_F (ParameterMapping, MaxPeakLevelSpansTenDecibelsEachWay)
{
    prepare (processor, 48000.0);
    processor.setParameter (2, 1.0f);
    auto output = runInBlocks (processor, constant (4096, 5.0f), 512);
    EXPECT_NEAR (output.channels[0].back(), 3.1622777f, 2.0e-6f);
    EXPECT_LE (largestMagnitude (output), 3.1622777f + 1.0e-6f);

    KestruneAudioProcessor low;
    prepare (low, 48000.0);
    low.setParameter (2, 0.0f);
    output = runInBlocks (low, constant (4096, 1.0f), 512);
    EXPECT_NEAR (output.channels[3].back(), 0.31622777f, 2.0e-7f);
    EXPECT_LE (largestMagnitude (output), 0.31622777f + 1.0e-7f);
}

TEST_F (ParameterMapping, InputGainReachesSixtyDecibels)
{
    prepare (processor, 48000.0);
    processor.setParameter (2, 1.0f);
    processor.setParameter (3, 1.0f);
    const auto output = runInBlocks (processor, constant (16384, 0.001f), 512);

    // The glide settles a float step short of 1000.
    EXPECT_NEAR (output.channels[0].back(), 1.0f, 1.0e-5f);
}

TEST_F (ParameterMapping, GlideStartsWithFactor1_1531138AndClosesByHalfAPercentPerSample)
{
    prepare (processor, 48000.0);
    processor.setParameter (2, 1.0f);
    processor.setParameter (3, 0.5f);

    // Quiet enough that even the full 30 dB stay below the +10 dB ceiling, so
    // the output is the input times the gliding factor, delayed.
    constexpr float input = 0.05f;
    auto signal = constant (512, 0.0f);
    std::fill (signal.channels[0].begin(), signal.channels[0].end(), input);
    const auto output = runInBlocks (processor, signal, 512);
    const auto& first = output.channels[0];
    const int latency = processor.getSettledLatencySamples();

    EXPECT_EQ (latency, 48);
    EXPECT_EQ (first[(size_t) latency - 1], 0.0f);
    EXPECT_NEAR (first[(size_t) latency] / input, 1.1531138f, 1.0e-6f);

    const double target = 31.622776;

    for (int i = latency + 1; i < latency + 200; i += 10)
        EXPECT_NEAR ((target - first[(size_t) i] / input) / (target - first[(size_t) i - 1] / input), 0.995, 1.0e-5) << i;
}

using LevelValues = ProcessorTest;

TEST_F (LevelValues, FollowTheLevelRule)
{
    const float peaks[] = { 1.0f, 0.5f, 0.1f, 0.0031622777f, 3.0e-5f, 4.0f };
    const float readings[] = { 0.75001f, 0.59949f, 0.25001f, 1.0e-5f, 0.0f, 1.00001f };

    for (size_t i = 0; i < std::size (peaks); ++i)
    {
        KestruneAudioProcessor fresh;
        prepare (fresh, 48000.0);
        runInBlocks (fresh, constant (512, peaks[i]), 512);

        for (int ch = 0; ch < 4; ++ch)
            EXPECT_NEAR (fresh.vuLevels[(size_t) ch].load(), readings[i], 1.0e-5f) << "peak " << peaks[i];
    }

    // Output values: the delayed block passes the default 0 dB ceiling unchanged.
    prepare (processor, 48000.0);
    runInBlocks (processor, constant (512, 1.0f), 512);

    for (int index = 4; index < 8; ++index)
        EXPECT_NEAR (level (index), 0.75001f, 1.0e-5f);
}

TEST_F (LevelValues, LeaveNaNSamplesOut)
{
    prepare (processor, 48000.0);
    auto block = constant (512, 0.5f);
    block.channels[1][100] = std::numeric_limits<float>::quiet_NaN();
    block.channels[2][511] = -std::numeric_limits<float>::quiet_NaN();
    block.channels[3][7] = -infinity;
    runInBlocks (processor, block, 512);

    EXPECT_NEAR (level (0), 0.59949f, 1.0e-5f);
    EXPECT_NEAR (level (1), 0.59949f, 1.0e-5f);
    EXPECT_NEAR (level (2), 0.59949f, 1.0e-5f);
    EXPECT_FLOAT_EQ (level (3), 1.00001f);
}

TEST_F (LevelValues, FallByATenthOfTheDistancePerBlock)
{
    prepare (processor, 48000.0);
    runInBlocks (processor, constant (256, 4.0f), 256);
    EXPECT_FLOAT_EQ (level (0), 1.00001f);

    double expected = 1.00001;

    for (int block = 0; block < 3; ++block)
    {
        runInBlocks (processor, constant (256, 0.0f), 256);
        expected *= 0.9;

        for (int ch = 0; ch < 4; ++ch)
            EXPECT_NEAR (level (ch), expected, 1.0e-6) << block;
    }

    EXPECT_NEAR (level (0), 0.72900729, 1.0e-6);
}

using Latency = ProcessorTest;

TEST_F (Latency, IsTheLookaheadAtEachRate)
{
    prepare (processor, 48000.0);
    EXPECT_EQ (processor.getSettledLatencySamples(), 48);
    EXPECT_EQ (processor.getLatencySamples(), 48); // reported to the framework as well
    prepare (processor, 44100.0);
    EXPECT_EQ (processor.getSettledLatencySamples(), 44);
    prepare (processor, 96000.0);
    EXPECT_EQ (processor.getSettledLatencySamples(), 96);

    // A rate the limiter cannot take keeps the one in force.
    for (double rate : { 200000.0, 0.0, -48000.0, 0.5, 1.0e300, (double) nan, (double) infinity })
    {
        prepare (processor, rate);
        EXPECT_EQ (processor.getSettledLatencySamples(), 96) << rate;
    }

    processor.setParameter (0, 1.0f);
    prepare (processor, 192000.0);
    EXPECT_EQ (processor.getSettledLatencySamples(), 7680);

    processor.setParameter (0, 0.0f);
    EXPECT_EQ (processor.getSettledLatencySamples(), 1);
}

TEST_F (Latency, FollowsAnAttackChangeAtOnce)
{
    prepare (processor, 48000.0);

    // No block processed and no message loop running: the answer follows at once,
    // while the framework's figure waits for the next prepareToPlay.
    processor.setParameter (0, 0.5f);
    EXPECT_EQ (processor.getLatencySamples(), 48);
    EXPECT_EQ (processor.getSettledLatencySamples(), 960);

    processor.setParameter (0, 1.5f);
    EXPECT_EQ (processor.getParameter (0), 1.5f);
    EXPECT_EQ (processor.getSettledLatencySamples(), 960);

    processor.setParameter (0, -0.5f);
    EXPECT_EQ (processor.getSettledLatencySamples(), 1);

    juce::MemoryBlock state;
    KestruneAudioProcessor other;
    other.setParameter (0, 0.25f);
    other.getStateInformation (state);
    processor.setStateInformation (state.getData(), (int) state.getSize());
    EXPECT_EQ (processor.getSettledLatencySamples(), 480);
}

TEST_F (Latency, IsTheDelayTheAudioActuallyHas)
{
    prepare (processor, 48000.0);
    processor.setParameter (0, 0.5f);
    const int latency = processor.getSettledLatencySamples();

    // The delay glides to the new look-ahead; after the glide an impulse shows it.
    runInBlocks (processor, constant (400000, 0.0f), 4096);
    auto impulseIn = constant (4096, 0.0f);
    impulseIn.channels[2][100] = 0.5f;
    const auto impulseOut = runInBlocks (processor, impulseIn, 512);

    EXPECT_EQ (impulseOut.channels[2][(size_t) (100 + latency)], 0.5f);
    EXPECT_EQ (largestMagnitude (impulseOut), 0.5f);

    // prepareToPlay sets the delay at once.
    prepare (processor, 44100.0);
    const auto afterPrepare = runInBlocks (processor, impulseIn, 512);
    EXPECT_EQ (processor.getSettledLatencySamples(), 882);
    EXPECT_EQ (afterPrepare.channels[2][(size_t) (100 + 882)], 0.5f);
}

//==============================================================================
// The audio: delayed by the latency, within the ceiling, equal to the plain
// model; channels from 4 up silent; long and short buffers.

using Audio = ProcessorTest;

TEST_F (Audio, IsTheModelsOutputDelayedByTheLatencyAndWithinTheCeiling)
{
    struct Case
    {
        int rate;
        float attack;
        int blockSize;
    };

    for (const auto& c : { Case { 48000, 0.025f, 512 }, Case { 44100, 0.3f, 441 }, Case { 96000, 1.0f, 1024 }, Case { 192000, 0.0f, 64 } })
    {
        KestruneAudioProcessor fresh;
        ProcessorModel model;

        for (int index : { 0, 2 })
        {
            const float v = index == 0 ? c.attack : 0.45f;
            fresh.setParameter (index, v);
            model.setParameter (index, v);
        }

        prepare (fresh, c.rate, c.blockSize);
        model.prepare (c.rate);
        EXPECT_EQ (fresh.getSettledLatencySamples(), model.latency());

        const auto loud = ambisonicScene (30000, c.rate, 2.0f, 11);
        const auto output = runInBlocks (fresh, loud, c.blockSize);
        EXPECT_TRUE (sameSamples (model.run (loud, c.blockSize), output)) << c.rate;
        EXPECT_LE (largestMagnitude (output), std::pow (10.0f, (0.45f * 20.0f - 10.0f) * 0.05f)) << c.rate;

        // Below the ceiling the limiter only delays.
        const auto quiet = independentNoise (4, 20000, 0.5f, 12);
        prepare (fresh, c.rate, c.blockSize);
        EXPECT_TRUE (sameSamples (delayedBy (quiet, fresh.getSettledLatencySamples()), runInBlocks (fresh, quiet, c.blockSize))) << c.rate;
    }
}

TEST_F (Audio, HoldsTheCeilingWhileParametersSweep)
{
    ProcessorModel model;
    prepare (processor, 48000.0, 256);
    model.prepare (48000);

    SignalRandom random (21);
    auto input = ambisonicScene (256 * 400, 48000.0, 3.0f, 22);
    auto output = input;
    auto expected = input;
    float ceiling = 1.0f;

    for (int block = 0; block < 400; ++block)
    {
        if (random.chance (0.2f))
        {
            // Between two blocks, in the order the processor applies them.
            for (int index : { 3, 0, 1, 2 })
            {
                if (! random.chance (0.5f))
                    continue;

                const float v = random.unit();
                processor.setParameter (index, v);
                model.setParameter (index, v);

                if (index == 2)
                    ceiling = std::pow (10.0f, (v * 20.0f - 10.0f) * 0.05f);
            }
        }

        MultiChannelSignal slice (4, 256);

        for (int ch = 0; ch < 4; ++ch)
            std::copy_n (input.channels[(size_t) ch].begin() + block * 256, 256, slice.channels[(size_t) ch].begin());

        const auto processed = runInBlocks (processor, slice, 256);
        const auto modelled = model.run (slice, 256);
        ASSERT_TRUE (sameSamples (modelled, processed)) << "block " << block;
        ASSERT_LE (largestMagnitude (processed), ceiling) << "block " << block;
    }
}

TEST_F (Audio, SilencesChannelsFromFourUp)
{
    prepare (processor, 48000.0);
    const auto input = independentNoise (6, 4096, 0.9f, 31);
    const auto output = runInBlocks (processor, input, 512);

    for (int ch = 4; ch < 6; ++ch)
        EXPECT_EQ (largestMagnitudeOf (output.channels[(size_t) ch]), 0.0f) << ch;

    MultiChannelSignal firstFour;
    firstFour.channels.assign (input.channels.begin(), input.channels.begin() + 4);
    ProcessorModel model;
    model.prepare (48000);
    auto modelled = model.run (firstFour, 512);

    for (int ch = 0; ch < 4; ++ch)
        EXPECT_EQ (modelled.channels[(size_t) ch], output.channels[(size_t) ch]) << ch;
}

TEST_F (Audio, ProcessesEverySampleOfLongBlocks)
{
    // With a glide under way, so that every stage of a block is involved.
    const auto input = ambisonicScene (10000, 48000.0, 2.0f, 41);

    auto runWith = [&] (std::vector<int> blockSizes)
    {
        KestruneAudioProcessor fresh;
        fresh.setParameter (3, 0.1f);
        prepare (fresh, 48000.0, 10000);
        auto signal = input;
        int start = 0;

        for (int length : blockSizes)
        {
            runBlock (fresh, signal, start, length);
            start += length;
        }

        return signal;
    };

    const auto whole = runWith ({ 10000 });
    EXPECT_TRUE (sameSamples (runWith ({ 8192, 1808 }), whole));
    EXPECT_LE (largestMagnitude (whole), 1.0f);

    ProcessorModel model;
    model.setParameter (3, 0.1f);
    model.prepare (48000);
    EXPECT_TRUE (sameSamples (model.run (input, 8192), whole));

    // Three segments and a block length that is no multiple of anything.
    const auto longer = ambisonicScene (20000, 48000.0, 2.0f, 42);
    KestruneAudioProcessor a, b;
    prepare (a, 48000.0);
    prepare (b, 48000.0);
    auto inOne = longer;
    runBlock (a, inOne, 0, 20000);
    EXPECT_TRUE (sameSamples (runInBlocks (b, longer, 8192), inOne));
}

TEST_F (Audio, StaysInsideBuffersWithFewerThanFourChannels)
{
    prepare (processor, 48000.0);

    // Two channels: they are processed as channels 0 and 1 of a four-channel
    // signal whose other two channels are silent.
    const auto two = independentNoise (2, 4096, 2.0f, 51);
    const auto output = runInBlocks (processor, two, 512);

    MultiChannelSignal padded (4, 4096);
    padded.channels[0] = two.channels[0];
    padded.channels[1] = two.channels[1];
    ProcessorModel model;
    model.prepare (48000);
    const auto modelled = model.run (padded, 512);

    EXPECT_EQ (output.channels[0], modelled.channels[0]);
    EXPECT_EQ (output.channels[1], modelled.channels[1]);
    EXPECT_GT (level (4), 0.0f);
    EXPECT_EQ (level (6), 0.0f); // output channels the buffer lacks read as silence
    EXPECT_EQ (level (7), 0.0f);

    for (int numChannels : { 1, 0 })
    {
        juce::AudioBuffer<float> buffer (numChannels, 300);
        buffer.clear();
        juce::MidiBuffer midi;
        processor.processBlock (buffer, midi);
        processor.processBlockBypassed (buffer, midi);
    }

    juce::AudioBuffer<float> empty (4, 0);
    juce::MidiBuffer midi;
    processor.processBlock (empty, midi);
    processor.processBlockBypassed (empty, midi);
}

TEST_F (Audio, ProcessingAllocatesNothing)
{
    prepare (processor, 48000.0);
    auto input = ambisonicScene (512, 48000.0, 2.0f, 61);
    juce::MidiBuffer midi;
    std::vector<float*> table = input.pointers();
    juce::AudioBuffer<float> buffer (table.data(), 4, 512);

    processor.processBlock (buffer, midi);

    for (int round = 0; round < 4; ++round)
    {
        processor.setParameter (round % 4, 0.3f); // pending changes are applied inside the block
        AllocationScope scope;
        processor.processBlock (buffer, midi);
        processor.processBlockBypassed (buffer, midi);
        processor.processBlock (buffer, midi); // leaves bypass
        EXPECT_EQ (scope.allocations(), 0) << round;
    }
}

//==============================================================================
// Values that must not reach the audio.

using ParameterValues = ProcessorTest;

TEST_F (ParameterValues, NonFiniteValuesAreIgnored)
{
    prepare (processor, 48000.0);
    ProcessorModel model;
    model.prepare (48000);

    for (int index = 0; index < 4; ++index)
    {
        for (float v : { nan, infinity, -infinity })
        {
            processor.parametersChanged = false;
            processor.setParameter (index, v);
            EXPECT_EQ (bitsOf (processor.getParameter (index)), bitsOf (processor.getParameterDefaultValue (index)));
            EXPECT_FALSE (processor.parametersChanged.load());
        }
    }

    EXPECT_EQ (processor.getSettledLatencySamples(), 48);
    const auto input = ambisonicScene (8192, 48000.0, 2.0f, 71);
    EXPECT_TRUE (sameSamples (model.run (input, 512), runInBlocks (processor, input, 512)));
}

TEST_F (ParameterValues, ASettingThatWouldOverflowKeepsTheOneInForce)
{
    prepare (processor, 48000.0);
    ProcessorModel model;
    model.prepare (48000);

    // Stored as given, but 1e30 * 60 dB, 1e30 * 20 dB and 1e38 * 1000 ms are
    // no numbers a limiter can use; 60 ms is above what it accepts.
    const std::pair<int, float> changes[] = { { 3, 1.0e30f }, { 2, 1.0e30f }, { 1, 1.0e38f }, { 0, 1.5f } };

    for (const auto& [index, v] : changes)
    {
        processor.parametersChanged = false;
        processor.setParameter (index, v);
        EXPECT_EQ (processor.getParameter (index), v);
        EXPECT_TRUE (processor.parametersChanged.load());
    }

    const auto input = ambisonicScene (8192, 48000.0, 2.0f, 72);
    const auto output = runInBlocks (processor, input, 512);
    EXPECT_TRUE (sameSamples (model.run (input, 512), output));
    EXPECT_EQ (processor.getSettledLatencySamples(), 48);
}

TEST_F (ParameterValues, OutOfRangeIndicesChangeNothing)
{
    processor.parametersChanged = false;

    for (int index : { 4, -1, INT_MIN, INT_MAX })
        processor.setParameter (index, 0.7f);

    EXPECT_FALSE (processor.parametersChanged.load());

    for (int index = 0; index < 4; ++index)
        EXPECT_EQ (processor.getParameter (index), processor.getParameterDefaultValue (index));
}

//==============================================================================
// Bypass keeps time.

using Bypass = ProcessorTest;

TEST_F (Bypass, KeepsTheOutputAlignedWithTheReportedLatency)
{
    for (float attack : { 0.025f, 0.5f })
    {
        KestruneAudioProcessor fresh;
        fresh.setParameter (0, attack);
        prepare (fresh, 48000.0, 480);
        const int latency = fresh.getSettledLatencySamples();

        // Below the ceiling, processed and bypassed output alike are the input
        // delayed by the latency, however the two alternate.
        const auto input = independentNoise (4, 480 * 60, 0.7f, 81);
        auto output = input;
        const bool bypassed[] = { false, true, false, true, true, false };

        for (int block = 0; block < 60; ++block)
            runBlock (fresh, output, block * 480, 480, bypassed[(block / 10) % 6]);

        EXPECT_TRUE (sameSamples (delayedBy (input, latency), output)) << latency;
    }
}

TEST_F (Bypass, FollowsAnAttackChangeWhileBypassed)
{
    prepare (processor, 48000.0, 256);
    const auto input = independentNoise (4, 256 * 40, 0.7f, 82);
    auto output = input;

    for (int block = 0; block < 40; ++block)
    {
        if (block == 20)
            processor.setParameter (0, 0.3f);

        runBlock (processor, output, block * 256, 256, true);
    }

    const int latency = processor.getSettledLatencySamples();
    EXPECT_EQ (latency, 576);

    for (int i = 20 * 256; i < 40 * 256; ++i)
        ASSERT_EQ (output.channels[1][(size_t) i], input.channels[1][(size_t) (i - latency)]) << i;
}

TEST_F (Bypass, ReplaysNoStaleAudioAfterwards)
{
    prepare (processor, 48000.0);
    auto loud = ambisonicScene (512 * 20, 48000.0, 3.0f, 83);
    runInBlocks (processor, loud, 512);

    // Bypassed silence, then processed silence: once the audio owed from
    // before the bypass has left (the first latency of it), nothing but
    // silence may follow.
    auto silence = constant (512 * 10, 0.0f);
    const int latency = processor.getSettledLatencySamples();

    for (int block = 0; block < 10; ++block)
        runBlock (processor, silence, block * 512, 512, block < 4);

    for (const auto& channel : silence.channels)
        for (size_t i = (size_t) latency; i < channel.size(); ++i)
            ASSERT_EQ (channel[i], 0.0f) << i;

    // The owed samples are the last input before the bypass, at unity gain.
    for (int i = 0; i < latency; ++i)
        ASSERT_EQ (silence.channels[0][(size_t) i], loud.channels[0][loud.channels[0].size() - (size_t) (latency - i)]);
}

TEST_F (Bypass, LeavesLevelsAndGainReductionAsTheyWere)
{
    prepare (processor, 48000.0);
    runInBlocks (processor, ambisonicScene (4096, 48000.0, 3.0f, 84), 512);

    std::array<float, 8> levels {};

    for (int index = 0; index < 8; ++index)
        levels[(size_t) index] = level (index);

    const float reduction = processor.getGainReductionDb();
    EXPECT_GT (reduction, 0.0f);

    auto input = independentNoise (6, 2048, 0.2f, 85);
    for (int block = 0; block < 4; ++block)
        runBlock (processor, input, block * 512, 512, true);

    for (int index = 0; index < 8; ++index)
        EXPECT_EQ (level (index), levels[(size_t) index]) << index;

    EXPECT_EQ (processor.getGainReductionDb(), reduction);
    EXPECT_EQ (largestMagnitudeOf (input.channels[4]), 0.0f);
    EXPECT_EQ (largestMagnitudeOf (input.channels[5]), 0.0f);
}

//==============================================================================
// The saved state through the processor.

juce::MemoryBlock blockWithText (const juce::String& text)
{
    juce::MemoryBlock block;
    juce::MemoryOutputStream stream (block, false);
    stream.writeInt (0x21324356);
    stream.writeInt ((int) text.getNumBytesAsUTF8());
    stream << text;
    stream.writeByte (0);
    return block;
}

juce::String textOf (const juce::MemoryBlock& block)
{
    return juce::String::fromUTF8 (static_cast<const char*> (block.getData()) + 8, (int) block.getSize() - 9);
}

void restore (KestruneAudioProcessor& processor, const juce::MemoryBlock& block)
{
    processor.setStateInformation (block.getData(), (int) block.getSize());
}

using SavedState = ProcessorTest;

TEST_F (SavedState, FreshBlockIsTheKnown141Bytes)
{
    juce::MemoryBlock block;
    block.append ("junk that must go", 17);
    processor.getStateInformation (block);

    const juce::String text = "<Root><Gain>0</Gain><Attack>0.025</Attack><Release>0.02</Release>"
                              "<Threshold>0.5</Threshold><idxInputConfig>0</idxInputConfig></Root>";
    ASSERT_EQ (block.getSize(), 141u);

    const auto* bytes = static_cast<const unsigned char*> (block.getData());
    const unsigned char header[] = { 0x56, 0x43, 0x32, 0x21, 0x84, 0x00, 0x00, 0x00 };

    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ (bytes[i], header[i]) << i;

    EXPECT_EQ (juce::String::fromUTF8 (reinterpret_cast<const char*> (bytes) + 8, 132), text);
    EXPECT_EQ (bytes[140], 0);
    EXPECT_EQ (block, blockWithText (text));
}

TEST_F (SavedState, RestoresEveryValueAndSetsTheFlag)
{
    KestruneAudioProcessor fresh;
    juce::MemoryBlock freshBlock;
    fresh.getStateInformation (freshBlock);

    for (int index = 0; index < 4; ++index)
        processor.setParameter (index, 0.7f);

    processor.idxInputConfig = 1;
    processor.parametersChanged = false;
    restore (processor, freshBlock);

    for (int index = 0; index < 4; ++index)
        EXPECT_EQ (processor.getParameter (index), processor.getParameterDefaultValue (index));

    EXPECT_EQ (processor.idxInputConfig.load(), 0);
    EXPECT_TRUE (processor.parametersChanged.load());
}

TEST_F (SavedState, RestoresOnlyWhatTheBlockHolds)
{
    prepare (processor, 48000.0);
    processor.setParameter (0, 0.1f);
    processor.setParameter (2, 0.9f);
    processor.parametersChanged = false;

    restore (processor, blockWithText ("<root><gain>0.5</gain></root>"));

    EXPECT_EQ (processor.getParameter (3), 0.5f);
    EXPECT_EQ (processor.getParameter (0), 0.1f);
    EXPECT_EQ (processor.getParameter (1), 0.02f);
    EXPECT_EQ (processor.getParameter (2), 0.9f);
    EXPECT_EQ (processor.idxInputConfig.load(), 0);
    EXPECT_TRUE (processor.parametersChanged.load());

    // Applied in document order, a repeated element each time: the last wins.
    restore (processor, blockWithText ("<Root><Attack>0.5</Attack><ATTACK>0.25</ATTACK><Attack>2</Attack><Other>7</Other></Root>"));
    EXPECT_EQ (processor.getParameter (0), 2.0f);
    EXPECT_EQ (processor.getSettledLatencySamples(), 480); // 80 ms is refused, 10 ms stays in force
}

TEST_F (SavedState, IgnoresBlocksThatAreNotOnes)
{
    juce::MemoryBlock fresh;
    KestruneAudioProcessor().getStateInformation (fresh);

    std::vector<juce::MemoryBlock> bad;
    bad.emplace_back (fresh.getData(), 8); // header only
    bad.push_back (fresh);
    bad.back()[4] = 0; // length 0
    bad.push_back (fresh);
    bad.back()[7] = (char) 0x80; // length negative
    bad.push_back (fresh);
    bad.back()[0] = 0x57; // another magic
    bad.push_back (blockWithText ("<Root><Gain>0.5</Gain>")); // unclosed
    bad.push_back (blockWithText ("<Root <Gain>0.5</Gain></Root>")); // illegal character
    bad.push_back (blockWithText ("<Root><Gain x=\"1>0.5</Gain></Root>")); // unmatched quotes
    bad.push_back (blockWithText ("<Root><Gain>0.5</Gain><Release>0.0")); // cut inside a value
    bad.push_back (blockWithText ("not xml at all"));
    bad.push_back (blockWithText ("<Root><Gain>0.5</Gain>9"));
    bad.back()[bad.back().getSize() - 2] = (char) 0xfc; // a multi-byte sequence cut short
    bad.push_back (blockWithText ("<!DOCTYPE r [x x x <!ENTITY a \"&xxxxa;\">]><Root><Gain>&a;</Gain></Root>"));
    bad.push_back (blockWithText (juce::String::repeatedString ("<a>", 20000) + "<Gain>0.5</Gain>"));

    for (size_t i = 0; i < bad.size(); ++i)
    {
        processor.setParameter (1, 0.3f);
        processor.idxInputConfig = 1;
        processor.parametersChanged = false;

        restore (processor, bad[i]);
        EXPECT_EQ (processor.getParameter (1), 0.3f) << i;
        EXPECT_EQ (processor.getParameter (3), 0.0f) << i;
        EXPECT_EQ (processor.idxInputConfig.load(), 1) << i;
        EXPECT_FALSE (processor.parametersChanged.load()) << i;
    }

    processor.setStateInformation (nullptr, 141);
    processor.setStateInformation (fresh.getData(), -1);
    processor.setStateInformation (fresh.getData(), 0);
    EXPECT_FALSE (processor.parametersChanged.load());

    // A length beyond the data: the host cut the block short.
    auto longer = fresh;
    longer[5] = 0x10;
    restore (processor, longer);
    EXPECT_EQ (processor.getParameter (1), 0.3f);
    EXPECT_FALSE (processor.parametersChanged.load());
}

TEST_F (SavedState, TruncatedBlocksNeverApplyACutValue)
{
    juce::MemoryBlock fresh;
    KestruneAudioProcessor().getStateInformation (fresh);

    // Whatever the framework's parser makes of a cut block, each value is
    // either left alone or restored whole.
    for (size_t length = 0; length <= fresh.getSize(); ++length)
    {
        KestruneAudioProcessor target;

        for (int index = 0; index < 4; ++index)
            target.setParameter (index, 0.7f);

        target.idxInputConfig = 1;
        target.setStateInformation (fresh.getData(), (int) length);

        for (int index = 0; index < 4; ++index)
        {
            const float value = target.getParameter (index);
            EXPECT_TRUE (value == 0.7f || value == target.getParameterDefaultValue (index)) << length << " " << index << " " << value;
        }

        EXPECT_TRUE (target.idxInputConfig.load() == 1 || target.idxInputConfig.load() == 0) << length;
    }
}

TEST_F (SavedState, NonNumericTextsReadAsZeroAndNonFiniteOnesAreIgnored)
{
    prepare (processor, 48000.0);
    processor.setParameter (3, 0.2f);
    processor.idxInputConfig = 1;
    processor.parametersChanged = false;

    restore (processor, blockWithText ("<Root><Gain>abc</Gain><Attack>nan</Attack><Release>inf</Release>"
                                       "<Threshold>1e39</Threshold><idxInputConfig>x</idxInputConfig></Root>"));

    EXPECT_EQ (processor.getParameter (3), 0.0f);
    EXPECT_EQ (processor.getParameter (0), 0.025f);
    EXPECT_EQ (processor.getParameter (1), 0.02f);
    EXPECT_EQ (processor.getParameter (2), 0.5f);
    EXPECT_EQ (processor.idxInputConfig.load(), 0);
    EXPECT_TRUE (processor.parametersChanged.load());

    ProcessorModel model;
    model.prepare (48000);
    const auto input = ambisonicScene (4096, 48000.0, 2.0f, 91);
    EXPECT_TRUE (sameSamples (model.run (input, 512), runInBlocks (processor, input, 512)));
}

TEST_F (SavedState, RestoresTheChannelFormatIndex)
{
    const std::pair<const char*, int> cases[] = { { "1", 1 }, { "-1", -1 }, { " 0 ", 0 }, { "-2147483648", INT_MIN }, { "4294967297", 1 } };

    for (const auto& [text, expected] : cases)
    {
        restore (processor, blockWithText (juce::String ("<Root><idxInputConfig>") + text + "</idxInputConfig></Root>"));
        EXPECT_EQ (processor.idxInputConfig.load(), expected) << text;

        juce::MemoryBlock saved;
        processor.getStateInformation (saved);
        KestruneAudioProcessor other;
        restore (other, saved);
        EXPECT_EQ (other.idxInputConfig.load(), expected) << text;
    }
}

TEST_F (SavedState, RoundTripsEveryFloatExactly)
{
    SignalRandom random (101);
    const float unusual[] = { 1.0f / 3.0f, 0.1f, 5.0e-5f, 1.0e-7f, 1.5f, -0.25f, -0.0f, 1.0e30f, 16777217.0f, std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::max(), 0.99999994f };

    for (int round = 0; round < 300; ++round)
    {
        KestruneAudioProcessor source, target;
        std::array<float, 4> values {};

        for (int index = 0; index < 4; ++index)
        {
            values[(size_t) index] = round < (int) std::size (unusual) ? unusual[(size_t) (round + index) % std::size (unusual)]
                                                                       : random.unit();
            source.setParameter (index, values[(size_t) index]);
        }

        source.idxInputConfig = random.integer (-1, 1);
        juce::MemoryBlock saved;
        source.getStateInformation (saved);
        restore (target, saved);

        for (int index = 0; index < 4; ++index)
            ASSERT_EQ (bitsOf (target.getParameter (index)), bitsOf (values[(size_t) index])) << values[(size_t) index];

        ASSERT_EQ (target.idxInputConfig.load(), source.idxInputConfig.load());

        juce::MemoryBlock again;
        target.getStateInformation (again);
        ASSERT_EQ (again, saved);
    }
}

TEST_F (SavedState, KeepsTheLookaheadThroughASaveWhereSixDigitsWouldNot)
{
    prepare (processor, 48000.0);
    processor.setParameter (0, 1.0f / 3.0f);
    EXPECT_EQ (processor.getSettledLatencySamples(), 640);

    juce::MemoryBlock saved;
    processor.getStateInformation (saved);
    EXPECT_TRUE (textOf (saved).contains ("<Attack>0.33333334</Attack>"));

    KestruneAudioProcessor restored;
    prepare (restored, 48000.0);
    restore (restored, saved);
    EXPECT_EQ (restored.getSettledLatencySamples(), 640);

    // A block written with six digits still restores, to what six digits say.
    KestruneAudioProcessor old;
    prepare (old, 48000.0);
    restore (old, blockWithText ("<Root><Gain>0</Gain><Attack>0.333333</Attack><Release>0.02</Release>"
                                 "<Threshold>0.5</Threshold><idxInputConfig>0</idxInputConfig></Root>"));
    EXPECT_EQ (old.getParameter (0), 0.333333f);
    EXPECT_EQ (old.getSettledLatencySamples(), 639);
}

TEST_F (SavedState, AcceptsBlocksWithAnXmlDeclaration)
{
    juce::XmlElement root ("Root");
    root.createNewChildElement ("Release")->addTextElement ("0.125");
    juce::MemoryBlock block;
    juce::AudioProcessor::copyXmlToBinary (root, block);
    ASSERT_TRUE (textOf (block).startsWith ("<?xml"));

    restore (processor, block);
    EXPECT_EQ (processor.getParameter (1), 0.125f);
}
} // namespace
