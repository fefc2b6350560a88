#include "processor/PluginState.h"

#include "processor/GuardedXmlReader.h"
#include "processor/NumberText.h"
#include "processor/ParameterTable.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <algorithm>
#include <cstring>

namespace PluginState
{
namespace
{
    constexpr int headerSize = 8;

    // The order in which the parameters' elements are written.
    constexpr int writtenOrder[] = { ParameterTable::inputGain, ParameterTable::attackTime, ParameterTable::releaseTime, ParameterTable::maxPeakLevel };

    constexpr const char* inputConfigElement = "idxInputConfig";
} // namespace

void write (const std::array<float, ParameterTable::numParameters>& parameterValues, int inputConfig, juce::MemoryBlock& destination)
{
    juce::XmlElement root ("Root");

    for (int index : writtenOrder)
        root.createNewChildElement (ParameterTable::parameters[(size_t) index].stateElement)->addTextElement (NumberText::formatFloat (parameterValues[(size_t) index]));

    root.createNewChildElement (inputConfigElement)->addTextElement (juce::String (inputConfig));

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

    // The framework reads the length as a signed number and would take what
    // text the block holds; a length beyond the block's end means that the
    // host cut it short, and the first part of a state is not one.
    const auto declaredLength = (int) juce::ByteOrder::littleEndianInt (bytes + 4);

    if (declaredLength < 1 || declaredLength > sizeInBytes - headerSize)
        return std::nullopt;

    const auto textLength = (size_t) declaredLength;

    const char* const text = bytes + headerSize;

    // The framework takes the text up to its first zero byte.
    const auto documentLength = (size_t) (std::find (text, text + textLength, '\0') - text);

    if (! GuardedXmlReader::read (text, documentLength))
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

        if (tag.equalsIgnoreCase (inputConfigElement))
        {
            entry.inputConfig = child->getAllSubText().getIntValue();
            entries.push_back (entry);
            continue;
        }

        for (int index = 0; index < ParameterTable::numParameters; ++index)
        {
            if (tag.equalsIgnoreCase (ParameterTable::parameters[(size_t) index].stateElement))
            {
                entry.parameterIndex = index;
                entry.value = NumberText::parseFloat (child->getAllSubText());
                entries.push_back (entry);
                break;
            }
        }
    }

    return entries;
}
} // namespace PluginState
