// main() of the editor tests: they run only under the virtual X display that
// tools/test.sh names in QUORVEL_TEST_DISPLAY (and skip without one).
#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <X11/Xlib.h>

#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
    #define QUORVEL_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
    #if __has_feature(address_sanitizer)
        #define QUORVEL_ADDRESS_SANITIZER 1
    #endif
#endif

#if QUORVEL_ADDRESS_SANITIZER
// JUCE's host code never frees the child list it asks the X server for when it looks
// for the plug-in's window (getChildWindow in juce_VSTPluginFormat.cpp). That leak
// belongs to the host, not to the plug-in under test. Full stacks are needed to tell
// it apart, since libX11 keeps no frame pointers.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
extern "C" const char* __lsan_default_suppressions() { return "leak:getChildWindow\n"; }
#endif

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

    if (const auto* display = std::getenv ("QUORVEL_TEST_DISPLAY"); display != nullptr && *display != 0)
    {
        setenv ("DISPLAY", display, 1);
        // The host's JUCE, the plug-in's JUCE and the test each talk to the X server.
        XInitThreads();
        // Like every host, keep going after a protocol error: Xlib's default handler ends
        // the process, and without a window manager JUCE asks for properties that are absent.
        XSetErrorHandler ([] (Display*, XErrorEvent*)
                          { return 0; });
    }

    juce::ScopedJuceInitialiser_GUI juce;
    QuietLogger logger;
    juce::Logger::setCurrentLogger (&logger);
    const auto result = RUN_ALL_TESTS();
    juce::Logger::setCurrentLogger (nullptr);
    return result;
}
