#include "engine/LookaheadLimiter.h"
#include "support/AllocationCounter.h"
#include "support/ReferenceLimiter.h"
#include "support/SignalAssertions.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <cmath>
#include <limits>
#include <new>
#include <stdexcept>
#include <thread>
#include <vector>

using namespace quorvel::test;

namespace
{
constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float infinity = std::numeric_limits<float>::infinity();
constexpr float largestFloat = std::numeric_limits<float>::max();

// The processor's limiter: 4 channels, 192000 Hz, 40 ms.
struct ProcessorLimiter : LookaheadLimiter
{
    explicit ProcessorLimiter (float release = 1000.0f, float ceiling = 1.0f)
        : LookaheadLimiter (4, 192000, 40.0f, release, ceiling)
    {
    }
};

template <typename Limiter>
MultiChannelSignal processed (Limiter& limiter, MultiChannelSignal signal)
{
    auto table = signal.pointers();
    limiter.process (table.data(), signal.numSamples());
    return signal;
}

MultiChannelSignal constantSignal (int numSamples, std::vector<float> levels)
{
    MultiChannelSignal signal ((int) levels.size(), numSamples);

    for (size_t channelIndex = 0; channelIndex < levels.size(); ++channelIndex)
        std::fill (signal.channels[channelIndex].begin(), signal.channels[channelIndex].end(), levels[channelIndex]);

    return signal;
}

// A two-channel limiter whose gain can be read off channel 1: it carries a constant 0.25,
// below every threshold used with it, so its output is exactly 0.25 times the gain.
struct GainProbe
{
    GainProbe (float attackMs, float releaseMs, float threshold)
        : limiter (2, 48000, attackMs, releaseMs, threshold)
    {
        limiter.setSampleRate (48000);
        run (std::vector<float> ((size_t) limiter.getLatencySamples() + 16, 0.0f));
    }

    std::vector<float> run (const std::vector<float>& channel0)
    {
        auto signal = constantSignal ((int) channel0.size(), { 0.0f, 0.25f });
        signal.channels[0] = channel0;
        lastOutput = processed (limiter, signal);
        std::vector<float> gains;

        for (float sample : lastOutput.channels[1])
            gains.push_back (sample / 0.25f);

        return gains;
    }

