#include "gui/KestruneAudioProcessorEditor.h"
#include "gui/GuiTestSupport.h"
#include "processor/KestruneAudioProcessor.h"
#include "resources/BinaryData.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using quorvel::test::findChild;
using quorvel::test::HostRecorder;

namespace
{
struct ChildRow
{
    const char* name;
    juce::Rectangle<int> bounds;
};

// In creation order, which is also the stacking order.
const ChildRow expectedChildren[] = {
    { "engrenage", { 407, 5, 18, 18 } },
    { "vuMeter", { 50, 76, 10, 162 } },
    { "vuMeter", { 69, 76, 10, 162 } },
    { "vuMeter", { 89, 76, 10, 162 } },
    { "vuMeter", { 108, 76, 10, 162 } },
    { "vuMeter", { 218, 76, 10, 162 } },
    { "vuMeter", { 237, 76, 10, 162 } },
    { "sliderGain", { 10, 298, 114, 70 } },
    { "new button", { 0, 0, 208, 28 } },
    { "vuMeter", { 257, 76, 10, 162 } },
    { "vuMeter", { 276, 76, 10, 162 } },
    { "sliderAttack", { 153, 310, 113, 56 } },
    { "sliderRelease", { 312, 310, 113, 56 } },
    { "sliderThreshold", { 367, 71, 64, 137 } },
    { "vuMeterGainReduction", { 155, 30, 27, 250 } },
    { "blueLine", { 202, 115, 99, 3 } },
};

class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        processor.addListener (&host);
        editor = std::make_unique<KestruneAudioProcessorEditor> (processor);

        // As a host shows it; hidden components take no clicks.
        editor->setVisible (true);
    }

    void TearDown() override
    {
        processor.removeListener (&host);
        editor.reset();
    }

    juce::Slider& slider (const char* name)
    {
        auto* found = dynamic_cast<juce::Slider*> (findChild (*editor, name));
        EXPECT_NE (found, nullptr) << name;
        return *found;
    }

    juce::Component& blueLine() { return *findChild (*editor, "blueLine"); }

    void tick (int times = 1)
    {
        for (int i = 0; i < times; ++i)
            editor->timerCallback();
    }

    KestruneAudioProcessor processor;
    HostRecorder host;
    std::unique_ptr<KestruneAudioProcessorEditor> editor;
};

/** The picture a person sees under the meters: background, then both captions. */
juce::Image expectedFace (const void* captionData, int captionSize)
{
    juce::Image face (juce::Image::ARGB, 435, 373, true);
    juce::Graphics g (face);
    g.fillAll (juce::Colours::black);
    g.drawImageAt (juce::ImageCache::getFromMemory (BinaryData::background_jpg, BinaryData::background_jpgSize), 0, 0);
    const auto caption = juce::ImageCache::getFromMemory (captionData, captionSize);
    g.drawImageAt (caption, 48, 248);
    g.drawImageAt (caption, 217, 248);
    return face;
}

bool sameInCaptions (const juce::Image& actual, const juce::Image& expected)
{
    for (auto area : { juce::Rectangle<int> (48, 248, 69, 9), juce::Rectangle<int> (217, 248, 69, 9) })
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                if (actual.getPixelAt (x, y) != expected.getPixelAt (x, y))
                    return false;

    return true;
}
} // namespace

