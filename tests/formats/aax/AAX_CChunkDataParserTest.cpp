#include "formats/aax/AAX_CChunkDataParser.h"

#include "formats/aax/AAXTestSupport.h"
#include "formats/aax/AAX_CHostServicesAccess.h"
#include "formats/aax/host/AAXHostTest.h"
#include "formats/aax/host/HostChunkRecord.h"

#include <gmock/gmock.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Parser = AAX_CChunkDataParser;

constexpr uint32_t controlsChunk = 0x656C636Bu;
const Bytes marker { 0x01, 0x01, 0x01, 0x01 };

Bytes concatenated (std::initializer_list<Bytes> parts)
{
    Bytes all;

    for (const auto& part : parts)
        all.insert (all.end(), part.begin(), part.end());

    return all;
}

/** Writes the parser's list into a record sized exactly as the parser asks. */
HostChunkRecord written (const Parser& parser)
{
    HostChunkRecord record (controlsChunk, static_cast<size_t> (parser.GetChunkDataSize()));
    EXPECT_EQ (parser.GetChunkData (record.get()), kAAX_Success);
    EXPECT_EQ (record.get()->dataSize, parser.GetChunkDataSize());
    return record;
}

/** A stored record holding the marker and the given entry bytes. */
HostChunkRecord stored (const Bytes& entries, int32_t version = 7)
{
    return HostChunkRecord::holding (controlsChunk, version, concatenated ({ marker, entries }));
}

/** Each entry as {type, name, value bits, text}. */
std::vector<std::tuple<int32_t, std::string, uint64_t, std::string>> summary (const Parser& parser)
{
    std::vector<std::tuple<int32_t, std::string, uint64_t, std::string>> entries;

    for (const auto& entry : parser.GetEntries())
        entries.emplace_back (entry.type, entry.name.CString(), entry.value, entry.text.CString());

    return entries;
}

//==============================================================================
struct Layout
{
    const char* what;
    std::function<void (Parser&)> fill;
    Bytes entries;
};

void PrintTo (const Layout& layout, std::ostream* stream) { *stream << layout.what; }

class AAX_CChunkDataParserLayoutTest : public ::testing::TestWithParam<Layout>
{
};

TEST_P (AAX_CChunkDataParserLayoutTest, WritesTheEntriesByteForByteAndReadsThemBack)
{
    Parser parser;
    GetParam().fill (parser);
    const auto record = written (parser);
    EXPECT_EQ (record.data(), concatenated ({ marker, GetParam().entries }));
    EXPECT_EQ (record.get()->version, 12345) << "the parser writes only size and data";
    EXPECT_TRUE (record.hostFieldsUntouched());

    Parser loaded;
    EXPECT_TRUE (loaded.LoadChunk (record.get()));
    EXPECT_EQ (summary (loaded), summary (parser));
    EXPECT_EQ (loaded.GetVersion(), 12345) << "the version comes from the record";
}

