// The live editor over its own background picture, as the user sees them
// together: each meter and value box stands in the slot the picture frames
// for it, and the meters, the fader and the max-peak line show a level on the
// row where the picture prints its mark.

#include "gui/GuiTestSupport.h"
#include "gui/KestruneAudioProcessorEditor.h"
#include "processor/KestruneAudioProcessor.h"
#include "resources/BinaryData.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace quorvel::test;

namespace
{
const juce::Image& face()
{
    static const juce::Image picture = decode (BinaryData::background_jpg, BinaryData::background_jpgSize);
    return picture;
}

float brightness (const juce::Image& image, juce::Point<int> at) { return image.getPixelAt (at.x, at.y).getBrightness(); }

/** An edge of the picture runs along one side of an area: the two pixels inside it
    are alike and the one outside differs. `inwards` points into the area. */
void expectEdge (juce::Point<int> firstInside, juce::Point<int> inwards, const juce::String& what)
{
    const auto inside = brightness (face(), firstInside);
    EXPECT_NEAR (brightness (face(), firstInside + inwards), inside, 0.02f) << what << " at " << firstInside.toString();
    EXPECT_GT (std::abs (brightness (face(), firstInside - inwards) - inside), 0.04f) << what << " at " << firstInside.toString();
}

/** The picture frames the area left, right and below. (Above, a slot's shadow line is as dark as the slot.) */
void expectFramed (juce::Rectangle<int> area, const juce::String& what)
{
    const auto centre = area.getCentre();
    expectEdge ({ area.getX(), centre.y }, { 1, 0 }, what);
    expectEdge ({ area.getRight() - 1, centre.y }, { -1, 0 }, what);
    expectEdge ({ centre.x, area.getBottom() - 1 }, { 0, -1 }, what);
}

/** The rows of a printed scale in one column of the picture, top down: each stands out
    from the rows two above and two below it. */
std::vector<int> markRows (int x, juce::Range<int> rows)
{
    std::vector<int> marks;

    for (int y = rows.getStart(); y < rows.getEnd(); ++y)
    {
        const auto here = brightness (face(), { x, y });

        if (here > brightness (face(), { x, y - 2 }) + 0.08f && here > brightness (face(), { x, y + 2 }) + 0.08f)
            marks.push_back (y);
    }

    return marks;
}

class EditorFaceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        editor = std::make_unique<KestruneAudioProcessorEditor> (processor);
        ASSERT_EQ (face().getBounds(), editor->getLocalBounds());
    }

    juce::Component& child (const char* name, int occurrence = 0) { return *findChild (*editor, name, occurrence); }

    /** Where a slider's value box stands in the editor. */
    juce::Rectangle<int> valueBox (const char* name)
    {
        auto& slider = child (name);
        return slider.getChildComponent (0)->getBounds() + slider.getPosition();
    }

    /** The rows in one column of the editor where it shows something other than its picture. */
    std::vector<int> changedRows (int x, juce::Range<int> rows)
    {
        const auto shown = render (*editor, juce::Colours::black);
        std::vector<int> changed;

        for (int y = rows.getStart(); y < rows.getEnd(); ++y)
            if (changedAt (shown, { x, y }))
                changed.push_back (y);

        return changed;
    }

    static bool changedAt (const juce::Image& shown, juce::Point<int> at) { return std::abs (brightness (shown, at) - brightness (face(), at)) > 0.1f; }

    /** The columns of the fader's track, drawn over the whole travel at the lowest setting, in one of its rows. */
    juce::Range<int> trackColumns (int row)
    {
        processor.setParameter (2, 0.0f);
        editor->timerCallback();
        const auto shown = render (*editor, juce::Colours::black);
        const auto& fader = child ("sliderThreshold");
        juce::Range<int> track;

        for (int x = fader.getX(); x < fader.getRight(); ++x)
            if (changedAt (shown, { x, row }))
                track = track.isEmpty() ? juce::Range<int> (x, x + 1) : track.getUnionWith ({ x, x + 1 });

        return track;
    }

    KestruneAudioProcessor processor;
    std::unique_ptr<KestruneAudioProcessorEditor> editor;
};
} // namespace

