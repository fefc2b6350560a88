#include "tools/render/LimiterSettings.h"

#include <cmath>

namespace quorvel::render
{
namespace
{
    bool isWithin (double value, double low, double high) { return value >= low && value <= high; }
} // namespace

std::optional<std::string> LimiterSettings::findProblem() const
{
    if (! isWithin (attackMs, 0.0, 40.0))
        return "attack must be between 0 and 40 ms";

    if (! isWithin (releaseMs, 0.0, 1000.0))
        return "release must be between 0 and 1000 ms";

    if (! isWithin (maxPeakDb, -10.0, 10.0))
        return "max peak must be between -10 and +10 dB";

    if (! isWithin (inputGainDb, 0.0, 60.0))
        return "input gain must be between 0 and 60 dB";

    return std::nullopt;
}

std::array<float, 4> LimiterSettings::toNormalised() const
{
    return { (float) (attackMs / 40.0),
             (float) (releaseMs / 1000.0),
             (float) ((maxPeakDb + 10.0) / 20.0),
             (float) (inputGainDb / 60.0) };
}

double LimiterSettings::maxPeakLinear() const { return std::pow (10.0, maxPeakDb / 20.0); }

double LimiterSettings::inputGainLinear() const { return std::pow (10.0, inputGainDb / 20.0); }
} // namespace quorvel::render
