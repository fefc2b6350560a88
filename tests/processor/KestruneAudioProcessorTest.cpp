#include "processor/KestruneAudioProcessor.h"
#include "support/AllocationCounter.h"
#include "support/StateBlock.h"

#include "ProcessorTestSupport.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <array>
#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

using namespace quorvel::test;

namespace
{
constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float infinity = std::numeric_limits<float>::infinity();

class ProcessorTest : public ::testing::Test
{
protected:
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    KestruneAudioProcessor processor;

    float level (int index) const { return processor.vuLevels[(size_t) index].load(); }

    static MultiChannelSignal constant (int numSamples, float value, int numChannels = 4)
    {
        MultiChannelSignal signal (numChannels, numSamples);

        for (auto& channel : signal.channels)
            std::fill (channel.begin(), channel.end(), value);

        return signal;
    }
};

//==============================================================================
using FreshProcessor = ProcessorTest;

TEST_F (FreshProcessor, AnswersWhatAHostAsks)
{
    const char* names[] = { "Attack Time", "Release Time", "Max Peak Level", "Input Gain" };
    const float defaults[] = { 0.025f, 0.02f, 0.5f, 0.0f };
    const char* texts[] = { "0.025", "0.02", "0.5", "0" };

    EXPECT_EQ (processor.getNumParameters(), 4);

    for (int index : { 0, 1, 2, 3, 4, -1, INT_MIN, INT_MAX })
    {
        const bool valid = index >= 0 && index < 4;
        EXPECT_EQ (processor.getParameter (index), valid ? defaults[index] : 0.0f) << index;
        EXPECT_EQ (processor.getParameterDefaultValue (index), valid ? defaults[index] : 0.0f) << index;
        EXPECT_EQ (processor.getParameterName (index), valid ? names[index] : "") << index;
        EXPECT_EQ (processor.getParameterText (index), valid ? texts[index] : "") << index;
    }

    EXPECT_EQ (processor.getName(), "Quorvel");
    EXPECT_EQ (processor.getNumPrograms(), 1);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
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
    EXPECT_EQ (processor.getSettledLatencySamples(), 192); // 1 ms at the limiter's initial 192000 Hz

    // Exactly four inputs and four outputs, whatever their channel set.
    auto supports = [this] (juce::AudioChannelSet in, juce::AudioChannelSet out)
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (in);
        layout.outputBuses.add (out);
        return processor.checkBusesLayoutSupported (layout);
    };

    const auto four = juce::AudioChannelSet::discreteChannels (4);
    EXPECT_TRUE (supports (four, four));
    EXPECT_TRUE (supports (juce::AudioChannelSet::ambisonic (1), juce::AudioChannelSet::ambisonic (1)));
    EXPECT_FALSE (supports (juce::AudioChannelSet::stereo(), juce::AudioChannelSet::stereo()));
    EXPECT_FALSE (supports (four, juce::AudioChannelSet::stereo()));
    EXPECT_FALSE (supports (juce::AudioChannelSet::discreteChannels (6), juce::AudioChannelSet::discreteChannels (6)));
}

//==============================================================================
// Worked examples of the mappings and the glide, and of the level values.

using WorkedExamples = ProcessorTest;

TEST_F (WorkedExamples, CeilingAndInputGainAtTheEndsOfTheirRanges)
{
    struct Case
    {
        float maxPeak, inputGain, input, settledOutput, tolerance;
    };

    // The input gain settles a float step short of 1000.
    for (const auto& c : { Case { 1.0f, 0.0f, 5.0f, 3.1622777f, 2.0e-6f }, Case { 0.0f, 0.0f, 1.0f, 0.31622777f, 2.0e-7f }, Case { 1.0f, 1.0f, 0.001f, 1.0f, 1.0e-5f } })
    {
        KestruneAudioProcessor fresh;
        prepare (fresh, 48000.0);
        fresh.setParameter (2, c.maxPeak);
        fresh.setParameter (3, c.inputGain);
        const auto output = runInBlocks (fresh, constant (16384, c.input), 512);
        EXPECT_NEAR (output.channels[3].back(), c.settledOutput, c.tolerance) << c.maxPeak;
        EXPECT_LE (largestMagnitude (output), c.settledOutput + c.tolerance) << c.maxPeak;
    }
}

