#include "formats/aax/host/HostChunkRecord.h"

#include <cstring>

HostChunkRecord::HostChunkRecord (uint32_t chunkID, size_t dataCapacity)
    : storage (kAAX_ChunkHeaderSize + dataCapacity, 0xEE)
{
    auto* record = get();
    record->dataSize = kUnwrittenDataSize;
    record->version = 12345;

    for (auto& field : record->hostFields)
        field = kHostFieldPattern;

    record->chunkID = chunkID;
    std::memset (record->name, 'x', sizeof (record->name));
}

HostChunkRecord HostChunkRecord::holding (uint32_t chunkID, int32_t version, const std::vector<uint8_t>& data)
{
    HostChunkRecord record (chunkID, data.size());
    record.get()->dataSize = static_cast<int32_t> (data.size());
    record.get()->version = version;

    if (! data.empty())
        std::memcpy (AAX_ChunkData (record.get()), data.data(), data.size());

    return record;
}

AAX_SChunkRecord* HostChunkRecord::get()
{
    return reinterpret_cast<AAX_SChunkRecord*> (storage.data());
}

const AAX_SChunkRecord* HostChunkRecord::get() const
{
    return reinterpret_cast<const AAX_SChunkRecord*> (storage.data());
}

std::vector<uint8_t> HostChunkRecord::data() const
{
    const auto claimed = get()->dataSize;
    const auto size = claimed < 0 ? size_t { 0 } : static_cast<size_t> (claimed);
    const auto shown = size < dataCapacity() ? size : dataCapacity();
    const auto* first = AAX_ChunkData (get());
    return std::vector<uint8_t> (first, first + shown);
}

std::string HostChunkRecord::name() const
{
    const auto* field = get()->name;
    return std::string (field, strnlen (field, sizeof (get()->name)));
}

bool HostChunkRecord::nameTailIsZero() const
{
    const auto* field = get()->name;

    for (auto i = name().size(); i < sizeof (get()->name); ++i)
        if (field[i] != 0)
            return false;

    return true;
}

bool HostChunkRecord::hostFieldsUntouched() const
{
    for (const auto field : get()->hostFields)
        if (field != kHostFieldPattern)
            return false;

    return true;
}

void HostChunkRecord::setDataSizeField (int32_t claimedSize)
{
    get()->dataSize = claimedSize;
}
