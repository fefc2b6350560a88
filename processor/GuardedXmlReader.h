#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

/*  The gate in front of the framework's XML parser.

    That parser is not safe on arbitrary text: it expands some self-referring entity
    declarations without end, recurses once per nesting level (thousands of levels
    exhaust a host thread's stack), loops for good on some broken tags, and decodes
    non-shortest UTF-8 forms as the ASCII characters they spell, so that markup can
    hide from any check made on the raw bytes. Every block the plug-in ever wrote is a
    small well-formed document, so only such documents are let through.

    The text is read here exactly as the parser will decode it: only well-formed,
    shortest-form UTF-8 (no surrogates, nothing above U+10FFFF) is accepted, so that
    each byte below 0x80 is the character the parser sees and nothing else decodes to
    one; markup is then all ASCII, and names are restricted to ASCII name characters,
    which both readers classify alike. On top of that a strict grammar: one root
    element, nesting at most maximumNestingDepth deep, matching end tags, quoted
    attribute values, the five predefined entity references and character references
    to XML characters only; comments anywhere XML allows them, CDATA sections in
    elements, processing instructions (the XML declaration among them) only around the
    root element; no document type.
*/
namespace GuardedXmlReader
{
constexpr int maximumNestingDepth = 16;

/** An element as read: what the framework's parser makes of the same text must agree
    with it (names, attributes and the element tree exactly; character data up to the
    whitespace that the parser drops or normalises). */
struct Element
{
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes; // references decoded
    std::string text; // the element's own character data, references decoded, CDATA included
    std::vector<Element> children;
};

/** The root element of text[0, length), which holds no zero byte; nothing when the
    text is not a document this gate lets through. */
std::optional<Element> read (const char* text, std::size_t length);

/** True when bytes[0, length) is well-formed UTF-8 in shortest form, without
    surrogates and within U+10FFFF. */
bool isShortestFormUtf8 (const char* bytes, std::size_t length) noexcept;
} // namespace GuardedXmlReader
