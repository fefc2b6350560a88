#pragma once

// Where the editor puts its meters, knobs, fader, captions and value boxes on
// top of the background picture, and how the meters map decibels to pixels.
// The background's scales and labels are drawn from these numbers so that
// they line up with what the editor draws over them.
namespace FaceLayout
{
constexpr int width = 435;
constexpr int height = 373;
constexpr int titleHeight = 28;

// Level meters: 10 x 162 each; the level value is linear in decibels,
// 0 at -30 dB and 1 at +10 dB, and fills from the bottom.
constexpr int inputMeterX[4] = { 50, 69, 89, 108 };
constexpr int outputMeterX[4] = { 218, 237, 257, 276 };
constexpr int meterTop = 76;
constexpr int meterWidth = 10;
constexpr int meterHeight = 162;
constexpr float meterTopDb = 10.0f;
constexpr float meterRangeDb = 40.0f;

// The first row a level meter lights for a peak at this level: the
// processor adds 1e-5 to every level value and the meter truncates.
constexpr int levelMeterRow (float decibels)
{
    const float level = decibels < -30.0f ? 1.0e-5f : (decibels - meterTopDb) / meterRangeDb + 1.0f + 1.0e-5f;
    return meterTop + (int) ((float) meterHeight * (1.0f - level));
}

// Gain-reduction meter: fills from the top, full at 31 dB of reduction.
constexpr int reductionX = 155;
constexpr int reductionTop = 30;
constexpr int reductionWidth = 27;
constexpr int reductionHeight = 250;
constexpr float reductionFullDb = 31.0f;

// The last row the gain-reduction meter fills at this reduction.
constexpr int reductionMeterRow (float decibels)
{
    return reductionTop + (int) ((float) reductionHeight * decibels / reductionFullDb);
}

// Channel captions, drawn by the editor under each meter group.
constexpr int captionWidth = 69;
constexpr int captionHeight = 9;

// The max-peak line the editor lays across the output meters, x 202 to 300,
// at the height of the max-peak setting.
constexpr int maxPeakLineX = 202;
constexpr int maxPeakLineWidth = 99;

// Max-peak fader: the slider's origin, the track's offset inside it, the
// thumb's travel (-10 dB at the bottom, +10 dB at the top) and the value
// box below.
constexpr int faderX = 367;
constexpr int faderY = 71;
constexpr int trackOffsetX = 8;
constexpr int trackOffsetY = 6;
constexpr int trackWidth = 27;
constexpr int faderTravel = 81;
constexpr int thumbHeight = 13;
constexpr int faderValueX = 367;
constexpr int faderValueY = 193;
constexpr int faderValueWidth = 41;
constexpr int faderValueHeight = 15;

// The option panel's label "I/O config": the panel's dark strip lets the
// face show through faintly, so nothing of the face is printed behind it.
constexpr int optionLabelBottom = 66;

// Knobs and their value boxes.
constexpr int gainKnobX = 10;
constexpr int gainKnobY = 298;
constexpr int gainValueX = 83;
constexpr int gainValueY = 305;
constexpr int gainValueWidth = 41;

constexpr int attackKnobX = 153;
constexpr int releaseKnobX = 312;
constexpr int smallKnobY = 310;
constexpr int attackValueX = 209;
constexpr int releaseValueX = 368;
constexpr int smallValueY = 316;
constexpr int smallValueWidth = 55;

constexpr int valueHeight = 15;

// Welcome card: the panel draws its title above cardTitleBottom and its link
// below cardLinkTop.
constexpr int cardWidth = 220;
constexpr int cardHeight = 280;
constexpr int cardTitleBottom = 105;
constexpr int cardLinkTop = 238;
} // namespace FaceLayout
