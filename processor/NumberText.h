#pragma once

#include <juce_core/juce_core.h>

#include <optional>

/** Float <-> text conversions for parameter texts and the saved state.

    Every text written here has a point and no grouping, whatever locale a host
    set for the process: hosts hand the texts they show back to be read, and a
    saved state moves between machines. The framework's own conversion writes
    through the process's locale, and a German or Turkish one gives "0,5".

    The framework's float parser overflows a signed integer on a long run of
    exponent digits, which a hostile session file can contain, and rounds
    twice (to double, then to float), so float texts from outside are read
    here instead. parseFloat accepts what the framework accepts (leading white
    space, an optional sign, a leading number, anything after it ignored, no
    number at all reading as 0) and gives the same value wherever the
    framework's result is defined, except that "-0" keeps its sign.
*/
namespace NumberText
{
/** The shortest text in the framework's general number format that parseFloat
    turns back into exactly `value`: six significant digits where they suffice
    (then it is the text juce::String (float) gives), else seven, eight or nine. */
juce::String formatFloat (float value);

/** The text a host or the editor shows for a parameter's value: the digits
    juce::String (float) gives in the C locale (six significant, general format,
    no trailing zeros: "0.025", "0.5", "0", "5e-05"), so that parseFloat reads
    back the value shown. */
juce::String formatForDisplay (float value);

/** `value` with `decimalPlaces` digits after the point, as juce::String (double,
    decimalPlaces) gives it in the C locale for one place or more. */
juce::String formatWithDecimals (double value, int decimalPlaces);

/** The leading number of `text` as a float, correctly rounded; "nan" and
    "inf" read as such, an out-of-range magnitude as infinity or zero. */
float parseFloat (const juce::String& text);

/** The same, but nothing for a text that holds no leading number at all, so
    that a caller can refuse it instead of reading it as 0. */
std::optional<float> readFloat (const juce::String& text);

/** The leading integer of `text` exactly as the framework's getIntValue read
    the saved format index before, so that every state saved then restores the
    same format. That was the C library's atoi, which glibc computes as
    (int) strtol (text, nullptr, 10); here it is read as in the C locale,
    whatever locale the process has: white space (space, \t \n \v \f \r) is
    skipped, then an optional '+' or '-' and decimal digits are read, and
    anything after them is ignored; no digits read as 0. A value beyond the
    range of a 64-bit long saturates at the nearer end of that range, and the
    result is the low 32 bits of the 64-bit value in two's complement: "+1"
    reads 1, "4294967297" reads 1, "99999999999999999999" reads -1 and
    "-99999999999999999999" reads 0. */
int parseInteger (const juce::String& text);
} // namespace NumberText
