#include "processor/PluginState.h"

#include "processor/NumberText.h"
#include "processor/ParameterTable.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace PluginState
{
namespace
{
    constexpr int headerSize = 8;

    // The order in which the parameters' elements are written.
    constexpr int writtenOrder[] = { ParameterTable::inputGain, ParameterTable::attackTime, ParameterTable::releaseTime, ParameterTable::maxPeakLevel };

    constexpr const char* inputConfigElement = "idxInputConfig";

    // The framework's parser is not safe on arbitrary text: it expands some
    // self-referring entity declarations without end, recurses once per
    // nesting level (thousands of levels exhaust a host thread's stack), reads
    // past its buffer at a multi-byte sequence cut short, and loops for good on
    // some broken tags. Every block we ever wrote is a small well-formed
    // document, so only such documents reach the parser: a strict scan checks
    // the grammar first and refuses anything else, document types included.
    constexpr int maximumNestingDepth = 16;

    class DocumentScanner
    {
    public:
        DocumentScanner (const char* textToScan, size_t length) noexcept
            : text (textToScan)
            , end (textToScan + length)
        {
        }

        bool isWellFormed() noexcept
        {
            skipMisc();

            if (! element())
                return false;

            skipMisc();
            return position == end;
        }

    private:
        struct Name
        {
            const char* start = nullptr;
            size_t length = 0;
        };

        static bool isNameStart (unsigned char c) noexcept
        {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80;
        }

        static bool isNameChar (unsigned char c) noexcept
        {
            return isNameStart (c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
        }

        static bool isSpace (char c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

        bool startsWith (const char* literal) const noexcept
        {
            const auto literalLength = std::strlen (literal);
            return (size_t) (end - position) >= literalLength && std::memcmp (position, literal, literalLength) == 0;
        }

        // Moves past the next occurrence of a terminator; false when there is none.
        bool skipPast (const char* terminator) noexcept
        {
            while (position < end)
            {
                if (startsWith (terminator))
                {
                    position += std::strlen (terminator);
                    return true;
                }

                ++position;
            }

            return false;
        }

        void skipSpace() noexcept
        {
            while (position < end && isSpace (*position))
                ++position;
        }

        // Whitespace, comments and processing instructions (the XML declaration
        // among them) around the root element.
        void skipMisc() noexcept
        {
            for (;;)
            {
                skipSpace();

                if (startsWith ("<!--"))
                {
                    position += 4;

                    if (! skipPast ("-->"))
                        return;
                }
                else if (startsWith ("<?"))
                {
                    position += 2;

                    if (! skipPast ("?>"))
                        return;
                }
                else
                {
                    return;
                }
            }
        }

        bool name (Name& result) noexcept
        {
            if (position == end || ! isNameStart ((unsigned char) *position))
                return false;

            result.start = position;

            while (position < end && isNameChar ((unsigned char) *position))
                ++position;

            result.length = (size_t) (position - result.start);
            return true;
        }

        bool reference() noexcept
        {
            ++position; // the ampersand

            if (position < end && *position == '#')
            {
                ++position;
                const bool hex = position < end && *position == 'x';
                position += hex ? 1 : 0;
                const auto* digits = position;

                while (position < end && (std::isdigit ((unsigned char) *position) || (hex && std::isxdigit ((unsigned char) *position))))
                    ++position;

                if (position == digits)
                    return false;
            }
            else
            {
                Name ignored;

                if (! name (ignored))
                    return false;
            }

            if (position == end || *position != ';')
                return false;

            ++position;
            return true;
        }

        bool attributeValue() noexcept
        {
            if (position == end || (*position != '"' && *position != '\''))
                return false;

            const char quote = *position++;

            while (position < end && *position != quote)
            {
                if (*position == '<')
                    return false;

                if (*position == '&')
                {
                    if (! reference())
                        return false;
                }
                else
                {
                    ++position;
                }
            }

            if (position == end)
                return false;

            ++position;
            return true;
        }

        // An element and everything inside it, with the nesting depth bounded
        // so that neither this scan nor the parser after it recurses deeply.
        bool element (int depth = 1) noexcept
        {
            if (depth > maximumNestingDepth || position == end || *position != '<')
                return false;

            ++position;
            Name tag;

            if (! name (tag))
                return false;

            for (;;)
            {
                const auto* beforeSpace = position;
                skipSpace();

                if (startsWith ("/>"))
                {
                    position += 2;
                    return true;
                }

                if (position < end && *position == '>')
                {
                    ++position;
                    break;
                }

                Name attribute;

                if (position == beforeSpace || ! name (attribute))
                    return false;

                skipSpace();

                if (position == end || *position != '=')
                    return false;

                ++position;
                skipSpace();

                if (! attributeValue())
                    return false;
            }

            for (;;)
            {
                if (position == end)
                    return false;

                if (*position == '&')
                {
                    if (! reference())
                        return false;
                }
                else if (*position != '<')
                {
                    ++position;
                }
                else if (startsWith ("</"))
                {
                    position += 2;
                    Name closing;

                    if (! name (closing)
                        || closing.length != tag.length
                        || std::memcmp (closing.start, tag.start, tag.length) != 0)
                        return false;

                    skipSpace();

                    if (position == end || *position != '>')
                        return false;

                    ++position;
                    return true;
                }
                else if (startsWith ("<!--"))
                {
                    position += 4;

                    if (! skipPast ("-->"))
                        return false;
                }
                else if (startsWith ("<![CDATA["))
                {
                    position += 9;

                    if (! skipPast ("]]>"))
                        return false;
                }
                else if (startsWith ("<?"))
                {
                    position += 2;

                    if (! skipPast ("?>"))
                        return false;
                }
                else if (! element (depth + 1))
                {
                    return false;
                }
            }
        }

        const char* text;
        const char* end;
        const char* position = text;
    };
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

    if (! juce::CharPointer_UTF8::isValidString (text, (int) textLength)
        || ! DocumentScanner (text, documentLength).isWellFormed())
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
