// Cost of the limiter per four-channel frame: 512-sample blocks, 40 ms look-ahead, at
// 48000 and 192000 Hz, on three fixed-seed signals:
//   noise   independent 0 dBFS white noise on every channel: the limiter never lets go;
//   bursts  +14 dBFS noise bursts between silences: attacks and releases take turns;
//   ramp    a slowly falling ramp above the threshold: every sample leaves a smaller
//           peak than the one before, the window's worst case.
// Beside it run the plain sample-by-sample reference of the tests and a copy of the
// input alone, which every figure includes.
//
// The counter per_frame is the CPU time per four-channel frame.

#include "bench/BlockRunner.h"
#include "engine/LookaheadLimiter.h"
#include "tests/support/ReferenceLimiter.h"
#include "tests/support/TestSignals.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace
{
using quorvel::bench::blockSize;
using quorvel::bench::numChannels;
using quorvel::bench::runBlocks;
using quorvel::bench::signalFrames;

constexpr float attackMs = 40.0f;
constexpr float releaseMs = 50.0f;
constexpr float threshold = 0.5f;

enum class Signal
{
    noise,
    bursts,
    ramp
};

const char* nameOf (Signal signal)
{
    switch (signal)
    {
        case Signal::noise:
            return "noise";
        case Signal::bursts:
            return "bursts";
        case Signal::ramp:
            return "ramp";
    }

    return "";
}

quorvel::test::MultiChannelSignal makeSignal (Signal signal, int sampleRate)
{
    switch (signal)
    {
        case Signal::noise:
            return quorvel::test::independentNoise (numChannels, signalFrames, 1.0f, 2024);

        case Signal::bursts:
            return quorvel::test::independentNoiseBursts (numChannels,
                                                          signalFrames,
                                                          quorvel::test::decibelsToGain (14.0f),
                                                          sampleRate / 10,
                                                          sampleRate / 8,
                                                          2025);

        case Signal::ramp:
            return quorvel::test::fallingRamps (numChannels, signalFrames, quorvel::test::decibelsToGain (14.0f), threshold * 1.5f);
    }

    return {};
}

void limiterBench (benchmark::State& state, Signal signal, int sampleRate)
{
    const auto source = makeSignal (signal, sampleRate);
    LookaheadLimiter limiter (numChannels, 192000, attackMs, releaseMs, threshold);
    limiter.setSampleRate (sampleRate);
    runBlocks (state, source, [&] (float** channels)
               { limiter.process (channels, blockSize); });
}

void referenceBench (benchmark::State& state, Signal signal, int sampleRate)
{
    const auto source = makeSignal (signal, sampleRate);
    quorvel::test::ReferenceLimiter limiter (numChannels, 192000, attackMs, releaseMs, threshold, quorvel::test::ReferenceLimiter::WindowSearch::blocks);
    limiter.setSampleRate (sampleRate);
    runBlocks (state, source, [&] (float** channels)
               { limiter.process (channels, blockSize); });
}

void copyBench (benchmark::State& state)
{
    const auto source = makeSignal (Signal::noise, 48000);
    runBlocks (state, source, [] (float**) {});
}

// Registered before main runs: one benchmark per signal and rate, each with the fastest
// of its repetitions as an extra statistic.
[[maybe_unused]] const bool registered = []
{
    const Signal signals[] = { Signal::noise, Signal::bursts, Signal::ramp };
    const int rates[] = { 48000, 192000 };

    // On a shared machine the fastest of several repetitions is the steadiest figure.
    const auto fastest = [] (const std::vector<double>& values)
    { return *std::min_element (values.begin(), values.end()); };

    for (int rate : rates)
        for (auto signal : signals)
            benchmark::RegisterBenchmark (("limiter/" + std::string (nameOf (signal)) + "/" + std::to_string (rate)).c_str(), limiterBench, signal, rate)
                ->ComputeStatistics ("min", fastest);

    for (int rate : rates)
        for (auto signal : signals)
            benchmark::RegisterBenchmark (("plain_reference/" + std::string (nameOf (signal)) + "/" + std::to_string (rate)).c_str(), referenceBench, signal, rate)
                ->ComputeStatistics ("min", fastest);

    benchmark::RegisterBenchmark ("copy_only", copyBench)->ComputeStatistics ("min", fastest);

    return true;
}();
} // namespace

BENCHMARK_MAIN();
