#include "formats/aax/AAX_CChunkDataParser.h"

#include "formats/aax/AAX_CHostServicesAccess.h"
#include "formats/aax/host/AAXHostTest.h"
#include "formats/aax/host/HostChunkRecord.h"

#include <gmock/gmock.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace
{
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using Bytes = std::vector<uint8_t>;
using Parser = AAX_CChunkDataParser;

constexpr uint32_t controlsChunk = AAX_FourCharCode ("elck");

/** Writes the parser's list into a record sized exactly as the parser asks. */
HostChunkRecord written (const Parser& parser, AAX_Result expected = kAAX_Success)
{
    const auto size = parser.GetChunkDataSize();
    EXPECT_GE (size, 4);
    HostChunkRecord record (controlsChunk, static_cast<size_t> (size));
    EXPECT_EQ (parser.GetChunkData (record.get()), expected);
    return record;
}

Bytes concatenated (std::initializer_list<Bytes> parts)
{
    Bytes all;

    for (const auto& part : parts)
        all.insert (all.end(), part.begin(), part.end());

    return all;
}

const Bytes marker { 0x01, 0x01, 0x01, 0x01 };

/** A record holding the marker and the given entry bytes. */
HostChunkRecord stored (const Bytes& entries, int32_t version = 7)
{
    return HostChunkRecord::holding (controlsChunk, version, concatenated ({ marker, entries }));
}

struct Summary
{
    int32_t type;
    std::string name;
    uint64_t value;
    std::string text;

    bool operator== (const Summary& other) const
    {
        return type == other.type && name == other.name && value == other.value && text == other.text;
    }
};

std::ostream& operator<< (std::ostream& stream, const Summary& entry)
{
    return stream << "{" << entry.type << ", " << entry.name << ", " << entry.value << ", " << entry.text << "}";
}

std::vector<Summary> summary (const Parser& parser)
{
    std::vector<Summary> entries;

    for (const auto& entry : parser.GetEntries())
        entries.push_back ({ entry.type, entry.name.CString(), entry.value, entry.text.CString() });

    return entries;
}

uint64_t bitsOf (double value)
{
    uint64_t bits = 0;
    std::memcpy (&bits, &value, sizeof (bits));
    return bits;
}

uint64_t bitsOf (float value)
{
    uint32_t bits = 0;
    std::memcpy (&bits, &value, sizeof (bits));
    return bits;
}

//==============================================================================
TEST (AAX_CChunkDataParserTest, WorkedExampleByteForByte)
{
    Parser parser;
    parser.AddDouble ("0", 0.5);
    parser.AddInt32 ("1", -2);

    EXPECT_EQ (parser.GetChunkDataSize(), 24);
    auto record = written (parser);

    EXPECT_EQ (record.get()->dataSize, 24);
    EXPECT_EQ (record.get()->version, 12345) << "the parser writes only size and data";
    EXPECT_TRUE (record.hostFieldsUntouched());
    EXPECT_THAT (record.data(),
                 ElementsAreArray (Bytes { 0x01, 0x01, 0x01, 0x01, 0x64, 0x5F, 0x30, 0x00, 0x3F, 0xE0, 0, 0, 0, 0, 0, 0, 0x6C, 0x5F, 0x31, 0x00, 0xFF, 0xFF, 0xFF, 0xFE }));
}

TEST (AAX_CChunkDataParserTest, EmptyListIsTheMarkerAlone)
{
    Parser parser;
    EXPECT_EQ (parser.GetChunkDataSize(), 4);
    EXPECT_THAT (written (parser).data(), ElementsAreArray (marker));
}

TEST (AAX_CChunkDataParserTest, TextValuesArePaddedToFourBytes)
{
    Parser three;
    three.AddString ("ab", AAX_CString ("xyz"));
    EXPECT_EQ (three.GetChunkDataSize(), 4 + 8 + 4);
    EXPECT_THAT (written (three).data(), ElementsAreArray (concatenated ({ marker, { 0x72, 0x5F, 0x61, 0x62, 0x00, 0, 0, 0 }, { 0x78, 0x79, 0x7A, 0x00 } })));

    Parser four;
    four.AddString ("ab", AAX_CString ("wxyz"));
    EXPECT_EQ (four.GetChunkDataSize(), 4 + 8 + 8);
    EXPECT_THAT (written (four).data(), ElementsAreArray (concatenated ({ marker, { 0x72, 0x5F, 0x61, 0x62, 0x00, 0, 0, 0 }, { 0x77, 0x78, 0x79, 0x7A, 0x00, 0, 0, 0 } })));
}

TEST (AAX_CChunkDataParserTest, ValuesAreBigEndian)
{
    Parser parser;
    parser.AddInt32 ("n", -2);
    parser.AddDouble ("o", 1.0);

    EXPECT_THAT (written (parser).data(), ElementsAreArray (concatenated ({ marker, { 0x6C, 0x5F, 0x6E, 0x00 }, { 0xFF, 0xFF, 0xFF, 0xFE }, { 0x64, 0x5F, 0x6F, 0x00 }, { 0x3F, 0xF0, 0, 0, 0, 0, 0, 0 } })));
}

TEST (AAX_CChunkDataParserTest, WritingStaysInsideTheReportedSize)
{
    // Names and texts of every length modulo 4, so that every amount of
    // padding occurs; the record has no byte to spare, so a write past it is
    // an AddressSanitizer report.
    Parser parser;

    for (int length = 0; length < 8; ++length)
    {
        const std::string name (static_cast<size_t> (length), 'n');
        parser.AddString (name.c_str(), AAX_CString (std::string (static_cast<size_t> (length), 't').c_str()));
        parser.AddDouble (name.c_str(), length);
        parser.AddInt32 (name.c_str(), length);
    }

    auto record = written (parser);
    EXPECT_EQ (record.get()->dataSize, parser.GetChunkDataSize());
    EXPECT_EQ (record.data().size() % 4, 0u);
}

//==============================================================================
TEST (AAX_CChunkDataParserTest, WriteThenLoadGivesTheSameEntries)
{
    Parser source;
    source.AddDouble ("0", 0.25);
    source.AddString ("label", AAX_CString ("first text"));
    source.AddInt32 ("MasterBypassID", 1);
    source.AddString ("", AAX_CString (""));
    source.AddDouble ("tiny", -std::numeric_limits<double>::denorm_min());
    source.AddInt32 ("min", std::numeric_limits<int32_t>::min());
    source.AddString ("abc", AAX_CString ("wxyz"));
    source.AddDouble ("last", 1e300);

    auto record = written (source);
    Parser loaded;
    EXPECT_TRUE (loaded.LoadChunk (record.get()));

    EXPECT_EQ (summary (loaded), summary (source));
    EXPECT_EQ (loaded.GetVersion(), 12345) << "the version comes from the record";
}

TEST (AAX_CChunkDataParserTest, ReaderAcceptsAllFiveTypes)
{
    auto record = stored ({ 0x66, 0x5F, 0x61, 0x00, 0x3F, 0x80, 0x00, 0x00, // f_a 1.0f
                            0x6C,
                            0x5F,
                            0x62,
                            0x00,
                            0x80,
                            0x00,
                            0x00,
                            0x00, // l_b INT32_MIN
                            0x64,
                            0x5F,
                            0x63,
                            0x00,
                            0xBF,
                            0xF0,
                            0,
                            0,
                            0,
                            0,
                            0,
                            0, // d_c -1.0
                            0x73,
                            0x5F,
                            0x64,
                            0x00,
                            0xFF,
                            0xFE,
                            0x00,
                            0x00, // s_d -2 as 16 bits
                            0x72,
                            0x5F,
                            0x65,
                            0x00,
                            0x68,
                            0x69,
                            0x00,
                            0x00, // r_e "hi"
                            0x6C,
                            0x5F,
                            0x66,
                            0x00,
                            0x00,
                            0x00,
                            0x00,
                            0x2A }); // l_f 42: after a text

    Parser parser;
    EXPECT_TRUE (parser.LoadChunk (record.get()));
    EXPECT_EQ (parser.GetVersion(), 7);
    EXPECT_THAT (summary (parser),
                 ElementsAre (Summary { Parser::kType_Float, "a", bitsOf (1.0f), "" },
                              Summary { Parser::kType_Int32, "b", 0x80000000u, "" },
                              Summary { Parser::kType_Double, "c", bitsOf (-1.0), "" },
                              Summary { Parser::kType_Int16, "d", 0xFFFEu, "" },
                              Summary { Parser::kType_String, "e", 0, "hi" },
                              Summary { Parser::kType_Int32, "f", 42, "" }));
}

TEST (AAX_CChunkDataParserTest, UnknownLettersLoadAsUntypedEntries)
{
    // An unknown letter has no value to skip: the next entry follows its name.
    auto record = stored ({ 0x78, 0x5F, 0x71, 0x00, 0x6C, 0x5F, 0x62, 0x00, 0x00, 0x00, 0x00, 0x05 });

    Parser parser;
    EXPECT_TRUE (parser.LoadChunk (record.get()));
    EXPECT_THAT (summary (parser), ElementsAre (Summary { Parser::kType_None, "q", 0, "" }, Summary { Parser::kType_Int32, "b", 5, "" }));

    // Nothing a reader could recognise is written back.
    EXPECT_EQ (parser.GetChunkDataSize(), 12);
    EXPECT_THAT (written (parser).data(), ElementsAreArray (concatenated ({ marker, { 0x6C, 0x5F, 0x62, 0x00, 0x00, 0x00, 0x00, 0x05 } })));
}

TEST (AAX_CChunkDataParserTest, RecordsThatHoldNoEntriesLoadEmpty)
{
    Parser parser;
    parser.AddInt32 ("stale", 1);

    auto markerOnly = stored ({});
    EXPECT_TRUE (parser.LoadChunk (markerOnly.get()));
    EXPECT_THAT (parser.GetEntries(), IsEmpty());

    auto wrongFirstByte = stored (Bytes (20, 0));
    AAX_ChunkData (wrongFirstByte.get())[0] = 0x00;
    EXPECT_EQ (wrongFirstByte.get()->dataSize, 24);
    EXPECT_FALSE (parser.LoadChunk (wrongFirstByte.get()));
    EXPECT_THAT (parser.GetEntries(), IsEmpty());

    for (const int32_t shortSize : { -1, 0, 1, 3, std::numeric_limits<int32_t>::min() })
    {
        parser.AddInt32 ("stale", 1);
        auto shortRecord = stored ({ 0x6C, 0x5F, 0x62, 0x00, 0, 0, 0, 1 });
        shortRecord.setDataSizeField (shortSize);
        EXPECT_FALSE (parser.LoadChunk (shortRecord.get())) << shortSize;
        EXPECT_THAT (parser.GetEntries(), IsEmpty()) << shortSize;
    }

    EXPECT_FALSE (parser.LoadChunk (nullptr));
    EXPECT_THAT (parser.GetEntries(), IsEmpty());
}

//==============================================================================
// Damaged records: each holds a good entry first, then the damage. Nothing of
// it may load, and no byte outside the record may be read (the records are
// allocated to their exact size).

struct DamagedRecord
{
    const char* what;
    Bytes entries;
};

void PrintTo (const DamagedRecord& record, std::ostream* stream)
{
    *stream << record.what;
}

class AAX_CChunkDataParserDamageTest : public ::testing::TestWithParam<DamagedRecord>
{
};

const Bytes goodEntry { 0x6C, 0x5F, 0x6B, 0x00, 0x00, 0x00, 0x00, 0x09 }; // l_k 9

TEST_P (AAX_CChunkDataParserDamageTest, LoadsNothing)
{
    auto record = stored (concatenated ({ goodEntry, GetParam().entries }));

    Parser parser;
    parser.AddInt32 ("stale", 1);
    EXPECT_FALSE (parser.LoadChunk (record.get()));
    EXPECT_THAT (parser.GetEntries(), IsEmpty());

    int32_t value = 0;
    EXPECT_FALSE (parser.FindInt32 ("k", &value));
}

INSTANTIATE_TEST_SUITE_P (
    Malformed,
    AAX_CChunkDataParserDamageTest,
    ::testing::Values (DamagedRecord { "double cut short", { 0x64, 0x5F, 0x30, 0x00, 0x3F, 0xE0, 0x00 } },
                       DamagedRecord { "double missing", { 0x64, 0x5F, 0x30, 0x00 } },
                       DamagedRecord { "integer cut short", { 0x6C, 0x5F, 0x30, 0x00, 0xFF, 0xFF } },
                       DamagedRecord { "float cut short", { 0x66, 0x5F, 0x30, 0x00, 0x3F } },
                       DamagedRecord { "short integer without its padding", { 0x73, 0x5F, 0x30, 0x00, 0x00, 0x01 } },
                       DamagedRecord { "name runs to the end", { 0x64, 0x5F, 0x30, 0x31 } },
                       DamagedRecord { "name without terminator in 255 bytes", concatenated ({ { 0x6C, 0x5F }, Bytes (300, 0x41), { 0x00, 0, 0, 0, 0, 0, 0, 1 } }) },
                       DamagedRecord { "text runs to the end", { 0x72, 0x5F, 0x30, 0x00, 0x61, 0x62, 0x63, 0x64 } },
                       DamagedRecord { "text missing", { 0x72, 0x5F, 0x30, 0x00 } },
                       DamagedRecord { "name padding past the end", { 0x6C, 0x5F, 0x30, 0x31, 0x32, 0x00 } }),
    [] (const ::testing::TestParamInfo<DamagedRecord>& parameterInfo)
    {
        std::string name = parameterInfo.param.what;

        for (auto& c : name)
            if (c == ' ')
                c = '_';

        return name;
    });

TEST (AAX_CChunkDataParserTest, NameFieldsUpTo255BytesAreRead)
{
    const std::string name (253, 'n'); // with letter and "_": 255 bytes, then the zero
    Bytes entry { 0x6C, 0x5F };
    entry.insert (entry.end(), name.begin(), name.end());
    entry.push_back (0x00); // 256 bytes: no padding needed
    entry.insert (entry.end(), { 0x00, 0x00, 0x00, 0x03 });

    auto record = stored (entry);
    Parser parser;
    EXPECT_TRUE (parser.LoadChunk (record.get()));
    EXPECT_THAT (summary (parser), ElementsAre (Summary { Parser::kType_Int32, name, 3, "" }));

    // The same name is the longest the writer accepts; one more and it refuses.
    Parser writer;
    writer.AddInt32 (name.c_str(), 3);
    EXPECT_THAT (written (writer).data(), ElementsAreArray (concatenated ({ marker, entry })));
}

//==============================================================================
TEST (AAX_CChunkDataParserTest, LookupsNeedTheExactType)
{
    auto record = stored ({ 0x64, 0x5F, 0x64, 0x00, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0, // d_d 1.0
                            0x66,
                            0x5F,
                            0x66,
                            0x00,
                            0x3F,
                            0x80,
                            0x00,
                            0x00, // f_f 1.0f
                            0x73,
                            0x5F,
                            0x73,
                            0x00,
                            0x00,
                            0x07,
                            0x00,
                            0x00, // s_s 7
                            0x6C,
                            0x5F,
                            0x6C,
                            0x00,
                            0x00,
                            0x00,
                            0x00,
                            0x08 }); // l_l 8
    Parser parser;
    ASSERT_TRUE (parser.LoadChunk (record.get()));

    double number = -1.0;
    int32_t integer = -1;
    AAX_CString text ("untouched");

    EXPECT_TRUE (parser.FindDouble ("d", &number));
    EXPECT_EQ (number, 1.0);
    EXPECT_FALSE (parser.FindInt32 ("d", &integer));
    EXPECT_FALSE (parser.FindString ("d", &text));

    number = -1.0;
    EXPECT_FALSE (parser.FindDouble ("f", &number));
    EXPECT_FALSE (parser.FindInt32 ("f", &integer));
    EXPECT_FALSE (parser.FindInt32 ("s", &integer));
    EXPECT_EQ (number, -1.0);
    EXPECT_EQ (integer, -1);
    EXPECT_STREQ (text.Get(), "untouched");

    EXPECT_TRUE (parser.FindInt32 ("l", &integer));
    EXPECT_EQ (integer, 8);
    EXPECT_FALSE (parser.FindDouble ("missing", &number));
    EXPECT_FALSE (parser.FindInt32 ("l", nullptr));
}

TEST (AAX_CChunkDataParserTest, StringLookupGivesTheText)
{
    Parser parser;
    parser.AddString ("r", AAX_CString ("value"));

    AAX_CString text;
    EXPECT_TRUE (parser.FindString ("r", &text));
    EXPECT_STREQ (text.Get(), "value");
    EXPECT_FALSE (parser.FindString ("r", nullptr));
}

TEST (AAX_CChunkDataParserTest, NameSearchIsCircularFromTheLastHit)
{
    Parser parser;
    parser.AddInt32 ("a", 1);
    parser.AddInt32 ("b", 2);
    parser.AddInt32 ("a", 3);
    parser.AddInt32 ("c", 4);

    EXPECT_EQ (parser.FindName (AAX_CString ("a")), 0);
    EXPECT_EQ (parser.FindName (AAX_CString ("a")), 2) << "a repeated name is found at its next occurrence";
    EXPECT_EQ (parser.FindName (AAX_CString ("a")), 0);
    EXPECT_EQ (parser.FindName (AAX_CString ("c")), 3);
    EXPECT_EQ (parser.FindName (AAX_CString ("b")), 1) << "after a hit at the last entry the search starts again at the first";
    EXPECT_EQ (parser.FindName (AAX_CString ("zz")), -1);
    EXPECT_EQ (parser.FindName (AAX_CString ("a")), 2) << "a miss leaves the last hit where it was";

    int32_t value = 0;
    EXPECT_TRUE (parser.FindInt32 ("a", &value));
    EXPECT_EQ (value, 1);
}

TEST (AAX_CChunkDataParserTest, ClearForgetsEntriesAndVersion)
{
    auto record = stored ({ 0x6C, 0x5F, 0x62, 0x00, 0, 0, 0, 1 }, 99);
    Parser parser;
    ASSERT_TRUE (parser.LoadChunk (record.get()));
    EXPECT_EQ (parser.GetVersion(), 99);

    parser.Clear();
    EXPECT_THAT (parser.GetEntries(), IsEmpty());
    EXPECT_EQ (parser.GetVersion(), -1);
    EXPECT_EQ (parser.FindName (AAX_CString ("b")), -1);
}

//==============================================================================
using AAX_CChunkDataParserTraceTest = AAXHostTest;

TEST_F (AAX_CChunkDataParserTraceTest, AFailedWriteIsTracedAndReported)
{
    AAX_CHostServicesAccess::Set (host.unknown());

    Parser parser;
    parser.AddInt32 ("fine", 1);
    parser.AddInt32 (std::string (254, 'n').c_str(), 2);

    HostChunkRecord record (controlsChunk, static_cast<size_t> (parser.GetChunkDataSize()));
    EXPECT_EQ (parser.GetChunkData (record.get()), kAAX_ErrorChunkWriteFailed);
    EXPECT_EQ (parser.GetChunkData (nullptr), kAAX_ErrorChunkWriteFailed);

    const auto traces = host.context().traces();
    ASSERT_EQ (traces.size(), 1u);
    EXPECT_EQ (traces[0].priority, 0x08000000);
    EXPECT_EQ (traces[0].text.rfind ("AAX_CChunkDataParser::GetChunkData ERROR: aborting: ", 0), 0u) << traces[0].text;

    // What was written before the failure stays.
    const auto data = record.data();
    ASSERT_GE (data.size(), 12u);
    EXPECT_THAT (Bytes (data.begin(), data.begin() + 12), ElementsAreArray (concatenated ({ marker, { 0x6C, 0x5F, 0x66, 0x69, 0x6E, 0x65, 0x00, 0x00 } })));

    AAX_CHostServicesAccess::Set (nullptr);
}
} // namespace
