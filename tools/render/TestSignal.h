#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <cstdint>

namespace quorvel::render
{
/*  A four-channel first-order B-format signal in the ambiX order (W, Y, Z, X, SN3D),
        made to exercise a peak limiter: a quiet chord circling the listener, a faint
        diffuse noise floor, and a pattern of drum-like hits and sharp clicks from changing
        directions, some of them loud. The first quarter of a second is silent, so that
        settings reach the processing before any sound does.

        The whole signal is scaled so that its largest sample is `peakLevel`. The same
        arguments always give the same samples (the noise comes from a fixed-seed generator).
    */
class TestSignal
{
public:
    static constexpr int numChannels = 4;
    static constexpr double defaultSeconds = 10.0;
    static constexpr float defaultPeakLevel = 0.98f;

    static juce::AudioBuffer<float> generate (double sampleRate,
                                              double seconds = defaultSeconds,
                                              float peakLevel = defaultPeakLevel,
                                              std::uint32_t seed = 20240611u);
};
} // namespace quorvel::render
