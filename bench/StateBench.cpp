// Cost of restoring a saved state, by the shape and length of its text, beside the
// framework's XML parser reading the same block and a bare copy of it:
//
//   state/restore/<shape>/<bytes>      the processor's restoreState, as every door calls it
//   state/framework/<shape>/<bytes>    the framework's getXmlFromBinary on the same block
//   state/copy/<shape>/<bytes>         copying the block
//
// Shapes: "fresh", the block a new processor writes; "names", many distinct attribute
// names; "references", one attribute value spelled in character references. The last
// two cost a general XML reader the square of their length; past the bound on a state's
// text (256 KB) restoreState refuses them unread. The counter bytes_per_second shows
// whether the cost per byte holds as the length grows.

#include "processor/KestruneAudioProcessor.h"
#include "tests/support/StateBlock.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
using quorvel::test::stateBlockAround;

std::vector<uint8_t> blockOf (const std::string& shape, size_t length)
{
    if (shape == "names")
        return stateBlockAround (quorvel::test::attributeNamesText (length));

    if (shape == "references")
        return stateBlockAround (quorvel::test::characterReferencesText (length));

    juce::MemoryBlock fresh;
    KestruneAudioProcessor().getStateInformation (fresh);
    const auto* bytes = static_cast<const uint8_t*> (fresh.getData());
    return std::vector<uint8_t> (bytes, bytes + fresh.getSize());
}

template <typename Read>
void readBench (benchmark::State& state, const std::string& shape, size_t length, Read&& read)
{
    const auto block = blockOf (shape, length);

    for (auto _ : state)
        read (block);

    state.SetBytesProcessed ((int64_t) state.iterations() * (int64_t) block.size());
}

void restoreBench (benchmark::State& state, std::string shape, size_t length)
{
    KestruneAudioProcessor processor;
    readBench (state, shape, length, [&processor] (const std::vector<uint8_t>& block)
               { benchmark::DoNotOptimize (processor.restoreState (block.data(), (int) block.size())); });
}

void frameworkBench (benchmark::State& state, std::string shape, size_t length)
{
    readBench (state, shape, length, [] (const std::vector<uint8_t>& block)
               { benchmark::DoNotOptimize (juce::AudioProcessor::getXmlFromBinary (block.data(), (int) block.size())); });
}

void copyBench (benchmark::State& state, std::string shape, size_t length)
{
    std::vector<uint8_t> copy;
    readBench (state, shape, length, [&copy] (const std::vector<uint8_t>& block)
               {
                   copy.assign (block.begin(), block.end());
                   benchmark::DoNotOptimize (copy.data()); });
}

[[maybe_unused]] const bool registered = []
{
    const auto add = [] (const char* kind, void (*bench) (benchmark::State&, std::string, size_t), const std::string& shape, size_t length)
    {
        const auto name = std::string ("state/") + kind + "/" + shape + "/" + std::to_string (length);
        benchmark::RegisterBenchmark (name.c_str(), bench, shape, length)->Unit (benchmark::kMicrosecond);
    };

    add ("restore", restoreBench, "fresh", 0);
    add ("framework", frameworkBench, "fresh", 0);
    add ("copy", copyBench, "fresh", 0);

    for (const char* shape : { "names", "references" })
    {
        // The framework's reader takes seconds a call from about a megabyte on.
        for (size_t length : { 64u << 10, 256u << 10 })
            add ("framework", frameworkBench, shape, length);

        for (size_t length : { 64u << 10, 256u << 10, 4u << 20, 8u << 20 })
        {
            add ("restore", restoreBench, shape, length);
            add ("copy", copyBench, shape, length);
        }
    }

    return true;
}();
} // namespace
