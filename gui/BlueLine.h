#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The translucent blue bar that the editor lays across the output meters at the
    height of the "Max Peak Level" parameter. The editor places it; it only paints. */
class BlueLine : public juce::Component
{
public:
    BlueLine();
    ~BlueLine() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** Half-transparent, so the meters below stay readable through the line. */
    static constexpr juce::uint32 lineColour = 0x800B72F2;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BlueLine)
};
