#include "gui/VuMeter.h"
#include "gui/GuiTestSupport.h"
#include "processor/KestruneAudioProcessor.h"

#include <gtest/gtest.h>

#include <limits>

using namespace quorvel::test;

namespace
{
constexpr auto notANumber = std::numeric_limits<float>::quiet_NaN();
constexpr auto infinity = std::numeric_limits<float>::infinity();

/** An opaque picture, so that every drawn pixel shows; scaling softens its right edge
    by a step or two of alpha. */
juce::Image solidPicture (int width, int height)
{
    return paintInto (width, height, [] (juce::Graphics& g)
                      { g.fillAll (juce::Colours::green); });
}

/** The rows from `first` up to `end` of a meter as wide as the picture: what a bar covers, fully drawn. */
juce::Rectangle<int> rows (int width, int first, int end) { return end > first ? juce::Rectangle<int> (0, first, width, end - first) : juce::Rectangle<int>(); }

void expectDrawnExactly (const juce::Image& image, juce::Rectangle<int> expected)
{
    EXPECT_EQ (drawnBounds (image), expected);
    EXPECT_EQ (drawnBounds (image, 250), expected);
}
} // namespace

TEST (VuMeterTest, ALevelShowsTheLowerPartOfThePictureInProportion)
{
    // A 10 x 162 meter with the 10 x 143 input picture; 162 x 0.75 = 121.5 truncates to 121.
    for (auto [level, first] : { std::pair (0.5f, 81), std::pair (0.25f, 121), std::pair (1.0f, 0), std::pair (1.00001f, 0), std::pair (3.0f, 0), std::pair (infinity, 0), std::pair (0.0f, 162), std::pair (-0.5f, 162), std::pair (notANumber, 162) })
    {
        const auto image = paintInto (10, 162, [level = level] (juce::Graphics& g)
                                      { VuMeter::drawLevelBar (g, solidPicture (10, 143), 10, 162, level); });
        expectDrawnExactly (image, rows (10, first, 162));
    }

    // The rows drawn are the picture's matching rows: level 0.5 of 143 starts at source row 71.
    juce::Image striped (juce::Image::ARGB, 10, 143, true);
    for (int y = 0; y < 143; ++y)
        for (int x = 0; x < 10; ++x)
            striped.setPixelAt (x, y, juce::Colour ((juce::uint8) y, 0, 0));

    const auto image = paintInto (10, 143, [&] (juce::Graphics& g)
                                  { VuMeter::drawLevelBar (g, striped, 10, 143, 0.5f); });
    EXPECT_EQ (image.getPixelAt (4, 71).getRed(), 71);
    EXPECT_EQ (image.getPixelAt (4, 142).getRed(), 142);
}

TEST (VuMeterTest, AReductionFillsFromTheTopLinearInDecibelsAndFullFrom31)
{
    for (auto [reduction, end] : { std::pair (15.5f, 125), std::pair (7.75f, 62), std::pair (31.0f, 250), std::pair (31.5f, 250), std::pair (std::numeric_limits<float>::max(), 250), std::pair (infinity, 250), std::pair (0.0f, 0), std::pair (-0.1f, 0), std::pair (-infinity, 0), std::pair (notANumber, 0) })
    {
        const auto image = paintInto (27, 250, [reduction = reduction] (juce::Graphics& g)
                                      { VuMeter::drawGainReductionBar (g, solidPicture (27, 250), 27, 250, reduction); });
        expectDrawnExactly (image, rows (27, 0, end));
    }
}

TEST (VuMeterTest, AMeterReadsItsValueFromTheProcessorWhenItPaints)
{
    KestruneAudioProcessor processor;

    auto paintMeter = [&] (KestruneAudioProcessor* source, int levelIndex, bool reductionMode)
    {
        VuMeter meter (source, levelIndex);
        meter.setSize (27, 162);
        meter.meterImage = solidPicture (27, 162);
        meter.gainReductionMode = reductionMode;
        return drawnBounds (render (meter));
    };

    EXPECT_EQ (VuMeter (&processor, 0).meterImage.getHeight(), 143) << "the input picture until the editor sets another";

    processor.vuLevels[2].store (0.5f);
    EXPECT_EQ (paintMeter (&processor, 2, false), rows (27, 81, 162));

    // An index outside the eight level values, or no processor, shows nothing.
    for (auto& level : processor.vuLevels)
        level.store (1.0f);
    for (int index : { -1, 8, std::numeric_limits<int>::min() })
        EXPECT_TRUE (paintMeter (&processor, index, false).isEmpty()) << index;
    EXPECT_TRUE (paintMeter (nullptr, 0, false).isEmpty());

    // A fresh limiter reduces nothing; after loud blocks the bar grows from the top.
    EXPECT_TRUE (paintMeter (&processor, -1, true).isEmpty());

    processor.setPlayConfigDetails (4, 4, 48000.0, 512);
    processor.prepareToPlay (48000.0, 512);
    juce::AudioBuffer<float> buffer (4, 512);
    juce::MidiBuffer midi;

    for (int block = 0; block < 8; ++block)
    {
        for (int channel = 0; channel < 4; ++channel)
            for (int i = 0; i < 512; ++i)
                buffer.setSample (channel, i, i % 2 == 0 ? 8.0f : -8.0f);

        processor.processBlock (buffer, midi);
    }

    const auto expectedEnd = (int) (162.0f * juce::jmin (processor.getGainReductionDb(), 31.0f) / 31.0f);
    ASSERT_GT (expectedEnd, 60);
    EXPECT_EQ (paintMeter (&processor, -1, true), rows (27, 0, expectedEnd));
}
