#include "formats/aax/AAX_CHostServicesAccess.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/AAX_VHostServices.h"
#include "formats/aax/host/AAXHostTest.h"

#include <gmock/gmock.h>

#include <string>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using AAX_CHostServicesAccessTest = AAXHostTest;

TEST_F (AAX_CHostServicesAccessTest, TracesReachTheHostFormattedOnlyBetweenStartUpAndShutDown)
{
    EXPECT_EQ (AAX_CHostServicesAccess::Trace (1, "before %d", 1), kAAX_Success);
    EXPECT_THAT (host.calls().entries(), IsEmpty());

    AAX_CHostServicesAccess::Set (host.unknown());
    EXPECT_EQ (AAX_CHostServicesAccess::Trace (0x08000000, "AAX_CChunkDataParser::GetChunkData ERROR: %s", "bad"), kAAX_Success);
    EXPECT_EQ (AAX_CHostServicesAccess::Trace (3, "%d-%05.1f-%c", -12, 2.25, 'z'), kAAX_Success);

    AAX_CHostServicesAccess::Set (nullptr);
    EXPECT_EQ (AAX_CHostServicesAccess::Trace (1, "after shut-down"), kAAX_Success);

    EXPECT_THAT (host.calls().entriesWithOperation ("Trace"),
                 ElementsAre ("hostServices#1.Trace(134217728, \"AAX_CChunkDataParser::GetChunkData ERROR: bad\")", "hostServices#1.Trace(3, \"-12-002.2-z\")"));
}

TEST_F (AAX_CHostServicesAccessTest, LongTracesAreCutAt511Characters)
{
    AAX_CHostServicesAccess::Set (host.unknown());
    AAX_CHostServicesAccess::Trace (1, "%s", std::string (2000, 'q').c_str());
    AAX_CHostServicesAccess::Trace (1, "<%0700d>", 5);
    AAX_CHostServicesAccess::Set (nullptr);

    const auto traces = host.context().traces();
    ASSERT_EQ (traces.size(), 2u);
    EXPECT_EQ (traces[0].text, std::string (511, 'q'));
    EXPECT_EQ (traces[1].text, "<" + std::string (510, '0'));
}

TEST_F (AAX_CHostServicesAccessTest, OneHolderFromTheFirstStartUpUntilShutDown)
{
    AAX_CHostServicesAccess::Set (nullptr);
    EXPECT_EQ (AAX_CHostServicesAccess::Get(), nullptr) << "shutting down what never started";

    AAX_CHostServicesAccess::Set (host.unknown());
    auto* first = AAX_CHostServicesAccess::Get();
    ASSERT_NE (first, nullptr);
    EXPECT_EQ (host.ledger().liveObjects(), 2) << "the root and one services object";

    SimulatedHost otherHost;
    AAX_CHostServicesAccess::Set (otherHost.unknown());
    EXPECT_EQ (AAX_CHostServicesAccess::Get(), first);
    EXPECT_THAT (otherHost.calls().entries(), IsEmpty());

    AAX_CHostServicesAccess::Set (nullptr);
    EXPECT_EQ (AAX_CHostServicesAccess::Get(), nullptr);
    EXPECT_EQ (host.ledger().liveObjects(), 1) << "the services object was given back";
}

TEST_F (AAX_CHostServicesAccessTest, TheHostsAnswerComesBack)
{
    host.switches().setOperationResult (-12345);
    AAX_CHostServicesAccess::Set (host.unknown());
    EXPECT_EQ (AAX_CHostServicesAccess::Trace (1, "x"), -12345);
    EXPECT_EQ (AAX_CHostServicesAccess::Trace (1, nullptr), kAAX_ErrorNullObject);
    AAX_CHostServicesAccess::Set (nullptr);

    host.switches().withholdInterface (kIID_AAX_IACFHostServices);
    AAX_CHostServicesAccess::Set (host.unknown());
    EXPECT_EQ (AAX_CHostServicesAccess::Trace (1, "dropped %d", 2), kAAX_ErrorNullObject);
    AAX_CHostServicesAccess::Set (nullptr);
}
