#include "gui/BlueLine.h"
#include "gui/GuiTestSupport.h"

#include <gtest/gtest.h>

TEST (BlueLineTest, PaintsItsHalfTransparentBlueOverItsWholeArea)
{
    BlueLine line;
    EXPECT_EQ (line.getWidth(), 99);
    EXPECT_EQ (line.getHeight(), 1);

    line.setBounds (202, 115, 99, 3);
    const auto overClear = quorvel::test::render (line, juce::Colours::transparentBlack);
    const auto overWhite = quorvel::test::render (line, juce::Colours::white);

    // Half of the blue over white: 255 + (c - 255) x 128 / 255.
    auto overWhiteChannel = [] (int c)
    { return 255 + (c - 255) * 128 / 255; };

    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 99; ++x)
        {
            ASSERT_EQ (overClear.getPixelAt (x, y).getAlpha(), 0x80);

            const auto pixel = overWhite.getPixelAt (x, y);
            ASSERT_EQ (pixel.getAlpha(), 0xFF);
            ASSERT_NEAR (pixel.getRed(), overWhiteChannel (0x0B), 1);
            ASSERT_NEAR (pixel.getGreen(), overWhiteChannel (0x72), 1);
            ASSERT_NEAR (pixel.getBlue(), overWhiteChannel (0xF2), 1);
        }
}
