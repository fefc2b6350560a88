#pragma once

#include "resources/generator/ArtText.h"

// The 435 x 373 editor face: title strip, input and output meter blocks with
// their decibel scales, the gain-reduction column, the max-peak panel with the
// fader slot, and the knob area with its labels. Every scale mark sits where
// the editor's meters and fader draw the matching value.
class EditorFacePainter
{
public:
    explicit EditorFacePainter (const ArtText& text);

    juce::Image paint() const;

private:
    void paintTitleStrip (juce::Graphics&) const;
    void paintMeterBlock (juce::Graphics&, const int (&meterX)[4], const juce::String& caption, bool scaleOnLeft) const;
    void paintReductionColumn (juce::Graphics&) const;
    void paintMaxPeakPanel (juce::Graphics&) const;
    void paintKnobArea (juce::Graphics&) const;

    const ArtText& text;
};
