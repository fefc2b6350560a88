// Arbitrary bytes as a saved state: whatever a host or a damaged session file
// hands over must leave the processor sound. Beyond surviving, each input is
// checked for what must hold afterwards: every parameter value within 0..1
// (where a fresh processor's are, and where a state is read), the state
// written back reading into the same values, and a loud block coming out
// finite and within the ceiling in force.

#include "processor/KestruneAudioProcessor.h"
#include "support/TestSignals.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

namespace
{
void check (bool condition)
{
    if (! condition)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    KestruneAudioProcessor processor;
    processor.setPlayConfigDetails (4, 4, 48000.0, 64);
    processor.prepareToPlay (48000.0, 64);
    processor.setStateInformation (data, (int) std::min (size, (std::size_t) INT_MAX));

    // Comparisons that NaN fails too.
    for (int index = 0; index < 4; ++index)
        check (processor.getParameter (index) >= 0.0f && processor.getParameter (index) <= 1.0f);

    check (processor.getSettledLatencySamples() >= 1 && processor.getSettledLatencySamples() <= 1920);

    juce::MemoryBlock saved;
    processor.getStateInformation (saved);
    KestruneAudioProcessor copy;
    copy.setStateInformation (saved.getData(), (int) saved.getSize());

    for (int index = 0; index < 4; ++index)
        check (quorvel::test::bitsOf (copy.getParameter (index)) == quorvel::test::bitsOf (processor.getParameter (index)));

    check (copy.idxInputConfig.load() == processor.idxInputConfig.load());

    // When the stored value maps to a usable threshold it is the one in force;
    // otherwise an earlier one is, and only finiteness can be checked.
    const float level = processor.getParameter (2) * 20.0f - 10.0f;
    const float threshold = level > -100.0f ? std::pow (10.0f, level * 0.05f) : 0.0f;
    const float ceiling = std::isfinite (threshold) ? threshold : std::numeric_limits<float>::max();

    juce::AudioBuffer<float> buffer (4, 256);

    for (int ch = 0; ch < 4; ++ch)
        for (int i = 0; i < 256; ++i)
            buffer.setSample (ch, i, (i % 7 == 3) ? 8.0f : -0.5f);

    juce::MidiBuffer midi;
    processor.processBlock (buffer, midi);

    for (int ch = 0; ch < 4; ++ch)
        for (int i = 0; i < 256; ++i)
            check (std::fabs (buffer.getSample (ch, i)) <= ceiling);

    return 0;
}
