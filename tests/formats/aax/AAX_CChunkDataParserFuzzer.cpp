// Feeds arbitrary bytes to the controls-chunk reader as a host or a saved
// session might: the first four bytes are the record's version, the rest its
// data, in a record allocated to exactly that size. The reader must never
// leave the record; what it accepts must write back and read back unchanged;
// what it refuses must load as nothing. The same record then goes through an
// effect's restore and compare.

#include "formats/aax/AAXTestSupport.h"
#include "formats/aax/AAX_CChunkDataParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{
std::vector<uint8_t> recordHolding (const uint8_t* data, size_t size, int32_t version)
{
    std::vector<uint8_t> storage (kAAX_ChunkHeaderSize + size);
    auto* record = reinterpret_cast<AAX_SChunkRecord*> (storage.data());
    record->dataSize = static_cast<int32_t> (size);
    record->version = version;
    record->chunkID = AAX_CEffectParameters::kControlsChunkID;

    if (size > 0)
        std::memcpy (AAX_ChunkData (record), data, size);

    return storage;
}

bool sameEntry (const AAX_CChunkDataParser::ChunkEntry& a, const AAX_CChunkDataParser::ChunkEntry& b)
{
    return a.type == b.type && a.name == b.name && a.value == b.value && a.text == b.text;
}

void checkRoundTrip (const AAX_CChunkDataParser& loaded)
{
    const auto size = loaded.GetChunkDataSize();

    if (size < 4)
        std::abort();

    std::vector<uint8_t> storage (kAAX_ChunkHeaderSize + static_cast<size_t> (size));
    auto* record = reinterpret_cast<AAX_SChunkRecord*> (storage.data());

    if (loaded.GetChunkData (record) != kAAX_Success || record->dataSize != size)
        std::abort();

    AAX_CChunkDataParser reloaded;

    if (! reloaded.LoadChunk (record))
        std::abort();

    // Untyped entries carry nothing a reader could recognise and are not written.
    std::vector<const AAX_CChunkDataParser::ChunkEntry*> expected;

    for (const auto& entry : loaded.GetEntries())
        if (entry.type != AAX_CChunkDataParser::kType_None)
            expected.push_back (&entry);

    if (expected.size() != reloaded.GetEntries().size())
        std::abort();

    for (size_t i = 0; i < expected.size(); ++i)
        if (! sameEntry (*expected[i], reloaded.GetEntries()[i]))
            std::abort();
}

TestEffectParameters& effect()
{
    // One object for the whole run, held like a host holds it.
    static TestEffectParameters* instance = []
    {
        auto* made = new TestEffectParameters();
        made->AddRef();
        made->registerParameters();
        made->ExcludeParameterFromChunk (AAX_CEffectParameters::kMasterBypassID);
        return made;
    }();

    return *instance;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;

    int32_t version = -1;
    const auto headerBytes = size < sizeof (version) ? size : sizeof (version);
    if (headerBytes > 0)
        std::memcpy (&version, data, headerBytes);

    auto storage = recordHolding (data + headerBytes, size - headerBytes, version);
    const auto* record = reinterpret_cast<const AAX_SChunkRecord*> (storage.data());

    AAX_CChunkDataParser parser;

    if (parser.LoadChunk (record))
        checkRoundTrip (parser);
    else if (! parser.GetEntries().empty())
        std::abort();

    auto& fx = effect();
    fx.SetChunk (AAX_CEffectParameters::kControlsChunkID, record);

    AAX_CBoolean equal = 0;
    fx.CompareActiveChunk (record, &equal);

    uint32_t chunkSize = 0;

    if (fx.GetChunkSize (AAX_CEffectParameters::kControlsChunkID, &chunkSize) != kAAX_Success)
        std::abort();

    std::vector<uint8_t> written (kAAX_ChunkHeaderSize + chunkSize);
    auto* writtenRecord = reinterpret_cast<AAX_SChunkRecord*> (written.data());
    writtenRecord->chunkID = AAX_CEffectParameters::kControlsChunkID;

    if (fx.GetChunk (AAX_CEffectParameters::kControlsChunkID, writtenRecord) != kAAX_Success)
        std::abort();

    // Whatever was restored is what the effect now holds.
    if (fx.CompareActiveChunk (writtenRecord, &equal) != kAAX_Success || equal != 1)
        std::abort();

    return 0;
}
