#pragma once

// The processor's saved-state block, built independently of the plug-in's own code:
// the magic 0x21324356 and the length of the text, both little-endian, the text as
// given (bytes, so that damaged UTF-8 can be had too) and a terminating zero byte.

#include <juce_core/juce_core.h>

#include <string>

namespace quorvel::test
{
inline juce::MemoryBlock stateBlock (const std::string& xmlText)
{
    juce::MemoryOutputStream stream;
    stream.writeInt (0x21324356);
    stream.writeInt ((int) xmlText.size());
    stream.write (xmlText.data(), xmlText.size());
    stream.writeByte (0);
    return stream.getMemoryBlock();
}
} // namespace quorvel::test