TEST_F (WorkedExamples, GlideStartsWithFactor1_1531138AndClosesByHalfAPercentPerSample)
{
    prepare (processor, 48000.0);
    processor.setParameter (2, 1.0f);
    processor.setParameter (3, 0.5f);

    // Quiet enough that even the full 30 dB stay below the +10 dB ceiling, so
    // the output is the input times the gliding factor, delayed by 48 samples.
    auto signal = constant (512, 0.0f);
    std::fill (signal.channels[0].begin(), signal.channels[0].end(), 0.05f);
    const auto factors = runInBlocks (processor, signal, 512).channels[0];

    EXPECT_EQ (factors[47], 0.0f);
    EXPECT_NEAR (factors[48] / 0.05f, 1.1531138f, 1.0e-6f);

    for (size_t i = 49; i < 248; i += 10)
        EXPECT_NEAR ((31.622776 - factors[i] / 0.05f) / (31.622776 - factors[i - 1] / 0.05f), 0.995, 1.0e-5) << i;
}

TEST_F (WorkedExamples, LevelValuesRiseAtOnceAndFallByATenthPerBlock)
{
    const float peaks[] = { 1.0f, 0.5f, 0.1f, 0.0031622777f, 3.0e-5f, 4.0f };
    const float readings[] = { 0.75001f, 0.59949f, 0.25001f, 1.0e-5f, 0.0f, 1.00001f };

    for (size_t i = 0; i < std::size (peaks); ++i)
    {
        KestruneAudioProcessor fresh;
        prepare (fresh, 48000.0);
        runInBlocks (fresh, constant (512, peaks[i]), 512);

        for (size_t index = 0; index < 4; ++index)
            EXPECT_NEAR (fresh.vuLevels[index].load(), readings[i], 1.0e-5f) << "peak " << peaks[i];
    }

    // Output values: the delayed block passes the default 0 dB ceiling unchanged.
    // NaNs are left out of a peak, infinities are not.
    prepare (processor, 48000.0);
    auto block = constant (512, 1.0f);
    block.channels[1][100] = nan;
    block.channels[2][511] = -nan;
    block.channels[3][7] = -infinity;
    runInBlocks (processor, block, 512);
    const float expected[] = { 0.75001f, 0.75001f, 0.75001f, 1.00001f, 0.75001f, 0.75001f, 0.75001f, 0.75001f };

    for (int index = 0; index < 8; ++index)
        EXPECT_NEAR (level (index), expected[index], 1.0e-5f) << index;

    // Two silent blocks, then one at a level of 0.25001.
    double falling = 1.00001;

    for (float peak : { 0.0f, 0.0f, 0.1f })
    {
        runInBlocks (processor, constant (256, peak), 256);
        falling = falling * 0.9 + (peak > 0.0f ? 0.025001 : 0.0);
        EXPECT_NEAR (level (3), falling, 1.0e-6) << peak;
    }
}

//==============================================================================
using Latency = ProcessorTest;

