#include "processor/NumberText.h"
#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

using quorvel::test::bitsOf;
using quorvel::test::SignalRandom;

namespace
{
// A number as C's printf writes it: 'g' general, 'e' exponent, 'f' fixed.
juce::String printed (char style, int precision, double value)
{
    char text[512] = {};

    if (style == 'e')
        std::snprintf (text, sizeof (text), "%.*e", precision, value);
    else if (style == 'f')
        std::snprintf (text, sizeof (text), "%.*f", precision, value);
    else
        std::snprintf (text, sizeof (text), "%.*g", precision, value);

    return text;
}

float randomFloat (SignalRandom& random)
{
    // Every bit pattern of a finite float, so all exponents occur.
    for (;;)
    {
        const auto bits = (std::uint32_t) random.next();
        float value = 0.0f;
        std::memcpy (&value, &bits, sizeof (value));

        if (std::isfinite (value))
            return value;
    }
}

//==============================================================================
// Reading: the framework's parser is the oracle wherever its result is
// defined (exponents of a few digits); beyond that, the values are known.

TEST (NumberTextParseFloat, AgreesWithTheFrameworkOnOrdinaryTexts)
{
    SignalRandom random (1);
    const char styles[] = { 'g', 'e', 'f' };
    const char* before[] = { "", " ", "\t\n ", "+", "-", " -" };
    const char* after[] = { "", "x", " 12", "</Gain>", "e", "e+", "E-x", ".5", "," };

    for (int i = 0; i < 20000; ++i)
    {
        const double magnitude = std::pow (10.0, random.between (-12.0f, 12.0f));
        const int precision = random.integer (0, 12);
        const auto number = printed (styles[random.integer (0, 2)], precision, magnitude * random.unit());
        const auto text = juce::String (before[random.integer (0, 5)]) + number + after[random.integer (0, 8)];

        // The framework reads "-0" and "-0.00" as +0; both zeros compare equal.
        const float value = NumberText::parseFloat (text);
        ASSERT_TRUE (value == 0.0f ? text.getFloatValue() == 0.0f : bitsOf (value) == bitsOf (text.getFloatValue())) << text;
    }
}

TEST (NumberTextParseFloat, ReadsEdgeTextsSafely)
{
    const float infinity = std::numeric_limits<float>::infinity();
    const std::pair<const char*, float> cases[] = {
        { "", 0.0f },
        { "abc", 0.0f },
        { "-", 0.0f },
        { ".", 0.0f },
        { "e5", 0.0f },
        { "0x10", 0.0f },
        { "5e", 5.0f },
        { "5e+", 5.0f },
        { ".5", 0.5f },
        { "5.", 5.0f },
        { "  \t+2.5x", 2.5f },
        { "1.5e3", 1500.0f },
        { "1e39", infinity },
        { "-1e39", -infinity },
        { "3.40282347e+38", std::numeric_limits<float>::max() },
        { "1e-50", 0.0f },
        { "1e99999999999999999999", infinity },
        { "-1e99999999999999999999", -infinity },
        { "1e-99999999999999999999", 0.0f },
        { "0.000000000000000000000000000000000000000000001401298464324817", std::numeric_limits<float>::denorm_min() },
        { "-INF", -infinity },
        { "inf", infinity },
    };

    for (const auto& [text, expected] : cases)
        EXPECT_EQ (bitsOf (NumberText::parseFloat (text)), bitsOf (expected)) << text;

    EXPECT_TRUE (std::isnan (NumberText::parseFloat ("nan")));
    EXPECT_TRUE (std::isnan (NumberText::parseFloat (" -NaN(1)")));
    EXPECT_EQ (bitsOf (NumberText::parseFloat ("-0")), bitsOf (-0.0f));

    EXPECT_EQ (NumberText::parseFloat (juce::String::repeatedString ("9", 500)), infinity);
    EXPECT_EQ (NumberText::parseFloat ("0." + juce::String::repeatedString ("0", 500) + "1"), 0.0f);
    EXPECT_EQ (NumberText::parseFloat ("0." + juce::String::repeatedString ("0", 500) + "1e505"), 1.0e4f);
    EXPECT_EQ (NumberText::parseFloat (juce::String::repeatedString ("1", 60) + "e-59"), 10.0f / 9.0f);
}

// The C library's strtol is the oracle: the framework read the format index
// with atoi, which glibc computes as (int) strtol (text, nullptr, 10). Past the
// range of long strtol saturates, and the int keeps the low 32 bits of that.
TEST (NumberTextParseInteger, ReadsAsTheCLibraryDid)
{
    const std::pair<const char*, int> cases[] = {
        { "", 0 },
        { "x1", 0 },
        { "+", 0 },
        { "+-1", 0 },
        { "\xe3\x80\x80-5", 0 },
        { "+1", 1 },
        { " \t\n\v\f\r-12x", -12 },
        { "007", 7 },
        { "1.9", 1 },
        { "1e3", 1 },
        { "2147483647", 2147483647 },
        { "-2147483648", -2147483647 - 1 },
        { "2147483648", -2147483647 - 1 },
        { "4294967297", 1 },
        { "-4294967295", 1 },
        { "9223372036854775805", -3 },
        { "9223372036854775807", -1 },
        { "-9223372036854775808", 0 },
        { "9223372036854775808", -1 },
        { "-9223372036854775809", 0 },
        { "99999999999999999999", -1 },
        { "-99999999999999999999", 0 },
        { "18446744073709551617", -1 },
    };

    for (const auto& [text, expected] : cases)
    {
        EXPECT_EQ (NumberText::parseInteger (juce::String::fromUTF8 (text)), expected) << text;
        EXPECT_EQ ((int) std::strtol (text, nullptr, 10), expected) << text;
    }
}

//==============================================================================
// Writing: the shortest text that reads back exactly, and the framework's own
// text whenever six digits carry the value.

TEST (NumberTextFormatFloat, ReadsBackExactlyAndMatchesTheFrameworkWhereSixDigitsSuffice)
{
    SignalRandom random (2);

    for (int i = 0; i < 50000; ++i)
    {
        const float value = i % 2 == 0 ? randomFloat (random) : random.unit();
        const auto text = NumberText::formatFloat (value);
        ASSERT_EQ (bitsOf (NumberText::parseFloat (text)), bitsOf (value)) << text;

        int digits = 0;

        for (auto c : text)
        {
            if (c == 'e')
                break;

            if (c >= '0' && c <= '9' && (digits > 0 || c != '0'))
                ++digits;
        }

        const juce::String framework (value);
        ASSERT_EQ (NumberText::formatForDisplay (value), framework) << value; // the same digits as ever

        if (bitsOf (framework.getFloatValue()) == bitsOf (value))
            ASSERT_EQ (text, framework) << value;
        else
            ASSERT_GT (digits, 6) << value;

        // Shortest: one significant digit fewer would not read back.
        if (digits > 6)
        {
            const auto shorter = printed ('g', digits - 1, (double) value);
            ASSERT_NE (bitsOf (NumberText::parseFloat (shorter)), bitsOf (value)) << text;
        }
    }
}

TEST (NumberTextFormatFloat, WritesKnownValues)
{
    EXPECT_EQ (NumberText::formatFloat (0.025f), "0.025");
    EXPECT_EQ (NumberText::formatFloat (0.02f), "0.02");
    EXPECT_EQ (NumberText::formatFloat (0.5f), "0.5");
    EXPECT_EQ (NumberText::formatFloat (0.0f), "0");
    EXPECT_EQ (NumberText::formatFloat (-0.0f), "-0");
    EXPECT_EQ (NumberText::formatFloat (5.0e-5f), "5e-05");
    EXPECT_EQ (NumberText::formatFloat (0.1f), "0.1");
    EXPECT_EQ (NumberText::formatFloat (1.0f / 3.0f), "0.33333334");
    EXPECT_EQ (NumberText::formatFloat (16777216.0f), "16777216");
    EXPECT_EQ (NumberText::formatFloat (std::numeric_limits<float>::max()), "3.4028235e+38");
}

} // namespace
