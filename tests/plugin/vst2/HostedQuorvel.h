#pragma once

#include "tests/plugin/vst2/FstRecord.h"
#include "tests/support/ProcessInBlocks.h"
#include "tests/support/StateBlock.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>
#include <vector>

/*  Quorvel.so as JUCE's own hosting code (juce::VSTPluginFormat) loads it, plus the few
    things a test needs beside what juce::AudioPluginInstance offers: the effect record
    as fst describes it, and block-wise processing of whole signals.
*/
namespace quorvel::test
{
juce::File quorvelSharedObject();

/** The hosted plug-in, or an empty pointer (the test should then fail). */
std::unique_ptr<juce::AudioPluginInstance> loadQuorvel (double sampleRate, int blockSize);

fst::AEffect& recordOf (juce::AudioPluginInstance& plugin);

/** Calls the record's dispatcher as a host does. */
fst::VstIntPtr dispatch (juce::AudioPluginInstance& plugin, int opcode, int index = 0, fst::VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);

/** Four channels of a deterministic signal: a different tone on each channel plus
        noise, with the given peak magnitude. */
juce::AudioBuffer<float> distinctChannels (int numSamples, float peak, unsigned seed);

/** Runs `input` through the plug-in's processBlock in blocks of the given sizes,
        cycling through them; `beforeBlock` is called with the block index first. */
juce::AudioBuffer<float> processInBlocks (juce::AudioPluginInstance& plugin,
                                          const juce::AudioBuffer<float>& input,
                                          const std::vector<int>& blockSizes,
                                          const std::function<void (int blockIndex, int startSample)>& beforeBlock = {});
} // namespace quorvel::test
