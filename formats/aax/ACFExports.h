#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/ACFGuid.h"
#include "formats/aax/IACFDefinition.h"
#include "formats/aax/IACFUnknown.h"

#include <cstdint>

// The seven plain functions the host finds by name in the plug-in's shared
// object. Each runs its body inside a catch-all: an exception never reaches the
// host, which gets kACF_Unexpected instead. A null out pointer gives
// kAAX_ErrorNullObject (ACFGetClassFactory keeps its own answer) and nothing is
// written.
//
// They live in a static library: a shared object that is to offer them must
// link that library whole (or otherwise reference every export), since nothing
// inside the shared object calls them.

#if defined(__GNUC__)
    #define QUORVEL_ACF_EXPORT extern "C" __attribute__ ((visibility ("default")))
#else
    #define QUORVEL_ACF_EXPORT extern "C"
#endif

/** The version of the host interface the library was written against. */
inline constexpr uint64_t kACF_InterfaceVersion = 0x00000201007756BFull;

/**
    Describes the plug-in to the host and hands back the host's definition: 0, the
    description's own failure (out pointer untouched), or kAAX_ErrorNullObject
    when the host gives no definition.
*/
QUORVEL_ACF_EXPORT ACFResult ACFRegisterPlugin (IACFUnknown* hostUnknown, IACFDefinition** outDefinition);

/** No stand-alone components: stores null, answers 0. */
QUORVEL_ACF_EXPORT ACFResult ACFRegisterComponent (IACFUnknown* hostUnknown, uint32_t index, IACFDefinition** outDefinition);

/** No class factory: stores null, answers kAAX_ErrorUnsupported. */
QUORVEL_ACF_EXPORT ACFResult ACFGetClassFactory (IACFUnknown* hostUnknown, const ACFGuid* classID, const ACFGuid* interfaceID, void** outFactory);

/** The number of library objects alive: 0 means the library may be unloaded. */
QUORVEL_ACF_EXPORT ACFResult ACFCanUnloadNow();

/** Keeps the host's services for traces (a second call keeps the first). */
QUORVEL_ACF_EXPORT ACFResult ACFStartup (IACFUnknown* hostUnknown);

/** Gives the host's services back; the argument is not used. */
QUORVEL_ACF_EXPORT ACFResult ACFShutdown (IACFUnknown* hostUnknown);

/** Writes kACF_InterfaceVersion. */
QUORVEL_ACF_EXPORT ACFResult ACFGetSDKVersion (uint64_t* outVersion);
