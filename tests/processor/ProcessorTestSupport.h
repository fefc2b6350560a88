#pragma once

// Shared parts of the processor tests: a host that drives a processor with
// planar fixed-seed signals, and a plain model of what the processor must do
// to a block, built on the reference limiter.

#include "processor/KestruneAudioProcessor.h"
#include "support/ReferenceLimiter.h"
#include "support/SignalAssertions.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace quorvel::test
{
/** Prepares the processor as the format wrappers do: 4 in, 4 out, then prepareToPlay. */
inline void prepare (KestruneAudioProcessor& processor, double sampleRate, int blockSize = 512)
{
    processor.setPlayConfigDetails (4, 4, sampleRate, blockSize);
    processor.prepareToPlay (sampleRate, blockSize);
}

/** Runs one block of `signal` (samples start .. start + length) through the
    processor in place, bypassed or not. */
inline void runBlock (KestruneAudioProcessor& processor, MultiChannelSignal& signal, int start, int length, bool bypassed = false)
{
    auto table = signal.pointers();
    juce::AudioBuffer<float> buffer (table.data(), signal.numChannels(), start, length);
    juce::MidiBuffer midi;

    if (bypassed)
        processor.processBlockBypassed (buffer, midi);
    else
        processor.processBlock (buffer, midi);
}

/** Runs the whole signal through the processor in blocks of blockSize (the
    last one shorter) and returns the output. */
inline MultiChannelSignal runInBlocks (KestruneAudioProcessor& processor, MultiChannelSignal signal, int blockSize)
{
    for (int start = 0; start < signal.numSamples(); start += blockSize)
        runBlock (processor, signal, start, std::min (blockSize, signal.numSamples() - start));

    return signal;
}

/** The input shifted later by `delay` samples, zeros in front. */
inline MultiChannelSignal delayedBy (const MultiChannelSignal& input, int delay)
{
    MultiChannelSignal output (input.numChannels(), input.numSamples());

    for (int ch = 0; ch < input.numChannels(); ++ch)
        for (int i = delay; i < input.numSamples(); ++i)
            output.channels[(size_t) ch][(size_t) i] = input.channels[(size_t) ch][(size_t) (i - delay)];

    return output;
}

inline float largestMagnitudeOf (const std::vector<float>& channel)
{
    float largest = 0.0f;

    for (float sample : channel)
        largest = std::max (largest, std::fabs (sample));

    return largest;
}

inline float largestMagnitude (const MultiChannelSignal& signal)
{
    float largest = 0.0f;

    for (const auto& channel : signal.channels)
        for (float sample : channel)
            largest = std::max (largest, std::fabs (sample));

    return largest;
}

/** What the processor must do, written out plainly: the parameter mappings
    applied at once, the input-gain glide sample by sample, and the reference
    limiter. Changes made between blocks of the processor show here when they
    are made, which is the same moment as long as they come in the order
    input gain, attack, release, threshold. */
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
    }

    void setParameter (int index, float v)
    {
        switch (index)
        {
            case 0:
                limiter.setAttack (v * 40.0f);
                break;
            case 1:
                limiter.setRelease (v * 1000.0f);
                break;
            case 2:
                limiter.setThreshold (gainOf (v * 20.0f - 10.0f));
                break;
            case 3:
                inputGain = gainOf (v * 60.0f);
                break;
            default:
                break;
        }
    }

    void prepare (int sampleRate) { limiter.setSampleRate (sampleRate); }
    int latency() const { return limiter.getLatencySamples(); }

    MultiChannelSignal run (MultiChannelSignal signal, int blockSize)
    {
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
        }

        return signal;
    }

private:
    static float gainOf (float decibels) { return decibels > -100.0f ? std::pow (10.0f, decibels * 0.05f) : 0.0f; }

    ReferenceLimiter limiter { 4, 192000, 40.0f, 1000.0f, 0.0f };
    float inputGain = 1.0f;
    float smoothedGain = 1.0f;
};
} // namespace quorvel::test
