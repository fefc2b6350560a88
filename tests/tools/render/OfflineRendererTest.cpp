// Rendering through Quorvel.so as the command-line renderer does it.

#include "tools/render/OfflineRenderer.h"
#include "tools/render/PluginLoader.h"
#include "tools/render/TestSignal.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quorvel::render;

namespace
{
std::unique_ptr<juce::AudioPluginInstance> loadQuorvel (int blockSize)
{
    juce::String error;
    auto plugin = PluginLoader::load (juce::File (QUORVEL_PLUGIN_PATH), 48000.0, blockSize, error);
    EXPECT_NE (plugin, nullptr) << error;
    return plugin;
}

float largestDifference (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    float largest = 0.0f;

    for (int channel = 0; channel < a.getNumChannels(); ++channel)
        for (int i = 0; i < a.getNumSamples(); ++i)
            largest = std::max (largest, std::abs (a.getSample (channel, i) - b.getSample (channel, i)));

    return largest;
}
} // namespace

TEST (OfflineRendererTest, BelowTheCeilingTheOutputIsTheInputWithTheLatencyRemoved)
{
    auto plugin = loadQuorvel (512);
    ASSERT_NE (plugin, nullptr);
    const auto input = TestSignal::generate (48000.0, 3.0);
    LimiterSettings transparent;
    transparent.maxPeakDb = 10.0;

    juce::AudioBuffer<float> output;
    OfflineRenderer renderer (*plugin, 512);
    const auto summary = renderer.render (input, 48000.0, transparent, output);

    EXPECT_EQ (summary.latencySamples, 48);
    ASSERT_EQ (output.getNumSamples(), input.getNumSamples());
    ASSERT_EQ (output.getNumChannels(), 4);
    EXPECT_LT (largestDifference (input, output), 1.0e-5f);
    EXPECT_NEAR (summary.outputPeak, summary.inputPeak, 1.0e-5f);
    EXPECT_EQ (summary.outputPeakChannel, summary.inputPeakChannel);
    EXPECT_LT (summary.largestGainReductionDb, 0.01);
}

TEST (OfflineRendererTest, LimitedOutputKeepsTheCeilingAndReportsTheReductionWhateverTheBlockSize)
{
    const auto input = TestSignal::generate (48000.0, 4.0);
    const LimiterSettings settings { 5.0, 100.0, -6.0, 12.0 };
    const int blockSizes[] = { 256, 1000 };
    juce::AudioBuffer<float> outputs[2];
    RenderSummary summary;
    std::vector<double> progress;

    for (int k = 0; k < 2; ++k)
    {
        auto plugin = loadQuorvel (blockSizes[k]);
        ASSERT_NE (plugin, nullptr);
        progress.clear();
        summary = OfflineRenderer (*plugin, blockSizes[k]).render (input, 48000.0, settings, outputs[k], [&progress] (double fraction)
                                                                   { progress.push_back (fraction); });
    }

    EXPECT_LT (largestDifference (outputs[0], outputs[1]), 1.0e-6f);
    const auto& output = outputs[1];
    EXPECT_EQ (summary.latencySamples, 240);
    const auto ceiling = (float) settings.maxPeakLinear();
    EXPECT_LE (summary.outputPeak, ceiling * 1.000001f);
    EXPECT_GT (summary.outputPeak, ceiling * 0.9f);

    for (int channel = 0; channel < 4; ++channel)
        EXPECT_LE (output.getMagnitude (channel, 0, output.getNumSamples()), ceiling * 1.000001f);

    // The peak of the input, raised by 12 dB, had to come down to the ceiling at least.
    const auto needed = 20.0 * std::log10 (summary.inputPeak * settings.inputGainLinear() / settings.maxPeakLinear());
    EXPECT_GE (summary.largestGainReductionDb, needed - 0.01);
    EXPECT_LT (summary.largestGainReductionDb, needed + 6.0);

    // Aligned: where the input is loud, every output channel is the input times one gain.
    const auto at = (int) summary.largestGainReductionSample;
    const auto gain = output.getSample (0, at) / input.getSample (0, at);

    for (int channel = 1; channel < 4; ++channel)
        EXPECT_NEAR (output.getSample (channel, at), gain * input.getSample (channel, at), 1.0e-4f) << channel;

    ASSERT_FALSE (progress.empty());
    EXPECT_TRUE (std::is_sorted (progress.begin(), progress.end()));
    EXPECT_DOUBLE_EQ (progress.back(), 1.0);
}
