#include "tools/render/TestSignal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using quorvel::render::TestSignal;

TEST (TestSignalTest, SameArgumentsGiveTheSameSamples)
{
    const auto first = TestSignal::generate (48000.0, 2.0);
    const auto second = TestSignal::generate (48000.0, 2.0);
    const auto otherSeed = TestSignal::generate (48000.0, 2.0, TestSignal::defaultPeakLevel, 99u);
    bool differsFromOtherSeed = false;

    for (int channel = 0; channel < 4; ++channel)
    {
        EXPECT_EQ (0, std::memcmp (first.getReadPointer (channel), second.getReadPointer (channel), sizeof (float) * 96000));
        differsFromOtherSeed = differsFromOtherSeed || std::memcmp (first.getReadPointer (channel), otherSeed.getReadPointer (channel), sizeof (float) * 96000) != 0;
    }

    EXPECT_TRUE (differsFromOtherSeed);
    EXPECT_EQ (TestSignal::generate (48000.0, 0.0).getNumSamples(), 0);
    EXPECT_EQ (TestSignal::generate (48000.0, -1.0).getNumSamples(), 0);
    EXPECT_EQ (TestSignal::generate (0.0, 10.0).getNumSamples(), 0);
}

TEST (TestSignalTest, TenSecondsOfADirectionalSoundFieldWithTransientsAfterASilentStart)
{
    const auto signal = TestSignal::generate (44100.0);
    const auto n = signal.getNumSamples();
    ASSERT_EQ (signal.getNumChannels(), 4);
    ASSERT_EQ (n, 441000);

    float peak = 0.0f;
    double directional = 0.0;
    const double omni = std::pow (signal.getRMSLevel (0, 0, n), 2.0);

    for (int channel = 0; channel < 4; ++channel)
    {
        EXPECT_EQ (signal.getMagnitude (channel, 0, 11025), 0.0f) << "channel " << channel;
        EXPECT_GT (signal.getRMSLevel (channel, 11025, n - 11025), 0.01f) << "channel " << channel;
        peak = std::max (peak, signal.getMagnitude (channel, 0, n));

        // A first-order encoding: the three figure-of-eight channels together carry
        // about as much energy as the omni channel (SN3D), and each of them some.
        if (channel > 0)
        {
            EXPECT_GT (signal.getRMSLevel (channel, 0, n), 0.05f * signal.getRMSLevel (0, 0, n)) << "channel " << channel;
            directional += std::pow (signal.getRMSLevel (channel, 0, n), 2.0);
        }
    }

    EXPECT_FLOAT_EQ (peak, TestSignal::defaultPeakLevel);
    EXPECT_NEAR (directional / omni, 1.0, 0.15);

    // Transients: within a millisecond the omni channel rises by more than half the peak.
    float largestRise = 0.0f;

    for (int i = 44; i < n; ++i)
        largestRise = std::max (largestRise, std::abs (signal.getSample (0, i)) - std::abs (signal.getSample (0, i - 44)));

    EXPECT_GT (largestRise, 0.5f * TestSignal::defaultPeakLevel);
}
