#include "processor/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <locale>
#include <sstream>
#include <string>

namespace NumberText
{
namespace
{
    bool isSpace (char c) noexcept { return c == ' ' || (c >= 9 && c <= 13); }
    bool isDigit (char c) noexcept { return c >= '0' && c <= '9'; }

    bool startsWithIgnoringCase (const char* text, const char* end, const char* word) noexcept
    {
        for (; *word != 0; ++word, ++text)
            if (text == end || (*text | 0x20) != *word)
                return false;

        return true;
    }

    bool haveSameBits (float a, float b) noexcept
    {
        std::uint32_t bitsA = 0, bitsB = 0;
        std::memcpy (&bitsA, &a, sizeof (a));
        std::memcpy (&bitsB, &b, sizeof (b));
        return bitsA == bitsB;
    }

    // The framework's double-to-text conversion, with its stream in the classic
    // locale instead of the process's: `precision` counts significant digits in
    // the general format (no trailing zeros), digits after the point when fixed.
    juce::String formatInClassicLocale (double value, int precision, std::ios_base::fmtflags format)
    {
        std::ostringstream stream;
        stream.imbue (std::locale::classic());
        stream.setf (format, std::ios_base::floatfield);
        stream.precision (precision);
        stream << value;
        return juce::String (stream.str());
    }

    juce::String formatWithPrecision (float value, int significantDigits)
    {
        return formatInClassicLocale ((double) value, significantDigits, std::ios_base::fmtflags {});
    }
} // namespace

juce::String formatFloat (float value)
{
    for (int digits = 6; digits < 9; ++digits)
    {
        auto text = formatWithPrecision (value, digits);

        if (haveSameBits (parseFloat (text), value))
            return text;
    }

    // Nine significant digits identify every float.
    return formatWithPrecision (value, 9);
}

juce::String formatForDisplay (float value)
{
    return formatWithPrecision (value, 6);
}

juce::String formatWithDecimals (double value, int decimalPlaces)
{
    return formatInClassicLocale (value, decimalPlaces, std::ios_base::fixed);
}

float parseFloat (const juce::String& text)
{
    return readFloat (text).value_or (0.0f);
}

std::optional<float> readFloat (const juce::String& text)
{
    const std::string utf8 = text.toStdString();
    const char* position = utf8.c_str();
    const char* const end = position + utf8.size();

    while (position != end && isSpace (*position))
        ++position;

    bool negative = false;

    if (position != end && (*position == '-' || *position == '+'))
        negative = (*position++ == '-');

    if (startsWithIgnoringCase (position, end, "nan"))
        return std::numeric_limits<float>::quiet_NaN();

    if (startsWithIgnoringCase (position, end, "inf"))
        return negative ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();

    // The mantissa, and the decimal exponent of its first non-zero digit,
    // which decides between overflow and underflow when the value is out of range.
    const char* const numberStart = position;
    int digitCount = 0, significantIntegerDigits = 0, fractionLeadingZeros = 0;
    bool seenNonZero = false, seenPoint = false;

    for (; position != end; ++position)
    {
        if (isDigit (*position))
        {
            ++digitCount;

            if (! seenPoint && (seenNonZero || *position != '0'))
            {
                seenNonZero = true;
                significantIntegerDigits = std::min (significantIntegerDigits + 1, 100000);
            }
            else if (seenPoint && ! seenNonZero)
            {
                if (*position == '0')
                    fractionLeadingZeros = std::min (fractionLeadingZeros + 1, 100000);
                else
                    seenNonZero = true;
            }
        }
        else if (*position == '.' && ! seenPoint)
        {
            seenPoint = true;
        }
        else
        {
            break;
        }
    }

    if (digitCount == 0)
        return std::nullopt;

    int leadingExponent = significantIntegerDigits > 0 ? significantIntegerDigits - 1
                                                       : -(fractionLeadingZeros + 1);

    // An exponent counts only when digits follow its marker.
    if (position != end && (*position == 'e' || *position == 'E'))
    {
        const char* exponentPosition = position + 1;
        bool negativeExponent = false;

        if (exponentPosition != end && (*exponentPosition == '-' || *exponentPosition == '+'))
            negativeExponent = (*exponentPosition++ == '-');

        if (exponentPosition != end && isDigit (*exponentPosition))
        {
            int exponent = 0;

            for (; exponentPosition != end && isDigit (*exponentPosition); ++exponentPosition)
                exponent = std::min (exponent * 10 + (*exponentPosition - '0'), 100000);

            leadingExponent += negativeExponent ? -exponent : exponent;
            position = exponentPosition;
        }
    }

    float value = 0.0f;
    const auto result = std::from_chars (numberStart, position, value, std::chars_format::general);

    if (result.ec == std::errc::result_out_of_range)
        value = (seenNonZero && leadingExponent > 0) ? std::numeric_limits<float>::infinity() : 0.0f;
    else if (result.ec != std::errc())
        value = 0.0f;

    return negative ? -value : value;
}

int parseInteger (const juce::String& text)
{
    const std::string utf8 = text.toStdString();
    auto position = utf8.begin();

    while (position != utf8.end() && isSpace (*position))
        ++position;

    bool negative = false;

    if (position != utf8.end() && (*position == '-' || *position == '+'))
        negative = (*position++ == '-');

    // The magnitude stops at the nearer end of a long's range, where strtol
    // saturates; 2^63 is in range only below zero.
    const std::uint64_t limit = negative ? std::uint64_t { 1 } << 63 : (std::uint64_t { 1 } << 63) - 1;
    std::uint64_t magnitude = 0;

    for (; position != utf8.end() && isDigit (*position); ++position)
    {
        const auto digit = (std::uint64_t) (*position - '0');
        magnitude = magnitude <= (limit - digit) / 10 ? magnitude * 10 + digit : limit;
    }

    // The long's two's complement bits, cut to 32 as the conversion to int cut them,
    // read back as an int without a conversion whose result the language leaves open.
    const auto low = (std::uint32_t) (negative ? std::uint64_t { 0 } - magnitude : magnitude);
    constexpr std::uint32_t signBit = 0x80000000u;
    return low < signBit ? (int) low : (int) (low - signBit) + std::numeric_limits<int>::min();
}
} // namespace NumberText
