#include "formats/aax/AAX_CLinearTaperDelegate.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace
{
using LinearTaper = AAX_CLinearTaperDelegate<float, 0>;

constexpr auto notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr auto infinity = std::numeric_limits<double>::infinity();

struct Conversion
{
    float minimum, maximum;
    double normalized;
    float real;
};

class LinearTaperTest : public ::testing::TestWithParam<Conversion>
{
};

// Oracle: min + (max - min) * n worked out by hand, the result (not the input) held to the range.
TEST_P (LinearTaperTest, NormalizedToRealThroughAClone)
{
    const auto& [minimum, maximum, normalized, real] = GetParam();
    auto original = std::make_unique<LinearTaper> (minimum, maximum);
    std::unique_ptr<AAX_ITaperDelegate<float>> taper (original->Clone());
    original.reset();

    EXPECT_EQ (taper->NormalizedToReal (normalized), real);
    EXPECT_EQ (taper->GetMinimumValue(), minimum);
    EXPECT_EQ (taper->GetMaximumValue(), maximum);
}

INSTANTIATE_TEST_SUITE_P (Positions,
                          LinearTaperTest,
                          ::testing::Values (Conversion { 0.0f, 1.0f, 0.25, 0.25f }, Conversion { 0.0f, 1.0f, 1.7, 1.0f }, Conversion { 0.0f, 1.0f, -0.2, 0.0f }, Conversion { 0.0f, 10.0f, 0.5, 5.0f }, Conversion { -10.0f, 10.0f, 0.75, 5.0f }, Conversion { 0.0f, 1.0f, 1.0e300, 1.0f }, Conversion { 0.0f, 1.0f, -infinity, 0.0f }, Conversion { 0.25f, 0.75f, notANumber, 0.25f }));

TEST (LinearTaper, RealToNormalizedAndConstrain)
{
    const LinearTaper unit (0.0f, 1.0f);
    EXPECT_EQ (unit.RealToNormalized (2.0f), 1.0);
    EXPECT_EQ (unit.RealToNormalized (-3.0f), 0.0);
    EXPECT_EQ (LinearTaper (0.0f, 10.0f).RealToNormalized (2.5f), 0.25);
    EXPECT_EQ (LinearTaper (-10.0f, 10.0f).RealToNormalized (-5.0f), 0.25);

    const LinearTaper taper (-1.0f, 2.0f);
    EXPECT_EQ (taper.ConstrainRealValue (0.5f), 0.5f);
    EXPECT_EQ (taper.ConstrainRealValue (2.0f), 2.0f);
    EXPECT_EQ (taper.ConstrainRealValue (2.5f), 2.0f);
    EXPECT_EQ (taper.ConstrainRealValue (-1.0f), -1.0f);
    EXPECT_EQ (taper.ConstrainRealValue (-7.0f), -1.0f);
    EXPECT_EQ (taper.ConstrainRealValue (std::numeric_limits<float>::quiet_NaN()), -1.0f);
    EXPECT_EQ (LinearTaper (0.25f, 0.75f).RealToNormalized (std::numeric_limits<float>::quiet_NaN()), 0.0);

    // A position the taper produced maps back onto the same real value.
    for (int step = 0; step <= 1000; ++step)
    {
        const auto real = unit.NormalizedToReal (step / 1000.0);
        EXPECT_EQ (unit.NormalizedToReal (unit.RealToNormalized (real)), real) << step;
    }
}

} // namespace
