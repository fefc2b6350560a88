#include "processor/PluginState.h"

#include "processor/GuardedXmlReader.h"
#include "processor/NumberText.h"
#include "processor/ParameterTable.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace PluginState
{
namespace
{
    constexpr int headerSize = 8;

    // The order in which the parameters' elements are written.
    constexpr int writtenOrder[] = { ParameterTable::inputGain, ParameterTable::attackTime, ParameterTable::releaseTime, ParameterTable::maxPeakLevel };

    constexpr const char* inputConfigElement = "idxInputConfig";

    /** Every host keeps the plug-in's parameters within the normalised range (the AAX
        host is given a limited copy of each value and hands that back): a state read
        as the host holds it leaves the processor, the host, the display and the sound
        agreeing, whichever door the state came in by. */
    float limitedToNormalisedRange (float value) noexcept
    {
        // No number is the caller's to skip, not an end of the range to apply.
        return std::isfinite (value) ? ParameterTable::limitToNormalisedRange (value) : value;
    }
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

    // The length is read as a signed number, as the framework reads it; a length
    // beyond the block's end means that the host cut it short, and the first part
    // of a state is not one.
    const auto declaredLength = (int) juce::ByteOrder::littleEndianInt (bytes + 4);

    if (declaredLength < 1 || declaredLength > sizeInBytes - headerSize)
        return std::nullopt;

    // The text ends at its first zero byte, as it always has for the framework. A
    // text longer than the reader takes is refused without looking further.
    const char* const text = bytes + headerSize;
    const auto searched = std::min ((size_t) declaredLength, GuardedXmlReader::maximumTextLength + 1);
    const auto documentLength = (size_t) (std::find (text, text + searched, '\0') - text);
    const auto root = GuardedXmlReader::read (text, documentLength);

    if (! root.has_value())
        return std::nullopt;

    std::vector<Entry> entries;

    // Tags match whatever their ASCII case, as they did when the framework's
    // parser read them, but in every locale alike.
    for (const auto& child : root->children)
    {
        if (child.isText())
            continue;

        const auto subText = [&child]
        {
            const auto utf8 = child.allSubText();
            return juce::String::fromUTF8 (utf8.data(), (int) utf8.size());
        };

        Entry entry;

        if (GuardedXmlReader::equalsIgnoringAsciiCase (child.name, inputConfigElement))
        {
            entry.inputConfig = NumberText::parseInteger (subText());
            entries.push_back (entry);
            continue;
        }

        for (int index = 0; index < ParameterTable::numParameters; ++index)
        {
            if (GuardedXmlReader::equalsIgnoringAsciiCase (child.name, ParameterTable::parameters[(size_t) index].stateElement))
            {
                entry.parameterIndex = index;
                entry.value = limitedToNormalisedRange (NumberText::parseFloat (subText()));
                entries.push_back (entry);
                break;
            }
        }
    }

    return entries;
}
} // namespace PluginState
