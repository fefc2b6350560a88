// main() of the AAX editor tests: they run only under the virtual X display that
// tools/test.sh names in QUORVEL_TEST_DISPLAY (and skip without one).
#include "tests/support/TestDisplay.h"

#include <gtest/gtest.h>

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    quorvel::test::useTestDisplay();
    return RUN_ALL_TESTS();
}
