#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

/** The vtable slot a pointer to a virtual member function names, or -1 when the
    function is not virtual. In the Itanium C++ ABI (gcc and clang on Linux and
    macOS) such a pointer holds one plus the byte offset of its slot; where an
    interface declares a virtual destructor, slots 0 and 1 are the destructor pair.
    Only meaningful under that ABI: callers check for it before they use it. */
template <typename MemberPointer>
long slotOf (MemberPointer member)
{
    struct Representation
    {
        uintptr_t pointerOrOffset;
        ptrdiff_t thisAdjustment;
    };

    static_assert (sizeof (MemberPointer) == sizeof (Representation), "unexpected member pointer size");
    Representation representation {};
    std::memcpy (&representation, &member, sizeof (representation));

    if ((representation.pointerOrOffset & 1u) == 0)
        return -1; // not virtual

    return static_cast<long> ((representation.pointerOrOffset - 1) / sizeof (void*));
}
