// Writes PNG pictures of the editor as a person sees it, in five states:
//   editor-default.png   a fresh plug-in
//   editor-metering.png  a loud four-channel signal being limited
//   editor-fuma.png      "FuMa" chosen in the option panel
//   editor-options.png   the option panel open
//   editor-welcome.png   the welcome panel open
//
// Usage: quorvel_editor_snapshot <output folder>

#include "gui/KestruneAudioProcessorEditor.h"
#include "processor/KestruneAudioProcessor.h"

#include <cmath>
#include <cstdio>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;

juce::Component* findChild (juce::Component& parent, const juce::String& name)
{
    for (auto* child : parent.getChildren())
        if (child->getName() == name)
            return child;

    return nullptr;
}

bool writePicture (juce::Component& editor, const juce::File& folder, const char* fileName)
{
    const auto picture = editor.createComponentSnapshot (editor.getLocalBounds(), true, 1.0f);
    const auto file = folder.getChildFile (fileName);
    file.deleteFile();

    juce::FileOutputStream stream (file);
    juce::PNGImageFormat png;

    if (! stream.openedOk() || ! png.writeImageToStream (picture, stream))
    {
        std::fprintf (stderr, "cannot write %s\n", file.getFullPathName().toRawUTF8());
        return false;
    }

    std::printf ("%s\n", file.getFullPathName().toRawUTF8());
    return true;
}

/** One second of four sines at different levels: W well above the ceiling, the
    others below it, so that input and output meters, the reduction and the
    line all show something. */
void playLoudSignal (KestruneAudioProcessor& processor)
{
    processor.setPlayConfigDetails (4, 4, sampleRate, blockSize);
    processor.prepareToPlay (sampleRate, blockSize);

    const float amplitudes[] = { 2.5f, 1.2f, 0.7f, 0.3f };
    const double frequencies[] = { 110.0, 220.0, 330.0, 440.0 };

    juce::AudioBuffer<float> buffer (4, blockSize);
    juce::MidiBuffer midi;
    long long frame = 0;

    for (int block = 0; block < (int) sampleRate / blockSize; ++block)
    {
        for (int i = 0; i < blockSize; ++i, ++frame)
            for (int channel = 0; channel < 4; ++channel)
            {
                const double phase = juce::MathConstants<double>::twoPi * frequencies[channel] * (double) frame / sampleRate;
                buffer.setSample (channel, i, amplitudes[channel] * (float) std::sin (phase));
            }

        processor.processBlock (buffer, midi);
    }
}
} // namespace

int main (int argc, char** argv)
{
    // No default folder: a run from the source tree would leave pictures in it.
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }

    // The pictures are rendered off screen; no display is needed or used.
    const juce::ScopedJuceInitialiser_GUI juceRunning;

    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile (juce::String::fromUTF8 (argv[1]));

    if (! folder.createDirectory())
    {
        std::fprintf (stderr, "cannot create %s\n", folder.getFullPathName().toRawUTF8());
        return 1;
    }

    bool ok = true;

    {
        KestruneAudioProcessor processor;
        KestruneAudioProcessorEditor editor (processor);
        editor.timerCallback();
        ok = writePicture (editor, folder, "editor-default.png") && ok;

        auto* optionPanel = editor.getChildComponent (editor.getNumChildComponents() - 2);
        optionPanel->setVisible (true);
        ok = writePicture (editor, folder, "editor-options.png") && ok;

        if (auto* list = dynamic_cast<juce::ComboBox*> (findChild (*optionPanel, "presetList")))
            list->setSelectedId (OptionGUI::fuMaItemId, juce::sendNotificationSync);

        editor.timerCallback();
        ok = writePicture (editor, folder, "editor-fuma.png") && ok;
        optionPanel->setVisible (false);

        editor.getChildComponent (editor.getNumChildComponents() - 1)->setVisible (true);
        ok = writePicture (editor, folder, "editor-welcome.png") && ok;
    }

    {
        KestruneAudioProcessor processor;

        // 6 dB of input gain into a ceiling of -3 dB, with a slower release.
        processor.setParameter (3, 0.1f);
        processor.setParameter (2, 0.35f);
        processor.setParameter (1, 0.1f);
        playLoudSignal (processor);

        KestruneAudioProcessorEditor editor (processor);
        editor.timerCallback();
        ok = writePicture (editor, folder, "editor-metering.png") && ok;
    }

    return ok ? 0 : 1;
}
