#include "processor/ProcessorParameter.h"
#include "processor/KestruneAudioProcessor.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <cmath>
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
    const auto& parameters = processor.getParameters();
    ASSERT_EQ (parameters.size(), 4);

    const char* names[] = { "Attack Time", "Release Time", "Max Peak Level", "Input Gain" };

    for (int index = 0; index < 4; ++index)
    {
        auto* parameter = processor.getParameterObject (index);
        ASSERT_EQ (parameter, parameters[index]);
        EXPECT_NE (dynamic_cast<ProcessorParameter*> (parameter), nullptr);
        EXPECT_EQ (parameter->getParameterIndex(), index);
        EXPECT_EQ (parameter->getName (100), names[index]);
        EXPECT_EQ (parameter->getValue(), processor.getParameter (index));
        EXPECT_EQ (parameter->getDefaultValue(), processor.getParameterDefaultValue (index));
        EXPECT_TRUE (parameter->getLabel().isEmpty());
        EXPECT_EQ (parameter->getNumSteps(), juce::AudioProcessor::getDefaultNumParameterSteps());
        EXPECT_TRUE (parameter->isAutomatable());
        EXPECT_FALSE (parameter->isDiscrete());
    }

    EXPECT_EQ (processor.getParameterObject (4), nullptr);
    EXPECT_EQ (processor.getParameterObject (-1), nullptr);
    EXPECT_EQ (processor.getParameterObject (0)->getName (6), "Attack");
}

TEST_F (ParameterObjects, PassValuesUnclamped)
{
    auto* attack = processor.getParameterObject (0);
    processor.parametersChanged = false;

    attack->setValue (1.5f);
    EXPECT_EQ (processor.getParameter (0), 1.5f);
    EXPECT_EQ (attack->getValue(), 1.5f);
    EXPECT_TRUE (processor.parametersChanged.load());

    processor.setParameter (0, -0.25f);
    EXPECT_EQ (attack->getValue(), -0.25f);

    attack->setValue (std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ (attack->getValue(), -0.25f);
}

TEST_F (ParameterObjects, TextIsTheNormalisedValue)
{
    auto* release = processor.getParameterObject (1);
    EXPECT_EQ (release->getCurrentValueAsText(), "0.02");
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

    EXPECT_EQ (processor.getParameter (0), 0.5f);
    EXPECT_EQ (processor.getSettledLatencySamples(), 960);
    ASSERT_EQ (listener.values.size(), 1u);
    EXPECT_EQ (listener.values[0], std::make_pair (0, 0.5f));
    ASSERT_EQ (listener.gestures.size(), 2u);
    EXPECT_TRUE (listener.gestures[0].second);
    EXPECT_FALSE (listener.gestures[1].second);

    attack->removeListener (&listener);
}
} // namespace
