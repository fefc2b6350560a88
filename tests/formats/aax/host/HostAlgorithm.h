#pragma once

#include "formats/aax/AAX_IACFEffectParameters.h"
#include "formats/aax/host/HostContext.h"
#include "formats/aax/host/HostEffectInstance.h"

#include <cstdint>
#include <map>
#include <vector>

/**
    The host's running of one plug-in instance's real-time algorithm, as the
    registration described it: a context block of one pointer per declared
    field (audio inputs and outputs as arrays of channel pointers, the buffer
    length, each data port's latest packet, a MIDI node, private data), handed
    to the registered process routine.

    Private data blocks are allocated at construction and given to the effect
    object's ResetFieldData, as a host does before an instance first runs.
    Before each render, packets the effect posted to a data port through the
    instance's controller since the last render are copied into that port's
    block, the latest last, cut to the port's declared size.

    State: the context block and everything it points to; how many of the
    controller's posted packets were taken up. Used from one thread at a time.
*/
class HostAlgorithm
{
public:
    HostAlgorithm (HostContext& context, AAX_IACFEffectParameters& effect, HostController& controller, int numChannels);

    HostAlgorithm (const HostAlgorithm&) = delete;
    HostAlgorithm& operator= (const HostAlgorithm&) = delete;

    /** Runs the process routine once over separate input and output channels. */
    void render (const float* const* inputs, float* const* outputs, int32_t frames);

    /** Runs the process routine once with the output channels also as the inputs. */
    void renderInPlace (float* const* channels, int32_t frames);

    /** The 32-bit value at the start of a data port's block (0 for an unknown port). */
    uint32_t portValue (uint32_t fieldIndex) const;

    /** Replaces one field's pointer in the context block (to pass damage). */
    void overrideField (uint32_t fieldIndex, void* pointer);

    AAX_ProcessRoutine processRoutine() const { return routine; }

private:
    void takeUpPostedPackets();
    void run (int32_t frames);

    HostController& controller;
    AAX_ProcessRoutine routine;
    std::vector<HostRegistration::Field> declared;
    std::vector<void*> fields;
    std::vector<const float*> inputPointers;
    std::vector<float*> outputPointers;
    int32_t bufferLength = 0;
    std::map<uint32_t, std::vector<uint8_t>> portBlocks;
    std::map<uint32_t, std::vector<uint64_t>> privateBlocks;
    std::vector<uint64_t> midiNode;
    size_t packetsTaken = 0;
};
