#pragma once

#include "plugin/HostBufferRouter.h"
#include "processor/KestruneAudioProcessor.h"

#include <atomic>

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
