// main() of the editor tests: they run only under the virtual X display that
// tools/test.sh names in QUORVEL_TEST_DISPLAY (and skip without one).
#include "tests/support/HostedPluginTests.h"
#include "tests/support/Sanitizers.h"
#include "tests/support/TestDisplay.h"

#if QUORVEL_ADDRESS_SANITIZER
// JUCE's host code never frees the child list it asks the X server for when it looks
// for the plug-in's window (getChildWindow in juce_VSTPluginFormat.cpp). That leak
// belongs to the host, not to the plug-in under test. Full stacks are needed to tell
// it apart, since libX11 keeps no frame pointers.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
extern "C" const char* __lsan_default_suppressions() { return "leak:getChildWindow\n"; }
#endif

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    quorvel::test::useTestDisplay();
    return quorvel::test::runHostedPluginTests();
}
