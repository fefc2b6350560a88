#include "resources/BinaryData.h"
#include "resources/ResourceFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

namespace
{
constexpr int frames = 127;
constexpr int frameSize = 70;

juce::Image knobStrip() { return ResourceFiles::decode (BinaryData::knob_png, BinaryData::knob_pngSize); }
juce::Image gainStrip() { return ResourceFiles::decode (BinaryData::knobGain_png, BinaryData::knobGain_pngSize); }

juce::Rectangle<int> frameArea (int frame) { return { 0, frame * frameSize, frameSize, frameSize }; }

bool sameFrame (const juce::Image& strip, int a, int b)
{
    for (int y = 0; y < frameSize; ++y)
        for (int x = 0; x < frameSize; ++x)
            if (strip.getPixelAt (x, a * frameSize + y) != strip.getPixelAt (x, b * frameSize + y))
                return false;

    return true;
}

bool isAccent (juce::Colour colour)
{
    return colour.getAlpha() > 200 && colour.getBlue() > 170 && colour.getGreen() > 150 && colour.getRed() < 130;
}

// Direction of the cyan pointer, in degrees clockwise from straight up:
// the mean position of the accent-coloured pixels within a radius of the
// knob's centre, where only the pointer is cyan.
float pointerAngle (const juce::Image& strip, int frame, juce::Point<float> centre, float radius)
{
    double sumX = 0.0, sumY = 0.0;
    int count = 0;

    for (int y = 0; y < frameSize; ++y)
        for (int x = 0; x < frameSize; ++x)
        {
            const juce::Point<float> position ((float) x + 0.5f, (float) y + 0.5f);

            if (position.getDistanceFrom (centre) < radius && isAccent (strip.getPixelAt (x, frame * frameSize + y)))
            {
                sumX += position.x - centre.x;
                sumY += position.y - centre.y;
                ++count;
            }
        }

    if (count == 0)
        return std::nanf ("");

    return (float) juce::radiansToDegrees (std::atan2 (sumX, -sumY));
}

void expectPointerTurnsClockwiseFromLowerLeftToLowerRight (const juce::Image& strip, juce::Point<float> centre, float radius)
{
    EXPECT_NEAR (pointerAngle (strip, 0, centre, radius), -135.0f, 4.0f);
    EXPECT_NEAR (pointerAngle (strip, 63, centre, radius), 0.0f, 2.0f);
    EXPECT_NEAR (pointerAngle (strip, 126, centre, radius), 135.0f, 4.0f);

    float previous = -180.0f;

    for (int frame = 0; frame < frames; frame += 3)
    {
        const auto angle = pointerAngle (strip, frame, centre, radius);
        ASSERT_GT (angle, previous) << "frame " << frame;
        previous = angle;
    }
}
} // namespace

TEST (KnobStripPainterTest, StripsAre127FramesOf70By70)
{
    for (const auto& strip : { knobStrip(), gainStrip() })
    {
        ASSERT_TRUE (strip.isValid());
        EXPECT_EQ (strip.getWidth(), frameSize);
        EXPECT_EQ (strip.getHeight(), frames * frameSize);
    }
}

TEST (KnobStripPainterTest, EveryFrameStaysInsideItsStripsMargins)
{
    const std::pair<juce::Image, juce::Rectangle<int>> strips[] = {
        { knobStrip(), juce::Rectangle<int>::leftTopRightBottom (7, 7, 63, 65) },
        { gainStrip(), juce::Rectangle<int>::leftTopRightBottom (3, 1, 67, 69) },
    };

    for (const auto& [strip, allowed] : strips)
        for (int frame = 0; frame < frames; ++frame)
        {
            const auto bounds = ResourceFiles::opaqueBounds (strip, frameArea (frame)).translated (0, -frame * frameSize);
            ASSERT_FALSE (bounds.isEmpty()) << "frame " << frame;
            ASSERT_TRUE (allowed.contains (bounds)) << "frame " << frame << ": " << bounds.toString();
        }
}

TEST (KnobStripPainterTest, MinimumAndMaximumFramesDiffer)
{
    EXPECT_FALSE (sameFrame (knobStrip(), 0, 126));
    EXPECT_FALSE (sameFrame (gainStrip(), 0, 126));
    EXPECT_FALSE (sameFrame (knobStrip(), 0, 1)) << "the smallest move off the minimum shows";
}

TEST (KnobStripPainterTest, PointersTurnClockwiseAndStandUprightAtFrame63)
{
    expectPointerTurnsClockwiseFromLowerLeftToLowerRight (knobStrip(), { 35.0f, 35.0f }, 16.0f);
    expectPointerTurnsClockwiseFromLowerLeftToLowerRight (gainStrip(), { 35.0f, 37.0f }, 23.0f);
}

TEST (KnobStripPainterTest, OnlyTheFirstKnobFrameHasTheYellowStartDot)
{
    const auto strip = knobStrip();

    auto yellowPixels = [&] (int frame)
    {
        int count = 0;

        for (int y = 0; y < frameSize; ++y)
            for (int x = 0; x < frameSize; ++x)
            {
                const auto colour = strip.getPixelAt (x, frame * frameSize + y);

                if (colour.getAlpha() > 200 && colour.getRed() > 200 && colour.getGreen() > 150 && colour.getBlue() < 110)
                    ++count;
            }

        return count;
    };

    EXPECT_GT (yellowPixels (0), 4);

    for (int frame = 1; frame < frames; ++frame)
        ASSERT_EQ (yellowPixels (frame), 0) << "frame " << frame;
}

TEST (KnobStripPainterTest, OnlyTheCentreGainFrameHasTheMarkerAboveTheKnob)
{
    const auto strip = gainStrip();

    for (int frame = 0; frame < frames; ++frame)
    {
        const auto aboveKnob = ResourceFiles::opaqueBounds (strip, { 0, frame * frameSize, frameSize, 6 });
        ASSERT_EQ (aboveKnob.isEmpty(), frame != 63) << "frame " << frame;
    }
}
