#pragma once

/*  The four parameters, in one place for everything that shows, saves or sets them:
    the processor (names and defaults for the host, the mapping to the limiter's
    settings), the editor's controls (range, step, skew, unit), the saved state
    (element names) and the offline renderer (ranges and the mapping from user units).

    A parameter travels as a normalised value v, nominally 0..1; its value in the
    unit is v x (maximum - minimum) + minimum, computed in single precision as the
    processor always has. Only the reading of a saved state limits v to 0..1
    (PluginState): a host may set and read back any finite v. Levels in decibels
    become linear factors through decibelsToGain. Free of JUCE, so that tools can
    use it too.
*/

#include <algorithm>
#include <array>
#include <cmath>

namespace ParameterTable
{
enum Index
{
    attackTime = 0,
    releaseTime = 1,
    maxPeakLevel = 2,
    inputGain = 3
};

constexpr int numParameters = 4;

/** The range in which every host keeps a normalised value: a parameter's minimum
    at the one end, its maximum at the other. */
constexpr float normalisedMinimum = 0.0f;
constexpr float normalisedMaximum = 1.0f;

/** v at the nearer end of the normalised range when outside it, else v itself
    (-0 keeps its sign); NaN passes, for the caller to decide what no number means. */
template <typename Value>
constexpr Value limitToNormalisedRange (Value v) noexcept
{
    return std::clamp (v, (Value) normalisedMinimum, (Value) normalisedMaximum);
}

struct Parameter
{
    const char* name; // as the host sees it
    const char* stateElement; // the element of the saved state holding the value
    const char* unit; // the controls show it after the value, after a space
    float minimum; // unit value at v = 0
    float maximum; // unit value at v = 1
    float defaultValue; // normalised: what a fresh processor holds
    double interval; // the editor's step, in the unit
    double skew; // the editor's skew factor; 1 is linear

    /** The value in the unit for a normalised value, in single precision. */
    constexpr float toUnit (float normalised) const noexcept { return normalised * (maximum - minimum) + minimum; }

    /** The normalised value for a value in the unit, in double precision. */
    constexpr double toNormalised (double unitValue) const noexcept
    {
        return (unitValue - (double) minimum) / ((double) maximum - (double) minimum);
    }

    constexpr float defaultInUnit() const noexcept { return toUnit (defaultValue); }
};

// Indexed by Index.
constexpr std::array<Parameter, numParameters> parameters { {
    { "Attack Time", "Attack", "ms", 0.0f, 40.0f, 0.025f, 0.1, 0.54 },
    { "Release Time", "Release", "ms", 0.0f, 1000.0f, 0.02f, 1.0, 0.4 },
    { "Max Peak Level", "Threshold", "dB", -10.0f, 10.0f, 0.5f, 1.0, 1.0 },
    { "Input Gain", "Gain", "dB", 0.0f, 60.0f, 0.0f, 1.0, 0.5 },
} };

/** Whether an index names a parameter: one unsigned comparison, so that negative
    indices are refused too. */
constexpr bool isParameterIndex (int index) noexcept
{
    return (unsigned int) index < (unsigned int) numParameters;
}

/** Decibels to a linear factor, in single precision; -100 dB and below is silence. */
inline float decibelsToGain (float decibels) noexcept
{
    return decibels > -100.0f ? std::pow (10.0f, decibels * 0.05f) : 0.0f;
}
} // namespace ParameterTable
