#pragma once

#include <cstdint>

/*  What both format bridges need to check about what a host hands them: a saved state
    block and the channel buffers of a process call. */

/** Whether a chunk holds a whole saved state: the framework's binary XML block (magic,
    little-endian text length, text, terminator) with all of its text present and
    parsing as XML. A block cut short by the host would otherwise restore whatever its
    first bytes happen to hold. */
bool isCompleteStateBlock (const void* data, std::int32_t byteSize);

/** Whether two channel buffers of numSamples floats share any memory. */
bool channelsOverlap (const float* a, const float* b, int numSamples) noexcept;