    LookaheadLimiter limiter;
    MultiChannelSignal lastOutput;
};

//==============================================================================
// Worked examples: values computed by hand from the limiter's definition.

TEST (LookaheadLimiterExamples, ImpulseAt48kHzLandsExactlyOnTheThreshold)
{
    GainProbe probe (1.0f, 20.0f, 0.5f);
    ASSERT_EQ (probe.limiter.getLatencySamples(), 48);

    const auto gains = probe.run (impulse (400, 10, 1.0f));
    const auto& output = probe.lastOutput.channels[0];

    EXPECT_EQ (gains[9], 1.0f);
    EXPECT_NEAR (gains[10], 0.97449750f, 1.0e-7f);
    EXPECT_NEAR (gains[57], 0.50267297f, 1.0e-7f);
    EXPECT_EQ (gains[58], 0.5f);

    for (int i = 0; i < 400; ++i)
        ASSERT_EQ (output[(size_t) i], i == 58 ? 0.5f : 0.0f) << i;

    // The attack heads for the point that lands on 0.5 after L + 1 samples; the release
    // starts once the impulse has left the window at sample 59.
    const double target = (1.0f * -0.1f + 0.5f) * 1.1111112f;
    EXPECT_NEAR ((gains[10] - target) / (1.0 - target), 0.95409548, 2.0e-7);

    for (int i = 11; i <= 58; ++i)
        ASSERT_LT (gains[(size_t) i], gains[(size_t) i - 1]) << i;

    for (int i = 60; i < 400; ++i)
        ASSERT_GT (gains[(size_t) i], gains[(size_t) i - 1]) << i;

    for (int i = 60; i < 70; ++i)
        EXPECT_NEAR ((gains[(size_t) i] - 1.0) / (gains[(size_t) i - 1] - 1.0), 0.99760681, 4.0e-7) << i;
}

TEST (LookaheadLimiterExamples, TransitionReleaseLasts14405SamplesAt48kHz)
{
    GainProbe probe (1.0f, 20.0f, 0.5f);
    ASSERT_EQ (probe.limiter.setAttack (1.0f), 0);

    // A peak of 50 holds the gain at 0.01 until sample 14303; from 14304 on it releases.
    const auto gains = probe.run (impulse (14600, 14255, 50.0f));
    EXPECT_NEAR (gains[14303], 0.01f, 1.0e-6f);

    for (int i = 14304; i < 14600; ++i)
        ASSERT_NEAR ((gains[(size_t) i] - 1.0) / (gains[(size_t) i - 1] - 1.0), i < 14405 ? 0.99936080 : 0.99760681, 3.0e-7) << i;
}

TEST (LookaheadLimiterExamples, AnImpulseLeavesExactlyOneLookaheadLater)
{
    struct Case
    {
        float attackBeforeRate, attackAfterRate;
        int rate, lookahead;
    };

    // An attack changed after the rate makes the delay glide; those rows are checked
    // once the glide has arrived.
    const Case cases[] = { { 1.0f, 1.0f, 44100, 44 }, { 1.0f, 1.0f, 48000, 48 }, { 1.0f, 1.0f, 96000, 96 }, { 1.0f, 1.0f, 192000, 192 }, { 40.0f, 40.0f, 192000, 7680 }, { 40.0f, 40.0f, 44100, 1764 }, { 20.0f, 20.0f, 192000, 3840 }, { 0.0f, 0.0f, 48000, 1 }, { 1.0f, 0.0f, 192000, 1 }, { 20.0f, 40.0f, 192000, 7680 }, { 40.0f, 0.25f, 192000, 48 }, { 0.25f, 0.5f, 192000, 96 } };
    const float values[] = { 0.9f, -0.8f, 0.7f, -0.6f };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (std::to_string (c.rate) + " Hz, " + std::to_string (c.attackAfterRate) + " ms");
        ProcessorLimiter limiter;
        limiter.setAttack (c.attackBeforeRate);
        limiter.setSampleRate (c.rate);

        if (c.attackAfterRate != c.attackBeforeRate)
        {
            limiter.setAttack (c.attackAfterRate);
            processed (limiter, MultiChannelSignal (4, 2 * 192000));
        }

        ASSERT_EQ (limiter.getLatencySamples(), c.lookahead);
        MultiChannelSignal signal (4, c.lookahead + 100);

        for (size_t channelIndex = 0; channelIndex < 4; ++channelIndex)
            signal.channels[channelIndex][3] = values[channelIndex];

        const auto output = processed (limiter, signal);

        for (size_t channelIndex = 0; channelIndex < 4; ++channelIndex)
            for (int i = 0; i < signal.numSamples(); ++i)
                ASSERT_EQ (output.channels[channelIndex][(size_t) i], i == 3 + c.lookahead ? values[channelIndex] : 0.0f) << i;
    }
}

