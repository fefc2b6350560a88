#include "formats/aax/AAX_VEffectDescriptor.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/host/AAXHostTest.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace
{
int creationStub = 0;
}

class AAX_VEffectDescriptorTest : public AAXHostTest
{
protected:
    // Calls every forwarding operation once, in table order.
    std::vector<AAX_Result> callEverything (AAX_VEffectDescriptor& effect)
    {
        auto* component = effect.NewComponentDescriptor();
        auto* properties = effect.NewPropertyMap();

        return {
            effect.AddComponent (component),
            effect.AddName ("name"),
            effect.AddCategory (512),
            effect.AddCategoryBypassParameter (4, "bypass"),
            effect.AddProcPtr (&creationStub, 1),
            effect.SetProperties (properties),
            effect.AddResourceInfo (2, "info"),
            effect.AddMeterDescription (3, "meter", properties),
            effect.AddControlMIDINode (5, 1, "control", 0xF),
        };
    }

    std::vector<std::string> everythingAsLogged (const std::vector<std::string>& lastOnes = { "effect#1.AddControlMIDINode(5, 1, \"control\", 15)" })
    {
        std::vector<std::string> expected {
            "effect#1.AddComponent(component#1)",
            "effect#1.AddName(\"name\")",
            "effect#1.AddCategory(512)",
            "effect#1.AddCategoryBypassParameter(4, \"bypass\")",
            "effect#1.AddProcPtr(" + HostCallLog::routineText (static_cast<void*> (&creationStub)) + ", 1)",
            "effect#1.SetProperties(properties#1)",
            "effect#1.AddResourceInfo(2, \"info\")",
            "effect#1.AddMeterDescription(3, \"meter\", properties#1)",
        };

        expected.insert (expected.end(), lastOnes.begin(), lastOnes.end());
        return expected;
    }
};

TEST_F (AAX_VEffectDescriptorTest, EveryOperationReachesItsHostSlotWithItsArguments)
{
    AAX_VEffectDescriptor effect (host.unknown());
    EXPECT_THAT (callEverything (effect), ::testing::Each (kAAX_Success));
    EXPECT_EQ (host.calls().entriesOf ("effect#1"), everythingAsLogged());
}

TEST_F (AAX_VEffectDescriptorTest, HostResultsPassThroughUnchanged)
{
    AAX_VEffectDescriptor effect (host.unknown());
    host.switches().setOperationResult (-4711);
    EXPECT_THAT (callEverything (effect), ::testing::Each (-4711));
}

TEST_F (AAX_VEffectDescriptorTest, WithoutTheSecondVersionOnlyTheControlMIDINodeIsUnsupported)
{
    host.switches().withholdInterface (kIID_AAX_IACFEffectDescriptor_V2);
    AAX_VEffectDescriptor effect (host.unknown());

    const auto results = callEverything (effect);
    EXPECT_EQ (results.back(), kAAX_ErrorUnsupported);
    EXPECT_THAT (std::vector<AAX_Result> (results.begin(), results.end() - 1), ::testing::Each (kAAX_Success));
    EXPECT_EQ (host.calls().entriesOf ("effect#1"), everythingAsLogged ({}));
}

TEST_F (AAX_VEffectDescriptorTest, WithoutTheFirstVersionNothingReachesTheHost)
{
    host.switches().withholdInterface (kIID_AAX_IACFEffectDescriptor);
    AAX_VEffectDescriptor effect (host.unknown());

    const auto results = callEverything (effect);
    EXPECT_EQ (results.back(), kAAX_ErrorUnsupported);
    EXPECT_THAT (std::vector<AAX_Result> (results.begin(), results.end() - 1), ::testing::Each (kAAX_ErrorNullObject));
    EXPECT_THAT (host.calls().entriesOf ("effect#1"), IsEmpty());
}

TEST_F (AAX_VEffectDescriptorTest, NullWrappersArePassedAsNullInterfaces)
{
    AAX_VEffectDescriptor effect (host.unknown());

    EXPECT_EQ (effect.AddComponent (nullptr), kAAX_Success);
    EXPECT_EQ (effect.SetProperties (nullptr), kAAX_Success);
    EXPECT_EQ (effect.AddMeterDescription (1, "m", nullptr), kAAX_Success);

    EXPECT_THAT (host.calls().entriesOf ("effect#1"),
                 ElementsAre ("effect#1.AddComponent(null)", "effect#1.SetProperties(null)", "effect#1.AddMeterDescription(1, \"m\", null)"));
}

TEST_F (AAX_VEffectDescriptorTest, ChildrenGetHostObjectsOfTheirOwnAndGoWithTheirParent)
{
    {
        AAX_VEffectDescriptor effect (host.unknown());
        auto* component = effect.NewComponentDescriptor();
        component->NewPropertyMap();
        effect.NewPropertyMap();
        effect.NewComponentDescriptor();

        EXPECT_EQ (host.calls().entriesWithOperation ("CreateComponent"),
                   (std::vector<std::string> {
                       "factory#1.CreateComponent(EffectDescriptorClass, null, AAX_IACFEffectDescriptor)",
                       "factory#1.CreateComponent(ComponentDescriptorClass, null, AAX_IACFComponentDescriptor)",
                       "factory#1.CreateComponent(PropertyMapClass, null, AAX_IACFPropertyMap)",
                       "factory#1.CreateComponent(PropertyMapClass, null, AAX_IACFPropertyMap)",
                       "factory#1.CreateComponent(ComponentDescriptorClass, null, AAX_IACFComponentDescriptor)",
                   }));
        EXPECT_EQ (host.ledger().liveObjects(), 6);
    }

    EXPECT_EQ (host.ledger().liveObjects(), 1);
}

TEST_F (AAX_VEffectDescriptorTest, WithoutAHostEveryOperationAnswersWithoutReachingIt)
{
    AAX_VEffectDescriptor effect (nullptr);
    const auto results = callEverything (effect);
    EXPECT_EQ (results.back(), kAAX_ErrorUnsupported);
    EXPECT_THAT (std::vector<AAX_Result> (results.begin(), results.end() - 1), ::testing::Each (kAAX_ErrorNullObject));
    EXPECT_EQ (effect.GetIUnknown(), nullptr);
    EXPECT_THAT (host.calls().entries(), IsEmpty());
}
