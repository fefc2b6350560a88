// Quorvel.so at its outer boundary, driven as a host drives it: through VSTPluginMain
// and the record's function pointers only, from the threads a host uses.

#include "tests/plugin/vst2/RawVstHost.h"
#include "tests/plugin/vst2/RealtimeProbe.h"

#include "support/HostLocale.h"
#include "support/Sanitizers.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <random>
#include <thread>
#include <utility>
#include <vector>

using namespace quorvel::test;

namespace
{
constexpr int ioChanged = fst::audioMasterIOChangedRequest;

/** Requests that tell the host of a change, rather than ask it something. */
bool isNotice (int opcode)
{
    constexpr int updateDisplay = 42; // a placeholder number in fst
    return opcode == fst::audioMasterAutomate || opcode == ioChanged || opcode == updateDisplay
           || opcode == fst::audioMasterBeginEdit || opcode == fst::audioMasterEndEdit;
}

/** The look-ahead the limiter gives for a rate and attack, worked out by hand. */
int lookaheadFor (float rate, float attackNormalised)
{
    return std::max (1, (int) (rate * attackNormalised * 40.0f / 1000.0f));
}

class VstBoundaryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_STREQ (host.failure(), "");
        effect.reset (host.create());
        ASSERT_NE (effect, nullptr);
        resume (48000.0f, 256);
        host.take();
    }

    void resume (float rate, int blockSize)
    {
        RawVstHost::dispatch (effect.get(), fst::effMainsChanged, 0, 0);
        RawVstHost::dispatch (effect.get(), fst::effSetSampleRate, 0, 0, nullptr, rate);
        RawVstHost::dispatch (effect.get(), fst::effSetBlockSize, 0, blockSize);
        RawVstHost::dispatch (effect.get(), fst::effMainsChanged, 0, 1);
    }

    std::vector<uint8_t> chunk()
    {
        void* data = nullptr;
        const auto size = RawVstHost::dispatch (effect.get(), fst::effGetChunk, 0, 0, &data);
        const auto* bytes = static_cast<const uint8_t*> (data);
        return bytes != nullptr && size > 0 ? std::vector<uint8_t> (bytes, bytes + size) : std::vector<uint8_t>();
    }

    void restore (std::vector<uint8_t> block)
    {
        RawVstHost::dispatch (effect.get(), fst::effSetChunk, 0, (fst::VstIntPtr) block.size(), block.data());
    }

    /** Requests the plug-in made from inside one of the host's calls, the answers to
        the call itself (the version asked while an effect is made) left out. */
    int requestsInsideHostCalls()
    {
        const auto requests = host.take();
        return (int) std::count_if (requests.begin(), requests.end(), [] (const RawVstHost::Request& request)
                                    { return request.insideHostCall && request.opcode != fst::audioMasterVersion; });
    }

    /** Where an impulse comes out, once the delay has settled. */
    int measuredDelay()
    {
        HostChannels silence (4096);
        for (int block = 0; block < 120; ++block) // the delay glides over about 10000 samples
            RawVstHost::processReplacing (effect.get(), silence.pointers(), silence.pointers(), silence.frames);

        HostChannels input (16384), output (16384);
        input.channel (2)[10] = 0.25f;
        RawVstHost::processReplacing (effect.get(), input.pointers(), output.pointers(), input.frames);
        const auto* channel = output.channel (2);
        return (int) (std::max_element (channel, channel + output.frames, [] (float a, float b)
                                        { return std::abs (a) < std::abs (b); })
                      - channel)
               - 10;
    }

    RawVstHost& host = RawVstHost::get();
    RawVstHost::Effect effect;
};
} // namespace

//==============================================================================
TEST_F (VstBoundaryTest, TheEntryPointsAreAllAHostFinds)
{
    for (const char* kept : { "createPluginFilter", "main", "_ZN4juce14AudioProcessorD2Ev" })
        EXPECT_EQ (host.symbol (kept), nullptr) << kept;

    // Both entries make an effect of its own, which the close opcode deletes.
    RawVstHost::Effect viaMacho (host.create ("main_macho"));
    ASSERT_NE (viaMacho, nullptr);
    EXPECT_NE (viaMacho.get(), effect.get());
    EXPECT_EQ (viaMacho->magic, fst::kEffectMagic);
    EXPECT_EQ (viaMacho->flags, 0x31);
    EXPECT_EQ (RawVstHost::dispatch (viaMacho.release(), fst::effClose), 1);

    // A host that answers 0 to the version request is not one the effect can serve.
    host.take();
    host.versionAnswer = 0;
    EXPECT_EQ (host.create(), nullptr);
    host.versionAnswer = 2400;
    EXPECT_EQ (host.count (fst::audioMasterVersion), 1);
}

