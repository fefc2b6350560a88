#include "processor/GuardedXmlReader.h"

#include <cstdint>
#include <cstring>

namespace GuardedXmlReader
{
namespace
{
    bool isAsciiLetter (char c) noexcept { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    bool isDigit (char c) noexcept { return c >= '0' && c <= '9'; }
    bool isSpace (char c) noexcept { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    bool isNameStart (char c) noexcept { return isAsciiLetter (c) || c == '_' || c == ':'; }
    bool isNameChar (char c) noexcept { return isNameStart (c) || isDigit (c) || c == '-' || c == '.'; }

    int hexDigitValue (char c) noexcept
    {
        if (isDigit (c))
            return c - '0';

        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;

        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;

        return -1;
    }

    // The characters XML allows; the parser would carry others (a zero, a surrogate,
    // a code beyond Unicode) into its strings as damaged text.
    bool isXmlCharacter (std::uint32_t code) noexcept
    {
        return code == 0x9 || code == 0xa || code == 0xd
               || (code >= 0x20 && code <= 0xd7ff)
               || (code >= 0xe000 && code <= 0xfffd)
               || (code >= 0x10000 && code <= 0x10ffff);
    }

    void appendUtf8 (std::string& destination, std::uint32_t code)
    {
        if (code < 0x80)
        {
            destination += (char) code;
        }
        else if (code < 0x800)
        {
            destination += (char) (0xc0 | (code >> 6));
            destination += (char) (0x80 | (code & 0x3f));
        }
        else if (code < 0x10000)
        {
            destination += (char) (0xe0 | (code >> 12));
            destination += (char) (0x80 | ((code >> 6) & 0x3f));
            destination += (char) (0x80 | (code & 0x3f));
        }
        else
        {
            destination += (char) (0xf0 | (code >> 18));
            destination += (char) (0x80 | ((code >> 12) & 0x3f));
            destination += (char) (0x80 | ((code >> 6) & 0x3f));
            destination += (char) (0x80 | (code & 0x3f));
        }
    }

    class Reader
    {
    public:
        Reader (const char* textToRead, std::size_t length) noexcept
            : position (textToRead)
            , end (textToRead + length)
        {
        }

        bool document (Element& root)
        {
            skipMisc();

            if (! element (root, 1))
                return false;

            skipMisc();
            return position == end;
        }

    private:
        bool startsWith (const char* literal) const noexcept
        {
            const auto literalLength = std::strlen (literal);
            return (std::size_t) (end - position) >= literalLength && std::memcmp (position, literal, literalLength) == 0;
        }

        // Moves past the next occurrence of a terminator, the text before it being
        // passed over; false when there is none.
        bool skipPast (const char* terminator, std::string* passedOver = nullptr)
        {
            const auto* start = position;

            for (; position < end; ++position)
            {
                if (startsWith (terminator))
                {
                    if (passedOver != nullptr)
                        passedOver->append (start, position);

                    position += std::strlen (terminator);
                    return true;
                }
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
        void skipMisc()
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

        bool name (std::string& result)
        {
            if (position == end || ! isNameStart (*position))
                return false;

            const auto* start = position;

            while (position < end && isNameChar (*position))
                ++position;

            result.assign (start, position);
            return true;
        }

        // A reference after its ampersand: the five predefined entities and character
        // references; the parser would look anything else up in a document type.
        bool reference (std::string& destination)
        {
            ++position;

            if (position < end && *position == '#')
            {
                ++position;
                const bool hex = position < end && *position == 'x';
                position += hex ? 1 : 0;
                const int maximumDigits = hex ? 8 : 12; // the parser's own limits
                std::uint64_t code = 0;
                int digits = 0;

                for (; position < end && *position != ';'; ++position, ++digits)
                {
                    const int value = hex ? hexDigitValue (*position) : (isDigit (*position) ? *position - '0' : -1);

                    if (value < 0 || digits == maximumDigits)
                        return false;

                    code = code * (hex ? 16u : 10u) + (std::uint64_t) value;
                }

                if (digits == 0 || position == end || code > 0x10ffff || ! isXmlCharacter ((std::uint32_t) code))
                    return false;

                ++position;
                appendUtf8 (destination, (std::uint32_t) code);
                return true;
            }

            static constexpr std::pair<const char*, char> predefined[] = {
                { "amp;", '&' }, { "lt;", '<' }, { "gt;", '>' }, { "quot;", '"' }, { "apos;", '\'' }
            };

            for (const auto& [entity, character] : predefined)
            {
                if (startsWith (entity))
                {
                    position += std::strlen (entity);
                    destination += character;
                    return true;
                }
            }

            return false;
        }

        bool attributeValue (std::string& value)
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
                    if (! reference (value))
                        return false;
                }
                else
                {
                    value += *position++;
                }
            }

            if (position == end)
                return false;

            ++position;
            return true;
        }

        // An element and everything inside it, with the nesting depth bounded so that
        // neither this reader nor the parser after it recurses deeply.
        bool element (Element& result, int depth)
        {
            if (depth > maximumNestingDepth || position == end || *position != '<')
                return false;

            ++position;

            if (! name (result.name))
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

                std::pair<std::string, std::string> attribute;

                if (position == beforeSpace || ! name (attribute.first))
                    return false;

                skipSpace();

                if (position == end || *position != '=')
                    return false;

                ++position;
                skipSpace();

                if (! attributeValue (attribute.second))
                    return false;

                result.attributes.push_back (std::move (attribute));
            }

            for (;;)
            {
                if (position == end)
                    return false;

                if (*position == '&')
                {
                    if (! reference (result.text))
                        return false;
                }
                else if (*position != '<')
                {
                    result.text += *position++;
                }
                else if (startsWith ("</"))
                {
                    position += 2;
                    std::string closing;

                    if (! name (closing) || closing != result.name)
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

                    if (! skipPast ("]]>", &result.text))
                        return false;
                }
                else if (startsWith ("<?"))
                {
                    // The parser steps back over a processing instruction that text
                    // follows and reads it again, for good.
                    return false;
                }
                else
                {
                    result.children.emplace_back();

                    if (! element (result.children.back(), depth + 1))
                        return false;
                }
            }
        }

        const char* position;
        const char* end;
    };
} // namespace

bool isShortestFormUtf8 (const char* bytes, std::size_t length) noexcept
{
    const auto* data = reinterpret_cast<const unsigned char*> (bytes);

    for (std::size_t index = 0; index < length;)
    {
        const unsigned lead = data[index];

        if (lead < 0x80)
        {
            ++index;
            continue;
        }

        // The shortest form bounds the lead byte and, for three- and four-byte forms,
        // the second one: C0, C1 and E0 80..9F or F0 80..8F would spell a character
        // that a shorter form holds; ED A0..BF are surrogates, F4 90.. and F5.. lie
        // beyond U+10FFFF.
        std::size_t continuationBytes = 0;
        unsigned low = 0x80, high = 0xbf;

        if (lead >= 0xc2 && lead <= 0xdf)
            continuationBytes = 1;
        else if (lead >= 0xe0 && lead <= 0xef)
            continuationBytes = 2;
        else if (lead >= 0xf0 && lead <= 0xf4)
            continuationBytes = 3;
        else
            return false;

        if (lead == 0xe0)
            low = 0xa0;
        else if (lead == 0xed)
            high = 0x9f;
        else if (lead == 0xf0)
            low = 0x90;
        else if (lead == 0xf4)
            high = 0x8f;

        if (length - index <= continuationBytes || data[index + 1] < low || data[index + 1] > high)
            return false;

        for (std::size_t next = 2; next <= continuationBytes; ++next)
            if ((data[index + next] & 0xc0) != 0x80)
                return false;

        index += continuationBytes + 1;
    }

    return true;
}

std::optional<Element> read (const char* text, std::size_t length)
{
    if (text == nullptr || std::memchr (text, 0, length) != nullptr || ! isShortestFormUtf8 (text, length))
        return std::nullopt;

    Element root;

    if (! Reader (text, length).document (root))
        return std::nullopt;

    return root;
}
} // namespace GuardedXmlReader
