#include "gui/InvisibleButton.h"

namespace
{
const juce::Colour invisibleBody { 0x00FFFFFF };
const juce::Colour invisibleText { 0x00000000 };

constexpr int allEdgesConnected = juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight
                                  | juce::Button::ConnectedOnTop | juce::Button::ConnectedOnBottom;
} // namespace

void setUpInvisibleButton (juce::TextButton& button, AltLookAndFeel_transparentButton& look, juce::Button::Listener& listener)
{
    button.setButtonText (juce::String());
    button.setConnectedEdges (allEdgesConnected);
    button.addListener (&listener);
    button.setColour (juce::TextButton::buttonColourId, invisibleBody);
    button.setColour (juce::TextButton::buttonOnColourId, invisibleBody);
    button.setColour (juce::TextButton::textColourOnId, invisibleText);
    button.setColour (juce::TextButton::textColourOffId, invisibleText);
    button.setLookAndFeel (&look);
}
