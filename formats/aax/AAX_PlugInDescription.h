#pragma once

#include "formats/aax/AAX_ICollection.h"
#include "formats/aax/AAX_Results.h"
#include "formats/aax/AAX_Types.h"
#include "formats/aax/IACFUnknown.h"

/** Makes one new library object for the host and answers its IACFUnknown (null when it cannot). */
using AAX_CreateObjectRoutine = IACFUnknown* (*) ();

/**
    The plug-in's own routines that the description registers with the host:
    the makers of the effect-parameters object (routine identifier 0) and of the
    GUI object (routine identifier 1), and the per-block process routine.

    The plug-in's bridge installs them with AAX_SetPlugInRoutines before the
    host registers the plug-in, best from a static initialiser of the shared
    object, since registration may come before start-up. Until then, and for
    any routine left null, stand-ins are registered: makers that make nothing
    (the host sees a null object) and a process routine that leaves the host's
    buffers as they are.
*/
struct AAX_PlugInRoutines
{
    AAX_CreateObjectRoutine createEffectParameters = nullptr;
    AAX_CreateObjectRoutine createEffectGUI = nullptr;
    AAX_ProcessRoutine processRoutine = nullptr;
};

/** Installs the plug-in's routines; null members select the stand-ins. */
void AAX_SetPlugInRoutines (const AAX_PlugInRoutines& routines);

/** The routines the description registers now, stand-ins filled in. */
AAX_PlugInRoutines AAX_GetPlugInRoutines();

/**
    The fields of the per-instance context block that the description declares
    for its one configuration. The host hands the process routine, for each
    instance it runs, a block of one pointer per field, in field order:
    - audioIn, audioOut: arrays of four channel pointers (float samples);
    - bufferLength: the int32 number of frames of this call;
    - bypassPort: the latest 4-byte packet posted to that port, an unsigned
      32-bit value that is 1 while the master bypass is on;
    - midiNode: the host's MIDI node (nothing reads it);
    - privateData: privateDataSize bytes that the effect object fills in its
      ResetFieldData, so that the routine can find the instance's effect.
*/
struct AAX_ContextFields
{
    static constexpr uint32_t audioIn = 0;
    static constexpr uint32_t audioOut = 1;
    static constexpr uint32_t bufferLength = 2;
    static constexpr uint32_t bypassPort = 3;
    static constexpr uint32_t midiNode = 4;
    static constexpr uint32_t privateData = 5;
    static constexpr uint32_t count = 6;

    static constexpr uint32_t bypassPacketSize = 4;
    static constexpr int32_t privateDataSize = 8;
    static constexpr int numChannels = 4;
};

/** The effect identifier under which the effect is added to the collection. */
inline constexpr const char* kAAX_EffectID = "com.brellick.quorvel";

/**
    Describes the effect through the collection: one effect with one component
    of four inputs and four outputs, its bypass port, MIDI node, private data,
    property map and routines. Results of the individual calls are not examined;
    answers kAAX_ErrorNullObject when the collection gives no effect descriptor.
*/
AAX_Result GetEffectDescriptions (AAX_ICollection* collection);