TEST (LookaheadLimiterExamples, MeterReadings)
{
    struct Case
    {
        const char* what;
        float threshold;
        std::vector<std::vector<float>> blocks; // constant levels of the two channels, 500 samples each
        float reductionDb;
    };

    const Case cases[] = {
        { "nothing processed yet", 0.5f, {}, 0.0f },
        { "full scale into 0.5", 0.5f, { { 1.0f, 0.2f } }, 6.0206f },
        { "silent output after a reduction", 0.5f, { { 1.0f, 0.2f }, { 0.0f, 0.0f }, { 0.0f, 0.0f } }, 0.0f },
        { "outputs that cancel", 0.5f, { { 1.0f, -1.0f } }, 6.0206f },
        { "threshold 0: silent output", 0.0f, { { 1.0f, 0.2f } }, 0.0f },
        { "the gain underflows to 0", 1.0e-30f, { { 0.0f, 1.0e-30f }, { 1.0e30f, 1.0e-30f } }, 758.5956f },
    };

    for (const auto& c : cases)
    {
        LookaheadLimiter limiter (2, 48000, 1.0f, 20.0f, c.threshold);
        limiter.setSampleRate (48000);

        for (const auto& levels : c.blocks)
            processed (limiter, constantSignal (500, levels));

        EXPECT_NEAR (limiter.getGainReductionDb(), c.reductionDb, 1.0e-3f) << c.what;
    }

    LookaheadLimiter limiter (2, 48000, 1.0f, 20.0f, 0.5f);
    processed (limiter, constantSignal (500, { 1.0f, 0.2f }));
    limiter.process (nullptr, 0);
    EXPECT_EQ (limiter.getGainReductionDb(), 0.0f) << "an empty block meters no reduction";
}

//==============================================================================
TEST (LookaheadLimiterRefused, ConstructionThrowsForArgumentsThatDescribeNoLimiter)
{
    EXPECT_THROW (LookaheadLimiter (-1, 48000, 40.0f, 100.0f, 1.0f), std::invalid_argument);
    EXPECT_THROW (LookaheadLimiter (4, 0, 40.0f, 100.0f, 1.0f), std::invalid_argument);
    EXPECT_THROW (LookaheadLimiter (4, 48000, nan, 100.0f, 1.0f), std::invalid_argument);
    EXPECT_THROW (LookaheadLimiter (4, 48000, 40.0f, nan, 1.0f), std::invalid_argument);
    EXPECT_THROW (LookaheadLimiter (4, 192000, infinity, 100.0f, 1.0f), std::invalid_argument);
    EXPECT_THROW (LookaheadLimiter (4, 192000, 1.0e9f, 100.0f, 1.0f), std::invalid_argument);
    EXPECT_NO_THROW (LookaheadLimiter (0, 1, -5.0f, -5.0f, -1.0f));
}

TEST (LookaheadLimiterAllocation, ConstructionFailsCleanlyWhenMemoryRunsOut)
{
    if (! countsAllocations)
        GTEST_SKIP() << "allocations cannot be made to fail in this build";

    // Every allocation of the constructor made to fail once: bad_alloc, nothing leaks.
    int failures = 0;

    for (std::int64_t failing = 1; failing < 1000; ++failing)
    {
        failAllocationAfter (failing);

        try
        {
            ProcessorLimiter limiter;
            break;
        }
        catch (const std::bad_alloc&)
        {
            ++failures;
        }
    }

    failAllocationAfter (0);
    EXPECT_GE (failures, 8);
}

//==============================================================================
// Randomised runs against the plain reference: random signals (troublesome samples
// included), block sizes and setter calls with odd arguments, bit for bit.

MultiChannelSignal randomBlock (SignalRandom& random, int numSamples, int sampleRate)
{
    const auto seed = random.next();
    const float peak = random.chance (0.2f) ? random.between (2.0f, 40.0f) : random.between (0.0f, 1.5f);
    MultiChannelSignal block (4, numSamples);

    switch (random.integer (0, 6))
    {
        case 0:
            block = independentNoise (4, numSamples, peak, seed);
            break;
        case 1:
            block = independentNoiseBursts (4, numSamples, peak, random.integer (1, 3000), random.integer (1, 3000), seed);
            break;
        case 2:
            block = fallingRamps (4, numSamples, peak, peak * random.unit());
            break;
        case 3:
            for (auto& channel : block.channels)
                channel[(size_t) random.integer (0, numSamples - 1)] = random.bipolar() * peak;
            break;
        case 4:
            break;
        case 5:
            block = constantSignal (numSamples, { peak, -peak, peak * 0.5f, 0.0f });
            break;
        default:
            block = ambisonicScene (numSamples, (double) sampleRate, peak, seed);
            break;
    }

    if (random.chance (0.3f))
        sprinkleTroublesomeSamples (block, random.chance (0.5f) ? 0.001f : 0.02f, seed + 1);

    return block;
}

