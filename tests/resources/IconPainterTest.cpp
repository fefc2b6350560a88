#include "resources/BinaryData.h"
#include "resources/ResourceFiles.h"

#include <gtest/gtest.h>

namespace
{
// Horizontal centres of the separate groups of opaque columns.
std::vector<float> letterCentres (const juce::Image& caption)
{
    std::vector<float> centres;
    int start = -1;

    for (int x = 0; x <= caption.getWidth(); ++x)
    {
        bool opaque = false;

        for (int y = 0; x < caption.getWidth() && y < caption.getHeight(); ++y)
            opaque = opaque || caption.getPixelAt (x, y).getAlpha() > 40;

        if (opaque && start < 0)
            start = x;

        if (! opaque && start >= 0)
        {
            centres.push_back ((float) (start + x) * 0.5f);
            start = -1;
        }
    }

    return centres;
}
} // namespace

TEST (IconPainterTest, CaptionLettersStandOverTheFourMetersOfEachGroup)
{
    // The editor draws the captions at x 48 and 217; the meters' centres are
    // at 55, 74, 94, 113 and 223, 242, 262, 281.
    const float inputCentres[] = { 55.0f - 48.0f, 74.0f - 48.0f, 94.0f - 48.0f, 113.0f - 48.0f };
    const float outputCentres[] = { 223.0f - 217.0f, 242.0f - 217.0f, 262.0f - 217.0f, 281.0f - 217.0f };

    for (const auto& [data, size] : { std::pair (BinaryData::captionAmbiX_png, BinaryData::captionAmbiX_pngSize), std::pair (BinaryData::captionFuMa_png, BinaryData::captionFuMa_pngSize) })
    {
        const auto caption = ResourceFiles::decode (data, size);
        ASSERT_TRUE (caption.isValid());

        const auto centres = letterCentres (caption);
        ASSERT_EQ (centres.size(), 4u);

        for (size_t i = 0; i < 4; ++i)
        {
            EXPECT_NEAR (centres[i], inputCentres[i], 1.0f);
            EXPECT_NEAR (centres[i], outputCentres[i], 1.0f);
        }

        // Light grey, with the letters inside the picture's rows.
        const auto bounds = ResourceFiles::opaqueBounds (caption, caption.getBounds());
        EXPECT_GE (bounds.getY(), 0);
        EXPECT_GE (bounds.getHeight(), 6);

        juce::Colour mostOpaque;

        for (int y = 0; y < caption.getHeight(); ++y)
            for (int x = 0; x < caption.getWidth(); ++x)
                if (caption.getPixelAt (x, y).getAlpha() > mostOpaque.getAlpha())
                    mostOpaque = caption.getPixelAt (x, y);

        EXPECT_EQ (mostOpaque.getAlpha(), 0xff);
        EXPECT_GT (mostOpaque.getBrightness(), 0.6f);
        EXPECT_LT (mostOpaque.getSaturation(), 0.15f);
    }
}

TEST (IconPainterTest, TheTwoCaptionsDifferOnlyInTheirMiddleLetters)
{
    const auto ambiX = ResourceFiles::decode (BinaryData::captionAmbiX_png, BinaryData::captionAmbiX_pngSize);
    const auto fuMa = ResourceFiles::decode (BinaryData::captionFuMa_png, BinaryData::captionFuMa_pngSize);

    auto columnsDiffer = [&] (int from, int to)
    {
        for (int x = from; x < to; ++x)
            for (int y = 0; y < 9; ++y)
                if (ambiX.getPixelAt (x, y) != fuMa.getPixelAt (x, y))
                    return true;

        return false;
    };

    EXPECT_FALSE (columnsDiffer (0, 14)) << "W in both";
    EXPECT_TRUE (columnsDiffer (17, 34)) << "Y against X";
    EXPECT_TRUE (columnsDiffer (37, 54)) << "Z against Y";
    EXPECT_TRUE (columnsDiffer (56, 69)) << "X against Z";
}

TEST (IconPainterTest, GearIsWhiteOnTransparentWithAHole)
{
    const auto gear = ResourceFiles::decode (BinaryData::gear_png, BinaryData::gear_pngSize);
    ASSERT_TRUE (gear.isValid());

    EXPECT_EQ (gear.getPixelAt (0, 0).getAlpha(), 0);
    EXPECT_EQ (gear.getPixelAt (11, 11).getAlpha(), 0) << "the hole";
    EXPECT_EQ (gear.getPixelAt (11, 16).getARGB(), 0xffffffffu);
    EXPECT_EQ (gear.getPixelAt (11, 1).getARGB(), 0xffffffffu) << "a tooth straight up";
}

TEST (IconPainterTest, WelcomeCardIsOpaqueWithRoundedCornersAndRoomForTheTitle)
{
    const auto card = ResourceFiles::decode (BinaryData::welcome_png, BinaryData::welcome_pngSize);
    ASSERT_TRUE (card.isValid());

    EXPECT_LT (card.getPixelAt (0, 0).getAlpha(), 0x40);
    EXPECT_LT (card.getPixelAt (219, 279).getAlpha(), 0x40);
    EXPECT_EQ (card.getPixelAt (110, 140).getAlpha(), 0xff);

    // The welcome panel sets its title over rows 53..104 between x 22 and 196:
    // nothing but the card's plain ground there.
    const auto ground = card.getPixelAt (22, 53);

    for (int y = 53; y < 105; ++y)
        for (int x = 22; x < 197; ++x)
            ASSERT_LT (std::abs (card.getPixelAt (x, y).getBrightness() - ground.getBrightness()), 0.06f) << x << ", " << y;
}
