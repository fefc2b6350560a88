#pragma once

#include "processor/KestruneAudioProcessor.h"

#include <memory>

/*  What both format bridges need beside the buffer routing: the processor they drive,
    one block of its audio, and the pacing of the latency notices they send from the
    message thread. */

/** The plug-in's processor, made by the one factory every format uses and marked as
    made for the given wrapper. Throws when it cannot be made. No message-manager lock
    is needed: nothing of the processor touches a component. */
std::unique_ptr<KestruneAudioProcessor> makeQuorvelProcessor (juce::AudioProcessor::WrapperType wrapper);

/** Runs one block of four channels through the processor in place: silence while it
    is not ready (not prepared, suspended, or its callback lock not held by the caller),
    its bypassed processing while the host bypasses it. The bridges take no MIDI. */
void runProcessorBlock (KestruneAudioProcessor& processor, float* const* channels, int numSamples, bool ready, bool bypassed, juce::MidiBuffer& midi);

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
