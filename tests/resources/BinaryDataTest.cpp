#include "resources/BinaryData.h"

#include "resources/ResourceFiles.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
struct Expected
{
    const char* name;
    const char* data;
    int size;
    int width, height; // 0 for the font
};

const Expected pictures[] = {
    { "knobGain_png", BinaryData::knobGain_png, BinaryData::knobGain_pngSize, 70, 8890 },
    { "knob_png", BinaryData::knob_png, BinaryData::knob_pngSize, 70, 8890 },
    { "vuMeterInput_png", BinaryData::vuMeterInput_png, BinaryData::vuMeterInput_pngSize, 10, 143 },
    { "gainReductionBar_png", BinaryData::gainReductionBar_png, BinaryData::gainReductionBar_pngSize, 27, 250 },
    { "faderThumb_png", BinaryData::faderThumb_png, BinaryData::faderThumb_pngSize, 43, 13 },
    { "gear_png", BinaryData::gear_png, BinaryData::gear_pngSize, 22, 22 },
    { "captionAmbiX_png", BinaryData::captionAmbiX_png, BinaryData::captionAmbiX_pngSize, 69, 9 },
    { "vuMeterOutput_png", BinaryData::vuMeterOutput_png, BinaryData::vuMeterOutput_pngSize, 10, 163 },
    { "captionFuMa_png", BinaryData::captionFuMa_png, BinaryData::captionFuMa_pngSize, 69, 9 },
    { "welcome_png", BinaryData::welcome_png, BinaryData::welcome_pngSize, 220, 280 },
};
} // namespace

TEST (BinaryDataTest, TableHoldsTheFontTheJpegAndTenPngsByName)
{
    ASSERT_EQ (BinaryData::numResources, 12);

    std::map<juce::String, int> byName;

    for (const auto& resource : BinaryData::resources)
    {
        EXPECT_EQ (byName.count (resource.name), 0u) << resource.name;
        byName[resource.name] = resource.size;

        int size = -1;
        EXPECT_EQ (BinaryData::getNamedResource (resource.name, size), resource.data);
        EXPECT_EQ (size, resource.size);
    }

    for (const auto& picture : pictures)
        EXPECT_EQ (byName[picture.name], picture.size) << picture.name;

    EXPECT_EQ (byName["background_jpg"], BinaryData::background_jpgSize);
    EXPECT_EQ (byName["Roboto_ttf"], BinaryData::Roboto_ttfSize);

    int size = 123;
    EXPECT_EQ (BinaryData::getNamedResource ("nothing_png", size), nullptr);
    EXPECT_EQ (size, 0);
    EXPECT_EQ (BinaryData::getNamedResource (nullptr, size), nullptr);
    EXPECT_EQ (size, 0);
}

TEST (BinaryDataTest, EveryPngIsEightBitRgbaNotInterlacedAtItsStatedSize)
{
    for (const auto& picture : pictures)
    {
        SCOPED_TRACE (picture.name);
        const auto header = ResourceFiles::readPngHeader (picture.data, picture.size);
        ASSERT_TRUE (header.valid);
        EXPECT_EQ (header.width, (uint32_t) picture.width);
        EXPECT_EQ (header.height, (uint32_t) picture.height);
        EXPECT_EQ (header.bitDepth, 8);
        EXPECT_EQ (header.colourType, 6);
        EXPECT_EQ (header.interlace, 0);

        const auto image = ResourceFiles::decode (picture.data, picture.size);
        ASSERT_TRUE (image.isValid());
        EXPECT_EQ (image.getWidth(), picture.width);
        EXPECT_EQ (image.getHeight(), picture.height);
        EXPECT_TRUE (image.hasAlphaChannel());
    }
}

TEST (BinaryDataTest, BackgroundIsABaselineThreeComponentJpegOfTheEditorsSize)
{
    const auto frame = ResourceFiles::readJpegFrame (BinaryData::background_jpg, BinaryData::background_jpgSize);
    EXPECT_EQ (frame.startOfFrameMarker, 0xc0);
    EXPECT_EQ (frame.precision, 8);
    EXPECT_EQ (frame.width, 435);
    EXPECT_EQ (frame.height, 373);
    EXPECT_EQ (frame.components, 3);

    const auto image = ResourceFiles::decode (BinaryData::background_jpg, BinaryData::background_jpgSize);
    ASSERT_TRUE (image.isValid());
    EXPECT_EQ (image.getWidth(), 435);
    EXPECT_EQ (image.getHeight(), 373);
}

TEST (BinaryDataTest, FontIsRobotoRegular)
{
    const auto* data = BinaryData::Roboto_ttf;
    const int size = BinaryData::Roboto_ttfSize;

    ASSERT_GT (size, 12);
    EXPECT_EQ (ResourceFiles::bigEndian32 (reinterpret_cast<const unsigned char*> (data)), 0x00010000u) << "TrueType outlines";

    const auto head = ResourceFiles::trueTypeTable (data, size, "head");
    ASSERT_GE (head.size(), 20u);
    EXPECT_EQ (ResourceFiles::bigEndian16 (head.data() + 18), 2048) << "units per em";

    const auto os2 = ResourceFiles::trueTypeTable (data, size, "OS/2");
    ASSERT_GE (os2.size(), 6u);
    EXPECT_EQ (ResourceFiles::bigEndian16 (os2.data() + 4), 400) << "weight class";

    const auto typeface = juce::Typeface::createSystemTypefaceFor (data, (size_t) size);
    ASSERT_NE (typeface, nullptr);
    EXPECT_EQ (typeface->getName(), "Roboto");
    EXPECT_EQ (typeface->getStyle(), "Regular");

    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (juce::Font (typeface).withHeight (20.0f), "Quorvel", 0.0f, 0.0f);
    juce::Path outline;
    glyphs.createPath (outline);
    EXPECT_GT (outline.getBounds().getWidth(), 40.0f);
}

TEST (BinaryDataTest, EachSizeConstantIsTheLengthOfItsFileAndTheBytesAreTheFiles)
{
    const juce::File pictureFolder (QUORVEL_TEST_PICTURE_DIR);
    const juce::File fontFile (QUORVEL_TEST_FONT_FILE);

    for (const auto& resource : BinaryData::resources)
    {
        const juce::String name (resource.name);
        const auto file = name == "Roboto_ttf" ? fontFile
                                               : pictureFolder.getChildFile (name.upToLastOccurrenceOf ("_", false, false) + "." + name.fromLastOccurrenceOf ("_", false, false));

        juce::MemoryBlock bytes;
        ASSERT_TRUE (file.loadFileAsData (bytes)) << file.getFullPathName();
        EXPECT_EQ ((int) bytes.getSize(), resource.size) << name;
        EXPECT_TRUE (bytes.matches (resource.data, (size_t) resource.size)) << name;
    }
}