INSTANTIATE_TEST_SUITE_P (
    Entries,
    AAX_CChunkDataParserLayoutTest,
    ::testing::Values (Layout { "nothing", [] (Parser&) {}, {} },
                       Layout { "worked example", [] (Parser& parser)
                                {
                                    parser.AddDouble ("0", 0.5);
                                    parser.AddInt32 ("1", -2); },
                                { 0x64, 0x5F, 0x30, 0x00, 0x3F, 0xE0, 0, 0, 0, 0, 0, 0, 0x6C, 0x5F, 0x31, 0x00, 0xFF, 0xFF, 0xFF, 0xFE } },
                       Layout { "three-letter text", [] (Parser& parser)
                                { parser.AddString ("ab", AAX_CString ("xyz")); },
                                { 0x72, 0x5F, 0x61, 0x62, 0x00, 0, 0, 0, 0x78, 0x79, 0x7A, 0x00 } },
                       Layout { "four-letter text, then a double", [] (Parser& parser)
                                {
                                    parser.AddString ("ab", AAX_CString ("wxyz"));
                                    parser.AddDouble ("o", 1.0); },
                                { 0x72, 0x5F, 0x61, 0x62, 0x00, 0, 0, 0, 0x77, 0x78, 0x79, 0x7A, 0x00, 0, 0, 0, 0x64, 0x5F, 0x6F, 0x00, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0 } },
                       Layout { "empty name and text, extreme numbers", [] (Parser& parser)
                                {
                                    parser.AddString ("", AAX_CString (""));
                                    parser.AddInt32 ("m", std::numeric_limits<int32_t>::min());
                                    parser.AddDouble ("t", -std::numeric_limits<double>::denorm_min()); },
                                { 0x72, 0x5F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x6C, 0x5F, 0x6D, 0x00, 0x80, 0, 0, 0, 0x64, 0x5F, 0x74, 0x00, 0x80, 0, 0, 0, 0, 0, 0, 0x01 } }));

TEST (AAX_CChunkDataParserTest, WritingStaysInsideTheReportedSizeForEveryPadding)
{
    // The record has no byte to spare, so a write past it is an AddressSanitizer report.
    Parser parser;

    for (size_t length = 0; length < 8; ++length)
    {
        const std::string name (length, 'n');
        parser.AddString (name.c_str(), AAX_CString (std::string (length, 't').c_str()));
        parser.AddDouble (name.c_str(), 1.0);
        parser.AddInt32 (name.c_str(), 2);
    }

    Parser loaded;
    EXPECT_TRUE (loaded.LoadChunk (written (parser).get()));
    EXPECT_EQ (summary (loaded), summary (parser));
}

TEST (AAX_CChunkDataParserTest, ReadsAllFiveTypesAndUnknownLettersAsUntypedEntries)
{
    const Bytes shortInteger { 0x73, 0x5F, 0x64, 0x00, 0xFF, 0xFE, 0x00, 0x00 }; // s_d -2 as 16 bits
    const Bytes text { 0x72, 0x5F, 0x65, 0x00, 0x68, 0x69, 0x00, 0x00 }; // r_e "hi"
    const Bytes unknown { 0x78, 0x5F, 0x71, 0x00 }; // x_q: nothing to skip
    const Bytes integer { 0x6C, 0x5F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2A }; // l_ 42
    const Bytes floatToTheEnd { 0x66, 0x5F, 0x61, 0x00, 0x3F, 0x80, 0x00, 0x00 }; // f_a 1.0f, to the record's last byte
    Parser parser;
    EXPECT_TRUE (parser.LoadChunk (stored (concatenated ({ shortInteger, text, unknown, integer, floatToTheEnd })).get()));
    EXPECT_EQ (parser.GetVersion(), 7);
    EXPECT_THAT (summary (parser), ElementsAre (std::tuple { Parser::kType_Int16, "d", 0xFFFEu, "" }, std::tuple { Parser::kType_String, "e", 0u, "hi" }, std::tuple { Parser::kType_None, "q", 0u, "" }, std::tuple { Parser::kType_Int32, "", 42u, "" }, std::tuple { Parser::kType_Float, "a", 0x3F800000u, "" }));

    // Everything but the untyped entry is written back as it was read.
    EXPECT_EQ (written (parser).data(), concatenated ({ marker, shortInteger, text, integer, floatToTheEnd }));
}

TEST (AAX_CChunkDataParserTest, NameFieldsOfUpTo255BytesAreReadAndWritten)
{
    const std::string name (253, 'n'); // with letter and "_": 255 bytes, then the zero
    const auto entry = concatenated ({ { 0x6C, 0x5F }, Bytes (name.begin(), name.end()), { 0x00, 0x00, 0x00, 0x00, 0x03 } });

    Parser parser;
    EXPECT_TRUE (parser.LoadChunk (stored (entry).get()));
    EXPECT_THAT (summary (parser), ElementsAre (std::tuple { Parser::kType_Int32, name, 3u, "" }));
    EXPECT_EQ (written (parser).data(), concatenated ({ marker, entry }));
}

