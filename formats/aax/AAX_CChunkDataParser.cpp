#include "formats/aax/AAX_CChunkDataParser.h"

#include "formats/aax/AAX_CHostServicesAccess.h"

#include <cstring>
#include <exception>
#include <limits>

namespace
{
constexpr int32_t kTracePriority = 0x08000000;
constexpr const char* kTraceFormat = "AAX_CChunkDataParser::GetChunkData ERROR: %s";
constexpr const char* kOverflowMessage = "aborting: chunk data will overflow buffer";
constexpr const char* kNameTooLongMessage = "aborting: entry name too long to read back";

constexpr uint64_t alignedUp (uint64_t offset)
{
    return (offset + 3u) & ~uint64_t { 3u };
}

char letterOf (int32_t type)
{
    switch (type)
    {
        case AAX_CChunkDataParser::kType_Float:
            return 'f';
        case AAX_CChunkDataParser::kType_Int32:
            return 'l';
        case AAX_CChunkDataParser::kType_Double:
            return 'd';
        case AAX_CChunkDataParser::kType_Int16:
            return 's';
        case AAX_CChunkDataParser::kType_String:
            return 'r';
        default:
            return '\0';
    }
}

/** Width of the value field, padding included (0 for an entry without a value). */
uint64_t valueFieldWidth (const AAX_CChunkDataParser::ChunkEntry& entry)
{
    switch (entry.type)
    {
        case AAX_CChunkDataParser::kType_Float:
        case AAX_CChunkDataParser::kType_Int32:
        case AAX_CChunkDataParser::kType_Int16:
            return 4;
        case AAX_CChunkDataParser::kType_Double:
            return 8;
        case AAX_CChunkDataParser::kType_String:
            return alignedUp (uint64_t { entry.text.Length() } + 1u);
        default:
            return 0;
    }
}

/** Width of the name field, padding included. */
uint64_t nameFieldWidth (const AAX_CChunkDataParser::ChunkEntry& entry)
{
    return alignedUp (uint64_t { entry.name.Length() } + 3u);
}

void writeBigEndian (uint8_t* destination, uint64_t value, int byteCount)
{
    for (int i = byteCount - 1; i >= 0; --i)
    {
        destination[i] = static_cast<uint8_t> (value & 0xFFu);
        value >>= 8;
    }
}

uint64_t readBigEndian (const uint8_t* source, int byteCount)
{
    uint64_t value = 0;

    for (int i = 0; i < byteCount; ++i)
        value = (value << 8) | source[i];

    return value;
}

/** The position of the first zero byte in [from, limit), or limit when there is none. */
uint64_t findZero (const uint8_t* data, uint64_t from, uint64_t limit)
{
    for (auto position = from; position < limit; ++position)
        if (data[position] == 0)
            return position;

    return limit;
}

void appendEntry (std::vector<AAX_CChunkDataParser::ChunkEntry>& list, const char* name, int32_t type, uint64_t value)
{
    AAX_CChunkDataParser::ChunkEntry entry;
    entry.type = type;
    entry.name = AAX_CString (name);
    entry.value = value;
    list.push_back (std::move (entry));
}
} // namespace

//==============================================================================
AAX_CChunkDataParser::AAX_CChunkDataParser() = default;

AAX_CChunkDataParser::~AAX_CChunkDataParser() = default;

void AAX_CChunkDataParser::Clear()
{
    entries.clear();
    lastFoundIndex = -1;
    chunkVersion = -1;
}

void AAX_CChunkDataParser::AddDouble (const char* name, double value)
{
    uint64_t bits = 0;
    std::memcpy (&bits, &value, sizeof (bits));
    appendEntry (entries, name, kType_Double, bits);
}

void AAX_CChunkDataParser::AddInt32 (const char* name, int32_t value)
{
    appendEntry (entries, name, kType_Int32, static_cast<uint32_t> (value));
}

void AAX_CChunkDataParser::AddString (const char* name, const AAX_CString& text)
{
    appendEntry (entries, name, kType_String, 0);
    entries.back().text = text;
}

