// Paints the plug-in's pictures and writes them as PNG and JPEG files.
//
//   quorvel_resource_generator <Roboto-Regular.ttf> <output folder> [--preview]
//
// The build runs it to make the files it embeds; run it by hand to look at
// the pictures. With --preview it also writes editor-preview.png and
// welcome-preview.png, mock-ups of the open editor with sample values.
#include "resources/generator/EditorPreview.h"
#include "resources/generator/PictureSet.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdio>

int main (int argc, char** argv)
{
    const bool withPreview = argc == 4 && juce::String (argv[3]) == "--preview";

    if (argc != 3 && ! withPreview)
    {
        std::fprintf (stderr, "usage: %s <Roboto-Regular.ttf> <output folder> [--preview]\n", argv[0]);
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

    if (withPreview)
    {
        const ArtText text (juce::Typeface::createSystemTypefaceFor (font.getData(), font.getSize()));
        const std::pair<const char*, juce::Image> previews[] = {
            { "editor-preview.png", EditorPreview::compose (pictures, text) },
            { "welcome-preview.png", EditorPreview::composeWithWelcome (pictures, text) },
        };

        for (const auto& [name, image] : previews)
        {
            const auto file = folder.getChildFile (name);
            const auto bytes = PictureSet::encodePng (image);

            if (! file.replaceWithData (bytes.getData(), bytes.getSize()))
            {
                std::fprintf (stderr, "cannot write %s\n", file.getFullPathName().toRawUTF8());
                return 1;
            }
        }
    }

    return 0;
}
