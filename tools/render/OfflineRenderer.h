#pragma once

#include "tools/render/LimiterSettings.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <cstdint>
#include <functional>

namespace quorvel::render
{
/** What a render found. Peaks are linear sample magnitudes. */
struct RenderSummary
{
    int latencySamples = 0;
    float inputPeak = 0.0f;
    int inputPeakChannel = 0;
    float outputPeak = 0.0f;
    int outputPeakChannel = 0;
    /** Positive decibels; 0 when the signal was never turned down. */
    double largestGainReductionDb = 0.0;
    std::int64_t largestGainReductionSample = 0;
};

/*  Runs a whole four-channel signal through a hosted limiter as a host renders
        offline, and returns the output aligned with the input: the plug-in's reported
        latency is removed by feeding that many samples of silence after the input and
        dropping as many from the front of the output.

        Before the input, a short stretch of silence is rendered and dropped too, so that
        the plug-in's input-gain glide has settled before the first sample arrives.

        The largest gain reduction is measured from outside: the plug-in applies one gain
        to all channels, so at every sample the ratio of the output's largest channel
        magnitude to the input's (after the input gain) is that gain. Samples whose input
        lies below -60 dBFS are not measured.
    */
class OfflineRenderer
{
public:
    using ProgressCallback = std::function<void (double fraction)>;

    OfflineRenderer (juce::AudioPluginInstance& pluginToUse, int blockSizeToUse);

    /** Sets the four parameters, prepares the plug-in and renders `input` into `output`
            (resized to match). The plug-in must have 4 inputs and 4 outputs. */
    RenderSummary render (const juce::AudioBuffer<float>& input,
                          double sampleRate,
                          const LimiterSettings& settings,
                          juce::AudioBuffer<float>& output,
                          const ProgressCallback& progress = {});

    static constexpr double preRollSeconds = 0.1;
    static constexpr double measuringFloor = 0.001;

private:
    juce::AudioPluginInstance& plugin;
    int blockSize;
};
} // namespace quorvel::render
