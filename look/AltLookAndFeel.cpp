#include "look/AltLookAndFeel.h"

#include "resources/BinaryData.h"
#include "resources/FaceRectangle.h"

#include <cmath>

namespace
{
const juce::Colour highlightColour = juce::Colour (0xf65ec5da).withAlpha (0.75f);
constexpr float fontHeight = 14.0f;

// The small knob shows each frame without this margin, where its strip draws
// nothing.
constexpr int knobMargin = 5;
constexpr int knobShownSize = FaceLayout::knobFrameSize - 2 * knobMargin;
} // namespace

AltLookAndFeel::AltLookAndFeel()
{
    setColour (juce::ComboBox::backgroundColourId, juce::Colours::black);
    setColour (juce::ComboBox::buttonColourId, juce::Colours::black);
    setColour (juce::ComboBox::outlineColourId, juce::Colours::whitesmoke);
    setColour (juce::ComboBox::arrowColourId, juce::Colours::white);
    setColour (juce::ComboBox::textColourId, juce::Colours::white);
    setColour (juce::PopupMenu::highlightedBackgroundColourId, highlightColour);
    setColour (juce::TextEditor::focusedOutlineColourId, highlightColour);
    setColour (juce::TextButton::buttonColourId, juce::Colours::white);
    setColour (juce::TextButton::buttonOnColourId, juce::Colours::white);
    setColour (juce::TextButton::textColourOnId, juce::Colours::white);
    setColour (juce::TextButton::textColourOffId, juce::Colours::white);
}

AltLookAndFeel::~AltLookAndFeel() = default;

float AltLookAndFeel::clampProportion (float proportion) noexcept
{
    if (std::isnan (proportion))
        return 0.0f;

    return juce::jlimit (0.0f, 1.0f, proportion);
}

juce::Typeface::Ptr AltLookAndFeel::getTypefaceForFont (const juce::Font& font)
{
    // A new typeface per call: the framework caches what this returns, so
    // calls are rare.
    if (font.getTypefaceName() == juce::Font::getDefaultSansSerifFontName())
        return juce::Typeface::createSystemTypefaceFor (BinaryData::Roboto_ttf, (size_t) BinaryData::Roboto_ttfSize);

    return juce::LookAndFeel_V3::getTypefaceForFont (font);
}

void AltLookAndFeel::drawButtonBackground (juce::Graphics& g,
                                           juce::Button& button,
                                           const juce::Colour& backgroundColour,
                                           bool isMouseOverButton,
                                           bool isButtonDown)
{
    auto base = backgroundColour.withMultipliedSaturation (button.hasKeyboardFocus (true) ? 1.3f : 0.9f)
                    .withMultipliedAlpha (button.isEnabled() ? 0.9f : 0.5f);

    if (isButtonDown || isMouseOverButton)
        base = base.contrasting (isButtonDown ? 0.2f : 0.1f);

    const auto width = (float) button.getWidth() - 1.0f;
    const auto height = (float) button.getHeight() - 1.0f;

    if (width > 0.0f && height > 0.0f)
    {
        const bool flatLeft = button.isConnectedOnLeft();
        const bool flatRight = button.isConnectedOnRight();
        const bool flatTop = button.isConnectedOnTop();
        const bool flatBottom = button.isConnectedOnBottom();

        juce::Path outline;
        outline.addRoundedRectangle (0.5f, 0.5f, width, height, 4.0f, 4.0f, ! (flatLeft || flatTop), ! (flatRight || flatTop), ! (flatLeft || flatBottom), ! (flatRight || flatBottom));

        const auto brightness = base.getBrightness();
        const auto alpha = base.getFloatAlpha();

        g.setGradientFill (juce::ColourGradient (base.brighter (0.2f), 0.0f, 0.0f, base.darker (0.25f), 0.0f, height, false));
        g.fillPath (outline);

        g.setColour (juce::Colours::white.withAlpha (0.4f * alpha * brightness * brightness));
        g.strokePath (outline, juce::PathStrokeType (1.0f), juce::AffineTransform::translation (0.0f, 1.0f).scaled (1.0f, (height - 1.6f) / height));

        g.setColour (juce::Colours::white);
        g.strokePath (outline, juce::PathStrokeType (1.0f));
    }

    // The frame of a button that is on shows even on a button too small for
    // a body.
    if (button.getToggleState())
    {
        g.setColour (juce::Colours::red.withAlpha (0.9f));
        g.drawRect (0, 0, button.getWidth(), button.getHeight(), 1);
    }
}

juce::Font AltLookAndFeel::getTextButtonFont (juce::TextButton&, int)
{
    return juce::Font (fontHeight, juce::Font::plain);
}

void AltLookAndFeel::drawComboBox (juce::Graphics& g,
                                   int width,
                                   int height,
                                   bool,
                                   int buttonX,
                                   int buttonY,
                                   int buttonW,
                                   int buttonH,
                                   juce::ComboBox& box)
{
    g.fillAll (box.findColour (juce::ComboBox::backgroundColourId));
    g.setColour (box.findColour (juce::ComboBox::outlineColourId));
    g.drawRect (0, 0, width, height, 1);

    const auto bx = (float) buttonX;
    const auto by = (float) buttonY;
    const auto bw = (float) buttonW;
    const auto bh = (float) buttonH;

    juce::Path arrows;
    arrows.addTriangle (bx + bw * 0.5f, by + bh * (0.45f - 0.2f), bx + bw * 0.7f, by + bh * 0.45f, bx + bw * 0.3f, by + bh * 0.45f);
    arrows.addTriangle (bx + bw * 0.5f, by + bh * (0.55f + 0.2f), bx + bw * 0.7f, by + bh * 0.55f, bx + bw * 0.3f, by + bh * 0.55f);

    // The same arrows whether the box is enabled or pressed.
    g.setColour (box.findColour (juce::ComboBox::arrowColourId).withMultipliedAlpha (0.7f));
    g.fillPath (arrows);
}

juce::Font AltLookAndFeel::getComboBoxFont (juce::ComboBox&)
{
    return juce::Font (fontHeight, juce::Font::plain);
}

void AltLookAndFeel::drawRotarySlider (juce::Graphics& g, int, int, int, int, float sliderPosProportional, float, float, juce::Slider&)
{
    const auto strip = juce::ImageCache::getFromMemory (BinaryData::knob_png, BinaryData::knob_pngSize);

    // Rounded up, so that the smallest move off the minimum shows.
    const auto frame = (int) std::ceil (clampProportion (sliderPosProportional) * (float) (FaceLayout::knobFrames - 1));

    g.drawImage (strip,
                 0,
                 0,
                 FaceLayout::smallDial.width,
                 FaceLayout::smallDial.height,
                 knobMargin,
                 frame * FaceLayout::knobFrameSize + knobMargin,
                 knobShownSize,
                 knobShownSize,
                 false);
}

juce::Slider::SliderLayout AltLookAndFeel::getSliderLayout (juce::Slider&)
{
    return { toRectangle (FaceLayout::smallDial), toRectangle (FaceLayout::smallValue) };
}
