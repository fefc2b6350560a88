#include "resources/generator/IconPainter.h"

#include "resources/FaceLayout.h"
#include "resources/generator/Palette.h"

#include <cmath>

namespace
{
// The maker's mark: a sphere drawn as a wire frame, for a maker of
// spatial-audio tools.
void drawSphereMark (juce::Graphics& g, juce::Point<float> centre, float radius, float thickness)
{
    g.setColour (Palette::accent);
    g.drawEllipse (centre.x - radius, centre.y - radius, radius * 2.0f, radius * 2.0f, thickness);

    g.setColour (Palette::accent.withAlpha (0.75f));
    g.drawEllipse (centre.x - radius, centre.y - radius * 0.36f, radius * 2.0f, radius * 0.72f, thickness * 0.75f);
    g.drawEllipse (centre.x - radius * 0.36f, centre.y - radius, radius * 0.72f, radius * 2.0f, thickness * 0.75f);

    g.setColour (Palette::accent.withAlpha (0.45f));
    g.drawLine (centre.x - radius, centre.y, centre.x + radius, centre.y, thickness * 0.6f);
    g.drawLine (centre.x, centre.y - radius, centre.x, centre.y + radius, thickness * 0.6f);

    g.setColour (Palette::accent);
    g.fillEllipse (centre.x - 1.8f, centre.y - 1.8f, 3.6f, 3.6f);
}

// A meter's left edge from the left edge of its group's caption.
constexpr int fromCaption (const int (&meterX)[4], FaceLayout::Box caption, int meter)
{
    return meterX[meter] - caption.x;
}

// One caption picture serves both groups, so each letter goes halfway between
// where the two groups' meters stand under their captions: no more than a
// pixel apart, or a letter would miss its meter in one of the groups.
constexpr bool metersStandAlikeUnderBothCaptions()
{
    for (int meter = 0; meter < 4; ++meter)
    {
        const int apart = fromCaption (FaceLayout::inputMeterX, FaceLayout::inputCaption, meter) - fromCaption (FaceLayout::outputMeterX, FaceLayout::outputCaption, meter);

        if (apart < -1 || apart > 1)
            return false;
    }

    return true;
}

static_assert (metersStandAlikeUnderBothCaptions());

float letterCentre (int meter)
{
    const int halfwayTwice = fromCaption (FaceLayout::inputMeterX, FaceLayout::inputCaption, meter) + fromCaption (FaceLayout::outputMeterX, FaceLayout::outputCaption, meter);
    return (float) halfwayTwice * 0.5f + (float) FaceLayout::meterWidth * 0.5f;
}
} // namespace

IconPainter::IconPainter (const ArtText& textToUse)
    : text (textToUse)
{
}

juce::Image IconPainter::paintGear()
{
    constexpr int size = 22;
    constexpr int teeth = 8;
    const juce::Point<float> centre (11.0f, 11.0f);
    constexpr float tipRadius = 10.3f;
    constexpr float rootRadius = 7.7f;
    constexpr float holeRadius = 3.3f;

    juce::Path gear;
    const float step = juce::MathConstants<float>::twoPi / (float) teeth;

    auto at = [&] (float radius, float angle)
    {
        return juce::Point<float> (centre.x + radius * std::sin (angle), centre.y - radius * std::cos (angle));
    };

    for (int tooth = 0; tooth < teeth; ++tooth)
    {
        const float middle = step * (float) tooth;
        const float tipHalf = step * 0.17f;
        const float rootHalf = step * 0.27f;

        const auto rootStart = at (rootRadius, middle - rootHalf);

        if (tooth == 0)
            gear.startNewSubPath (rootStart);
        else
            gear.lineTo (rootStart);

        gear.lineTo (at (tipRadius, middle - tipHalf));
        gear.lineTo (at (tipRadius, middle + tipHalf));
        gear.lineTo (at (rootRadius, middle + rootHalf));

        // The gap between teeth follows the root circle.
        const float gapEnd = middle + step - rootHalf;
        for (int i = 1; i <= 4; ++i)
            gear.lineTo (at (rootRadius, middle + rootHalf + (gapEnd - middle - rootHalf) * (float) i / 4.0f));
    }

    gear.closeSubPath();
    gear.addEllipse (centre.x - holeRadius, centre.y - holeRadius, holeRadius * 2.0f, holeRadius * 2.0f);
    gear.setUsingNonZeroWinding (false);

    juce::Image image (juce::Image::ARGB, size, size, true);
    juce::Graphics g (image);
    g.setColour (juce::Colours::white);
    g.fillPath (gear);
    return image;
}

