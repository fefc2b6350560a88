#include "resources/generator/EditorFacePainter.h"

#include "resources/FaceRectangle.h"
#include "resources/generator/Palette.h"

#include <cmath>

namespace
{
using Align = ArtText::Align;

constexpr int panelTop = 34;
constexpr int panelBottom = 272;
constexpr int knobAreaTop = 294;
constexpr int gap = 4;

// The input block ends just right of its meters (its scale is on the left).
// The output block starts left of the max-peak line, so that the line lies
// inside it; the gain-reduction column fills what is left between the two,
// wide enough on the left for its scale's numbers to keep clear of its edge.
constexpr int inputPanelX = 8;
constexpr int inputPanelRight = FaceLayout::inputMeterX[3] + FaceLayout::meterWidth + 6;
constexpr int outputPanelX = FaceLayout::maxPeakLineX - gap;
constexpr int outputPanelRight = 328;
constexpr int columnX = inputPanelRight + gap;
constexpr int columnRight = outputPanelX - gap;
constexpr int peakPanelX = 334;
constexpr int peakPanelRight = 427;

static_assert (FaceLayout::maxPeakLineX + FaceLayout::maxPeakLineWidth < outputPanelRight);
static_assert (columnX + 20 < FaceLayout::reductionMeter.x);
static_assert (FaceLayout::reductionMeter.right() + 8 < columnRight);

// The option panel's strip covers the max-peak panel whole, and its rule lies
// between that panel and the output block.
static_assert (FaceLayout::optionStrip.x <= peakPanelX && peakPanelRight <= FaceLayout::optionStrip.right());
static_assert (FaceLayout::optionStrip.y <= panelTop && panelBottom <= FaceLayout::optionStrip.bottom());
static_assert (outputPanelRight <= FaceLayout::optionRule.x && FaceLayout::optionRule.right() <= peakPanelX);

void paintPanel (juce::Graphics& g, juce::Rectangle<float> area)
{
    g.setGradientFill (juce::ColourGradient (Palette::panelFill, 0.0f, area.getY(), Palette::panelFillLow, 0.0f, area.getBottom(), false));
    g.fillRoundedRectangle (area, 4.0f);
    g.setColour (Palette::panelBorder);
    g.drawRoundedRectangle (area.reduced (0.5f), 4.0f, 1.0f);
    g.setColour (Palette::panelHighlight.withAlpha (0.6f));
    g.drawHorizontalLine ((int) area.getY() + 1, area.getX() + 4.0f, area.getRight() - 4.0f);
}

// A recessed slot whose inside is exactly the given rectangle.
void paintWell (juce::Graphics& g, juce::Rectangle<int> inside)
{
    g.setColour (Palette::wellBorder);
    g.fillRect (inside.expanded (1));
    g.setColour (Palette::shadowLine);
    g.fillRect (inside.getX() - 1, inside.getY() - 1, inside.getWidth() + 2, 1);
    g.setColour (Palette::well);
    g.fillRect (inside);
}

juce::String decibelText (int decibels, bool withPlus)
{
    return (withPlus && decibels > 0 ? "+" : "") + juce::String (decibels);
}
} // namespace

EditorFacePainter::EditorFacePainter (const ArtText& textToUse)
    : text (textToUse)
{
}

juce::Image EditorFacePainter::paint() const
{
    juce::Image face (juce::Image::RGB, FaceLayout::width, FaceLayout::height, true);
    juce::Graphics g (face);

    g.setGradientFill (juce::ColourGradient (Palette::faceTop, 0.0f, 0.0f, Palette::faceBottom, 0.0f, (float) FaceLayout::height, false));
    g.fillAll();

    paintTitleStrip (g);
    paintMeterBlock (g, FaceLayout::inputMeterX, "INPUT", true);
    paintMeterBlock (g, FaceLayout::outputMeterX, "OUTPUT", false);
    paintReductionColumn (g);
    paintMaxPeakPanel (g);
    paintKnobArea (g);
    return face;
}

