#pragma once

#include "formats/aax/AAX_CString.h"
#include "formats/aax/AAX_Results.h"
#include "formats/aax/AAX_SChunkRecord.h"

#include <cstdint>
#include <vector>

/**
    The controls chunk: a typed, named list of values that an effect writes into
    a chunk record and reads back from one.

    Data layout (every multi-byte value big-endian): the marker 01 01 01 01,
    then one entry after another, each starting at a multiple of 4. An entry is
    a name field (type letter, "_", the name, a zero byte, zero padding to a
    multiple of 4) followed by its value field: "f" a float's bits (4 bytes),
    "l" a 32-bit integer (4), "d" a double's bits (8), "s" a 16-bit integer and
    2 zero bytes (4), "r" a zero-terminated text padded to a multiple of 4.

    State:
    - last found index: where the next name lookup starts, -1 for none;
    - version: that of the last chunk loaded, -1 for none;
    - entries: the working list, in insertion or chunk order.

    Chunks come from hosts and saved sessions, so the reader trusts nothing in
    them: every read is bounded by the record's data size, and a record that is
    damaged anywhere loads as an empty list rather than as part of itself.
*/
class AAX_CChunkDataParser
{
public:
    enum EntryType : int32_t
    {
        kType_None = 0,
        kType_Float = 1,
        kType_Int32 = 2,
        kType_Double = 3,
        kType_Int16 = 4,
        kType_String = 5
    };

    struct ChunkEntry
    {
        int32_t type = kType_None;
        AAX_CString name;

        /** A double's bits, or in the low bytes a 32-bit integer, a float's bits or
            a 16-bit integer (zero-extended). */
        uint64_t value = 0;

        /** The text of a string entry. */
        AAX_CString text;
    };

    /** The marker that opens every controls chunk's data. */
    static constexpr uint8_t kMarker[4] = { 0x01, 0x01, 0x01, 0x01 };

    /** The longest name field (type letter, "_" and name) the reader accepts. */
    static constexpr uint32_t kMaxNameFieldLength = 255;

    AAX_CChunkDataParser();
    virtual ~AAX_CChunkDataParser();

    AAX_CChunkDataParser (const AAX_CChunkDataParser&) = delete;
    AAX_CChunkDataParser& operator= (const AAX_CChunkDataParser&) = delete;

    /** Empties the list; the last found index and the version go back to -1. */
    void Clear();

    /** Appends an entry; a name already present is not looked for. A null name is empty. */
    void AddDouble (const char* name, double value);
    void AddInt32 (const char* name, int32_t value);
    void AddString (const char* name, const AAX_CString& text);

    /**
        The index of an entry with that name, or -1. The search is circular and
        starts just after the previous hit, so lookups in list order cost one
        comparison each and a repeated name is found at its next occurrence.
    */
    int32_t FindName (const AAX_CString& name);

    /** True, with the value, when the entry found has exactly that type; out untouched otherwise. */
    bool FindDouble (const char* name, double* value);
    bool FindInt32 (const char* name, int32_t* value);

    /** True when the entry found is a string, after giving its text to receiver. */
    bool FindString (const char* name, AAX_IString* receiver);

    /** The size of the data that GetChunkData writes; -1 when it would not fit 32 bits. */
    int32_t GetChunkDataSize() const;

    /**
        Writes the data size and the data into the record, which must hold that
        many data bytes. 0 on success; on failure traces the reason to the host
        and returns -333, leaving what was written so far.
    */
    AAX_Result GetChunkData (AAX_SChunkRecord* record) const;

    /**
        Replaces the list with the record's entries and takes its version. An
        empty or damaged record (short, without the marker, or with an entry
        running past the data) leaves the list empty; returns whether the
        record was well formed.
    */
    bool LoadChunk (const AAX_SChunkRecord* record);

    const std::vector<ChunkEntry>& GetEntries() const { return entries; }
    int32_t GetVersion() const { return chunkVersion; }

private:
    int32_t lastFoundIndex = -1;
    int32_t chunkVersion = -1;
    std::vector<ChunkEntry> entries;
};