//==============================================================================
int32_t AAX_CChunkDataParser::FindName (const AAX_CString& name)
{
    const auto count = static_cast<int32_t> (entries.size());

    if (lastFoundIndex >= count - 1)
        lastFoundIndex = -1;

    const auto matches = [this, &name] (int32_t index)
    { return std::strcmp (entries[static_cast<size_t> (index)].name.CString(), name.CString()) == 0; };

    for (auto index = lastFoundIndex + 1; index < count; ++index)
    {
        if (matches (index))
        {
            lastFoundIndex = index;
            return index;
        }
    }

    if (lastFoundIndex >= 0)
    {
        for (int32_t index = 0; index <= lastFoundIndex; ++index)
        {
            if (matches (index))
            {
                lastFoundIndex = index;
                return index;
            }
        }
    }

    return -1;
}

bool AAX_CChunkDataParser::FindDouble (const char* name, double* value)
{
    const auto index = FindName (AAX_CString (name));

    if (index < 0 || value == nullptr)
        return false;

    const auto& entry = entries[static_cast<size_t> (index)];

    if (entry.type != kType_Double)
        return false;

    std::memcpy (value, &entry.value, sizeof (double));
    return true;
}

bool AAX_CChunkDataParser::FindInt32 (const char* name, int32_t* value)
{
    const auto index = FindName (AAX_CString (name));

    if (index < 0 || value == nullptr)
        return false;

    const auto& entry = entries[static_cast<size_t> (index)];

    if (entry.type != kType_Int32)
        return false;

    *value = static_cast<int32_t> (static_cast<uint32_t> (entry.value));
    return true;
}

bool AAX_CChunkDataParser::FindString (const char* name, AAX_IString* receiver)
{
    const auto index = FindName (AAX_CString (name));

    if (index < 0 || receiver == nullptr)
        return false;

    const auto& entry = entries[static_cast<size_t> (index)];

    if (entry.type != kType_String)
        return false;

    receiver->Set (entry.text.CString());
    return true;
}

//==============================================================================
int32_t AAX_CChunkDataParser::GetChunkDataSize() const
{
    uint64_t size = sizeof (kMarker);

    // An entry of no known type has nothing a reader could recognise, so it is
    // neither counted nor written (it can only come from a loaded chunk).
    for (const auto& entry : entries)
        if (letterOf (entry.type) != '\0')
            size += nameFieldWidth (entry) + valueFieldWidth (entry);

    if (size > static_cast<uint64_t> (std::numeric_limits<int32_t>::max()))
        return -1;

    return static_cast<int32_t> (size);
}

AAX_Result AAX_CChunkDataParser::GetChunkData (AAX_SChunkRecord* record) const
{
    const char* failure = nullptr;

    try
    {
        if (record == nullptr)
            return kAAX_ErrorChunkWriteFailed;

        const auto dataSize = GetChunkDataSize();

        if (dataSize < 0)
        {
            failure = kOverflowMessage;
        }
        else
        {
            record->dataSize = dataSize;
            auto* data = AAX_ChunkData (record);
            const auto limit = static_cast<uint64_t> (dataSize);
            std::memset (data, 0, limit);
            std::memcpy (data, kMarker, sizeof (kMarker));
            uint64_t offset = sizeof (kMarker);

            for (const auto& entry : entries)
            {
                const auto letter = letterOf (entry.type);

                if (letter == '\0')
                    continue;

                // A name the reader would refuse would make the whole chunk unreadable.
                if (entry.name.Length() + 2u > kMaxNameFieldLength)
                {
                    failure = kNameTooLongMessage;
                    break;
                }

                // Both fields with their padding: the padding is written too.
                if (offset + nameFieldWidth (entry) + valueFieldWidth (entry) > limit)
                {
                    failure = kOverflowMessage;
                    break;
                }

                data[offset] = static_cast<uint8_t> (letter);
                data[offset + 1] = '_';
                std::memcpy (data + offset + 2, entry.name.CString(), entry.name.Length());
                offset += nameFieldWidth (entry);

                switch (entry.type)
                {
                    case kType_Float:
                    case kType_Int32:
                        writeBigEndian (data + offset, entry.value & 0xFFFFFFFFu, 4);
                        break;
                    case kType_Double:
                        writeBigEndian (data + offset, entry.value, 8);
                        break;
                    case kType_Int16:
                        writeBigEndian (data + offset, entry.value & 0xFFFFu, 2);
                        break;
                    case kType_String:
                        std::memcpy (data + offset, entry.text.CString(), entry.text.Length());
                        break;
                    default:
                        break;
                }

                offset += valueFieldWidth (entry);
            }
        }
    }
    catch (const std::exception& error)
    {
        AAX_CHostServicesAccess::Trace (kTracePriority, kTraceFormat, error.what());
        return kAAX_ErrorChunkWriteFailed;
    }
    catch (...)
    {
        return kAAX_ErrorChunkWriteFailed;
    }

    if (failure != nullptr)
    {
        AAX_CHostServicesAccess::Trace (kTracePriority, kTraceFormat, failure);
        return kAAX_ErrorChunkWriteFailed;
    }

    return kAAX_Success;
}

