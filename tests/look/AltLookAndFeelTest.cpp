// The common look and the two looks that change its knob and its button: what
// each draws, checked against the same drawing made by hand from the embedded
// pictures, and the fixed slider layouts of all four.

#include "look/AltLookAndFeel.h"
#include "look/AltLookAndFeel_Gain.h"
#include "look/AltLookAndFeel_MaxPeak.h"
#include "look/AltLookAndFeel_transparentButton.h"

#include "resources/BinaryData.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <limits>

using namespace quorvel::test;

namespace
{
constexpr auto notANumber = std::numeric_limits<float>::quiet_NaN();
constexpr auto infinity = std::numeric_limits<float>::infinity();
} // namespace

TEST (AltLookAndFeelTest, KnobsShowTheFrameOfTheirStripForTheSliderPosition)
{
    AltLookAndFeel knob;
    AltLookAndFeel_Gain gainKnob;
    juce::Slider slider;
    const auto knobStrip = juce::ImageCache::getFromMemory (BinaryData::knob_png, BinaryData::knob_pngSize);
    const auto gainStrip = juce::ImageCache::getFromMemory (BinaryData::knobGain_png, BinaryData::knobGain_pngSize);

    // The small knob rounds up and shows a frame's centre 60 x 60 at 48 x 48; the gain knob
    // rounds down and shows whole frames 70 high at the width it is given. Neither uses
    // x, y or the height it is given; positions off the scale stay on the strip.
    struct Row
    {
        float proportion;
        int knobFrame, gainFrame;
    };

    for (const auto& row : { Row { 0.0f, 0, 0 }, Row { 0.001f, 1, 0 }, Row { 0.5f, 63, 63 }, Row { 0.999f, 126, 125 }, Row { 1.0f, 126, 126 }, Row { 1.5f, 126, 126 }, Row { infinity, 126, 126 }, Row { -0.25f, 0, 0 }, Row { -infinity, 0, 0 }, Row { notANumber, 0, 0 } })
    {
        const auto drawn = paintInto (150, 100, [&] (juce::Graphics& g)
                                      { knob.drawRotarySlider (g, 30, 40, 60, 50, row.proportion, 0.0f, 1.0f, slider); });
        const auto expected = paintInto (150, 100, [&] (juce::Graphics& g)
                                         { g.drawImage (knobStrip, 0, 0, 48, 48, 5, row.knobFrame * 70 + 5, 60, 60, false); });
        EXPECT_TRUE (samePixels (drawn, expected)) << row.proportion;

        const auto drawnGain = paintInto (150, 100, [&] (juce::Graphics& g)
                                          { gainKnob.drawRotarySlider (g, 20, 15, 140, 30, row.proportion, 0.0f, 1.0f, slider); });
        const auto expectedGain = paintInto (150, 100, [&] (juce::Graphics& g)
                                             { g.drawImage (gainStrip, 0, 0, 140, 70, 0, row.gainFrame * 70, 70, 70, false); });
        EXPECT_TRUE (samePixels (drawnGain, expectedGain)) << row.proportion;
    }
}

