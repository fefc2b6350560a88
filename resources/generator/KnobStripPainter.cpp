#include "resources/generator/KnobStripPainter.h"

#include "resources/FaceLayout.h"
#include "resources/generator/ArtText.h"
#include "resources/generator/Palette.h"

#include <cmath>

namespace
{
constexpr float sweepStart = -0.75f * juce::MathConstants<float>::pi;
constexpr float sweep = 1.5f * juce::MathConstants<float>::pi;

juce::Point<float> onCircle (juce::Point<float> centre, float radius, float angle)
{
    return { centre.x + radius * std::sin (angle), centre.y - radius * std::cos (angle) };
}

void strokeRadial (juce::Graphics& g, juce::Point<float> centre, float angle, float fromRadius, float toRadius, float thickness)
{
    g.drawLine (juce::Line<float> (onCircle (centre, fromRadius, angle), onCircle (centre, toRadius, angle)), thickness);
}

void strokeArc (juce::Graphics& g, juce::Point<float> centre, float radius, float from, float to, float thickness, bool roundEnds)
{
    juce::Path arc;
    arc.addCentredArc (centre.x, centre.y, radius, radius, 0.0f, from, to, true);
    g.strokePath (arc, juce::PathStrokeType (thickness, juce::PathStrokeType::curved, roundEnds ? juce::PathStrokeType::rounded : juce::PathStrokeType::butt));
}

void fillCircle (juce::Graphics& g, juce::Point<float> centre, float radius)
{
    g.fillEllipse (centre.x - radius, centre.y - radius, radius * 2.0f, radius * 2.0f);
}

// One frame of a strip, transparent.
juce::Image emptyFrame()
{
    return juce::Image (juce::Image::ARGB, FaceLayout::knobFrameSize, FaceLayout::knobFrameSize, true);
}

juce::Image assembleStrip (const std::function<void (juce::Graphics&, int)>& paintFrame)
{
    juce::Image strip (juce::Image::ARGB, FaceLayout::knobFrameSize, FaceLayout::knobFrameSize * FaceLayout::knobFrames, true);
    juce::Graphics stripGraphics (strip);

    for (int frame = 0; frame < FaceLayout::knobFrames; ++frame)
    {
        auto single = emptyFrame();
        {
            juce::Graphics g (single);
            paintFrame (g, frame);
        }
        stripGraphics.drawImageAt (single, 0, frame * FaceLayout::knobFrameSize);
    }

    return strip;
}

//==========================================================================
// The dark knob's parts that do not move.
juce::Image paintDarkKnobBase()
{
    const juce::Point<float> centre (35.0f, 35.0f);
    auto base = emptyFrame();
    juce::Graphics g (base);

    // Tick marks around the ring, every tenth of the travel.
    g.setColour (Palette::tickMark);

    for (int tick = 0; tick <= 10; ++tick)
        strokeRadial (g, centre, sweepStart + sweep * (float) tick / 10.0f, 25.0f, 27.2f, 1.2f);

    // The groove the value arc runs in.
    g.setColour (Palette::knobGroove);
    strokeArc (g, centre, 21.5f, sweepStart, sweepStart + sweep, 3.6f, true);

    // Soft shadow under the body.
    g.setColour (juce::Colours::black.withAlpha (0.18f));
    fillCircle (g, centre.translated (0.0f, 1.6f), 18.4f);
    g.setColour (juce::Colours::black.withAlpha (0.35f));
    fillCircle (g, centre.translated (0.0f, 1.0f), 17.4f);

    // Body, lit from above.
    g.setGradientFill (juce::ColourGradient (Palette::knobBodyTop, centre.x, centre.y - 17.0f, Palette::knobBodyBottom, centre.x, centre.y + 17.0f, false));
    fillCircle (g, centre, 16.8f);

    // Slightly dished cap inside a lighter rim.
    g.setGradientFill (juce::ColourGradient (Palette::knobCapTop, centre.x, centre.y - 14.0f, Palette::knobCapBottom, centre.x, centre.y + 14.0f, false));
    fillCircle (g, centre, 14.2f);

    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.22f), centre.x, centre.y - 17.0f, juce::Colours::white.withAlpha (0.0f), centre.x, centre.y + 4.0f, false));
    g.drawEllipse (centre.x - 16.3f, centre.y - 16.3f, 32.6f, 32.6f, 1.0f);

    return base;
}

