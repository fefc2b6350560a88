#pragma once

// The processor's saved-state block, built independently of the plug-in's own code:
// the magic 0x21324356 and the length of the text, both little-endian, the text as
// given (bytes, so that damaged UTF-8 can be had too) and a terminating zero byte.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace quorvel::test
{
/** The block as a host holds it; needs nothing of the framework, for the fuzzers. */
inline std::vector<uint8_t> stateBlockAround (const std::string& text)
{
    std::vector<uint8_t> block (8 + text.size() + 1, 0);
    const uint8_t header[] = { 0x56, 0x43, 0x32, 0x21 };
    std::memcpy (block.data(), header, sizeof (header));

    for (int byte = 0; byte < 4; ++byte)
        block[(size_t) (4 + byte)] = (uint8_t) (text.size() >> (8 * byte));

    std::memcpy (block.data() + 8, text.data(), text.size());
    return block;
}

/*  Two shapes of state text about `length` bytes long whose cost grows with the square
    of their length in a general XML reader (the framework's among them), each holding
    an input gain of 0.5: many distinct attribute names on the root, and one attribute
    value spelled in character references. */
inline std::string attributeNamesText (size_t length)
{
    std::string text = "<Root";
    for (int index = 0; text.size() + 40 < length; ++index)
        text += " a" + std::to_string (index) + "=''";
    return text + "><Gain>0.5</Gain></Root>";
}

inline std::string characterReferencesText (size_t length)
{
    std::string text = "<Root><Gain a='";
    while (text.size() + 40 < length)
        text += "&#48;";
    return text + "'>0.5</Gain></Root>";
}
} // namespace quorvel::test

#if __has_include(<juce_core/juce_core.h>)
    #include <juce_core/juce_core.h>

namespace quorvel::test
{
/** The same block as the framework's state calls take it. */
inline juce::MemoryBlock stateBlock (const std::string& xmlText)
{
    const auto block = stateBlockAround (xmlText);
    return juce::MemoryBlock (block.data(), block.size());
}
} // namespace quorvel::test
#endif
