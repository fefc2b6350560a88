#pragma once

#include "formats/aax/AAX_IString.h"

#include <cstdint>
#include <string>

/**
    The library's own text: 8-bit bytes used as zero-terminated text, with no
    notion of encoding. Copies are independent.

    Null texts are read as the empty text everywhere, and positions past the end
    select nothing, so that a bad pointer or index coming from a host never
    reaches the underlying buffer.
*/
class AAX_CString : public AAX_IString
{
public:
    AAX_CString();
    AAX_CString (const char* text);
    AAX_CString (const AAX_CString& other);
    AAX_CString (const AAX_IString& other);
    ~AAX_CString() override;

    uint32_t Length() const override;
    uint32_t MaxLength() const override;
    const char* Get() const override;
    void Set (const char* text) override;
    AAX_IString& operator= (const AAX_IString& other) override;
    AAX_IString& operator= (const char* text) override;

    AAX_CString& operator= (const AAX_CString& other);

    /** The text, as Get() gives it, without a virtual call. */
    const char* CString() const { return text.c_str(); }

    void Clear();

    /** Removes up to count bytes from position on; a position past the end removes nothing. */
    AAX_CString& Erase (uint32_t position, uint32_t count);

    /** Appends the value in fixed-point notation with exactly precision decimals (classic locale). */
    AAX_CString& AppendNumber (double value, int32_t precision);

    /**
        Reads one number from the start of the text as a standard input stream's
        formatted extraction does (leading blanks skipped, trailing text ignored).
        On failure stores 0.0 and returns false; a null out pointer gives false.
    */
    bool ToDouble (double* outValue) const;

    /** Gives the receiver, through its Set, up to count bytes from position on. */
    void SubString (uint32_t position, uint32_t count, AAX_IString* receiver) const;

    /** Byte-wise comparison of the zero-terminated texts. */
    bool operator== (const AAX_CString& other) const;
    bool operator!= (const AAX_CString& other) const;

    /**
        The byte at index, writable. An index at or past the end gives a scratch
        byte outside the text, so a bad index never writes past the buffer.
    */
    char& operator[] (uint32_t index);

    static constexpr uint32_t kMaxLength = 0xFFFFFFFEu;

private:
    std::string text;
};
