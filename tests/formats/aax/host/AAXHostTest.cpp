#include "formats/aax/host/AAXHostTest.h"

#include "formats/aax/AAX_CHostServicesAccess.h"
#include "formats/aax/CACFUnknown.h"

#include <gmock/gmock.h>

void AAXHostTest::TearDown()
{
    const bool servicesLeftHeld = AAX_CHostServicesAccess::Get() != nullptr;
    AAX_CHostServicesAccess::Set (nullptr);
    host.releaseRoot();

    EXPECT_FALSE (servicesLeftHeld) << "the test left the library holding the host's services";
    EXPECT_THAT (host.ledger().liveObjectNames(), ::testing::IsEmpty()) << "host objects still alive";
    EXPECT_EQ (host.ledger().outstandingReferences(), 0) << "host references not given back";
    EXPECT_EQ (CACFUnknown::ActiveObjectCount(), 0u) << "library objects still alive";
}
