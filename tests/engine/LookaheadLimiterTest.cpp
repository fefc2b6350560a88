#include "engine/LookaheadLimiter.h"
#include "support/AllocationCounter.h"
#include "support/ReferenceLimiter.h"
#include "support/SignalAssertions.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <thread>
#include <vector>

using quorvel::test::bitsOf;
using quorvel::test::MultiChannelSignal;
using quorvel::test::ReferenceLimiter;
using quorvel::test::sameSamples;
using quorvel::test::SignalRandom;

namespace
{
constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float infinity = std::numeric_limits<float>::infinity();
constexpr float largestFloat = std::numeric_limits<float>::max();

// The processor's limiter: 4 channels, 192000 Hz, 40 ms.
constexpr int processorChannels = 4;
constexpr int processorMaxRate = 192000;
constexpr float processorMaxAttackMs = 40.0f;

template <typename Limiter>
MultiChannelSignal processed (Limiter& limiter, MultiChannelSignal signal)
{
    auto table = signal.pointers();
    limiter.process (table.data(), signal.numSamples());
    return signal;
}

MultiChannelSignal constantSignal (int numChannels, int numSamples, std::vector<float> levels)
{
    MultiChannelSignal signal (numChannels, numSamples);

    for (int channelIndex = 0; channelIndex < numChannels; ++channelIndex)
        std::fill (signal.channels[(size_t) channelIndex].begin(), signal.channels[(size_t) channelIndex].end(), levels[(size_t) channelIndex]);

    return signal;
}

// A two-channel limiter whose gain can be read off channel 1: it carries a constant 0.25,
// below every threshold used with it, so its output is exactly 0.25 times the gain.
struct GainProbe
{
    static constexpr float probeLevel = 0.25f;

    GainProbe (int sampleRate, float attackMs, float releaseMs, float threshold)
        : limiter (2, sampleRate, attackMs, releaseMs, threshold)
    {
        limiter.setSampleRate (sampleRate);
        run (std::vector<float> ((size_t) limiter.getLatencySamples() + 16, 0.0f));
    }

    // Processes channel 0 with the probe on channel 1 and returns the gain per sample.
    std::vector<float> run (const std::vector<float>& channel0)
    {
        MultiChannelSignal signal (2, (int) channel0.size());
        signal.channels[0] = channel0;
        std::fill (signal.channels[1].begin(), signal.channels[1].end(), probeLevel);
        lastOutput = processed (limiter, signal);

        std::vector<float> gains;

        for (float sample : lastOutput.channels[1])
            gains.push_back (sample / probeLevel);

        return gains;
    }

