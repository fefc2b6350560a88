#include "look/AltLookAndFeel_MaxPeak.h"

#include "look/LookRendering.h"
#include "resources/BinaryData.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
// The fader as the editor's layout has it: slider bounds 10, 0, 27, 81,
// painted into an image as tall as the editor gives the slider.
constexpr int imageWidth = 64;
constexpr int imageHeight = 137;

juce::Image paintFaderAt (float proportion)
{
    AltLookAndFeel_MaxPeak look;
    juce::Slider slider;
    return LookRendering::paint (imageWidth, imageHeight, [&] (juce::Graphics& g)
                                 { look.drawRotarySlider (g, 10, 0, 27, 81, proportion, 0.0f, 1.0f, slider); });
}

juce::Image paintLinearFaderAt (float sliderPos)
{
    AltLookAndFeel_MaxPeak look;
    juce::Slider slider;
    return LookRendering::paint (imageWidth, imageHeight, [&] (juce::Graphics& g)
                                 { look.drawLinearSlider (g, 10, 0, 27, 81, sliderPos, 0.0f, 0.0f, juce::Slider::LinearVertical, slider); });
}

juce::Image thumbImage() { return juce::ImageCache::getFromMemory (BinaryData::faderThumb_png, BinaryData::faderThumb_pngSize); }

// The thumb's pixels appear unchanged with their top at row top.
void expectThumbAt (const juce::Image& fader, int top)
{
    const auto thumb = thumbImage();
    ASSERT_EQ (thumb.getWidth(), 43);
    ASSERT_EQ (thumb.getHeight(), 13);

    for (int y = 0; y < thumb.getHeight(); ++y)
        for (int x = 0; x < thumb.getWidth(); ++x)
        {
            if (thumb.getPixelAt (x, y).getAlpha() == 0xff)
            {
                ASSERT_EQ (fader.getPixelAt (x, top + y).getARGB(), thumb.getPixelAt (x, y).getARGB()) << x << ", " << y;
            }
        }
}
} // namespace

TEST (AltLookAndFeel_MaxPeakTest, AtTheMaximumOnlyTheThumbShowsAtTheTop)
{
    const auto fader = paintFaderAt (1.0f);
    expectThumbAt (fader, 0);

    for (int row = 13; row < imageHeight; ++row)
        ASSERT_TRUE (LookRendering::isBlankRow (fader, row)) << "no track at the maximum, row " << row;
}

TEST (AltLookAndFeel_MaxPeakTest, AtTheMinimumTheTrackFillsTheSlotAndTheThumbSitsBelowIt)
{
    const auto fader = paintFaderAt (0.0f);
    const auto track = juce::ImageCache::getFromMemory (BinaryData::gainReductionBar_png, BinaryData::gainReductionBar_pngSize);
    const auto expectedTrack = LookRendering::paint (imageWidth, imageHeight, [&] (juce::Graphics& g)
                                                     { g.drawImage (track, 8, 6, 27, 81, 0, 0, track.getWidth(), track.getHeight(), false); });

    // Track over x 8..34 and y 6..86, the thumb over y 81..93.
    for (int y = 0; y < 81; ++y)
        for (int x = 0; x < imageWidth; ++x)
            ASSERT_EQ (fader.getPixelAt (x, y).getARGB(), expectedTrack.getPixelAt (x, y).getARGB()) << x << ", " << y;

    EXPECT_EQ (fader.getPixelAt (8, 6).getAlpha(), 0xff);
    EXPECT_EQ (fader.getPixelAt (34, 80).getAlpha(), 0xff);
    EXPECT_EQ (fader.getPixelAt (35, 40).getAlpha(), 0);
    expectThumbAt (fader, 81);

    for (int row = 94; row < imageHeight; ++row)
        ASSERT_TRUE (LookRendering::isBlankRow (fader, row)) << "nothing below the thumb, row " << row;
}

TEST (AltLookAndFeel_MaxPeakTest, ThumbTopIsTruncatedFromTheHeightAboveThePosition)
{
    // 81 x (1 - 0.5) = 40.5 -> 40.
    expectThumbAt (paintFaderAt (0.5f), 40);
    EXPECT_TRUE (LookRendering::samePixels (paintFaderAt (0.5f), paintLinearFaderAt (40.9f)));
}

TEST (AltLookAndFeel_MaxPeakTest, PositionOutsideTheRangeOrNotANumberKeepsTheFaderInItsSlot)
{
    const auto atMinimum = paintFaderAt (0.0f);
    const auto atMaximum = paintFaderAt (1.0f);

    EXPECT_TRUE (LookRendering::samePixels (paintFaderAt (std::numeric_limits<float>::quiet_NaN()), atMinimum));
    EXPECT_TRUE (LookRendering::samePixels (paintFaderAt (-0.5f), atMinimum));
    EXPECT_TRUE (LookRendering::samePixels (paintFaderAt (-std::numeric_limits<float>::infinity()), atMinimum));
    EXPECT_TRUE (LookRendering::samePixels (paintFaderAt (1.5f), atMaximum));
    EXPECT_TRUE (LookRendering::samePixels (paintFaderAt (std::numeric_limits<float>::infinity()), atMaximum));

    EXPECT_TRUE (LookRendering::samePixels (paintLinearFaderAt (81.0f), atMinimum));
    EXPECT_TRUE (LookRendering::samePixels (paintLinearFaderAt (5000.0f), atMinimum));
    EXPECT_TRUE (LookRendering::samePixels (paintLinearFaderAt (std::numeric_limits<float>::quiet_NaN()), atMinimum));
    EXPECT_TRUE (LookRendering::samePixels (paintLinearFaderAt (0.0f), atMaximum));
    EXPECT_TRUE (LookRendering::samePixels (paintLinearFaderAt (-40.0f), atMaximum));
    EXPECT_TRUE (LookRendering::samePixels (paintLinearFaderAt (-std::numeric_limits<float>::infinity()), atMaximum));
}

TEST (AltLookAndFeel_MaxPeakTest, SliderLayoutIsFixedWhateverTheSlidersSize)
{
    AltLookAndFeel_MaxPeak look;
    juce::Slider slider (juce::Slider::RotaryVerticalDrag, juce::Slider::TextBoxBelow);
    slider.setLookAndFeel (&look);

    for (const auto& size : { juce::Rectangle<int> (0, 0, 64, 137), juce::Rectangle<int> (0, 0, 2, 2), juce::Rectangle<int> (0, 0, 300, 40) })
    {
        slider.setTextBoxStyle (juce::Slider::TextBoxRight, false, 40, 12);
        slider.setBounds (size);

        const auto layout = look.getSliderLayout (slider);
        EXPECT_EQ (layout.sliderBounds, juce::Rectangle<int> (10, 0, 27, 81));
        EXPECT_EQ (layout.textBoxBounds, juce::Rectangle<int> (0, 122, 41, 15));
    }

    slider.setLookAndFeel (nullptr);
}
