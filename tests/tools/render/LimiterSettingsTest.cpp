#include "tools/render/LimiterSettings.h"

#include <gtest/gtest.h>

#include <limits>

using quorvel::render::LimiterSettings;

TEST (LimiterSettingsTest, DefaultsAreThePlugInsOwnNormalisedValues)
{
    const LimiterSettings defaults;
    EXPECT_FALSE (defaults.findProblem().has_value());

    const auto values = defaults.toNormalised();
    EXPECT_FLOAT_EQ (values[0], 0.025f); // 1 ms
    EXPECT_FLOAT_EQ (values[1], 0.02f); // 20 ms
    EXPECT_FLOAT_EQ (values[2], 0.5f); // 0 dB
    EXPECT_FLOAT_EQ (values[3], 0.0f); // 0 dB
}

TEST (LimiterSettingsTest, RangeEndsMapToZeroAndOne)
{
    LimiterSettings low { 0.0, 0.0, -10.0, 0.0 };
    LimiterSettings high { 40.0, 1000.0, 10.0, 60.0 };
    EXPECT_FALSE (low.findProblem().has_value());
    EXPECT_FALSE (high.findProblem().has_value());

    for (auto value : low.toNormalised())
        EXPECT_EQ (value, 0.0f);

    for (auto value : high.toNormalised())
        EXPECT_EQ (value, 1.0f);

    EXPECT_NEAR (high.maxPeakLinear(), 3.16227766, 1.0e-8);
    EXPECT_NEAR (high.inputGainLinear(), 1000.0, 1.0e-9);
}

TEST (LimiterSettingsTest, SettingsOutsideTheirRangesAreNamed)
{
    const auto nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<LimiterSettings, const char*> cases[] = {
        { { 40.5, 20.0, 0.0, 0.0 }, "attack" },
        { { nan, 20.0, 0.0, 0.0 }, "attack" },
        { { 1.0, -1.0, 0.0, 0.0 }, "release" },
        { { 1.0, 20.0, 10.5, 0.0 }, "max peak" },
        { { 1.0, 20.0, 0.0, 61.0 }, "input gain" },
        { { 1.0, 20.0, 0.0, nan }, "input gain" },
    };

    for (const auto& [settings, name] : cases)
    {
        const auto problem = settings.findProblem();
        ASSERT_TRUE (problem.has_value()) << name;
        EXPECT_NE (problem->find (name), std::string::npos) << *problem;
    }
}