void EditorFacePainter::paintTitleStrip (juce::Graphics& g) const
{
    constexpr int strip = FaceLayout::titleHeight;

    g.setGradientFill (juce::ColourGradient (Palette::titleTop, 0.0f, 0.0f, Palette::titleBottom, 0.0f, (float) strip, false));
    g.fillRect (0, 0, FaceLayout::width, strip);
    g.setColour (Palette::panelHighlight);
    g.fillRect (0, 0, FaceLayout::width, 1);
    g.setColour (Palette::shadowLine);
    g.fillRect (0, strip - 1, FaceLayout::width, 1);

    const auto titleFont = text.font (19.0f, 0.02f);
    g.setColour (Palette::titleText);
    text.draw (g, "Quorvel", titleFont, 12.0f, 20.0f, Align::left);

    const float dividerX = std::round (12.0f + text.width ("Quorvel", titleFont) + 9.0f);
    g.setColour (Palette::panelBorder.brighter (0.3f));
    g.fillRect (dividerX, 8.0f, 1.0f, 13.0f);

    g.setColour (Palette::makerText);
    text.draw (g, "BRELLICK", text.font (10.5f, 0.22f), dividerX + 9.0f, 19.0f, Align::left);

    g.setColour (Palette::taglineText);
    text.draw (g, "AMBISONIC LOOK-AHEAD LIMITER", text.font (9.0f, 0.14f), 396.0f, 18.5f, Align::right);
}

void EditorFacePainter::paintMeterBlock (juce::Graphics& g, const int (&meterX)[4], const juce::String& caption, bool scaleOnLeft) const
{
    const int panelX = scaleOnLeft ? inputPanelX : outputPanelX;
    const int panelRight = scaleOnLeft ? inputPanelRight : outputPanelRight;
    paintPanel (g, { (float) panelX, (float) panelTop, (float) (panelRight - panelX), (float) (panelBottom - panelTop) });

    const int left = meterX[0];
    const int right = meterX[3] + FaceLayout::meterWidth;
    const float middle = (float) (left + right) * 0.5f;
    const int firstRow = FaceLayout::meterTop;
    const int lastRow = FaceLayout::meterTop + FaceLayout::meterHeight - 1;

    g.setColour (Palette::captionText);
    text.draw (g, caption, text.font (10.5f, 0.2f), middle, 56.0f, Align::centre);
    g.setColour (Palette::accent.withAlpha (0.55f));
    g.fillRect (middle - 10.0f, 62.0f, 20.0f, 1.0f);

    // Grid lines behind the meters at every 10 dB, ticks and numbers at the
    // side. On the output side the numbers keep clear of the max-peak line,
    // which the editor lays across the meters up to x 301.
    const auto numberFont = text.font (9.5f);
    const int tickStart = scaleOnLeft ? left - 3 : right + 3;
    const float numberX = scaleOnLeft ? (float) (left - 18) : (float) (right + 18);
    const auto numberAlign = scaleOnLeft ? Align::right : Align::left;

    for (int decibels = (int) FaceLayout::meterTopDb; decibels >= (int) FaceLayout::meterBottomDb; decibels -= 5)
    {
        const int row = juce::jlimit (firstRow, lastRow, FaceLayout::levelMeterRow ((float) decibels));
        const bool major = decibels % 10 == 0;

        if (major)
        {
            g.setColour (Palette::gridLine);
            g.fillRect (left - 2, row, right - left + 4, 1);
        }

        const int tickLength = major ? 7 : 3;
        g.setColour (major ? Palette::tickMark : Palette::tickMark.withAlpha (0.45f));
        g.fillRect (scaleOnLeft ? tickStart - tickLength : tickStart, row, tickLength, 1);

        if (major)
        {
            g.setColour (decibels > 0 ? Palette::meterRed.withMultipliedSaturation (0.6f).brighter (0.1f) : Palette::scaleText);
            text.draw (g, decibelText (decibels, true), numberFont, numberX, (float) row + 3.5f, numberAlign);
        }
    }

    g.setColour (Palette::faintText);
    text.draw (g, "dB", text.font (8.5f), numberX, (float) firstRow - 9.0f, numberAlign);

    for (int x : meterX)
        paintWell (g, toRectangle (FaceLayout::levelMeter (x)));
}

