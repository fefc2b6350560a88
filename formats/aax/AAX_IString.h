#pragma once

#include <cstdint>

/** The text type that crosses the host boundary: 8-bit, zero-terminated. */
class AAX_IString
{
public:
    virtual ~AAX_IString() = default;

    /** Number of bytes of the text, terminator not counted. */
    virtual uint32_t Length() const = 0;

    /** The longest text a string could hold. */
    virtual uint32_t MaxLength() const = 0;

    /** The zero-terminated text, valid until the string is next changed or destroyed. */
    virtual const char* Get() const = 0;

    /** Replaces the text. */
    virtual void Set (const char* text) = 0;

    virtual AAX_IString& operator= (const AAX_IString& other) = 0;
    virtual AAX_IString& operator= (const char* text) = 0;

protected:
    AAX_IString() = default;
    AAX_IString (const AAX_IString&) = default;
};