TEST (AAX_CChunkDataParserTest, RecordsWithoutTheMarkerOrEntriesLoadEmpty)
{
    Parser parser;
    parser.AddInt32 ("stale", 1);
    EXPECT_TRUE (parser.LoadChunk (stored ({}).get()));
    EXPECT_THAT (parser.GetEntries(), IsEmpty());

    auto wrongFirstByte = stored (Bytes (20, 0));
    AAX_ChunkData (wrongFirstByte.get())[0] = 0x00;
    parser.AddInt32 ("stale", 1);
    EXPECT_FALSE (parser.LoadChunk (wrongFirstByte.get()));
    EXPECT_THAT (parser.GetEntries(), IsEmpty());

    for (const int32_t shortSize : { -1, 0, 3, std::numeric_limits<int32_t>::min() })
    {
        auto shortRecord = stored ({ 0x6C, 0x5F, 0x62, 0x00, 0, 0, 0, 1 });
        shortRecord.setDataSizeField (shortSize);
        parser.AddInt32 ("stale", 1);
        EXPECT_FALSE (parser.LoadChunk (shortRecord.get())) << shortSize;
        EXPECT_THAT (parser.GetEntries(), IsEmpty()) << shortSize;
    }

    EXPECT_FALSE (parser.LoadChunk (nullptr));
}

//==============================================================================
// Damaged records: each holds a good entry first, then the damage. Nothing of
// it may load, and no byte outside the record may be read (the records are
// allocated to their exact size).
class AAX_CChunkDataParserDamageTest : public ::testing::TestWithParam<Bytes>
{
};

