#include "gui/KestruneAudioProcessorEditor.h"
#include "gui/GuiTestSupport.h"
#include "processor/KestruneAudioProcessor.h"
#include "resources/BinaryData.h"
#include "support/HostLocale.h"

#include <gtest/gtest.h>

#include <limits>
#include <thread>

using namespace quorvel::test;

namespace
{
/** The editor's own paint, in the two caption places, matches the background with this caption over it. */
bool showsCaption (juce::Component& editor, const void* captionData, int captionSize)
{
    const auto background = juce::ImageCache::getFromMemory (BinaryData::background_jpg, BinaryData::background_jpgSize);
    const auto caption = juce::ImageCache::getFromMemory (captionData, captionSize);
    const auto expected = paintInto (435, 373, [&] (juce::Graphics& g)
                                     {
                                         g.fillAll (juce::Colours::black);
                                         g.drawImageAt (background, 0, 0);
                                         g.drawImageAt (caption, 48, 248);
                                         g.drawImageAt (caption, 217, 248); });
    const auto actual = render (editor, juce::Colours::black, false);
    return samePixels (actual, expected, { 48, 248, 69, 9 }) && samePixels (actual, expected, { 217, 248, 69, 9 });
}

bool showsFuMa (juce::Component& editor) { return showsCaption (editor, BinaryData::captionFuMa_png, BinaryData::captionFuMa_pngSize); }
bool showsAmbiX (juce::Component& editor) { return showsCaption (editor, BinaryData::captionAmbiX_png, BinaryData::captionAmbiX_pngSize); }

class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        processor.addListener (&host);
        ASSERT_TRUE (processor.hasEditor());
        editor.reset (dynamic_cast<KestruneAudioProcessorEditor*> (processor.createEditor()));
        ASSERT_NE (editor, nullptr);
        // As a host shows it; hidden components take no clicks.
        editor->setVisible (true);
    }

    void TearDown() override
    {
        processor.removeListener (&host);
        editor.reset();
    }

    juce::Slider& slider (const char* name) { return *dynamic_cast<juce::Slider*> (findChild (*editor, name)); }
    juce::Component& blueLine() { return *findChild (*editor, "blueLine"); }
    juce::Component& optionPanel() { return *editor->getChildComponent (16); }
    juce::Component& welcomePanel() { return *editor->getChildComponent (17); }

    KestruneAudioProcessor processor;
    HostRecorder host;
    std::unique_ptr<KestruneAudioProcessorEditor> editor;
};
} // namespace

TEST_F (EditorTest, ANewEditorShowsTheStoredValuesAndWritesNothing)
{
    // The processor's defaults: attack 0.025, release 0.02, max peak 0.5, gain 0.
    for (auto [name, text] : { std::pair ("sliderGain", "0 dB"), std::pair ("sliderAttack", "1.0 ms"), std::pair ("sliderRelease", "20 ms"), std::pair ("sliderThreshold", "0 dB") })
        EXPECT_EQ (dynamic_cast<juce::Label*> (slider (name).getChildComponent (0))->getText(), text) << name;

    EXPECT_EQ (blueLine().getY(), 115);

    // It asks for one more load at the first tick.
    processor.parametersChanged.store (false);
    KestruneAudioProcessorEditor second (processor);
    EXPECT_TRUE (processor.parametersChanged.load());
    EXPECT_TRUE (host.takeEvents().empty());
}

// A host's locale changes neither the text a box shows nor what typing it back sets.
TEST_F (EditorTest, TextBoxesShowAPointAndReadBackInAHostsLocale)
{
    HostLocale hostLocale ("de_DE.UTF-8");
    auto& attack = slider ("sliderAttack");

    for (auto [value, text] : { std::pair (2.5, "2.5 ms"), std::pair (0.1, "0.1 ms") })
    {
        attack.setValue (value, juce::dontSendNotification);
        const auto shown = dynamic_cast<juce::Label*> (attack.getChildComponent (0))->getText();
        EXPECT_EQ (shown, text);
        EXPECT_DOUBLE_EQ (attack.getValueFromText (shown), value) << shown;
    }
}

