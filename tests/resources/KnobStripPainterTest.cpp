// The knob strips keep the frame layout the looks rely on: 127 frames of
// 70 x 70, the pointer turning clockwise from the lower left through straight
// up at frame 63, and nothing outside the part of a frame the look shows.

#include "resources/BinaryData.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quorvel::test;

namespace
{
/** The pointer's direction in degrees clockwise from straight up: the mean position of
    the cyan pixels within a radius of the knob's centre, where only the pointer is cyan. */
float pointerAngle (const juce::Image& strip, int frame, juce::Point<float> centre, float radius)
{
    juce::Point<float> sum;

    for (int y = 0; y < 70; ++y)
        for (int x = 0; x < 70; ++x)
        {
            const auto colour = strip.getPixelAt (x, frame * 70 + y);
            const auto offset = juce::Point<float> ((float) x + 0.5f, (float) y + 0.5f) - centre;

            if (offset.getDistanceFromOrigin() < radius && colour.getAlpha() > 200 && colour.getBlue() > 170 && colour.getGreen() > 150 && colour.getRed() < 130)
                sum += offset;
        }

    return sum.isOrigin() ? std::nanf ("") : juce::radiansToDegrees (std::atan2 (sum.x, -sum.y));
}
} // namespace

TEST (KnobStripPainterTest, PointersTurnClockwiseThroughUprightAndFramesStayInsideWhatTheLooksShow)
{
    // The small knob's look shows only a frame's centre 60 x 60; the gain knob's shows it whole.
    const std::tuple<juce::Image, juce::Point<float>, float, juce::Rectangle<int>> strips[] = {
        { decode (BinaryData::knob_png, BinaryData::knob_pngSize), { 35.0f, 35.0f }, 16.0f, { 5, 5, 60, 60 } },
        { decode (BinaryData::knobGain_png, BinaryData::knobGain_pngSize), { 35.0f, 37.0f }, 23.0f, { 0, 0, 70, 70 } },
    };

    for (const auto& [strip, centre, radius, shown] : strips)
    {
        ASSERT_EQ (strip.getBounds(), juce::Rectangle<int> (70, 127 * 70));
        EXPECT_NEAR (pointerAngle (strip, 0, centre, radius), -135.0f, 4.0f);
        EXPECT_NEAR (pointerAngle (strip, 63, centre, radius), 0.0f, 2.0f);
        EXPECT_NEAR (pointerAngle (strip, 126, centre, radius), 135.0f, 4.0f);

        float previous = -180.0f;

        for (int frame = 0; frame < 127; ++frame)
        {
            const auto drawn = drawnBounds (strip, { 0, frame * 70, 70, 70 }).translated (0, -frame * 70);
            ASSERT_TRUE (shown.contains (drawn)) << "frame " << frame << ": " << drawn.toString();

            const auto angle = pointerAngle (strip, frame, centre, radius);
            ASSERT_GT (angle, previous) << "frame " << frame;
            previous = angle;
        }
    }
}
