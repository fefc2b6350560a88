#include "tools/render/TestSignal.h"

#include <gtest/gtest.h>

#include <cmath>

using quorvel::render::TestSignal;

TEST (TestSignalTest, SameArgumentsGiveTheSameSamples)
{
    const auto first = TestSignal::generate (48000.0, 2.0);
    const auto second = TestSignal::generate (48000.0, 2.0);
    const auto otherSeed = TestSignal::generate (48000.0, 2.0, TestSignal::defaultPeakLevel, 99u);

    ASSERT_EQ (first.getNumSamples(), second.getNumSamples());
    bool differsFromOtherSeed = false;

    for (int channel = 0; channel < 4; ++channel)
    {
        for (int i = 0; i < first.getNumSamples(); ++i)
        {
            ASSERT_EQ (first.getSample (channel, i), second.getSample (channel, i));
            differsFromOtherSeed = differsFromOtherSeed || first.getSample (channel, i) != otherSeed.getSample (channel, i);
        }
    }

    EXPECT_TRUE (differsFromOtherSeed);
}

TEST (TestSignalTest, TenSecondsOfFourChannelsScaledToThePeakAfterASilentStart)
{
    const auto signal = TestSignal::generate (44100.0);
    ASSERT_EQ (signal.getNumChannels(), 4);
    ASSERT_EQ (signal.getNumSamples(), 441000);

    float peak = 0.0f;

    for (int channel = 0; channel < 4; ++channel)
    {
        EXPECT_EQ (signal.getMagnitude (channel, 0, 11025), 0.0f) << "channel " << channel;
        EXPECT_GT (signal.getRMSLevel (channel, 11025, signal.getNumSamples() - 11025), 0.01f) << "channel " << channel;
        peak = std::max (peak, signal.getMagnitude (channel, 0, signal.getNumSamples()));
    }

    EXPECT_FLOAT_EQ (peak, TestSignal::defaultPeakLevel);
}

TEST (TestSignalTest, HasTransientsAndADirectionalSoundField)
{
    const auto signal = TestSignal::generate (48000.0);
    const auto n = signal.getNumSamples();

    // Transients: within a millisecond the omni channel rises by more than half the peak.
    float largestRise = 0.0f;

    for (int i = 48; i < n; ++i)
        largestRise = std::max (largestRise, std::abs (signal.getSample (0, i)) - std::abs (signal.getSample (0, i - 48)));

    EXPECT_GT (largestRise, 0.5f * TestSignal::defaultPeakLevel);

    // A first-order encoding: the three figure-of-eight channels together carry about as
    // much energy as the omni channel (SN3D), and each of them carries some.
    double omni = 0.0, directional = 0.0;

    for (int channel = 1; channel < 4; ++channel)
    {
        const auto rms = signal.getRMSLevel (channel, 0, n);
        EXPECT_GT (rms, 0.05f * signal.getRMSLevel (0, 0, n)) << "channel " << channel;
        directional += (double) rms * rms;
    }

    omni = (double) signal.getRMSLevel (0, 0, n) * signal.getRMSLevel (0, 0, n);
    EXPECT_NEAR (directional / omni, 1.0, 0.15);
}

TEST (TestSignalTest, DegenerateRequestsGiveEmptyBuffers)
{
    EXPECT_EQ (TestSignal::generate (48000.0, 0.0).getNumSamples(), 0);
    EXPECT_EQ (TestSignal::generate (48000.0, -1.0).getNumSamples(), 0);
    EXPECT_EQ (TestSignal::generate (0.0, 10.0).getNumSamples(), 0);
}
