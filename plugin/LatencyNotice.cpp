#include "plugin/LatencyNotice.h"

bool LatencyNotice::shouldTell (int latency) noexcept
{
    if (latency == told)
    {
        candidate = told;
        ticksWaiting = 0;
        return false;
    }

    if (latency == candidate || ++ticksWaiting >= maxTicksWaiting)
    {
        markTold (latency);
        return true;
    }

    candidate = latency;
    return false;
}

void LatencyNotice::markTold (int latency) noexcept
{
    told = candidate = latency;
    ticksWaiting = 0;
}
