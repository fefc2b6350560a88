#include "tools/render/LimiterSettings.h"

#include <cmath>
#include <cstdio>

namespace quorvel::render
{
std::array<double, ParameterTable::numParameters> LimiterSettings::inUnits() const
{
    std::array<double, ParameterTable::numParameters> values {};
    values[ParameterTable::attackTime] = attackMs;
    values[ParameterTable::releaseTime] = releaseMs;
    values[ParameterTable::maxPeakLevel] = maxPeakDb;
    values[ParameterTable::inputGain] = inputGainDb;
    return values;
}

std::optional<std::string> LimiterSettings::findProblem() const
{
    const auto values = inUnits();

    for (size_t index = 0; index < values.size(); ++index)
    {
        const auto& parameter = ParameterTable::parameters[index];

        if (values[index] >= parameter.minimum && values[index] <= parameter.maximum)
            continue;

        // A range that reaches below 0 shows the sign of its upper end too: -10 and +10 dB.
        char text[128];
        std::snprintf (text, sizeof (text), parameter.minimum < 0.0f ? "%s must be between %g and %+g %s" : "%s must be between %g and %g %s", names[index], (double) parameter.minimum, (double) parameter.maximum, parameter.unit);
        return std::string (text);
    }

    return std::nullopt;
}

std::array<float, ParameterTable::numParameters> LimiterSettings::toNormalised() const
{
    const auto values = inUnits();
    std::array<float, ParameterTable::numParameters> normalised {};

    for (size_t index = 0; index < values.size(); ++index)
        normalised[index] = (float) ParameterTable::parameters[index].toNormalised (values[index]);

    return normalised;
}

double LimiterSettings::maxPeakLinear() const { return std::pow (10.0, maxPeakDb / 20.0); }

double LimiterSettings::inputGainLinear() const { return std::pow (10.0, inputGainDb / 20.0); }
} // namespace quorvel::render