TEST_F (EditorFaceTest, EveryMeterAndValueBoxStandsInTheSlotThePictureFramesForIt)
{
    for (int i = 0; i < 8; ++i)
        expectFramed (child ("vuMeter", i).getBounds(), "level meter " + juce::String (i));

    expectFramed (child ("vuMeterGainReduction").getBounds(), "gain-reduction meter");

    for (auto* name : { "sliderGain", "sliderAttack", "sliderRelease", "sliderThreshold" })
        expectFramed (valueBox (name), name);

    // The fader's track runs in its slot with one pixel to spare on either side.
    const int row = child ("sliderThreshold").getY() + 40;
    const auto track = trackColumns (row);
    ASSERT_GE (track.getLength(), 20);
    expectEdge ({ track.getStart() - 1, row }, { 1, 0 }, "fader slot");
    expectEdge ({ track.getEnd(), row }, { -1, 0 }, "fader slot");
}

TEST_F (EditorFaceTest, TheMetersTheFaderAndTheLineShowALevelOnTheRowThePictureMarksForIt)
{
    // The level meters' scales, beside the input and the output meters: +10 dB down to -30 dB in 5 dB steps.
    const auto& firstInput = child ("vuMeter");
    const juce::Range<int> meterRows (firstInput.getY() - 6, firstInput.getBottom() + 6);
    const auto levelMarks = markRows (firstInput.getX() - 5, meterRows);
    ASSERT_EQ (levelMarks.size(), 9u);
    EXPECT_EQ (markRows (child ("vuMeter", 7).getRight() + 5, meterRows), levelMarks);

    // A peak at each level, in rising order so that each reading shows at once, lights
    // the input meters from the marked row down.
    processor.setPlayConfigDetails (4, 4, 48000.0, 64);
    processor.prepareToPlay (48000.0, 64);
    juce::AudioBuffer<float> block (4, 64);
    juce::MidiBuffer midi;

    for (int step = 8; step >= 0; --step)
    {
        const float decibels = 10.0f - 5.0f * (float) step;
        block.clear();
        for (int channel = 0; channel < 4; ++channel)
            block.setSample (channel, 0, std::pow (10.0f, decibels / 20.0f));
        processor.processBlock (block, midi);

        const auto lit = changedRows (firstInput.getX() + 4, meterRows);
        ASSERT_FALSE (lit.empty()) << decibels << " dB";
        EXPECT_EQ (lit.front(), levelMarks[(size_t) step]) << decibels << " dB";
        EXPECT_EQ (lit.back(), firstInput.getBottom() - 1) << decibels << " dB";
    }

    // The gain-reduction meter's scale, 5 dB down to 30 dB of reduction; the bar ends on the row above each mark.
    auto& reductionMeter = dynamic_cast<VuMeter&> (child ("vuMeterGainReduction"));
    const auto reductionMarks = markRows (reductionMeter.getX() - 4, { reductionMeter.getY(), reductionMeter.getBottom() });
    ASSERT_EQ (reductionMarks.size(), 6u);

    for (size_t i = 0; i < reductionMarks.size(); ++i)
    {
        const float reduction = 5.0f * (float) (i + 1);
        const auto bar = paintInto (reductionMeter.getWidth(), reductionMeter.getHeight(), [&] (juce::Graphics& g)
                                    { VuMeter::drawGainReductionBar (g, reductionMeter.meterImage, reductionMeter.getWidth(), reductionMeter.getHeight(), reduction); });
        EXPECT_EQ (reductionMeter.getY() + drawnBounds (bar).getBottom(), reductionMarks[i]) << reduction << " dB";
    }

    // The fader's scale, +10 dB down to -10 dB. At each marked setting the thumb's index
    // line, its lightest row, stands on the mark, and the max-peak line's middle row on
    // the level meters' mark for the same level.
    auto& fader = child ("sliderThreshold");
    const auto track = trackColumns (fader.getY() + 40);
    const auto faderMarks = markRows (track.getStart() - 4, { fader.getY(), fader.getY() + 110 });
    ASSERT_EQ (faderMarks.size(), 5u);

    for (size_t i = 0; i < faderMarks.size(); ++i)
    {
        processor.setParameter (2, 1.0f - 0.25f * (float) i);
        editor->timerCallback();

        const auto shown = render (*editor, juce::Colours::black);
        auto lightness = [&] (int y)
        { return shown.getPixelAt (track.getStart() + 12, y).getPerceivedBrightness(); };
        int indexLine = fader.getY();

        for (int y = fader.getY(); y < fader.getY() + 110; ++y)
            if (lightness (y) > lightness (indexLine))
                indexLine = y;

        EXPECT_EQ (indexLine, faderMarks[i]) << "setting " << i;
        EXPECT_EQ (child ("blueLine").getBounds().getCentreY(), levelMarks[i]) << "setting " << i;
    }
}
