#pragma once

#include "resources/BinaryData.h"

#include <juce_graphics/juce_graphics.h>

#include <cstdint>
#include <cstring>
#include <vector>

// Reading the embedded resources back: decoding and the few header fields of
// PNG, JPEG and TrueType data that the tests check, read straight from the
// bytes rather than through the framework.
namespace ResourceFiles
{
inline juce::Image decode (const char* data, int size)
{
    return juce::ImageFileFormat::loadFrom (data, (size_t) size);
}

inline uint32_t bigEndian32 (const unsigned char* bytes)
{
    return ((uint32_t) bytes[0] << 24) | ((uint32_t) bytes[1] << 16) | ((uint32_t) bytes[2] << 8) | bytes[3];
}

inline uint16_t bigEndian16 (const unsigned char* bytes)
{
    return (uint16_t) ((bytes[0] << 8) | bytes[1]);
}

struct PngHeader
{
    bool valid = false;
    uint32_t width = 0, height = 0;
    int bitDepth = 0, colourType = 0, interlace = 0;
};

inline PngHeader readPngHeader (const char* data, int size)
{
    static const unsigned char signature[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };
    const auto* bytes = reinterpret_cast<const unsigned char*> (data);
    PngHeader header;

    if (size < 33 || std::memcmp (bytes, signature, 8) != 0 || std::memcmp (bytes + 12, "IHDR", 4) != 0)
        return header;

    header.valid = true;
    header.width = bigEndian32 (bytes + 16);
    header.height = bigEndian32 (bytes + 20);
    header.bitDepth = bytes[24];
    header.colourType = bytes[25];
    header.interlace = bytes[28];
    return header;
}

struct JpegFrame
{
    int startOfFrameMarker = 0; // 0xc0 for a baseline frame
    int precision = 0, width = 0, height = 0, components = 0;
};

// The first start-of-frame segment, found by walking the segments.
inline JpegFrame readJpegFrame (const char* data, int size)
{
    const auto* bytes = reinterpret_cast<const unsigned char*> (data);
    JpegFrame frame;

    if (size < 4 || bytes[0] != 0xff || bytes[1] != 0xd8)
        return frame;

    int position = 2;

    while (position + 4 <= size && bytes[position] == 0xff)
    {
        const int marker = bytes[position + 1];
        const int length = bigEndian16 (bytes + position + 2);

        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc)
        {
            if (position + 10 > size)
                break;

            frame.startOfFrameMarker = marker;
            frame.precision = bytes[position + 4];
            frame.height = bigEndian16 (bytes + position + 5);
            frame.width = bigEndian16 (bytes + position + 7);
            frame.components = bytes[position + 9];
            break;
        }

        position += 2 + length;
    }

    return frame;
}

// The bytes of a TrueType table, or an empty vector.
inline std::vector<unsigned char> trueTypeTable (const char* data, int size, const char* tag)
{
    const auto* bytes = reinterpret_cast<const unsigned char*> (data);

    if (size < 12)
        return {};

    const int numTables = bigEndian16 (bytes + 4);

    for (int i = 0; i < numTables && 12 + 16 * (i + 1) <= size; ++i)
    {
        const auto* record = bytes + 12 + 16 * i;
        const auto offset = bigEndian32 (record + 8);
        const auto length = bigEndian32 (record + 12);

        if (std::memcmp (record, tag, 4) == 0 && (uint64_t) offset + length <= (uint64_t) size)
            return { bytes + offset, bytes + offset + length };
    }

    return {};
}

// Bounds of the pixels with any opacity in a region, or empty.
inline juce::Rectangle<int> opaqueBounds (const juce::Image& image, juce::Rectangle<int> region)
{
    int left = region.getRight(), top = region.getBottom(), right = region.getX() - 1, bottom = region.getY() - 1;

    for (int y = region.getY(); y < region.getBottom(); ++y)
        for (int x = region.getX(); x < region.getRight(); ++x)
            if (image.getPixelAt (x, y).getAlpha() != 0)
            {
                left = juce::jmin (left, x);
                right = juce::jmax (right, x);
                top = juce::jmin (top, y);
                bottom = juce::jmax (bottom, y);
            }

    if (right < left)
        return {};

    return juce::Rectangle<int>::leftTopRightBottom (left, top, right + 1, bottom + 1);
}
} // namespace ResourceFiles
