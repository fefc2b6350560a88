#pragma once

// Bit-for-bit comparisons of samples and signals for the engine and processor tests.

#include "support/TestSignals.h"

#include <gtest/gtest.h>

namespace quorvel::test
{
/** Bit-for-bit equality of two signals, reporting the first difference. */
inline ::testing::AssertionResult sameSamples (const MultiChannelSignal& expected, const MultiChannelSignal& actual)
{
    if (expected.numChannels() != actual.numChannels() || expected.numSamples() != actual.numSamples())
        return ::testing::AssertionFailure() << "different shapes";

    for (int channelIndex = 0; channelIndex < expected.numChannels(); ++channelIndex)
        for (int i = 0; i < expected.numSamples(); ++i)
        {
            const float e = expected.channels[(size_t) channelIndex][(size_t) i];
            const float a = actual.channels[(size_t) channelIndex][(size_t) i];

            if (bitsOf (e) != bitsOf (a))
                return ::testing::AssertionFailure() << "channel " << channelIndex << " sample " << i << ": expected " << e << " got " << a;
        }

    return ::testing::AssertionSuccess();
}
} // namespace quorvel::test
