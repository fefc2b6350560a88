#include "formats/aax/AAX_CHostServicesAccess.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/AAX_VHostServices.h"
#include "formats/aax/host/AAXHostTest.h"

#include <gmock/gmock.h>

#include <string>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
constexpr int32_t kChunkTracePriority = 0x08000000;
}

using AAX_CHostServicesAccessTest = AAXHostTest;

TEST_F (AAX_CHostServicesAccessTest, TracesBeforeStartUpAreDropped)
{
    EXPECT_EQ (AAX_CHostServicesAccess::Trace (kChunkTracePriority, "lost %d", 1), kAAX_Success);
    EXPECT_THAT (host.context().traces(), IsEmpty());
    EXPECT_THAT (host.calls().entries(), IsEmpty());
}

TEST_F (AAX_CHostServicesAccessTest, TracesAfterStartUpReachTheHostFormatted)
{
    AAX_CHostServicesAccess::Set (host.unknown());

    EXPECT_EQ (AAX_CHostServicesAccess::Trace (kChunkTracePriority, "AAX_CChunkDataParser::GetChunkData ERROR: %s", "bad"), kAAX_Success);
    EXPECT_EQ (AAX_CHostServicesAccess::Trace (3, "%d-%05.1f-%c", -12, 2.25, 'z'), kAAX_Success);

    const auto traces = host.context().traces();
    ASSERT_EQ (traces.size(), 2u);
    EXPECT_EQ (traces[0].priority, kChunkTracePriority);
    EXPECT_EQ (traces[0].text, "AAX_CChunkDataParser::GetChunkData ERROR: bad");
    EXPECT_EQ (traces[1].priority, 3);
    EXPECT_EQ (traces[1].text, "-12-002.2-z");

    AAX_CHostServicesAccess::Set (nullptr);
    EXPECT_EQ (AAX_CHostServicesAccess::Trace (1, "after shut-down"), kAAX_Success);
    EXPECT_EQ (host.context().traces().size(), 2u);
}

TEST_F (AAX_CHostServicesAccessTest, LongTracesAreCutAt511Characters)
{
    AAX_CHostServicesAccess::Set (host.unknown());

    const std::string longText (2000, 'q');
    AAX_CHostServicesAccess::Trace (1, "%s", longText.c_str());
    AAX_CHostServicesAccess::Trace (1, "<%0700d>", 5);

    const auto traces = host.context().traces();
    ASSERT_EQ (traces.size(), 2u);
    EXPECT_EQ (traces[0].text, std::string (511, 'q'));
    EXPECT_EQ (traces[1].text.size(), 511u);
    EXPECT_EQ (traces[1].text, "<" + std::string (510, '0'));

    AAX_CHostServicesAccess::Set (nullptr);
}

TEST_F (AAX_CHostServicesAccessTest, SecondStartUpKeepsTheFirstHolder)
{
    AAX_CHostServicesAccess::Set (host.unknown());
    auto* first = AAX_CHostServicesAccess::Get();
    ASSERT_NE (first, nullptr);

    SimulatedHost otherHost;
    AAX_CHostServicesAccess::Set (otherHost.unknown());
    EXPECT_EQ (AAX_CHostServicesAccess::Get(), first);
    EXPECT_THAT (otherHost.calls().entries(), IsEmpty());

    AAX_CHostServicesAccess::Trace (1, "to the first host");
    EXPECT_EQ (host.context().traces().size(), 1u);
    EXPECT_THAT (otherHost.context().traces(), IsEmpty());

    AAX_CHostServicesAccess::Set (nullptr);
}

