#include "gui/BlueLine.h"
#include "gui/GuiTestSupport.h"

#include <gtest/gtest.h>

TEST (BlueLineTest, PaintsItsHalfTransparentBlueOverItsWholeArea)
{
    BlueLine line;
    EXPECT_EQ (line.getWidth(), 99);
    EXPECT_EQ (line.getHeight(), 1);

    line.setBounds (202, 115, 99, 3);
    const auto image = quorvel::test::render (line, juce::Colours::transparentBlack);

    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 99; ++x)
        {
            const auto pixel = image.getPixelAt (x, y);
            ASSERT_EQ (pixel.getAlpha(), 0x80);
            ASSERT_NEAR (pixel.getRed(), 0x0B, 1);
            ASSERT_NEAR (pixel.getGreen(), 0x72, 1);
            ASSERT_NEAR (pixel.getBlue(), 0xF2, 1);
        }
}
