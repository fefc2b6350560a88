#include "gui/BlueLine.h"

BlueLine::BlueLine()
{
    // A placeholder size; the editor gives the line its real bounds.
    setSize (99, 1);
}

BlueLine::~BlueLine() = default;

void BlueLine::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (lineColour));
}

void BlueLine::resized()
{
}