TEST (AltLookAndFeelTest, SliderLayoutsAreFixedWhateverTheSliderAndItsTextBox)
{
    AltLookAndFeel common;
    AltLookAndFeel_transparentButton transparent;
    AltLookAndFeel_Gain gain;
    AltLookAndFeel_MaxPeak maxPeak;

    const std::tuple<juce::LookAndFeel*, juce::Rectangle<int>, juce::Rectangle<int>> looks[] = {
        { &common, { 0, 0, 48, 48 }, { 56, 6, 55, 15 } },
        { &transparent, { 0, 0, 48, 48 }, { 56, 6, 55, 15 } },
        { &gain, { 0, 0, 70, 70 }, { 73, 7, 41, 15 } },
        { &maxPeak, { 10, 0, 27, 81 }, { 0, 122, 41, 15 } },
    };

    for (const auto& [look, sliderBounds, textBoxBounds] : looks)
    {
        juce::Slider slider (juce::Slider::RotaryVerticalDrag, juce::Slider::TextBoxRight);
        slider.setLookAndFeel (look);

        for (auto size : { juce::Point<int> (113, 56), juce::Point<int> (1, 1), juce::Point<int> (600, 400) })
            for (auto position : { juce::Slider::TextBoxRight, juce::Slider::TextBoxBelow, juce::Slider::TextBoxLeft })
            {
                slider.setTextBoxStyle (position, false, 20 + size.x, 5 + size.y);
                slider.setSize (size.x, size.y);
                const auto layout = look->getSliderLayout (slider);
                EXPECT_EQ (layout.sliderBounds, sliderBounds);
                EXPECT_EQ (layout.textBoxBounds, textBoxBounds);

                // The framework puts the value box where the layout says.
                EXPECT_EQ (slider.getChildComponent (0)->getBounds(), textBoxBounds);
            }

        slider.setLookAndFeel (nullptr);
    }
}

TEST (AltLookAndFeelTest, ButtonsAreFlatGradientsInAWhiteOutlineWithARedFrameWhenOn)
{
    AltLookAndFeel look;
    juce::TextButton button;

    auto paintButton = [&] (int width, int height)
    {
        button.setSize (width, height);
        return paintInto (width, height, [&] (juce::Graphics& g)
                          { look.drawButtonBackground (g, button, juce::Colour (0xff3060c0), false, false); });
    };

    button.setConnectedEdges (15);
    const auto plain = paintButton (60, 24);
    EXPECT_EQ (plain.getPixelAt (0, 0).getARGB(), 0xffffffffu) << "connected on every edge: square corners";
    EXPECT_EQ (plain.getPixelAt (30, 0).getARGB(), 0xffffffffu);
    EXPECT_GT (plain.getPixelAt (30, 3).getBrightness(), plain.getPixelAt (30, 20).getBrightness());
    EXPECT_GT (plain.getPixelAt (30, 20).getBlue(), plain.getPixelAt (30, 20).getRed()) << "in the button's hue";

    button.setToggleState (true, juce::dontSendNotification);
    const auto toggled = paintButton (60, 24);
    EXPECT_GT (toggled.getPixelAt (0, 12).getRed(), 0xf0);
    EXPECT_LT (toggled.getPixelAt (0, 12).getGreen(), 0x40) << "the red frame lies over the outline";
    EXPECT_EQ (toggled.getPixelAt (30, 12), plain.getPixelAt (30, 12));

    // Too small for a body, a button that is on still gets its frame.
    for (auto size : { juce::Point<int> (1, 1), juce::Point<int> (1, 20), juce::Point<int> (20, 1) })
        EXPECT_EQ (drawnBounds (paintButton (size.x, size.y), 0xe6), juce::Rectangle<int> (0, 0, size.x, size.y));

    button.setToggleState (false, juce::dontSendNotification);
    EXPECT_TRUE (drawnBounds (paintButton (1, 20)).isEmpty());

    // A corner is square where the button joins another on either of its edges, else rounded.
    for (auto [edges, squareCorners] : { std::pair (0, "----"), std::pair ((int) juce::Button::ConnectedOnLeft, "X-X-"), std::pair ((int) juce::Button::ConnectedOnRight, "-X-X") })
    {
        button.setConnectedEdges (edges);
        const auto drawn = paintButton (60, 24);
        juce::String corners;
        for (auto [x, y] : { std::pair (0, 0), std::pair (59, 0), std::pair (0, 23), std::pair (59, 23) })
            corners << (drawn.getPixelAt (x, y).getAlpha() > 0xf0 ? "X" : "-");
        EXPECT_EQ (corners, squareCorners) << edges;
    }
}

