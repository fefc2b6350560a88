#include "resources/generator/ArtText.h"

ArtText::ArtText (juce::Typeface::Ptr robotoTypeface)
    : typeface (std::move (robotoTypeface))
{
}

juce::Font ArtText::font (float height, float extraKerning) const
{
    return juce::Font (typeface).withHeight (height).withExtraKerningFactor (extraKerning);
}

float ArtText::width (const juce::String& text, const juce::Font& textFont) const
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (textFont, text, 0.0f, 0.0f);
    return glyphs.getBoundingBox (0, -1, true).getWidth();
}

void ArtText::draw (juce::Graphics& g, const juce::String& text, const juce::Font& textFont, float x, float baselineY, Align align) const
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (textFont, text, 0.0f, baselineY);

    const auto textWidth = glyphs.getBoundingBox (0, -1, true).getWidth();
    const auto startX = align == Align::left ? x : align == Align::centre ? x - textWidth * 0.5f
                                                                          : x - textWidth;
    glyphs.moveRangeOfGlyphs (0, -1, startX, 0.0f);
    glyphs.draw (g);
}

juce::Path ArtText::outline (const juce::String& text, const juce::Font& textFont) const
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (textFont, text, 0.0f, 0.0f);

    juce::Path path;
    glyphs.createPath (path);
    return path;
}
