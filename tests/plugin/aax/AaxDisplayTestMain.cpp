// main() of the AAX editor tests: they run only under the virtual X display that
// tools/test.sh names in QUORVEL_TEST_DISPLAY (and skip without one).
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <cstdlib>

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);

    if (const auto* display = std::getenv ("QUORVEL_TEST_DISPLAY"); display != nullptr && *display != 0)
    {
        setenv ("DISPLAY", display, 1);
        // The plug-in's JUCE and the test each talk to the X server, from several threads.
        XInitThreads();
        // Like every host, keep going after a protocol error: Xlib's default handler ends
        // the process, and without a window manager JUCE asks for properties that are absent.
        XSetErrorHandler ([] (Display*, XErrorEvent*)
                          { return 0; });
    }

    return RUN_ALL_TESTS();
}
