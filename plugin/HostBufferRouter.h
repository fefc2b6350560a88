#pragma once

#include <cstddef>
#include <vector>

/*  How both bridges turn the channel lists of a host's process call into the one set
    of channels the processor works on in place.

    Hosts hand in separate input and output buffers, the same buffers for both (in
    place), buffers that overlap in other ways, or no input at all. Whatever they hand
    in, the outputs end up holding the processed input (or have it added, for the old
    accumulating call), nothing outside the host's buffers is read or written, and no
    output is left holding what it held before the call:
    - A missing input list, or a missing input channel, is silence.
    - A missing output channel is processed into scratch and dropped, so that the
      channels the host did give still get this block's output.
    - When copying each input onto its output cannot overwrite an input still to be
      read, the inputs are moved onto the outputs and processed there.
    - Otherwise the block goes through scratch channels. Overlapping buffers need the
      whole block in scratch at once; a longer one (no host does this) gives silence,
      as there is no room for it without allocating on the audio thread.
    - Accumulating blocks, and blocks with a missing output, always go through
      scratch, in runs when the buffers allow.

    Nothing here allocates after construction, locks or throws.
*/
class HostBufferRouter
{
public:
    /** Scratch for numChannels channels of runLength samples, allocated here. */
    HostBufferRouter (int numChannels, int runLength);

    int getRunLength() const noexcept { return runLength; }

    /** Whether a call can be served at all: a positive length and an output list.
        Anything else gets nothing written. */
    static bool outputsUsable (float* const* outputs, int numSamples) noexcept;

    /** Runs process (channels, length) over the call's samples, as described above;
        outputs must be usable. */
    template <typename Process>
    void route (const float* const* inputs, float* const* outputs, int numSamples, bool accumulate, Process&& process)
    {
        const auto layout = examine (inputs, outputs, numSamples);

        if (! accumulate && ! layout.crossed && ! layout.outputMissing)
        {
            moveInputsToOutputs (inputs, outputs, numSamples);
            process (outputs, numSamples);
            return;
        }

        // Runs would overwrite input still to be read wherever buffers overlap.
        const bool wholeBlockNeeded = layout.overlapping;

        if (wholeBlockNeeded && numSamples > runLength)
        {
            if (! accumulate)
                silence (outputs, 0, numSamples);

            return;
        }

        for (int start = 0; start < numSamples; start += runLength)
        {
            const int length = numSamples - start < runLength ? numSamples - start : runLength;
            fillScratch (inputs, start, length);
            process (scratchChannels.data(), length);
            emptyScratch (outputs, start, length, accumulate);
        }
    }

    /** Clears length samples of every output the host gave from start. */
    void silence (float* const* outputs, int start, int length) const noexcept;

private:
    struct Layout
    {
        bool crossed = false; // an output overlaps another channel's input
        bool overlapping = false; // any overlap but a channel processed in place
        bool outputMissing = false; // a null output channel
    };

    Layout examine (const float* const* inputs, float* const* outputs, int numSamples) const noexcept;
    void moveInputsToOutputs (const float* const* inputs, float* const* outputs, int numSamples) const noexcept;
    void fillScratch (const float* const* inputs, int start, int length) noexcept;
    void emptyScratch (float* const* outputs, int start, int length, bool accumulate) const noexcept;

    int numChannels;
    int runLength;
    std::vector<float> scratch;
    std::vector<float*> scratchChannels;
};
