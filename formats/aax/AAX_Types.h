#pragma once

#include <cstdint>

/** A boolean as the host passes it: one byte, 0 for false. */
using AAX_CBoolean = uint8_t;

/** A property number of a property map. */
using AAX_PropertyID = uint32_t;

/** A property value of a property map. */
using AAX_PropertyValue = int32_t;

/** A size in the host's view coordinates: height first, then width. */
struct AAX_Point
{
    float vert = 0.0f;
    float horz = 0.0f;
};

/**
    The routines the host calls into the plug-in, registered during description.
    The process routine receives the range of per-instance context blocks that it
    is to run this time; the host owns those blocks.
*/
using AAX_ProcessRoutine = void (*) (void* const instancesBegin[], const void* instancesEnd);
using AAX_InstanceInitRoutine = int32_t (*) (const void* instanceContext, int32_t action);
using AAX_BackgroundRoutine = int32_t (*)();

/** One record of the identifier arrays of a property map (filled by nothing here). */
struct AAX_PropertyIDRecord
{
    uint32_t manufacturerID = 0;
    uint32_t productID = 0;
    uint32_t plugInID = 0;
};

/** A MIDI packet as the host fills it (read by nothing here). */
struct AAX_MIDIPacketRecord
{
    uint32_t timestamp = 0;
    uint32_t length = 0;
    uint8_t data[4] = {};
    AAX_CBoolean isImmediate = 0;
};
