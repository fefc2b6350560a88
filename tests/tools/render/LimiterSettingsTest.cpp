#include "tools/render/LimiterSettings.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

using quorvel::render::LimiterSettings;

TEST (LimiterSettingsTest, MapsToTheNormalisedValuesAHostSends)
{
    const auto nan = std::numeric_limits<double>::quiet_NaN();
    const struct
    {
        LimiterSettings settings;
        const char* problem; // the setting named, or nullptr when all are in range
        std::array<float, 4> normalised;
    } cases[] = {
        { {}, nullptr, { 0.025f, 0.02f, 0.5f, 0.0f } }, // the plug-in's own defaults
        { { 0.0, 0.0, -10.0, 0.0 }, nullptr, { 0.0f, 0.0f, 0.0f, 0.0f } },
        { { 40.0, 1000.0, 10.0, 60.0 }, nullptr, { 1.0f, 1.0f, 1.0f, 1.0f } },
        { { 10.0, 250.0, -5.0, 45.0 }, nullptr, { 0.25f, 0.25f, 0.25f, 0.75f } },
        { { 40.5, 20.0, 0.0, 0.0 }, "attack must be between 0 and 40 ms", {} },
        { { nan, 20.0, 0.0, 0.0 }, "attack must be between 0 and 40 ms", {} },
        { { 1.0, -1.0, 0.0, 0.0 }, "release must be between 0 and 1000 ms", {} },
        { { 1.0, 20.0, 10.5, 0.0 }, "max peak must be between -10 and +10 dB", {} },
        { { 1.0, 20.0, 0.0, 61.0 }, "input gain must be between 0 and 60 dB", {} },
        { { 1.0, 20.0, 0.0, nan }, "input gain must be between 0 and 60 dB", {} },
    };

    for (const auto& c : cases)
    {
        EXPECT_EQ (c.settings.findProblem().value_or ("none"), c.problem != nullptr ? c.problem : "none");

        if (c.problem == nullptr)
        {
            EXPECT_EQ (c.settings.toNormalised(), c.normalised);
        }
    }

    const LimiterSettings high { 40.0, 1000.0, 10.0, 60.0 };
    EXPECT_NEAR (high.maxPeakLinear(), 3.16227766, 1.0e-8);
    EXPECT_NEAR (high.inputGainLinear(), 1000.0, 1.0e-9);
}
