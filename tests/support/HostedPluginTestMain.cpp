// main() of the test programs that host the plug-in through JUCE's own hosting code.
#include "tests/support/HostedPluginTests.h"

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    return quorvel::test::runHostedPluginTests();
}