//==========================================================================
// A brushed metal cap, drawn pixel by pixel: concentric grain and two
// broad reflections that stay put while the pointer turns.
juce::Image paintBrushedCap (juce::Point<float> centre, float radius)
{
    constexpr int size = FaceLayout::knobFrameSize;
    constexpr int samples = 4;
    auto cap = emptyFrame();

    std::vector<float> grain (256);
    ArtNoise noise (0x51ca7e5u);

    for (auto& ring : grain)
        ring = noise.next();

    const float lightAngle = -0.25f * juce::MathConstants<float>::pi;

    for (int y = 0; y < size; ++y)
    {
        for (int x = 0; x < size; ++x)
        {
            float red = 0.0f, green = 0.0f, blue = 0.0f, coverage = 0.0f;

            for (int sy = 0; sy < samples; ++sy)
            {
                for (int sx = 0; sx < samples; ++sx)
                {
                    const float px = (float) x + ((float) sx + 0.5f) / (float) samples - centre.x;
                    const float py = (float) y + ((float) sy + 0.5f) / (float) samples - centre.y;
                    const float r = std::sqrt (px * px + py * py);

                    if (r > radius)
                        continue;

                    const float angle = std::atan2 (px, -py);
                    const float sheen = std::cos (2.0f * (angle - lightAngle));
                    const float glint = std::pow (juce::jmax (0.0f, sheen), 3.0f);
                    const int ringIndex = juce::jlimit (0, 255, (int) (r * 3.0f));

                    float level = 0.60f + 0.06f * std::cos (angle - lightAngle) + 0.24f * glint - 0.05f * (1.0f - juce::jmax (0.0f, sheen))
                                  + 0.035f * grain[(size_t) ringIndex];

                    // Chamfer: a light edge, then a dark fall-off into the bezel.
                    level += 0.10f * juce::jmax (0.0f, 1.0f - std::abs (r - (radius - 1.9f)) / 0.7f);

                    if (r > radius - 1.2f)
                        level *= 0.72f;

                    level = juce::jlimit (0.0f, 1.0f, level);
                    red += level * 0.965f;
                    green += level * 0.98f;
                    blue += level;
                    coverage += 1.0f;
                }
            }

            if (coverage <= 0.0f)
                continue;

            const float total = (float) (samples * samples);
            const float alpha = coverage / total;
            const auto colour = juce::Colour::fromFloatRGBA (red / coverage, green / coverage, blue / coverage, alpha);
            cap.setPixelAt (x, y, colour);
        }
    }

    return cap;
}
} // namespace

//==============================================================================
float KnobStripPainter::angleForFrame (int frame)
{
    return sweepStart + sweep * (float) frame / (float) (FaceLayout::knobFrames - 1);
}

juce::Image KnobStripPainter::paintKnobStrip()
{
    const juce::Point<float> centre (35.0f, 35.0f);
    const auto base = paintDarkKnobBase();

    return assembleStrip ([&] (juce::Graphics& g, int frame)
                          {
        g.drawImageAt (base, 0, 0);
        const auto angle = angleForFrame (frame);

        if (frame == 0)
        {
            g.setColour (Palette::startDot);
            fillCircle (g, onCircle (centre, 21.5f, sweepStart), 2.1f);
        }
        else
        {
            g.setColour (Palette::accent);
            strokeArc (g, centre, 21.5f, sweepStart, angle, 2.4f, false);
        }

        // Pointer with a faint halo so it reads at the small size.
        g.setColour (Palette::accent.withAlpha (0.25f));
        strokeRadial (g, centre, angle, 5.5f, 14.0f, 4.0f);
        g.setColour (Palette::accent);
        juce::Path pointer;
        pointer.startNewSubPath (onCircle (centre, 6.0f, angle));
        pointer.lineTo (onCircle (centre, 13.6f, angle));
        g.strokePath (pointer, juce::PathStrokeType (2.4f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded)); });
}

juce::Image KnobStripPainter::paintGainKnobStrip()
{
    const juce::Point<float> centre (35.0f, 37.0f);
    constexpr float bezelRadius = 30.0f;
    constexpr float capRadius = 23.5f;

    auto base = emptyFrame();
    {
        juce::Graphics g (base);

        g.setColour (juce::Colours::black.withAlpha (0.30f));
        fillCircle (g, centre.translated (0.0f, 0.8f), bezelRadius + 0.5f);

        g.setGradientFill (juce::ColourGradient (juce::Colour (0xff23262b), centre.x, centre.y - bezelRadius, Palette::bezel, centre.x, centre.y + bezelRadius, false));
        fillCircle (g, centre, bezelRadius);

        g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.16f), centre.x, centre.y - bezelRadius, juce::Colours::white.withAlpha (0.0f), centre.x, centre.y, false));
        g.drawEllipse (centre.x - bezelRadius + 0.5f, centre.y - bezelRadius + 0.5f, 2.0f * bezelRadius - 1.0f, 2.0f * bezelRadius - 1.0f, 1.0f);

        g.setColour (Palette::tickMark.brighter (0.25f));

        for (int tick = 0; tick <= 12; ++tick)
            strokeRadial (g, centre, sweepStart + sweep * (float) tick / 12.0f, 25.4f, 28.2f, tick % 6 == 0 ? 1.6f : 1.1f);

        g.setColour (juce::Colours::black.withAlpha (0.55f));
        fillCircle (g, centre.translated (0.0f, 0.9f), capRadius + 0.6f);
        g.drawImageAt (paintBrushedCap (centre, capRadius), 0, 0);
    }

    return assembleStrip ([&] (juce::Graphics& g, int frame)
                          {
        g.drawImageAt (base, 0, 0);
        const auto angle = angleForFrame (frame);

        if (frame == (FaceLayout::knobFrames - 1) / 2)
        {
            juce::Path marker;
            marker.addTriangle (centre.x - 2.6f, 1.4f, centre.x + 2.6f, 1.4f, centre.x, 4.8f);
            g.setColour (Palette::accent);
            g.fillPath (marker);
        }

        // A dark slot with the cyan line in it, readable on the bright metal.
        juce::Path slot;
        slot.startNewSubPath (onCircle (centre, 9.0f, angle));
        slot.lineTo (onCircle (centre, 21.0f, angle));
        g.setColour (juce::Colour (0xff15171b).withAlpha (0.85f));
        g.strokePath (slot, juce::PathStrokeType (4.2f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
        g.setColour (Palette::accent);
        g.strokePath (slot, juce::PathStrokeType (2.2f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded)); });
}
