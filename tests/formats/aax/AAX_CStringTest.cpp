#include "formats/aax/AAX_CString.h"

#include <gtest/gtest.h>

#include <locale>
#include <string>

namespace
{
// Receives text through Set only, as a host string would.
class RecordingString final : public AAX_IString
{
public:
    uint32_t Length() const override { return static_cast<uint32_t> (text.size()); }
    uint32_t MaxLength() const override { return 16; }
    const char* Get() const override { return text.c_str(); }
    void Set (const char* newText) override
    {
        text = newText;
        ++sets;
    }
    AAX_IString& operator= (const AAX_IString& other) override
    {
        Set (other.Get());
        return *this;
    }
    AAX_IString& operator= (const char* newText) override
    {
        Set (newText);
        return *this;
    }

    std::string text = "untouched";
    int sets = 0;
};

struct Parsed
{
    bool ok;
    double value;
};

Parsed parse (const char* text)
{
    Parsed result { true, -1.0 };
    result.ok = AAX_CString (text).ToDouble (&result.value);
    return result;
}
} // namespace

TEST (AAX_CString, ConstructionAndLength)
{
    EXPECT_EQ (AAX_CString().Length(), 0u);
    EXPECT_STREQ (AAX_CString().Get(), "");

    const AAX_CString fromNull (static_cast<const char*> (nullptr));
    EXPECT_EQ (fromNull.Length(), 0u);
    ASSERT_NE (fromNull.Get(), nullptr);
    EXPECT_STREQ (fromNull.Get(), "");

    const AAX_CString text ("abc");
    EXPECT_EQ (text.Length(), 3u);
    EXPECT_EQ (text.CString(), text.Get());

    RecordingString host;
    host.Set ("from host");
    const AAX_CString fromInterface (static_cast<const AAX_IString&> (host));
    EXPECT_STREQ (fromInterface.Get(), "from host");
}

TEST (AAX_CString, MaxLengthIsTheSameForEveryString)
{
    EXPECT_EQ (AAX_CString().MaxLength(), 4294967294u);
    EXPECT_EQ (AAX_CString ("something").MaxLength(), 4294967294u);
}

TEST (AAX_CString, CopiesAreIndependent)
{
    AAX_CString original ("first");
    AAX_CString copy (original);
    AAX_CString assigned;
    assigned = original;

    original.Set ("changed");
    EXPECT_STREQ (copy.Get(), "first");
    EXPECT_STREQ (assigned.Get(), "first");

    AAX_IString& asInterface = assigned;
    asInterface = static_cast<const AAX_IString&> (original);
    EXPECT_STREQ (assigned.Get(), "changed");

    asInterface = "text";
    EXPECT_STREQ (assigned.Get(), "text");
}

TEST (AAX_CString, NullTextsReadAsEmpty)
{
    AAX_CString text ("keep");
    text.Set (nullptr);
    EXPECT_STREQ (text.Get(), "");

    text = "again";
    static_cast<AAX_IString&> (text) = static_cast<const char*> (nullptr);
    EXPECT_STREQ (text.Get(), "");
}

TEST (AAX_CString, EraseRemovesNoMoreThanRemains)
{
    EXPECT_STREQ (AAX_CString ("12.3456").Erase (4, 3).Get(), "12.3");
    EXPECT_STREQ (AAX_CString ("12.3456").Erase (4, 10).Get(), "12.3");
    EXPECT_STREQ (AAX_CString ("12.3456").Erase (0, 0).Get(), "12.3456");
    EXPECT_STREQ (AAX_CString ("12.3456").Erase (7, 5).Get(), "12.3456");
    EXPECT_STREQ (AAX_CString ("12.3456").Erase (0, 0xFFFFFFFFu).Get(), "");

    // A position past the end removes nothing instead of throwing out of the library.
    EXPECT_STREQ (AAX_CString ("abc").Erase (10, 1).Get(), "abc");
}

