#pragma once

#include "look/AltLookAndFeel_transparentButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** Makes a button catch clicks without being seen: no text, square on every edge,
    transparent colours, and drawn by a look that draws no background. Clicks go to
    the listener. The look must outlive the button. */
void setUpInvisibleButton (juce::TextButton& button, AltLookAndFeel_transparentButton& look, juce::Button::Listener& listener);