TEST (AltLookAndFeelTest, TheTransparentButtonDrawsNothingYetTakesEveryClick)
{
    AltLookAndFeel_transparentButton look;
    juce::Component parent;
    juce::TextButton button;
    button.setToggleState (true, juce::dontSendNotification);
    parent.setSize (200, 100);
    parent.setVisible (true);
    parent.addAndMakeVisible (button);
    button.setBounds (parent.getLocalBounds());

    for (bool over : { false, true })
        for (bool down : { false, true })
            EXPECT_TRUE (drawnBounds (paintInto (200, 100, [&] (juce::Graphics& g)
                                                 { look.drawButtonBackground (g, button, juce::Colours::white, over, down); }))
                             .isEmpty());

    EXPECT_EQ (parent.getComponentAt (0, 0), &button);
    EXPECT_EQ (parent.getComponentAt (199, 99), &button);
}

TEST (AltLookAndFeelTest, ComboBoxesAreFlatBlackBoxesWithTwoArrowsAtSeventyPercent)
{
    AltLookAndFeel look;

    for (bool enabled : { true, false })
    {
        juce::ComboBox box;
        box.setLookAndFeel (&look);
        box.setEnabled (enabled);
        const auto drawn = paintInto (120, 40, [&] (juce::Graphics& g)
                                      { look.drawComboBox (g, 120, 40, ! enabled, 80, 0, 40, 40, box); });

        // A white-smoke outline round black, the button area and the gap between the arrows included.
        for (auto [x, y, argb] : { std::tuple (0, 20, 0xfff5f5f5u), std::tuple (60, 39, 0xfff5f5f5u), std::tuple (40, 20, 0xff000000u), std::tuple (84, 4, 0xff000000u), std::tuple (100, 20, 0xff000000u) })
            EXPECT_EQ (drawn.getPixelAt (x, y).getARGB(), argb) << x << ", " << y;

        // Inside each arrow: white at 70 % over black.
        for (auto [x, y] : { std::pair (100, 15), std::pair (100, 24) })
            EXPECT_NEAR (drawn.getPixelAt (x, y).getRed(), 178, 2) << (enabled ? "enabled" : "disabled");

        box.setLookAndFeel (nullptr);
    }
}

TEST (AltLookAndFeelTest, TextIsSetInRobotoOnlyForTheDefaultSansSerifFace)
{
    AltLookAndFeel look;
    const auto sans = look.getTypefaceForFont (juce::Font (14.0f));
    EXPECT_EQ (sans->getName() + " " + sans->getStyle(), "Roboto Regular");

    for (const auto& name : { juce::Font::getDefaultSerifFontName(), juce::Font::getDefaultMonospacedFontName(), juce::String ("DejaVu Sans") })
        EXPECT_NE (look.getTypefaceForFont (juce::Font (name, 14.0f, juce::Font::plain))->getName(), "Roboto") << name;

    // Buttons and combo boxes: 14 pixels, plain, in the default sans-serif face, whatever their size.
    juce::TextButton button;
    juce::ComboBox box;

    for (const auto& font : { look.getTextButtonFont (button, 40), look.getTextButtonFont (button, 5), look.getComboBoxFont (box) })
        EXPECT_EQ (font, juce::Font (14.0f, juce::Font::plain));
}

// The user sees these in the option panel's list and its pop-up, in a value box being
// typed into, and on text buttons that keep the look's colours.
TEST (AltLookAndFeelTest, ColoursOfListsMenusTextBoxesAndButtons)
{
    AltLookAndFeel look;
    const juce::Colour highlight (0xbf5ec5da);

    EXPECT_EQ (look.findColour (juce::PopupMenu::highlightedBackgroundColourId), highlight);
    EXPECT_EQ (look.findColour (juce::TextEditor::focusedOutlineColourId), highlight);
    EXPECT_EQ (look.findColour (juce::ComboBox::buttonColourId), juce::Colours::black);

    for (int id : std::initializer_list<int> { juce::ComboBox::textColourId, juce::TextButton::buttonColourId, juce::TextButton::buttonOnColourId, juce::TextButton::textColourOnId, juce::TextButton::textColourOffId })
        EXPECT_EQ (look.findColour (id), juce::Colours::white) << juce::String::toHexString (id);
}
