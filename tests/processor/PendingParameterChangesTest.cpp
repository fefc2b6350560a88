// The pending-change ordering on one thread: order of arrival, the last change
// per parameter, values without a setting, and the stamps' wrap.

#include "processor/PendingParameterChanges.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace
{
using Change = PendingParameterChanges::Change;

std::vector<std::pair<int, float>> takeDue (PendingParameterChanges& changes)
{
    std::array<Change, PendingParameterChanges::numParameters> due {};
    const int numDue = changes.takeDue (due);
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
} // namespace
