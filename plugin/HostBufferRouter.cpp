#include "plugin/HostBufferRouter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace
{
bool overlap (const float* a, const float* b, int numSamples) noexcept
{
    const auto first = reinterpret_cast<std::uintptr_t> (a);
    const auto second = reinterpret_cast<std::uintptr_t> (b);
    const auto bytes = (std::uintptr_t) numSamples * sizeof (float);
    return first < second + bytes && second < first + bytes;
}

const float* inputChannel (const float* const* inputs, int channel) noexcept
{
    return inputs != nullptr ? inputs[channel] : nullptr;
}
} // namespace

HostBufferRouter::HostBufferRouter (int channels, int samplesPerRun)
    : numChannels (std::max (channels, 0))
    , runLength (std::max (samplesPerRun, 1))
    , scratch ((size_t) numChannels * (size_t) runLength, 0.0f)
    , scratchChannels ((size_t) numChannels, nullptr)
{
    for (int channel = 0; channel < numChannels; ++channel)
        scratchChannels[(size_t) channel] = scratch.data() + (size_t) channel * (size_t) runLength;
}

bool HostBufferRouter::outputsUsable (float* const* outputs, int numSamples) noexcept
{
    return outputs != nullptr && numSamples > 0;
}

HostBufferRouter::Layout HostBufferRouter::examine (const float* const* inputs, float* const* outputs, int numSamples) const noexcept
{
    Layout layout;

    for (int output = 0; output < numChannels; ++output)
        layout.outputMissing = layout.outputMissing || outputs[output] == nullptr;

    for (int input = 0; input < numChannels; ++input)
    {
        const auto* source = inputChannel (inputs, input);

        if (source == nullptr)
            continue;

        for (int output = 0; output < numChannels; ++output)
        {
            if (outputs[output] == nullptr || ! overlap (source, outputs[output], numSamples))
                continue;

            layout.crossed = layout.crossed || input != output;
            layout.overlapping = layout.overlapping || input != output || source != outputs[output];
        }
    }

    return layout;
}

void HostBufferRouter::moveInputsToOutputs (const float* const* inputs, float* const* outputs, int numSamples) const noexcept
{
    for (int channel = 0; channel < numChannels; ++channel)
    {
        const auto* source = inputChannel (inputs, channel);

        // A channel may overlap its own output only; memmove copes with that.
        if (source == nullptr)
            std::fill (outputs[channel], outputs[channel] + numSamples, 0.0f);
        else if (source != outputs[channel])
            std::memmove (outputs[channel], source, (size_t) numSamples * sizeof (float));
    }
}

void HostBufferRouter::fillScratch (const float* const* inputs, int start, int length) noexcept
{
    for (int channel = 0; channel < numChannels; ++channel)
    {
        const auto* source = inputChannel (inputs, channel);
        auto* destination = scratchChannels[(size_t) channel];

        if (source == nullptr)
            std::fill (destination, destination + length, 0.0f);
        else
            std::copy (source + start, source + start + length, destination);
    }
}

void HostBufferRouter::emptyScratch (float* const* outputs, int start, int length, bool accumulate) const noexcept
{
    for (int channel = 0; channel < numChannels; ++channel)
    {
        if (outputs[channel] == nullptr)
            continue;

        const auto* source = scratchChannels[(size_t) channel];
        auto* destination = outputs[channel] + start;

        if (accumulate)
            std::transform (source, source + length, destination, destination, [] (float processed, float held)
                            { return held + processed; });
        else
            std::copy (source, source + length, destination);
    }
}

void HostBufferRouter::silence (float* const* outputs, int start, int length) const noexcept
{
    for (int channel = 0; channel < numChannels; ++channel)
        if (outputs[channel] != nullptr)
            std::fill (outputs[channel] + start, outputs[channel] + start + length, 0.0f);
}
