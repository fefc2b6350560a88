#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/ACFGuid.h"
#include "formats/aax/IACFDefinition.h"
#include "formats/aax/IACFUnknown.h"

#include <cstdint>
#include <string>

/*  Quorvel.so as an AAX host finds it: loaded with dlopen and reached only through the
    seven entry points it exports by name. It is loaded once for the test program and
    never unloaded, as hosts keep a plug-in's library loaded while they run.
*/
struct QuorvelAaxLibrary
{
    ACFResult (*registerPlugin) (IACFUnknown*, IACFDefinition**) = nullptr;
    ACFResult (*registerComponent) (IACFUnknown*, uint32_t, IACFDefinition**) = nullptr;
    ACFResult (*getClassFactory) (IACFUnknown*, const ACFGuid*, const ACFGuid*, void**) = nullptr;
    ACFResult (*canUnloadNow)() = nullptr;
    ACFResult (*startup) (IACFUnknown*) = nullptr;
    ACFResult (*shutdown) (IACFUnknown*) = nullptr;
    ACFResult (*getSDKVersion) (uint64_t*) = nullptr;

    /** Why loading failed, empty when every entry point was found. */
    std::string failure;

    bool loaded() const { return failure.empty(); }
};

/** The library, loaded on first use. */
const QuorvelAaxLibrary& quorvelAax();