TEST (AAX_CString, AppendNumberUsesFixedNotationInTheClassicLocale)
{
    EXPECT_STREQ (AAX_CString ("x").AppendNumber (1.0, 3).Get(), "x1.000");
    EXPECT_STREQ (AAX_CString().AppendNumber (0.5, 3).Get(), "0.500");
    EXPECT_STREQ (AAX_CString().AppendNumber (12, 3).Get(), "12.000");
    EXPECT_STREQ (AAX_CString().AppendNumber (-0.25, 3).Get(), "-0.250");
    EXPECT_STREQ (AAX_CString().AppendNumber (1234567.0, 1).Get(), "1234567.0");
    EXPECT_STREQ (AAX_CString().AppendNumber (2.5, 0).Get(), "2");
    EXPECT_STREQ (AAX_CString().AppendNumber (0.0005, 3).Get(), "0.001");
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

TEST (AAX_CString, ToDoubleReadsWhatAStandardStreamReads)
{
    const auto expectValue = [] (const char* text, double expected)
    {
        const auto result = parse (text);
        EXPECT_TRUE (result.ok) << '"' << text << '"';
        EXPECT_EQ (result.value, expected) << '"' << text << '"';
    };

    const auto expectFailure = [] (const char* text)
    {
        const auto result = parse (text);
        EXPECT_FALSE (result.ok) << '"' << text << '"';
        EXPECT_EQ (result.value, 0.0) << '"' << text << '"';
    };

    expectValue ("1.5", 1.5);
    expectValue (" 7", 7.0);
    expectValue ("\t\n 7", 7.0);
    expectValue ("2.5dB", 2.5);
    expectValue ("-0.125", -0.125);
    expectValue ("+3", 3.0);
    expectValue ("1e3", 1000.0);
    expectValue ("1E-2x", 0.01);
    expectValue ("12 34", 12.0);
    expectValue ("0x10", 0.0); // the stream stops at the x
    expectValue (".5", 0.5);
    expectValue ("5.", 5.0);

    expectFailure ("");
    expectFailure ("abc");
    expectFailure (".");
    expectFailure ("-");
    expectFailure ("  ");
    expectFailure ("1e"); // an exponent without digits spoils the whole number
    expectFailure ("inf"); // streams read no infinities ...
    expectFailure ("nan"); // ... and no NaNs
    expectFailure ("1e999"); // out of range is a failure, never an infinity
    expectFailure ("-1e999");
}

TEST (AAX_CString, ToDoubleWithoutOutPointerFails)
{
    EXPECT_FALSE (AAX_CString ("1.0").ToDouble (nullptr));
}

TEST (AAX_CString, SubStringHandsTheRangeToTheReceiversSet)
{
    const AAX_CString text ("Release");
    RecordingString receiver;

    text.SubString (0, 100, &receiver);
    EXPECT_EQ (receiver.text, "Release");

    text.SubString (2, 3, &receiver);
    EXPECT_EQ (receiver.text, "lea");

    text.SubString (7, 3, &receiver);
    EXPECT_EQ (receiver.text, "");

    text.SubString (20, 3, &receiver);
    EXPECT_EQ (receiver.text, "");
    EXPECT_EQ (receiver.sets, 4);

    text.SubString (0, 3, nullptr); // nothing to receive it: nothing happens
}

TEST (AAX_CString, ComparisonIsBytewiseUpToTheTerminator)
{
    EXPECT_TRUE (AAX_CString ("abc") == AAX_CString ("abc"));
    EXPECT_FALSE (AAX_CString ("abc") != AAX_CString ("abc"));
    EXPECT_TRUE (AAX_CString ("abc") != AAX_CString ("abd"));
    EXPECT_TRUE (AAX_CString ("abc") != AAX_CString ("ab"));
    EXPECT_TRUE (AAX_CString ("") == AAX_CString (static_cast<const char*> (nullptr)));

    AAX_CString embedded ("abXdef");
    embedded[2] = '\0';
    EXPECT_TRUE (embedded == AAX_CString ("ab"));
}

TEST (AAX_CString, IndexGivesWritableBytesAndNeverWritesOutside)
{
    AAX_CString text ("cat");
    text[0] = 'b';
    EXPECT_STREQ (text.Get(), "bat");

    text[3] = 'X';
    text[1000] = 'Y';
    EXPECT_STREQ (text.Get(), "bat");
    EXPECT_EQ (text.Length(), 3u);
}

TEST (AAX_CString, ClearEmptiesTheText)
{
    AAX_CString text ("full");
    text.Clear();
    EXPECT_EQ (text.Length(), 0u);
    EXPECT_STREQ (text.Get(), "");
}
