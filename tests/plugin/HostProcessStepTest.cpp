// The process step both bridges share, with a processor that throws in a block: the
// call's outputs are silence (an accumulating call adds nothing), nothing reaches the
// host, and the next call is served as usual.

#include "plugin/HostProcessStep.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace
{
class ThrowingProcessor : public KestruneAudioProcessor
{
public:
    bool throwing = true;

    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override
    {
        if (throwing)
            throw std::runtime_error ("a failing block");

        KestruneAudioProcessor::processBlock (buffer, midi);
    }
};
} // namespace

TEST (HostProcessStepTest, AnExceptionInABlockIsSilenceForThatBlockAndTheHostGoesOn)
{
    constexpr int frames = 64;
    ThrowingProcessor processor;
    processor.setPlayConfigDetails (4, 4, 48000.0, frames);
    processor.prepareToPlay (48000.0, frames);
    HostProcessStep step;
    const std::atomic<bool> prepared { true };

    std::vector<float> input (4 * frames, 0.5f), output;
    const float* inputs[] = { &input[0], &input[frames], &input[2 * frames], &input[3 * frames] };
    float* outputs[4];
    const auto call = [&] (bool accumulate)
    {
        output.assign (4 * frames, 5.0f);
        for (int channel = 0; channel < 4; ++channel)
            outputs[channel] = &output[(size_t) (channel * frames)];
        step.run (processor, { inputs, outputs, frames, accumulate, false }, prepared);
    };

    call (false);
    EXPECT_EQ (output, std::vector<float> (4 * frames, 0.0f));
    call (true);
    EXPECT_EQ (output, std::vector<float> (4 * frames, 5.0f));

    processor.throwing = false;
    call (false);
    EXPECT_NE (output, std::vector<float> (4 * frames, 0.0f));
}
