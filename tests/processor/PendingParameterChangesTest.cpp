// The pending-change ordering on one thread: order of arrival, the last change
// per parameter, values without a setting, and the stamps' wrap; then the
// same rules as a plain model with unbounded stamps, against random schedules
// that store while takeDue reads and while a value without a setting is being
// stored, as setters on other threads would.

#include "processor/PendingParameterChanges.h"

#include "support/TestSignals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace
{
using Change = PendingParameterChanges::Change;

std::vector<std::pair<int, float>> takeDue (PendingParameterChanges& changes,
                                            PendingParameterChanges::ReadingHook afterReading = nullptr,
                                            void* context = nullptr)
{
    std::array<Change, PendingParameterChanges::numParameters> due {};
    const int numDue = changes.takeDue (due, afterReading, context);
    std::vector<std::pair<int, float>> taken;

    for (int n = 0; n < numDue; ++n)
        taken.emplace_back (due[(size_t) n].index, due[(size_t) n].value);

    return taken;
}

using Taken = std::vector<std::pair<int, float>>;

TEST (PendingParameterChanges, ComeInTheOrderTheyCameEachParameterWhereItCameLast)
{
    PendingParameterChanges changes;
    EXPECT_EQ (takeDue (changes), Taken {});

    changes.store (3, 0.5f, true);
    changes.store (1, 0.25f, true);
    changes.store (2, 0.75f, true);
    changes.store (3, 0.125f, true);
    EXPECT_EQ (changes.value (3), 0.125f);
    EXPECT_EQ (changes.settingValue (3), 0.125f);
    EXPECT_EQ (takeDue (changes), (Taken { { 1, 0.25f }, { 2, 0.75f }, { 3, 0.125f } }));
    EXPECT_EQ (takeDue (changes), Taken {});

    // The same value again is a change again.
    changes.store (2, 0.75f, true);
    changes.store (1, 0.25f, true);
    EXPECT_EQ (takeDue (changes), (Taken { { 2, 0.75f }, { 1, 0.25f } }));
}

TEST (PendingParameterChanges, AValueWithoutASettingIsShownWhileTheSettingInForceStays)
{
    PendingParameterChanges changes;
    changes.store (0, 0.5f, true);
    changes.store (0, 1.5f, false);
    EXPECT_EQ (changes.value (0), 1.5f);
    EXPECT_EQ (changes.settingValue (0), 0.5f);
    EXPECT_EQ (takeDue (changes), (Taken { { 0, 0.5f } }));

    changes.store (0, 2.5f, false);
    EXPECT_EQ (takeDue (changes), Taken {});
    EXPECT_EQ (changes.value (0), 2.5f);
    EXPECT_EQ (changes.settingValue (0), 0.5f);

    // A change with a setting on another parameter, then one without on this,
    // keep their order; a change with a setting again follows.
    changes.store (1, 0.25f, true);
    changes.store (0, 0.75f, true);
    changes.store (0, 3.0f, false);
    EXPECT_EQ (takeDue (changes), (Taken { { 1, 0.25f }, { 0, 0.75f } }));
}

TEST (PendingParameterChanges, NoneIsLostOrReorderedWhereTheStampsWrap)
{
    // Every value starts at 0 applied with stamp 0. From each start the
    // stamps of the first changes cross the wrap; the first change sets 0
    // again, and its stamp can come round to 0: it still counts.
    for (std::uint32_t start : { 0u, 0x7ffffffdu, 0x7ffffffeu, 0x7fffffffu, 0x80000000u, 0xfffffffeu, 0xffffffffu })
    {
        PendingParameterChanges changes (start);
        changes.store (0, 0.0f, true);
        changes.store (1, 0.5f, true);
        changes.store (2, 0.25f, true);
        changes.store (3, 0.0f, true);
        EXPECT_EQ (takeDue (changes), (Taken { { 0, 0.0f }, { 1, 0.5f }, { 2, 0.25f }, { 3, 0.0f } })) << start;

        changes.store (2, 0.25f, true);
        changes.store (0, 0.0f, true);
        EXPECT_EQ (takeDue (changes), (Taken { { 2, 0.25f }, { 0, 0.0f } })) << start;
    }
}
/** The rules as plainly as they can be said: every call gets the next of an
    unbounded count; a parameter's setting is its last call with one; a change
    is due while that call is not the one applied; takeDue hands over those
    counted up to a bound, in count order. */
struct OrderingModel
{
    struct Call
    {
        std::uint64_t count = 0;
        float value = 0.0f;
    };

    void store (int index, float value, bool hasSetting)
    {
        latest[(size_t) index] = { ++numCalls, value };

        if (hasSetting)
            setting[(size_t) index] = latest[(size_t) index];
    }

    bool isDue (size_t index) const { return setting[index].count != applied[index]; }

    std::uint64_t newestDue() const
    {
        std::uint64_t newest = 0;

        for (size_t index = 0; index < setting.size(); ++index)
            newest = isDue (index) ? std::max (newest, setting[index].count) : newest;

        return newest;
    }

    Taken takeDue (std::uint64_t bound)
    {
        std::vector<std::pair<std::uint64_t, int>> order;

        for (size_t index = 0; index < setting.size(); ++index)
            if (isDue (index) && setting[index].count <= bound)
                order.emplace_back (setting[index].count, (int) index);

        std::sort (order.begin(), order.end());
        Taken taken;

        for (const auto& [count, index] : order)
        {
            taken.emplace_back (index, setting[(size_t) index].value);
            applied[(size_t) index] = count;
        }

        return taken;
    }

    std::uint64_t numCalls = 0;
    std::array<Call, PendingParameterChanges::numParameters> latest {}, setting {};
    std::array<std::uint64_t, PendingParameterChanges::numParameters> applied {};
};

TEST (PendingParameterChanges, FollowThePlainModelWhateverTheScheduleAndTheWrap)
{
    // Few values, so that a change often sets the value applied already, and
    // start stamps just before both wraps of the stamp count, so that new
    // stamps meet the ones applied. 1.5 stands for a value without a setting.
    static constexpr float values[] = { 0.0f, 0.0f, 0.5f, 1.5f };
    quorvel::test::SignalRandom random (29);
    int mismatches = 0;

    for (int schedule = 0; schedule < 4000 && mismatches == 0; ++schedule)
    {
        const auto start = (schedule % 2 == 0 ? 0x7fffffffu : 0xffffffffu) - (std::uint32_t) random.integer (0, 12);
        PendingParameterChanges changes (start);
        OrderingModel model;

        struct Setter
        {
            PendingParameterChanges& changes;
            OrderingModel& model;
            quorvel::test::SignalRandom& random;
            int numStores = 0;
            int depth = 0;

            void storeSome (int count)
            {
                for (int n = 0; n < count; ++n)
                {
                    // Others may store while a call without a setting is under
                    // way; it counts as coming after them. They store no 0: a
                    // word alike to the starting ones, stamped 0, is one that
                    // 2^31 changes would bring, which no call waits through.
                    const int index = random.integer (0, PendingParameterChanges::numParameters - 1);
                    const float value = values[random.integer (depth > 0 ? 2 : 0, 3)];
                    numStores = value > 1.0f ? random.integer (0, 2) : 0;
                    ++depth;
                    changes.store (index, value, value <= 1.0f, &Setter::storeBetweenReadings, this);
                    --depth;
                    model.store (index, value, value <= 1.0f);
                }
            }

            static void storeBetweenReadings (void* context)
            {
                auto& self = *static_cast<Setter*> (context);
                self.storeSome (std::exchange (self.numStores, 0));
            }
        } setter { changes, model, random };

        for (int step = 0; step < 16; ++step)
        {
            setter.storeSome (random.integer (0, 3));
            setter.numStores = random.integer (0, 2);

            // Stores made between takeDue's first reading and its next are
            // due only up to the newest change of the first reading.
            const auto bound = model.newestDue();
            const auto taken = takeDue (changes, &Setter::storeBetweenReadings, &setter);
            bool same = taken == model.takeDue (bound);

            for (int index = 0; index < PendingParameterChanges::numParameters; ++index)
                same = same && changes.value (index) == model.latest[(size_t) index].value
                       && changes.settingValue (index) == model.setting[(size_t) index].value;

            same = same && changes.mayHaveDue() == (model.newestDue() != 0);

            if (! same)
            {
                ++mismatches;
                ADD_FAILURE() << "schedule " << schedule << ", step " << step << ", start stamp " << start;
            }
        }
    }
}
} // namespace
