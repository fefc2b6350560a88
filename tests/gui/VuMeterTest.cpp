#include "gui/VuMeter.h"
#include "gui/GuiTestSupport.h"
#include "processor/KestruneAudioProcessor.h"

#include <gtest/gtest.h>

#include <limits>

using quorvel::test::allAlphaIn;
using quorvel::test::render;

namespace
{
/** An opaque picture, so that every pixel the meter draws can be seen. */
juce::Image solidPicture (int width, int height)
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    juce::Graphics (image).fillAll (juce::Colours::green);
    return image;
}

/** The first and one past the last row with any drawn pixel; {0, 0} when none. */
juce::Range<int> drawnRows (const juce::Image& image)
{
    int first = -1;
    int last = -1;

    for (int y = 0; y < image.getHeight(); ++y)
        if (! allAlphaIn (image, { 0, y, image.getWidth(), 1 }, 0, 0))
        {
            if (first < 0)
                first = y;
            last = y;
        }

    return first < 0 ? juce::Range<int>() : juce::Range<int> (first, last + 1);
}

class VuMeterTest : public ::testing::Test
{
protected:
    KestruneAudioProcessor processor;

    juce::Image paintLevelMeter (int levelIndex, float level)
    {
        VuMeter meter (&processor, levelIndex);
        meter.setSize (10, 162);
        meter.meterImage = solidPicture (10, 143);

        if (levelIndex >= 0 && levelIndex < 8)
            processor.vuLevels[(size_t) levelIndex].store (level);

        return render (meter, juce::Colours::transparentBlack);
    }

    static juce::Image paintReduction (float reductionDb)
    {
        juce::Image image (juce::Image::ARGB, 27, 250, true);
        juce::Graphics g (image);
        g.setColour (juce::Colours::black);
        VuMeter::drawGainReductionBar (g, solidPicture (27, 250), 27, 250, reductionDb);
        return image;
    }
};
} // namespace

TEST_F (VuMeterTest, LevelFillsFromTheBottomInProportion)
{
    // Half of 162 rows: rows 81 to 161, nothing above.
    EXPECT_EQ (drawnRows (paintLevelMeter (2, 0.5f)), juce::Range<int> (81, 162));
    EXPECT_EQ (drawnRows (paintLevelMeter (5, 0.25f)), juce::Range<int> (121, 162)); // 162 x 0.75 = 121.5
    EXPECT_TRUE (allAlphaIn (paintLevelMeter (2, 0.5f), { 0, 81, 10, 81 }, 250, 255));
}

TEST_F (VuMeterTest, SilenceDrawsNothingAndTheCappedPeakDrawsTheWholeBar)
{
    EXPECT_EQ (drawnRows (paintLevelMeter (0, 0.0f)), juce::Range<int>());

    const auto full = paintLevelMeter (7, 1.00001f);
    EXPECT_TRUE (allAlphaIn (full, { 0, 0, 10, 162 }, 250, 255));

    EXPECT_TRUE (allAlphaIn (paintLevelMeter (3, 1.0f), { 0, 0, 10, 162 }, 250, 255));
}

TEST_F (VuMeterTest, LevelShowsThePartOfThePictureThatMatchesIt)
{
    // A picture with a distinct colour per row shows which source rows were drawn:
    // level 0.5 on 143 rows starts at source row 71.
    juce::Image striped (juce::Image::ARGB, 10, 143, true);
    for (int y = 0; y < 143; ++y)
        for (int x = 0; x < 10; ++x)
            striped.setPixelAt (x, y, juce::Colour ((juce::uint8) y, 0, 0));

    VuMeter meter (&processor, 1);
    meter.setSize (10, 143);
    meter.meterImage = striped;
    processor.vuLevels[1].store (0.5f);

    const auto image = render (meter, juce::Colours::transparentBlack);
    EXPECT_EQ (drawnRows (image), juce::Range<int> (71, 143));
    EXPECT_EQ (image.getPixelAt (4, 71).getRed(), 71);
    EXPECT_EQ (image.getPixelAt (4, 142).getRed(), 142);
}

