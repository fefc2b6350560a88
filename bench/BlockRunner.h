#pragma once

// The timing loop the limiter and processor benchmarks share: four channels in blocks
// of 512 samples, from a fixed-seed source of 2^17 frames.

#include "tests/support/TestSignals.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace quorvel::bench
{
constexpr int numChannels = 4;
constexpr int blockSize = 512;
constexpr int signalFrames = 1 << 17;

/** Feeds the source block by block, round and round, through a copy so that every block
    the code under test sees is the original; the copy is in every figure. Sets the
    counter per_frame, the CPU time per four-channel frame. */
template <typename Process>
void runBlocks (benchmark::State& state, const quorvel::test::MultiChannelSignal& source, Process&& process)
{
    quorvel::test::MultiChannelSignal work (numChannels, blockSize);
    auto table = work.pointers();
    int position = 0;

    for (auto _ : state)
    {
        for (int channelIndex = 0; channelIndex < numChannels; ++channelIndex)
            std::memcpy (table[(size_t) channelIndex], source.channels[(size_t) channelIndex].data() + position, sizeof (float) * blockSize);

        process (table.data());
        benchmark::DoNotOptimize (table[0][blockSize - 1]);
        benchmark::ClobberMemory();

        position += blockSize;

        if (position + blockSize > signalFrames)
            position = 0;
    }

    state.counters["per_frame"] = benchmark::Counter (blockSize,
                                                      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
} // namespace quorvel::bench