TEST_F (EditorTest, ATickWithTheRefreshFlagReloadsTheSlidersAndTheLineWithoutWritingBack)
{
    // Values outside 0..1 show at the nearest end of the scale and stay stored as they are.
    for (auto [index, stored, name, shown] : { std::tuple (3, 0.25f, "sliderGain", 15.0),
                                               std::tuple (3, 7.0f, "sliderGain", 60.0),
                                               std::tuple (0, 0.5f, "sliderAttack", 20.0),
                                               std::tuple (1, 0.75f, "sliderRelease", 750.0),
                                               std::tuple (2, 0.25f, "sliderThreshold", -5.0),
                                               std::tuple (2, 1.5f, "sliderThreshold", 10.0),
                                               std::tuple (2, -0.5f, "sliderThreshold", -10.0) })
    {
        processor.setParameter (index, stored);
        editor->timerCallback();
        EXPECT_DOUBLE_EQ (slider (name).getValue(), shown) << name << " " << stored;
        EXPECT_FLOAT_EQ (processor.getParameter (index), stored);
        EXPECT_FALSE (processor.parametersChanged.load());
    }

    EXPECT_EQ (blueLine().getBounds(), juce::Rectangle<int> (202, 155, 99, 3));
    EXPECT_TRUE (host.takeEvents().empty());

    // Without the flag a tick loads nothing.
    slider ("sliderGain").setValue (12.0, juce::dontSendNotification);
    editor->timerCallback();
    EXPECT_DOUBLE_EQ (slider ("sliderGain").getValue(), 12.0);
}

TEST (EditorLineTest, TheMaxPeakLineStandsAtTheParametersHeightAndStaysOnTheScale)
{
    constexpr auto notANumber = std::numeric_limits<float>::quiet_NaN();
    constexpr auto infinity = std::numeric_limits<float>::infinity();

    for (auto [normalised, y] : { std::pair (0.0f, 155), std::pair (0.5f, 115), std::pair (1.0f, 75), std::pair (0.25f, 135), std::pair (0.999f, 75), std::pair (-0.5f, 155), std::pair (notANumber, 155), std::pair (infinity, 75), std::pair (-infinity, 155) })
        EXPECT_EQ (KestruneAudioProcessorEditor::getMaxPeakLineY (normalised), y) << normalised;
}

TEST_F (EditorTest, ADragOrADoubleClickSendsTheNormalisedValueInsideAGesture)
{
    // A knob's whole travel takes 250 pixels, the fader's 100. The skews put 30 dB of gain
    // 177 pixels above 0, 22.7 ms of look-ahead 150 pixels above 1 ms and 589 ms of release
    // 150 pixels above 20 ms (the values snapped to their steps). A double-click returns the
    // default. Each is: slider, parameter index, pixels up, normalised value reached, default.
    const std::tuple<const char*, int, float, float, float> rows[] = {
        { "sliderGain", 3, 177.0f, 0.5f, 0.0f },
        { "sliderAttack", 0, 150.0f, 22.7f / 40.0f, 0.025f },
        { "sliderRelease", 1, 150.0f, 0.589f, 0.02f },
        { "sliderThreshold", 2, -50.0f, 0.0f, 0.5f },
    };

    for (const auto& [name, index, pixelsUp, dragged, defaultValue] : rows)
    {
        auto expectOneGesture = [this, name = name, index = index] (float value)
        {
            const auto events = host.takeEvents();
            ASSERT_EQ (events.size(), 3u) << name;
            EXPECT_EQ (juce::String::charToString (events[0].kind) + events[1].kind + events[2].kind, "bve");
            EXPECT_FLOAT_EQ (events[1].value, value) << name;
            EXPECT_FLOAT_EQ (processor.getParameter (index), value) << name;

            for (const auto& event : events)
                EXPECT_EQ (event.parameterIndex, index) << name;
        };

        auto& control = slider (name);
        dragVertically (control, pixelsUp);
        expectOneGesture (dragged);

        const juce::Point<float> at (10.0f, 10.0f);
        control.mouseDoubleClick (mouseEventAt (control, at, at, 2, false));
        expectOneGesture (defaultValue);
    }

    // A value typed into a box or set by code goes out the same way, without a gesture.
    for (auto [name, value, normalised] : { std::tuple ("sliderAttack", 10.0, 0.25f), std::tuple ("sliderThreshold", 5.0, 0.75f) })
    {
        slider (name).setValue (value, juce::sendNotificationSync);
        const auto events = host.takeEvents();
        ASSERT_EQ (events.size(), 1u) << name;
        EXPECT_FLOAT_EQ (events[0].value, normalised) << name;
    }

    // Sliders that are not the editor's own change nothing.
    juce::Slider other;
    editor->sliderDragStarted (&other);
    editor->sliderValueChanged (&other);
    editor->sliderDragEnded (&other);
    EXPECT_TRUE (host.takeEvents().empty());
}

