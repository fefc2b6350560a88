#include "resources/generator/PictureSet.h"

#include "resources/BinaryData.h"

#include <gtest/gtest.h>

TEST (PictureSetTest, PaintingAgainGivesTheEmbeddedBytesExactly)
{
    const auto pictures = PictureSet::render (BinaryData::Roboto_ttf, (size_t) BinaryData::Roboto_ttfSize);
    ASSERT_EQ (pictures.size(), 11u);

    for (const auto& picture : pictures)
    {
        int size = 0;
        const auto* embedded = BinaryData::getNamedResource (picture.resourceName.toRawUTF8(), size);
        ASSERT_NE (embedded, nullptr) << picture.resourceName;
        EXPECT_EQ ((size_t) size, picture.bytes.getSize()) << picture.resourceName;
        EXPECT_TRUE (picture.bytes.matches (embedded, (size_t) size)) << picture.resourceName;
    }
}

TEST (PictureSetTest, FileNamesFollowTheResourceNames)
{
    const auto pictures = PictureSet::render (BinaryData::Roboto_ttf, (size_t) BinaryData::Roboto_ttfSize);

    for (const auto& picture : pictures)
    {
        const auto expected = picture.resourceName.replace ("_png", ".png").replace ("_jpg", ".jpg");
        EXPECT_EQ (picture.fileName, expected);
    }
}
