#include "tests/plugin/vst2/HostedQuorvel.h"

#include "tools/render/PluginLoader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace quorvel::test
{
juce::File quorvelSharedObject()
{
    return juce::File (QUORVEL_PLUGIN_PATH);
}

std::unique_ptr<juce::AudioPluginInstance> loadQuorvel (double sampleRate, int blockSize)
{
    juce::String error;
    auto plugin = quorvel::render::PluginLoader::load (quorvelSharedObject(), sampleRate, blockSize, error);

    if (plugin == nullptr)
        ADD_FAILURE() << "cannot load " << quorvelSharedObject().getFullPathName() << ": " << error;

    return plugin;
}

fst::AEffect& recordOf (juce::AudioPluginInstance& plugin)
{
    struct RecordFinder : juce::ExtensionsVisitor
    {
        void visitVSTClient (const VSTClient& client) override { record = client.getAEffectPtr(); }
        ::AEffect* record = nullptr;
    };

    RecordFinder finder;
    plugin.getExtensions (finder);
    // JUCE only forward-declares the record; its layout is the one fst describes.
    return *reinterpret_cast<fst::AEffect*> (finder.record);
}

fst::VstIntPtr dispatch (juce::AudioPluginInstance& plugin, int opcode, int index, fst::VstIntPtr value, void* ptr, float opt)
{
    auto& effect = recordOf (plugin);
    return effect.dispatcher (&effect, opcode, index, value, ptr, opt);
}

juce::AudioBuffer<float> distinctChannels (int numSamples, float peak, unsigned seed)
{
    juce::AudioBuffer<float> buffer (4, numSamples);
    std::mt19937 random (seed);
    std::uniform_real_distribution<float> noise (-1.0f, 1.0f);
    const double frequencies[] = { 0.0071, 0.0113, 0.0173, 0.0239 };

    for (int channel = 0; channel < 4; ++channel)
        for (int i = 0; i < numSamples; ++i)
            buffer.setSample (channel, i, (float) (0.7 * std::sin (6.283185307179586 * frequencies[channel] * i)) + 0.3f * noise (random));

    buffer.applyGain (peak / buffer.getMagnitude (0, numSamples));
    return buffer;
}

juce::AudioBuffer<float> processInBlocks (juce::AudioPluginInstance& plugin,
                                          const juce::AudioBuffer<float>& input,
                                          const std::vector<int>& blockSizes,
                                          const std::function<void (int, int)>& beforeBlock)
{
    juce::AudioBuffer<float> output (input);
    processInBlocks (plugin, output.getArrayOfWritePointers(), 4, output.getNumSamples(), blockSizes, beforeBlock);
    return output;
}
} // namespace quorvel::test
