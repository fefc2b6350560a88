#pragma once

#include "formats/aax/AAX_SChunkRecord.h"

#include <cstdint>
#include <string>
#include <vector>

/**
    A chunk record the way a host allocates one: exactly the header and the
    room for the data, nothing more, so that AddressSanitizer reports any
    access past it. The host's own header fields hold a fixed pattern, and
    the data size field a value the library must overwrite when it writes.
*/
class HostChunkRecord
{
public:
    /** A record to be written, with room for dataCapacity data bytes. */
    HostChunkRecord (uint32_t chunkID, size_t dataCapacity);

    /** A stored record holding the given data, its size field saying exactly that many. */
    static HostChunkRecord holding (uint32_t chunkID, int32_t version, const std::vector<uint8_t>& data);

    AAX_SChunkRecord* get();
    const AAX_SChunkRecord* get() const;

    /** The data bytes as the size field gives them (bounded by the room there is). */
    std::vector<uint8_t> data() const;

    /** The name field up to its first zero, and whether the rest of it is zero. */
    std::string name() const;
    bool nameTailIsZero() const;

    /** Whether the host's own fields still hold their pattern. */
    bool hostFieldsUntouched() const;

    /** Claims another data size (for records that lie about their length). */
    void setDataSizeField (int32_t claimedSize);

    size_t dataCapacity() const { return storage.size() - kAAX_ChunkHeaderSize; }

    static constexpr uint32_t kHostFieldPattern = 0xA5A5A5A5u;
    static constexpr int32_t kUnwrittenDataSize = -7777;

private:
    std::vector<uint8_t> storage;
};
