#include "look/AltLookAndFeel_Gain.h"

#include "look/LookRendering.h"
#include "resources/BinaryData.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
// A whole 70 x 70 frame of the input-gain strip at its natural size.
juce::Image paintGainFrame (int frame)
{
    const auto strip = juce::ImageCache::getFromMemory (BinaryData::knobGain_png, BinaryData::knobGain_pngSize);
    return LookRendering::paint (70, 70, [&] (juce::Graphics& g)
                                 { g.drawImage (strip, 0, 0, 70, 70, 0, frame * 70, 70, 70, false); });
}

std::vector<int> framesShownAt (float proportion)
{
    AltLookAndFeel_Gain look;
    return LookRendering::matchingFrames (LookRendering::paintKnob (look, proportion, 70, 70), 127, paintGainFrame);
}
} // namespace

TEST (AltLookAndFeel_GainTest, KnobFrameRoundsDownFromTheSliderPosition)
{
    EXPECT_EQ (framesShownAt (0.0f), std::vector<int> { 0 });
    EXPECT_EQ (framesShownAt (0.001f), std::vector<int> { 0 });
    EXPECT_EQ (framesShownAt (0.5f), std::vector<int> { 63 });
    EXPECT_EQ (framesShownAt (0.999f), std::vector<int> { 125 });
    EXPECT_EQ (framesShownAt (1.0f), std::vector<int> { 126 });
}

TEST (AltLookAndFeel_GainTest, KnobPositionOutsideTheRangeOrNotANumberStaysOnTheStrip)
{
    EXPECT_EQ (framesShownAt (1.5f), std::vector<int> { 126 });
    EXPECT_EQ (framesShownAt (std::numeric_limits<float>::infinity()), std::vector<int> { 126 });
    EXPECT_EQ (framesShownAt (-7.0f), std::vector<int> { 0 });
    EXPECT_EQ (framesShownAt (std::numeric_limits<float>::quiet_NaN()), std::vector<int> { 0 });
}

TEST (AltLookAndFeel_GainTest, WholeFrameFillsTheGivenWidthAtSeventyHigh)
{
    AltLookAndFeel_Gain look;
    juce::Slider slider;
    const auto strip = juce::ImageCache::getFromMemory (BinaryData::knobGain_png, BinaryData::knobGain_pngSize);

    // x, y and height play no part; the width does.
    const auto rendering = LookRendering::paint (140, 100, [&] (juce::Graphics& g)
                                                 { look.drawRotarySlider (g, 20, 15, 140, 30, 1.0f, 0.0f, 1.0f, slider); });
    const auto expected = LookRendering::paint (140, 100, [&] (juce::Graphics& g)
                                                { g.drawImage (strip, 0, 0, 140, 70, 0, 126 * 70, 70, 70, false); });

    EXPECT_TRUE (LookRendering::samePixels (rendering, expected));
    EXPECT_TRUE (LookRendering::isBlankRow (rendering, 70));
}

TEST (AltLookAndFeel_GainTest, SliderLayoutIsFixedWhateverTheSlidersSize)
{
    AltLookAndFeel_Gain look;
    juce::Slider slider (juce::Slider::RotaryVerticalDrag, juce::Slider::TextBoxRight);
    slider.setLookAndFeel (&look);

    for (const auto& size : { juce::Rectangle<int> (0, 0, 114, 70), juce::Rectangle<int> (0, 0, 3, 2), juce::Rectangle<int> (0, 0, 800, 90) })
    {
        slider.setTextBoxStyle (juce::Slider::TextBoxBelow, false, size.getWidth(), size.getHeight());
        slider.setBounds (size);

        const auto layout = look.getSliderLayout (slider);
        EXPECT_EQ (layout.sliderBounds, juce::Rectangle<int> (0, 0, 70, 70));
        EXPECT_EQ (layout.textBoxBounds, juce::Rectangle<int> (73, 7, 41, 15));
    }

    slider.setLookAndFeel (nullptr);
}
