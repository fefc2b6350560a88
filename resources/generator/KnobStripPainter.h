#pragma once

#include <juce_graphics/juce_graphics.h>

// The two knob film strips, in the frames the face table gives them, stacked
// vertically: the first frame at the minimum (pointer at the lower left), the
// middle one pointing straight up, the last at the maximum (lower right),
// turning clockwise. What a frame shows is drawn for frames of 70 x 70.
class KnobStripPainter
{
public:
    // Pointer angle of a frame in radians, clockwise from straight up.
    static float angleForFrame (int frame);

    // The attack and release knob: a dark knob inside a ring with ticks and a
    // cyan value arc. Only the centre 60 x 60 of each frame is ever shown, so
    // everything stays within x 7..62 and y 7..64.
    static juce::Image paintKnobStrip();

    // The input-gain knob: a brushed silver cap in a dark bezel; frame 63
    // carries a centre marker above the knob. Everything stays within
    // x 3..66 and y 1..68.
    static juce::Image paintGainKnobStrip();
};