TEST_F (Latency, IsTheLookaheadAndFollowsEveryChangeAtOnce)
{
    // No block processed and no message loop running: each answer follows at once.
    const std::pair<double, int> rates[] = { { 48000.0, 48 }, { 44100.0, 44 }, { 96000.0, 96 } };

    for (const auto& [rate, latency] : rates)
    {
        prepare (processor, rate);
        EXPECT_EQ (processor.getSettledLatencySamples(), latency) << rate;
        EXPECT_EQ (processor.getLatencySamples(), latency) << "reported to the framework as well";
    }

    // A rate the limiter cannot take keeps the one in force.
    for (double rate : { 200000.0, 0.0, -48000.0, 0.5, 1.0e300, (double) nan, (double) infinity })
    {
        prepare (processor, rate);
        EXPECT_EQ (processor.getSettledLatencySamples(), 96) << rate;
    }

    // Attacks: 20 ms, then above 40 ms (refused), below 0 ms (one sample), and 10 ms from a state.
    const std::pair<float, int> attacks[] = { { 0.5f, 1920 }, { 1.5f, 1920 }, { -0.5f, 1 }, { 1.0f, 3840 } };

    for (const auto& [v, latency] : attacks)
    {
        processor.setParameter (0, v);
        EXPECT_EQ (processor.getSettledLatencySamples(), latency) << v;
    }

    const auto state = stateBlock ("<Root><Attack>0.25</Attack></Root>");
    processor.setStateInformation (state.getData(), (int) state.getSize());
    EXPECT_EQ (processor.getSettledLatencySamples(), 960);
    EXPECT_EQ (processor.getLatencySamples(), 96) << "the framework's figure waits for prepareToPlay";

    prepare (processor, 192000.0);
    EXPECT_EQ (processor.getSettledLatencySamples(), 1920);
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
    EXPECT_TRUE (sameSamples (delayedBy (impulseIn, latency), runInBlocks (processor, impulseIn, 512)));

    // prepareToPlay sets the delay at once.
    prepare (processor, 44100.0);
    EXPECT_EQ (processor.getSettledLatencySamples(), 882);
    EXPECT_TRUE (sameSamples (delayedBy (impulseIn, 882), runInBlocks (processor, impulseIn, 512)));
}

//==============================================================================
// The audio: the plain model's output, within the ceiling in force.

using Audio = ProcessorTest;

TEST_F (Audio, FollowsTheModelWhileParametersSweep)
{
    // Parameters change between blocks, in any order and now and then twice,
    // to values of every kind: in range, out of range, too large for their
    // setting, no number; now and then the host prepares again at another rate.
    // Blocks of every length, longer than the processor's 8192-sample segments
    // too, with two, four or six channels.
    ProcessorModel model;
    prepare (processor, 48000.0, 256);
    model.prepare (48000);

    SignalRandom random (21);
    const float odd[] = { nan, infinity, -infinity, 1.5f, -0.5f, 1.0e30f, 1.0e38f };
    const int channelCounts[] = { 2, 4, 4, 4, 6 };
    const int rates[] = { 44100, 48000, 96000, 192000 };
    float ceiling = 1.0f;

    for (int block = 0; block < 300; ++block)
    {
        if (random.chance (0.03f))
        {
            const int rate = rates[random.integer (0, 3)];
            prepare (processor, rate, 256);
            model.prepare (rate);
        }

        for (int change = 0; change < 6; ++change)
        {
            if (! random.chance (0.1f))
                continue;

            const int index = random.integer (0, 3);
            const float v = random.chance (0.2f) ? odd[random.integer (0, 6)] : random.unit();
            processor.setParameter (index, v);
            model.setParameter (index, v);

            const float threshold = v * 20.0f - 10.0f > -100.0f ? std::pow (10.0f, (v * 20.0f - 10.0f) * 0.05f) : 0.0f;
            ceiling = index == 2 && std::isfinite (v) && std::isfinite (threshold) ? threshold : ceiling;
        }

        const int length = random.chance (0.05f) ? random.integer (8193, 20000) : random.integer (1, 1024);
        const auto input = ambisonicScene (length, 48000.0, random.between (0.0f, 3.0f), random.next());
        MultiChannelSignal slice (channelCounts[random.integer (0, 4)], length);

        for (size_t ch = 0; ch < slice.channels.size(); ++ch)
            slice.channels[ch] = input.channels[ch % 4];

        // The processor takes a long block in segments, each like a block of its own.
        const auto processed = runInBlocks (processor, slice, length);
        ASSERT_TRUE (sameSamples (model.run (slice, std::min (length, 8192)), processed)) << "block " << block;
        ASSERT_LE (largestMagnitude (processed), ceiling) << "block " << block;
        ASSERT_EQ (processor.getSettledLatencySamples(), model.latency()) << "block " << block;
    }
}

