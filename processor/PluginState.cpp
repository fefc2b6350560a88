#include "processor/PluginState.h"

#include "processor/NumberText.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <algorithm>
#include <cstring>

namespace PluginState
{
namespace
{
    constexpr int headerSize = 8;

    // Texts the framework's parser cannot be trusted with, none of which a
    // block that we wrote ever contains:
    // - deep nesting: our blocks nest two levels, and the parser recurses once
    //   per level, so thousands of levels would exhaust a host thread's stack;
    // - a document type: the parser expands some self-referring entity
    //   declarations recursively without end;
    // - malformed UTF-8: at a multi-byte sequence cut short by the end of the
    //   text the parser steps over the terminator and reads past its buffer.
    constexpr int maximumNestingDepth = 16;

    bool containsDocumentType (const char* text, size_t length)
    {
        static constexpr char marker[] = "<!doctype";
        constexpr size_t markerLength = sizeof (marker) - 1;

        for (size_t start = 0; start + markerLength <= length; ++start)
        {
            size_t matched = 0;

            while (matched < markerLength && (text[start + matched] | (matched >= 2 ? 0x20 : 0)) == marker[matched])
                ++matched;

            if (matched == markerLength)
                return true;
        }

        return false;
    }

    // Counts element starts against element ends; markup that is not an
    // element (declarations, comments) is skipped by its first character.
    bool nestsTooDeeply (const char* text, size_t length)
    {
        int depth = 0;

        for (size_t i = 0; i + 1 < length; ++i)
        {
            const char next = text[i + 1];

            if (text[i] == '<')
            {
                if (next == '/')
                    --depth;
                else if (next != '!' && next != '?' && ++depth > maximumNestingDepth)
                    return true;
            }
            else if (text[i] == '/' && next == '>')
            {
                --depth;
            }
        }

        return false;
    }
} // namespace

void write (const std::array<float, 4>& parameterValues, int inputConfig, juce::MemoryBlock& destination)
{
    juce::XmlElement root ("Root");
    root.createNewChildElement ("Gain")->addTextElement (NumberText::formatFloat (parameterValues[3]));
    root.createNewChildElement ("Attack")->addTextElement (NumberText::formatFloat (parameterValues[0]));
    root.createNewChildElement ("Release")->addTextElement (NumberText::formatFloat (parameterValues[1]));
    root.createNewChildElement ("Threshold")->addTextElement (NumberText::formatFloat (parameterValues[2]));
    root.createNewChildElement ("idxInputConfig")->addTextElement (juce::String (inputConfig));

    destination.reset();

    {
        juce::MemoryOutputStream stream (destination, false);
        stream.writeInt ((int) magic);
        stream.writeInt (0);
        root.writeTo (stream, juce::XmlElement::TextFormat().singleLine().withoutHeader());
        stream.writeByte (0);
    }

    const auto textLength = (std::uint32_t) (destination.getSize() - (size_t) headerSize - 1);
    const std::uint32_t littleEndianLength = juce::ByteOrder::swapIfBigEndian (textLength);
    std::memcpy (static_cast<char*> (destination.getData()) + 4, &littleEndianLength, sizeof (littleEndianLength));
}

std::optional<std::vector<Entry>> read (const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= headerSize)
        return std::nullopt;

    const auto* bytes = static_cast<const char*> (data);

    if (juce::ByteOrder::littleEndianInt (bytes) != magic)
        return std::nullopt;

    // The framework reads the length as a signed number and takes no more
    // text than the block holds.
    const auto declaredLength = (int) juce::ByteOrder::littleEndianInt (bytes + 4);

    if (declaredLength < 1)
        return std::nullopt;

    const auto textLength = (size_t) std::min (sizeInBytes - headerSize, declaredLength);

    const char* const text = bytes + headerSize;

    if (! juce::CharPointer_UTF8::isValidString (text, (int) textLength)
        || containsDocumentType (text, textLength)
        || nestsTooDeeply (text, textLength))
        return std::nullopt;

    const auto root = juce::AudioProcessor::getXmlFromBinary (data, sizeInBytes);

    if (root == nullptr)
        return std::nullopt;

    std::vector<Entry> entries;

    // Tags match whatever their case; the framework's hasTagName would
    // accept that too, but asserts on it in debug builds.
    for (const auto* child : root->getChildIterator())
    {
        const auto& tag = child->getTagName();
        Entry entry;

        if (tag.equalsIgnoreCase ("Gain"))
            entry.parameterIndex = 3;
        else if (tag.equalsIgnoreCase ("Attack"))
            entry.parameterIndex = 0;
        else if (tag.equalsIgnoreCase ("Release"))
            entry.parameterIndex = 1;
        else if (tag.equalsIgnoreCase ("Threshold"))
            entry.parameterIndex = 2;
        else if (tag.equalsIgnoreCase ("idxInputConfig"))
            entry.parameterIndex = inputConfigEntry;
        else
            continue;

        if (entry.parameterIndex == inputConfigEntry)
            entry.inputConfig = child->getAllSubText().getIntValue();
        else
            entry.value = NumberText::parseFloat (child->getAllSubText());

        entries.push_back (entry);
    }

    return entries;
}
} // namespace PluginState
