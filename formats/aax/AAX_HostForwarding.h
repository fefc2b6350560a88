#pragma once

#include "formats/aax/AAX_Results.h"
#include "formats/aax/ACFPtr.h"

#include <type_traits>
#include <utility>

/** Calls one operation of a held host interface with the caller's arguments
    unchanged and hands back the host's answer unchanged; when the interface is
    missing the host is not called and whenMissing is the answer. Every
    wrapper of a host interface reaches the host through here.

    The null test stands before the guarded accessor, so the accessor never
    throws from here.
*/
template <typename HeldInterface, typename Operation, typename... Arguments>
auto AAX_ForwardToHost (const ACFPtr<HeldInterface>& holder,
                        std::invoke_result_t<Operation, HeldInterface*, Arguments...> whenMissing,
                        Operation operation,
                        Arguments&&... arguments)
{
    if (! holder)
        return whenMissing;

    return (holder.AcfPtrCheck()->*operation) (std::forward<Arguments> (arguments)...);
}
