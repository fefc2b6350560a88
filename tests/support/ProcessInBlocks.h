#pragma once

// Feeding a processor whole signals block by block, in place, as a host does: the
// processor tests drive KestruneAudioProcessor itself, the plug-in tests the copy that
// JUCE's hosting code loads from Quorvel.so.

#include <juce_audio_processors/juce_audio_processors.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace quorvel::test
{
/** One block of the channels, samples start .. start + length, bypassed or not. */
inline void processBlock (juce::AudioProcessor& processor, float* const* channels, int numChannels, int start, int length, bool bypassed = false)
{
    juce::AudioBuffer<float> buffer (channels, numChannels, start, length);
    juce::MidiBuffer midi;

    if (bypassed)
        processor.processBlockBypassed (buffer, midi);
    else
        processor.processBlock (buffer, midi);
}

/** numSamples samples of the channels, in blocks whose lengths cycle through
    blockSizes (the last one cut short); beforeBlock (blockIndex, startSample) runs
    before each block. */
inline void processInBlocks (juce::AudioProcessor& processor,
                             float* const* channels,
                             int numChannels,
                             int numSamples,
                             const std::vector<int>& blockSizes,
                             const std::function<void (int blockIndex, int startSample)>& beforeBlock = {})
{
    for (int start = 0, blockIndex = 0; start < numSamples; ++blockIndex)
    {
        const int length = std::min (blockSizes[(size_t) blockIndex % blockSizes.size()], numSamples - start);

        if (beforeBlock)
            beforeBlock (blockIndex, start);

        processBlock (processor, channels, numChannels, start, length);
        start += length;
    }
}
} // namespace quorvel::test
