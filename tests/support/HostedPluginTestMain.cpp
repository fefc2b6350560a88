// main() of the test programs that host the plug-in through JUCE's own hosting code:
// the host's JUCE wants its message manager on the main thread, and the log lines of
// its hosting code would only bury the test output.
#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

namespace
{
class QuietLogger : public juce::Logger
{
    void logMessage (const juce::String&) override {}
};
} // namespace

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);

    juce::ScopedJuceInitialiser_GUI juce;
    QuietLogger logger;
    juce::Logger::setCurrentLogger (&logger);
    const auto result = RUN_ALL_TESTS();
    juce::Logger::setCurrentLogger (nullptr);
    return result;
}
