#include "formats/aax/AAX_CString.h"

#include <gtest/gtest.h>

#include <locale>
#include <string>

namespace
{
// Receives text through Set only, as a host string would.
class HostString final : public AAX_IString
{
public:
    uint32_t Length() const override { return static_cast<uint32_t> (text.size()); }
    uint32_t MaxLength() const override { return 16; }
    const char* Get() const override { return text.c_str(); }
    void Set (const char* newText) override { text = newText; }
    AAX_IString& operator= (const AAX_IString& other) override { return Set (other.Get()), *this; }
    AAX_IString& operator= (const char* newText) override { return Set (newText), *this; }

    std::string text = "untouched";
};

// What a standard stream reads, and whether it reads anything.
struct Reading
{
    const char* text;
    bool ok;
    double value;
};

class AAX_CStringToDoubleTest : public ::testing::TestWithParam<Reading>
{
};

TEST_P (AAX_CStringToDoubleTest, ReadsWhatAStandardStreamReads)
{
    double value = -1.0;
    EXPECT_EQ (AAX_CString (GetParam().text).ToDouble (&value), GetParam().ok);
    EXPECT_EQ (value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P (Texts,
                          AAX_CStringToDoubleTest,
                          ::testing::Values (Reading { "1.5", true, 1.5 }, Reading { "\t\n 7", true, 7.0 }, Reading { "2.5dB", true, 2.5 }, Reading { "-0.125", true, -0.125 }, Reading { "+3", true, 3.0 }, Reading { "1E-2x", true, 0.01 }, Reading { "12 34", true, 12.0 }, Reading { "0x10", true, 0.0 }, Reading { ".5", true, 0.5 }, Reading { "", false, 0.0 }, Reading { "abc", false, 0.0 }, Reading { ".", false, 0.0 }, Reading { "1e", false, 0.0 }, Reading { "nan", false, 0.0 }, Reading { "1e999", false, 0.0 }));
} // namespace

TEST (AAX_CString, TextsCopiesAndNullTexts)
{
    const AAX_CString fromNull (static_cast<const char*> (nullptr));
    EXPECT_STREQ (fromNull.Get(), "");
    EXPECT_EQ (fromNull.MaxLength(), 4294967294u);
    EXPECT_EQ (AAX_CString ("abc").Length(), 3u);

    HostString host;
    host.Set ("from host");
    AAX_CString copy (static_cast<const AAX_IString&> (host));
    AAX_CString assigned;
    assigned = copy;
    copy.Set ("changed");
    EXPECT_STREQ (assigned.Get(), "from host");

    AAX_IString& asInterface = assigned;
    asInterface = static_cast<const AAX_IString&> (copy);
    EXPECT_STREQ (assigned.CString(), "changed");
    asInterface = static_cast<const char*> (nullptr);
    EXPECT_STREQ (assigned.Get(), "");
}

TEST (AAX_CString, EraseAppendAndSubString)
{
    EXPECT_STREQ (AAX_CString ("12.3456").Erase (4, 3).Get(), "12.3");
    EXPECT_STREQ (AAX_CString ("12.3456").Erase (4, 10).Get(), "12.3");
    EXPECT_STREQ (AAX_CString ("12.3456").Erase (0, 0xFFFFFFFFu).Get(), "");
    EXPECT_STREQ (AAX_CString ("abc").Erase (10, 1).Get(), "abc");

    EXPECT_STREQ (AAX_CString ("x").AppendNumber (1.0, 3).Get(), "x1.000");
    EXPECT_STREQ (AAX_CString().AppendNumber (-0.25, 3).Get(), "-0.250");
    EXPECT_STREQ (AAX_CString().AppendNumber (1234567.0, 1).Get(), "1234567.0");
    EXPECT_STREQ (AAX_CString().AppendNumber (2.5, 0).Get(), "2");

    HostString receiver;
    AAX_CString ("Release").SubString (2, 3, &receiver);
    EXPECT_EQ (receiver.text, "lea");
    AAX_CString ("Release").SubString (0, 100, &receiver);
    EXPECT_EQ (receiver.text, "Release");
    AAX_CString ("Release").SubString (7, 3, &receiver);
    EXPECT_EQ (receiver.text, "");
    AAX_CString ("Release").SubString (0, 3, nullptr);
}

TEST (AAX_CString, ComparisonAndIndexStopAtTheText)
{
    EXPECT_TRUE (AAX_CString ("abc") == AAX_CString ("abc"));
    EXPECT_TRUE (AAX_CString ("abc") != AAX_CString ("abd"));
    EXPECT_TRUE (AAX_CString ("abc") != AAX_CString ("ab"));

    AAX_CString embedded ("abXdef");
    embedded[2] = '\0';
    EXPECT_TRUE (embedded == AAX_CString ("ab"));

    AAX_CString text ("cat");
    text[0] = 'b';
    text[3] = 'X';
    text[1000] = 'Y';
    EXPECT_STREQ (text.Get(), "bat");
    text.Clear();
    EXPECT_STREQ (text.Get(), "");
    EXPECT_FALSE (AAX_CString ("1").ToDouble (nullptr));
}

TEST (AAX_CString, NumbersIgnoreTheGlobalLocale)
{
    // A locale as a host might install it: decimal comma, grouped thousands.
    struct CommaDecimals : std::numpunct<char>
    {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };

    const auto previous = std::locale::global (std::locale (std::locale::classic(), new CommaDecimals));
    const AAX_CString text = AAX_CString().AppendNumber (1234.5, 2);
    double parsed = 0.0;
    const bool ok = AAX_CString ("2.75").ToDouble (&parsed);
    std::locale::global (previous);

    EXPECT_STREQ (text.Get(), "1234.50");
    EXPECT_TRUE (ok);
    EXPECT_EQ (parsed, 2.75);
}
