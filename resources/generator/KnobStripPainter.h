#pragma once

#include <juce_graphics/juce_graphics.h>

// The two knob film strips: 127 frames of 70 x 70 stacked vertically, frame 0
// at the minimum (pointer at the lower left), frame 63 pointing straight up,
// frame 126 at the maximum (lower right), turning clockwise.
class KnobStripPainter
{
public:
    static constexpr int numFrames = 127;
    static constexpr int frameSize = 70;

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
