#include "resources/generator/BarPainter.h"

#include "resources/FaceLayout.h"
#include "resources/generator/Palette.h"

#include <cmath>

namespace
{
// Rounded shading across a bar's width, brightest a little left of the
// middle, as if lit from the upper left.
float crossShade (int column, int width)
{
    const float u = ((float) column + 0.5f) / (float) width;
    const float bulge = std::sin (juce::MathConstants<float>::pi * u);
    return 0.70f + 0.36f * std::pow (bulge, 0.8f) - 0.06f * u;
}

juce::Colour shade (juce::Colour colour, float factor)
{
    return juce::Colour::fromFloatRGBA (juce::jlimit (0.0f, 1.0f, colour.getFloatRed() * factor),
                                        juce::jlimit (0.0f, 1.0f, colour.getFloatGreen() * factor),
                                        juce::jlimit (0.0f, 1.0f, colour.getFloatBlue() * factor),
                                        1.0f);
}

// Meter colour at a level in decibels, with short blends between zones.
juce::Colour zoneColour (float decibels)
{
    struct Zone
    {
        float fromDb;
        juce::Colour colour;
    };

    const Zone zones[] = { { 0.0f, Palette::meterRed }, { -6.0f, Palette::meterOrange }, { -12.0f, Palette::meterYellow } };
    constexpr float blendDb = 0.35f;
    auto colour = Palette::meterGreen;

    for (int i = (int) std::size (zones); --i >= 0;)
    {
        const float weight = juce::jlimit (0.0f, 1.0f, (decibels - zones[i].fromDb) / blendDb + 0.5f);
        colour = colour.interpolatedWith (zones[i].colour, weight);
    }

    return colour;
}

juce::Image paintColumnBar (int width, int height, const std::function<juce::Colour (int row)>& rowColour)
{
    juce::Image bar (juce::Image::ARGB, width, height, true);

    for (int y = 0; y < height; ++y)
    {
        const auto colour = rowColour (y);

        for (int x = 0; x < width; ++x)
            bar.setPixelAt (x, y, shade (colour, crossShade (x, width)));
    }

    return bar;
}
} // namespace

juce::Image BarPainter::paintInputBar()
{
    constexpr int height = 143;

    return paintColumnBar (FaceLayout::meterWidth, height, [] (int row)
                           {
        // A touch lighter towards the top, so a high level reads as brighter.
        const float towardsTop = 1.0f - ((float) row + 0.5f) / (float) height;
        return Palette::meterGreen.interpolatedWith (Palette::meterGreen.brighter (0.35f), towardsTop * 0.6f); });
}

juce::Image BarPainter::paintOutputBar()
{
    constexpr int height = 163;

    return paintColumnBar (FaceLayout::meterWidth, height, [] (int row)
                           {
        const float decibels = FaceLayout::meterTopDb - FaceLayout::meterRangeDb * ((float) row + 0.5f) / (float) height;
        return zoneColour (decibels); });
}

juce::Image BarPainter::paintReductionBar()
{
    constexpr int width = FaceLayout::reductionMeter.width;
    constexpr int height = FaceLayout::reductionMeter.height;
    juce::Image bar (juce::Image::ARGB, width, height, true);

    for (int y = 0; y < height; ++y)
    {
        const float depth = ((float) y + 0.5f) / (float) height;
        const auto rowColour = Palette::reductionBlue.interpolatedWith (Palette::reductionBlue.darker (0.25f), depth);

        for (int x = 0; x < width; ++x)
        {
            // Fine stripes: one lit column in three, with a dark one after it.
            const int phase = x % 3;
            const float stripe = phase == 1 ? 1.30f : phase == 2 ? 0.82f
                                                                 : 1.0f;
            const bool edge = x == 0 || x == width - 1;
            bar.setPixelAt (x, y, shade (rowColour, stripe * crossShade (x, width) * (edge ? 0.7f : 1.0f)));
        }
    }

    return bar;
}

juce::Image BarPainter::paintFaderThumb()
{
    constexpr float width = 43.0f;
    constexpr float height = (float) FaceLayout::thumbHeight;
    juce::Image thumb (juce::Image::ARGB, (int) width, (int) height, true);
    juce::Graphics g (thumb);

    const juce::Rectangle<float> body (0.5f, 0.5f, width - 1.0f, height - 1.0f);

    juce::ColourGradient fill (Palette::thumbBlueLight, 0.0f, 0.0f, Palette::thumbBlueDark, 0.0f, height, false);
    fill.addColour (0.45, Palette::thumbBlue);
    g.setGradientFill (fill);
    g.fillRoundedRectangle (body, 4.0f);

    g.setColour (juce::Colours::white.withAlpha (0.35f));
    g.drawHorizontalLine (1, 4.0f, width - 4.0f);

    g.setColour (Palette::thumbOutline);
    g.drawRoundedRectangle (body, 4.0f, 1.0f);

    // The index line that marks the set level, in the middle row, where the
    // face prints the scale's marks.
    constexpr int indexRow = FaceLayout::thumbHeight / 2;
    g.setColour (juce::Colours::white.withAlpha (0.92f));
    g.fillRect (5, indexRow, (int) width - 10, 1);
    g.setColour (Palette::thumbOutline.withAlpha (0.6f));
    g.fillRect (5, indexRow + 1, (int) width - 10, 1);

    return thumb;
}