TEST_F (EditorTest, IsAFixedWindowWithItsSixteenChildrenAndTwoHiddenPanels)
{
    EXPECT_EQ (editor->getWidth(), 435);
    EXPECT_EQ (editor->getHeight(), 373);
    ASSERT_EQ (editor->getNumChildComponents(), 18);

    // Building the window loads the parameters without writing any back.
    EXPECT_TRUE (host.takeEvents().empty());

    for (int i = 0; i < 16; ++i)
    {
        auto* child = editor->getChildComponent (i);
        EXPECT_EQ (child->getName(), expectedChildren[i].name) << i;
        EXPECT_EQ (child->getBounds(), expectedChildren[i].bounds) << i;
        EXPECT_TRUE (child->isVisible()) << i;
    }

    auto* optionPanel = dynamic_cast<OptionGUI*> (editor->getChildComponent (16));
    auto* welcomePanel = dynamic_cast<WelcomeGUI*> (editor->getChildComponent (17));
    ASSERT_NE (optionPanel, nullptr);
    ASSERT_NE (welcomePanel, nullptr);
    EXPECT_EQ (optionPanel->getBounds(), juce::Rectangle<int> (0, 0, 435, 373));
    EXPECT_EQ (welcomePanel->getBounds(), juce::Rectangle<int> (0, 0, 435, 373));
    EXPECT_FALSE (optionPanel->isVisible());
    EXPECT_FALSE (welcomePanel->isVisible());

    // A resize keeps every child where it is, the line included after a load.
    editor->setBounds (0, 0, 600, 500);
    for (int i = 0; i < 15; ++i)
        EXPECT_EQ (editor->getChildComponent (i)->getBounds(), expectedChildren[i].bounds) << i;
}

TEST_F (EditorTest, MetersShowTheirLevelsAndTheReductionMeterTheLimiter)
{
    for (int i = 0; i < 8; ++i)
        processor.vuLevels[(size_t) i].store (0.0f);
    processor.vuLevels[6].store (1.00001f);

    // Only the meter of level index 6 shows a bar.
    for (int i = 0; i < 8; ++i)
    {
        auto* meter = dynamic_cast<VuMeter*> (findChild (*editor, "vuMeter", i));
        ASSERT_NE (meter, nullptr);
        EXPECT_FALSE (meter->gainReductionMode);
        const auto image = quorvel::test::render (*meter, juce::Colours::transparentBlack);
        EXPECT_EQ (quorvel::test::allAlphaIn (image, meter->getLocalBounds(), 0, 0), i != 6) << i;
    }

    auto* reduction = dynamic_cast<VuMeter*> (findChild (*editor, "vuMeterGainReduction"));
    ASSERT_NE (reduction, nullptr);
    EXPECT_TRUE (reduction->gainReductionMode);
    EXPECT_EQ (reduction->meterImage.getHeight(), 250);
    EXPECT_EQ (dynamic_cast<VuMeter*> (findChild (*editor, "vuMeter", 0))->meterImage.getHeight(), 143);
    EXPECT_EQ (dynamic_cast<VuMeter*> (findChild (*editor, "vuMeter", 4))->meterImage.getHeight(), 163);
}

TEST_F (EditorTest, SlidersShowTheDefaultValues)
{
    struct Expected
    {
        const char* name;
        double value;
        const char* text;
    };

    for (const auto& expected : { Expected { "sliderGain", 0.0, "0 dB" },
                                  Expected { "sliderAttack", 1.0, "1.0 ms" },
                                  Expected { "sliderRelease", 20.0, "20 ms" },
                                  Expected { "sliderThreshold", 0.0, "0 dB" } })
    {
        auto& control = slider (expected.name);
        EXPECT_DOUBLE_EQ (control.getValue(), expected.value) << expected.name;
        EXPECT_EQ (control.getTextFromValue (control.getValue()), expected.text) << expected.name;
        EXPECT_DOUBLE_EQ (control.getDoubleClickReturnValue(), expected.value) << expected.name;
        EXPECT_TRUE (control.isDoubleClickReturnEnabled()) << expected.name;

        auto* textBox = dynamic_cast<juce::Label*> (control.getChildComponent (0));
        ASSERT_NE (textBox, nullptr) << expected.name;
        EXPECT_EQ (textBox->getText(), expected.text) << expected.name;
    }

    EXPECT_EQ (blueLine().getY(), 115);
}

