#include "processor/GuardedXmlReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

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

    bool isXmlCharacter (std::uint32_t code) noexcept
    {
        return code == 0x9 || code == 0xa || code == 0xd
               || (code >= 0x20 && code <= 0xd7ff)
               || (code >= 0xe000 && code <= 0xfffd)
               || (code >= 0x10000 && code <= 0x10ffff);
    }

    /*  True when bytes[0, length) is UTF-8 in shortest form whose every character is
        one XML allows. The shortest form also keeps each byte below 0x80 the character
        it is: an overlong form would spell markup that a reader decoding it would see. */
    bool isXmlTextInUtf8 (const unsigned char* bytes, std::size_t length) noexcept
    {
        for (std::size_t index = 0; index < length;)
        {
            const unsigned lead = bytes[index];

            if (lead < 0x80)
            {
                if (! isXmlCharacter (lead))
                    return false;

                ++index;
                continue;
            }

            // The shortest form bounds the lead byte and, for three- and four-byte
            // forms, the second one: C0, C1 and E0 80..9F or F0 80..8F would spell a
            // character that a shorter form holds; ED A0..BF are surrogates, F4 90..
            // and F5.. lie beyond U+10FFFF.
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

            if (length - index <= continuationBytes || bytes[index + 1] < low || bytes[index + 1] > high)
                return false;

            for (std::size_t next = 2; next <= continuationBytes; ++next)
                if ((bytes[index + next] & 0xc0) != 0x80)
                    return false;

            // U+FFFE and U+FFFF, the only non-characters left for XML to refuse.
            if (lead == 0xef && bytes[index + 1] == 0xbf && bytes[index + 2] >= 0xbe)
                return false;

            index += continuationBytes + 1;
        }

        return true;
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

    void appendAllSubText (const Element& element, std::string& destination)
    {
        destination += element.text;

        for (const auto& child : element.children)
            appendAllSubText (child, destination);
    }

    /*  One pass over the text, never stepping back: each loop moves the position on or
        ends the reading, and every search for a terminator starts where the last one
        stopped. */
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
            if (startsWith ("<?xml") && end - position > 5 && isSpace (position[5]) && ! declaration())
                return false;

            return misc() && element (root, 1) && misc() && position == end;
        }

    private:
        bool startsWith (std::string_view literal) const noexcept
        {
            return (std::size_t) (end - position) >= literal.size() && std::memcmp (position, literal.data(), literal.size()) == 0;
        }

        // Moves to the next occurrence of a terminator; false, at the end, when there
        // is none.
        bool moveTo (std::string_view terminator) noexcept
        {
            const auto found = std::string_view (position, (std::size_t) (end - position)).find (terminator);
            position = found == std::string_view::npos ? end : position + found;
            return position != end;
        }

        bool skipSpace() noexcept
        {
            const auto* before = position;

            while (position < end && isSpace (*position))
                ++position;

            return position != before;
        }

        bool name (std::string& result)
        {
            if (position == end || ! isNameStart (*position))
                return false;

            const auto* nameStart = position;

            while (position < end && isNameChar (*position))
                ++position;

            result.assign (nameStart, position);
            return true;
        }

        // Whitespace, an equals sign and whitespace, between a name and its value.
        bool equalsSign() noexcept
        {
            skipSpace();

            if (position == end || *position != '=')
                return false;

            ++position;
            skipSpace();
            return true;
        }

        // The XML declaration: version, then an optional encoding and standalone field,
        // each after whitespace.
        bool declaration()
        {
            position += 5;
            std::string field, value;

            const auto nextField = [&]
            {
                const auto* before = position;

                if (! skipSpace() || ! name (field) || ! equalsSign() || ! quoted (value))
                {
                    position = before;
                    return false;
                }

                return true;
            };

            const auto isVersion = [] (const std::string& text)
            {
                return text.size() > 2 && text.compare (0, 2, "1.") == 0 && std::all_of (text.begin() + 2, text.end(), isDigit);
            };

            if (! nextField() || field != "version" || ! isVersion (value))
                return false;

            bool more = nextField();

            if (more && field == "encoding")
            {
                if (! equalsIgnoringAsciiCase (value, "utf-8"))
                    return false;

                more = nextField();
            }

            if (more && (field != "standalone" || (value != "yes" && value != "no")))
                return false;

            skipSpace();

            if (! startsWith ("?>"))
                return false;

            position += 2;
            return true;
        }

        // A value between quotes with no markup and no reference in it.
        bool quoted (std::string& value)
        {
            if (position == end || (*position != '"' && *position != '\''))
                return false;

            const char quote = *position++;
            const auto* valueStart = position;

            while (position < end && *position != quote && *position != '<' && *position != '&')
                ++position;

            if (position == end || *position != quote)
                return false;

            value.assign (valueStart, position++);
            return true;
        }

        // After "<!--": a comment holds no "--" before its end.
        bool comment() noexcept
        {
            position += 4;

            if (! moveTo ("--") || ! startsWith ("-->"))
                return false;

            position += 3;
            return true;
        }

        // After "<?": a target other than "xml" in any case (the declaration is read
        // only at the very start), then nothing or whitespace and any text up to "?>".
        bool processingInstruction()
        {
            position += 2;
            std::string target;

            if (! name (target))
                return false;

            if (equalsIgnoringAsciiCase (target, "xml"))
                return false;

            if ((! skipSpace() && ! startsWith ("?>")) || ! moveTo ("?>"))
                return false;

            position += 2;
            return true;
        }

        // Whitespace, comments and processing instructions around the root element.
        bool misc()
        {
            for (;;)
            {
                skipSpace();

                if (startsWith ("<!--"))
                {
                    if (! comment())
                        return false;
                }
                else if (startsWith ("<?"))
                {
                    if (! processingInstruction())
                        return false;
                }
                else
                {
                    return true;
                }
            }
        }

        // A reference after its ampersand: the five predefined entities and character
        // references; anything else would have to be declared in a document type.
        bool reference (std::string& destination)
        {
            ++position;

            if (position < end && *position == '#')
            {
                ++position;
                const bool hex = position < end && *position == 'x';
                position += hex ? 1 : 0;
                const int maximumDigits = hex ? 8 : 12;
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

            static constexpr std::pair<std::string_view, char> predefined[] = {
                { "amp;", '&' }, { "lt;", '<' }, { "gt;", '>' }, { "quot;", '"' }, { "apos;", '\'' }
            };

            for (const auto& [entity, character] : predefined)
            {
                if (startsWith (entity))
                {
                    position += entity.size();
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

        static bool haveDistinctNames (const std::vector<std::pair<std::string, std::string>>& attributes)
        {
            if (attributes.size() < 2)
                return true;

            std::vector<std::string_view> names;
            names.reserve (attributes.size());

            for (const auto& attribute : attributes)
                names.emplace_back (attribute.first);

            std::sort (names.begin(), names.end());
            return std::adjacent_find (names.begin(), names.end()) == names.end();
        }

        // An element and everything inside it, with the nesting depth bounded so that
        // the recursion stays shallow.
        bool element (Element& result, int depth)
        {
            if (depth > maximumNestingDepth || position == end || *position != '<')
                return false;

            ++position;

            if (! name (result.name))
                return false;

            for (;;)
            {
                const bool spaced = skipSpace();

                if (startsWith ("/>"))
                {
                    position += 2;
                    return haveDistinctNames (result.attributes);
                }

                if (position < end && *position == '>')
                {
                    ++position;
                    break;
                }

                std::pair<std::string, std::string> attribute;

                if (! spaced || ! name (attribute.first) || ! equalsSign() || ! attributeValue (attribute.second))
                    return false;

                result.attributes.push_back (std::move (attribute));
            }

            return haveDistinctNames (result.attributes) && content (result, depth);
        }

        // What lies between an element's start and end tags, and the end tag.
        bool content (Element& parent, int depth)
        {
            std::string run;
            bool runHasContent = false;

            const auto endRun = [&]
            {
                if (runHasContent)
                {
                    parent.children.emplace_back();
                    parent.children.back().text = std::move (run);
                }

                run.clear();
                runHasContent = false;
            };

            for (;;)
            {
                if (position == end)
                    return false;

                const char c = *position;

                if (c == '&')
                {
                    const auto before = run.size();

                    if (! reference (run))
                        return false;

                    runHasContent = runHasContent || run.size() != before + 1 || ! isSpace (run.back());
                }
                else if (c == '\r')
                {
                    ++position;

                    if (position == end || *position != '\n')
                        run += '\n';
                }
                else if (c != '<')
                {
                    if (c == ']' && startsWith ("]]>"))
                        return false;

                    run += c;
                    runHasContent = runHasContent || ! isSpace (c);
                    ++position;
                }
                else if (startsWith ("<!--"))
                {
                    if (! comment())
                        return false;
                }
                else if (startsWith ("</"))
                {
                    endRun();
                    position += 2;
                    std::string closing;

                    if (! name (closing) || closing != parent.name)
                        return false;

                    skipSpace();

                    if (position == end || *position != '>')
                        return false;

                    ++position;
                    return true;
                }
                else if (startsWith ("<![CDATA["))
                {
                    endRun();
                    position += 9;
                    const auto* sectionStart = position;

                    if (! moveTo ("]]>"))
                        return false;

                    parent.children.emplace_back();
                    parent.children.back().text.assign (sectionStart, position);
                    position += 3;
                }
                else if (startsWith ("<?") || startsWith ("<!"))
                {
                    return false;
                }
                else
                {
                    endRun();
                    parent.children.emplace_back();

                    if (! element (parent.children.back(), depth + 1))
                        return false;
                }
            }
        }

        const char* position;
        const char* const end;
    };
} // namespace

bool equalsIgnoringAsciiCase (std::string_view text, std::string_view other) noexcept
{
    const auto lower = [] (char c)
    { return c >= 'A' && c <= 'Z' ? (char) (c - 'A' + 'a') : c; };
    return text.size() == other.size() && std::equal (text.begin(), text.end(), other.begin(), [&lower] (char a, char b)
                                                      { return lower (a) == lower (b); });
}

std::string Element::allSubText() const
{
    std::string result;
    appendAllSubText (*this, result);
    return result;
}

std::optional<Element> read (const char* text, std::size_t length)
{
    if (text == nullptr || length > maximumTextLength || ! isXmlTextInUtf8 (reinterpret_cast<const unsigned char*> (text), length))
        return std::nullopt;

    Element root;

    if (! Reader (text, length).document (root))
        return std::nullopt;

    return root;
}
} // namespace GuardedXmlReader
