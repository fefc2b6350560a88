// The gate in front of the framework's XML parser, held against the parser itself:
// whatever text the gate lets through, the parser must read to the end (libFuzzer's
// time-out bounds the time, and the gate's own tree the depth) and must see the same
// document: the same elements in the same tree, the same names and attributes, and
// the same character data up to the whitespace the parser drops or turns into line
// feeds. A difference is a way past the gate that the gate does not know of.
//
// An input that starts with the state block's magic is read as a block, as a host
// hands it in; anything else is the text itself.

#include "processor/GuardedXmlReader.h"
#include "support/StateBlock.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
void check (bool condition)
{
    if (! condition)
        std::abort();
}

// Appending to a framework string copies it, so a long text built that way costs
// the square of its length; the characters kept are gathered in a standard string.
void appendWithoutWhitespace (std::u32string& kept, const juce::String& text)
{
    for (auto character : text)
        if (! juce::CharacterFunctions::isWhitespace (character))
            kept += (char32_t) character;
}

void checkSame (const GuardedXmlReader::Element& gate, const juce::XmlElement& parsed)
{
    check (parsed.getTagName().toStdString() == gate.name);
    check (parsed.getNumAttributes() == (int) gate.attributes.size());

    for (int index = 0; index < parsed.getNumAttributes(); ++index)
    {
        check (parsed.getAttributeName (index).toStdString() == gate.attributes[(size_t) index].first);
        check (parsed.getAttributeValue (index).toStdString() == gate.attributes[(size_t) index].second);
    }

    std::u32string text;
    size_t child = 0;

    for (const auto* node : parsed.getChildIterator())
    {
        if (node->isTextElement())
        {
            appendWithoutWhitespace (text, node->getText());
            continue;
        }

        check (child < gate.children.size());
        checkSame (gate.children[child++], *node);
    }

    check (child == gate.children.size());
    std::u32string gateText;
    appendWithoutWhitespace (gateText, juce::String::fromUTF8 (gate.text.data(), (int) gate.text.size()));
    check (text == gateText);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    const auto* bytes = reinterpret_cast<const char*> (data);
    std::string text (bytes, size);
    const char magic[] = { 0x56, 0x43, 0x32, 0x21 };

    if (size >= 8 && std::memcmp (bytes, magic, 4) == 0)
    {
        std::uint32_t length = 0;

        for (int byte = 3; byte >= 0; --byte)
            length = (length << 8) | data[4 + byte];

        text.assign (bytes + 8, std::min<std::size_t> (length, size - 8));
    }

    // The framework reads the text up to its first zero byte.
    text.resize (std::strlen (text.c_str()));

    const auto gate = GuardedXmlReader::read (text.data(), text.size());

    if (! gate)
        return 0;

    const auto block = quorvel::test::stateBlockAround (text);
    const auto parsed = juce::AudioProcessor::getXmlFromBinary (block.data(), (int) block.size());
    check (parsed != nullptr);
    checkSame (*gate, *parsed);
    return 0;
}
