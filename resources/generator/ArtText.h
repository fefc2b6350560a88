#pragma once

#include <juce_graphics/juce_graphics.h>

// Sets the pictures' print in the embedded Roboto face, never in a system
// font, so that the pictures come out the same on every machine.
class ArtText
{
public:
    enum class Align
    {
        left,
        centre,
        right
    };

    explicit ArtText (juce::Typeface::Ptr robotoTypeface);

    juce::Font font (float height, float extraKerning = 0.0f) const;

    float width (const juce::String& text, const juce::Font& font) const;

    // One line with its baseline at baselineY, starting at, centred on or
    // ending at x.
    void draw (juce::Graphics& g, const juce::String& text, const juce::Font& font, float x, float baselineY, Align align) const;

    // The outline of a line of text, for shapes that must sit on exact pixels.
    juce::Path outline (const juce::String& text, const juce::Font& font) const;

private:
    juce::Typeface::Ptr typeface;
};

// A small fixed-seed generator for texture, so that every run draws the same
// grain.
class ArtNoise
{
public:
    explicit ArtNoise (uint32_t seed)
        : state (seed)
    {
    }

    // Uniform in [-1, 1).
    float next()
    {
        state = state * 1664525u + 1013904223u;
        return (float) (state >> 8) / 8388608.0f - 1.0f;
    }

private:
    uint32_t state;
};
