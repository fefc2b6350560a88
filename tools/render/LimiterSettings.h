#pragma once

#include <array>
#include <optional>
#include <string>

namespace quorvel::render
{
/*  The four settings of the limiter in the units its user thinks in, and their
        conversion to the normalised 0..1 values that a VST host sends, by parameter
        index: 0 attack (0..40 ms), 1 release (0..1000 ms), 2 max peak (-10..+10 dB),
        3 input gain (0..60 dB). The defaults are the plug-in's own.
    */
struct LimiterSettings
{
    double attackMs = 1.0;
    double releaseMs = 20.0;
    double maxPeakDb = 0.0;
    double inputGainDb = 0.0;

    /** A description of the first setting outside its range (NaN included), if any. */
    std::optional<std::string> findProblem() const;

    /** Normalised values by parameter index; meaningful only when findProblem() is empty. */
    std::array<float, 4> toNormalised() const;

    double maxPeakLinear() const;
    double inputGainLinear() const;
};
} // namespace quorvel::render
