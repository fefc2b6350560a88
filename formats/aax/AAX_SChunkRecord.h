#pragma once

#include <cstddef>
#include <cstdint>

/**
    A chunk as it crosses the host boundary: the memory block the host passes to
    the chunk operations of an effect. A 56-byte header in the machine's own
    byte order, then dataSize bytes of data.

    The host allocates the block: for writing, the header plus the size that the
    effect reported for the chunk; for reading, whatever it stored. The library
    never reads or writes past dataSize bytes of data, and reaches the data only
    through AAX_ChunkData, never by indexing the one-element array.
*/
struct AAX_SChunkRecord
{
    /** Number of data bytes that follow the header. */
    int32_t dataSize;

    /** Version of the chunk's contents; -1 when there is none. */
    int32_t version;

    /** The host's own fields: the library neither reads nor writes them. */
    uint32_t hostFields[3];

    /** Four-character code naming the chunk, filled by the host. */
    uint32_t chunkID;

    /** Human-readable name, zero-terminated, the rest zero. */
    char name[32];

    /** The first of dataSize data bytes. */
    uint8_t data[1];
};

inline constexpr size_t kAAX_ChunkHeaderSize = 56;
inline constexpr size_t kAAX_ChunkNameSize = 32;

static_assert (offsetof (AAX_SChunkRecord, dataSize) == 0, "hosts expect the data size first");
static_assert (offsetof (AAX_SChunkRecord, version) == 4, "hosts expect the version at 4");
static_assert (offsetof (AAX_SChunkRecord, chunkID) == 20, "hosts expect the chunk identifier at 20");
static_assert (offsetof (AAX_SChunkRecord, name) == 24, "hosts expect the name at 24");
static_assert (offsetof (AAX_SChunkRecord, data) == kAAX_ChunkHeaderSize, "hosts expect the data at 56");

/** The data bytes of a record (the header is never part of them). */
inline uint8_t* AAX_ChunkData (AAX_SChunkRecord* record)
{
    return reinterpret_cast<uint8_t*> (record) + kAAX_ChunkHeaderSize;
}

inline const uint8_t* AAX_ChunkData (const AAX_SChunkRecord* record)
{
    return reinterpret_cast<const uint8_t*> (record) + kAAX_ChunkHeaderSize;
}

/** A four-character code as a 32-bit value: the first character most significant. */
constexpr uint32_t AAX_FourCharCode (const char (&code)[5])
{
    return (static_cast<uint32_t> (static_cast<uint8_t> (code[0])) << 24)
           | (static_cast<uint32_t> (static_cast<uint8_t> (code[1])) << 16)
           | (static_cast<uint32_t> (static_cast<uint8_t> (code[2])) << 8)
           | static_cast<uint32_t> (static_cast<uint8_t> (code[3]));
}
