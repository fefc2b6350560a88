#include "plugin/HostProcessStep.h"

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