TEST_F (VstBoundaryTest, TheEditorsSizeIsKnownWithoutShowingIt)
{
    fst::ERect* rectangle = nullptr;
    ASSERT_EQ (RawVstHost::dispatch (effect.get(), fst::effEditGetRect, 0, 0, &rectangle), 1);
    ASSERT_NE (rectangle, nullptr);
    EXPECT_EQ (rectangle->right - rectangle->left, 435);
    EXPECT_EQ (rectangle->bottom - rectangle->top, 373);

    EXPECT_EQ (RawVstHost::dispatch (effect.get(), fst::effEditGetRect, 0, 0, nullptr), 0);
    EXPECT_EQ (RawVstHost::dispatch (effect.get(), fst::effEditOpen, 0, 0, nullptr), 0);
    RawVstHost::dispatch (effect.get(), fst::effEditIdle);
    RawVstHost::dispatch (effect.get(), fst::effEditClose);
    RawVstHost::dispatch (effect.get(), fst::effEditClose); // twice is harmless
}

TEST_F (VstBoundaryTest, ChunkCallsWithoutAWholeBlockAreRefused)
{
    auto block = chunk();
    ASSERT_GT (block.size(), 9u);

    for (const fst::VstIntPtr size : { (fst::VstIntPtr) 0, (fst::VstIntPtr) -4, (fst::VstIntPtr) 1 << 40 })
        EXPECT_EQ (RawVstHost::dispatch (effect.get(), fst::effSetChunk, 0, size, block.data()), 0) << size;

    EXPECT_EQ (RawVstHost::dispatch (effect.get(), fst::effSetChunk, 0, 100, nullptr), 0);
    EXPECT_EQ (RawVstHost::dispatch (effect.get(), fst::effGetChunk, 0, 0, nullptr), 0);
    EXPECT_EQ (chunk(), block);
}

TEST_F (VstBoundaryTest, OnlyTextThatReadsAsANumberSetsAParameter)
{
    struct Case
    {
        const char* text;
        bool accepted;
        float value;
    };

    const Case cases[] = {
        { "abc", false, 0.0f },
        { "", false, 0.0f },
        { "   ", false, 0.0f },
        { "-", false, 0.0f },
        { ".e5", false, 0.0f },
        { "nan", false, 0.0f },
        { "inf", false, 0.0f },
        { "0.5", true, 0.5f },
        { "  0.25 ms", true, 0.25f },
        { "-1e-1", true, -0.1f },
        { ".75x", true, 0.75f },
        { "0", true, 0.0f },
    };

    for (const auto& c : cases)
    {
        RawVstHost::setParameter (effect.get(), 1, 0.625f);
        char text[64] {};
        std::strncpy (text, c.text, sizeof (text) - 1);

        EXPECT_EQ (RawVstHost::dispatch (effect.get(), fst::effString2Parameter, 1, 0, text), c.accepted ? 1 : 0) << c.text;
        EXPECT_EQ (RawVstHost::getParameter (effect.get(), 1), c.accepted ? c.value : 0.625f) << c.text;
    }
}

// Hosts set the process's locale to their user's. What they show is the C locale's
// text, which the same door reads back as the value shown.
TEST_F (VstBoundaryTest, ShownTextReadsBackInEveryLocale)
{
    const std::pair<float, const char*> shown[] = { { 0.5f, "0.5" }, { 0.025f, "0.025" }, { 5.0e-5f, "5e-05" }, { -0.75f, "-0.75" }, { 1234.5f, "1234.5" } };

    for (const char* locale : { "C", "de_DE.UTF-8", "tr_TR.UTF-8" })
    {
        HostLocale hostLocale (locale);

        for (int index = 0; index < 4; ++index)
        {
            for (const auto& [value, expected] : shown)
            {
                RawVstHost::setParameter (effect.get(), index, value);
                char text[64] {};
                RawVstHost::dispatch (effect.get(), fst::effGetParamDisplay, index, 0, text);
                EXPECT_STREQ (text, expected) << locale;

                RawVstHost::setParameter (effect.get(), index, 0.7f);
                EXPECT_EQ (RawVstHost::dispatch (effect.get(), fst::effString2Parameter, index, 0, text), 1) << locale << ": " << text;
                EXPECT_EQ (RawVstHost::getParameter (effect.get(), index), value) << locale << ": " << text;
            }
        }
    }
}

