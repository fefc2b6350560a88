// The plug-in's effect object under the threads an AAX host runs it on: the audio
// thread renders and asks for coefficients while one host thread automates
// parameters and another saves the state.

#include "tests/plugin/aax/AaxPlugInTest.h"

#include "formats/aax/host/HostChunkRecord.h"

#include <gmock/gmock.h>

#include <atomic>
#include <cmath>
#include <string>
#include <thread>

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
} // namespace