TEST_F (EditorTest, SlidersCarryTheirRangesSkewsAndStyle)
{
    struct Expected
    {
        const char* name;
        double minimum, maximum, interval, skew;
    };

    for (const auto& expected : { Expected { "sliderGain", 0.0, 60.0, 1.0, 0.5 },
                                  Expected { "sliderAttack", 0.0, 40.0, 0.1, 0.54 },
                                  Expected { "sliderRelease", 0.0, 1000.0, 1.0, 0.4 },
                                  Expected { "sliderThreshold", -10.0, 10.0, 1.0, 1.0 } })
    {
        auto& control = slider (expected.name);
        EXPECT_EQ (control.getSliderStyle(), juce::Slider::RotaryVerticalDrag);
        EXPECT_DOUBLE_EQ (control.getMinimum(), expected.minimum) << expected.name;
        EXPECT_DOUBLE_EQ (control.getMaximum(), expected.maximum) << expected.name;
        EXPECT_DOUBLE_EQ (control.getInterval(), expected.interval) << expected.name;
        EXPECT_DOUBLE_EQ (control.getSkewFactor(), expected.skew) << expected.name;
    }

    EXPECT_EQ (slider ("sliderThreshold").getMouseDragSensitivity(), 100);
    EXPECT_EQ (slider ("sliderGain").getMouseDragSensitivity(), 250);
    EXPECT_EQ (slider ("sliderGain").getTextBoxPosition(), juce::Slider::TextBoxRight);
    EXPECT_EQ (slider ("sliderThreshold").getTextBoxPosition(), juce::Slider::TextBoxBelow);
}

TEST_F (EditorTest, ADragSendsBeginValueAndEndOnTheSlidersParameter)
{
    struct Drag
    {
        const char* name;
        int parameterIndex;
        float pixelsUp;
        double expectedValue;
        float expectedNormalised;
    };

    // The gain knob's skew puts 30 dB at 177 of 250 pixels.
    for (const auto& drag : { Drag { "sliderGain", 3, 177.0f, 30.0, 0.5f },
                              Drag { "sliderAttack", 0, 300.0f, 40.0, 1.0f },
                              Drag { "sliderRelease", 1, 300.0f, 1000.0, 1.0f },
                              Drag { "sliderThreshold", 2, -50.0f, -10.0, 0.0f } })
    {
        auto& control = slider (drag.name);
        host.takeEvents();

        quorvel::test::dragVertically (control, drag.pixelsUp);

        EXPECT_DOUBLE_EQ (control.getValue(), drag.expectedValue) << drag.name;
        const auto events = host.takeEvents();
        ASSERT_EQ (events.size(), 3u) << drag.name;
        EXPECT_EQ (events[0].kind, HostRecorder::Kind::begin);
        EXPECT_EQ (events[0].parameterIndex, drag.parameterIndex) << drag.name;
        EXPECT_EQ (events[1].kind, HostRecorder::Kind::value);
        EXPECT_EQ (events[1].parameterIndex, drag.parameterIndex) << drag.name;
        EXPECT_FLOAT_EQ (events[1].value, drag.expectedNormalised) << drag.name;
        EXPECT_EQ (events[2].kind, HostRecorder::Kind::end);
        EXPECT_EQ (events[2].parameterIndex, drag.parameterIndex) << drag.name;

        EXPECT_FLOAT_EQ (processor.getParameter (drag.parameterIndex), drag.expectedNormalised) << drag.name;
    }
}

TEST_F (EditorTest, SliderValuesMapToTheirNormalisedParameters)
{
    struct Move
    {
        const char* name;
        int parameterIndex;
        double value;
        float normalised;
    };

    for (const auto& move : { Move { "sliderGain", 3, 30.0, 0.5f },
                              Move { "sliderThreshold", 2, 10.0, 1.0f },
                              Move { "sliderThreshold", 2, 0.0, 0.5f },
                              Move { "sliderRelease", 1, 1000.0, 1.0f },
                              Move { "sliderAttack", 0, 40.0, 1.0f },
                              Move { "sliderAttack", 0, 10.0, 0.25f } })
    {
        host.takeEvents();
        slider (move.name).setValue (move.value, juce::sendNotificationSync);
        const auto events = host.takeEvents();
        ASSERT_EQ (events.size(), 1u) << move.name;
        EXPECT_EQ (events[0].parameterIndex, move.parameterIndex) << move.name;
        EXPECT_FLOAT_EQ (events[0].value, move.normalised) << move.name;
    }
}