TEST_F (VstBoundaryTest, NoInputListIsSilenceAndNoOutputKeepsItsOldContents)
{
    RawVstHost::Effect twin (host.create());
    ASSERT_NE (twin, nullptr);
    RawVstHost::dispatch (twin.get(), fst::effSetSampleRate, 0, 0, nullptr, 48000.0f);
    RawVstHost::dispatch (twin.get(), fst::effMainsChanged, 0, 1);

    // Loud audio first, so that the limiter still holds some of it when the input stops.
    for (auto* target : { effect.get(), twin.get() })
    {
        HostChannels loud (256, 3.0f);
        RawVstHost::processReplacing (target, loud.pointers(), loud.pointers(), loud.frames);
    }

    HostChannels stale (256, 5.0f), zeros (256), fromZeros (256, 5.0f);
    RawVstHost::processReplacing (effect.get(), nullptr, stale.pointers(), stale.frames);
    RawVstHost::processReplacing (twin.get(), zeros.pointers(), fromZeros.pointers(), zeros.frames);

    EXPECT_EQ (stale.samples, fromZeros.samples) << "the limiter must see silence";
    EXPECT_GT (std::abs (stale.samples[0]), 0.0f) << "the held audio comes out";
    EXPECT_LE (*std::max_element (stale.samples.begin(), stale.samples.end()), 1.0f);

    // A missing output channel is still limited with the rest: the loud channel 1 sets
    // the common gain, and every output the host gave gets this block's output.
    HostChannels input (256), partial (256, 5.0f), whole (256, 5.0f);
    for (size_t i = 0; i < input.samples.size(); ++i)
        input.samples[i] = std::sin ((float) i * 0.05f) * (i / 256 == 1 ? 4.0f : 0.5f);
    std::vector<float*> missingOne (partial.channelPointers);
    missingOne[1] = nullptr;
    RawVstHost::processReplacing (effect.get(), input.pointers(), missingOne.data(), input.frames);
    RawVstHost::processReplacing (twin.get(), input.pointers(), whole.pointers(), input.frames);
    for (const int channel : { 0, 2, 3 })
        EXPECT_TRUE (std::equal (partial.channel (channel), partial.channel (channel) + 256, whole.channel (channel))) << channel;
    EXPECT_EQ (*std::min_element (partial.channel (1), partial.channel (1) + 256), 5.0f);

    // Not resumed, and in double precision (which the effect does not offer): silence.
    RawVstHost::dispatch (twin.get(), fst::effMainsChanged, 0, 0);
    HostChannels held (64, 5.0f);
    RawVstHost::processReplacing (twin.get(), nullptr, held.pointers(), held.frames);
    EXPECT_EQ (*std::max_element (held.samples.begin(), held.samples.end()), 0.0f);

    // The old accumulating entry adds the processed input to what the outputs hold.
    HostChannels quiet (64), held5 (64, 5.0f);
    twin->process (twin.get(), quiet.pointers(), held5.pointers(), 64);
    EXPECT_EQ (*std::min_element (held5.samples.begin(), held5.samples.end()), 5.0f);
    EXPECT_EQ (*std::max_element (held5.samples.begin(), held5.samples.end()), 5.0f);

    std::vector<double> wide (4 * 64, 5.0);
    double* wideChannels[] = { wide.data(), wide.data() + 64, wide.data() + 128, wide.data() + 192 };
    twin->processDoubleReplacing (twin.get(), nullptr, wideChannels, 64);
    EXPECT_EQ (*std::max_element (wide.begin(), wide.end()), 0.0);
}

TEST_F (VstBoundaryTest, SettingsAnnouncedAgainWhileRunningChangeNothing)
{
    // A twin gets the same audio without the announcements; a preparation would
    // have emptied the limiter's delay.
    RawVstHost::Effect twin (host.create());
    ASSERT_NE (twin, nullptr);
    RawVstHost::dispatch (twin.get(), fst::effSetSampleRate, 0, 0, nullptr, 48000.0f);
    RawVstHost::dispatch (twin.get(), fst::effSetBlockSize, 0, 256);
    RawVstHost::dispatch (twin.get(), fst::effMainsChanged, 0, 1);

    HostChannels first (256, 0.5f), firstTwin (256, 0.5f), second (256), secondTwin (256);
    RawVstHost::processReplacing (effect.get(), first.pointers(), first.pointers(), 256);
    RawVstHost::processReplacing (twin.get(), firstTwin.pointers(), firstTwin.pointers(), 256);

    RawVstHost::dispatch (effect.get(), fst::effSetBlockSize, 0, 256);
    RawVstHost::dispatch (effect.get(), fst::effSetSampleRate, 0, 0, nullptr, 48000.0f);
    RawVstHost::processReplacing (effect.get(), second.pointers(), second.pointers(), 256);
    RawVstHost::processReplacing (twin.get(), secondTwin.pointers(), secondTwin.pointers(), 256);

    EXPECT_EQ (second.samples, secondTwin.samples);
    EXPECT_EQ (second.samples[0], 0.5f) << "the held audio comes out";
}

