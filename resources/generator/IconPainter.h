#pragma once

#include "resources/generator/ArtText.h"

// The small pictures: the gear, the two channel-order captions and the
// welcome card.
class IconPainter
{
public:
    explicit IconPainter (const ArtText& text);

    // 22 x 22: a white gear on a transparent background.
    static juce::Image paintGear();

    // At the captions' size in the face table: four light-grey capitals, each
    // centred over one meter of a group ("WYZX" for the ambiX order, "WXYZ"
    // for FuMa).
    juce::Image paintChannelCaption (const juce::String& letters) const;

    // At the welcome card's size in the face table: the maker's card; the
    // welcome panel sets the title and the link over the rows left free for
    // them.
    juce::Image paintWelcomeCard() const;

private:
    const ArtText& text;
};
