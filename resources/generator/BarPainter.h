#pragma once

#include <juce_graphics/juce_graphics.h>

// The meter bars and the fader thumb. The meters show a part of a full bar in
// proportion to the value, so each picture is the bar at full scale.
class BarPainter
{
public:
    // 10 x 143: a plain green bar.
    static juce::Image paintInputBar();

    // 10 x 163: red above 0 dB, orange and yellow below it, green from
    // -12 dB down, on the level meters' decibel scale.
    static juce::Image paintOutputBar();

    // 27 x 250: dark blue with fine vertical stripes; the gain-reduction
    // meter and the max-peak fader's track.
    static juce::Image paintReductionBar();

    // 43 x 13: a blue rounded cap with a light index line across its middle.
    static juce::Image paintFaderThumb();
};
