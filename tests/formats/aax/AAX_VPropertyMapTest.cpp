#include "formats/aax/AAX_VPropertyMap.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/host/AAXHostTest.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using AAX_VPropertyMapTest = AAXHostTest;

TEST_F (AAX_VPropertyMapTest, OperationsReachTheHostMapAndItsAnswersComeBack)
{
    AAX_VPropertyMap map (host.unknown());
    ASSERT_NE (map.GetIUnknown(), nullptr);

    EXPECT_EQ (map.AddProperty (11, -5), kAAX_Success);
    AAX_PropertyValue value = 0;
    EXPECT_EQ (map.GetProperty (11, &value), 1);
    EXPECT_EQ (value, -5);
    EXPECT_EQ (map.GetProperty (12, &value), 0);
    EXPECT_EQ (map.RemoveProperty (11), kAAX_Success);
    EXPECT_EQ (map.GetProperty (11, &value), 0);

    const AAX_PropertyIDRecord records[2] = { { 1, 2, 3 }, { 4, 5, 6 } };
    EXPECT_EQ (map.AddPropertyWithIDArray (40, records, 2), kAAX_Success);
    const AAX_PropertyIDRecord* read = nullptr;
    uint32_t count = 0;
    EXPECT_EQ (map.GetPropertyWithIDArray (40, &read, &count), 1);
    ASSERT_EQ (count, 2u);
    EXPECT_EQ (read[1].plugInID, 6u);

    host.switches().setOperationResult (-31);
    EXPECT_EQ (map.AddProperty (1, 1), -31);
    EXPECT_EQ (map.RemoveProperty (1), -31);
    EXPECT_EQ (map.AddPropertyWithIDArray (1, nullptr, 0), -31);

    EXPECT_THAT (host.calls().entriesOf ("properties#1"),
                 ElementsAre ("properties#1.AddProperty(11, -5)",
                              "properties#1.GetProperty(11, pointer)",
                              "properties#1.GetProperty(12, pointer)",
                              "properties#1.RemoveProperty(11)",
                              "properties#1.GetProperty(11, pointer)",
                              "properties#1.AddPropertyWithIDArray(40, pointer, 2)",
                              "properties#1.GetPropertyWithIDArray(40, pointer, pointer)",
                              "properties#1.AddProperty(1, 1)",
                              "properties#1.RemoveProperty(1)",
                              "properties#1.AddPropertyWithIDArray(1, null, 0)"));
}

TEST_F (AAX_VPropertyMapTest, QueriesAnswerTheLowByteOfTheHostsAnswer)
{
    AAX_VPropertyMap map (host.unknown());
    map.AddProperty (20, 7);
    AAX_PropertyValue value = 0;

    host.switches().setPropertyPresentAnswer (0x0201);
    EXPECT_EQ (map.GetProperty (20, &value), 0x01);

    // Only the low byte counts, so a host answering 0x100 says false.
    host.switches().setPropertyPresentAnswer (0x0100);
    EXPECT_EQ (map.GetProperty (20, &value), 0);
}

TEST_F (AAX_VPropertyMapTest, WithoutTheSecondVersionOnlyTheArrayOperationsAreUnsupported)
{
    host.switches().withholdInterface (kIID_AAX_IACFPropertyMap_V2);
    AAX_VPropertyMap map (host.unknown());

    const AAX_PropertyIDRecord record { 1, 2, 3 };
    const AAX_PropertyIDRecord* read = nullptr;
    uint32_t count = 0;
    EXPECT_EQ (map.AddPropertyWithIDArray (40, &record, 1), kAAX_ErrorUnsupported);
    EXPECT_EQ (map.GetPropertyWithIDArray (40, &read, &count), 0);

    EXPECT_EQ (map.AddProperty (3, 4), kAAX_Success);
    AAX_PropertyValue value = 0;
    EXPECT_EQ (map.GetProperty (3, &value), 1);
    EXPECT_EQ (map.RemoveProperty (3), kAAX_Success);

    EXPECT_THAT (host.calls().entriesOf ("properties#1"),
                 ElementsAre ("properties#1.AddProperty(3, 4)", "properties#1.GetProperty(3, pointer)", "properties#1.RemoveProperty(3)"));
}

class AAX_VPropertyMapWithoutHostMap : public AAXHostTest
{
protected:
    void expectNothingReachesTheHost (IACFUnknown* unknown)
    {
        AAX_VPropertyMap map (unknown);
        AAX_PropertyValue value = 99;
        const AAX_PropertyIDRecord* read = nullptr;
        uint32_t count = 0;

        EXPECT_EQ (map.GetIUnknown(), nullptr);
        EXPECT_EQ (map.GetProperty (11, &value), 0);
        EXPECT_EQ (value, 99);
        EXPECT_EQ (map.AddProperty (11, 1), kAAX_ErrorNullObject);
        EXPECT_EQ (map.RemoveProperty (11), kAAX_ErrorNullObject);
        EXPECT_EQ (map.AddPropertyWithIDArray (11, nullptr, 0), kAAX_ErrorUnsupported);
        EXPECT_EQ (map.GetPropertyWithIDArray (11, &read, &count), 0);

        EXPECT_THAT (host.calls().entriesWithOperation ("AddProperty"), IsEmpty());
        EXPECT_EQ (host.ledger().liveObjects(), 1);
    }
};

TEST_F (AAX_VPropertyMapWithoutHostMap, NullHostUnknown)
{
    expectNothingReachesTheHost (nullptr);
}

TEST_F (AAX_VPropertyMapWithoutHostMap, FirstVersionWithheld)
{
    host.switches().withholdInterface (kIID_AAX_IACFPropertyMap);
    expectNothingReachesTheHost (host.unknown());
}

TEST_F (AAX_VPropertyMapWithoutHostMap, CreationFails)
{
    host.switches().failCreation (kClassID_PropertyMap, -1);
    expectNothingReachesTheHost (host.unknown());
}

TEST_F (AAX_VPropertyMapWithoutHostMap, CreationAnswersSuccessWithNothing)
{
    host.switches().answerNullObject (kClassID_PropertyMap);
    expectNothingReachesTheHost (host.unknown());
}

TEST_F (AAX_VPropertyMapWithoutHostMap, NoFactory)
{
    host.switches().withholdInterface (kIID_IACFComponentFactory);
    expectNothingReachesTheHost (host.unknown());
}

TEST_F (AAX_VPropertyMapTest, AFactoryClaimedButNotGivenThrowsAndLeaksNothing)
{
    host.switches().answerNullInterface (kIID_IACFComponentFactory);

    try
    {
        AAX_VPropertyMap map (host.unknown());
        FAIL() << "constructed without a factory";
    }
    catch (int32_t thrown)
    {
        EXPECT_EQ (static_cast<uint32_t> (thrown), 0x80000005u);
    }
}

TEST_F (AAX_VPropertyMapTest, DestructionGivesBackBothVersions)
{
    {
        AAX_VPropertyMap map (host.unknown());
        EXPECT_EQ (host.ledger().liveObjects(), 2);
        // The root's reference, then one for each version the wrapper holds.
        EXPECT_EQ (host.ledger().outstandingReferences(), 3);
    }

    EXPECT_EQ (host.ledger().liveObjects(), 1);
    EXPECT_EQ (host.ledger().outstandingReferences(), 1);
}