TEST_F (EditorTest, ADoubleClickReturnsTheDefaultInsideAGesture)
{
    auto& control = slider ("sliderRelease");
    control.setValue (500.0, juce::dontSendNotification);
    host.takeEvents();

    const juce::Point<float> at (10.0f, 10.0f);
    control.mouseDoubleClick (quorvel::test::makeMouseEvent (control, at, at, 2, false));

    EXPECT_DOUBLE_EQ (control.getValue(), 20.0);
    const auto events = host.takeEvents();
    ASSERT_EQ (events.size(), 3u);
    EXPECT_EQ (events[0].kind, HostRecorder::Kind::begin);
    EXPECT_EQ (events[1].kind, HostRecorder::Kind::value);
    EXPECT_FLOAT_EQ (events[1].value, 0.02f);
    EXPECT_EQ (events[2].kind, HostRecorder::Kind::end);
    for (const auto& event : events)
        EXPECT_EQ (event.parameterIndex, 1);
}

TEST_F (EditorTest, TimerTicksAndLoadsNeverWriteParameters)
{
    processor.setParameter (3, 0.25f);
    processor.setParameter (0, 0.5f);
    processor.setParameter (1, 0.75f);
    processor.setParameter (2, 1.5f); // outside 0..1: shown at the top, kept as stored
    processor.idxInputConfig.store (1);
    host.takeEvents();

    tick (3);

    EXPECT_TRUE (host.takeEvents().empty());
    EXPECT_FALSE (processor.parametersChanged.load());
    EXPECT_DOUBLE_EQ (slider ("sliderGain").getValue(), 15.0);
    EXPECT_DOUBLE_EQ (slider ("sliderAttack").getValue(), 20.0);
    EXPECT_DOUBLE_EQ (slider ("sliderRelease").getValue(), 750.0);
    EXPECT_DOUBLE_EQ (slider ("sliderThreshold").getValue(), 10.0);
    EXPECT_EQ (blueLine().getY(), 75);
    EXPECT_FLOAT_EQ (processor.getParameter (2), 1.5f);

    // Building a second editor writes nothing either, and asks for one more load.
    processor.parametersChanged.store (false);
    KestruneAudioProcessorEditor second (processor);
    EXPECT_TRUE (host.takeEvents().empty());
    EXPECT_TRUE (processor.parametersChanged.load());
}

TEST_F (EditorTest, OutOfRangeStoredValuesStayOnTheScale)
{
    processor.setParameter (2, -0.5f);
    processor.setParameter (3, 7.0f);
    tick();

    EXPECT_EQ (blueLine().getY(), 155);
    EXPECT_DOUBLE_EQ (slider ("sliderThreshold").getValue(), -10.0);
    EXPECT_DOUBLE_EQ (slider ("sliderGain").getValue(), 60.0);
    EXPECT_FLOAT_EQ (processor.getParameter (2), -0.5f);
    EXPECT_FLOAT_EQ (processor.getParameter (3), 7.0f);
    EXPECT_TRUE (host.takeEvents().empty());

    EXPECT_EQ (KestruneAudioProcessorEditor::getMaxPeakLineY (std::numeric_limits<float>::quiet_NaN()), 155);
    EXPECT_EQ (KestruneAudioProcessorEditor::getMaxPeakLineY (std::numeric_limits<float>::infinity()), 75);
    EXPECT_EQ (KestruneAudioProcessorEditor::getMaxPeakLineY (-std::numeric_limits<float>::infinity()), 155);
}

