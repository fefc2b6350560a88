#pragma once

#include "look/AltLookAndFeel.h"

// For buttons that must catch clicks without being seen: the full-size close
// buttons of the panels and the button over the editor's title.
class AltLookAndFeel_transparentButton : public AltLookAndFeel
{
public:
    AltLookAndFeel_transparentButton() = default;
    ~AltLookAndFeel_transparentButton() override;

    void drawButtonBackground (juce::Graphics& g,
                               juce::Button& button,
                               const juce::Colour& backgroundColour,
                               bool isMouseOverButton,
                               bool isButtonDown) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AltLookAndFeel_transparentButton)
};
