#include "tools/render/PluginLoader.h"

namespace quorvel::render
{
std::unique_ptr<juce::AudioPluginInstance> PluginLoader::load (const juce::File& sharedObject,
                                                               double sampleRate,
                                                               int blockSize,
                                                               juce::String& error)
{
    if (! sharedObject.existsAsFile())
    {
        error = "no such file: " + sharedObject.getFullPathName();
        return {};
    }

    juce::VSTPluginFormat format;
    juce::PluginDescription description;
    description.pluginFormatName = format.getName();
    description.fileOrIdentifier = sharedObject.getFullPathName();

    auto instance = format.createInstanceFromDescription (description, sampleRate, blockSize, error);

    if (instance == nullptr && error.isEmpty())
        error = "not a loadable VST 2.4 plug-in: " + sharedObject.getFullPathName();

    return instance;
}
} // namespace quorvel::render
