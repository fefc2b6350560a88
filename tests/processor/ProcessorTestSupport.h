#pragma once

// Shared parts of the processor tests: a host that drives a processor with
// planar fixed-seed signals, and a plain model of what the processor must do
// to a block, built on the reference limiter.

#include "processor/KestruneAudioProcessor.h"
#include "support/ProcessInBlocks.h"
#include "support/ReferenceLimiter.h"
#include "support/SignalAssertions.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace quorvel::test
{
/** Prepares the processor as the format wrappers do: 4 in, 4 out, then prepareToPlay. */
inline void prepare (KestruneAudioProcessor& processor, double sampleRate, int blockSize = 512)
{
    processor.setPlayConfigDetails (4, 4, sampleRate, blockSize);
    processor.prepareToPlay (sampleRate, blockSize);
}

/** Runs one block of `signal` (samples start .. start + length) in place. */
inline void runBlock (KestruneAudioProcessor& processor, MultiChannelSignal& signal, int start, int length, bool bypassed = false)
{
    processBlock (processor, signal.pointers().data(), signal.numChannels(), start, length, bypassed);
}

/** The whole signal in blocks of blockSize (the last one shorter); returns the output. */
inline MultiChannelSignal runInBlocks (KestruneAudioProcessor& processor, MultiChannelSignal signal, int blockSize)
{
    processInBlocks (processor, signal.pointers().data(), signal.numChannels(), signal.numSamples(), { blockSize });
    return signal;
}

/** The input shifted later by `delay` samples, zeros in front. */
inline MultiChannelSignal delayedBy (const MultiChannelSignal& input, int delay)
{
    MultiChannelSignal output (input.numChannels(), input.numSamples());

    for (size_t ch = 0; ch < input.channels.size(); ++ch)
        std::copy_n (input.channels[ch].begin(), std::max (0, input.numSamples() - delay), output.channels[ch].begin() + std::min (delay, input.numSamples()));

    return output;
}

inline float largestMagnitude (const MultiChannelSignal& signal)
{
    float largest = 0.0f;

    for (const auto& channel : signal.channels)
        for (float sample : channel)
            largest = std::max (largest, std::fabs (sample));

    return largest;
}

/** What the processor must do, written out plainly: the parameter mappings,
    the input-gain glide sample by sample, and the reference limiter. A change
    takes effect at the next block (or prepare), changes in the order they came;
    a parameter set again before then counts once, where it came last. A
    setting that is no number, or an attack the limiter refuses, is no change. */
class ProcessorModel
{
public:
    ProcessorModel()
    {
        limiter.setNumChannels (4);
        setParameter (3, 0.0f);
        setParameter (0, 0.025f);
        setParameter (1, 0.02f);
        setParameter (2, 0.5f);
        applyChanges();
    }

    void setParameter (int index, float v)
    {
        const float setting = index == 0 ? v * 40.0f : index == 1 ? v * 1000.0f
                                                   : index == 2   ? gainOf (v * 20.0f - 10.0f)
                                                                  : gainOf (v * 60.0f);

        if (index < 0 || index > 3 || ! std::isfinite (v) || ! std::isfinite (setting) || (index == 0 && setting > 40.0f))
            return;

        changes.erase (std::remove_if (changes.begin(), changes.end(), [index] (const Change& c)
                                       { return c.index == index; }),
                       changes.end());
        changes.push_back ({ index, setting });
    }

    void prepare (int sampleRate)
    {
        applyChanges();
        limiter.setSampleRate (sampleRate);
    }

    int latency() const { return limiter.getLatencySamples(); }

    /** The signal in blocks of blockSize: channels from 4 up come out silent, and
        channels below 4 that the signal lacks count as silent. */
    MultiChannelSignal run (MultiChannelSignal signal, int blockSize)
    {
        applyChanges();
        const auto numChannels = signal.channels.size();
        signal.channels.resize (std::max<size_t> (numChannels, 4), std::vector<float> ((size_t) signal.numSamples(), 0.0f));

        for (int start = 0; start < signal.numSamples(); start += blockSize)
        {
            const int length = std::min (blockSize, signal.numSamples() - start);
            const bool gliding = std::fabs ((double) (smoothedGain - inputGain)) > 1.0e-6;

            for (int i = start; i < start + length; ++i)
            {
                if (gliding)
                    smoothedGain = (float) ((double) smoothedGain * 0.995 + (double) inputGain * 0.005);

                for (auto& channel : signal.channels)
                    channel[(size_t) i] *= gliding ? smoothedGain : inputGain;
            }

            if (! gliding)
                smoothedGain = inputGain;

            auto table = signal.pointers (start);
            limiter.process (table.data(), length);

            for (size_t ch = 4; ch < signal.channels.size(); ++ch)
                std::fill_n (signal.channels[ch].begin() + start, length, 0.0f);
        }

        signal.channels.resize (numChannels);
        return signal;
    }

private:
    struct Change
    {
        int index;
        float setting;
    };

    static float gainOf (float decibels) { return decibels > -100.0f ? std::pow (10.0f, decibels * 0.05f) : 0.0f; }

    void applyChanges()
    {
        for (const auto& change : changes)
        {
            if (change.index == 0)
                limiter.setAttack (change.setting);
            else if (change.index == 1)
                limiter.setRelease (change.setting);
            else if (change.index == 2)
                limiter.setThreshold (change.setting);
            else
                inputGain = change.setting;
        }

        changes.clear();
    }

    std::vector<Change> changes;

    ReferenceLimiter limiter { 4, 192000, 40.0f, 1000.0f, 0.0f };
    float inputGain = 1.0f;
    float smoothedGain = 1.0f;
};
} // namespace quorvel::test
