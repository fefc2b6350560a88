#include "processor/ProcessorParameter.h"
#include "processor/KestruneAudioProcessor.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <limits>
#include <vector>

namespace
{
class ParameterObjects : public ::testing::Test
{
protected:
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    KestruneAudioProcessor processor;
};

// What a wrapper or the editor would observe through the parameter objects.
struct RecordingListener : juce::AudioProcessorParameter::Listener
{
    void parameterValueChanged (int index, float value) override { values.emplace_back (index, value); }
    void parameterGestureChanged (int index, bool starting) override { gestures.emplace_back (index, starting); }

    std::vector<std::pair<int, float>> values;
    std::vector<std::pair<int, bool>> gestures;
};

TEST_F (ParameterObjects, StandForTheProcessorsParametersByIndex)
{
    const char* names[] = { "Attack Time", "Release Time", "Max Peak Level", "Input Gain" };
    const float defaults[] = { 0.025f, 0.02f, 0.5f, 0.0f };
    ASSERT_EQ (processor.getParameters().size(), 4);

    for (int index = 0; index < 4; ++index)
    {
        auto* parameter = processor.getParameterObject (index);
        ASSERT_EQ (parameter, processor.getParameters()[index]);
        EXPECT_NE (dynamic_cast<ProcessorParameter*> (parameter), nullptr);
        EXPECT_EQ (parameter->getParameterIndex(), index);
        EXPECT_EQ (parameter->getName (100), names[index]);
        EXPECT_EQ (parameter->getName (6), juce::String (names[index]).substring (0, 6));
        EXPECT_EQ (parameter->getValue(), defaults[index]);
        EXPECT_EQ (parameter->getDefaultValue(), defaults[index]);
        EXPECT_TRUE (parameter->getLabel().isEmpty());
        EXPECT_EQ (parameter->getNumSteps(), juce::AudioProcessor::getDefaultNumParameterSteps());
        EXPECT_TRUE (parameter->isAutomatable());
        EXPECT_FALSE (parameter->isDiscrete());
    }

    EXPECT_EQ (processor.getParameterObject (4), nullptr);
    EXPECT_EQ (processor.getParameterObject (-1), nullptr);
}

TEST_F (ParameterObjects, PassValuesAndTextsUnclamped)
{
    auto* release = processor.getParameterObject (1);
    EXPECT_EQ (release->getCurrentValueAsText(), "0.02");
    processor.parametersChanged = false;

    release->setValue (1.5f);
    EXPECT_EQ (processor.getParameter (1), 1.5f);
    EXPECT_TRUE (processor.parametersChanged.load());

    processor.setParameter (1, -0.25f);
    EXPECT_EQ (release->getValue(), -0.25f);
    release->setValue (std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ (release->getValue(), -0.25f);

    EXPECT_EQ (release->getText (0.333333343f, 1024), "0.333333");
    EXPECT_EQ (release->getText (0.333333343f, 4), "0.33");
    EXPECT_EQ (release->getText (1.5f, 1024), "1.5");
    EXPECT_EQ (release->getValueForText ("0.125"), 0.125f);
    EXPECT_EQ (release->getValueForText ("1e99999999999"), std::numeric_limits<float>::infinity());
}

TEST_F (ParameterObjects, CarryTheEditorsGesturesAndNotifications)
{
    processor.setPlayConfigDetails (4, 4, 48000.0, 512);
    processor.prepareToPlay (48000.0, 512);

    RecordingListener listener;
    auto* attack = processor.getParameterObject (0);
    attack->addListener (&listener);

    attack->beginChangeGesture();
    attack->setValueNotifyingHost (0.5f);
    attack->endChangeGesture();
    attack->removeListener (&listener);

    EXPECT_EQ (processor.getParameter (0), 0.5f);
    EXPECT_EQ (processor.getSettledLatencySamples(), 960);
    EXPECT_EQ (listener.values, (std::vector<std::pair<int, float>> { { 0, 0.5f } }));
    EXPECT_EQ (listener.gestures, (std::vector<std::pair<int, bool>> { { 0, true }, { 0, false } }));
}
} // namespace
