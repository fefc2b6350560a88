#include "look/AltLookAndFeel.h"

#include "look/LookRendering.h"
#include "resources/BinaryData.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
// The centre 60 x 60 of a frame of the knob strip, shown at 48 x 48.
juce::Image paintKnobFrame (int frame)
{
    const auto strip = juce::ImageCache::getFromMemory (BinaryData::knob_png, BinaryData::knob_pngSize);
    return LookRendering::paint (48, 48, [&] (juce::Graphics& g)
                                 { g.drawImage (strip, 0, 0, 48, 48, 5, frame * 70 + 5, 60, 60, false); });
}

std::vector<int> framesShownAt (float proportion)
{
    AltLookAndFeel look;
    return LookRendering::matchingFrames (LookRendering::paintKnob (look, proportion, 48, 48), 127, paintKnobFrame);
}

juce::Slider::SliderLayout layoutOf (juce::LookAndFeel& look, juce::Slider& slider)
{
    return look.getSliderLayout (slider);
}
} // namespace

TEST (AltLookAndFeelTest, KnobFrameRoundsUpFromTheSliderPosition)
{
    EXPECT_EQ (framesShownAt (0.0f), std::vector<int> { 0 });
    EXPECT_EQ (framesShownAt (0.001f), std::vector<int> { 1 });
    EXPECT_EQ (framesShownAt (0.5f), std::vector<int> { 63 });
    EXPECT_EQ (framesShownAt (0.999f), std::vector<int> { 126 });
    EXPECT_EQ (framesShownAt (1.0f), std::vector<int> { 126 });
}

TEST (AltLookAndFeelTest, KnobPositionOutsideTheRangeOrNotANumberStaysOnTheStrip)
{
    EXPECT_EQ (framesShownAt (1.5f), std::vector<int> { 126 });
    EXPECT_EQ (framesShownAt (std::numeric_limits<float>::infinity()), std::vector<int> { 126 });
    EXPECT_EQ (framesShownAt (-0.25f), std::vector<int> { 0 });
    EXPECT_EQ (framesShownAt (-std::numeric_limits<float>::infinity()), std::vector<int> { 0 });
    EXPECT_EQ (framesShownAt (std::numeric_limits<float>::quiet_NaN()), std::vector<int> { 0 });
}

TEST (AltLookAndFeelTest, KnobIsDrawnAtTheSlidersTopLeftWhateverTheBoundsGiven)
{
    AltLookAndFeel look;
    juce::Slider slider;
    const auto rendering = LookRendering::paint (100, 100, [&] (juce::Graphics& g)
                                                 { look.drawRotarySlider (g, 30, 40, 60, 50, 0.5f, 0.0f, 1.0f, slider); });

    const auto expected = LookRendering::paint (100, 100, [&] (juce::Graphics& g)
                                                { g.drawImageAt (paintKnobFrame (63), 0, 0); });

    EXPECT_TRUE (LookRendering::samePixels (rendering, expected));
}

TEST (AltLookAndFeelTest, SliderLayoutIsFixedWhateverTheSlidersSizeAndTextBox)
{
    AltLookAndFeel look;
    juce::Slider slider (juce::Slider::RotaryVerticalDrag, juce::Slider::TextBoxRight);
    slider.setLookAndFeel (&look);

    const juce::Rectangle<int> sliderBounds (0, 0, 48, 48);
    const juce::Rectangle<int> textBoxBounds (56, 6, 55, 15);

    const juce::Rectangle<int> sizes[] = { { 0, 0, 113, 56 }, { 0, 0, 1, 1 }, { 0, 0, 0, 0 }, { 0, 0, 600, 400 } };
    const juce::Slider::TextEntryBoxPosition positions[] = { juce::Slider::TextBoxRight, juce::Slider::TextBoxBelow, juce::Slider::TextBoxLeft };

    for (const auto& size : sizes)
    {
        for (auto position : positions)
        {
            slider.setTextBoxStyle (position, false, 20 + size.getWidth(), 5 + size.getHeight());
            slider.setBounds (size);

            const auto layout = layoutOf (look, slider);
            EXPECT_EQ (layout.sliderBounds, sliderBounds);
            EXPECT_EQ (layout.textBoxBounds, textBoxBounds);

            // The framework puts the value box where the layout says.
            for (auto* child : slider.getChildren())
            {
                if (dynamic_cast<juce::Label*> (child) != nullptr)
                {
                    EXPECT_EQ (child->getBounds(), textBoxBounds);
                }
            }
        }
    }

    slider.setLookAndFeel (nullptr);
}

