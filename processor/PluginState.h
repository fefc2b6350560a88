#pragma once

#include "processor/ParameterTable.h"

#include <juce_core/juce_core.h>

#include <array>
#include <optional>
#include <vector>

/** The plug-in's saved-state block, shared by every plug-in format.

    Layout, integers little-endian:
        0      4  magic 0x21324356 (bytes 56 43 32 21)
        4      4  length n of the XML text, without the terminator
        8      n  the XML text, UTF-8, one line, no declaration
        8 + n  1  a zero byte

    The XML is <Root> with the children Gain, Attack, Release, Threshold (the
    normalised values of parameters 3, 0, 1, 2, named by ParameterTable) and
    idxInputConfig (the channel-format index), in that order. A fresh
    processor's block is 141 bytes.

    The framework's copyXmlToBinary would add an XML declaration, so the block
    is written here. Blocks with one (as the framework writes them) are read
    too, by GuardedXmlReader: the framework's own parser is no safe reader of
    what a host hands in.
*/
namespace PluginState
{
constexpr std::uint32_t magic = 0x21324356;

/** Parameter index a restored element applies to; the channel-format index
    has no parameter and is marked with this value. */
constexpr int inputConfigEntry = -1;

struct Entry
{
    int parameterIndex = inputConfigEntry; // 0..3, or inputConfigEntry
    float value = 0.0f; // normalised parameter value: within 0..1, or not finite
    int inputConfig = 0; // for inputConfigEntry only
};

/** Replaces the contents of `destination` with the block for these values,
    `parameterValues` being indexed by parameter index. */
void write (const std::array<float, ParameterTable::numParameters>& parameterValues, int inputConfig, juce::MemoryBlock& destination);

/** The recognised children of a block's root element in document order, a
    repeated one as often as it occurs; nothing when the block is not one
    (too short, another magic, a length field below 1 or beyond the block's
    end, or text that GuardedXmlReader refuses: anything but a small
    well-formed document). Tags match in any ASCII case; an element's text is
    all the character data inside it, and a text without a leading number
    reads as 0. A finite parameter value outside 0..1 (ParameterTable's
    normalised range) reads as the nearer end of it, however near or far; one
    within, -0 included, is kept bit for bit; NaN and the infinities (a
    magnitude beyond the floats among them) are kept too, for the caller to
    skip. The reading is the same in every locale. */
std::optional<std::vector<Entry>> read (const void* data, int sizeInBytes);
} // namespace PluginState