void EditorFacePainter::paintReductionColumn (juce::Graphics& g) const
{
    const int top = FaceLayout::titleHeight;
    const int bottom = knobAreaTop - 2;

    g.setColour (Palette::darkColumn);
    g.fillRect (columnX, top, columnRight - columnX, bottom - top);
    g.setColour (Palette::shadowLine);
    g.fillRect (columnX, top, 1, bottom - top);
    g.fillRect (columnRight - 1, top, 1, bottom - top);

    constexpr auto meter = FaceLayout::reductionMeter;
    const int meterLeft = meter.x;
    const int meterRight = meter.right();
    const int firstRow = meter.y;
    const int lastRow = meter.bottom() - 1;

    paintWell (g, toRectangle (meter));

    const auto numberFont = text.font (9.5f);

    for (int decibels = 5; (float) decibels <= FaceLayout::reductionFullDb; decibels += 5)
    {
        const int row = juce::jlimit (firstRow, lastRow, FaceLayout::reductionMeterRow ((float) decibels));
        const bool major = decibels % 10 == 0;
        const int tickLength = major ? 4 : 2;

        g.setColour (major ? Palette::tickMark : Palette::tickMark.withAlpha (0.45f));
        g.fillRect (meterLeft - 2 - tickLength, row, tickLength, 1);
        g.fillRect (meterRight + 2, row, tickLength, 1);

        if (major)
        {
            g.setColour (Palette::scaleText);
            text.draw (g, juce::String (-decibels), numberFont, (float) (meterLeft - 8), (float) row + 3.5f, Align::right);
        }
    }

    g.setColour (Palette::faintText);
    text.draw (g, "GR", text.font (9.0f, 0.2f), (float) (meterLeft + meterRight) * 0.5f, (float) bottom - 3.0f, Align::centre);
}

void EditorFacePainter::paintMaxPeakPanel (juce::Graphics& g) const
{
    paintPanel (g, { (float) peakPanelX, (float) panelTop, (float) (peakPanelRight - peakPanelX), (float) (panelBottom - panelTop) });

    const float panelMiddle = (float) (peakPanelX + peakPanelRight) * 0.5f;

    // The slot the thumb runs in; the track image fills it above the thumb.
    constexpr auto fader = FaceLayout::fader;
    constexpr int slotX = fader.x + FaceLayout::trackOffsetX - 1;
    constexpr int slotTop = fader.y + 2;
    constexpr int slotBottom = fader.y + FaceLayout::faderTravel + FaceLayout::thumbHeight - 2;
    static_assert (slotTop - 4 > FaceLayout::optionLabel.bottom(), "the +10 mark would show behind the option panel's label");
    paintWell (g, { slotX, slotTop, FaceLayout::trackWidth + 2, slotBottom - slotTop });

    // Marks at the rows where the thumb's index line stands for each value.
    const auto numberFont = text.font (9.5f);

    for (int decibels = 10; decibels >= -10; decibels -= 5)
    {
        const float proportion = (float) (decibels + 10) / 20.0f;
        const int thumbTop = fader.y + (int) ((float) FaceLayout::faderTravel * (1.0f - proportion));
        const int row = thumbTop + FaceLayout::thumbHeight / 2;
        const bool major = decibels % 10 == 0;

        g.setColour (major ? Palette::tickMark : Palette::tickMark.withAlpha (0.45f));
        g.fillRect (slotX - (major ? 6 : 4), row, major ? 4 : 2, 1);
        g.fillRect (slotX + FaceLayout::trackWidth + 4, row, major ? 4 : 2, 1);

        g.setColour (Palette::scaleText);
        text.draw (g, decibelText (decibels, true), numberFont, (float) slotX - 9.0f, (float) row + 3.5f, Align::right);
    }

    // The frame of the value box below the fader.
    constexpr auto value = FaceLayout::faderValue;
    paintWell (g, toRectangle (FaceLayout::within (fader, value)));

    // The caption goes under the value box, as the knobs' labels do: the
    // option panel's label lies over the top of this panel.
    const float captionTop = (float) (fader.y + value.bottom());
    g.setColour (Palette::captionText);
    const auto captionFont = text.font (10.0f, 0.2f);
    text.draw (g, "MAX PEAK", captionFont, panelMiddle, captionTop + 24.0f, Align::centre);
    text.draw (g, "OUTPUT", captionFont, panelMiddle, captionTop + 36.0f, Align::centre);
    g.setColour (Palette::accent.withAlpha (0.55f));
    g.fillRect (panelMiddle - 10.0f, captionTop + 42.0f, 20.0f, 1.0f);
}

