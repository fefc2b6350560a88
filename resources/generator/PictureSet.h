#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

// Every picture of the plug-in, painted and encoded. The same Roboto data
// gives the same bytes on every run.
class PictureSet
{
public:
    struct Picture
    {
        juce::String resourceName; // e.g. "knob_png"
        juce::String fileName; // e.g. "knob.png"
        juce::MemoryBlock bytes;
    };

    static std::vector<Picture> render (const void* robotoData, size_t robotoSize);

    // 8-bit RGBA, not interlaced.
    static juce::MemoryBlock encodePng (const juce::Image& image);

    // Baseline JPEG with three components, none of them subsampled.
    static juce::MemoryBlock encodeJpeg (const juce::Image& image);
};
