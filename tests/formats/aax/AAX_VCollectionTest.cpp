#include "formats/aax/AAX_VCollection.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/host/AAXHostTest.h"

#include <gmock/gmock.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using AAX_VCollectionTest = AAXHostTest;

TEST_F (AAX_VCollectionTest, EveryOperationReachesItsHostSlotWithItsArguments)
{
    AAX_VCollection collection (host.unknown());
    auto* effect = collection.NewDescriptor();
    auto* properties = collection.NewPropertyMap();

    EXPECT_EQ (collection.AddEffect ("com.example.effect", effect), kAAX_Success);
    EXPECT_EQ (collection.SetManufacturerName ("Maker"), kAAX_Success);
    EXPECT_EQ (collection.AddPackageName ("Package"), kAAX_Success);
    EXPECT_EQ (collection.SetPackageVersion (0x10203), kAAX_Success);
    EXPECT_EQ (collection.SetProperties (properties), kAAX_Success);
    EXPECT_EQ (collection.SetProperties (nullptr), kAAX_Success);

    EXPECT_THAT (host.calls().entriesOf ("collection#1"),
                 ElementsAre ("collection#1.AddEffect(\"com.example.effect\", effect#1)",
                              "collection#1.SetManufacturerName(\"Maker\")",
                              "collection#1.AddPackageName(\"Package\")",
                              "collection#1.SetPackageVersion(66051)",
                              "collection#1.SetProperties(properties#1)",
                              "collection#1.SetProperties(null)"));

    host.switches().setOperationResult (-2);
    EXPECT_EQ (collection.SetPackageVersion (1), -2);
    EXPECT_EQ (collection.AddEffect ("x", effect), -2);
}

TEST_F (AAX_VCollectionTest, AddingANullEffectNeverReachesTheHost)
{
    AAX_VCollection collection (host.unknown());
    EXPECT_EQ (collection.AddEffect ("com.example.effect", nullptr), kAAX_ErrorNullObject);
    EXPECT_THAT (host.calls().entriesOf ("collection#1"), IsEmpty());
}

TEST_F (AAX_VCollectionTest, WithoutAHostCollectionOperationsAnswerAndChildrenAreStillMade)
{
    host.switches().withholdInterface (kIID_AAX_IACFCollection);
    AAX_VCollection collection (host.unknown());

    auto* effect = collection.NewDescriptor();
    ASSERT_NE (effect, nullptr);
    ASSERT_NE (collection.NewPropertyMap(), nullptr);

    EXPECT_EQ (collection.GetIUnknown(), nullptr);
    EXPECT_EQ (collection.AddEffect ("id", effect), kAAX_ErrorNullObject);
    EXPECT_EQ (collection.SetManufacturerName ("Maker"), kAAX_ErrorNullObject);
    EXPECT_EQ (collection.AddPackageName ("Package"), kAAX_ErrorNullObject);
    EXPECT_EQ (collection.SetPackageVersion (1), kAAX_ErrorNullObject);
    EXPECT_EQ (collection.SetProperties (nullptr), kAAX_ErrorNullObject);

    // The effect descriptor has its host object all the same.
    EXPECT_EQ (effect->AddName ("still described"), kAAX_Success);
}

TEST_F (AAX_VCollectionTest, DestroyingTheCollectionDestroysEveryDescendant)
{
    {
        AAX_VCollection collection (host.unknown());
        auto* effect = collection.NewDescriptor();
        auto* component = effect->NewComponentDescriptor();
        component->NewPropertyMap();
        component->DuplicatePropertyMap (component->NewPropertyMap());
        effect->NewPropertyMap();
        collection.NewPropertyMap();
        collection.NewDescriptor();

        // Handing objects to the host makes it keep references of its own.
        effect->AddComponent (component);
        collection.AddEffect ("id", effect);

        EXPECT_EQ (host.ledger().liveObjects(), 10);
    }

    EXPECT_THAT (host.ledger().liveObjectNames(), ElementsAre (::testing::StartsWith ("factory#1")));
    EXPECT_EQ (host.ledger().outstandingReferences(), 1);
}
