#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// Paints into a transparent ARGB image and compares images pixel by pixel,
// so that look-and-feel operations can be checked without a display.
namespace LookRendering
{
inline juce::Image paint (int width, int height, const std::function<void (juce::Graphics&)>& painter)
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    juce::Graphics g (image);
    painter (g);
    return image;
}

inline bool samePixels (const juce::Image& a, const juce::Image& b)
{
    if (a.getWidth() != b.getWidth() || a.getHeight() != b.getHeight())
        return false;

    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y).getARGB() != b.getPixelAt (x, y).getARGB())
                return false;

    return true;
}

inline bool isBlank (const juce::Image& image)
{
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt (x, y).getAlpha() != 0)
                return false;

    return true;
}

inline bool isBlankRow (const juce::Image& image, int row)
{
    for (int x = 0; x < image.getWidth(); ++x)
        if (image.getPixelAt (x, row).getAlpha() != 0)
            return false;

    return true;
}

// Renders the rotary knob of a look at a slider position.
inline juce::Image paintKnob (juce::LookAndFeel& look, float proportion, int width, int height)
{
    juce::Slider slider;
    return paint (width, height, [&] (juce::Graphics& g)
                  { look.drawRotarySlider (g, 0, 0, width, height, proportion, 0.0f, 1.0f, slider); });
}

// The frames whose picture, drawn the way a look draws it, matches the
// rendering exactly.
inline std::vector<int> matchingFrames (const juce::Image& rendering, int numFrames, const std::function<juce::Image (int frame)>& paintFrame)
{
    std::vector<int> frames;

    for (int frame = 0; frame < numFrames; ++frame)
        if (samePixels (rendering, paintFrame (frame)))
            frames.push_back (frame);

    return frames;
}
} // namespace LookRendering