TEST_P (AAX_CChunkDataParserDamageTest, LoadsNothing)
{
    Parser parser;
    parser.AddInt32 ("stale", 1);
    EXPECT_FALSE (parser.LoadChunk (stored (concatenated ({ { 0x6C, 0x5F, 0x6B, 0x00, 0x00, 0x00, 0x00, 0x09 }, GetParam() })).get()));
    EXPECT_THAT (parser.GetEntries(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P (Malformed,
                          AAX_CChunkDataParserDamageTest,
                          ::testing::Values (Bytes { 0x64, 0x5F, 0x30, 0x00, 0x3F, 0xE0, 0x00 }, // double cut short
                                             Bytes { 0x64, 0x5F, 0x30, 0x00 }, // double missing
                                             Bytes { 0x6C, 0x5F, 0x30, 0x00, 0xFF, 0xFF }, // integer cut short
                                             Bytes { 0x66, 0x5F, 0x30, 0x00, 0x3F }, // float cut short
                                             Bytes { 0x73, 0x5F, 0x30, 0x00, 0x00, 0x01 }, // short integer without its padding
                                             Bytes { 0x64, 0x5F, 0x30, 0x31 }, // name runs to the end
                                             concatenated ({ { 0x6C, 0x5F }, Bytes (300, 0x41), { 0x00, 0, 0, 0, 0, 0, 0, 1 } }), // name without a zero in 255 bytes
                                             Bytes { 0x72, 0x5F, 0x30, 0x00, 0x61, 0x62, 0x63, 0x64 }, // text runs to the end
                                             Bytes { 0x72, 0x5F, 0x30, 0x00 }, // text missing
                                             Bytes { 0x6C, 0x5F, 0x30, 0x31, 0x32, 0x00 })); // name padding past the end

//==============================================================================
TEST (AAX_CChunkDataParserTest, LookupsNeedTheExactTypeAndSearchOnFromTheLastHit)
{
    const Bytes integerEntry { 0x6C, 0x5F, 0x6C, 0x00, 0x00, 0x00, 0x00, 0x08 }; // l_l 8, the first entry
    const Bytes doubleEntry { 0x64, 0x5F, 0x64, 0x00, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0 }; // d_d 1.0
    const Bytes floatEntry { 0x66, 0x5F, 0x66, 0x00, 0x3F, 0x80, 0x00, 0x00 }; // f_f 1.0f
    const Bytes shortEntry { 0x73, 0x5F, 0x73, 0x00, 0x00, 0x07, 0x00, 0x00 }; // s_s 7
    Parser parser;
    ASSERT_TRUE (parser.LoadChunk (stored (concatenated ({ integerEntry, doubleEntry, floatEntry, shortEntry })).get()));
    double number = -1.0;
    int32_t integer = -1;
    AAX_CString text ("untouched");
    EXPECT_TRUE (parser.FindInt32 ("l", &integer));
    EXPECT_TRUE (parser.FindDouble ("d", &number));
    EXPECT_FALSE (parser.FindInt32 ("d", &integer) || parser.FindString ("d", &text) || parser.FindDouble ("f", &number) || parser.FindInt32 ("f", &integer) || parser.FindInt32 ("s", &integer) || parser.FindDouble ("missing", &number));
    EXPECT_TRUE (number == 1.0 && integer == 8 && text == AAX_CString ("untouched"));

    parser.Clear();
    EXPECT_EQ (parser.GetVersion(), -1);
    EXPECT_EQ (parser.FindName (AAX_CString ("d")), -1);
    parser.AddString ("b", AAX_CString ("value"));
    parser.AddInt32 ("a", 1);
    parser.AddInt32 ("a", 3);
    parser.AddInt32 ("c", 4);
    EXPECT_FALSE (parser.FindInt32 ("a", nullptr));
    EXPECT_FALSE (parser.FindString ("b", nullptr));

    const std::vector<std::pair<const char*, int32_t>> searches { { "a", 1 }, { "a", 2 }, { "a", 1 }, { "c", 3 }, { "b", 0 }, { "b", 0 }, { "zz", -1 }, { "a", 1 } };

    for (const auto& [name, index] : searches)
        EXPECT_EQ (parser.FindName (AAX_CString (name)), index) << name;

    EXPECT_TRUE (parser.FindInt32 ("a", &integer));
    EXPECT_EQ (integer, 3) << "a repeated name is found at its next occurrence";
    EXPECT_TRUE (parser.FindString ("b", &text));
    EXPECT_STREQ (text.Get(), "value");
}

//==============================================================================
using AAX_CChunkDataParserTraceTest = AAXHostTest;

TEST_F (AAX_CChunkDataParserTraceTest, AFailedWriteIsTracedAndReported)
{
    AAX_CHostServicesAccess::Set (host.unknown());
    Parser parser;
    parser.AddInt32 ("fine", 1);
    parser.AddInt32 (std::string (254, 'n').c_str(), 2); // one more than the reader accepts

    HostChunkRecord record (controlsChunk, static_cast<size_t> (parser.GetChunkDataSize()));
    EXPECT_EQ (parser.GetChunkData (record.get()), -333);
    EXPECT_EQ (parser.GetChunkData (nullptr), -333);

    const auto traces = host.context().traces();
    ASSERT_EQ (traces.size(), 1u);
    EXPECT_EQ (traces[0].priority, 0x08000000);
    EXPECT_EQ (traces[0].text.rfind ("AAX_CChunkDataParser::GetChunkData ERROR: aborting: ", 0), 0u) << traces[0].text;

    // What was written before the failure stays.
    const auto data = record.data();
    EXPECT_EQ (Bytes (data.begin(), data.begin() + 12), concatenated ({ marker, { 0x6C, 0x5F, 0x66, 0x69, 0x6E, 0x65, 0x00, 0x00 } }));
    AAX_CHostServicesAccess::Set (nullptr);
}
} // namespace