TEST_F (EditorTest, TheMaxPeakLineFollowsTheParameter)
{
    for (auto [normalised, y] : { std::pair<float, int> { 0.0f, 155 },
                                  std::pair<float, int> { 0.5f, 115 },
                                  std::pair<float, int> { 1.0f, 75 },
                                  std::pair<float, int> { 0.25f, 135 } })
    {
        processor.setParameter (2, normalised);
        tick();
        EXPECT_EQ (blueLine().getBounds(), juce::Rectangle<int> (202, y, 99, 3)) << normalised;
        EXPECT_TRUE (blueLine().isVisible());
    }
}

TEST_F (EditorTest, NoReloadWithoutTheRefreshFlag)
{
    tick();
    slider ("sliderGain").setValue (12.0, juce::dontSendNotification);
    tick();
    EXPECT_DOUBLE_EQ (slider ("sliderGain").getValue(), 12.0);

    processor.parametersChanged.store (true);
    tick();
    EXPECT_DOUBLE_EQ (slider ("sliderGain").getValue(), 0.0);
}

namespace
{
/** Lets another thread change "Input Gain" while the editor is reading the
        parameters of a reload, after it has read that one. */
class ProcessorChangedDuringReload : public KestruneAudioProcessor
{
public:
    float getParameter (int index) override
    {
        const float value = KestruneAudioProcessor::getParameter (index);

        if (changeDuringNextRead.exchange (false))
            std::thread ([this]
                         { setParameter (3, 0.75f); })
                .join();

        return value;
    }

    std::atomic<bool> changeDuringNextRead { false };
};
} // namespace

TEST (EditorReloadTest, AChangeMadeDuringAReloadShowsWithinTwoTicks)
{
    ProcessorChangedDuringReload processor;
    KestruneAudioProcessorEditor editor (processor);
    auto& gain = *dynamic_cast<juce::Slider*> (findChild (editor, "sliderGain"));

    editor.timerCallback();
    ASSERT_FALSE (processor.parametersChanged.load());

    processor.setParameter (3, 0.25f);
    processor.changeDuringNextRead.store (true);

    editor.timerCallback(); // reads 0.25, and the other thread stores 0.75 meanwhile
    EXPECT_DOUBLE_EQ (gain.getValue(), 15.0);

    editor.timerCallback();
    EXPECT_DOUBLE_EQ (gain.getValue(), 45.0);
    EXPECT_FLOAT_EQ (processor.getParameter (3), 0.75f);
}

TEST_F (EditorTest, FuMaSwitchesBothCaptionsAtTheNextTick)
{
    const auto ambiX = expectedFace (BinaryData::captionAmbiX_png, BinaryData::captionAmbiX_pngSize);
    const auto fuMa = expectedFace (BinaryData::captionFuMa_png, BinaryData::captionFuMa_pngSize);
    ASSERT_FALSE (sameInCaptions (ambiX, fuMa));

    EXPECT_TRUE (sameInCaptions (quorvel::test::renderOwnPaint (*editor, juce::Colours::transparentBlack), ambiX));

    processor.idxInputConfig.store (1);
    processor.parametersChanged.store (true);
    tick();
    EXPECT_TRUE (sameInCaptions (quorvel::test::renderOwnPaint (*editor, juce::Colours::transparentBlack), fuMa));

    // Any other index, -1 from an empty choice included, shows the ambiX order.
    for (int index : { 0, -1, 5 })
    {
        processor.idxInputConfig.store (index);
        processor.parametersChanged.store (true);
        tick();
        EXPECT_TRUE (sameInCaptions (quorvel::test::renderOwnPaint (*editor, juce::Colours::transparentBlack), ambiX)) << index;
    }
}

TEST (EditorCaptionTest, AnEditorOpenedOnFuMaShowsItFromTheFirstPaint)
{
    KestruneAudioProcessor processor;
    processor.idxInputConfig.store (1);
    KestruneAudioProcessorEditor editor (processor);

    const auto fuMa = expectedFace (BinaryData::captionFuMa_png, BinaryData::captionFuMa_pngSize);
    EXPECT_TRUE (sameInCaptions (quorvel::test::renderOwnPaint (editor, juce::Colours::transparentBlack), fuMa));
}

