#pragma once

#include "formats/aax/host/SimulatedHost.h"

#include <gtest/gtest.h>

/**
    Fixture for every test that talks to the simulated host. After the test it
    checks that every host object is gone and every host reference was given
    back, and that no library object is left alive. A test that left the
    library holding the host's services fails, and the holder is cleared so that
    the next test starts clean.
*/
class AAXHostTest : public ::testing::Test
{
protected:
    void TearDown() override;

    SimulatedHost host;
};
