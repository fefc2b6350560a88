#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

namespace quorvel::render
{
/*  Loads a VST 2.4 plug-in from a shared object the way a host does, through JUCE's
        own hosting code (juce::VSTPluginFormat), so that what is tested and rendered
        through it is the plug-in as hosts see it. Must be called on the host's message
        thread (a juce::ScopedJuceInitialiser_GUI must be alive).
    */
class PluginLoader
{
public:
    /** The instance, or an empty pointer with the reason in `error`. */
    static std::unique_ptr<juce::AudioPluginInstance> load (const juce::File& sharedObject,
                                                            double sampleRate,
                                                            int blockSize,
                                                            juce::String& error);
};
} // namespace quorvel::render
