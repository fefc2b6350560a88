// The saved state, written and restored through the processor as every format's
// wrapper does it. Blocks are built independently (support/StateBlock.h).

#include "processor/GuardedXmlReader.h"
#include "processor/KestruneAudioProcessor.h"
#include "processor/NumberText.h"
#include "support/HostLocale.h"
#include "support/StateBlock.h"
#include "support/TestSignals.h"

#include "ProcessorTestSupport.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

using namespace quorvel::test;

namespace
{
const std::string freshText = "<Root><Gain>0</Gain><Attack>0.025</Attack><Release>0.02</Release>"
                              "<Threshold>0.5</Threshold><idxInputConfig>0</idxInputConfig></Root>";

// Elements nested `depth` deep, the deepest holding an input gain.
std::string nested (int depth)
{
    std::string open, close;

    for (int i = 0; i < depth; ++i)
    {
        open += "<a>";
        close += "</a>";
    }

    return open + "<Gain>0.5</Gain>" + close;
}

void restore (KestruneAudioProcessor& processor, const juce::MemoryBlock& block)
{
    processor.setStateInformation (block.getData(), (int) block.getSize());
}

juce::MemoryBlock saved (KestruneAudioProcessor& processor)
{
    juce::MemoryBlock block;
    block.append ("junk that must go", 17);
    processor.getStateInformation (block);
    return block;
}

class PluginStateTest : public ::testing::Test
{
protected:
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
};

void setUnusualValues (KestruneAudioProcessor& processor)
{
    // The shortest text that reads back exactly: six digits where they do.
    const float values[] = { 1.0f, 1.0f / 3.0f, 5.0e-5f, -2.5f };

    for (int index = 0; index < 4; ++index)
        processor.setParameter (index, values[index]);

    processor.idxInputConfig = -1;
}

const std::string unusualText = "<Root><Gain>-2.5</Gain><Attack>1</Attack><Release>0.33333334</Release>"
                                "<Threshold>5e-05</Threshold><idxInputConfig>-1</idxInputConfig></Root>";

TEST_F (PluginStateTest, IsWrittenByteForByte)
{
    KestruneAudioProcessor processor;
    const auto fresh = saved (processor);
    EXPECT_EQ (fresh.getSize(), 141u);
    EXPECT_EQ (fresh, stateBlock (freshText));
    setUnusualValues (processor);
    EXPECT_EQ (saved (processor), stateBlock (unusualText));
}

// The processor's values after a restore: the four parameters by index, the
// channel-format index, and + when the editor-refresh flag was set.
juce::String restoredFrom (const juce::MemoryBlock& block)
{
    KestruneAudioProcessor processor;

    for (int index = 0; index < 4; ++index)
        processor.setParameter (index, 0.7f);

    processor.idxInputConfig = 1;
    processor.parametersChanged = false;
    restore (processor, block);

    juce::StringArray values;

    for (int index = 0; index < 4; ++index)
        values.add (NumberText::formatFloat (processor.getParameter (index))); // the same in every locale

    values.add (juce::String (processor.idxInputConfig.load()));
    values.add (processor.parametersChanged.load() ? "+" : "-");
    return values.joinIntoString (" ");
}

TEST_F (PluginStateTest, RestoresWhatItRecognisesInDocumentOrder)
{
    std::string wide = "<Root>";

    for (int i = 0; i < 5000; ++i)
        wide += "<x0/><y></y>";

    const std::pair<std::string, const char*> cases[] = {
        { freshText, "0.025 0.02 0.5 0 0 +" },
        { "<root><gain>0.5</gain></root>", "0.7 0.7 0.7 0.5 1 +" },
        { "<Root><Attack>0.5</Attack><ATTACK>0.25</ATTACK><Attack>2</Attack><Other>7</Other></Root>", "1 0.7 0.7 0.7 1 +" },
        { "<any a=\"1\"><THRESHOLD>0.75</THRESHOLD><gain x=\"9\"> 0.5 </gain><Unknown>3</Unknown>text"
          "<Gain>0.25<b/>7</Gain><IDXINPUTCONFIG>1</IDXINPUTCONFIG><Attack/></any>",
          "0 0.7 0.75 0.257 1 +" },
        { "<Root><Gain>abc</Gain><Attack>nan</Attack><Release>inf</Release><Threshold>1e39</Threshold>"
          "<idxInputConfig>x</idxInputConfig></Root>",
          "0.7 0.7 0.7 0 0 +" },
        // Outside 0..1 a value reads as the nearer end, however close or far; within
        // it, the ends, -0 and the float below 1 are kept as they are.
        { "<Root><Attack>1.0000001</Attack><Release>-0.5</Release><Threshold>1</Threshold><Gain>-0</Gain></Root>", "1 0 1 -0 1 +" },
        { "<Root><Attack>1e38</Attack><Release>-1e-45</Release><Threshold>0.99999994</Threshold><Gain>0</Gain></Root>", "1 0 0.99999994 0 1 +" },
        { "<Root><idxInputConfig>-1</idxInputConfig></Root>", "0.7 0.7 0.7 0.7 -1 +" },
        { "<Root><idxInputConfig> 0 </idxInputConfig></Root>", "0.7 0.7 0.7 0.7 0 +" },
        { "<Root><idxInputConfig>-2147483648</idxInputConfig></Root>", "0.7 0.7 0.7 0.7 -2147483648 +" },
        { "<Root><idxInputConfig>4294967297</idxInputConfig></Root>", "0.7 0.7 0.7 0.7 1 +" },
        { "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- saved -->\n<Root a='1' b=\"&amp;\">"
          "<Gain>0.5<![CDATA[]]></Gain><x/><Attack>&#48;.25</Attack></Root>\n",
          "0.25 0.7 0.7 0.5 1 +" },
        { "<Root><Gain>0.5</Gain><Info>Gr\xc3\xbc\xc3\x9f"
          "e \xe2\x82\xac \xf4\x8f\xbf\xbf &#x10FFFF;&#xFFFD; \xc2\xb0\xdf\xbf\xe0\xa0\x80\xed\x9f\xbf\xee\x80\x80\xf0\x90\x80\x80</Info></Root>",
          "0.7 0.7 0.7 0.5 1 +" },
        { nested (15), "0.7 0.7 0.7 0.7 1 +" }, // accepted, the gain being no child of the root
        { wide + "<Gain>0.5</Gain></Root>", "0.7 0.7 0.7 0.5 1 +" },
        { "<?xml version='1.12' encoding='utf-8' standalone='no' ?><?xml-stylesheet href=\"a\"?><Root><Gain>0.5</Gain></Root>", "0.7 0.7 0.7 0.5 1 +" },
        { freshText + std::string (GuardedXmlReader::maximumTextLength - freshText.size(), ' '), "0.025 0.02 0.5 0 0 +" },
    };

    for (const auto& [text, expected] : cases)
        EXPECT_EQ (restoredFrom (stateBlock (text)), expected) << text.substr (0, 200);

    // The framework's own blocks carry an XML declaration.
    juce::XmlElement root ("Root");
    root.createNewChildElement ("Release")->addTextElement ("0.125");
    juce::MemoryBlock withDeclaration;
    juce::AudioProcessor::copyXmlToBinary (root, withDeclaration);
    EXPECT_EQ (restoredFrom (withDeclaration), "0.7 0.125 0.7 0.7 1 +");

    // A length field beyond the data, below 2^31: a block the host cut short;
    // one short of the data: bytes after the text do not count.
    auto longLength = stateBlock (freshText);
    longLength[6] = 0x7f;
    EXPECT_EQ (restoredFrom (longLength), "0.7 0.7 0.7 0.7 1 -");

    auto trailing = stateBlock (freshText + "<");
    trailing[4] = (char) freshText.size();
    EXPECT_EQ (restoredFrom (trailing), "0.025 0.02 0.5 0 0 +");
}

TEST_F (PluginStateTest, IgnoresWhatIsNoBlockOrCannotSafelyBeParsed)
{
    std::vector<juce::MemoryBlock> bad;
    const auto fresh = stateBlock (freshText);
    bad.emplace_back (fresh.getData(), 8); // header only

    // Length 0, negative lengths, another magic, a length that cuts the text short.
    const std::pair<int, int> damage[] = { { 4, 0 }, { 7, 0x80 }, { 7, 0xff }, { 3, 0x22 }, { 4, 15 } };

    for (const auto& [offset, value] : damage)
    {
        bad.push_back (fresh);
        bad.back()[offset] = (char) value;
    }

    // Texts the framework's parser would refuse, read past its buffer on (a
    // multi-byte sequence cut short), expand without end (self-referring
    // entities), recurse through deeply (nesting) or never leave (broken tags).
    const char* texts[] = {
        "",
        "<Root><Gain>0.5</Gain>",
        "<Root <Gain>0.5</Gain></Root>",
        "<Root><Gain x=\"1>0.5</Gain></Root>",
        "<Root><Gain>0.5</Gain><Release>0.0",
        "not xml at all",
        "<Root><Gain>0.5</Gain>9\xfc",
        "<Root><Gain>0.5\xc3</Gain></Root>",
        "<Root><Gain>0.5\xf8\x88\x80\x80\x80</Gain></Root>",
        "<!DOCTYPE r [x x x <!ENTITY a \"&xxxxa;\">]><Root><Gain>&a;</Gain></Root>",
        "<?xml version=\"1.0\"?><!doctype Root><Root/>",
        "<Root><Gain>nan</Gain><Attack>inf</Attack><Releasfig>-2147483648</idxInputConfig><\?\?\?\?\?\?\?\?>0.025</\?\?\?/Root>",
        "<Root><\?\?\?\?>0.5</\?\?\?\?></Root>",
        "<Root><Gain>0.5</Attack></Root>",
        "<Root><Gain>0.5</Gain></Root><Root/>",
        "<Root><Gain a=1>0.5</Gain></Root>",
        "<Root><Gain>0.5</Gain><x a=1/></Root>",
        "<Root><Gain>0.5 &bogus</Gain></Root>",
        "<Root><Gain>0.5</Gain x></Root>",
        // Markup in non-shortest UTF-8, which the parser decodes as the ASCII it
        // spells; surrogates and code points beyond Unicode; references the parser
        // would look up in a document type or turn into damaged text.
        "\xc0\xbc!DOCTYPE Root\xc0\xbe<Root><Gain>0.5</Gain></Root>",
        "<Root><Gain>0.5\xc0\xbc/Gain></Root>",
        "<Root><Gain>0.5\xe0\x80\xbc/Gain></Root>",
        "<Root><Gain>0.5\xc1\xbf</Gain></Root>",
        "<Root><Gain>0.5\xf5\x80\x80\x80</Gain></Root>",
        "<Root><Gain>0.5\xf0\x80\x80\xbc/Gain></Root>",
        "<Root><Gain>0.5\xed\xa0\x80</Gain></Root>",
        "<Root><Gain>0.5\xf4\x90\x80\x80</Gain></Root>",
        "<Root><Gain>0.5&foo;</Gain></Root>",
        "<Root><Gain>0.5&AMP;</Gain></Root>",
        "<Root><Gain>0.5&#0;</Gain></Root>",
        "<Root><Gain>0.5&#xD800;</Gain></Root>",
        "<Root><Gain>0.5&#x110000;</Gain></Root>",
        "<Root><Gain>0.5&#x;</Gain></Root>",
        "<Root><Gain>0.5</Gain><?x?>text</Root>", // the parser reads the instruction again for good
        // Not well-formed: characters XML does not allow, unterminated or misplaced
        // markup after the root, repeated attributes, misused comment and section ends,
        // and XML declarations that are not the document's first text.
        "<Root><Gain>0.5\x01</Gain></Root>",
        "<Root a=\"\x1f\"><Gain>0.5</Gain></Root>",
        "<Root><!--\x0b--><Gain>0.5</Gain></Root>",
        "<Root><Gain>0.5\xef\xbf\xbe</Gain></Root>",
        "<Root><Gain>0.5\xef\xbf\xbf</Gain></Root>",
        "<Root><Gain>0.5</Gain></Root><!-- open",
        "<Root><Gain>0.5</Gain></Root><?x open",
        "<Root a=\"1\" a=\"2\"><Gain>0.5</Gain></Root>",
        "<Root><Gain b='1' c='' b=''>0.5</Gain></Root>",
        "<Root><!-- a -- b --><Gain>0.5</Gain></Root>",
        "<Root><!-- a ---><Gain>0.5</Gain></Root>",
        "<Root><Gain>0.5]]></Gain></Root>",
        "<?\?><Root><Gain>0.5</Gain></Root>",
        "<?XML version=\"1.0\"?><Root><Gain>0.5</Gain></Root>",
        " <?xml version=\"1.0\"?><Root><Gain>0.5</Gain></Root>",
        "<?xml version=\"1.0\"?><?xml version=\"1.0\"?><Root><Gain>0.5</Gain></Root>",
        "<Root><Gain>0.5</Gain></Root><?xml version=\"1.0\"?>",
        "<?xml encoding=\"UTF-8\"?><Root><Gain>0.5</Gain></Root>",
    };

    for (const char* text : texts)
        bad.push_back (stateBlock (text));

    bad.push_back (stateBlock (freshText + std::string (GuardedXmlReader::maximumTextLength + 1 - freshText.size(), ' ')));
    bad.push_back (stateBlock (nested (16)));
    bad.push_back (stateBlock (nested (100000)));

    for (size_t i = 0; i < bad.size(); ++i)
        EXPECT_EQ (restoredFrom (bad[i]), "0.7 0.7 0.7 0.7 1 -") << i;

    KestruneAudioProcessor processor;
    processor.parametersChanged = false;
    processor.setStateInformation (nullptr, 141);
    processor.setStateInformation (fresh.getData(), -1);
    processor.setStateInformation (fresh.getData(), 0);
    EXPECT_FALSE (processor.parametersChanged.load());
}

// Hosts set the C library's locale to the user's. Tags differ in case only in ASCII
// (a Turkish "I" is not an "i"), white space is XML's (U+3000 and U+2028 are
// characters like any other), and numbers have a point.
TEST_F (PluginStateTest, ReadsAndWritesTheSameInEveryLocale)
{
    const std::pair<std::string, const char*> cases[] = {
        { "<ROOT><GAIN>0.5</GAIN><IDXINPUTCONFIG>0</IDXINPUTCONFIG></ROOT>", "0.7 0.7 0.7 0.5 0 +" },
        { "<Root><idxinputconfig>0</idxinputconfig><attack>0.25</attack><releasE>0.5</releasE></Root>", "0.25 0.5 0.7 0.7 0 +" },
        { "<Root><Gain>\xe3\x80\x80<x/>0.5</Gain><Attack>0.5<x/>\xe2\x80\xa8</Attack>"
          "<idxInputConfig>\xe3\x80\x80-1</idxInputConfig><Release>\xe2\x80\xa8<!---->0.5</Release></Root>",
          "0.5 0 0.7 0 0 +" },
        { "<Root><Attack>0.25</Attack><Release>1e-3</Release><Threshold>-0.5e1</Threshold><Gain>0.5e-1</Gain></Root>", "0.25 0.001 0 0.05 1 +" },
        { "<Root><idxInputConfig>0</idxInputConfig><IDXINPUTCONFIG>\t+1</IDXINPUTCONFIG></Root>", "0.7 0.7 0.7 0.7 1 +" },
    };

    for (const char* locale : { "C", "C.UTF-8", "tr_TR.UTF-8", "de_DE.UTF-8" })
    {
        HostLocale hostLocale (locale);

        for (const auto& [text, expected] : cases)
            EXPECT_EQ (restoredFrom (stateBlock (text)), expected) << locale << ": " << text;

        KestruneAudioProcessor processor;
        setUnusualValues (processor);
        EXPECT_EQ (saved (processor), stateBlock (unusualText)) << locale;
    }
}

TEST_F (PluginStateTest, TruncatedBlocksNeverApplyACutValue)
{
    const auto fresh = stateBlock (freshText);

    // Whatever the framework's parser makes of a cut block, each value is
    // either left alone or restored whole.
    for (size_t length = 0; length <= fresh.getSize(); ++length)
    {
        KestruneAudioProcessor target;

        for (int index = 0; index < 4; ++index)
            target.setParameter (index, 0.7f);

        target.idxInputConfig = 1;
        target.setStateInformation (fresh.getData(), (int) length);

        for (int index = 0; index < 4; ++index)
        {
            const float value = target.getParameter (index);
            EXPECT_TRUE (value == 0.7f || value == target.getParameterDefaultValue (index)) << length << " " << index << " " << value;
        }

        EXPECT_TRUE (target.idxInputConfig.load() == 1 || target.idxInputConfig.load() == 0) << length;
    }
}

// A host may set a value outside 0..1, and the state keeps it; read back, it is the
// nearer end of the range, the state a processor holding that end writes.
TEST_F (PluginStateTest, RoundTripsEveryFloatInRangeExactlyAndLimitsTheRest)
{
    SignalRandom random (101);
    const float unusual[] = { 1.0f / 3.0f, 0.1f, 5.0e-5f, 1.0e-7f, 1.5f, -0.25f, -0.0f, 1.0e30f, 16777217.0f, std::numeric_limits<float>::denorm_min(), std::numeric_limits<float>::max(), 0.99999994f };
    const auto limited = [] (float value)
    {
        if (value > 1.0f)
            return 1.0f;

        return value < 0.0f ? 0.0f : value;
    };

    for (int round = 0; round < 300; ++round)
    {
        KestruneAudioProcessor source, target, limitedSource;
        std::array<float, 4> values {};

        for (size_t index = 0; index < 4; ++index)
        {
            values[index] = round < (int) std::size (unusual) ? unusual[((size_t) round + index) % std::size (unusual)] : random.unit();
            source.setParameter ((int) index, values[index]);
            limitedSource.setParameter ((int) index, limited (values[index]));
        }

        source.idxInputConfig = random.integer (-1, 1);
        limitedSource.idxInputConfig = source.idxInputConfig.load();
        const auto block = saved (source);
        restore (target, block);

        for (size_t index = 0; index < 4; ++index)
            ASSERT_EQ (bitsOf (target.getParameter ((int) index)), bitsOf (limited (values[index]))) << values[index];

        ASSERT_EQ (target.idxInputConfig.load(), source.idxInputConfig.load());
        ASSERT_EQ (saved (target), saved (limitedSource));
    }
}

TEST_F (PluginStateTest, KeepsTheLookaheadWhereSixDigitsWouldNot)
{
    KestruneAudioProcessor source, restored, old;

    for (auto* processor : { &source, &restored, &old })
        prepare (*processor, 48000.0);

    source.setParameter (0, 1.0f / 3.0f);
    EXPECT_EQ (source.getSettledLatencySamples(), 640);
    restore (restored, saved (source));
    EXPECT_EQ (restored.getSettledLatencySamples(), 640);

    // A block written with six digits still restores, to what six digits say.
    restore (old, stateBlock ("<Root><Attack>0.333333</Attack></Root>"));
    EXPECT_EQ (old.getParameter (0), 0.333333f);
    EXPECT_EQ (old.getSettledLatencySamples(), 639);
}
} // namespace
