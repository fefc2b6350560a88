// The pending-change ordering with its callers on their own threads: two or
// three setters on one parameter while the audio thread takes changes, and
// one setter's order across parameters. Run under ThreadSanitizer too.

#include "processor/PendingParameterChanges.h"

#include "support/Sanitizers.h"

#include <gtest/gtest.h>

#include <atomic>
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

class RacingSetters : public ::testing::TestWithParam<int>
{
};

TEST_P (RacingSetters, LeaveOneValueThatARefusedValueNeverMoves)
{
    // Round after round two or three threads store on parameter 0 at the same
    // moment, while another takes changes as an audio thread does. Once every
    // call has returned and the changes are taken, the value the host reads is
    // the one taken last. A value without a setting stored after that, alone,
    // leaves the setting in force where it is, and nothing is due after it.
    const int numSetters = GetParam();
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

            changes.store (0, v, true);
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

    for (int n = 0; n < numSetters; ++n)
        setters.emplace_back (setter, 0.25f * (float) (n + 1));

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

        disagreements += applied != changes.value (0) || changes.settingValue (0) != applied ? 1 : 0;

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

INSTANTIATE_TEST_SUITE_P (PendingParameterChangesThreads, RacingSetters, ::testing::Values (2, 3));

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
