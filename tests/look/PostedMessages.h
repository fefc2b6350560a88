#pragma once

#include <juce_events/juce_events.h>

namespace juce
{
// The framework's own step of its message loop: dispatches one posted
// message, or returns false at once when there is none.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

// Runs what other threads have posted to the message thread (this thread in
// the tests), as the host's message loop would.
inline void runPostedMessages()
{
    while (juce::dispatchNextMessageOnSystemQueue (true))
    {
    }
}
