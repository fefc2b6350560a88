// The pending-change ordering with its callers on their own threads: two or
// three setters on one parameter while the audio thread takes changes, and
// one setter's order across parameters. Run under ThreadSanitizer too.

#include "processor/PendingParameterChanges.h"

#include "support/Sanitizers.h"
#include "support/WaitUntil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace
{
// Under ThreadSanitizer every round costs many times as much.
#ifdef QUORVEL_THREAD_SANITIZER
constexpr int numRounds = 2000;
#else
constexpr int numRounds = 20000;
#endif

using Changes = std::array<PendingParameterChanges::Change, PendingParameterChanges::numParameters>;

int takeDueCount (PendingParameterChanges& changes)
{
    Changes due {};
    return changes.takeDue (due);
}

// The values stored at once; one above 1 stands for a value without a setting.
class RacingSetters : public ::testing::TestWithParam<std::vector<float>>
{
};

TEST_P (RacingSetters, LeaveOneValueThatARefusedValueNeverMoves)
{
    // Round after round two or three threads store on parameter 0 at the same
    // moment, while another takes changes as an audio thread does. Once every
    // call has returned and the changes are taken, the setting in force is the
    // one taken last, and so is the value the host reads unless a value
    // without a setting came last. One stored after that, alone, leaves the
    // setting in force where it is, and nothing is due after it.
    const auto& values = GetParam();
    const int numSetters = (int) values.size();
    PendingParameterChanges changes;
    std::atomic<int> roundStarted { 0 };
    std::atomic<int> callsReturned { 0 };
    std::atomic<bool> finished { false };
    // The main thread asks the taking thread to pause (1), which answers (2)
    // and waits until it is running again (0).
    std::atomic<int> pause { 0 };
    float applied = 0.0f; // the taking thread's, or the main thread's while it is paused

    auto setter = [&] (float v)
    {
        for (int round = 1; round <= numRounds; ++round)
        {
            while (roundStarted.load() < round)
                std::this_thread::yield();

            changes.store (0, v, v <= 1.0f);
            callsReturned.fetch_add (1);
        }
    };

    std::thread audio ([&]
                       {
                           Changes due {};

                           while (! finished.load())
                           {
                               if (pause.load() == 1)
                               {
                                   pause.store (2);

                                   while (pause.load() == 2)
                                       std::this_thread::yield();
                               }

                               for (int n = changes.takeDue (due); n > 0; --n)
                                   applied = due[(size_t) (n - 1)].value;

                               std::this_thread::yield();
                           } });

    std::vector<std::thread> setters;

    for (const float v : values)
        setters.emplace_back (setter, v);

    int disagreements = 0, movedByARefusedValue = 0, dueAfterARefusedValue = 0;

    for (int round = 1; round <= numRounds; ++round)
    {
        roundStarted.store (round);

        while (callsReturned.load() < numSetters * round)
            std::this_thread::yield();

        pause.store (1);

        while (pause.load() != 2)
            std::this_thread::yield();

        Changes due {};

        for (int n = changes.takeDue (due); n > 0; --n)
            applied = due[(size_t) (n - 1)].value;

        const float shown = changes.value (0);
        disagreements += (shown <= 1.0f && shown != applied) || changes.settingValue (0) != applied ? 1 : 0;

        changes.store (0, 1.5f, false);
        dueAfterARefusedValue += changes.mayHaveDue() ? 1 : 0;
        movedByARefusedValue += changes.settingValue (0) != applied || changes.takeDue (due) != 0 ? 1 : 0;
        pause.store (0);
    }

    finished.store (true);

    for (auto& thread : setters)
        thread.join();

    audio.join();
    EXPECT_EQ (disagreements, 0);
    EXPECT_EQ (movedByARefusedValue, 0);
    EXPECT_EQ (dueAfterARefusedValue, 0);
}

INSTANTIATE_TEST_SUITE_P (PendingParameterChangesThreads,
                          RacingSetters,
                          ::testing::Values (std::vector<float> { 0.25f, 0.75f },
                                             std::vector<float> { 0.25f, 0.5f, 0.75f },
                                             std::vector<float> { 0.25f, 0.75f, 1.5f },
                                             std::vector<float> { 0.25f, 0.75f, 1.5f, 2.5f }));

/** Stops a call at its first `numStops` readings until the test lets it go on. */
struct Stops
{
    static void atReading (void* context)
    {
        auto& self = *static_cast<Stops*> (context);
        const int reading = self.arrived.fetch_add (1) + 1;

        while (reading <= self.numStops && self.released.load() < reading)
            std::this_thread::yield();
    }

    /** Waits until the call has come to its reading; a call that never does
        fails the test instead of keeping it waiting. */
    void waitFor (int reading) const
    {
        EXPECT_TRUE (quorvel::test::waitUntil ([this, reading]
                                               { return arrived.load() >= reading; },
                                               std::chrono::seconds (10)))
            << "reading " << reading;
    }

    const int numStops;
    std::atomic<int> arrived { 0 }, released { 0 };
};

TEST (PendingParameterChangesThreads, ACallWithoutASettingNeverLeavesAStaleSettingInForce)
{
    // Two calls without a setting, each stopped where it has read the word it
    // is to replace: the first 0.25, which a call with a setting then replaces
    // with 0.75, the second 0.75. The first goes on, keeps its 0.25, finds
    // its word replaced and stops again. The second finds the kept word
    // changed under it: it must read again and keep 0.75 before it returns.
    PendingParameterChanges changes;
    changes.store (0, 0.25f, true);
    Stops first { 2 }, second { 1 };
    std::thread firstCall ([&]
                           { changes.store (0, 1.5f, false, &Stops::atReading, &first); });
    first.waitFor (1);
    changes.store (0, 0.75f, true);
    std::thread secondCall ([&]
                            { changes.store (0, 2.5f, false, &Stops::atReading, &second); });
    second.waitFor (1);
    first.released.store (1);
    first.waitFor (2);
    second.released.store (1);
    secondCall.join();
    EXPECT_EQ (changes.value (0), 2.5f);
    EXPECT_EQ (changes.settingValue (0), 0.75f);

    first.released.store (2);
    firstCall.join();
    EXPECT_EQ (changes.value (0), 1.5f);
    EXPECT_EQ (changes.settingValue (0), 0.75f);
}

TEST (PendingParameterChangesThreads, ChangesOfOneThreadAreTakenInTheirOrder)
{
    // One thread stores 1, 2, 3 ... on parameter 1 and each time the same on
    // parameter 0; another takes changes meanwhile. Taken changes come in the
    // order they were stored (a change overtaken by a later one on its own
    // parameter is left out), and the last two are taken in the end.
    PendingParameterChanges changes;
    constexpr int numChanges = 20000;
    std::atomic<bool> finished { false };

    std::thread setter ([&]
                        {
                            for (int k = 1; k <= numChanges; ++k)
                            {
                                changes.store (1, (float) k, true);
                                changes.store (0, (float) k, true);
                            }

                            finished.store (true); });

    // Where each change came among all: parameter 1's k-th at 2k - 1, parameter 0's at 2k.
    int lastPosition = 0;
    int outOfOrder = 0;
    Changes due {};

    for (bool last = false; ! last;)
    {
        last = finished.load();

        for (int n = 0, numDue = changes.takeDue (due); n < numDue; ++n)
        {
            const int position = 2 * (int) due[(size_t) n].value - due[(size_t) n].index;
            outOfOrder += position > lastPosition ? 0 : 1;
            lastPosition = position;
        }
    }

    setter.join();
    EXPECT_EQ (outOfOrder, 0);
    EXPECT_EQ (lastPosition, 2 * numChanges);
    EXPECT_EQ (takeDueCount (changes), 0);
}
} // namespace
