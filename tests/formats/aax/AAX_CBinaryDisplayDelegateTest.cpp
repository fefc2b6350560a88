#include "formats/aax/AAX_CBinaryDisplayDelegate.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
using BinaryDisplay = AAX_CBinaryDisplayDelegate<bool>;

std::string shown (const AAX_IDisplayDelegate<bool>& display, bool value, int32_t maxNumChars)
{
    AAX_CString text ("previous text");
    EXPECT_TRUE (display.ValueToString (value, maxNumChars, &text));
    return text.Get();
}

TEST (AAX_CBinaryDisplayDelegate, BypassTextsShowFalseAsBypassAndTrueAsOn)
{
    const BinaryDisplay display ("bypass", "on");
    AAX_CString text;

    ASSERT_TRUE (display.ValueToString (false, &text));
    EXPECT_STREQ (text.Get(), "bypass");
    ASSERT_TRUE (display.ValueToString (true, &text));
    EXPECT_STREQ (text.Get(), "on");

    // Without shortened pairs every maximum gives the full text.
    EXPECT_EQ (shown (display, false, 2), "bypass");
    EXPECT_EQ (shown (display, true, 0), "on");
    EXPECT_EQ (shown (display, false, -3), "bypass");
}

TEST (AAX_CBinaryDisplayDelegate, ReadsOnlyTheExactTexts)
{
    const BinaryDisplay display ("bypass", "on");
    bool value = true;

    EXPECT_TRUE (display.StringToValue (AAX_CString ("on"), &value));
    EXPECT_TRUE (value);
    EXPECT_TRUE (display.StringToValue (AAX_CString ("bypass"), &value));
    EXPECT_FALSE (value);

    for (const char* text : { "x", "On", "Bypassed", "", "on " })
    {
        value = true;
        EXPECT_FALSE (display.StringToValue (AAX_CString (text), &value)) << text;
        EXPECT_FALSE (value) << text;
    }
}

TEST (AAX_CBinaryDisplayDelegate, ShortenedPairsAreSearchedFromTheLast)
{
    BinaryDisplay display ("bypassed", "active");
    display.AddShortenedStrings (2, "b", "a");
    display.AddShortenedStrings (4, "byp", "act");

    EXPECT_EQ (shown (display, false, 8), "bypassed");
    EXPECT_EQ (shown (display, true, 100), "active");
    EXPECT_EQ (shown (display, false, 7), "byp");
    EXPECT_EQ (shown (display, true, 4), "act");
    EXPECT_EQ (shown (display, true, 3), "a");
    EXPECT_EQ (shown (display, false, 2), "b");
    // Nothing fits: the first pair added.
    EXPECT_EQ (shown (display, false, 1), "b");
    EXPECT_EQ (shown (display, true, -1), "a");

    // The search starts at the last pair added, whatever its length.
    BinaryDisplay reversed ("bypassed", "active");
    reversed.AddShortenedStrings (4, "byp", "act");
    reversed.AddShortenedStrings (2, "b", "a");
    EXPECT_EQ (shown (reversed, true, 7), "a");
    EXPECT_EQ (shown (reversed, true, 1), "act");
}

TEST (AAX_CBinaryDisplayDelegate, CloneCopiesTextsAndPairsIndependently)
{
    auto original = std::make_unique<BinaryDisplay> ("off", "engaged");
    original->AddShortenedStrings (3, "0", "1");

    std::unique_ptr<AAX_IDisplayDelegate<bool>> copy (original->Clone());
    original->AddShortenedStrings (3, "no", "yes");
    original.reset();

    EXPECT_EQ (shown (*copy, true, 7), "engaged");
    EXPECT_EQ (shown (*copy, true, 5), "1");
    EXPECT_EQ (shown (*copy, false, 3), "0");

    bool value = false;
    EXPECT_TRUE (copy->StringToValue (AAX_CString ("engaged"), &value));
    EXPECT_TRUE (value);
}

TEST (AAX_CBinaryDisplayDelegate, NullTextsAreEmptyAndNullDestinationsRefused)
{
    const BinaryDisplay display (nullptr, "on");
    bool value = true;

    EXPECT_TRUE (display.StringToValue (AAX_CString (""), &value));
    EXPECT_FALSE (value);
    EXPECT_FALSE (display.ValueToString (true, nullptr));
    EXPECT_FALSE (display.StringToValue (AAX_CString ("on"), nullptr));
}
} // namespace