//==============================================================================
TEST_F (VstBoundaryTest, AttackChangesOnTheAudioThreadNeitherAllocateNorLockNorCallTheHost)
{
    RealtimeCounts counts;
    std::thread audio ([&]
                       {
                           HostChannels block (64, 0.1f);

                           for (int change = 0; change < 20000; ++change)
                           {
                               {
                                   const RealtimeProbe probe;
                                   RawVstHost::setParameter (effect.get(), 0, (float) (change % 40) / 40.0f);
                                   counts.allocations += probe.counts().allocations;
                                   counts.locks += probe.counts().locks;
                               }

                               if (change % 100 == 0)
                                   RawVstHost::processReplacing (effect.get(), block.pointers(), block.pointers(), block.frames);
                           } });
    audio.join();

    if (RealtimeProbe::available()) // a sanitizer replaces the same functions
    {
        EXPECT_EQ (counts.allocations, 0);
        EXPECT_EQ (counts.locks, 0);
    }

    // The burst is told from elsewhere: on a notice the host reads the attack it ended
    // on. The notice may come before this thread looks (even during the burst, when it
    // runs long), so nothing is taken from the record until it is seen.
    const auto endedOn = lookaheadFor (48000.0f, 39.0f / 40.0f);
    EXPECT_TRUE (waitUntil ([&]
                            { return host.count (ioChanged, endedOn) > 0; }));
    EXPECT_EQ (requestsInsideHostCalls(), 0);
    EXPECT_EQ (RawVstHost::initialDelay (effect.get()), endedOn);
}

TEST_F (VstBoundaryTest, ChangesAreToldFromTheMessageThreadNeverInsideTheHostsCallAndNotRepeated)
{
    // A change undone before the message thread looks is no change to tell. The two
    // changes come back to back: the thread looks every few milliseconds.
    const auto restoring = chunk();
    RawVstHost::setParameter (effect.get(), 0, 0.5f);
    RawVstHost::setParameter (effect.get(), 0, 0.025f);
    std::this_thread::sleep_for (std::chrono::milliseconds (150));
    EXPECT_EQ (host.count (ioChanged), 0);
    host.take();

    const auto testThread = std::this_thread::get_id();
    const auto toldWith = [&] (int latency)
    {
        // The thread may look in the middle of a burst and tell what it saw then;
        // the last notice carries where the burst ended, and none follows it.
        EXPECT_TRUE (waitUntil ([this, latency]
                                { return host.count (ioChanged, latency) > 0; }));
        std::this_thread::sleep_for (std::chrono::milliseconds (150));
        const auto requests = host.take();
        std::vector<int> toldDelays;

        // Asking the host (for the process level, say) is part of a call's answer;
        // telling it of a change is not.
        for (const auto& request : requests)
        {
            EXPECT_FALSE (request.insideHostCall && isNotice (request.opcode)) << request.opcode;

            if (request.opcode == ioChanged)
            {
                EXPECT_NE (request.thread, testThread);
                toldDelays.push_back (request.initialDelay);
            }
        }

        ASSERT_FALSE (toldDelays.empty());
        EXPECT_EQ (toldDelays.back(), latency);
        EXPECT_EQ (std::adjacent_find (toldDelays.begin(), toldDelays.end()), toldDelays.end()) << "a notice repeated";
        EXPECT_EQ (RawVstHost::initialDelay (effect.get()), latency);
        std::this_thread::sleep_for (std::chrono::milliseconds (60));
        EXPECT_EQ (host.count (ioChanged), 0) << "told again with nothing changed";
    };

    // A burst of attack changes from the host's thread.
    for (int change = 0; change <= 100; ++change)
        RawVstHost::setParameter (effect.get(), 0, (float) change / 200.0f);
    toldWith (960);

    // A restore of a block holding the latency already told, then of one that changes it.
    const auto withLongAttack = chunk();
    restore (withLongAttack);
    restore (restoring);
    toldWith (48);

    // A rate change while running.
    RawVstHost::dispatch (effect.get(), fst::effSetSampleRate, 0, 0, nullptr, 96000.0f);
    toldWith (96);

    // A resume: the host reads initialDelay when it returns, so nothing needs telling.
    resume (44100.0f, 512);
    EXPECT_EQ (RawVstHost::initialDelay (effect.get()), 44);
    std::this_thread::sleep_for (std::chrono::milliseconds (150));
    EXPECT_EQ (host.count (ioChanged), 0);
}