    LookaheadLimiter limiter;
    MultiChannelSignal lastOutput;
};

//==============================================================================
TEST (LookaheadLimiterExamples, ImpulseAt48kHzLandsExactlyOnTheThreshold)
{
    GainProbe probe (48000, 1.0f, 20.0f, 0.5f);
    ASSERT_EQ (probe.limiter.getLatencySamples(), 48);

    const auto gains = probe.run (quorvel::test::impulse (400, 10, 1.0f));
    const auto& output = probe.lastOutput.channels[0];

    for (int i = 0; i < 10; ++i)
        EXPECT_EQ (gains[(size_t) i], 1.0f) << i;

    EXPECT_NEAR (gains[10], 0.97449750f, 1.0e-7f);
    EXPECT_NEAR (gains[57], 0.50267297f, 1.0e-7f);
    EXPECT_EQ (gains[58], 0.5f);
    EXPECT_EQ (output[58], 0.5f);

    for (int i = 0; i < 400; ++i)
    {
        EXPECT_LE (std::fabs (output[(size_t) i]), 0.5f) << i;

        EXPECT_EQ (output[(size_t) i], i == 58 ? 0.5f : 0.0f) << i;
    }

    // The gain falls all the way through the attack and rises again afterwards.
    for (int i = 11; i <= 58; ++i)
        EXPECT_LT (gains[(size_t) i], gains[(size_t) i - 1]) << i;

    for (int i = 60; i < 400; ++i)
        EXPECT_GT (gains[(size_t) i], gains[(size_t) i - 1]) << i;
}

TEST (LookaheadLimiterExamples, CoefficientsShowInTheGainCurve)
{
    GainProbe probe (48000, 1.0f, 20.0f, 0.5f);
    const auto gains = probe.run (quorvel::test::impulse (200, 10, 1.0f));

    // First attack step: from 1 toward the point that lands on 0.5 after L + 1 samples.
    const double target = (1.0f * -0.1f + 0.5f) * 1.1111112f;
    EXPECT_NEAR ((gains[10] - target) / (1.0 - target), 0.95409548, 2.0e-7);

    // Release toward 1 once the impulse has left the window at sample 59.
    for (int i = 60; i < 70; ++i)
        EXPECT_NEAR ((gains[(size_t) i] - 1.0) / (gains[(size_t) i - 1] - 1.0), 0.99760681, 4.0e-7) << i;
}

TEST (LookaheadLimiterExamples, LookaheadFromAttackTime)
{
    LookaheadLimiter limiter (processorChannels, processorMaxRate, processorMaxAttackMs, 1000.0f, 1.0f);
    EXPECT_EQ (limiter.getLatencySamples(), 7680);

    ASSERT_EQ (limiter.setAttack (1.0f), 0);
    const std::pair<int, int> expected[] = { { 44100, 44 }, { 48000, 48 }, { 96000, 96 }, { 192000, 192 } };

    for (const auto& [rate, lookahead] : expected)
    {
        ASSERT_EQ (limiter.setSampleRate (rate), 0);
        EXPECT_EQ (limiter.getLatencySamples(), lookahead) << rate;
    }

    // An attack of 0 gives one sample, whether the attack or the rate changes last.
    ASSERT_EQ (limiter.setAttack (0.0f), 0);
    EXPECT_EQ (limiter.getLatencySamples(), 1);
    ASSERT_EQ (limiter.setSampleRate (48000), 0);
    EXPECT_EQ (limiter.getLatencySamples(), 1);
}

TEST (LookaheadLimiterExamples, DelayIsExactlyTheLookaheadAfterARateChange)
{
    const std::pair<int, float> settings[] = { { 44100, 40.0f }, { 48000, 40.0f }, { 96000, 40.0f }, { 192000, 40.0f }, { 192000, 20.0f }, { 48000, 0.0f } };
    const float values[] = { 0.9f, -0.8f, 0.7f, -0.6f };

    for (const auto& [rate, attack] : settings)
    {
        LookaheadLimiter limiter (processorChannels, processorMaxRate, processorMaxAttackMs, 1000.0f, 1.0f);
        ASSERT_EQ (limiter.setAttack (attack), 0);
        ASSERT_EQ (limiter.setSampleRate (rate), 0);
        const int lookahead = limiter.getLatencySamples();

        MultiChannelSignal signal (4, lookahead + 100);

        for (int channelIndex = 0; channelIndex < 4; ++channelIndex)
            signal.channels[(size_t) channelIndex][3] = values[channelIndex];

        const auto output = processed (limiter, signal);

        for (int channelIndex = 0; channelIndex < 4; ++channelIndex)
            for (int i = 0; i < signal.numSamples(); ++i)
                ASSERT_EQ (output.channels[(size_t) channelIndex][(size_t) i], i == 3 + lookahead ? values[channelIndex] : 0.0f)
                    << "rate " << rate << " attack " << attack << " channel " << channelIndex << " sample " << i;
    }

    LookaheadLimiter largest (processorChannels, processorMaxRate, processorMaxAttackMs, 1000.0f, 1.0f);
    largest.setSampleRate (processorMaxRate);
    EXPECT_EQ (largest.getLatencySamples(), 7680);
}

TEST (LookaheadLimiterExamples, TransitionReleaseLasts14405SamplesAt48kHz)
{
    GainProbe probe (48000, 1.0f, 20.0f, 0.5f);
    ASSERT_EQ (probe.limiter.setAttack (1.0f), 0);

    // A peak of 50 holds the gain at 0.01 until sample 14303; from 14304 on it releases.
    const auto gains = probe.run (quorvel::test::impulse (14600, 14255, 50.0f));
    EXPECT_NEAR (gains[14303], 0.01f, 1.0e-6f);
    EXPECT_GT (gains[14304], gains[14303]);

    for (int i = 14304; i < 14600; ++i)
    {
        const double coefficient = (gains[(size_t) i] - 1.0) / (gains[(size_t) i - 1] - 1.0);
        const double expected = i < 14405 ? 0.99936080 : 0.99760681;
        ASSERT_NEAR (coefficient, expected, 3.0e-7) << i;
    }
}

TEST (LookaheadLimiterExamples, ThresholdZeroGivesSilence)
{
    LookaheadLimiter limiter (processorChannels, processorMaxRate, processorMaxAttackMs, 1000.0f, 0.0f);
    limiter.setSampleRate (48000);
    const auto output = processed (limiter, quorvel::test::ambisonicScene (20000, 48000.0, 1.0f, 11));

    for (const auto& channel : output.channels)
        for (float sample : channel)
            ASSERT_EQ (sample, 0.0f);

    EXPECT_EQ (limiter.getGainReductionDb(), 0.0f);
}

TEST (LookaheadLimiterExamples, MeterReadings)
{
    LookaheadLimiter limiter (2, 48000, 1.0f, 20.0f, 0.5f);
    limiter.setSampleRate (48000);
    EXPECT_EQ (limiter.getGainReductionDb(), 0.0f);

    processed (limiter, constantSignal (2, 500, { 1.0f, 0.2f }));
    EXPECT_NEAR (limiter.getGainReductionDb(), 6.0206f, 1.0e-4f);

    processed (limiter, MultiChannelSignal (2, 100)); // the delay still sounds
    processed (limiter, MultiChannelSignal (2, 64));
    EXPECT_EQ (limiter.getGainReductionDb(), 0.0f) << "a block of zeros meters no reduction";

    processed (limiter, constantSignal (2, 500, { 1.0f, 0.2f }));
    EXPECT_NEAR (limiter.getGainReductionDb(), 6.0206f, 1.0e-4f);
    limiter.process (nullptr, 0);
    EXPECT_EQ (limiter.getGainReductionDb(), 0.0f) << "an empty block meters no reduction";
}

//==============================================================================
// Refused arguments: a limiter that was refused something behaves from then on exactly
// like a twin that was never asked.

class LookaheadLimiterRefused : public ::testing::Test
{
protected:
    LookaheadLimiterRefused()
    {
        for (auto* limiter : { &asked, &untouched })
        {
            limiter->setSampleRate (96000);
            processed (*limiter, quorvel::test::ambisonicScene (3000, 96000.0, 3.0f, 5));
            limiter->setRelease (30.0f);
            limiter->setAttack (12.0f); // a glide and a transition are under way
            processed (*limiter, quorvel::test::ambisonicScene (777, 96000.0, 3.0f, 6));
        }
    }

