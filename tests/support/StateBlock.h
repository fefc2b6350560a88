#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace quorvel::test
{
/** A saved-state block around any text, built by hand as a host would hold it: the
    magic 56 43 32 21, the text's length little-endian, the text and a zero byte. */
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
} // namespace quorvel::test
