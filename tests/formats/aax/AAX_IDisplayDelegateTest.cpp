#include "formats/aax/AAX_CBinaryDisplayDelegate.h"
#include "formats/aax/AAX_CNumberDisplayDelegate.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
using NumberDisplay = AAX_CNumberDisplayDelegate<float, 3u, 0u>;
using BinaryDisplay = AAX_CBinaryDisplayDelegate<bool>;

constexpr int32_t unlimited = 1000;

template <typename T>
std::string shown (const AAX_IDisplayDelegate<T>& display, T value, int32_t maxNumChars = unlimited)
{
    AAX_CString text ("previous text");
    EXPECT_TRUE (maxNumChars == unlimited ? display.ValueToString (value, &text) : display.ValueToString (value, maxNumChars, &text));
    return text.Get();
}

struct Shown
{
    float value;
    int32_t maxNumChars;
    const char* text;
};

class NumberDisplayTest : public ::testing::TestWithParam<Shown>
{
};

TEST_P (NumberDisplayTest, ThreeDecimalsCutToTheMaximumWithoutADanglingPoint)
{
    const std::unique_ptr<AAX_IDisplayDelegate<float>> display (NumberDisplay().Clone());
    EXPECT_EQ (shown (*display, GetParam().value, GetParam().maxNumChars), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P (Values,
                          NumberDisplayTest,
                          ::testing::Values (Shown { 0.5f, unlimited, "0.500" }, Shown { 0.025f, unlimited, "0.025" }, Shown { 12.5f, unlimited, "12.500" }, Shown { -0.5f, unlimited, "-0.500" }, Shown { 12.5f, 3, "12" }, Shown { 12.5f, 4, "12.5" }, Shown { 12.5f, 0, "" }, Shown { 12.5f, 6, "12.500" }, Shown { 12.5f, 10, "12.500" }, Shown { 0.025f, 4, "0.02" }, Shown { 0.025f, 2, "0" }, Shown { 0.025f, 1, "0" }, Shown { -0.5f, 2, "-0" }, Shown { 0.5f, -4, "" }));

TEST (NumberDisplay, ReadsTheLeadingNumberOrWritesZeroAndFails)
{
    const NumberDisplay display;
    float value = -1.0f;

    for (const auto& [text, expected] : { std::pair { "0.5", 0.5f }, { " 0.5 dB", 0.5f }, { "1e-1", 0.1f }, { "2.5", 2.5f } })
    {
        EXPECT_TRUE (display.StringToValue (AAX_CString (text), &value)) << text;
        EXPECT_EQ (value, expected) << text;
    }

    for (const char* text : { "", "abc", "dB 0.5" })
    {
        value = 7.0f;
        EXPECT_FALSE (display.StringToValue (AAX_CString (text), &value)) << text;
        EXPECT_EQ (value, 0.0f) << text;
    }

    EXPECT_FALSE (display.ValueToString (1.0f, 3, nullptr));
    EXPECT_FALSE (display.StringToValue (AAX_CString ("1"), nullptr));
}

TEST (BinaryDisplay, TheBypassShowsFalseAsBypassAndReadsOnlyItsExactTexts)
{
    const BinaryDisplay display ("bypass", "on");
    EXPECT_EQ (shown<bool> (display, false), "bypass");
    EXPECT_EQ (shown<bool> (display, true), "on");
    EXPECT_EQ (shown<bool> (display, false, 2), "bypass") << "no shortened texts: always the full text";
    EXPECT_EQ (shown<bool> (display, true, -3), "on");

    bool value = false;
    EXPECT_TRUE (display.StringToValue (AAX_CString ("on"), &value));
    EXPECT_TRUE (value);
    EXPECT_FALSE (display.StringToValue (AAX_CString ("on"), nullptr) || display.ValueToString (true, nullptr));

    for (const char* text : { "bypass", "x", "On", "Bypassed", "on " })
    {
        value = true;
        EXPECT_EQ (display.StringToValue (AAX_CString (text), &value), text == std::string ("bypass")) << text;
        EXPECT_FALSE (value) << text;
    }
}

TEST (BinaryDisplay, ShortenedPairsAreSearchedFromTheLastAddedAndCloned)
{
    auto display = std::make_unique<BinaryDisplay> ("bypassed", "active");
    display->AddShortenedStrings (2, "b", "a");
    display->AddShortenedStrings (4, "byp", "act");
    std::unique_ptr<AAX_IDisplayDelegate<bool>> copy (display->Clone());
    display->AddShortenedStrings (3, "no", "yes");
    display.reset();

    EXPECT_EQ (shown (*copy, false, 8), "bypassed");
    EXPECT_EQ (shown (*copy, false, 7), "byp");
    EXPECT_EQ (shown (*copy, true, 4), "act");
    EXPECT_EQ (shown (*copy, true, 3), "a");
    EXPECT_EQ (shown (*copy, false, 1), "b") << "nothing fits: the first pair";
    EXPECT_EQ (shown (*copy, true, -1), "a");

    BinaryDisplay reversed ("bypassed", "active");
    reversed.AddShortenedStrings (4, "byp", "act");
    reversed.AddShortenedStrings (2, "b", "a");
    EXPECT_EQ (shown<bool> (reversed, true, 7), "a");
    EXPECT_EQ (shown<bool> (reversed, true, 1), "act");
}
} // namespace
