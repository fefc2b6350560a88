#include "formats/aax/AAX_VController.h"

#include "formats/aax/AAX_CString.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/host/AAXHostTest.h"
#include "formats/aax/host/HostEffectInstance.h"
#include "formats/aax/host/HostReference.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr AAX_Result hostFailure = -12345;

class AAX_VControllerTest : public AAXHostTest
{
protected:
    void TearDown() override
    {
        instance.reset();
        AAXHostTest::TearDown();
    }

    std::vector<std::string> controllerCalls() { return host.calls().entriesOf (instance->controller().name()); }

    HostReference<HostEffectInstance> instance = makeHostObject<HostEffectInstance> (host.context());
};

/** Calls every operation once; the results in slot order. */
std::vector<AAX_Result> callEveryOperation (AAX_IController& controller, int64_t& platform)
{
    AAX_CString effectID;
    float floatValue = 0.0f;
    int32_t intValue = 0;
    int64_t longValue = 0;
    uint32_t unsignedValue = 0;
    AAX_CBoolean flag = 0;
    uint32_t kinds[] = { 1 };
    int32_t counts[] = { 5 };
    const uint8_t payload[] = { 1, 2, 3, 4 };
    AAX_MIDIPacketRecord packet;

    return {
        controller.GetEffectID (&effectID),
        controller.GetSampleRate (&floatValue),
        controller.GetInputStemFormat (&intValue),
        controller.GetOutputStemFormat (&intValue),
        controller.GetSignalLatency (&intValue),
        controller.GetCycleCount (1, &intValue),
        controller.GetTODLocation (&longValue),
        controller.SetSignalLatency (64),
        controller.SetCycleCount (kinds, counts, 1),
        controller.PostPacket (3, payload, sizeof (payload)),
        controller.SendNotification (7, payload, sizeof (payload)),
        controller.GetCurrentMeterValue (0, &floatValue),
        controller.GetMeterPeakValue (0, &floatValue),
        controller.ClearMeterPeakValue (0),
        controller.GetMeterCount (&unsignedValue),
        controller.GetMeterClipped (0, &flag),
        controller.ClearMeterClipped (0),
        controller.GetNextMIDIPacket (&unsignedValue, &packet),
        controller.GetHybridSignalLatency (&intValue),
        controller.GetPlugInTargetPlatform (&platform),
        controller.GetIsAudioSuite (&flag),
    };
}

const std::vector<std::string> firstVersionOperations {
    "GetEffectID",
    "GetSampleRate",
    "GetInputStemFormat",
    "GetOutputStemFormat",
    "GetSignalLatency",
    "GetCycleCount",
    "GetTODLocation",
    "SetSignalLatency",
    "SetCycleCount",
    "PostPacket",
    "GetCurrentMeterValue",
    "GetMeterPeakValue",
    "ClearMeterPeakValue",
    "GetMeterCount",
    "GetMeterClipped",
    "ClearMeterClipped",
    "GetNextMIDIPacket"
};

std::vector<std::string> operationsOf (const std::vector<std::string>& entries)
{
    std::vector<std::string> operations;

    for (const auto& entry : entries)
    {
        const auto start = entry.find ('.') + 1;
        operations.push_back (entry.substr (start, entry.find ('(') - start));
    }

    return operations;
}

//==============================================================================
TEST_F (AAX_VControllerTest, ReadsWhatTheHostKnows)
{
    auto settings = instance->controller().settings();
    settings.sampleRate = 96000.0f;
    settings.effectID = "com.example.limiter";
    instance->controller().setSettings (settings);

    AAX_VController controller (instance->unknown());

    float sampleRate = 0.0f;
    int32_t inputFormat = 0;
    int32_t outputFormat = 0;
    AAX_CString effectID;

    EXPECT_EQ (controller.GetSampleRate (&sampleRate), kAAX_Success);
    EXPECT_EQ (controller.GetInputStemFormat (&inputFormat), kAAX_Success);
    EXPECT_EQ (controller.GetOutputStemFormat (&outputFormat), kAAX_Success);
    EXPECT_EQ (controller.GetEffectID (&effectID), kAAX_Success);

    EXPECT_EQ (sampleRate, 96000.0f);
    EXPECT_EQ (inputFormat & 0xFFFF, 4) << "four channels in";
    EXPECT_EQ (outputFormat & 0xFFFF, 4) << "four channels out";
    EXPECT_STREQ (effectID.Get(), "com.example.limiter");
}

