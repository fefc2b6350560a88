#pragma once

#include "look/AltLookAndFeel.h"

// The larger input-gain knob, drawn whole from its own film strip.
class AltLookAndFeel_Gain : public AltLookAndFeel
{
public:
    AltLookAndFeel_Gain() = default;
    ~AltLookAndFeel_Gain() override;

    void drawRotarySlider (juce::Graphics& g,
                           int x,
                           int y,
                           int width,
                           int height,
                           float sliderPosProportional,
                           float rotaryStartAngle,
                           float rotaryEndAngle,
                           juce::Slider& slider) override;
    juce::Slider::SliderLayout getSliderLayout (juce::Slider& slider) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AltLookAndFeel_Gain)
};
