#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/*  The reader of a saved state's XML text, which comes from a host or a session file
    and so may be anything.

    It accepts only well-formed XML, and of that only a small subset: every block the
    plug-in ever wrote is a small document of plain elements, and what lies outside the
    subset is where general XML readers spend unbounded time or stack. Its time and
    memory grow in proportion to the text (the duplicate-attribute check, a sort, by
    n log n), and texts above maximumTextLength are refused before anything is read. Its
    reading depends on nothing of the C library's locale.

    Accepted: shortest-form UTF-8 whose every character is one XML allows (no control
    character but tab, line feed and carriage return, no U+FFFE or U+FFFF, no surrogate,
    nothing above U+10FFFF); an optional XML declaration at the very start (version 1.x,
    encoding UTF-8 if named, standalone yes or no); one root element nested at most
    maximumNestingDepth deep, with matching end tags and distinct attribute names; quoted
    attribute values; the five predefined entity references and character references to
    XML characters; CDATA sections; comments anywhere XML allows them; processing
    instructions with a target other than "xml" around the root element.

    Refused although well-formed: a document type declaration, names with characters
    outside ASCII, a processing instruction inside an element, a character reference of
    more than 8 hexadecimal or 12 decimal digits, an encoding other than UTF-8.

    The tree read is the one the framework's XML parser builds from the same text in the
    C locale (the differential fuzzer holds the two against each other): character data
    comes in runs between markup, comments inside a run do not split it, a CDATA section
    is a run of its own, a run of nothing but XML whitespace outside CDATA is dropped, and
    in runs outside CDATA a carriage return, alone or before a line feed, reads as a line
    feed. Attribute values are kept as written, references decoded.
*/
namespace GuardedXmlReader
{
constexpr int maximumNestingDepth = 16;

/** About 1800 times the largest block the plug-in writes. */
constexpr std::size_t maximumTextLength = 256 * 1024;

/** An element, or a run of character data when its name is empty. */
struct Element
{
    std::string name;
    std::string text; // a run's character data, references decoded
    std::vector<std::pair<std::string, std::string>> attributes; // references decoded
    std::vector<Element> children; // elements and runs in document order

    bool isText() const noexcept { return name.empty(); }

    /** The character data of every run inside, in document order. */
    std::string allSubText() const;
};

/** Whether two names are the same but for the case of ASCII letters: the C library's
    case mapping depends on the locale (a Turkish "I" is no "i"). */
bool equalsIgnoringAsciiCase (std::string_view text, std::string_view other) noexcept;

/** The root element of text[0, length); nothing when the text is not a document this
    reader accepts (a zero byte among them). */
std::optional<Element> read (const char* text, std::size_t length);
} // namespace GuardedXmlReader
