#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The plug-in's common look: its colours for combo boxes, menus, text editors
// and text buttons; the embedded Roboto face for every font that asks for the
// default sans-serif face; flat buttons and combo boxes; knobs drawn as one
// frame of a film strip; and a slider layout that never changes with the
// slider's size.
class AltLookAndFeel : public juce::LookAndFeel_V3
{
public:
    AltLookAndFeel();
    ~AltLookAndFeel() override;

    juce::Typeface::Ptr getTypefaceForFont (const juce::Font& font) override;

    void drawButtonBackground (juce::Graphics& g,
                               juce::Button& button,
                               const juce::Colour& backgroundColour,
                               bool isMouseOverButton,
                               bool isButtonDown) override;
    juce::Font getTextButtonFont (juce::TextButton& button, int buttonHeight) override;

    void drawComboBox (juce::Graphics& g,
                       int width,
                       int height,
                       bool isButtonDown,
                       int buttonX,
                       int buttonY,
                       int buttonW,
                       int buttonH,
                       juce::ComboBox& box) override;
    juce::Font getComboBoxFont (juce::ComboBox& box) override;

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

protected:
    // A slider position as a proportion of the range, made safe to index a
    // film strip or place a fader with: a host or a restored state can hand
    // the slider a value outside its range, or not a number at all, which
    // counts as the minimum.
    static float clampProportion (float proportion) noexcept;

private:
    JUCE_DECLARE_NON_COPYABLE (AltLookAndFeel)
};