//==============================================================================
bool AAX_CChunkDataParser::LoadChunk (const AAX_SChunkRecord* record)
{
    Clear();

    if (record == nullptr)
        return false;

    chunkVersion = record->version;

    if (record->dataSize < static_cast<int32_t> (sizeof (kMarker)))
        return false;

    const auto* data = AAX_ChunkData (record);
    const auto size = static_cast<uint64_t> (record->dataSize);

    if (std::memcmp (data, kMarker, sizeof (kMarker)) != 0)
        return false;

    // The entries go to a list of their own and replace the working list only
    // when the whole record has been read: a damaged record restores nothing.
    std::vector<ChunkEntry> loaded;
    uint64_t offset = sizeof (kMarker);

    while (offset < size)
    {
        const auto searchLimit = offset + kMaxNameFieldLength + 1u < size ? offset + kMaxNameFieldLength + 1u : size;
        const auto nameEnd = findZero (data, offset, searchLimit);

        if (nameEnd == searchLimit)
            return false;

        const auto fieldLength = nameEnd - offset;
        const auto* field = reinterpret_cast<const char*> (data + offset);
        const auto letter = fieldLength > 0 ? field[0] : '\0';
        const char* name = fieldLength > 2 ? field + 2 : "";
        offset = alignedUp (nameEnd + 1u);

        // Each value must lie wholly inside the data; the padding after it may not.
        const auto fits = [offset, size] (uint64_t width)
        { return offset <= size && width <= size - offset; };

        switch (letter)
        {
            case 'f':
                if (! fits (4))
                    return false;
                appendEntry (loaded, name, kType_Float, readBigEndian (data + offset, 4));
                offset += 4;
                break;

            case 'l':
                if (! fits (4))
                    return false;
                appendEntry (loaded, name, kType_Int32, readBigEndian (data + offset, 4));
                offset += 4;
                break;

            case 'd':
                if (! fits (8))
                    return false;
                appendEntry (loaded, name, kType_Double, readBigEndian (data + offset, 8));
                offset += 8;
                break;

            case 's':
                if (! fits (4))
                    return false;
                appendEntry (loaded, name, kType_Int16, readBigEndian (data + offset, 2));
                offset += 4;
                break;

            case 'r':
            {
                if (offset >= size)
                    return false;

                const auto textEnd = findZero (data, offset, size);

                if (textEnd == size)
                    return false;

                appendEntry (loaded, name, kType_String, 0);
                loaded.back().text = AAX_CString (reinterpret_cast<const char*> (data + offset));
                offset = alignedUp (textEnd + 1u);
                break;
            }

            default:
                appendEntry (loaded, name, kType_None, 0);
                break;
        }
    }

    entries = std::move (loaded);
    return true;
}
