// The state's XML reader held against the framework's XML parser: whatever text the
// reader accepts, the parser must read to the end (libFuzzer's time-out bounds the
// time, and the reader's own depth bound the recursion) and must build the same tree:
// the same elements, names and attributes in the same order, and the same runs of
// character data, byte for byte. The parser is the oracle in the C locale, the locale
// a fuzzer process runs in; the reader's reading is the same in every locale.
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

void checkSame (const GuardedXmlReader::Element& ours, const juce::XmlElement& parsed)
{
    check (parsed.getTagName().toStdString() == ours.name);
    check (parsed.getNumAttributes() == (int) ours.attributes.size());

    for (int index = 0; index < parsed.getNumAttributes(); ++index)
    {
        check (parsed.getAttributeName (index).toStdString() == ours.attributes[(size_t) index].first);
        check (parsed.getAttributeValue (index).toStdString() == ours.attributes[(size_t) index].second);
    }

    size_t child = 0;

    for (const auto* node : parsed.getChildIterator())
    {
        check (child < ours.children.size());
        const auto& ourNode = ours.children[child++];
        check (node->isTextElement() == ourNode.isText());

        if (node->isTextElement())
            check (node->getText().toStdString() == ourNode.text);
        else
            checkSame (ourNode, *node);
    }

    check (child == ours.children.size());
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

    const auto ours = GuardedXmlReader::read (text.data(), text.size());

    if (! ours)
        return 0;

    const auto block = quorvel::test::stateBlockAround (text);
    const auto parsed = juce::AudioProcessor::getXmlFromBinary (block.data(), (int) block.size());
    check (parsed != nullptr);
    checkSame (*ours, *parsed);
    return 0;
}
