// Cost of the processor's processBlock per four-channel frame beside the limiter
// alone, under the same conditions: 48000 Hz, 40 ms look-ahead, 50 ms release, a
// ceiling of -6 dB, 512-sample blocks of independent 0 dBFS white noise. Both
// figures include copying the input into the block, as the limiter's own do.
//
//   processor/block           processBlock at 0 dB input gain
//   processor/block_gain      processBlock with +6 dB of input gain to apply
//   processor/bypassed        processBlockBypassed: the delayed input alone
//   processor/limiter_alone   the limiter by itself, set up as the processor sets it
//
// The counter per_frame is the CPU time per four-channel frame.

#include "bench/BlockRunner.h"
#include "processor/KestruneAudioProcessor.h"
#include "tests/support/TestSignals.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace
{
using quorvel::bench::blockSize;
using quorvel::bench::numChannels;
using quorvel::bench::signalFrames;

constexpr int sampleRate = 48000;

// Normalised values giving 40 ms, 50 ms, about -6 dB (0.5 linear) and +6 dB.
constexpr float attackValue = 1.0f;
constexpr float releaseValue = 0.05f;
constexpr float ceilingValue = 0.19897f;
constexpr float gainValue = 0.1f;

// The processor's input: independent 0 dBFS white noise.
template <typename Process>
void runBlocks (benchmark::State& state, Process&& process)
{
    const auto source = quorvel::test::independentNoise (numChannels, signalFrames, 1.0f, 2024);
    quorvel::bench::runBlocks (state, source, process);
}

void processorBench (benchmark::State& state, float inputGainValue, bool bypassed)
{
    KestruneAudioProcessor processor;
    processor.setParameter (KestruneAudioProcessor::attackTimeIndex, attackValue);
    processor.setParameter (KestruneAudioProcessor::releaseTimeIndex, releaseValue);
    processor.setParameter (KestruneAudioProcessor::maxPeakLevelIndex, ceilingValue);
    processor.setParameter (KestruneAudioProcessor::inputGainIndex, inputGainValue);
    processor.setPlayConfigDetails (numChannels, numChannels, sampleRate, blockSize);
    processor.prepareToPlay (sampleRate, blockSize);
    juce::MidiBuffer midi;

    runBlocks (state, [&] (float** channels)
               {
                   juce::AudioBuffer<float> buffer (channels, numChannels, blockSize);

                   if (bypassed)
                       processor.processBlockBypassed (buffer, midi);
                   else
                       processor.processBlock (buffer, midi); });
}

void limiterAloneBench (benchmark::State& state)
{
    LookaheadLimiter limiter (numChannels, 192000, 40.0f, 1000.0f, 0.0f);
    limiter.setNumChannels (numChannels);
    limiter.setAttack (attackValue * 40.0f);
    limiter.setRelease (releaseValue * 1000.0f);
    limiter.setThreshold (std::pow (10.0f, (ceilingValue * 20.0f - 10.0f) * 0.05f));
    limiter.setSampleRate (sampleRate);

    runBlocks (state, [&] (float** channels)
               { limiter.process (channels, blockSize); });
}

[[maybe_unused]] const bool registered = []
{
    const auto fastest = [] (const std::vector<double>& values)
    { return *std::min_element (values.begin(), values.end()); };

    benchmark::RegisterBenchmark ("processor/block/noise/48000", processorBench, 0.0f, false)->ComputeStatistics ("min", fastest);
    benchmark::RegisterBenchmark ("processor/block_gain/noise/48000", processorBench, gainValue, false)->ComputeStatistics ("min", fastest);
    benchmark::RegisterBenchmark ("processor/bypassed/noise/48000", processorBench, 0.0f, true)->ComputeStatistics ("min", fastest);
    benchmark::RegisterBenchmark ("processor/limiter_alone/noise/48000", limiterAloneBench)->ComputeStatistics ("min", fastest);
    return true;
}();
} // namespace
