#include "formats/aax/AAX_VComponentDescriptor.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/host/AAXHostTest.h"
#include "formats/aax/host/HostComponentDescriptor.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
void processStub (void* const[], const void*) {}
int32_t initStub (const void*, int32_t) { return 0; }
int32_t backgroundStub() { return 0; }
} // namespace

using AAX_VComponentDescriptorTest = AAXHostTest;

TEST_F (AAX_VComponentDescriptorTest, EveryOperationReachesItsHostSlotWithItsArguments)
{
    AAX_VComponentDescriptor component (host.unknown());
    auto* properties = component.NewPropertyMap();
    const uint32_t meters[3] = { 7, 8, 9 };
    uint32_t nativeID = 0;
    uint32_t tiID = 0;

    EXPECT_EQ (component.Clear(), kAAX_Success);
    EXPECT_EQ (component.AddAudioIn (0), kAAX_Success);
    EXPECT_EQ (component.AddAudioOut (1), kAAX_Success);
    EXPECT_EQ (component.AddAudioBufferLength (2), kAAX_Success);
    EXPECT_EQ (component.AddSampleRate (3), kAAX_Success);
    EXPECT_EQ (component.AddClock (4), kAAX_Success);
    EXPECT_EQ (component.AddSideChainIn (5), kAAX_Success);
    EXPECT_EQ (component.AddDataInPort (6, 4, 1), kAAX_Success);
    EXPECT_EQ (component.AddAuxOutputStem (7, 0x00020002, "aux"), kAAX_Success);
    EXPECT_EQ (component.AddPrivateData (8, 16, 2), kAAX_Success);
    EXPECT_EQ (component.AddTemporaryData (9, 32), kAAX_Success);
    EXPECT_EQ (component.AddDmaInstance (10, 1), kAAX_Success);
    EXPECT_EQ (component.AddMeters (11, meters, 3), kAAX_Success);
    EXPECT_EQ (component.AddMIDINode (12, 2, "midi", 0x00FF), kAAX_Success);
    EXPECT_EQ (component.AddReservedField (13, 5), kAAX_Success);
    EXPECT_EQ (component.AddProcessProc_Native (processStub, properties, initStub, backgroundStub, &nativeID), kAAX_Success);
    EXPECT_EQ (component.AddProcessProc_TI ("lib.out", "process", nullptr, "init", "background", &tiID), kAAX_Success);

    EXPECT_EQ (nativeID, HostComponentDescriptor::kFirstRoutineID);
    EXPECT_EQ (tiID, HostComponentDescriptor::kFirstRoutineID + 1);

    const std::vector<std::string> expected {
        "component#1.Clear()",
        "component#1.AddAudioIn(0)",
        "component#1.AddAudioOut(1)",
        "component#1.AddAudioBufferLength(2)",
        "component#1.AddSampleRate(3)",
        "component#1.AddClock(4)",
        "component#1.AddSideChainIn(5)",
        "component#1.AddDataInPort(6, 4, 1)",
        "component#1.AddAuxOutputStem(7, 131074, \"aux\")",
        "component#1.AddPrivateData(8, 16, 2)",
        "component#1.AddTemporaryData(9, 32)",
        "component#1.AddDmaInstance(10, 1)",
        "component#1.AddMeters(11, [7 8 9], 3)",
        "component#1.AddMIDINode(12, 2, \"midi\", 255)",
        "component#1.AddReservedField(13, 5)",
        "component#1.AddProcessProc_Native(" + HostCallLog::routineText (processStub) + ", properties#1, "
            + HostCallLog::routineText (initStub) + ", " + HostCallLog::routineText (backgroundStub) + ", pointer)",
        "component#1.AddProcessProc_TI(\"lib.out\", \"process\", null, \"init\", \"background\", pointer)",
    };
    EXPECT_EQ (host.calls().entriesOf ("component#1"), expected);
}

TEST_F (AAX_VComponentDescriptorTest, HostResultsPassThroughUnchanged)
{
    AAX_VComponentDescriptor component (host.unknown());
    host.switches().setOperationResult (-20123);

    EXPECT_EQ (component.Clear(), -20123);
    EXPECT_EQ (component.AddDataInPort (3, 4, 1), -20123);
    EXPECT_EQ (component.AddTemporaryData (1, 1), -20123);
    EXPECT_EQ (component.AddProcessProc_Native (processStub, nullptr, nullptr, nullptr, nullptr), -20123);
}

TEST_F (AAX_VComponentDescriptorTest, WithoutTheSecondVersionOnlyTemporaryDataIsUnsupported)
{
    host.switches().withholdInterface (kIID_AAX_IACFComponentDescriptor_V2);
    AAX_VComponentDescriptor component (host.unknown());

    EXPECT_EQ (component.AddTemporaryData (9, 32), kAAX_ErrorUnsupported);
    EXPECT_EQ (component.AddAudioIn (0), kAAX_Success);
    EXPECT_EQ (component.AddPrivateData (5, 8, 0), kAAX_Success);

    EXPECT_THAT (host.calls().entriesOf ("component#1"), ElementsAre ("component#1.AddAudioIn(0)", "component#1.AddPrivateData(5, 8, 0)"));
}

