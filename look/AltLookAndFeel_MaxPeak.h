#pragma once

#include "look/AltLookAndFeel.h"

// The max-peak fader: a track image above a thumb image. The editor gives
// this slider a rotary style, so the rotary operation draws the fader; the
// linear one draws the same for a linear style.
class AltLookAndFeel_MaxPeak : public AltLookAndFeel
{
public:
    AltLookAndFeel_MaxPeak() = default;
    ~AltLookAndFeel_MaxPeak() override;

    void drawLinearSlider (juce::Graphics& g,
                           int x,
                           int y,
                           int width,
                           int height,
                           float sliderPos,
                           float minSliderPos,
                           float maxSliderPos,
                           juce::Slider::SliderStyle style,
                           juce::Slider& slider) override;
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
    // Track from the top of the slot down to the thumb, thumb at thumbTop.
    static void drawFader (juce::Graphics& g, int width, int thumbTop);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AltLookAndFeel_MaxPeak)
};