TEST_F (VstBoundaryTest, ARefusedAttackAfterARaceKeepsTheDelayOfTheCallThatCameLast)
{
    // Three host threads set the attack at once, round after round; after a resume
    // the delay is the one of the value the host reads. An attack the limiter
    // refuses, set alone after that, changes what the host reads and nothing else:
    // the next resume keeps the delay.
#ifdef QUORVEL_THREAD_SANITIZER
    constexpr int numRounds = 300;
#else
    constexpr int numRounds = 3000;
#endif
    constexpr float attacks[] = { 0.25f, 0.5f, 0.75f };
    std::atomic<int> roundStarted { 0 }, callsReturned { 0 };
    std::vector<std::thread> setters;

    for (const float attack : attacks)
        setters.emplace_back ([&, attack]
                              {
                                  for (int round = 1; round <= numRounds; ++round)
                                  {
                                      while (roundStarted.load() < round)
                                          std::this_thread::yield();

                                      RawVstHost::setParameter (effect.get(), 0, attack);
                                      callsReturned.fetch_add (1);
                                  } });

    int disagreements = 0, moved = 0;

    for (int round = 1; round <= numRounds; ++round)
    {
        roundStarted.store (round);

        while (callsReturned.load() < 3 * round)
            std::this_thread::yield();

        resume (48000.0f, 256);
        const auto delay = RawVstHost::initialDelay (effect.get());
        disagreements += delay != lookaheadFor (48000.0f, RawVstHost::getParameter (effect.get(), 0)) ? 1 : 0;

        RawVstHost::setParameter (effect.get(), 0, 1.5f);
        resume (48000.0f, 256);
        moved += RawVstHost::initialDelay (effect.get()) != delay || RawVstHost::getParameter (effect.get(), 0) != 1.5f ? 1 : 0;
    }

    for (auto& setter : setters)
        setter.join();

    EXPECT_EQ (disagreements, 0);
    EXPECT_EQ (moved, 0);
}

TEST_F (VstBoundaryTest, InitialDelayEndsAsTheAudioDelayWhateverTheInterleaving)
{
    const float rates[] = { 44100.0f, 48000.0f, 96000.0f, 22050.0f };
    std::vector<std::vector<uint8_t>> chunks;

    for (const float attack : { 0.1f, 0.9f, 0.3f })
    {
        RawVstHost::setParameter (effect.get(), 0, attack);
        chunks.push_back (chunk());
    }

    for (unsigned round = 0; round < 3; ++round)
    {
        // The host's set-up thread resumes, and changes the rate while running too, which
        // only the message thread tells. Its last change comes after every other one.
        std::atomic<bool> settingUp { true }, changing { true };
        std::thread setUp ([&]
                           {
                               for (int i = 0; settingUp; ++i)
                               {
                                   resume (rates[(size_t) (i + (int) round) % 4], 256);
                                   RawVstHost::dispatch (effect.get(), fst::effSetSampleRate, 0, 0, nullptr, rates[(size_t) (i + (int) round + 1) % 4]);
                               }

                               RawVstHost::dispatch (effect.get(), fst::effSetSampleRate, 0, 0, nullptr, 32000.0f); });
        std::thread attacks ([&]
                             {
                                 std::mt19937 random (round);
                                 for (int i = 0; changing; ++i)
                                     RawVstHost::setParameter (effect.get(), 0, (float) (random() % 1000) / 1000.0f); });
        std::thread restores ([&]
                              {
                                  for (int i = 0; changing; ++i)
                                      restore (chunks[(size_t) i % chunks.size()]); });

        std::this_thread::sleep_for (std::chrono::milliseconds (300));
        changing = false;
        attacks.join();
        restores.join();
        settingUp = false;
        setUp.join();

        const auto delay = measuredDelay();
        EXPECT_TRUE (waitUntil ([&]
                                { return RawVstHost::initialDelay (effect.get()) == delay; }))
            << "round " << round << ": audio delayed " << delay << ", host told " << RawVstHost::initialDelay (effect.get());
    }
}
