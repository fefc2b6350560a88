#include "gui/BlueLine.h"
#include "gui/GuiTestSupport.h"

#include <gtest/gtest.h>

TEST (BlueLineTest, CoversItsWholeAreaInHalfTransparentBlue)
{
    BlueLine line;
    EXPECT_EQ (line.getBounds(), juce::Rectangle<int> (99, 1)) << "until the editor places it";
    line.setBounds (202, 115, 99, 3);

    // Over white, each channel is 255 + (c - 255) x 128 / 255.
    const auto overWhite = [] (int c)
    { return 255 + (c - 255) * 128 / 255; };
    const auto overClear = quorvel::test::render (line);
    const auto overPaper = quorvel::test::render (line, juce::Colours::white);

    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 99; ++x)
        {
            ASSERT_EQ (overClear.getPixelAt (x, y).getAlpha(), 0x80);
            const auto pixel = overPaper.getPixelAt (x, y);
            ASSERT_NEAR (pixel.getRed(), overWhite (0x0B), 1);
            ASSERT_NEAR (pixel.getGreen(), overWhite (0x72), 1);
            ASSERT_NEAR (pixel.getBlue(), overWhite (0xF2), 1);
        }
}
