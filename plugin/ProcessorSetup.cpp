#include "plugin/ProcessorSetup.h"

// After juce_audio_processors: JUCE's factory helper that records which wrapper creates the processor.
#include <juce_audio_plugin_client/utility/juce_CreatePluginFilter.h>

#include <cmath>
#include <stdexcept>

std::unique_ptr<KestruneAudioProcessor> makeQuorvelProcessor (juce::AudioProcessor::WrapperType wrapper)
{
    auto processor = juce::createPluginFilterOfType (wrapper);

    if (dynamic_cast<KestruneAudioProcessor*> (processor.get()) == nullptr)
        throw std::runtime_error ("the plug-in made no processor");

    return std::unique_ptr<KestruneAudioProcessor> (static_cast<KestruneAudioProcessor*> (processor.release()));
}

bool isUsableSampleRate (double rate) noexcept
{
    return std::isfinite (rate) && rate > 0.0;
}

double sampleRateOrFallback (double hostRate) noexcept
{
    return isUsableSampleRate (hostRate) ? hostRate : fallbackSampleRate;
}
