#pragma once

#include "processor/ParameterTable.h"

#include <array>
#include <optional>
#include <string>

namespace quorvel::render
{
/*  The four settings of the limiter in the units its user thinks in, and their
        conversion to the normalised 0..1 values that a VST host sends, by parameter
        index: 0 attack (ms), 1 release (ms), 2 max peak (dB), 3 input gain (dB). Ranges,
        units and defaults are the plug-in's own (processor/ParameterTable.h).
    */
struct LimiterSettings
{
    double attackMs = ParameterTable::parameters[ParameterTable::attackTime].defaultInUnit();
    double releaseMs = ParameterTable::parameters[ParameterTable::releaseTime].defaultInUnit();
    double maxPeakDb = ParameterTable::parameters[ParameterTable::maxPeakLevel].defaultInUnit();
    double inputGainDb = ParameterTable::parameters[ParameterTable::inputGain].defaultInUnit();

    /** How the renderer's messages and options name the settings, by parameter index. */
    static constexpr std::array<const char*, ParameterTable::numParameters> names { { "attack", "release", "max peak", "input gain" } };

    /** The settings in their units, by parameter index. */
    std::array<double, ParameterTable::numParameters> inUnits() const;

    /** A description of the first setting outside its range (NaN included), if any. */
    std::optional<std::string> findProblem() const;

    /** Normalised values by parameter index; meaningful only when findProblem() is empty. */
    std::array<float, ParameterTable::numParameters> toNormalised() const;

    double maxPeakLinear() const;
    double inputGainLinear() const;
};
} // namespace quorvel::render