TEST_F (AAX_VComponentDescriptorTest, WithoutAHostObjectNothingReachesTheHostYetMapsAreMade)
{
    AAX_VComponentDescriptor component (nullptr);
    const uint32_t meter = 1;
    uint32_t routineID = 77;

    EXPECT_EQ (component.GetIUnknown(), nullptr);
    EXPECT_EQ (component.Clear(), kAAX_ErrorNullObject);
    EXPECT_EQ (component.AddAudioIn (0), kAAX_ErrorNullObject);
    EXPECT_EQ (component.AddAudioOut (1), kAAX_ErrorNullObject);
    EXPECT_EQ (component.AddAudioBufferLength (2), kAAX_ErrorNullObject);
    EXPECT_EQ (component.AddSampleRate (3), kAAX_ErrorNullObject);
    EXPECT_EQ (component.AddClock (4), kAAX_ErrorNullObject);
    EXPECT_EQ (component.AddSideChainIn (5), kAAX_ErrorNullObject);
    EXPECT_EQ (component.AddDataInPort (6, 4, 1), kAAX_ErrorNullObject);
    EXPECT_EQ (component.AddAuxOutputStem (7, 1, "aux"), kAAX_ErrorNullObject);
    EXPECT_EQ (component.AddPrivateData (8, 8, 0), kAAX_ErrorNullObject);
    EXPECT_EQ (component.AddTemporaryData (9, 4), kAAX_ErrorUnsupported);
    EXPECT_EQ (component.AddDmaInstance (10, 0), kAAX_ErrorNullObject);
    EXPECT_EQ (component.AddMeters (11, &meter, 1), kAAX_ErrorNullObject);
    EXPECT_EQ (component.AddMIDINode (12, 0, "midi", 1), kAAX_ErrorNullObject);
    EXPECT_EQ (component.AddReservedField (13, 0), kAAX_ErrorNullObject);
    EXPECT_EQ (component.AddProcessProc_Native (processStub, nullptr, nullptr, nullptr, &routineID), kAAX_ErrorNullObject);
    EXPECT_EQ (component.AddProcessProc_TI ("a", "b", nullptr, "c", "d", &routineID), kAAX_ErrorNullObject);
    EXPECT_EQ (routineID, 77u);

    auto* map = component.NewPropertyMap();
    ASSERT_NE (map, nullptr);
    EXPECT_EQ (map->AddProperty (1, 1), kAAX_ErrorNullObject);
    EXPECT_NE (component.DuplicatePropertyMap (map), nullptr);

    EXPECT_THAT (host.calls().entries(), IsEmpty());
}

TEST_F (AAX_VComponentDescriptorTest, DuplicateCopiesExactlyProperties10To351)
{
    AAX_VComponentDescriptor component (host.unknown());
    auto* source = component.NewPropertyMap();

    for (const AAX_PropertyID property : { 0u, 9u, 10u, 100u, 351u, 352u, 1000u })
        source->AddProperty (property, static_cast<AAX_PropertyValue> (property) * -3);

    host.calls().clear();
    auto* copy = component.DuplicatePropertyMap (source);
    ASSERT_NE (copy, nullptr);
    ASSERT_NE (copy, source);

    // The source is asked for every number of the range once, in ascending order.
    const auto asked = host.calls().entriesOf ("properties#1");
    ASSERT_EQ (asked.size(), 342u);
    EXPECT_EQ (asked.front(), "properties#1.GetProperty(10, pointer)");
    EXPECT_EQ (asked.back(), "properties#1.GetProperty(351, pointer)");

    EXPECT_THAT (host.calls().entriesOf ("properties#2"),
                 ElementsAre ("properties#2.AddProperty(10, -30)", "properties#2.AddProperty(100, -300)", "properties#2.AddProperty(351, -1053)"));

    AAX_PropertyValue value = 0;
    EXPECT_EQ (copy->GetProperty (9, &value), 0);
    EXPECT_EQ (copy->GetProperty (352, &value), 0);
    EXPECT_EQ (copy->GetProperty (100, &value), 1);
    EXPECT_EQ (value, -300);
}

TEST_F (AAX_VComponentDescriptorTest, DuplicateOfNothingIsANewEmptyMap)
{
    AAX_VComponentDescriptor component (host.unknown());
    auto* copy = component.DuplicatePropertyMap (nullptr);
    ASSERT_NE (copy, nullptr);

    AAX_PropertyValue value = 0;
    EXPECT_EQ (copy->GetProperty (10, &value), 0);
    EXPECT_THAT (host.calls().entriesWithOperation ("AddProperty"), IsEmpty());
}

TEST_F (AAX_VComponentDescriptorTest, EachMapIsItsOwnHostObjectAndGoesWithItsDescriptor)
{
    {
        AAX_VComponentDescriptor component (host.unknown());
        auto* first = component.NewPropertyMap();
        auto* second = component.NewPropertyMap();
        EXPECT_NE (first, second);
        EXPECT_NE (AAX_VPropertyMap::HostUnknownOf (first), AAX_VPropertyMap::HostUnknownOf (second));
        EXPECT_EQ (host.ledger().liveObjects(), 4); // root, component, two maps
    }

    EXPECT_EQ (host.ledger().liveObjects(), 1);
}
