#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace quorvel::test
{
/** Takes values off a fuzzer's input, zeros once it runs out. */
class FuzzReader
{
public:
    FuzzReader (const uint8_t* bytes, size_t count)
        : data (bytes)
        , size (count)
    {
    }

    bool empty() const { return position >= size; }

    template <typename Value>
    Value take()
    {
        Value value {};
        unsigned char raw[sizeof (Value)] {};

        for (auto& byte : raw)
            byte = position < size ? data[position++] : 0;

        std::memcpy (&value, raw, sizeof (Value));
        return value;
    }

    /** One of the values in the list, chosen by the next byte. */
    template <typename Value, size_t count>
    Value choose (const Value (&values)[count])
    {
        return values[take<uint8_t>() % count];
    }

    /** A chunk: a length byte, then that many bytes (or what is left). The length byte
        255 takes the whole rest of the input, so a chunk can be as long as an input may
        be: the damage that only shows in large blocks (a stack exhausted by deep
        nesting) lies far beyond what one byte can count. */
    std::vector<uint8_t> bytes()
    {
        constexpr uint8_t restOfInput = 255;
        const auto wanted = take<uint8_t>();
        const size_t available = position < size ? size - position : 0;
        const size_t length = wanted == restOfInput ? available : std::min<size_t> (wanted, available);
        std::vector<uint8_t> taken (data + position, data + position + length);
        position += length;
        return taken;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t position = 0;
};
} // namespace quorvel::test
