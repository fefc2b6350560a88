#pragma once

#include <cstdint>

/**
    A 16-byte interface or class identifier, laid out in memory as the host lays
    it out: a 32-bit field and two 16-bit fields in native byte order, then eight
    bytes in written order.

    Identifiers are written in the usual dashed hexadecimal form and converted at
    compile time, so that the tables of identifiers read exactly like the written
    identifiers and a mistyped digit is a compile error rather than a silent
    mismatch with the host.
*/
struct ACFGuid
{
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];

    /** Parses "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" (36 characters). */
    static constexpr ACFGuid fromText (const char (&text)[37])
    {
        ACFGuid guid {};
        int position = 0;

        const auto digits = [&text, &position] (int count)
        {
            uint32_t value = 0;

            for (int i = 0; i < count; ++i)
            {
                if (text[position] == '-')
                    ++position;

                value = (value << 4) | hexValue (text[position++]);
            }

            return value;
        };

        guid.data1 = digits (8);
        guid.data2 = static_cast<uint16_t> (digits (4));
        guid.data3 = static_cast<uint16_t> (digits (4));

        for (auto& byte : guid.data4)
            byte = static_cast<uint8_t> (digits (2));

        if (position != 36)
            throw "malformed identifier text";

        return guid;
    }

private:
    static constexpr uint32_t hexValue (char c)
    {
        if (c >= '0' && c <= '9')
            return static_cast<uint32_t> (c - '0');
        if (c >= 'A' && c <= 'F')
            return static_cast<uint32_t> (c - 'A' + 10);
        if (c >= 'a' && c <= 'f')
            return static_cast<uint32_t> (c - 'a' + 10);

        // Reached only during constant evaluation, where it stops compilation.
        throw "not a hexadecimal digit";
    }
};

static_assert (sizeof (ACFGuid) == 16, "the host expects a packed 16-byte identifier");

constexpr bool operator== (const ACFGuid& a, const ACFGuid& b)
{
    if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3)
        return false;

    for (int i = 0; i < 8; ++i)
        if (a.data4[i] != b.data4[i])
            return false;

    return true;
}

constexpr bool operator!= (const ACFGuid& a, const ACFGuid& b) { return ! (a == b); }
