#include "tools/render/OfflineRenderer.h"

#include <algorithm>
#include <cmath>

namespace quorvel::render
{
namespace
{
    void findPeak (const juce::AudioBuffer<float>& buffer, float& peak, int& channel)
    {
        peak = 0.0f;
        channel = 0;

        for (int c = 0; c < buffer.getNumChannels(); ++c)
        {
            const auto magnitude = buffer.getMagnitude (c, 0, buffer.getNumSamples());

            if (magnitude > peak)
            {
                peak = magnitude;
                channel = c;
            }
        }
    }

    float largestMagnitudeAt (const juce::AudioBuffer<float>& buffer, int sample)
    {
        float largest = 0.0f;

        for (int c = 0; c < buffer.getNumChannels(); ++c)
            largest = std::max (largest, std::abs (buffer.getSample (c, sample)));

        return largest;
    }
} // namespace

OfflineRenderer::OfflineRenderer (juce::AudioPluginInstance& pluginToUse, int blockSizeToUse)
    : plugin (pluginToUse)
    , blockSize (std::max (1, blockSizeToUse))
{
}

RenderSummary OfflineRenderer::render (const juce::AudioBuffer<float>& input,
                                       double sampleRate,
                                       const LimiterSettings& settings,
                                       juce::AudioBuffer<float>& output,
                                       const ProgressCallback& progress)
{
    const auto numChannels = input.getNumChannels();
    const auto numSamples = input.getNumSamples();
    RenderSummary summary;

    const auto values = settings.toNormalised();
    const auto& parameters = plugin.getParameters();

    for (size_t index = 0; index < values.size() && (int) index < parameters.size(); ++index)
        parameters[(int) index]->setValue (values[index]);

    plugin.setNonRealtime (true);
    plugin.prepareToPlay (sampleRate, blockSize);
    summary.latencySamples = std::max (0, plugin.getLatencySamples());

    const auto preRoll = (int) std::ceil (preRollSeconds * sampleRate);
    const auto skipped = (std::int64_t) preRoll + summary.latencySamples;
    const auto total = skipped + numSamples;

    output.setSize (numChannels, numSamples);
    output.clear();

    juce::AudioBuffer<float> block (std::max (numChannels, plugin.getTotalNumOutputChannels()), blockSize);
    juce::MidiBuffer midi;

    for (std::int64_t position = 0; position < total; position += blockSize)
    {
        const auto length = (int) std::min<std::int64_t> (blockSize, total - position);
        block.clear();

        // The input occupies [preRoll, preRoll + numSamples) of the rendered stream.
        const auto inputStart = position - preRoll;
        const auto copyFrom = std::max<std::int64_t> (0, inputStart);
        const auto copyTo = std::min<std::int64_t> (numSamples, inputStart + length);

        for (int c = 0; c < numChannels && copyFrom < copyTo; ++c)
            block.copyFrom (c, (int) (copyFrom - inputStart), input, c, (int) copyFrom, (int) (copyTo - copyFrom));

        juce::AudioBuffer<float> view (block.getArrayOfWritePointers(), block.getNumChannels(), length);
        plugin.processBlock (view, midi);
        midi.clear();

        // Output sample k of the stream is input sample k - skipped.
        const auto outputStart = position - skipped;
        const auto keepFrom = std::max<std::int64_t> (0, outputStart);
        const auto keepTo = std::min<std::int64_t> (numSamples, outputStart + length);

        for (int c = 0; c < numChannels && keepFrom < keepTo; ++c)
            output.copyFrom (c, (int) keepFrom, block, c, (int) (keepFrom - outputStart), (int) (keepTo - keepFrom));

        if (progress)
            progress ((double) (position + length) / (double) total);
    }

    plugin.releaseResources();

    findPeak (input, summary.inputPeak, summary.inputPeakChannel);
    findPeak (output, summary.outputPeak, summary.outputPeakChannel);

    const auto inputGain = settings.inputGainLinear();

    for (int i = 0; i < numSamples; ++i)
    {
        const auto expected = inputGain * largestMagnitudeAt (input, i);

        if (expected < measuringFloor)
            continue;

        const auto reductionDb = -20.0 * std::log10 (std::max (1.0e-12, largestMagnitudeAt (output, i) / expected));

        if (reductionDb > summary.largestGainReductionDb)
        {
            summary.largestGainReductionDb = reductionDb;
            summary.largestGainReductionSample = i;
        }
    }

    return summary;
}
} // namespace quorvel::render
