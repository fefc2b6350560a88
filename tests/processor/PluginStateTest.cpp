#include "processor/PluginState.h"

#include <gtest/gtest.h>
#include <juce_audio_processors/juce_audio_processors.h>

#include <cstring>
#include <vector>

namespace
{
// The block as the layout describes it, assembled byte by byte.
std::vector<unsigned char> blockBytes (const std::string& text)
{
    const auto length = (std::uint32_t) text.size();
    std::vector<unsigned char> bytes = { 0x56, 0x43, 0x32, 0x21 };

    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back ((unsigned char) (length >> shift));

    bytes.insert (bytes.end(), text.begin(), text.end());
    bytes.push_back (0);
    return bytes;
}

std::vector<unsigned char> bytesOf (const juce::MemoryBlock& block)
{
    const auto* data = static_cast<const unsigned char*> (block.getData());
    return { data, data + block.getSize() };
}

std::optional<std::vector<PluginState::Entry>> readText (const std::string& text)
{
    const auto bytes = blockBytes (text);
    return PluginState::read (bytes.data(), (int) bytes.size());
}

std::string describe (const std::vector<PluginState::Entry>& entries)
{
    std::string description;

    for (const auto& entry : entries)
        description += entry.parameterIndex == PluginState::inputConfigEntry
                           ? "idx=" + std::to_string (entry.inputConfig) + " "
                           : std::to_string (entry.parameterIndex) + "=" + juce::String (entry.value).toStdString() + " ";

    return description;
}

TEST (PluginStateWrite, LaysOutTheBlockByteForByte)
{
    juce::MemoryBlock block;
    PluginState::write ({ 0.025f, 0.02f, 0.5f, 0.0f }, 0, block);
    EXPECT_EQ (bytesOf (block), blockBytes ("<Root><Gain>0</Gain><Attack>0.025</Attack><Release>0.02</Release>"
                                            "<Threshold>0.5</Threshold><idxInputConfig>0</idxInputConfig></Root>"));
    EXPECT_EQ (block.getSize(), 141u);

    PluginState::write ({ 1.0f, 1.0f / 3.0f, 5.0e-5f, -2.5f }, -1, block);
    EXPECT_EQ (bytesOf (block), blockBytes ("<Root><Gain>-2.5</Gain><Attack>1</Attack><Release>0.33333334</Release>"
                                            "<Threshold>5e-05</Threshold><idxInputConfig>-1</idxInputConfig></Root>"));
}

TEST (PluginStateRead, GivesTheRecognisedChildrenInDocumentOrder)
{
    const auto entries = readText ("<anything a=\"1\"><THRESHOLD>0.75</THRESHOLD><gain x=\"9\"> 0.5 </gain><Unknown>3</Unknown>"
                                   "text<Gain>0.25<b/>7</Gain><IDXINPUTCONFIG>1</IDXINPUTCONFIG><Attack/></anything>");
    ASSERT_TRUE (entries.has_value());
    EXPECT_EQ (describe (*entries), "2=0.75 3=0.5 3=0.257 idx=1 0=0 ");
}

TEST (PluginStateRead, AcceptsTheFrameworksOwnBlocks)
{
    juce::XmlElement root ("Root");
    root.createNewChildElement ("Release")->addTextElement ("0.125");
    root.createNewChildElement ("idxInputConfig")->addTextElement ("1");
    juce::MemoryBlock block;
    juce::AudioProcessor::copyXmlToBinary (root, block);

    const auto entries = PluginState::read (block.getData(), (int) block.getSize());
    ASSERT_TRUE (entries.has_value());
    EXPECT_EQ (describe (*entries), "1=0.125 idx=1 ");
}

TEST (PluginStateRead, RefusesWhatIsNoBlock)
{
    const auto fresh = blockBytes ("<Root><Gain>0.5</Gain></Root>");

    EXPECT_FALSE (PluginState::read (nullptr, 100).has_value());
    EXPECT_FALSE (PluginState::read (fresh.data(), 8).has_value());
    EXPECT_FALSE (PluginState::read (fresh.data(), -5).has_value());

    auto otherMagic = fresh;
    otherMagic[3] = 0x22;
    EXPECT_FALSE (PluginState::read (otherMagic.data(), (int) otherMagic.size()).has_value());

    auto noLength = fresh;
    noLength[4] = 0;
    EXPECT_FALSE (PluginState::read (noLength.data(), (int) noLength.size()).has_value());

    auto hugeLength = fresh;
    hugeLength[7] = 0xff;
    EXPECT_FALSE (PluginState::read (hugeLength.data(), (int) hugeLength.size()).has_value());

    // A length larger than the data, below 2^31: a block the host cut short.
    auto longLength = fresh;
    longLength[6] = 0x7f;
    EXPECT_FALSE (PluginState::read (longLength.data(), (int) longLength.size()).has_value());

    // Only `length` bytes of text count.
    auto shortLength = fresh;
    shortLength[4] = 15; // "<Root><Gain>0.5", cut inside the value
    EXPECT_FALSE (PluginState::read (shortLength.data(), (int) shortLength.size()).has_value());

    EXPECT_FALSE (readText ("").has_value());
    EXPECT_FALSE (readText ("<Root><Gain>0.5").has_value());
}

TEST (PluginStateRead, RefusesTextsTheParserCannotBeTrustedWith)
{
    // A multi-byte sequence cut short made the framework's parser read past its buffer.
    EXPECT_FALSE (readText ("<Root><Gain>0.5</Gain>9\xfc").has_value());
    EXPECT_FALSE (readText ("<Root><Gain>0.5\xc3</Gain></Root>").has_value());
    EXPECT_FALSE (readText ("<Root><Gain>0.5\xf8\x88\x80\x80\x80</Gain></Root>").has_value());
    ASSERT_TRUE (readText ("<Root><Gain>0.5</Gain><Info>Gr\xc3\xbc\xc3\x9f"
                           "e \xe2\x82\xac</Info></Root>")
                     .has_value());

    // Self-referring entities made the framework's parser recurse without end.
    EXPECT_FALSE (readText ("<!DOCTYPE r [x x x <!ENTITY a \"&xxxxa;\">]><Root><Gain>&a;</Gain></Root>").has_value());
    EXPECT_FALSE (readText ("<?xml version=\"1.0\"?><!doctype Root><Root/>").has_value());

    auto nested = [] (int depth)
    {
        std::string text;

        for (int i = 0; i < depth; ++i)
            text += "<a>";

        text += "<Gain>0.5</Gain>";

        for (int i = 0; i < depth; ++i)
            text += "</a>";

        return text;
    };

    ASSERT_TRUE (readText (nested (15)).has_value());
    EXPECT_FALSE (readText (nested (16)).has_value());
    EXPECT_FALSE (readText (nested (100000)).has_value());

    // Many elements side by side are no depth.
    std::string wide = "<Root>";

    for (int i = 0; i < 5000; ++i)
        wide += "<x/><y></y>";

    const auto entries = readText (wide + "<Gain>0.5</Gain></Root>");
    ASSERT_TRUE (entries.has_value());
    EXPECT_EQ (describe (*entries), "3=0.5 ");
}

TEST (PluginStateRead, RefusesBrokenMarkupThatTheParserNeverLeaves)
{
    // Found by fuzzing: on this text the framework's parser loops for good,
    // which would hang the host's thread restoring a damaged session.
    EXPECT_FALSE (readText ("<Root><Gain>nan</Gain><Attack>inf</Attack><Releasfig>-2147483648</idxInputConfig>"
                            "<\?\?\?\?\?\?\?\?>0.025</\?\?\?/Root>")
                      .has_value());
    EXPECT_FALSE (readText ("<Root><\?\?\?\?>0.5</\?\?\?\?></Root>").has_value());
    EXPECT_FALSE (readText ("<Root><Gain>0.5</Attack></Root>").has_value());
    EXPECT_FALSE (readText ("<Root><Gain>0.5</Gain></Root><Root/>").has_value());
    EXPECT_FALSE (readText ("<Root><Gain a=1>0.5</Gain></Root>").has_value());
    EXPECT_FALSE (readText ("<Root><Gain>0.5 &bogus</Gain></Root>").has_value());

    // What well-formed documents may hold still reads.
    const auto entries = readText ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- saved -->\n"
                                   "<Root a='1' b=\"&amp;\"><Gain>0.5<![CDATA[]]></Gain><x/>"
                                   "<Attack>&#48;.25</Attack></Root>\n");
    ASSERT_TRUE (entries.has_value());
    EXPECT_EQ (describe (*entries), "3=0.5 0=0.25 ");
}
} // namespace