TEST (AltLookAndFeelTest, ToggledButtonTooSmallForABodyStillGetsItsRedFrame)
{
    AltLookAndFeel look;
    juce::TextButton button;
    button.setToggleState (true, juce::dontSendNotification);

    for (const auto& size : { juce::Point<int> (1, 1), juce::Point<int> (1, 20), juce::Point<int> (20, 1) })
    {
        button.setSize (size.x, size.y);
        const auto rendering = LookRendering::paint (size.x, size.y, [&] (juce::Graphics& g)
                                                     { look.drawButtonBackground (g, button, juce::Colours::white, false, false); });

        for (int y = 0; y < size.y; ++y)
            for (int x = 0; x < size.x; ++x)
            {
                const auto pixel = rendering.getPixelAt (x, y);
                EXPECT_EQ (pixel.getAlpha(), 0xe6) << size.x << " x " << size.y << " at " << x << ", " << y;
                EXPECT_GE (pixel.getRed(), 0xf8);
                EXPECT_EQ (pixel.getGreen(), 0);
                EXPECT_EQ (pixel.getBlue(), 0);
            }
    }

    button.setToggleState (false, juce::dontSendNotification);
    button.setSize (1, 20);
    EXPECT_TRUE (LookRendering::isBlank (LookRendering::paint (1, 20, [&] (juce::Graphics& g)
                                                               { look.drawButtonBackground (g, button, juce::Colours::white, false, false); })));
}

TEST (AltLookAndFeelTest, ButtonBodyIsAFlatGradientInAWhiteOutline)
{
    AltLookAndFeel look;
    juce::TextButton button;
    button.setSize (60, 24);
    button.setConnectedEdges (juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight | juce::Button::ConnectedOnTop | juce::Button::ConnectedOnBottom);

    const auto paintButton = [&]
    {
        return LookRendering::paint (60, 24, [&] (juce::Graphics& g)
                                     { look.drawButtonBackground (g, button, juce::Colour (0xff3060c0), false, false); });
    };

    const auto plain = paintButton();
    EXPECT_EQ (plain.getPixelAt (0, 12).getARGB(), 0xffffffffu);
    EXPECT_EQ (plain.getPixelAt (30, 0).getARGB(), 0xffffffffu);
    EXPECT_EQ (plain.getPixelAt (0, 0).getARGB(), 0xffffffffu) << "connected on every edge: square corners";

    // Lighter at the top of the body than at the bottom, in the button's hue.
    const auto top = plain.getPixelAt (30, 3);
    const auto bottom = plain.getPixelAt (30, 20);
    EXPECT_GT (top.getBrightness(), bottom.getBrightness());
    EXPECT_GT (bottom.getBlue(), bottom.getRed());

    button.setToggleState (true, juce::dontSendNotification);
    const auto toggled = paintButton();
    EXPECT_GT (toggled.getPixelAt (0, 12).getRed(), 0xf0);
    EXPECT_LT (toggled.getPixelAt (0, 12).getGreen(), 0x40) << "the red frame lies over the white outline";
    EXPECT_EQ (toggled.getPixelAt (30, 12).getARGB(), plain.getPixelAt (30, 12).getARGB());

    button.setConnectedEdges (0);
    button.setToggleState (false, juce::dontSendNotification);
    EXPECT_LT (paintButton().getPixelAt (0, 0).getAlpha(), 0x80) << "rounded corners when free";
}