juce::Image IconPainter::paintChannelCaption (const juce::String& letters) const
{
    juce::Image image (juce::Image::ARGB, FaceLayout::captionWidth, FaceLayout::captionHeight, true);
    juce::Graphics g (image);
    g.setColour (Palette::channelLetters);

    constexpr float capTop = 1.0f;
    constexpr float capHeight = 7.0f;

    // Scale the font so that the capitals stand exactly on pixel rows 1..7.
    const auto probe = text.outline ("H", text.font (20.0f)).getBounds();
    const auto font = text.font (20.0f * capHeight / probe.getHeight());

    for (int i = 0; i < juce::jmin (4, letters.length()); ++i)
    {
        auto glyph = text.outline (letters.substring (i, i + 1), font);
        const auto bounds = glyph.getBounds();
        glyph.applyTransform (juce::AffineTransform::translation (letterCentre (i) - bounds.getCentreX(), capTop - bounds.getY()));
        g.fillPath (glyph);
    }

    return image;
}

juce::Image IconPainter::paintWelcomeCard() const
{
    constexpr auto cardBox = FaceLayout::welcomeCard;
    constexpr float width = (float) cardBox.width;
    constexpr float height = (float) cardBox.height;
    constexpr float middle = width * 0.5f;

    juce::Image image (juce::Image::ARGB, cardBox.width, cardBox.height, true);
    juce::Graphics g (image);

    const juce::Rectangle<float> card (0.5f, 0.5f, width - 1.0f, height - 1.0f);
    g.setGradientFill (juce::ColourGradient (juce::Colour (0xff262a30), 0.0f, 0.0f, juce::Colour (0xff141619), 0.0f, height, false));
    g.fillRoundedRectangle (card, 10.0f);
    g.setColour (Palette::panelBorder.brighter (0.2f));
    g.drawRoundedRectangle (card, 10.0f, 1.0f);

    // The accent rule along the top edge.
    g.setColour (Palette::accent.withAlpha (0.8f));
    g.fillRoundedRectangle (middle - 24.0f, 6.0f, 48.0f, 2.0f, 1.0f);

    drawSphereMark (g, { middle, 30.0f }, 15.0f, 1.6f);

    // The title is set here by the panel; a rule closes its area.
    g.setColour (Palette::panelBorder.brighter (0.3f));
    g.fillRect (40.0f, (float) FaceLayout::cardTitle.bottom() + 7.0f, width - 80.0f, 1.0f);

    g.setColour (Palette::titleText);
    text.draw (g, "BRELLICK", text.font (15.0f, 0.22f), middle, 140.0f, ArtText::Align::centre);

    g.setColour (Palette::makerText);
    text.draw (g, "Tools for spatial audio", text.font (12.0f), middle, 160.0f, ArtText::Align::centre);

    g.setColour (Palette::scaleText);
    text.draw (g, "Ambisonic look-ahead limiter", text.font (11.0f), middle, 190.0f, ArtText::Align::centre);
    text.draw (g, "First order, ambiX and FuMa", text.font (11.0f), middle, 205.0f, ArtText::Align::centre);

    g.setColour (Palette::panelBorder.brighter (0.3f));
    g.fillRect (40.0f, (float) FaceLayout::cardLink.y - 8.0f, width - 80.0f, 1.0f);

    g.setColour (Palette::faintText);
    text.draw (g, "Click anywhere to close", text.font (10.0f), middle, 272.0f, ArtText::Align::centre);

    return image;
}
