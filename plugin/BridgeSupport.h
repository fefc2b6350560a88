#pragma once

#include "plugin/HostBufferRouter.h"
#include "processor/KestruneAudioProcessor.h"

#include <atomic>
#include <memory>

/*  What both format bridges share: the processor they drive, the step that runs a
    host's process call through it, and the pacing of the latency notices they send
    from the message thread. */

/** The plug-in's processor, made by the one factory every format uses and marked as
    made for the given wrapper. Throws when it cannot be made. No message-manager lock
    is needed: nothing of the processor touches a component. */
std::unique_ptr<KestruneAudioProcessor> makeQuorvelProcessor (juce::AudioProcessor::WrapperType wrapper);

/** The channel lists and flags of one host process call. */
struct HostCall
{
    const float* const* inputs = nullptr;
    float* const* outputs = nullptr;
    int numSamples = 0;
    bool accumulate = false; // the old call that adds to what the outputs hold
    bool bypassed = false;
};

/** The audio path of a bridge, the same in both: what one host process call needs
    beside the processor, allocated once. */
class HostProcessStep
{
public:
    /** One host process call. The host's buffers are routed onto the processor's four
        channels (HostBufferRouter). The processor's callback lock is tried once for the
        whole call and never waited for, so a preparation under way gives silence. Each
        routed run is one block of the processor: silence while it is not ready (not
        prepared or suspended), its bypassed processing while the host bypasses it. An
        exception from the processor gives silence for the call (nothing more is added
        to an accumulating one) and never reaches the host. A null output list or a
        length below 1 gets nothing written. The bridges take no MIDI.
        prepared is read under the callback lock, under which the bridges change it. */
    void run (KestruneAudioProcessor& processor, const HostCall& call, const std::atomic<bool>& prepared) noexcept;

private:
    // Runs of the processor's own segment length: scratch that holds any block it
    // processes in one go.
    HostBufferRouter router { KestruneAudioProcessor::numLimiterChannels, KestruneAudioProcessor::maxSegmentLength };
    juce::MidiBuffer midi;
};

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