TEST_F (AAX_CHostServicesAccessTest, StartUpMakesOneServicesObjectAndShutDownGivesItBack)
{
    AAX_CHostServicesAccess::Set (host.unknown());

    EXPECT_THAT (host.calls().entries(), ElementsAre ("factory#1.CreateComponent(HostServicesClass, null, AAX_IACFHostServices)"));
    EXPECT_EQ (host.ledger().liveObjects(), 2); // the root and the services object
    // The root's own reference and the services object's one.
    EXPECT_EQ (host.ledger().outstandingReferences(), 2);

    AAX_CHostServicesAccess::Set (nullptr);
    EXPECT_EQ (AAX_CHostServicesAccess::Get(), nullptr);
    EXPECT_EQ (host.ledger().liveObjects(), 1);
    EXPECT_EQ (host.ledger().outstandingReferences(), 1);

    // Clearing an empty holder changes nothing.
    AAX_CHostServicesAccess::Set (nullptr);
    EXPECT_EQ (AAX_CHostServicesAccess::Get(), nullptr);
}

TEST_F (AAX_CHostServicesAccessTest, HostResultsPassThroughUnchanged)
{
    AAX_CHostServicesAccess::Set (host.unknown());
    host.switches().setOperationResult (-12345);

    EXPECT_EQ (AAX_CHostServicesAccess::Trace (1, "x"), -12345);
    EXPECT_EQ (AAX_CHostServicesAccess::Get()->Report ("a", 9, "b"), -12345);
    EXPECT_THAT (host.calls().entriesWithOperation ("Report"), ElementsAre ("hostServices#1.Report(\"a\", 9, \"b\")"));

    EXPECT_EQ (AAX_CHostServicesAccess::Trace (1, nullptr), kAAX_ErrorNullObject);

    AAX_CHostServicesAccess::Set (nullptr);
}

TEST_F (AAX_CHostServicesAccessTest, StartUpWithNullDoesNothing)
{
    AAX_CHostServicesAccess::Set (nullptr);
    EXPECT_EQ (AAX_CHostServicesAccess::Get(), nullptr);
}

// Every way the host can fail to supply its services leaves a holder whose
// operations answer -20004 without a host call, and gives back whatever it got.
class AAX_VHostServicesWithoutHostInterface : public AAXHostTest
{
protected:
    void expectNoServices (IACFUnknown* unknown)
    {
        AAX_VHostServices services (unknown);
        EXPECT_FALSE (services.HasHostInterface());
        EXPECT_EQ (services.Trace (1, "nobody listens"), kAAX_ErrorNullObject);
        EXPECT_EQ (services.Report ("a", 1, "b"), kAAX_ErrorNullObject);
        EXPECT_THAT (host.context().traces(), IsEmpty());
    }
};

TEST_F (AAX_VHostServicesWithoutHostInterface, NullHostUnknown)
{
    expectNoServices (nullptr);
}

TEST_F (AAX_VHostServicesWithoutHostInterface, HostWithoutFactory)
{
    host.switches().withholdInterface (kIID_IACFComponentFactory);
    expectNoServices (host.unknown());
}

TEST_F (AAX_VHostServicesWithoutHostInterface, FactoryAnsweredWithSuccessButNothing)
{
    host.switches().answerNullInterface (kIID_IACFComponentFactory);
    expectNoServices (host.unknown());
}

TEST_F (AAX_VHostServicesWithoutHostInterface, CreationFails)
{
    host.switches().failCreation (kClassID_HostServices, kACF_NoInterface);
    expectNoServices (host.unknown());
}

TEST_F (AAX_VHostServicesWithoutHostInterface, CreationSucceedsWithNoObject)
{
    host.switches().answerNullObject (kClassID_HostServices);
    expectNoServices (host.unknown());
}

TEST_F (AAX_VHostServicesWithoutHostInterface, ServicesInterfaceWithheld)
{
    host.switches().withholdInterface (kIID_AAX_IACFHostServices);
    expectNoServices (host.unknown());
}

TEST_F (AAX_VHostServicesWithoutHostInterface, TraceThroughTheHolderAnswersTheSame)
{
    host.switches().withholdInterface (kIID_IACFComponentFactory);
    AAX_CHostServicesAccess::Set (host.unknown());
    EXPECT_EQ (AAX_CHostServicesAccess::Trace (1, "dropped %d", 2), kAAX_ErrorNullObject);
    AAX_CHostServicesAccess::Set (nullptr);
}
