// Paints the plug-in's pictures and writes them as PNG and JPEG files.
//
//   quorvel_resource_generator <Roboto-Regular.ttf> <output folder>
//
// The build runs it to make the files it embeds. To see the pictures in
// place, take snapshots of the real editor with tools/editor_snapshot.
#include "resources/generator/PictureSet.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdio>

int main (int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf (stderr, "usage: %s <Roboto-Regular.ttf> <output folder>\n", argv[0]);
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juceSession;

    const juce::File fontFile (juce::File::getCurrentWorkingDirectory().getChildFile (juce::String::fromUTF8 (argv[1])));
    const juce::File folder (juce::File::getCurrentWorkingDirectory().getChildFile (juce::String::fromUTF8 (argv[2])));

    juce::MemoryBlock font;

    if (! fontFile.loadFileAsData (font) || font.getSize() == 0)
    {
        std::fprintf (stderr, "cannot read the font %s\n", fontFile.getFullPathName().toRawUTF8());
        return 1;
    }

    if (! folder.createDirectory())
    {
        std::fprintf (stderr, "cannot create %s\n", folder.getFullPathName().toRawUTF8());
        return 1;
    }

    const auto pictures = PictureSet::render (font.getData(), font.getSize());

    for (const auto& picture : pictures)
    {
        const auto file = folder.getChildFile (picture.fileName);

        if (! file.replaceWithData (picture.bytes.getData(), picture.bytes.getSize()))
        {
            std::fprintf (stderr, "cannot write %s\n", file.getFullPathName().toRawUTF8());
            return 1;
        }
    }

    return 0;
}