TEST (AltLookAndFeelTest, ComboBoxIsFlatWithTwoArrowsAtSeventyPercent)
{
    AltLookAndFeel look;

    for (bool enabled : { true, false })
    {
        juce::ComboBox box;
        box.setLookAndFeel (&look);
        box.setEnabled (enabled);

        const auto rendering = LookRendering::paint (120, 40, [&] (juce::Graphics& g)
                                                     { look.drawComboBox (g, 120, 40, ! enabled, 80, 0, 40, 40, box); });

        // Outline in white smoke, body and button area black.
        EXPECT_EQ (rendering.getPixelAt (0, 20).getARGB(), 0xfff5f5f5u);
        EXPECT_EQ (rendering.getPixelAt (60, 39).getARGB(), 0xfff5f5f5u);
        EXPECT_EQ (rendering.getPixelAt (40, 20).getARGB(), 0xff000000u);
        EXPECT_EQ (rendering.getPixelAt (84, 4).getARGB(), 0xff000000u);
        EXPECT_EQ (rendering.getPixelAt (100, 20).getARGB(), 0xff000000u) << "between the arrows";

        // Inside each arrow: white at 70 % over black.
        for (const auto& inside : { juce::Point<int> (100, 15), juce::Point<int> (100, 24) })
        {
            const auto pixel = rendering.getPixelAt (inside.x, inside.y);
            EXPECT_NEAR (pixel.getRed(), 178, 2) << (enabled ? "enabled" : "disabled");
            EXPECT_EQ (pixel.getRed(), pixel.getBlue());
        }

        box.setLookAndFeel (nullptr);
    }
}

TEST (AltLookAndFeelTest, OnlyTheDefaultSansSerifFaceBecomesRoboto)
{
    AltLookAndFeel look;

    const auto sans = look.getTypefaceForFont (juce::Font (14.0f));
    ASSERT_NE (sans, nullptr);
    EXPECT_EQ (sans->getName(), "Roboto");
    EXPECT_EQ (sans->getStyle(), "Regular");

    for (const auto& name : { juce::Font::getDefaultSerifFontName(), juce::Font::getDefaultMonospacedFontName(), juce::String ("DejaVu Sans") })
    {
        const auto other = look.getTypefaceForFont (juce::Font (name, 14.0f, juce::Font::plain));
        ASSERT_NE (other, nullptr);
        EXPECT_NE (other->getName(), "Roboto") << name;
    }
}

TEST (AltLookAndFeelTest, TextButtonsAndComboBoxesUseFourteenPixelPlainSans)
{
    AltLookAndFeel look;
    juce::TextButton button;
    juce::ComboBox box;

    for (const auto& font : { look.getTextButtonFont (button, 40), look.getTextButtonFont (button, 5), look.getComboBoxFont (box) })
    {
        EXPECT_FLOAT_EQ (font.getHeight(), 14.0f);
        EXPECT_EQ (font.getStyleFlags(), juce::Font::plain);
        EXPECT_EQ (font.getTypefaceName(), juce::Font::getDefaultSansSerifFontName());
    }
}

TEST (AltLookAndFeelTest, ColourSetForMenusEditorsAndButtons)
{
    AltLookAndFeel look;
    const juce::Colour highlight (0xbf5ec5da);

    EXPECT_EQ (look.findColour (juce::PopupMenu::highlightedBackgroundColourId), highlight);
    EXPECT_EQ (look.findColour (juce::TextEditor::focusedOutlineColourId), highlight);
    EXPECT_EQ (look.findColour (juce::ComboBox::textColourId), juce::Colours::white);
    EXPECT_EQ (look.findColour (juce::ComboBox::buttonColourId), juce::Colours::black);

    for (int id : { juce::TextButton::buttonColourId, juce::TextButton::buttonOnColourId, juce::TextButton::textColourOnId, juce::TextButton::textColourOffId })
        EXPECT_EQ (look.findColour (id), juce::Colours::white);
}
