#pragma once

#include <juce_core/juce_core.h>

/** Number <-> text conversions for parameter texts and the saved state.

    The framework's own parsers overflow signed integers on long digit runs or
    huge exponents, which hostile session files can contain, so numbers read
    from outside go through these instead. They accept what the framework's
    parsers accept (leading white space, an optional sign, a leading number,
    anything after it ignored, no number at all reading as 0) and give the same
    value wherever the framework's result is defined.
*/
namespace NumberText
{
/** The shortest text, in the framework's general number format (up to six
        significant digits as the framework writes them, more only where six
        would not read back), that parseFloat turns back into exactly `value`.
        Values that six digits carry exactly print as juce::String (float) does. */
juce::String formatFloat (float value);

/** The leading number of `text` as a float, correctly rounded; "nan" and
        "inf" read as such, an out-of-range magnitude as infinity or zero. */
float parseFloat (const juce::String& text);

/** The leading decimal integer of `text`; digits beyond 32 bits wrap as
        the framework's parser wraps them, without overflowing. */
int parseInt (const juce::String& text);
} // namespace NumberText
