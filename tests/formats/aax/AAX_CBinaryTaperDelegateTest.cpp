#include "formats/aax/AAX_CBinaryTaperDelegate.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

namespace
{
TEST (AAX_CBinaryTaperDelegate, AnyPositiveNormalisedValueIsOn)
{
    const AAX_CBinaryTaperDelegate<bool> taper;

    EXPECT_FALSE (taper.NormalizedToReal (0.0));
    EXPECT_FALSE (taper.NormalizedToReal (-0.0));
    EXPECT_FALSE (taper.NormalizedToReal (-0.5));
    EXPECT_FALSE (taper.NormalizedToReal (std::numeric_limits<double>::quiet_NaN()));
    EXPECT_TRUE (taper.NormalizedToReal (0.0001));
    EXPECT_TRUE (taper.NormalizedToReal (std::numeric_limits<double>::denorm_min()));
    EXPECT_TRUE (taper.NormalizedToReal (7.0));
}

TEST (AAX_CBinaryTaperDelegate, RangeAndReverseConversion)
{
    const AAX_CBinaryTaperDelegate<bool> taper;

    EXPECT_TRUE (taper.GetMaximumValue());
    EXPECT_FALSE (taper.GetMinimumValue());
    EXPECT_TRUE (taper.ConstrainRealValue (true));
    EXPECT_FALSE (taper.ConstrainRealValue (false));
    EXPECT_EQ (taper.RealToNormalized (true), 1.0);
    EXPECT_EQ (taper.RealToNormalized (false), 0.0);
}

TEST (AAX_CBinaryTaperDelegate, CloneBehavesAlike)
{
    const AAX_CBinaryTaperDelegate<bool> taper;
    std::unique_ptr<AAX_ITaperDelegate<bool>> copy (taper.Clone());

    ASSERT_NE (copy, nullptr);
    EXPECT_TRUE (copy->NormalizedToReal (0.3));
    EXPECT_EQ (copy->RealToNormalized (false), 0.0);
}
} // namespace
