#include "resources/generator/EditorFacePainter.h"

#include "resources/BinaryData.h"

#include <gtest/gtest.h>

namespace
{
juce::Image paintFace()
{
    const ArtText text (juce::Typeface::createSystemTypefaceFor (BinaryData::Roboto_ttf, (size_t) BinaryData::Roboto_ttfSize));
    return EditorFacePainter (text).paint();
}

const juce::Image& face()
{
    static const juce::Image painted = paintFace();
    return painted;
}

float brightness (int x, int y) { return face().getPixelAt (x, y).getBrightness(); }

// A scale mark: the row stands out from the rows two above and two below.
void expectMarkAt (int x, int row)
{
    EXPECT_GT (brightness (x, row), brightness (x, row - 2) + 0.08f) << "x " << x << ", row " << row;
    EXPECT_GT (brightness (x, row), brightness (x, row + 2) + 0.08f) << "x " << x << ", row " << row;
}

// First row a 162-pixel level meter at y 76 lights for a level in dB: the
// processor's level is (dB - 10) / 40 + 1 + 1e-5, at least 1e-5, and the
// meter lights the lower fraction "level" of its height.
int meterRowFor (float decibels)
{
    const float level = juce::jmax (1.0e-5f, (decibels - 10.0f) / 40.0f + 1.0f + 1.0e-5f);
    return 76 + (int) (162.0f * (1.0f - level));
}
} // namespace

TEST (EditorFacePainterTest, FaceIsTheEditorsSize)
{
    EXPECT_EQ (face().getWidth(), 435);
    EXPECT_EQ (face().getHeight(), 373);
}

TEST (EditorFacePainterTest, LevelScalesMarkTheRowsWhereTheMetersLightForEachValue)
{
    for (float decibels : { 10.0f, 0.0f, -10.0f, -20.0f, -30.0f })
    {
        const int row = meterRowFor (decibels);
        expectMarkAt (45, row); // left of the input meters at x 50
        expectMarkAt (291, row); // right of the output meters ending at x 286
    }
}

TEST (EditorFacePainterTest, ReductionScaleMarksTheRowsTheReductionMeterReaches)
{
    // The 250-pixel meter at y 30 fills from the top, full at 31 dB.
    for (float decibels : { 10.0f, 20.0f, 30.0f })
        expectMarkAt (151, 30 + (int) (250.0f * decibels / 31.0f));
}

TEST (EditorFacePainterTest, FaderScaleMarksWhereTheThumbsIndexLineStands)
{
    // The slider at y 71 puts the 13-pixel thumb's top at 81 x (1 - p); its
    // index line is the thumb's middle row.
    for (float decibels : { 10.0f, 0.0f, -10.0f })
    {
        const float proportion = (decibels + 10.0f) / 20.0f;
        expectMarkAt (370, 71 + (int) (81.0f * (1.0f - proportion)) + 6);
    }
}

TEST (EditorFacePainterTest, MeterSlotsAreDarkWhereNoLevelIsDrawn)
{
    for (int x : { 50, 69, 89, 108, 218, 237, 257, 276 })
        for (int y = 76; y < 238; y += 3)
            for (int dx = 0; dx < 10; dx += 3)
                ASSERT_LT (brightness (x + dx, y), 0.06f) << x + dx << ", " << y;

    for (int y = 30; y < 280; y += 5)
        ASSERT_LT (brightness (168, y), 0.06f) << "reduction meter row " << y;
}

TEST (EditorFacePainterTest, CaptionRowsArePlainGroundForTheChannelLetters)
{
    for (int left : { 48, 217 })
    {
        const auto ground = brightness (left, 248);

        for (int y = 248; y < 257; ++y)
            for (int x = left; x < left + 69; ++x)
                ASSERT_LT (std::abs (brightness (x, y) - ground), 0.03f) << x << ", " << y;
    }
}
