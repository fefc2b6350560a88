#include "look/AltLookAndFeel_MaxPeak.h"

#include "resources/BinaryData.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <limits>

using namespace quorvel::test;

namespace
{
constexpr auto notANumber = std::numeric_limits<float>::quiet_NaN();
constexpr auto infinity = std::numeric_limits<float>::infinity();

/** The fader by hand: the whole track scaled into (8, 6, 27, thumbTop), the thumb at its own size at thumbTop. */
juce::Image faderWithThumbAt (int thumbTop)
{
    const auto track = juce::ImageCache::getFromMemory (BinaryData::gainReductionBar_png, BinaryData::gainReductionBar_pngSize);
    const auto thumb = juce::ImageCache::getFromMemory (BinaryData::faderThumb_png, BinaryData::faderThumb_pngSize);
    return paintInto (64, 137, [&] (juce::Graphics& g)
                      {
                          g.drawImage (track, 8, 6, 27, thumbTop, 0, 0, track.getWidth(), track.getHeight(), false);
                          g.drawImageAt (thumb, 0, thumbTop); });
}
} // namespace

// The editor's layout gives the fader slider bounds 10, 0, 27, 81 inside its 64 x 137 slider.
TEST (AltLookAndFeel_MaxPeakTest, TheThumbStandsAboveTheTrackAtTheSlidersPositionAndStaysInItsSlot)
{
    AltLookAndFeel_MaxPeak look;
    juce::Slider slider;

    // The rotary style, which the editor uses: 81 x (1 - p), truncated.
    for (auto [proportion, thumbTop] : { std::pair (1.0f, 0), std::pair (0.0f, 81), std::pair (0.5f, 40), std::pair (0.25f, 60), std::pair (1.5f, 0), std::pair (infinity, 0), std::pair (-0.5f, 81), std::pair (-infinity, 81), std::pair (notANumber, 81) })
    {
        const auto drawn = paintInto (64, 137, [&, proportion = proportion] (juce::Graphics& g)
                                      { look.drawRotarySlider (g, 10, 0, 27, 81, proportion, 0.0f, 1.0f, slider); });
        EXPECT_TRUE (samePixels (drawn, faderWithThumbAt (thumbTop))) << proportion;
    }

    // A linear style: the framework's pixel position of the thumb, truncated and kept in the slot.
    for (auto [position, thumbTop] : { std::pair (40.9f, 40), std::pair (81.0f, 81), std::pair (5000.0f, 81), std::pair (notANumber, 81), std::pair (0.0f, 0), std::pair (-40.0f, 0), std::pair (-infinity, 0) })
    {
        const auto drawn = paintInto (64, 137, [&, position = position] (juce::Graphics& g)
                                      { look.drawLinearSlider (g, 10, 0, 27, 81, position, 0.0f, 0.0f, juce::Slider::LinearVertical, slider); });
        EXPECT_TRUE (samePixels (drawn, faderWithThumbAt (thumbTop))) << position;
    }
}
