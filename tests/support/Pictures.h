#pragma once

// Pictures in the tests of the GUI, the looks and the embedded resources:
// painted into transparent ARGB images without a display and compared pixel
// by pixel.

#include <juce_graphics/juce_graphics.h>

#include <functional>

namespace quorvel::test
{
inline juce::Image paintInto (int width, int height, const std::function<void (juce::Graphics&)>& painter)
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    juce::Graphics g (image);
    painter (g);
    return image;
}

inline bool samePixels (const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area)
{
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;

    return true;
}

inline bool samePixels (const juce::Image& a, const juce::Image& b)
{
    return a.getBounds() == b.getBounds() && samePixels (a, b, a.getBounds());
}

/** The bounds of the pixels in `area` whose alpha is at least `minAlpha`; empty when there are none. */
inline juce::Rectangle<int> drawnBounds (const juce::Image& image, juce::Rectangle<int> area, int minAlpha = 1)
{
    juce::Rectangle<int> bounds;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (image.getPixelAt (x, y).getAlpha() >= minAlpha)
                bounds = bounds.getUnion ({ x, y, 1, 1 });

    return bounds;
}

inline juce::Rectangle<int> drawnBounds (const juce::Image& image, int minAlpha = 1)
{
    return drawnBounds (image, image.getBounds(), minAlpha);
}

inline juce::Image decode (const void* data, int size)
{
    return juce::ImageFileFormat::loadFrom (data, (size_t) size);
}
} // namespace quorvel::test