int randomBlockSize (SignalRandom& random)
{
    const int limits[][2] = { { 1, 16 }, { 17, 512 }, { 513, 4096 } };
    const int kind = random.integer (0, 3);
    return kind == 3 ? 1 << random.integer (0, 12) : random.integer (limits[kind][0], limits[kind][1]);
}

struct RandomRun
{
    int maxSampleRate;
    float maxAttackMs;
    int blocks;
    std::uint64_t firstSeed, lastSeed;
};

void matchTheReference (const RandomRun& run)
{
    for (auto seed = run.firstSeed; seed <= run.lastSeed && ! ::testing::Test::HasFatalFailure(); ++seed)
    {
        SignalRandom random (seed);
        const float release = random.between (0.0f, 200.0f);
        float threshold = random.between (0.05f, 1.2f);
        LookaheadLimiter engine (4, run.maxSampleRate, run.maxAttackMs, release, threshold);
        ReferenceLimiter reference (4, run.maxSampleRate, run.maxAttackMs, release, threshold);
        int sampleRate = run.maxSampleRate;
        int activeChannels = 4;
        // Odd arguments among the calls: the limiter must refuse those above its
        // maxima, NaNs and rates below 1 Hz, and change nothing then.
        const float attacks[] = { nan, -nan, infinity, -infinity, run.maxAttackMs, run.maxAttackMs * 1.0001f };
        const int commonRates[] = { 8000, 22050, 44100, 48000, 88200, 96000, 176400, 192000 };
        const int oddRates[] = { INT_MIN, -48000, 0, 1, INT_MAX, run.maxSampleRate, run.maxSampleRate + 1 };
        const int channelCounts[] = { -1, 0, 1, 2, 3, 5, INT_MIN, INT_MAX };

        auto same = [&] (auto call)
        {
            const auto result = call (engine);
            EXPECT_EQ (result, call (reference));
            return result == 0;
        };

        for (int block = 0; block < run.blocks && ! ::testing::Test::HasFailure(); ++block)
        {
            SCOPED_TRACE ("seed " + std::to_string (seed) + " block " + std::to_string (block));

            while (random.chance (0.3f))
            {
                switch (random.integer (0, 5))
                {
                    case 0:
                    {
                        const float attack = random.chance (0.4f) ? attacks[random.integer (0, 5)] : random.between (-2.0f, run.maxAttackMs * 1.1f);
                        same ([=] (auto& l)
                              { return l.setAttack (attack); });
                        break;
                    }
                    case 1:
                    {
                        const float ms = random.chance (0.1f) ? nan : random.between (-20.0f, 300.0f);
                        same ([=] (auto& l)
                              { return l.setRelease (ms); });
                        break;
                    }
                    case 2:
                    {
                        const float odd[] = { nan, -1.0f, 0.0f, -0.0f, infinity, 1.0e-30f };
                        const float linear = random.chance (0.15f) ? odd[random.integer (0, 5)] : random.between (0.01f, 1.5f);
                        same ([=] (auto& l)
                              { return l.setThreshold (linear); });
                        threshold = linear > 0.0f ? std::fmin (linear, largestFloat) : 0.0f;
                        break;
                    }
                    case 3:
                    {
                        const int rate = random.chance (0.2f)   ? oddRates[random.integer (0, 6)]
                                         : random.chance (0.6f) ? commonRates[random.integer (0, 7)]
                                                                : random.integer (-10, run.maxSampleRate + 10);

                        if (same ([=] (auto& l)
                                  { return l.setSampleRate (rate); }))
                            sampleRate = rate;
                        break;
                    }
                    case 4:
                    {
                        const int channels = random.chance (0.7f) ? 4 : channelCounts[random.integer (0, 7)];

                        if (same ([=] (auto& l)
                                  { return l.setNumChannels (channels); }))
                            activeChannels = std::max (channels, 0);
                        break;
                    }
                    default:
                    {
                        // An empty block, or one with a missing channel or no channel table.
                        auto forEngine = independentNoise (4, 1, 3.0f, random.next());
                        auto forReference = forEngine;
                        auto engineTable = forEngine.pointers();
                        auto referenceTable = forReference.pointers();
                        const auto missing = (size_t) random.integer (0, 3);
                        engineTable[missing] = referenceTable[missing] = nullptr;
                        const int length = random.chance (0.5f) ? 0 : 1;
                        const bool noTable = random.chance (0.3f);
                        EXPECT_EQ (engine.process (noTable ? nullptr : engineTable.data(), length), reference.process (noTable ? nullptr : referenceTable.data(), length));
                        EXPECT_TRUE (sameSamples (forReference, forEngine));
                        break;
                    }
                }

                ASSERT_EQ (engine.getLatencySamples(), reference.getLatencySamples());
            }

            const auto input = randomBlock (random, randomBlockSize (random), sampleRate);
            const auto fromEngine = processed (engine, input);
            ASSERT_TRUE (sameSamples (processed (reference, input), fromEngine));
            ASSERT_EQ (bitsOf (engine.getGainReductionDb()), bitsOf (reference.getGainReductionDb()));
            ASSERT_TRUE (std::isfinite (engine.getGainReductionDb()));

            for (int channelIndex = 0; channelIndex < activeChannels; ++channelIndex)
                for (float sample : fromEngine.channels[(size_t) channelIndex])
                    ASSERT_TRUE (std::isfinite (sample) && std::fabs (sample) <= threshold) << sample << " above " << threshold;
        }
    }
}

