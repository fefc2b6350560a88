// The embedded resources: the font and the pictures the build painted, byte for
// byte, each of the kind and size the GUI draws it at. Header fields are read
// straight from the bytes rather than through the framework.

#include "resources/BinaryData.h"
#include "resources/generator/PictureSet.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
int bigEndian16 (const unsigned char* bytes) { return (bytes[0] << 8) | bytes[1]; }
int bigEndian32 (const unsigned char* bytes) { return (bigEndian16 (bytes) << 16) | bigEndian16 (bytes + 2); }

/** The first start-of-frame segment of a JPEG: marker, precision, height, width, then per component its id and sampling. */
std::vector<int> jpegFrame (const char* data, int size)
{
    const auto* bytes = reinterpret_cast<const unsigned char*> (data);

    for (int position = 2; position + 10 <= size && bytes[position] == 0xff; position += 2 + bigEndian16 (bytes + position + 2))
    {
        const int marker = bytes[position + 1];

        if (marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc)
        {
            std::vector<int> frame { marker, bytes[position + 4], bigEndian16 (bytes + position + 5), bigEndian16 (bytes + position + 7) };
            for (int component = 0; component < bytes[position + 9] && position + 12 + 3 * component <= size; ++component)
                frame.push_back (bytes[position + 11 + 3 * component]);
            return frame;
        }
    }

    return {};
}
} // namespace

TEST (BinaryDataTest, EveryResourceIsFoundByNameAndHoldsTheBytesOfItsFile)
{
    ASSERT_EQ (BinaryData::numResources, 12);
    std::map<juce::String, int> sizes;

    for (const auto& resource : BinaryData::resources)
    {
        const juce::String name (resource.name);
        sizes[name] = resource.size;

        int size = -1;
        EXPECT_EQ (BinaryData::getNamedResource (resource.name, size), resource.data) << name;
        EXPECT_EQ (size, resource.size) << name;

        const auto file = name == "Roboto_ttf" ? juce::File (QUORVEL_TEST_FONT_FILE)
                                               : juce::File (QUORVEL_TEST_PICTURE_DIR).getChildFile (name.replace ("_png", ".png").replace ("_jpg", ".jpg"));
        juce::MemoryBlock bytes;
        ASSERT_TRUE (file.loadFileAsData (bytes)) << file.getFullPathName();
        EXPECT_TRUE (bytes.matches (resource.data, (size_t) resource.size)) << name;
    }

    EXPECT_EQ (sizes.size(), 12u) << "every name once";
    EXPECT_EQ (sizes["background_jpg"], BinaryData::background_jpgSize);
    EXPECT_EQ (sizes["knob_png"], BinaryData::knob_pngSize);

    int size = 123;
    EXPECT_EQ (BinaryData::getNamedResource ("nothing_png", size), nullptr);
    EXPECT_EQ (size, 0);

    const auto roboto = juce::Typeface::createSystemTypefaceFor (BinaryData::Roboto_ttf, (size_t) BinaryData::Roboto_ttfSize);
    EXPECT_EQ (roboto->getName() + " " + roboto->getStyle(), "Roboto Regular");
}

TEST (BinaryDataTest, PicturesAreEightBitRgbaPngsAndOneBaselineJpegAtTheirSizes)
{
    const std::tuple<const char*, int, int, int> pictures[] = {
        { BinaryData::knobGain_png, BinaryData::knobGain_pngSize, 70, 8890 },
        { BinaryData::knob_png, BinaryData::knob_pngSize, 70, 8890 },
        { BinaryData::vuMeterInput_png, BinaryData::vuMeterInput_pngSize, 10, 143 },
        { BinaryData::gainReductionBar_png, BinaryData::gainReductionBar_pngSize, 27, 250 },
        { BinaryData::faderThumb_png, BinaryData::faderThumb_pngSize, 43, 13 },
        { BinaryData::gear_png, BinaryData::gear_pngSize, 22, 22 },
        { BinaryData::captionAmbiX_png, BinaryData::captionAmbiX_pngSize, 69, 9 },
        { BinaryData::vuMeterOutput_png, BinaryData::vuMeterOutput_pngSize, 10, 163 },
        { BinaryData::captionFuMa_png, BinaryData::captionFuMa_pngSize, 69, 9 },
        { BinaryData::welcome_png, BinaryData::welcome_pngSize, 220, 280 },
        { BinaryData::background_jpg, BinaryData::background_jpgSize, 435, 373 },
    };

    for (const auto& [data, size, width, height] : pictures)
    {
        const auto image = quorvel::test::decode (data, size);
        ASSERT_EQ (image.getBounds(), juce::Rectangle<int> (width, height)) << width << " x " << height;

        if (data == BinaryData::background_jpg)
        {
            // Baseline, 8 bits, three components none of which is subsampled, so that small
            // coloured print keeps its edges.
            EXPECT_EQ (jpegFrame (data, size), (std::vector<int> { 0xc0, 8, height, width, 0x11, 0x11, 0x11 }));
            continue;
        }

        // IHDR: width, height, bit depth 8, colour type 6 (RGBA), then compression, filter and no interlace.
        const auto* bytes = reinterpret_cast<const unsigned char*> (data);
        ASSERT_GT (size, 33);
        EXPECT_EQ (juce::String (data + 12, 4), "IHDR");
        EXPECT_EQ (bigEndian32 (bytes + 16), width);
        EXPECT_EQ (bigEndian32 (bytes + 20), height);
        EXPECT_EQ (std::vector<int> (bytes + 24, bytes + 29), (std::vector<int> { 8, 6, 0, 0, 0 })) << width << " x " << height;
    }
}

TEST (PictureSetTest, PaintingAgainGivesTheEmbeddedBytesExactly)
{
    const auto pictures = PictureSet::render (BinaryData::Roboto_ttf, (size_t) BinaryData::Roboto_ttfSize);
    ASSERT_EQ (pictures.size(), 11u);

    for (const auto& picture : pictures)
    {
        int size = 0;
        const auto* embedded = BinaryData::getNamedResource (picture.resourceName.toRawUTF8(), size);
        ASSERT_NE (embedded, nullptr) << picture.resourceName;
        EXPECT_TRUE (picture.bytes.matches (embedded, (size_t) size)) << picture.resourceName;
    }
}