namespace
{
/** Lets another thread change "Input Gain" while the editor reads the parameters of a
    reload, after it has read that one. */
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

TEST (EditorReloadTest, AChangeMadeDuringAReloadShowsAtTheNextTick)
{
    ProcessorChangedDuringReload processor;
    KestruneAudioProcessorEditor editor (processor);
    auto& gain = *dynamic_cast<juce::Slider*> (findChild (editor, "sliderGain"));
    editor.timerCallback();

    processor.setParameter (3, 0.25f);
    processor.changeDuringNextRead.store (true);
    editor.timerCallback(); // reads 0.25 while the other thread stores 0.75
    EXPECT_DOUBLE_EQ (gain.getValue(), 15.0);

    editor.timerCallback();
    EXPECT_DOUBLE_EQ (gain.getValue(), 45.0);
}

TEST_F (EditorTest, MetersShowTheirOwnLevelAndTheReductionMeterTheLimiter)
{
    for (int level = 0; level < 8; ++level)
    {
        for (int i = 0; i < 8; ++i)
            processor.vuLevels[(size_t) i].store (i == level ? 1.00001f : 0.0f);

        // Input meters show the 143-row green bar, output meters the 163-row coloured one.
        for (int i = 0; i < 8; ++i)
        {
            auto& meter = *dynamic_cast<VuMeter*> (findChild (*editor, "vuMeter", i));
            EXPECT_EQ (drawnBounds (render (meter)).isEmpty(), i != level) << i;
            EXPECT_EQ (meter.meterImage.getHeight(), i < 4 ? 143 : 163) << i;
        }
    }

    auto& reduction = *dynamic_cast<VuMeter*> (findChild (*editor, "vuMeterGainReduction"));
    EXPECT_TRUE (reduction.gainReductionMode);
    EXPECT_EQ (reduction.meterImage.getHeight(), 250);
}

TEST_F (EditorTest, TheChannelCaptionsFollowTheFormatAtTheNextTick)
{
    EXPECT_TRUE (showsAmbiX (*editor));
    ASSERT_FALSE (showsFuMa (*editor));

    // Only index 1 is FuMa; -1 (an empty choice) and damaged values show the ambiX order.
    for (int index : { 1, 0, 1, -1, 5 })
    {
        processor.idxInputConfig.store (index);
        processor.parametersChanged.store (true);
        editor->timerCallback();
        EXPECT_TRUE (index == 1 ? showsFuMa (*editor) : showsAmbiX (*editor)) << index;
    }

    // The choice made in the option panel reaches the captions at the next tick.
    auto& list = *dynamic_cast<juce::ComboBox*> (findChild (optionPanel(), "presetList"));
    list.setSelectedId (OptionGUI::fuMaItemId, juce::sendNotificationSync);
    editor->timerCallback();
    EXPECT_TRUE (showsFuMa (*editor));
    EXPECT_TRUE (host.takeEvents().empty());

    // An editor opened on FuMa shows it from its first paint.
    KestruneAudioProcessorEditor second (processor);
    EXPECT_TRUE (showsFuMa (second));
}

TEST_F (EditorTest, TheGearTogglesTheOptionsOnThePressAndTheCornerTheWelcomeOnTheRelease)
{
    auto& gear = *findChild (*editor, "engrenage");
    const juce::Point<float> centre (9.0f, 9.0f);

    gear.mouseDown (mouseEventAt (gear, centre, centre, 1, false));
    EXPECT_TRUE (optionPanel().isVisible());
    gear.mouseUp (mouseEventAt (gear, centre, centre, 1, false));
    EXPECT_TRUE (optionPanel().isVisible());

    // The shown panel covers the gear: the next click there lands on it and closes it.
    EXPECT_EQ (clickAt (*editor, { 416, 14 }), findChild (optionPanel(), "closeButton"));
    EXPECT_FALSE (optionPanel().isVisible());
    editor->buttonClicked (dynamic_cast<juce::Button*> (&gear));
    EXPECT_TRUE (optionPanel().isVisible());

    auto& corner = *findChild (*editor, "new button");
    corner.mouseDown (mouseEventAt (corner, centre, centre, 1, false));
    EXPECT_FALSE (welcomePanel().isVisible());
    corner.mouseUp (mouseEventAt (corner, centre, centre, 1, false));
    EXPECT_TRUE (welcomePanel().isVisible());

    // With both open the welcome panel lies above and takes the clicks.
    EXPECT_EQ (clickAt (*editor, { 380, 80 }), findChild (welcomePanel(), "closeButton"));
    EXPECT_FALSE (welcomePanel().isVisible());
    editor->buttonClicked (dynamic_cast<juce::Button*> (&corner));
    EXPECT_TRUE (welcomePanel().isVisible());
    editor->buttonClicked (dynamic_cast<juce::Button*> (&corner));
    EXPECT_FALSE (welcomePanel().isVisible());

    juce::TextButton other;
    editor->buttonClicked (&other);
    EXPECT_TRUE (optionPanel().isVisible());
    EXPECT_FALSE (welcomePanel().isVisible());
}
