#pragma once

#include "resources/generator/ArtText.h"
#include "resources/generator/PictureSet.h"

// A mock-up of the open editor, composed from the generated pictures the way
// the editor and its meters draw them, with sample values: for judging how
// the pictures fit together without a plug-in host.
class EditorPreview
{
public:
    static juce::Image compose (const std::vector<PictureSet::Picture>& pictures, const ArtText& text);

    // The same with the welcome card shown over it, its title and link set
    // where the welcome panel puts them.
    static juce::Image composeWithWelcome (const std::vector<PictureSet::Picture>& pictures, const ArtText& text);
};
