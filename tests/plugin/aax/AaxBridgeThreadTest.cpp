// The plug-in's effect object under the threads an AAX host runs it on: the audio
// thread renders and asks for coefficients while one host thread automates
// parameters and another saves the state; host threads initialise it again, change
// the attack and restore states while its message thread reports the latency.

#include "tests/plugin/aax/AaxPlugInTest.h"

#include "formats/aax/host/HostChunkRecord.h"

#include "support/WaitUntil.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr uint32_t stateChunkID = AAX_FourCharCode ("juce");

class AaxBridgeThreadTest : public AaxEffectTest
{
protected:
    void SetUp() override
    {
        AaxEffectTest::SetUp();

        if (! HasFatalFailure())
            startAlgorithm();
    }

    /** Where an impulse comes out, once the delay has settled. */
    int measuredDelay()
    {
        render (quorvel::test::MultiChannelSignal (4, 1 << 19), 4096); // the delay glides over about 10000 samples

        quorvel::test::MultiChannelSignal impulse (4, 16384);
        impulse.channels[2][10] = 0.25f;
        const auto output = render (impulse, 4096).channels[2];
        return (int) (std::max_element (output.begin(), output.end(), [] (float a, float b)
                                        { return std::abs (a) < std::abs (b); })
                      - output.begin())
               - 10;
    }
};

TEST_F (AaxBridgeThreadTest, RenderingGoesOnWhileTheHostAutomatesAndSavesTheState)
{
    // The host answers set-value requests at once, on the thread that made them.
    effect->automation().setDelivery (HostAutomationDelegate::Delivery::synchronous);
    std::atomic<bool> done { false };
    std::atomic<int> failures { 0 };

    std::thread automation ([&]
                            {
        for (int step = 0; ! done.load(); ++step)
        {
            const auto identifier = std::to_string (step % 3 + 1); // release, peak level, input gain
            if (effect->effect()->SetParameterNormalizedValue (identifier.c_str(), (step % 10) / 10.0) != kAAX_Success)
                failures.fetch_add (1);
            std::this_thread::yield();
        } });

    // The state may have grown past the size since it was asked for: then it is refused.
    std::thread chunks ([&]
                        {
        while (! done.load())
        {
            uint32_t size = 0;
            const bool sized = effect->effect()->GetChunkSize (stateChunkID, &size) == kAAX_Success;
            HostChunkRecord record (stateChunkID, size);
            const auto written = effect->effect()->GetChunk (stateChunkID, record.get());
            if (! sized || (written == kAAX_Success ? record.data().size() > size : written != kAAX_ErrorChunkSizeMismatch))
                failures.fetch_add (1);
        } });

    // The audio thread is this one: the peak stays at or below the highest threshold the
    // automation can set (+8 dB at 0.9), and no sample goes bad.
    const auto loud = quorvel::test::independentNoise (4, 256, 8.0f, 1401);
    const float ceiling = std::pow (10.0f, 8.0f / 20.0f) * 1.0001f;
    float peak = 0.0f;
    bool finite = true;

    for (int block = 0; block < 400; ++block)
    {
        effect->effect()->GenerateCoefficients();
        const auto output = render (loud, 256);

        for (const auto& channel : output.channels)
            for (auto sample : channel)
            {
                finite = finite && std::isfinite (sample);
                peak = std::max (peak, std::abs (sample));
            }
    }

    done = true;
    automation.join();
    chunks.join();

    EXPECT_TRUE (finite);
    EXPECT_LE (peak, ceiling);
    EXPECT_EQ (failures.load(), 0);
}

TEST_F (AaxBridgeThreadTest, TheReportedLatencyEndsAsTheAudioDelayWhateverTheInterleaving)
{
    const float rates[] = { 44100.0f, 48000.0f, 96000.0f, 22050.0f };
    std::vector<HostChunkRecord> states;

    for (const double attack : { 0.1, 0.9, 0.3 })
    {
        effect->effect()->SetParameterNormalizedValue ("0", attack);
        uint32_t size = 0;
        ASSERT_EQ (effect->effect()->GetChunkSize (stateChunkID, &size), kAAX_Success);
        states.emplace_back (stateChunkID, size);
        ASSERT_EQ (effect->effect()->GetChunk (stateChunkID, states.back().get()), kAAX_Success);
    }

    for (unsigned round = 0; round < 3; ++round)
    {
        // The attack changes and restores go on after the last initialisation, so the
        // latency they end on is the message thread's to report.
        std::atomic<bool> initialising { true }, changing { true };
        std::thread initialisations ([&]
                                     {
            for (int i = 0; initialising; ++i)
            {
                effect->controller().setSettings ({ rates[(size_t) (i + (int) round) % 4] });
                effect->initialize();
            } });
        std::thread attacks ([&]
                             {
            // Through the effect's own setter and through the host's update path, by turns.
            std::mt19937 random (round);
            for (int i = 0; changing; ++i)
            {
                const auto attack = (double) (random() % 1000) / 1000.0;
                if (i % 2 == 0)
                    effect->effect()->SetParameterNormalizedValue ("0", attack);
                else
                    effect->effect()->UpdateParameterNormalizedValue ("0", attack, 0);
            } });
        std::thread restores ([&]
                              {
            for (size_t i = 0; changing; ++i)
                effect->effect()->SetChunk (stateChunkID, states[i % states.size()].get()); });

        std::this_thread::sleep_for (std::chrono::milliseconds (300));
        initialising = false;
        initialisations.join();
        std::this_thread::sleep_for (std::chrono::milliseconds (100));
        changing = false;
        attacks.join();
        restores.join();

        const auto delay = measuredDelay();
        EXPECT_TRUE (quorvel::test::waitUntil ([&]
                                               { return effect->controller().latency() == delay; }))
            << "round " << round << ": audio delayed " << delay << ", host told " << effect->controller().latency();
    }
}
} // namespace
