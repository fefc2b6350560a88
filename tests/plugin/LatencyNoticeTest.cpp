// The pacing of latency notices, tick by tick, against worked sequences: a change is
// told once it has held for a tick, a burst of changes at the latest on the fourth tick
// it keeps the notice waiting, and a return to what the host was told needs no notice.

#include "plugin/LatencyNotice.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
struct Tick
{
    int latency;
    bool told;
};

struct Sequence
{
    const char* name;
    int toldAtStart; // what the host read after a resume
    std::vector<Tick> ticks;
};
} // namespace

TEST (LatencyNoticeTest, TellsEachSettledOrOverdueChangeOnce)
{
    const Sequence sequences[] = {
        { "nothing changes", 0, { { 0, false }, { 0, false } } },
        { "a change that holds", 0, { { 100, false }, { 100, true }, { 100, false } } },
        { "a burst, told on its fourth tick", 0, { { 200, false }, { 300, false }, { 400, false }, { 500, true }, { 500, false } } },
        { "a burst that settles early", 0, { { 200, false }, { 300, false }, { 300, true }, { 300, false } } },
        { "back to what was told", 500, { { 600, false }, { 500, false }, { 600, false }, { 600, true } } },
        { "the wait starts again after a return", 500, { { 600, false }, { 700, false }, { 500, false }, { 600, false }, { 700, false }, { 800, false }, { 900, true } } },
        { "read after a resume", 700, { { 700, false }, { 0, false }, { 0, true } } },
    };

    for (const auto& sequence : sequences)
    {
        LatencyNotice notice;
        notice.markTold (sequence.toldAtStart);

        for (size_t tick = 0; tick < sequence.ticks.size(); ++tick)
            EXPECT_EQ (notice.shouldTell (sequence.ticks[tick].latency), sequence.ticks[tick].told) << sequence.name << ", tick " << tick;
    }
}
