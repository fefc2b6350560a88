#include "gui/GuiTestSupport.h"
#include "gui/KestruneAudioProcessorEditor.h"
#include "processor/KestruneAudioProcessor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using quorvel::test::findChild;

// The editor's timer and paints read what the audio thread and host threads write
// (levels, reduction, parameters, the refresh flag and the format index). Run under
// ThreadSanitizer, this shows those reads race with nothing; afterwards the editor
// must settle on the last values within two ticks.
TEST (EditorThreadsTest, TicksAndPaintsWhileAudioAndHostThreadsWrite)
{
    KestruneAudioProcessor processor;
    processor.setPlayConfigDetails (4, 4, 48000.0, 256);
    processor.prepareToPlay (48000.0, 256);

    KestruneAudioProcessorEditor editor (processor);
    auto& gain = *dynamic_cast<juce::Slider*> (findChild (editor, "sliderGain"));
    auto& line = *findChild (editor, "blueLine");

    std::atomic<bool> running { true };
    std::atomic<bool> hostDone { false };

    std::thread audio ([&]
                       {
                           juce::AudioBuffer<float> buffer (4, 256);
                           juce::MidiBuffer midi;
                           juce::Random random (7);

                           while (running.load())
                           {
                               for (int i = 0; i < 4 * 256; ++i)
                                   buffer.setSample (i % 4, i / 4, 4.0f * (random.nextFloat() - 0.5f));

                               processor.processBlock (buffer, midi);
                           } });

    // The last values a host leaves: gain 30 dB, max peak +10 dB, FuMa.
    std::thread host ([&]
                      {
                          for (int i = 0; i < 20000; ++i)
                          {
                              processor.setParameter (i % 4, (float) (i % 101) / 100.0f);
                              processor.idxInputConfig.store (i % 3 - 1);
                          }

                          processor.setParameter (3, 0.5f);
                          processor.setParameter (2, 1.0f);
                          processor.idxInputConfig.store (1);
                          hostDone.store (true); });

    int paints = 0;
    while (! hostDone.load() || paints < 200)
    {
        editor.timerCallback();
        quorvel::test::render (editor);
        EXPECT_GE (line.getY(), 75);
        EXPECT_LE (line.getY(), 155);
        ++paints;
    }

    host.join();
    running.store (false);
    audio.join();

    editor.timerCallback();
    editor.timerCallback();
    EXPECT_DOUBLE_EQ (gain.getValue(), 30.0);
    EXPECT_EQ (line.getY(), 75);
}