TEST_F (Audio, ChangesTakeEffectInTheOrderTheyCame)
{
    // An attack set while the release is below 75 ms starts the limiter's 75 ms
    // transition release; set before the release change, it sees the release
    // that was in force. The release changes, then the attack is set to the
    // same 1 ms, by two calls or by a state in that document order; then a peak
    // of 5 passes while channel 1 holds 0.25, and the output on channel 1 shows
    // the gain.
    const struct
    {
        float releaseBefore, releaseAfter;
        bool restored;
        float gainAfterPeak; // about 5 ms after the peak left the look-ahead (0.752 in the other order); 0: not worked out
    } cases[] = { { 0.2f, 0.01f, false, 0.316f }, { 0.01f, 0.2f, false, 0.0f }, { 0.2f, 0.01f, true, 0.316f }, { 0.01f, 0.2f, true, 0.0f } };

    auto steady = [] (int numSamples)
    {
        auto signal = constant (numSamples, 0.0f);
        std::fill (signal.channels[1].begin(), signal.channels[1].end(), 0.25f);
        return signal;
    };

    auto peak = steady (24000);
    peak.channels[0][100] = 5.0f;

    for (const auto& c : cases)
    {
        KestruneAudioProcessor fresh;
        ProcessorModel model;
        prepare (fresh, 48000.0);
        model.prepare (48000);

        fresh.setParameter (1, c.releaseBefore);
        model.setParameter (1, c.releaseBefore);
        runInBlocks (fresh, steady (512), 512);
        model.run (steady (512), 512);

        if (c.restored)
        {
            const auto state = stateBlock ("<Root><Release>" + std::to_string (c.releaseAfter) + "</Release><Attack>0.025</Attack></Root>");
            fresh.setStateInformation (state.getData(), (int) state.getSize());
        }
        else
        {
            fresh.setParameter (1, c.releaseAfter);
            fresh.setParameter (0, 0.025f);
        }

        model.setParameter (1, c.releaseAfter);
        model.setParameter (0, 0.025f);

        const auto output = runInBlocks (fresh, peak, 512);
        EXPECT_TRUE (sameSamples (model.run (peak, 512), output)) << c.releaseBefore << (c.restored ? " restored" : "");

        if (c.gainAfterPeak > 0.0f)
        {
            EXPECT_NEAR (output.channels[1][393] / 0.25f, c.gainAfterPeak, 0.0005f) << c.releaseBefore;
        }
    }
}

TEST_F (Audio, ValuesOfNoUseAreStoredOrIgnoredAsTheyCome)
{
    // A value that is no number is ignored entirely; one whose setting would
    // overflow, or that the limiter refuses, is stored while the setting in
    // force stays; an index outside 0..3 changes nothing.
    const struct
    {
        int index;
        float v;
        bool stored;
    } cases[] = { { 0, nan, false }, { 1, infinity, false }, { 2, -infinity, false }, { 3, nan, false }, { 3, 1.0e30f, true }, { 2, 1.0e30f, true }, { 1, 1.0e38f, true }, { 0, 1.5f, true }, { 4, 0.7f, false }, { -1, 0.7f, false }, { INT_MIN, 0.7f, false }, { INT_MAX, 0.7f, false } };

    for (const auto& c : cases)
    {
        processor.parametersChanged = false;
        const float before = processor.getParameter (c.index);
        processor.setParameter (c.index, c.v);
        EXPECT_EQ (bitsOf (processor.getParameter (c.index)), bitsOf (c.stored ? c.v : before)) << c.index << " " << c.v;
        EXPECT_EQ (processor.parametersChanged.load(), c.stored) << c.index << " " << c.v;
    }
}

TEST_F (Audio, BuffersOfAnyShapeAreSafeAndProcessingAllocatesNothing)
{
    prepare (processor, 48000.0);

    // Output channels the buffer lacks meter as silence.
    runInBlocks (processor, independentNoise (2, 4096, 2.0f, 51), 512);
    EXPECT_GT (level (4), 0.0f);
    EXPECT_EQ (level (6), 0.0f);
    EXPECT_EQ (level (7), 0.0f);

    for (int numChannels : { 1, 0, 4 })
    {
        juce::AudioBuffer<float> buffer (numChannels, numChannels == 4 ? 0 : 300);
        buffer.clear();
        juce::MidiBuffer midi;
        processor.processBlock (buffer, midi);
        processor.processBlockBypassed (buffer, midi);
    }

    auto input = ambisonicScene (512, 48000.0, 2.0f, 61);
    const auto table = input.pointers();
    processBlock (processor, table.data(), 4, 0, 512);

    for (int round = 0; round < 4; ++round)
    {
        processor.setParameter (round, 0.3f); // pending changes are applied inside the block
        AllocationScope scope;
        processBlock (processor, table.data(), 4, 0, 512);
        processBlock (processor, table.data(), 4, 0, 512, true);
        processBlock (processor, table.data(), 4, 0, 512); // leaves bypass
        EXPECT_EQ (scope.allocations(), 0) << round;
    }
}

