// The face lines up with what the editor draws over it: every scale mark sits
// on the row where the meter or the fader shows that value, and the places
// where the editor draws meters, captions, the max-peak line and the option
// panel's label are plain ground.

#include "resources/generator/EditorFacePainter.h"

#include "resources/BinaryData.h"

#include <gtest/gtest.h>

namespace
{
const juce::Image& face()
{
    static const juce::Image painted = EditorFacePainter (ArtText (juce::Typeface::createSystemTypefaceFor (BinaryData::Roboto_ttf, (size_t) BinaryData::Roboto_ttfSize))).paint();
    return painted;
}

float brightness (int x, int y) { return face().getPixelAt (x, y).getBrightness(); }

// A scale mark: the row stands out from the rows two above and two below.
void expectMarkAt (int x, int row)
{
    EXPECT_GT (brightness (x, row), brightness (x, row - 2) + 0.08f) << "x " << x << ", row " << row;
    EXPECT_GT (brightness (x, row), brightness (x, row + 2) + 0.08f) << "x " << x << ", row " << row;
}

void expectPlainGround (juce::Rectangle<int> area, float tolerance)
{
    const auto ground = brightness (area.getX(), area.getY());

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            ASSERT_NEAR (brightness (x, y), ground, tolerance) << x << ", " << y;
}
} // namespace

TEST (EditorFacePainterTest, ScaleMarksStandWhereTheMetersAndTheFaderShowTheirValues)
{
    ASSERT_EQ (face().getBounds(), juce::Rectangle<int> (435, 373));

    // A 162-row level meter at y 76 lights the lower fraction "level" of its rows, where
    // the processor's level is (dB - 10) / 40 + 1 + 1e-5, at least 1e-5.
    for (float decibels : { 10.0f, 0.0f, -10.0f, -20.0f, -30.0f })
    {
        const float level = juce::jmax (1.0e-5f, (decibels - 10.0f) / 40.0f + 1.0f + 1.0e-5f);
        const int row = 76 + (int) (162.0f * (1.0f - level));
        expectMarkAt (45, row); // left of the input meters at x 50
        expectMarkAt (291, row); // right of the output meters ending at x 286
    }

    // The 250-row reduction meter at y 30 fills from the top, full at 31 dB.
    for (float decibels : { 10.0f, 20.0f, 30.0f })
        expectMarkAt (151, 30 + (int) (250.0f * decibels / 31.0f));

    // The fader's 13-row thumb has its top at 71 + 81 x (1 - p) and its index line in its middle row.
    for (float decibels : { 10.0f, 0.0f, -10.0f })
        expectMarkAt (370, 71 + (int) (81.0f * (1.0f - (decibels + 10.0f) / 20.0f)) + 6);
}

TEST (EditorFacePainterTest, WhatTheEditorDrawsOverTheFaceLiesOnPlainGround)
{
    // The meter slots are dark where no level is drawn.
    for (int x : { 50, 69, 89, 108, 218, 237, 257, 276, 155 })
        for (int y = x == 155 ? 30 : 76; y < (x == 155 ? 280 : 238); ++y)
            ASSERT_LT (face().getPixelAt (x + 4, y).getBrightness(), 0.06f) << x << ", " << y;

    expectPlainGround ({ 48, 248, 69, 9 }, 0.03f); // the channel captions
    expectPlainGround ({ 217, 248, 69, 9 }, 0.03f);
    expectPlainGround ({ 343, 42, 80, 24 }, 0.03f); // the option panel's label, which lets the face show through

    // The max-peak line, from x 202, lies on the output meters' panel: no edge of it near there.
    expectPlainGround ({ 199, 75, 17, 83 }, 0.03f);
}
