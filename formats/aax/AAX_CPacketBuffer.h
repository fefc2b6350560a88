#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

/**
    The bytes of one coefficient packet: a growable array, 8 zero bytes at
    creation. Bytes that become part of the array are zero.
*/
class AAX_CPacketBuffer
{
public:
    AAX_CPacketBuffer();

    /** Resizes to byteCount bytes (at least 1) and gives the first byte's address. */
    uint8_t* Resize (size_t byteCount);

    const uint8_t* Data() const { return bytes.data(); }
    size_t Size() const { return bytes.size(); }

private:
    std::vector<uint8_t> bytes;
};