//==============================================================================
// Bypass keeps time: the input leaves delayed by the latency at unity gain,
// levels and limiter as they were, and processing resumes where it stopped.

using Bypass = ProcessorTest;

TEST_F (Bypass, KeepsTheOutputAlignedWithTheReportedLatency)
{
    for (float attack : { 0.025f, 0.5f })
    {
        KestruneAudioProcessor fresh;
        fresh.setParameter (0, attack);
        prepare (fresh, 48000.0, 480);

        // Below the ceiling, processed and bypassed output alike are the input
        // delayed by the latency, however the two alternate. An attack change
        // while bypassed moves the delay of the bypassed output along (12 ms).
        const int latency = fresh.getSettledLatencySamples();
        const auto input = independentNoise (4, 480 * 70, 0.7f, 81);
        auto output = input;
        // Three blocks in seven bypassed: one right after a processed block that
        // wrapped the processor's 8192-sample history.
        for (int block = 0; block < 70; ++block)
        {
            if (block == 60)
                fresh.setParameter (0, 0.3f);

            runBlock (fresh, output, block * 480, 480, block >= 60 || block % 7 >= 4);
        }

        for (size_t ch = 0; ch < 4; ++ch)
        {
            for (int i = 0; i < 480 * 70; ++i)
            {
                const int delay = i < 480 * 60 ? latency : 576;
                ASSERT_EQ (output.channels[ch][(size_t) i], i < delay ? 0.0f : input.channels[ch][(size_t) (i - delay)]) << attack << " " << i;
            }
        }
    }
}

TEST_F (Bypass, ReplaysNoStaleAudioAndLeavesLevelsAndLimiterAlone)
{
    prepare (processor, 48000.0);
    auto loud = ambisonicScene (512 * 20, 48000.0, 3.0f, 83);
    runInBlocks (processor, loud, 512);

    std::array<float, 8> levels {};

    for (int index = 0; index < 8; ++index)
        levels[(size_t) index] = level (index);

    const float reduction = processor.getGainReductionDb();
    EXPECT_GT (reduction, 0.0f);

    // Quiet bypassed audio, with two channels past the fourth, then quiet
    // processed audio: once the audio owed from before the bypass has left (the
    // last input before the bypass, at unity gain), the input follows delayed,
    // untouched by the gain the loud audio had brought down.
    auto quiet = independentNoise (4, 512 * 10, 0.1f, 84);
    quiet.channels.push_back (std::vector<float> (512 * 10, 0.5f));
    quiet.channels.push_back (std::vector<float> (512 * 10, 0.5f));
    const auto input = quiet;
    const int latency = processor.getSettledLatencySamples();

    for (int block = 0; block < 4; ++block)
        runBlock (processor, quiet, block * 512, 512, true);

    for (int index = 0; index < 8; ++index)
        EXPECT_EQ (level (index), levels[(size_t) index]) << index;

    EXPECT_EQ (processor.getGainReductionDb(), reduction);

    for (int block = 4; block < 10; ++block)
        runBlock (processor, quiet, block * 512, 512);

    for (size_t ch = 0; ch < quiet.channels.size(); ++ch)
        for (size_t i = (size_t) latency; i < quiet.channels[ch].size(); ++i)
            ASSERT_EQ (quiet.channels[ch][i], ch < 4 ? input.channels[ch][i - (size_t) latency] : 0.0f) << ch << " " << i;

    for (int i = 0; i < latency; ++i)
        ASSERT_EQ (quiet.channels[0][(size_t) i], loud.channels[0][loud.channels[0].size() - (size_t) (latency - i)]);
}
} // namespace