TEST (LookaheadLimiterRandomised, MatchesThePlainReferenceAtTheProcessorsMaxima)
{
    matchTheReference ({ 192000, 40.0f, 40, 1, 6 });
}

TEST (LookaheadLimiterRandomised, MatchesThePlainReferenceWithShortLookaheads)
{
    matchTheReference ({ 48000, 3.0f, 120, 101, 112 });
}

TEST (LookaheadLimiterRandomised, MatchesThePlainReferenceThroughWholeGlides)
{
    // Long enough for the output delay to arrive after several attack changes.
    matchTheReference ({ 24000, 10.0f, 600, 201, 203 });
}

//==============================================================================
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

TEST (LookaheadLimiterThreads, MeterCanBeReadWhileProcessing)
{
    // The editor reads the reduction on its own thread while the audio thread processes.
    ProcessorLimiter limiter (100.0f, 0.25f);
    limiter.setSampleRate (48000);
    const auto input = ambisonicScene (4096, 48000.0, 2.0f, 51);
    std::atomic<bool> done { false };
    float largest = 0.0f;

    std::thread editor ([&]
                        {
                            while (! done.load())
                                largest = std::max (largest, limiter.getGainReductionDb()); });

    for (int block = 0; block < 200; ++block)
        processed (limiter, input);

    done = true;
    editor.join();
    EXPECT_TRUE (std::isfinite (largest));
    EXPECT_GT (limiter.getGainReductionDb(), 0.0f);
}

TEST (LookaheadLimiterAllocation, ProcessAndSettersAllocateNothing)
{
    ProcessorLimiter limiter (1000.0f, 0.5f);
    auto input = ambisonicScene (8192, 48000.0, 4.0f, 41);
    sprinkleTroublesomeSamples (input, 0.001f, 42);
    auto table = input.pointers();

    const AllocationScope scope;
    limiter.setSampleRate (48000);

    for (int size : { 1, 2, 3, 255, 256, 257, 512, 4096, 8192 })
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
    }

    limiter.process (table.data(), 0);
    EXPECT_EQ (scope.allocations(), 0);
}
} // namespace