    void expectTwinsAlike()
    {
        EXPECT_EQ (asked.getLatencySamples(), untouched.getLatencySamples());

        for (int block = 0; block < 12; ++block)
        {
            const auto input = quorvel::test::ambisonicScene (1000 + 333 * block, 96000.0, 0.5f + (float) block, 100u + (unsigned) block);
            const auto fromAsked = processed (asked, input);
            const auto fromUntouched = processed (untouched, input);
            ASSERT_TRUE (sameSamples (fromUntouched, fromAsked)) << "block " << block;
            ASSERT_EQ (bitsOf (asked.getGainReductionDb()), bitsOf (untouched.getGainReductionDb()));

            if (block == 5)
                for (auto* limiter : { &asked, &untouched })
                    limiter->setThreshold (0.3f);
        }
    }

    LookaheadLimiter asked { processorChannels, processorMaxRate, processorMaxAttackMs, 100.0f, 0.7f };
    LookaheadLimiter untouched { processorChannels, processorMaxRate, processorMaxAttackMs, 100.0f, 0.7f };
};

TEST_F (LookaheadLimiterRefused, AttackAboveTheMaximum)
{
    EXPECT_EQ (asked.setAttack (40.001f), -98);
    EXPECT_EQ (asked.setAttack (1000.0f), -98);
    EXPECT_EQ (asked.setAttack (infinity), -98);
    expectTwinsAlike();
}

TEST_F (LookaheadLimiterRefused, AttackNaN)
{
    EXPECT_EQ (asked.setAttack (nan), -98);
    EXPECT_EQ (asked.setAttack (-nan), -98);
    expectTwinsAlike();
}

TEST_F (LookaheadLimiterRefused, SampleRateAboveTheMaximum)
{
    EXPECT_EQ (asked.setSampleRate (192001), -98);
    EXPECT_EQ (asked.setSampleRate (INT_MAX), -98);
    expectTwinsAlike();
}

TEST_F (LookaheadLimiterRefused, SampleRateBelowOneHertz)
{
    EXPECT_EQ (asked.setSampleRate (0), -98);
    EXPECT_EQ (asked.setSampleRate (-48000), -98);
    EXPECT_EQ (asked.setSampleRate (INT_MIN), -98);
    expectTwinsAlike();
}

TEST_F (LookaheadLimiterRefused, MoreChannelsThanAllocated)
{
    EXPECT_EQ (asked.setNumChannels (5), -98);
    EXPECT_EQ (asked.setNumChannels (INT_MAX), -98);
    expectTwinsAlike();
}

TEST_F (LookaheadLimiterRefused, ReleaseNaN)
{
    EXPECT_EQ (asked.setRelease (nan), -98);
    expectTwinsAlike();
}

TEST_F (LookaheadLimiterRefused, NullChannelsLeaveAudioAndStateUntouched)
{
    float untouchedSample = 0.75f;
    float* partial[] = { &untouchedSample, nullptr, &untouchedSample, &untouchedSample };
    EXPECT_EQ (asked.process (nullptr, 64), 0);
    EXPECT_EQ (asked.process (partial, 1), 0);
    EXPECT_EQ (untouchedSample, 0.75f);
    expectTwinsAlike();
}

TEST_F (LookaheadLimiterRefused, AcceptedCallsReturnZero)
{
    EXPECT_EQ (asked.setNumChannels (4), 0);
    EXPECT_EQ (asked.setNumChannels (0), 0);
    EXPECT_EQ (asked.setNumChannels (-3), 0);
    EXPECT_EQ (asked.setSampleRate (192000), 0);
    EXPECT_EQ (asked.setSampleRate (1), 0);
    EXPECT_EQ (asked.setAttack (40.0f), 0);
    EXPECT_EQ (asked.setAttack (-5.0f), 0);
    EXPECT_EQ (asked.setAttack (-infinity), 0);
    EXPECT_EQ (asked.setRelease (-infinity), 0);
    EXPECT_EQ (asked.setRelease (infinity), 0);
    EXPECT_EQ (asked.setThreshold (nan), 0);
}

//==============================================================================
// Randomised runs against the plain reference.

MultiChannelSignal randomBlock (SignalRandom& random, int numSamples, int sampleRate)
{
    const auto seed = random.next();
    const float peak = random.chance (0.2f) ? random.between (2.0f, 40.0f) : random.between (0.0f, 1.5f);
    MultiChannelSignal block;

    switch (random.integer (0, 6))
    {
        case 0:
            block = quorvel::test::independentNoise (4, numSamples, peak, seed);
            break;
        case 1:
            block = quorvel::test::independentNoiseBursts (4, numSamples, peak, random.integer (1, 3000), random.integer (1, 3000), seed);
            break;
        case 2:
            block = quorvel::test::fallingRamps (4, numSamples, peak, peak * random.unit());
            break;
        case 3:
            block = MultiChannelSignal (4, numSamples);

            for (auto& channel : block.channels)
                channel[(size_t) random.integer (0, numSamples - 1)] = random.bipolar() * peak;
            break;
        case 4:
            block = MultiChannelSignal (4, numSamples);
            break;
        case 5:
            block = constantSignal (4, numSamples, { peak, -peak, peak * 0.5f, 0.0f });
            break;
        default:
            block = quorvel::test::ambisonicScene (numSamples, (double) sampleRate, peak, seed);
            break;
    }

    if (random.chance (0.3f))
        quorvel::test::sprinkleTroublesomeSamples (block, random.chance (0.5f) ? 0.001f : 0.02f, seed + 1);

    return block;
}

int randomBlockSize (SignalRandom& random)
{
    switch (random.integer (0, 3))
    {
        case 0:
            return random.integer (1, 16);
        case 1:
            return random.integer (17, 512);
        case 2:
            return random.integer (513, 4096);
        default:
            return 1 << random.integer (0, 12);
    }
}

float sanitisedThreshold (float linear)
{
    return linear > 0.0f ? std::fmin (linear, largestFloat) : 0.0f;
}

struct RandomRun
{
    int maxSampleRate;
    float maxAttackMs;
    int blocks;
};

void runAgainstReference (std::uint64_t seed, const RandomRun& run)
{
    SignalRandom random (seed);
    const float release = random.between (0.0f, 200.0f);
    float threshold = random.between (0.05f, 1.2f);

    LookaheadLimiter engine (4, run.maxSampleRate, run.maxAttackMs, release, threshold);
    ReferenceLimiter reference (4, run.maxSampleRate, run.maxAttackMs, release, threshold);
    int sampleRate = run.maxSampleRate;
    int activeChannels = 4;
    const int commonRates[] = { 8000, 22050, 44100, 48000, 88200, 96000, 176400, 192000 };

    for (int block = 0; block < run.blocks; ++block)
    {
        SCOPED_TRACE ("seed " + std::to_string (seed) + " block " + std::to_string (block));

        while (random.chance (0.3f))
        {
            switch (random.integer (0, 5))
            {
                case 0:
                {
                    const float attack = random.chance (0.1f) ? nan : random.chance (0.3f) ? run.maxAttackMs
                                                                                           : random.between (-2.0f, run.maxAttackMs * 1.1f);
                    ASSERT_EQ (engine.setAttack (attack), reference.setAttack (attack));
                    break;
                }
                case 1:
                {
                    const float releaseMs = random.chance (0.1f) ? nan : random.between (-20.0f, 300.0f);
                    ASSERT_EQ (engine.setRelease (releaseMs), reference.setRelease (releaseMs));
                    break;
                }
                case 2:
                {
                    const float oddThresholds[] = { nan, -1.0f, 0.0f, -0.0f, infinity, 1.0e-30f };
                    const float linear = random.chance (0.15f) ? oddThresholds[random.integer (0, 5)] : random.between (0.01f, 1.5f);
                    ASSERT_EQ (engine.setThreshold (linear), reference.setThreshold (linear));
                    threshold = sanitisedThreshold (linear);
                    break;
                }
                case 3:
                {
                    int rate = random.chance (0.5f) ? commonRates[random.integer (0, 7)] : random.integer (-10, run.maxSampleRate + 10);

                    if (rate > run.maxSampleRate && random.chance (0.5f))
                        rate = run.maxSampleRate;

                    const auto result = engine.setSampleRate (rate);
                    ASSERT_EQ (result, reference.setSampleRate (rate));

                    if (result == 0)
                        sampleRate = rate;
                    break;
                }
                case 4:
                {
                    const int channels = random.chance (0.7f) ? 4 : random.integer (-1, 5);
                    const auto result = engine.setNumChannels (channels);
                    ASSERT_EQ (result, reference.setNumChannels (channels));

                    if (result == 0)
                        activeChannels = std::max (channels, 0);
                    break;
                }
                default:
                {
                    // An empty block, or one with a missing channel.
                    auto forEngine = quorvel::test::independentNoise (4, 1, 3.0f, random.next());
                    auto forReference = forEngine;
                    auto engineTable = forEngine.pointers();
                    auto referenceTable = forReference.pointers();
                    const auto missing = (size_t) random.integer (0, 3);
                    engineTable[missing] = referenceTable[missing] = nullptr;
                    const int length = random.chance (0.5f) ? 0 : 1;
                    ASSERT_EQ (engine.process (engineTable.data(), length), reference.process (referenceTable.data(), length));
                    ASSERT_TRUE (sameSamples (forReference, forEngine));
                    break;
                }
            }

            ASSERT_EQ (engine.getLatencySamples(), reference.getLatencySamples());
        }

        const int numSamples = randomBlockSize (random);
        const auto input = randomBlock (random, numSamples, sampleRate);
        const auto fromEngine = processed (engine, input);
        const auto fromReference = processed (reference, input);

        ASSERT_TRUE (sameSamples (fromReference, fromEngine));
        ASSERT_EQ (bitsOf (engine.getGainReductionDb()), bitsOf (reference.getGainReductionDb()));
        ASSERT_TRUE (std::isfinite (engine.getGainReductionDb()));

        for (int channelIndex = 0; channelIndex < activeChannels; ++channelIndex)
            for (float sample : fromEngine.channels[(size_t) channelIndex])
                ASSERT_TRUE (std::isfinite (sample) && std::fabs (sample) <= threshold) << sample << " above " << threshold;
    }
}

TEST (LookaheadLimiterRandomised, MatchesThePlainReferenceAtTheProcessorsMaxima)
{
    for (std::uint64_t seed = 1; seed <= 6; ++seed)
    {
        runAgainstReference (seed, { processorMaxRate, processorMaxAttackMs, 40 });

        if (::testing::Test::HasFatalFailure())
            return;
    }
}

TEST (LookaheadLimiterRandomised, MatchesThePlainReferenceWithShortLookaheads)
{
    for (std::uint64_t seed = 101; seed <= 112; ++seed)
    {
        runAgainstReference (seed, { 48000, 3.0f, 120 });

        if (::testing::Test::HasFatalFailure())
            return;
    }
}

TEST (LookaheadLimiterRandomised, MatchesThePlainReferenceThroughAWholeGlide)
{
    // Long enough for the output delay to arrive after several attack changes.
    for (std::uint64_t seed = 201; seed <= 203; ++seed)
    {
        runAgainstReference (seed, { 24000, 10.0f, 600 });

        if (::testing::Test::HasFatalFailure())
            return;
    }
}

TEST (LookaheadLimiterRandomised, BlockWindowFindsTheTrueMaximum)
{
    // The square-root block scheme and a scan of the whole window agree bit for bit.
    for (std::uint64_t seed = 301; seed <= 304; ++seed)
    {
        SignalRandom random (seed);
        ReferenceLimiter scanning (4, 96000, 20.0f, 50.0f, 0.4f, ReferenceLimiter::WindowSearch::scanAll);
        ReferenceLimiter blocks (4, 96000, 20.0f, 50.0f, 0.4f, ReferenceLimiter::WindowSearch::blocks);

        for (int block = 0; block < 40; ++block)
        {
            if (random.chance (0.2f))
            {
                const float attack = random.between (0.0f, 20.0f);
                scanning.setAttack (attack);
                blocks.setAttack (attack);
            }

            const auto input = randomBlock (random, randomBlockSize (random), 96000);
            ASSERT_TRUE (sameSamples (processed (scanning, input), processed (blocks, input))) << "seed " << seed << " block " << block;
        }
    }
}

//==============================================================================
// Faults of the straightforward design, mended.

TEST (LookaheadLimiterMends, NonFiniteInputCountsAsSilence)
{
    auto clean = quorvel::test::ambisonicScene (4000, 48000.0, 0.8f, 21);
    auto damaged = clean;
    const std::pair<int, int> places[] = { { 0, 100 }, { 2, 300 }, { 1, 301 }, { 3, 2000 } };
    const float values[] = { nan, infinity, -infinity, -nan };

    for (size_t k = 0; k < 4; ++k)
    {
        damaged.channels[(size_t) places[k].first][(size_t) places[k].second] = values[k];
        clean.channels[(size_t) places[k].first][(size_t) places[k].second] = 0.0f;
    }

    LookaheadLimiter fed (4, 48000, 5.0f, 50.0f, 0.5f);
    LookaheadLimiter reference (4, 48000, 5.0f, 50.0f, 0.5f);
    fed.setSampleRate (48000);
    reference.setSampleRate (48000);

    const auto fromDamaged = processed (fed, damaged);
    EXPECT_TRUE (sameSamples (processed (reference, clean), fromDamaged));
    EXPECT_EQ (bitsOf (fed.getGainReductionDb()), bitsOf (reference.getGainReductionDb()));
}

TEST (LookaheadLimiterMends, AttackNaNIsRefused)
{
    LookaheadLimiter limiter (processorChannels, processorMaxRate, processorMaxAttackMs, 100.0f, 0.5f);
    limiter.setSampleRate (48000);
    EXPECT_EQ (limiter.setAttack (nan), -98);
    EXPECT_EQ (limiter.getLatencySamples(), 1920);
}

TEST (LookaheadLimiterMends, NegativeReleaseActsAsZero)
{
    GainProbe negative (48000, 1.0f, 20.0f, 0.5f);
    GainProbe zero (48000, 1.0f, 20.0f, 0.5f);
    EXPECT_EQ (negative.limiter.setRelease (-250.0f), 0);
    EXPECT_EQ (zero.limiter.setRelease (0.0f), 0);

    const auto input = quorvel::test::impulse (300, 10, 4.0f);
    const auto gains = negative.run (input);
    EXPECT_EQ (gains, zero.run (input));
    EXPECT_TRUE (sameSamples (zero.lastOutput, negative.lastOutput));

    // The gain recovers instead of running away below zero.
    for (float gain : gains)
        EXPECT_TRUE (gain >= 0.0f && gain <= 1.0f) << gain;

    EXPECT_EQ (gains.back(), 1.0f);
}

TEST (LookaheadLimiterMends, ThresholdBelowZeroOrNaNActsAsZero)
{
    const auto input = quorvel::test::ambisonicScene (3000, 48000.0, 1.0f, 31);

    for (float odd : { -1.0f, -0.0f, nan, -infinity })
    {
        LookaheadLimiter asked (4, 48000, 2.0f, 50.0f, 0.5f);
        LookaheadLimiter zero (4, 48000, 2.0f, 50.0f, 0.5f);
        asked.setThreshold (odd);
        zero.setThreshold (0.0f);
        EXPECT_TRUE (sameSamples (processed (zero, input), processed (asked, input))) << odd;
    }

    LookaheadLimiter constructed (4, 48000, 2.0f, 50.0f, nan);
    LookaheadLimiter zero (4, 48000, 2.0f, 50.0f, 0.0f);
    EXPECT_TRUE (sameSamples (processed (zero, input), processed (constructed, input)));
}

TEST (LookaheadLimiterMends, InfiniteThresholdKeepsTheOutputFinite)
{
    LookaheadLimiter limiter (1, 48000, 10.0f, 50.0f, infinity);
    limiter.setSampleRate (48000);
    limiter.setAttack (3.0f); // the delay glides, so neighbouring samples are mixed

    MultiChannelSignal input (1, 5000);

    for (int i = 0; i < 5000; ++i)
        input.channels[0][(size_t) i] = (i % 2 == 0) ? largestFloat : largestFloat * 0.999f;

    const auto output = processed (limiter, input);

    for (float sample : output.channels[0])
        ASSERT_TRUE (std::isfinite (sample));
}

TEST (LookaheadLimiterMends, OutputsThatCancelStillMeterTheReduction)
{
    LookaheadLimiter limiter (2, 48000, 1.0f, 20.0f, 0.5f);
    limiter.setSampleRate (48000);

    // Channel 1 is the negative of channel 0: the outputs sum to exactly 0 in every block.
    const auto output = processed (limiter, constantSignal (2, 500, { 1.0f, -1.0f }));
    EXPECT_EQ (output.channels[0].back(), 0.5f);
    EXPECT_EQ (output.channels[1].back(), -0.5f);
    EXPECT_NEAR (limiter.getGainReductionDb(), 6.0206f, 1.0e-4f);
}

TEST (LookaheadLimiterMends, ReductionAtGainZeroIsFinite)
{
    // 1e-30 / 1e30 underflows: the required gain, and soon the gain, is exactly 0 while
    // the first outputs of the block are still audible.
    LookaheadLimiter limiter (2, 48000, 1.0f, 20.0f, 1.0e-30f);
    limiter.setSampleRate (48000);
    processed (limiter, constantSignal (2, 100, { 0.0f, 1.0e-30f }));

    const auto output = processed (limiter, constantSignal (2, 200, { 1.0e30f, 1.0e-30f }));

    EXPECT_NE (output.channels[1][0], 0.0f);
    EXPECT_EQ (output.channels[0].back(), 0.0f);
    EXPECT_EQ (output.channels[1].back(), 0.0f);
    EXPECT_TRUE (std::isfinite (limiter.getGainReductionDb()));
    EXPECT_NEAR (limiter.getGainReductionDb(), 758.5956f, 1.0e-3f);
}

// After an attack change the output delay must arrive at exactly the new look-ahead: an
// impulse then leaves the limiter as one sample, untouched, exactly L samples later.
void expectDelayArrives (float fromAttackMs, float toAttackMs, int expectedLookahead)
{
    LookaheadLimiter limiter (1, processorMaxRate, processorMaxAttackMs, 1000.0f, 1.0f);
    limiter.setAttack (fromAttackMs);
    limiter.setSampleRate (processorMaxRate);
    limiter.setAttack (toAttackMs);
    ASSERT_EQ (limiter.getLatencySamples(), expectedLookahead);

    for (int second = 0; second < 2; ++second)
        processed (limiter, MultiChannelSignal (1, processorMaxRate));

    MultiChannelSignal input (1, 8000);
    input.channels[0][5] = 0.75f;

    for (int repeat = 0; repeat < 2; ++repeat)
    {
        const auto output = processed (limiter, input);

        for (int i = 0; i < 8000; ++i)
            ASSERT_EQ (output.channels[0][(size_t) i], i == 5 + expectedLookahead ? 0.75f : 0.0f)
                << fromAttackMs << " -> " << toAttackMs << " ms, sample " << i;
    }
}

TEST (LookaheadLimiterMends, DelayGlideArrivesExactlyWhenRaised)
{
    expectDelayArrives (20.0f, 40.0f, 7680);
}

TEST (LookaheadLimiterMends, DelayGlideArrivesExactlyWhenLowered)
{
    expectDelayArrives (40.0f, 0.25f, 48);
}

TEST (LookaheadLimiterMends, DelayGlideArrivesExactlyFromShortToLonger)
{
    expectDelayArrives (0.25f, 0.5f, 96);
}

TEST (LookaheadLimiterMends, ConstructionFailsCleanlyWhenMemoryRunsOut)
{
    int failures = 0;

    for (std::int64_t failing = 1; failing < 1000; ++failing)
    {
        quorvel::test::failAllocationAfter (failing);

        try
        {
            LookaheadLimiter limiter (processorChannels, processorMaxRate, processorMaxAttackMs, 1000.0f, 0.0f);
            quorvel::test::failAllocationAfter (0);
            break;
        }
        catch (const std::bad_alloc&)
        {
            ++failures;
        }
    }

    quorvel::test::failAllocationAfter (0);
    EXPECT_GE (failures, 8) << "each of the arrays' allocations was made to fail once";
}

TEST (LookaheadLimiterMends, ConstructionRefusesArgumentsThatDescribeNoLimiter)
{
    EXPECT_THROW (LookaheadLimiter (-1, 48000, 40.0f, 100.0f, 1.0f), std::invalid_argument);
    EXPECT_THROW (LookaheadLimiter (4, 0, 40.0f, 100.0f, 1.0f), std::invalid_argument);
    EXPECT_THROW (LookaheadLimiter (4, 48000, nan, 100.0f, 1.0f), std::invalid_argument);
    EXPECT_THROW (LookaheadLimiter (4, 48000, 40.0f, nan, 1.0f), std::invalid_argument);
    EXPECT_THROW (LookaheadLimiter (4, 192000, infinity, 100.0f, 1.0f), std::invalid_argument);
    EXPECT_THROW (LookaheadLimiter (4, 192000, 1.0e9f, 100.0f, 1.0f), std::invalid_argument);
    EXPECT_NO_THROW (LookaheadLimiter (0, 1, -5.0f, -5.0f, -1.0f));
}

//==============================================================================
TEST (LookaheadLimiterThreads, MeterCanBeReadWhileProcessing)
{
    // The editor reads the reduction on its own thread while the audio thread processes.
    LookaheadLimiter limiter (processorChannels, processorMaxRate, processorMaxAttackMs, 100.0f, 0.25f);
    limiter.setSampleRate (48000);
    auto input = quorvel::test::ambisonicScene (4096, 48000.0, 2.0f, 51);
    std::atomic<bool> done { false };
    float largest = 0.0f;

    std::thread editor ([&]
                        {
                            while (! done.load())
                                largest = std::max (largest, limiter.getGainReductionDb()); });

    for (int block = 0; block < 200; ++block)
    {
        auto copy = input;
        auto table = copy.pointers();
        limiter.process (table.data(), copy.numSamples());
    }

    done = true;
    editor.join();
    EXPECT_TRUE (std::isfinite (largest));
    EXPECT_GT (limiter.getGainReductionDb(), 0.0f);
}

//==============================================================================
TEST (LookaheadLimiterAllocation, ProcessAndSettersAllocateNothing)
{
    LookaheadLimiter limiter (processorChannels, processorMaxRate, processorMaxAttackMs, 1000.0f, 0.5f);
    auto input = quorvel::test::ambisonicScene (8192, 48000.0, 4.0f, 41);
    sprinkleTroublesomeSamples (input, 0.001f, 42);
    auto table = input.pointers();
    const int sizes[] = { 1, 2, 3, 255, 256, 257, 512, 4096, 8192 };

    const quorvel::test::AllocationScope scope;

    limiter.setSampleRate (48000);
    limiter.setNumChannels (4);

    for (int size : sizes)
    {
        limiter.process (table.data(), size);
        limiter.setAttack (3.0f + (float) size / 1000.0f);
        limiter.process (table.data(), size);
        limiter.setRelease (10.0f);
        limiter.setThreshold (0.3f);
        limiter.setSampleRate (96000);
        limiter.process (table.data(), size);
        limiter.setNumChannels (3);
        limiter.process (table.data(), size);
        limiter.setNumChannels (4);
        limiter.getGainReductionDb();
        limiter.getLatencySamples();
    }

    limiter.process (table.data(), 0);
    EXPECT_EQ (scope.allocations(), 0);
}
} // namespace
