#include "formats/aax/AAX_CNumberDisplayDelegate.h"

#include "formats/aax/AAX_CString.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
using NumberDisplay = AAX_CNumberDisplayDelegate<float, 3u, 0u>;

std::string shown (float value)
{
    AAX_CString text ("previous text");
    EXPECT_TRUE (NumberDisplay().ValueToString (value, &text));
    return text.Get();
}

std::string shown (float value, int32_t maxNumChars)
{
    AAX_CString text ("previous text");
    EXPECT_TRUE (NumberDisplay().ValueToString (value, maxNumChars, &text));
    return text.Get();
}

TEST (AAX_CNumberDisplayDelegate, ShowsThreeDecimals)
{
    EXPECT_EQ (shown (0.5f), "0.500");
    EXPECT_EQ (shown (0.025f), "0.025");
    EXPECT_EQ (shown (1.0f), "1.000");
    EXPECT_EQ (shown (12.5f), "12.500");
    EXPECT_EQ (shown (-0.5f), "-0.500");
    EXPECT_EQ (shown (0.0f), "0.000");
}

TEST (AAX_CNumberDisplayDelegate, CutsToTheMaximumAndDropsADanglingPoint)
{
    EXPECT_EQ (shown (12.5f, 3), "12");
    EXPECT_EQ (shown (12.5f, 4), "12.5");
    EXPECT_EQ (shown (12.5f, 0), "");
    EXPECT_EQ (shown (12.5f, 10), "12.500");
    EXPECT_EQ (shown (12.5f, 6), "12.500");
    EXPECT_EQ (shown (0.025f, 4), "0.02");
    EXPECT_EQ (shown (0.025f, 3), "0.0");
    EXPECT_EQ (shown (0.025f, 2), "0");
    EXPECT_EQ (shown (0.025f, 1), "0");
    EXPECT_EQ (shown (-0.5f, 2), "-0");
    EXPECT_EQ (shown (0.5f, -4), "");
}

TEST (AAX_CNumberDisplayDelegate, ReadsTheLeadingNumber)
{
    const NumberDisplay display;
    float value = -1.0f;

    EXPECT_TRUE (display.StringToValue (AAX_CString ("0.5"), &value));
    EXPECT_EQ (value, 0.5f);
    EXPECT_TRUE (display.StringToValue (AAX_CString (" 0.5 dB"), &value));
    EXPECT_EQ (value, 0.5f);
    EXPECT_TRUE (display.StringToValue (AAX_CString ("1e-1"), &value));
    EXPECT_EQ (value, 0.1f);
    EXPECT_TRUE (display.StringToValue (AAX_CString ("2.5"), &value));
    EXPECT_EQ (value, 2.5f);
}

TEST (AAX_CNumberDisplayDelegate, UnreadableTextWritesZeroAndFails)
{
    const NumberDisplay display;

    for (const char* text : { "", "abc", "dB 0.5" })
    {
        float value = 7.0f;
        EXPECT_FALSE (display.StringToValue (AAX_CString (text), &value)) << text;
        EXPECT_EQ (value, 0.0f) << text;
    }
}

TEST (AAX_CNumberDisplayDelegate, NullDestinationsAreRefused)
{
    const NumberDisplay display;

    EXPECT_FALSE (display.ValueToString (1.0f, nullptr));
    EXPECT_FALSE (display.ValueToString (1.0f, 3, nullptr));
    EXPECT_FALSE (display.StringToValue (AAX_CString ("1"), nullptr));
}

TEST (AAX_CNumberDisplayDelegate, ShownTextReadsBackToTheRoundedValue)
{
    // Round trip against an independent rounding: the text of v read back
    // is v rounded to three decimals.
    const NumberDisplay display;

    for (int step = 0; step <= 400; ++step)
    {
        const auto real = static_cast<float> (step) * 0.0025f;
        AAX_CString text;
        ASSERT_TRUE (display.ValueToString (real, &text));

        float readBack = -1.0f;
        ASSERT_TRUE (display.StringToValue (text, &readBack));
        EXPECT_NEAR (readBack, real, 0.0005f + 1.0e-6f) << text.Get();
    }
}

TEST (AAX_CNumberDisplayDelegate, CloneConvertsAlike)
{
    std::unique_ptr<AAX_IDisplayDelegate<float>> copy (NumberDisplay().Clone());
    AAX_CString text;

    ASSERT_TRUE (copy->ValueToString (0.25f, &text));
    EXPECT_STREQ (text.Get(), "0.250");
}
} // namespace
