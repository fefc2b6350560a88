#include "look/AltLookAndFeel_transparentButton.h"

#include "look/LookRendering.h"

#include <gtest/gtest.h>

TEST (AltLookAndFeel_transparentButtonTest, EmptyTextButtonDrawsNothingYetTakesClicks)
{
    AltLookAndFeel_transparentButton look;
    juce::Component parent;
    juce::TextButton button;
    button.setButtonText ({});
    button.setColour (juce::TextButton::buttonColourId, juce::Colours::white);
    button.setConnectedEdges (15);
    button.setToggleState (true, juce::dontSendNotification);
    button.setLookAndFeel (&look);

    parent.setSize (200, 100);
    parent.setVisible (true);
    parent.addAndMakeVisible (button);
    button.setBounds (0, 0, 200, 100);

    for (bool over : { false, true })
        for (bool down : { false, true })
        {
            const auto rendering = LookRendering::paint (200, 100, [&] (juce::Graphics& g)
                                                         { look.drawButtonBackground (g, button, juce::Colours::white, over, down); });
            EXPECT_TRUE (LookRendering::isBlank (rendering));
        }

    EXPECT_TRUE (LookRendering::isBlank (button.createComponentSnapshot (button.getLocalBounds(), true)));

    // A click anywhere on it lands on the button.
    EXPECT_EQ (parent.getComponentAt (100, 50), &button);
    EXPECT_EQ (parent.getComponentAt (0, 0), &button);
    EXPECT_TRUE (button.hitTest (199, 99));

    button.setLookAndFeel (nullptr);
}
