// The processor with its callers on their own threads, as in a host: one
// thread processes blocks while another changes parameters and restores
// states, and a third plays the editor. Built and run under ThreadSanitizer
// too (label "threads"), where any unsynchronised access is an error.

#include "processor/KestruneAudioProcessor.h"

#include "ProcessorTestSupport.h"

#include "support/Sanitizers.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

using namespace quorvel::test;

namespace
{
// Under ThreadSanitizer a round of the two-setter test costs about fifty
// times as much; the race checks need far fewer rounds than the reproduction.
#ifdef QUORVEL_THREAD_SANITIZER
constexpr int numSetterRounds = 2000;
#else
constexpr int numSetterRounds = 20000;
#endif

// Thresholds stay at or below 0 dB, so every processed sample stays within 1.
constexpr float highestThresholdValue = 0.5f;

float randomValue (SignalRandom& random, int index)
{
    return index == 2 ? random.between (0.0f, highestThresholdValue) : random.unit();
}

TEST (ProcessorThreads, ChangesAndRestoresWhileBlocksAreProcessed)
{
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    KestruneAudioProcessor processor;
    constexpr int blockSize = 256;
    constexpr int numBlocks = 3000;
    prepare (processor, 48000.0, blockSize);

    std::vector<juce::MemoryBlock> states;
    SignalRandom setup (5);

    for (int i = 0; i < 16; ++i)
    {
        KestruneAudioProcessor source;

        for (int index = 0; index < 4; ++index)
            source.setParameter (index, randomValue (setup, index));

        source.idxInputConfig = setup.integer (-1, 1);
        states.emplace_back();
        source.getStateInformation (states.back());
    }

    std::atomic<bool> finished { false };
    std::atomic<int> changes { 0 };

    std::thread host ([&]
                      {
                          SignalRandom random (6);
                          juce::MemoryBlock saved;

                          while (! finished.load())
                          {
                              switch (random.integer (0, 3))
                              {
                                  case 0:
                                  {
                                      const int index = random.integer (0, 3);
                                      processor.setParameter (index, randomValue (random, index));
                                      break;
                                  }
                                  case 1:
                                  {
                                      const auto& state = states[(size_t) random.integer (0, 15)];
                                      processor.setStateInformation (state.getData(), (int) state.getSize());
                                      break;
                                  }
                                  case 2:
                                  {
                                      const int index = random.integer (0, 3);
                                      auto* parameter = processor.getParameterObject (index);
                                      parameter->beginChangeGesture();
                                      parameter->setValueNotifyingHost (randomValue (random, index));
                                      parameter->endChangeGesture();
                                      break;
                                  }
                                  default:
                                      processor.getStateInformation (saved);
                                      break;
                              }

                              changes.fetch_add (1);
                              std::this_thread::yield();
                          } });

    std::thread editor ([&]
                        {
                            float sink = 0.0f;

                            while (! finished.load())
                            {
                                for (const auto& level : processor.vuLevels)
                                    sink += level.load();

                                sink += processor.getGainReductionDb();

                                if (processor.parametersChanged.exchange (false))
                                    for (int index = 0; index < 4; ++index)
                                        sink += processor.getParameter (index);

                                if (processor.idxInputConfig.load() > 1)
                                    processor.idxInputConfig = 0;

                                std::this_thread::yield();
                            }

                            EXPECT_FALSE (std::isnan (sink)); });

    const auto input = ambisonicScene (blockSize * 64, 48000.0, 4.0f, 8);
    MultiChannelSignal block (4, blockSize);

    int firstBlockAboveCeiling = -1;

    // However late the other threads get going on a loaded machine, blocks go on
    // until the host has made its share of changes.
    for (int n = 0; (n < numBlocks || changes.load() < 1000) && firstBlockAboveCeiling < 0; ++n)
    {
        const int offset = (n % 64) * blockSize;

        for (int ch = 0; ch < 4; ++ch)
            std::copy_n (input.channels[(size_t) ch].begin() + offset, blockSize, block.channels[(size_t) ch].begin());

        // Now and then the host bypasses a few blocks, which pass at unity gain.
        const bool bypassed = (n / 50) % 7 == 3;
        runBlock (processor, block, 0, blockSize, bypassed);

        if (bypassed)
            continue;

        for (const auto& channel : block.channels)
            for (float sample : channel)
                if (! (std::fabs (sample) <= 1.0f))
                    firstBlockAboveCeiling = n;
    }

    finished = true;
    host.join();
    editor.join();

    EXPECT_EQ (firstBlockAboveCeiling, -1);
    EXPECT_GE (changes.load(), 1000);
}

TEST (ProcessorThreads, TwoSettersOfOneParameterLeaveTheValueTheAudioRuns)
{
    // Two threads set the attack at the same moment, round after round: one to
    // 10 ms, the other to 30 ms. Once both calls have returned, the value the
    // host reads, the one saved and the look-ahead the audio runs with after a
    // suspend and resume (prepareToPlay applies what is pending and reports the
    // latency) all come from the same call, whichever came last.
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    KestruneAudioProcessor processor;
    prepare (processor, 48000.0);

    constexpr int numRounds = numSetterRounds;
    std::atomic<int> roundStarted { 0 };
    std::atomic<int> callsReturned { 0 };

    auto setter = [&] (float v)
    {
        for (int round = 1; round <= numRounds; ++round)
        {
            while (roundStarted.load() < round)
                std::this_thread::yield();

            processor.setParameter (KestruneAudioProcessor::attackTimeIndex, v);
            callsReturned.fetch_add (1);
        }
    };

    std::thread shorter (setter, 0.25f);
    std::thread longer (setter, 0.75f);

    int disagreements = 0;
    int firstDisagreement = -1;
    int shorterLast = 0;
    juce::MemoryBlock saved;

    for (int round = 1; round <= numRounds; ++round)
    {
        roundStarted.store (round);

        while (callsReturned.load() < 2 * round)
            std::this_thread::yield();

        prepare (processor, 48000.0);
        const float shown = processor.getParameter (KestruneAudioProcessor::attackTimeIndex);
        const int expected = shown == 0.25f ? 480 : shown == 0.75f ? 1440
                                                                   : -1;
        shorterLast += shown == 0.25f ? 1 : 0;

        // The saved state, now and then: a restore into a fresh processor reads
        // the same value back.
        bool stateAgrees = true;

        if (round % 500 == 0)
        {
            processor.getStateInformation (saved);
            KestruneAudioProcessor restored;
            restored.setStateInformation (saved.getData(), (int) saved.getSize());
            stateAgrees = restored.getParameter (KestruneAudioProcessor::attackTimeIndex) == shown;
        }

        if (processor.getLatencySamples() != expected || processor.getSettledLatencySamples() != expected || ! stateAgrees)
        {
            firstDisagreement = firstDisagreement < 0 ? round : firstDisagreement;
            ++disagreements;
        }
    }

    shorter.join();
    longer.join();

    EXPECT_EQ (disagreements, 0) << "first in round " << firstDisagreement << "; 10 ms came last in " << shorterLast << " rounds";
}
} // namespace
