#pragma once

#include <chrono>
#include <thread>

namespace quorvel::test
{
/** Polls until the condition holds or the time is up; answers the condition's last
    value. For what another thread does on its own time (a notice from the plug-in's
    message thread): the limit only ends a test that would otherwise hang. */
template <typename Condition>
bool waitUntil (Condition&& condition, std::chrono::milliseconds limit = std::chrono::seconds (5))
{
    const auto end = std::chrono::steady_clock::now() + limit;

    while (! condition())
    {
        if (std::chrono::steady_clock::now() > end)
            return condition();

        std::this_thread::sleep_for (std::chrono::milliseconds (1));
    }

    return true;
}
} // namespace quorvel::test
