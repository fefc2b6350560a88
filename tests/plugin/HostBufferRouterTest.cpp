// The routing of a host's channel buffers, which both bridges share, against the plain
// rule it must keep: each output ends up holding the processed input of its channel
// (silence where the host gave no input), added to what it held for an accumulating
// call, and nothing outside the outputs is written. The host's channels are laid out in
// one arena, so that every kind of overlap a host can hand in can be written down.

#include "plugin/HostBufferRouter.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <string>
#include <vector>

namespace
{
constexpr int numChannels = 4;
constexpr int runLength = 16;
constexpr int none = -1;

/** A stand-in for the processor: memoryless, so that runs cannot change its result. */
float processed (float sample, int channel)
{
    return sample * (float) (channel + 2) + (float) channel;
}

struct Layout
{
    std::string name;
    int numSamples;
    std::vector<int> inputs; // arena offsets per channel; empty: no input list
    std::vector<int> outputs;
    bool accumulate = false;
    bool silenced = false; // the block cannot be served without allocating
};

std::vector<Layout> layouts()
{
    return {
        { "separate", 12, { 0, 20, 40, 60 }, { 100, 120, 140, 160 } },
        { "in place", 12, { 0, 20, 40, 60 }, { 0, 20, 40, 60 } },
        { "each output a little after its own input", 12, { 0, 20, 40, 60 }, { 3, 23, 43, 63 } },
        { "each output a little before its own input", 12, { 3, 23, 43, 63 }, { 0, 20, 40, 60 } },
        { "channels swapped", 12, { 0, 20, 40, 60 }, { 20, 0, 60, 40 } },
        { "an output over the next channel's input", 12, { 0, 20, 40, 60 }, { 15, 100, 120, 140 } },
        { "no input list", 12, {}, { 100, 120, 140, 160 } },
        { "one input missing", 12, { 0, none, 40, 60 }, { 0, 20, 40, 60 } },
        { "one output missing, in place", 12, { 0, 20, 40, 60 }, { 0, none, 40, 60 } },
        { "one output missing, longer than scratch", 40, { 0, 50, 100, 150 }, { 200, none, 300, 350 } },
        { "one output missing, shifted over its input", 12, { 0, 20, 40, 60 }, { 3, none, 43, 63 } },
        { "one output missing, accumulating", 12, { 0, 20, 40, 60 }, { none, 120, 140, 160 }, true },
        { "one output missing, shifted, longer than scratch", 40, { 0, 50, 100, 150 }, { 5, none, 105, 155 }, false, true },
        { "longer than scratch, separate", 40, { 0, 50, 100, 150 }, { 200, 250, 300, 350 } },
        { "longer than scratch, in place", 40, { 0, 50, 100, 150 }, { 0, 50, 100, 150 } },
        { "longer than scratch, crossed", 40, { 0, 50, 100, 150 }, { 50, 0, 150, 100 }, false, true },
        { "accumulating, separate", 12, { 0, 20, 40, 60 }, { 100, 120, 140, 160 }, true },
        { "accumulating, in place", 40, { 0, 50, 100, 150 }, { 0, 50, 100, 150 }, true },
        { "accumulating, longer than scratch", 40, { 0, 50, 100, 150 }, { 200, 250, 300, 350 }, true },
        { "accumulating, no input list", 12, {}, { 100, 120, 140, 160 }, true },
        { "accumulating, shifted, fits scratch", 12, { 0, 20, 40, 60 }, { 5, 25, 45, 65 }, true },
        { "accumulating, shifted, longer than scratch", 40, { 0, 50, 100, 150 }, { 5, 55, 105, 155 }, true, true },
    };
}

class HostBufferRouterTest : public ::testing::TestWithParam<Layout>
{
};
} // namespace

TEST_P (HostBufferRouterTest, OutputsHoldTheProcessedInputAndNothingElseIsWritten)
{
    const auto& layout = GetParam();
    std::vector<float> arena (420);

    for (size_t i = 0; i < arena.size(); ++i)
        arena[i] = std::sin ((float) i * 0.37f);

    const auto before = arena;
    const auto pointer = [&arena] (int offset)
    { return offset == none ? nullptr : arena.data() + offset; };
    std::vector<const float*> inputs;
    std::vector<float*> outputs;

    for (int channel = 0; channel < numChannels; ++channel)
    {
        if (! layout.inputs.empty())
            inputs.push_back (pointer (layout.inputs[(size_t) channel]));

        outputs.push_back (pointer (layout.outputs[(size_t) channel]));
    }

    HostBufferRouter router (numChannels, runLength);
    ASSERT_TRUE (HostBufferRouter::outputsUsable (outputs.data(), layout.numSamples));
    router.route (inputs.empty() ? nullptr : inputs.data(), outputs.data(), layout.numSamples, layout.accumulate, [] (float* const* channels, int length)
                  {
                      for (int channel = 0; channel < numChannels; ++channel)
                          for (int i = 0; i < length; ++i)
                              channels[channel][i] = processed (channels[channel][i], channel); });

    auto expected = before;

    for (int channel = 0; channel < numChannels; ++channel)
    {
        const auto outputAt = layout.outputs[(size_t) channel];
        const auto inputAt = layout.inputs.empty() ? none : layout.inputs[(size_t) channel];

        if (outputAt == none)
            continue;

        for (int i = 0; i < layout.numSamples; ++i)
        {
            const float input = inputAt == none ? 0.0f : before[(size_t) (inputAt + i)];
            const float held = before[(size_t) (outputAt + i)];
            auto& out = expected[(size_t) (outputAt + i)];

            if (layout.silenced)
                out = layout.accumulate ? held : 0.0f;
            else
                out = layout.accumulate ? held + processed (input, channel) : processed (input, channel);
        }
    }

    EXPECT_EQ (arena, expected);
}

std::string testNameOf (const ::testing::TestParamInfo<Layout>& layout)
{
    std::string name;

    for (char c : layout.param.name)
        name += std::isalnum ((unsigned char) c) ? c : '_';

    return name;
}

INSTANTIATE_TEST_SUITE_P (HostLayouts, HostBufferRouterTest, ::testing::ValuesIn (layouts()), testNameOf);

TEST (HostBufferRouterCalls, OnlyALengthAndAnOutputListMakeACallWorthServing)
{
    float samples[numChannels][4] {};
    float* outputs[] = { samples[0], samples[1], samples[2], samples[3] };
    float* missingOne[] = { samples[0], nullptr, samples[2], samples[3] };

    EXPECT_TRUE (HostBufferRouter::outputsUsable (outputs, 1));
    EXPECT_FALSE (HostBufferRouter::outputsUsable (outputs, 0));
    EXPECT_FALSE (HostBufferRouter::outputsUsable (outputs, -4));
    EXPECT_FALSE (HostBufferRouter::outputsUsable (nullptr, 4));
    EXPECT_TRUE (HostBufferRouter::outputsUsable (missingOne, 4));
}
