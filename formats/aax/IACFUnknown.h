#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/ACFGuid.h"

#include <cstdint>

/**
    The root of every interface that crosses the host boundary, in either
    direction: slot 0 asks for another interface of the same object, slots 1 and 2
    add and give back one reference.

    Every interface of this layer is reached only through its virtual table: the
    slot order of each declaration is what the host sees, so operations must never
    be reordered, inserted or removed. Objects are destroyed by their own last
    Release, never through an interface pointer, hence the protected destructors.
*/
class IACFUnknown
{
public:
    /** Stores the interface (with one reference added) or null; 0 on success. */
    virtual ACFResult QueryInterface (const ACFGuid& interfaceID, void** outInterface) = 0;

    /** Adds one reference; returns the new count. */
    virtual uint32_t AddRef() = 0;

    /** Gives back one reference; returns the new count (the object is gone at 0). */
    virtual uint32_t Release() = 0;

protected:
    ~IACFUnknown() = default;
};
