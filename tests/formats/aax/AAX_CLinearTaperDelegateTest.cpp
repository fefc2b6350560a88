#include "formats/aax/AAX_CLinearTaperDelegate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace
{
using LinearTaper = AAX_CLinearTaperDelegate<float, 0>;

constexpr auto notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr auto infinity = std::numeric_limits<double>::infinity();

TEST (AAX_CLinearTaperDelegate, UnitRangeClampsTheResultNotTheInput)
{
    const LinearTaper taper (0.0f, 1.0f);

    EXPECT_EQ (taper.GetMinimumValue(), 0.0f);
    EXPECT_EQ (taper.GetMaximumValue(), 1.0f);
    EXPECT_EQ (taper.NormalizedToReal (1.7), 1.0f);
    EXPECT_EQ (taper.NormalizedToReal (-0.2), 0.0f);
    EXPECT_EQ (taper.NormalizedToReal (0.25), 0.25f);
    EXPECT_EQ (taper.RealToNormalized (2.0f), 1.0);
    EXPECT_EQ (taper.RealToNormalized (-3.0f), 0.0);
}

TEST (AAX_CLinearTaperDelegate, WiderRangeScales)
{
    const LinearTaper taper (0.0f, 10.0f);

    EXPECT_EQ (taper.NormalizedToReal (0.5), 5.0f);
    EXPECT_EQ (taper.RealToNormalized (2.5f), 0.25);

    const LinearTaper offset (-10.0f, 10.0f);
    EXPECT_EQ (offset.NormalizedToReal (0.75), 5.0f);
    EXPECT_EQ (offset.RealToNormalized (-5.0f), 0.25);
}

TEST (AAX_CLinearTaperDelegate, RoundTripOfEveryRepresentablePositionIsStable)
{
    // Independent check: a position the taper produced maps back onto the
    // same real value, across the whole range.
    const LinearTaper taper (0.0f, 1.0f);

    for (int step = 0; step <= 1000; ++step)
    {
        const auto real = taper.NormalizedToReal (step / 1000.0);
        EXPECT_EQ (taper.NormalizedToReal (taper.RealToNormalized (real)), real) << step;
        EXPECT_NEAR (real, step / 1000.0, 1.0e-7) << step;
    }
}

TEST (AAX_CLinearTaperDelegate, ConstrainKeepsValuesInsideAndClampsOutside)
{
    const LinearTaper taper (-1.0f, 2.0f);

    EXPECT_EQ (taper.ConstrainRealValue (0.5f), 0.5f);
    EXPECT_EQ (taper.ConstrainRealValue (-1.0f), -1.0f);
    EXPECT_EQ (taper.ConstrainRealValue (2.0f), 2.0f);
    EXPECT_EQ (taper.ConstrainRealValue (2.5f), 2.0f);
    EXPECT_EQ (taper.ConstrainRealValue (-7.0f), -1.0f);
    EXPECT_EQ (taper.ConstrainRealValue (std::numeric_limits<float>::infinity()), 2.0f);
    EXPECT_EQ (taper.ConstrainRealValue (-std::numeric_limits<float>::infinity()), -1.0f);
}

TEST (AAX_CLinearTaperDelegate, NaNNeverLeavesTheTaper)
{
    const LinearTaper taper (0.25f, 0.75f);

    EXPECT_EQ (taper.ConstrainRealValue (std::numeric_limits<float>::quiet_NaN()), 0.25f);
    EXPECT_EQ (taper.NormalizedToReal (notANumber), 0.25f);
    EXPECT_EQ (taper.RealToNormalized (std::numeric_limits<float>::quiet_NaN()), 0.0);
}

TEST (AAX_CLinearTaperDelegate, HugeAndInfiniteInputsGiveTheEnds)
{
    const LinearTaper taper (0.0f, 1.0f);

    EXPECT_EQ (taper.NormalizedToReal (1.0e300), 1.0f);
    EXPECT_EQ (taper.NormalizedToReal (-1.0e300), 0.0f);
    EXPECT_EQ (taper.NormalizedToReal (infinity), 1.0f);
    EXPECT_EQ (taper.NormalizedToReal (-infinity), 0.0f);
}

TEST (AAX_CLinearTaperDelegate, CloneIsAnIndependentEqualCopy)
{
    auto original = std::make_unique<LinearTaper> (2.0f, 4.0f);
    std::unique_ptr<AAX_ITaperDelegate<float>> copy (original->Clone());
    original.reset();

    EXPECT_EQ (copy->GetMinimumValue(), 2.0f);
    EXPECT_EQ (copy->GetMaximumValue(), 4.0f);
    EXPECT_EQ (copy->NormalizedToReal (0.5), 3.0f);
}
} // namespace
