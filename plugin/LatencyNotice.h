#pragma once

/** Decides, at each notice tick on the message thread, when a changed latency is told
    to the host: once it has held still for a tick, so that a burst of attack changes
    gives one notice, and at the latest after maxTicksWaiting ticks, so that one that
    keeps changing is still told within 100 ms. Not thread-safe: its bridge guards it. */
class LatencyNotice
{
public:
    static constexpr int maxTicksWaiting = 4;

    /** Called at every tick with the latency the audio now gets; true when the host is
        to be told it now (it then counts as told). */
    bool shouldTell (int latency) noexcept;

    /** The host has this latency by other means (it reads it after a resume). */
    void markTold (int latency) noexcept;

private:
    int told = 0;
    int candidate = 0;
    int ticksWaiting = 0;
};