void EditorFacePainter::paintKnobArea (juce::Graphics& g) const
{
    const int top = knobAreaTop;

    g.setGradientFill (juce::ColourGradient (Palette::panelFill, 0.0f, (float) top, Palette::faceBottom, 0.0f, (float) FaceLayout::height, false));
    g.fillRect (0, top, FaceLayout::width, FaceLayout::height - top);
    g.setColour (Palette::shadowLine);
    g.fillRect (0, top - 1, FaceLayout::width, 1);
    g.setColour (Palette::panelHighlight);
    g.fillRect (0, top, FaceLayout::width, 1);

    // Dividers halfway between the three knob groups.
    g.setColour (Palette::panelBorder);

    for (auto [left, right] : { std::pair (FaceLayout::gainKnob, FaceLayout::attackKnob), std::pair (FaceLayout::attackKnob, FaceLayout::releaseKnob) })
        g.fillRect ((left.right() + right.x) / 2, top + 10, 1, FaceLayout::height - top - 20);

    // Soft recesses under the knobs.
    auto recess = [&] (float centreX, float centreY, float radius)
    {
        juce::ColourGradient shade (juce::Colours::black.withAlpha (0.45f), centreX, centreY, juce::Colours::black.withAlpha (0.0f), centreX + radius, centreY, true);
        shade.addColour (0.8, juce::Colours::black.withAlpha (0.3f));
        g.setGradientFill (shade);
        g.fillEllipse (centreX - radius, centreY - radius, radius * 2.0f, radius * 2.0f);
    };

    // Centred on each dial, a touch low, so that more shade shows under a knob than above it.
    auto recessUnder = [&] (FaceLayout::Box knob, FaceLayout::Box dial, float lowerBy, float radius)
    {
        const auto area = FaceLayout::within (knob, dial);
        recess ((float) area.x + (float) area.width * 0.5f, (float) area.y + (float) area.height * 0.5f + lowerBy, radius);
    };

    recessUnder (FaceLayout::gainKnob, FaceLayout::gainDial, 2.5f, 35.0f);
    recessUnder (FaceLayout::attackKnob, FaceLayout::smallDial, 0.5f, 26.0f);
    recessUnder (FaceLayout::releaseKnob, FaceLayout::smallDial, 0.5f, 26.0f);

    // Value-box frames and the labels under them.
    const auto labelFont = text.font (11.0f, 0.02f);

    auto valueBox = [&] (FaceLayout::Box knob, FaceLayout::Box value, const juce::String& label)
    {
        const auto box = FaceLayout::within (knob, value);
        g.setColour (Palette::wellBorder);
        g.drawRect (box.x - 1, box.y - 1, box.width + 2, box.height + 2, 1);
        g.setColour (Palette::captionText);
        text.draw (g, label, labelFont, (float) box.x + (float) box.width * 0.5f, (float) box.bottom() + 14.0f, Align::centre);
    };

    valueBox (FaceLayout::gainKnob, FaceLayout::gainValue, "Input gain");
    valueBox (FaceLayout::attackKnob, FaceLayout::smallValue, "Look ahead");
    valueBox (FaceLayout::releaseKnob, FaceLayout::smallValue, "Release");
}