TEST_F (AAX_VControllerTest, LatencyAndPacketsReachTheHost)
{
    AAX_VController controller (instance->unknown());
    const uint32_t bypassOn = 1;
    const double coefficient = 0.25;

    EXPECT_EQ (controller.SetSignalLatency (1920), kAAX_Success);
    EXPECT_EQ (controller.SetSignalLatency (0), kAAX_Success);
    EXPECT_EQ (controller.PostPacket (3, &bypassOn, sizeof (bypassOn)), kAAX_Success);
    EXPECT_EQ (controller.PostPacket (6, &coefficient, sizeof (coefficient)), kAAX_Success);

    EXPECT_EQ (instance->controller().latency(), 0);
    EXPECT_THAT (instance->controller().latencyReports(), ElementsAre (1920, 0));

    int32_t latency = -1;
    EXPECT_EQ (controller.GetSignalLatency (&latency), kAAX_Success);
    EXPECT_EQ (latency, 0);

    const auto packets = instance->controller().postedPackets();
    ASSERT_EQ (packets.size(), 2u);
    EXPECT_EQ (packets[0].fieldIndex, 3u);
    EXPECT_THAT (packets[0].bytes, ElementsAre (1, 0, 0, 0));
    EXPECT_EQ (packets[1].fieldIndex, 6u);
    ASSERT_EQ (packets[1].bytes.size(), sizeof (double));
}

TEST_F (AAX_VControllerTest, EveryOperationReachesItsHostSlot)
{
    AAX_VController controller (instance->unknown());
    host.calls().clear();

    int64_t platform = -1;
    const auto results = callEveryOperation (controller, platform);

    EXPECT_THAT (results, ::testing::Each (kAAX_Success));

    auto expected = firstVersionOperations;
    expected.insert (expected.begin() + 10, "SendNotification");
    expected.insert (expected.end(), { "GetHybridSignalLatency", "GetPlugInTargetPlatform", "GetIsAudioSuite" });
    EXPECT_EQ (operationsOf (controllerCalls()), expected);

    EXPECT_THAT (controllerCalls()[5], ::testing::HasSubstr ("GetCycleCount(1, pointer)"));
    EXPECT_THAT (controllerCalls()[9], ::testing::HasSubstr ("PostPacket(3, pointer, 4)"));
    EXPECT_EQ (instance->controller().cycleCounts().at (1), 5);
    ASSERT_EQ (instance->controller().notifications().size(), 1u);
    EXPECT_EQ (instance->controller().notifications()[0].type, 7u);
}

TEST_F (AAX_VControllerTest, HostResultCodesPassThroughUnchanged)
{
    AAX_VController controller (instance->unknown());
    instance->controller().setAnswer (hostFailure);

    int64_t platform = -1;
    EXPECT_THAT (callEveryOperation (controller, platform), ::testing::Each (hostFailure));
}

TEST_F (AAX_VControllerTest, HostWithoutSecondVersion)
{
    host.switches().withholdInterface (kIID_AAX_IACFController_V2);
    AAX_VController controller (instance->unknown());
    host.calls().clear();

    int64_t platform = 77;
    const auto results = callEveryOperation (controller, platform);

    EXPECT_EQ (results[10], kAAX_ErrorUnsupported) << "SendNotification";
    EXPECT_EQ (results[18], kAAX_ErrorUnsupported) << "GetHybridSignalLatency";
    EXPECT_EQ (results[19], kAAX_ErrorUnsupported) << "GetPlugInTargetPlatform";
    EXPECT_EQ (results[20], kAAX_ErrorUnsupported) << "GetIsAudioSuite";
    EXPECT_EQ (platform, 0);

    EXPECT_EQ (operationsOf (controllerCalls()), firstVersionOperations) << "every first-version operation still reaches the host";
}

TEST_F (AAX_VControllerTest, HostWithoutFirstVersionStillOffersTheSecond)
{
    host.switches().withholdInterface (kIID_AAX_IACFController);
    AAX_VController controller (instance->unknown());

    int64_t platform = 77;
    const auto results = callEveryOperation (controller, platform);

    for (size_t slot = 0; slot < results.size(); ++slot)
    {
        const bool secondVersion = slot == 10 || slot >= 18;
        EXPECT_EQ (results[slot], secondVersion ? kAAX_Success : kAAX_ErrorNullObject) << slot;
    }

    EXPECT_EQ (platform, 0) << "the host's own answer";
}

TEST_F (AAX_VControllerTest, NoHostUnknownAnswersWithoutCallingAnything)
{
    AAX_VController controller (nullptr);
    host.calls().clear();

    int64_t platform = 77;
    const auto results = callEveryOperation (controller, platform);

    for (size_t slot = 0; slot < results.size(); ++slot)
    {
        const bool secondVersion = slot == 10 || slot >= 18;
        EXPECT_EQ (results[slot], secondVersion ? kAAX_ErrorUnsupported : kAAX_ErrorNullObject) << slot;
    }

    EXPECT_EQ (platform, 0);
    EXPECT_THAT (host.calls().entries(), IsEmpty());
}

TEST_F (AAX_VControllerTest, GivesBackBothReferences)
{
    const auto before = instance->controller().referenceCount();

    {
        AAX_VController controller (instance->unknown());
        EXPECT_EQ (instance->controller().referenceCount(), before + 2) << "one for each version";
    }

    EXPECT_EQ (instance->controller().referenceCount(), before);
}
} // namespace
