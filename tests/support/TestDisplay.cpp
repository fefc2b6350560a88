#include "tests/support/TestDisplay.h"

#include <X11/Xlib.h>

#include <cstdlib>

void quorvel::test::useTestDisplay()
{
    if (const auto* display = std::getenv ("QUORVEL_TEST_DISPLAY"); display != nullptr && *display != 0)
    {
        setenv ("DISPLAY", display, 1);
        // The host's JUCE, the plug-in's JUCE and the test each talk to the X server,
        // from several threads.
        XInitThreads();
        // Like every host, keep going after a protocol error: Xlib's default handler ends
        // the process, and without a window manager JUCE asks for properties that are absent.
        XSetErrorHandler ([] (Display*, XErrorEvent*)
                          { return 0; });
    }
}
