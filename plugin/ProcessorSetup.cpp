#include "plugin/ProcessorSetup.h"

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
