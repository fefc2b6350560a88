#pragma once

// The test programs that host the plug-in through JUCE's own hosting code: the host's
// JUCE wants its message manager on the main thread, and the log lines of its hosting
// code would only bury the test output.

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

namespace quorvel::test
{
/** Runs every test with the host's JUCE set up on this thread and its log silenced. */
inline int runHostedPluginTests()
{
    struct QuietLogger : juce::Logger
    {
        void logMessage (const juce::String&) override {}
    };

    juce::ScopedJuceInitialiser_GUI juce;
    QuietLogger logger;
    juce::Logger::setCurrentLogger (&logger);
    const auto result = RUN_ALL_TESTS();
    juce::Logger::setCurrentLogger (nullptr);
    return result;
}
} // namespace quorvel::test
