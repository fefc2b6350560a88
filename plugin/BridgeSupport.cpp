#include "plugin/BridgeSupport.h"

// After juce_audio_processors: JUCE's factory helper that records which wrapper creates the processor.
#include <juce_audio_plugin_client/utility/juce_CreatePluginFilter.h>

#include <stdexcept>

std::unique_ptr<KestruneAudioProcessor> makeQuorvelProcessor (juce::AudioProcessor::WrapperType wrapper)
{
    auto processor = juce::createPluginFilterOfType (wrapper);

    if (dynamic_cast<KestruneAudioProcessor*> (processor.get()) == nullptr)
        throw std::runtime_error ("the plug-in made no processor");

    return std::unique_ptr<KestruneAudioProcessor> (static_cast<KestruneAudioProcessor*> (processor.release()));
}

void HostProcessStep::run (KestruneAudioProcessor& processor, const HostCall& call, const std::atomic<bool>& prepared) noexcept
{
    if (! HostBufferRouter::outputsUsable (call.outputs, call.numSamples))
        return;

    try
    {
        const juce::ScopedTryLock lock (processor.getCallbackLock());
        const bool ready = lock.isLocked() && prepared && ! processor.isSuspended();
        const juce::ScopedNoDenormals noDenormals;

        router.route (call.inputs, call.outputs, call.numSamples, call.accumulate, [&] (float* const* channels, int numSamples)
                      {
                          juce::AudioBuffer<float> buffer (channels, KestruneAudioProcessor::numLimiterChannels, numSamples);

                          if (! ready)
                              buffer.clear();
                          else if (call.bypassed)
                              processor.processBlockBypassed (buffer, midi);
                          else
                              processor.processBlock (buffer, midi); });
    }
    catch (...)
    {
        if (! call.accumulate)
            router.silence (call.outputs, 0, call.numSamples);
    }

    midi.clear();
}

bool LatencyNotice::shouldTell (int latency) noexcept
{
    if (latency == told)
    {
        candidate = told;
        ticksWaiting = 0;
        return false;
    }

    if (latency == candidate || ++ticksWaiting >= maxTicksWaiting)
    {
        markTold (latency);
        return true;
    }

    candidate = latency;
    return false;
}

void LatencyNotice::markTold (int latency) noexcept
{
    told = candidate = latency;
    ticksWaiting = 0;
}
