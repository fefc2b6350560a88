#pragma once

#include <juce_graphics/juce_graphics.h>

// The colours of the plug-in's face: a near-black body, slightly lifted
// panels, grey print, one cyan accent for values, and the conventional meter
// colours.
namespace Palette
{
// Face
const juce::Colour faceTop { 0xff1c1e22 };
const juce::Colour faceBottom { 0xff131417 };
const juce::Colour titleTop { 0xff2c2f35 };
const juce::Colour titleBottom { 0xff1f2226 };
const juce::Colour panelFill { 0xff1f2226 };
const juce::Colour panelFillLow { 0xff1a1c20 };
const juce::Colour panelBorder { 0xff2e3238 };
const juce::Colour panelHighlight { 0xff353940 };
const juce::Colour well { 0xff0b0c0e };
const juce::Colour wellBorder { 0xff2a2d33 };
const juce::Colour darkColumn { 0xff101114 };
const juce::Colour shadowLine { 0xff0a0b0d };
const juce::Colour gridLine { 0xff292c32 };

// Print
const juce::Colour titleText { 0xffeceef1 };
const juce::Colour makerText { 0xff8b929b };
const juce::Colour captionText { 0xffa9afb7 };
const juce::Colour scaleText { 0xff7d848d };
const juce::Colour tickMark { 0xff59606a };
const juce::Colour faintText { 0xff6c737c };
// The title strip's tagline is set small: it needs more contrast than the
// other faint print to stay readable.
const juce::Colour taglineText { 0xff9aa1aa };
const juce::Colour channelLetters { 0xffcdd1d6 };

// Accent
const juce::Colour accent { 0xff35d0ea };
const juce::Colour accentDeep { 0xff1d8fa6 };
const juce::Colour startDot { 0xfff3c53a };

// Meters
const juce::Colour meterGreen { 0xff3ccf63 };
const juce::Colour meterYellow { 0xfff1d735 };
const juce::Colour meterOrange { 0xfff39130 };
const juce::Colour meterRed { 0xffe8433c };
const juce::Colour reductionBlue { 0xff1a4591 };
const juce::Colour thumbBlueLight { 0xff62a6ff };
const juce::Colour thumbBlue { 0xff2f6fd6 };
const juce::Colour thumbBlueDark { 0xff1b4596 };
const juce::Colour thumbOutline { 0xff0c1f45 };

// Knobs
const juce::Colour knobBodyTop { 0xff4a4f57 };
const juce::Colour knobBodyBottom { 0xff1d2024 };
const juce::Colour knobCapTop { 0xff25282d };
const juce::Colour knobCapBottom { 0xff363a41 };
const juce::Colour knobGroove { 0xff0d0f12 };
const juce::Colour bezel { 0xff141619 };
} // namespace Palette
