#include "resources/BinaryData.h"
#include "resources/ResourceFiles.h"

#include <gtest/gtest.h>

namespace
{
enum class Hue
{
    red,
    orange,
    yellow,
    green,
    other
};

Hue hueOf (juce::Colour colour)
{
    const auto degrees = colour.getHue() * 360.0f;

    if (colour.getSaturation() < 0.4f)
        return Hue::other;
    if (degrees < 15.0f || degrees > 345.0f)
        return Hue::red;
    if (degrees < 42.0f)
        return Hue::orange;
    if (degrees < 70.0f)
        return Hue::yellow;
    if (degrees > 90.0f && degrees < 160.0f)
        return Hue::green;
    return Hue::other;
}

// The picture row a level meter shows at the top of its bar for a level in
// decibels: the level value is 0 at -30 dB and 1 at +10 dB, and the meter
// shows the lower fraction "level" of the picture.
int rowForDecibels (const juce::Image& bar, float decibels)
{
    const float level = (decibels - 10.0f) / 40.0f + 1.0f;
    return (int) ((float) bar.getHeight() * (1.0f - level));
}
} // namespace

TEST (BarPainterTest, InputBarIsGreenAllTheWay)
{
    const auto bar = ResourceFiles::decode (BinaryData::vuMeterInput_png, BinaryData::vuMeterInput_pngSize);
    ASSERT_TRUE (bar.isValid());

    for (int y = 0; y < bar.getHeight(); ++y)
        for (int x = 0; x < bar.getWidth(); ++x)
        {
            ASSERT_EQ (bar.getPixelAt (x, y).getAlpha(), 0xff);
            ASSERT_EQ (hueOf (bar.getPixelAt (x, y)), Hue::green) << x << ", " << y;
        }
}

TEST (BarPainterTest, OutputBarColoursFollowTheMetersDecibelScale)
{
    const auto bar = ResourceFiles::decode (BinaryData::vuMeterOutput_png, BinaryData::vuMeterOutput_pngSize);
    ASSERT_TRUE (bar.isValid());
    const int middle = bar.getWidth() / 2;

    EXPECT_EQ (hueOf (bar.getPixelAt (middle, rowForDecibels (bar, 9.0f))), Hue::red);
    EXPECT_EQ (hueOf (bar.getPixelAt (middle, rowForDecibels (bar, 1.0f))), Hue::red);
    EXPECT_EQ (hueOf (bar.getPixelAt (middle, rowForDecibels (bar, -1.0f))), Hue::orange);
    EXPECT_EQ (hueOf (bar.getPixelAt (middle, rowForDecibels (bar, -5.0f))), Hue::orange);
    EXPECT_EQ (hueOf (bar.getPixelAt (middle, rowForDecibels (bar, -7.0f))), Hue::yellow);
    EXPECT_EQ (hueOf (bar.getPixelAt (middle, rowForDecibels (bar, -11.0f))), Hue::yellow);
    EXPECT_EQ (hueOf (bar.getPixelAt (middle, rowForDecibels (bar, -13.0f))), Hue::green);
    EXPECT_EQ (hueOf (bar.getPixelAt (middle, bar.getHeight() - 1)), Hue::green);
}

TEST (BarPainterTest, ReductionBarIsDarkBlueWithFineVerticalStripes)
{
    const auto bar = ResourceFiles::decode (BinaryData::gainReductionBar_png, BinaryData::gainReductionBar_pngSize);
    ASSERT_TRUE (bar.isValid());

    for (int y : { 0, 125, 249 })
    {
        int brighter = 0;

        for (int x = 0; x < bar.getWidth(); ++x)
        {
            const auto colour = bar.getPixelAt (x, y);
            ASSERT_EQ (colour.getAlpha(), 0xff);
            EXPECT_GE (colour.getBlue(), 2 * colour.getRed());
            EXPECT_GT (colour.getBlue(), colour.getGreen());
            EXPECT_LT (colour.getBrightness(), 0.8f);

            if (x > 0 && colour.getBrightness() > bar.getPixelAt (x - 1, y).getBrightness())
                ++brighter;
        }

        EXPECT_GE (brighter, 6) << "stripes across row " << y;
    }
}

TEST (BarPainterTest, FaderThumbIsABlueCapWithRoundedCornersAndAnIndexLine)
{
    const auto thumb = ResourceFiles::decode (BinaryData::faderThumb_png, BinaryData::faderThumb_pngSize);
    ASSERT_TRUE (thumb.isValid());

    EXPECT_LT (thumb.getPixelAt (0, 0).getAlpha(), 0x80);
    EXPECT_LT (thumb.getPixelAt (42, 12).getAlpha(), 0x80);
    EXPECT_EQ (thumb.getPixelAt (21, 3).getAlpha(), 0xff);
    EXPECT_GT (thumb.getPixelAt (21, 3).getBlue(), thumb.getPixelAt (21, 3).getRed() + 60);

    // The index line across the middle row is near white.
    EXPECT_GT (thumb.getPixelAt (21, 6).getBrightness(), 0.9f);
    EXPECT_LT (thumb.getPixelAt (21, 6).getSaturation(), 0.2f);
}
