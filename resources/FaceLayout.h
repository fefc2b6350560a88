#pragma once

// The editor's face in one table: where the editor and its looks put the
// meters, knobs, fader, buttons, captions and value boxes, how the meters
// turn decibels into rows, and the knob strips' frames. The editor, the looks,
// the meters and the processor's level values read these numbers, and the
// picture generator paints the background's slots, scales and labels, and
// the bars, captions, thumb, welcome card and knob strips where they meet the
// controls, from the same numbers, so the pictures and the live controls move
// together. Plain constants only: the picture generator includes this as well
// as the plug-in.
namespace FaceLayout
{
/** A rectangle in pixels: in the editor, or inside the child it belongs to. */
struct Box
{
    int x;
    int y;
    int width;
    int height;

    constexpr int right() const { return x + width; }
    constexpr int bottom() const { return y + height; }
};

/** A box given inside its parent, in the parent's coordinates. */
constexpr Box within (Box parent, Box child)
{
    return { parent.x + child.x, parent.y + child.y, child.width, child.height };
}

constexpr int width = 435;
constexpr int height = 373;

// The title strip; the invisible button over its left part opens the welcome
// panel, the gear at its right end the option panel.
constexpr int titleHeight = 28;
constexpr Box titleButton { 0, 0, 208, titleHeight };
constexpr Box gearButton { 407, 5, 18, 18 };

// Level meters: 10 x 162 each; the level value is linear in decibels,
// 0 at -30 dB and 1 at +10 dB, and fills from the bottom.
constexpr int inputMeterX[4] = { 50, 69, 89, 108 };
constexpr int outputMeterX[4] = { 218, 237, 257, 276 };
constexpr int meterTop = 76;
constexpr int meterWidth = 10;
constexpr int meterHeight = 162;

// The level meter whose left edge is at x.
constexpr Box levelMeter (int x)
{
    return { x, meterTop, meterWidth, meterHeight };
}
constexpr float meterTopDb = 10.0f;
constexpr float meterRangeDb = 40.0f;
constexpr float meterBottomDb = meterTopDb - meterRangeDb;

// The level value of a peak at this level. A peak under the scale still gets
// 1e-5, which lights the meter's lowest row: some signal is there.
constexpr float meterLevel (float decibels)
{
    const float clipped = decibels < meterTopDb ? decibels : meterTopDb;
    return clipped < meterBottomDb ? 1.0e-5f : (float) ((double) ((clipped - meterTopDb) / meterRangeDb) + 1.0 + 1.0e-5);
}

// The first row a level meter lights for a peak at this level (the meter
// truncates).
constexpr int levelMeterRow (float decibels)
{
    return meterTop + (int) ((float) meterHeight * (1.0f - meterLevel (decibels)));
}

// Gain-reduction meter: fills from the top, full at 31 dB of reduction.
constexpr Box reductionMeter { 155, 30, 27, 250 };
constexpr float reductionFullDb = 31.0f;

// The row just below the gain-reduction meter's bar at this reduction: where
// the bar ends.
constexpr int reductionMeterRow (float decibels)
{
    return reductionMeter.y + (int) ((float) reductionMeter.height * decibels / reductionFullDb);
}

// Channel captions, drawn by the editor under each meter group.
constexpr int captionWidth = 69;
constexpr int captionHeight = 9;
constexpr Box inputCaption { 48, 248, captionWidth, captionHeight };
constexpr Box outputCaption { 217, 248, captionWidth, captionHeight };

// The max-peak line the editor lays across the output meters, x 202 to 300:
// its top a row above the meters' top for +10 dB and 80 rows lower for
// -10 dB, so that its middle row is the one the meters light for the
// max-peak level.
constexpr int maxPeakLineX = 202;
constexpr int maxPeakLineWidth = 99;
constexpr int maxPeakLineHeight = 3;

// The max-peak line with its top row at y.
constexpr Box maxPeakLine (int y)
{
    return { maxPeakLineX, y, maxPeakLineWidth, maxPeakLineHeight };
}

constexpr int maxPeakLineY (float proportion)
{
    return (int) ((1.0f - proportion) * 80.0f + (float) (meterTop - 1));
}

static_assert (maxPeakLineY (1.0f) + maxPeakLineHeight / 2 == levelMeterRow (10.0f));
static_assert (maxPeakLineY (0.5f) + maxPeakLineHeight / 2 == levelMeterRow (0.0f));
static_assert (maxPeakLineY (0.0f) + maxPeakLineHeight / 2 == levelMeterRow (-10.0f));

// Max-peak fader: the slider's bounds, where its look draws the track (the
// gain-reduction bar) and the thumb inside them (the thumb's top travels 81
// rows, +10 dB at the top, -10 dB at the bottom), and, inside the same
// bounds, the slider's area and its value box. The look draws the track as
// wide as the area and moves the thumb's top through the area's height, so the
// area is the track's width and the thumb's travel. The track is as wide as
// the gain-reduction meter, so that the bar's stripes show pixel for pixel.
constexpr Box fader { 367, 71, 64, 137 };
constexpr int trackOffsetX = 8;
constexpr int trackOffsetY = 6;
constexpr int trackWidth = reductionMeter.width;
constexpr int faderTravel = 81;
constexpr int thumbHeight = 13;
constexpr Box faderArea { 10, 0, trackWidth, faderTravel };
constexpr Box faderValue { 0, 122, 41, 15 };

// The option panel: a dark strip over the max-peak panel with a light rule
// along its left edge, and on the strip the format list under its label
// "I/O config". The strip lets the face show through faintly, so nothing of
// the face is printed behind the label.
constexpr Box optionStrip { 332, 30, width - 332, 247 };
constexpr Box optionRule { 331, 30, 1, 246 };
constexpr Box optionLabel { 343, 42, 80, 24 };
constexpr Box optionList { 345, 70, 78, 19 };

// Knobs: each slider's bounds, the knob drawn at its top left and the value
// box inside the same bounds. Each knob is one frame of a film strip of square
// frames stacked from the top: the first at the minimum, the middle one
// pointing straight up, the last at the maximum. The gain knob shows a frame
// whole, pixel for pixel; the small knobs show a frame's middle part scaled
// into their dial.
constexpr int knobFrames = 127;
constexpr int knobFrameSize = 70;
static_assert (knobFrames % 2 == 1, "the middle frame points straight up");

constexpr Box gainKnob { 10, 298, 114, 70 };
constexpr Box gainDial { 0, 0, knobFrameSize, knobFrameSize };
constexpr Box gainValue { 73, 7, 41, 15 };

constexpr Box attackKnob { 153, 310, 113, 56 };
constexpr Box releaseKnob { 312, 310, 113, 56 };
constexpr Box smallDial { 0, 0, 48, 48 };
constexpr Box smallValue { 56, 6, 55, 15 };

// Welcome card: where the panel draws the picture, and, inside the card,
// where it sets the title and the link; the picture closes the title's area
// with a rule below it and the link's with one above it.
constexpr Box welcomeCard { 99, 30, 220, 280 };
constexpr Box cardTitle { 22, 53, 175, 52 };
constexpr Box cardLink { 26, 238, 168, 22 };
} // namespace FaceLayout
