#pragma once

#include <juce_graphics/juce_graphics.h>

// The meter bars and the fader thumb. The meters show a part of a full bar in
// proportion to the value, so each picture is the bar at full scale. Each bar
// is as wide as the meters it fills in the face table; the level bars' heights
// are their own, as the meters scale them to their height.
class BarPainter
{
public:
    // 143 rows: a plain green bar.
    static juce::Image paintInputBar();

    // 163 rows: red above 0 dB, orange and yellow below it, green from
    // -12 dB down, on the level meters' decibel scale.
    static juce::Image paintOutputBar();

    // Dark blue with fine vertical stripes, at the gain-reduction meter's size
    // so that the meter shows it pixel for pixel; also the max-peak fader's
    // track.
    static juce::Image paintReductionBar();

    // 43 wide and the thumb's height: a blue rounded cap with a light index
    // line across its middle.
    static juce::Image paintFaderThumb();
};