TEST_F (EditorTest, TheOptionPanelChoiceReachesTheCaptions)
{
    auto* optionPanel = editor->getChildComponent (16);
    auto* list = dynamic_cast<juce::ComboBox*> (findChild (*optionPanel, "presetList"));
    ASSERT_NE (list, nullptr);
    tick();

    list->setSelectedId (OptionGUI::fuMaItemId, juce::sendNotificationSync);
    EXPECT_TRUE (processor.parametersChanged.load());
    tick();

    const auto fuMa = expectedFace (BinaryData::captionFuMa_png, BinaryData::captionFuMa_pngSize);
    EXPECT_TRUE (sameInCaptions (quorvel::test::renderOwnPaint (*editor, juce::Colours::transparentBlack), fuMa));
    EXPECT_TRUE (host.takeEvents().empty());
}

TEST_F (EditorTest, TheGearTogglesTheOptionPanelOnThePress)
{
    auto* gear = findChild (*editor, "engrenage");
    auto* optionPanel = editor->getChildComponent (16);
    const juce::Point<float> centre (9.0f, 9.0f);

    gear->mouseDown (quorvel::test::makeMouseEvent (*gear, centre, centre, 1, false));
    EXPECT_TRUE (optionPanel->isVisible());
    gear->mouseUp (quorvel::test::makeMouseEvent (*gear, centre, centre, 1, false));
    EXPECT_TRUE (optionPanel->isVisible());

    // The shown panel covers the gear: the next click there closes the panel.
    EXPECT_EQ (quorvel::test::clickAt (*editor, { 416, 14 }), findChild (*optionPanel, "closeButton"));
    EXPECT_FALSE (optionPanel->isVisible());

    gear->mouseDown (quorvel::test::makeMouseEvent (*gear, centre, centre, 1, false));
    EXPECT_TRUE (optionPanel->isVisible());
    editor->buttonClicked (dynamic_cast<juce::Button*> (gear));
    EXPECT_FALSE (optionPanel->isVisible());
}

TEST_F (EditorTest, TheCornerTogglesTheWelcomePanelOnTheRelease)
{
    auto* welcomePanel = editor->getChildComponent (17);

    EXPECT_EQ (quorvel::test::clickAt (*editor, { 100, 14 }), findChild (*editor, "new button"));
    EXPECT_TRUE (welcomePanel->isVisible());

    // Shown above everything, the panel takes the next click and hides itself.
    quorvel::test::clickAt (*editor, { 100, 14 });
    EXPECT_FALSE (welcomePanel->isVisible());

    // Both panels may be open; the welcome panel lies above.
    editor->getChildComponent (16)->setVisible (true);
    editor->buttonClicked (dynamic_cast<juce::Button*> (findChild (*editor, "new button")));
    EXPECT_TRUE (welcomePanel->isVisible());
    EXPECT_EQ (editor->getComponentAt (juce::Point<int> (380, 80)), findChild (*welcomePanel, "closeButton"));

    juce::TextButton otherButton;
    editor->buttonClicked (&otherButton);
    EXPECT_TRUE (welcomePanel->isVisible());
}

TEST_F (EditorTest, OtherSlidersAreIgnored)
{
    juce::Slider other;
    editor->sliderDragStarted (&other);
    editor->sliderValueChanged (&other);
    editor->sliderDragEnded (&other);
    EXPECT_TRUE (host.takeEvents().empty());
}

TEST (EditorLifecycleTest, TheProcessorCreatesItsEditor)
{
    KestruneAudioProcessor processor;
    EXPECT_TRUE (processor.hasEditor());

    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
    ASSERT_NE (dynamic_cast<KestruneAudioProcessorEditor*> (editor.get()), nullptr);
    EXPECT_EQ (&editor->processor, &processor);
    EXPECT_EQ (editor->getWidth(), 435);
    EXPECT_EQ (editor->getHeight(), 373);
    EXPECT_EQ (editor->getNumChildComponents(), 18);
}