TEST_F (VuMeterTest, LevelsThatAreNotNumbersOrOutOfScaleStayInsideTheMeter)
{
    EXPECT_EQ (drawnRows (paintLevelMeter (4, std::numeric_limits<float>::quiet_NaN())), juce::Range<int>());
    EXPECT_EQ (drawnRows (paintLevelMeter (4, -0.5f)), juce::Range<int>());
    EXPECT_TRUE (allAlphaIn (paintLevelMeter (4, std::numeric_limits<float>::infinity()), { 0, 0, 10, 162 }, 250, 255));
    EXPECT_TRUE (allAlphaIn (paintLevelMeter (4, 3.0f), { 0, 0, 10, 162 }, 250, 255));
}

TEST_F (VuMeterTest, LevelModeWithAnIndexOutsideTheLevelValuesDrawsNothing)
{
    for (auto& level : processor.vuLevels)
        level.store (1.0f);

    for (int index : { -1, 8, 1000, std::numeric_limits<int>::min() })
    {
        VuMeter meter (&processor, index);
        meter.setSize (10, 162);
        meter.meterImage = solidPicture (10, 143);
        EXPECT_EQ (drawnRows (render (meter, juce::Colours::transparentBlack)), juce::Range<int>()) << index;
    }
}

TEST_F (VuMeterTest, ANullProcessorDrawsNothing)
{
    VuMeter meter (nullptr, 0);
    meter.setSize (10, 162);
    meter.meterImage = solidPicture (10, 143);
    EXPECT_EQ (drawnRows (render (meter, juce::Colours::transparentBlack)), juce::Range<int>());
}

TEST_F (VuMeterTest, GainReductionFillsFromTheTopLinearInDecibels)
{
    EXPECT_EQ (drawnRows (paintReduction (15.5f)), juce::Range<int> (0, 125));
    EXPECT_EQ (drawnRows (paintReduction (7.75f)), juce::Range<int> (0, 62)); // 250 x 0.25 = 62.5
    EXPECT_EQ (drawnRows (paintReduction (0.0f)), juce::Range<int>());
}

TEST_F (VuMeterTest, GainReductionIsFullFrom31DecibelsUp)
{
    for (float reduction : { 31.0f, 31.5f, 200.0f, std::numeric_limits<float>::max(), std::numeric_limits<float>::infinity() })
        EXPECT_TRUE (allAlphaIn (paintReduction (reduction), { 0, 0, 27, 250 }, 250, 255)) << reduction;
}

TEST_F (VuMeterTest, GainReductionThatIsNotANumberOrNegativeDrawsNothing)
{
    for (float reduction : { std::numeric_limits<float>::quiet_NaN(), -0.1f, -40.0f, -std::numeric_limits<float>::infinity() })
        EXPECT_EQ (drawnRows (paintReduction (reduction)), juce::Range<int>()) << reduction;
}

TEST_F (VuMeterTest, GainReductionMeterReadsTheLimiterWhenPainted)
{
    VuMeter meter (&processor, -1);
    meter.setSize (27, 250);
    meter.meterImage = solidPicture (27, 250);
    meter.gainReductionMode = true;

    // A fresh limiter reduces nothing.
    EXPECT_EQ (drawnRows (render (meter, juce::Colours::transparentBlack)), juce::Range<int>());

    // A loud block makes it reduce: the bar then grows from the top.
    processor.setPlayConfigDetails (4, 4, 48000.0, 512);
    processor.prepareToPlay (48000.0, 512);
    juce::AudioBuffer<float> buffer (4, 512);
    juce::MidiBuffer midi;

    for (int block = 0; block < 8; ++block)
    {
        for (int channel = 0; channel < 4; ++channel)
            for (int i = 0; i < 512; ++i)
                buffer.setSample (channel, i, (i % 2 == 0 ? 8.0f : -8.0f));

        processor.processBlock (buffer, midi);
    }

    const auto rows = drawnRows (render (meter, juce::Colours::transparentBlack));
    EXPECT_EQ (rows.getStart(), 0);
    EXPECT_GT (rows.getLength(), 100); // about 18 dB of 31
}

TEST_F (VuMeterTest, EmbeddedBarPictureShowsInTheMeter)
{
    VuMeter meter (&processor, 0);
    meter.setSize (10, 162);
    processor.vuLevels[0].store (1.00001f);

    ASSERT_TRUE (meter.meterImage.isValid());
    EXPECT_EQ (meter.meterImage.getWidth(), 10);
    EXPECT_EQ (meter.meterImage.getHeight(), 143);
    EXPECT_EQ (drawnRows (render (meter, juce::Colours::transparentBlack)), juce::Range<int> (0, 162));
}
