#include "resources/BinaryData.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

TEST (IconPainterTest, EachCaptionLetterStandsOverItsMeter)
{
    // The editor draws the captions at x 48 and 217 over meters centred at 55, 74, 94, 113
    // and 223, 242, 262, 281: the same offsets in both groups.
    const float centres[] = { 7.0f, 26.0f, 46.0f, 65.0f };

    for (const auto& [data, size] : { std::pair (BinaryData::captionAmbiX_png, BinaryData::captionAmbiX_pngSize), std::pair (BinaryData::captionFuMa_png, BinaryData::captionFuMa_pngSize) })
    {
        const auto caption = quorvel::test::decode (data, size);
        std::vector<float> letters;

        for (int x = 0, start = -1; x <= caption.getWidth(); ++x)
        {
            const bool inked = x < caption.getWidth() && ! quorvel::test::drawnBounds (caption, { x, 0, 1, caption.getHeight() }, 41).isEmpty();

            if (inked && start < 0)
                start = x;
            else if (! inked && start >= 0)
            {
                letters.push_back ((float) (start + x) * 0.5f);
                start = -1;
            }
        }

        ASSERT_EQ (letters.size(), 4u);
        for (size_t i = 0; i < 4; ++i)
            EXPECT_NEAR (letters[i], centres[i], 1.0f) << i;
    }
}
