#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/ACFPtr.h"

#include <utility>

/** Calls one operation of a held host interface with the caller's arguments
    unchanged and hands back the host's result unchanged; when the interface is
    missing the host is not called and whenMissing is the answer.

    The null test stands before the guarded accessor, so the accessor never
    throws from here.
*/
template <typename HeldInterface, typename Operation, typename... Arguments>
AAX_Result AAX_ForwardToHost (const ACFPtr<HeldInterface>& holder,
                              AAX_Result whenMissing,
                              Operation operation,
                              Arguments&&... arguments)
{
    if (! holder)
        return whenMissing;

    return (holder.AcfPtrCheck()->*operation) (std::forward<Arguments> (arguments)...);
}
