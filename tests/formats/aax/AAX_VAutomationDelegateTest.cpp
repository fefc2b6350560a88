#include "formats/aax/AAX_VAutomationDelegate.h"

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

class AAX_VAutomationDelegateTest : public AAXHostTest
{
protected:
    void TearDown() override
    {
        instance.reset();
        AAXHostTest::TearDown();
    }

    std::vector<std::string> automationCalls() { return host.calls().entriesOf (instance->automation().name()); }

    HostReference<HostEffectInstance> instance = makeHostObject<HostEffectInstance> (host.context());
};

std::vector<AAX_Result> callEveryOperation (AAX_IAutomationDelegate& automation, AAX_CBoolean& touched)
{
    return {
        automation.RegisterParameter ("1"),
        automation.PostTouchRequest ("1"),
        automation.GetTouchState ("1", &touched),
        automation.PostSetValueRequest ("1", 0.25),
        automation.PostCurrentValue ("1", 0.25),
        automation.PostReleaseRequest ("1"),
        automation.UnregisterParameter ("1"),
    };
}

TEST_F (AAX_VAutomationDelegateTest, EveryOperationReachesTheHostWithItsArguments)
{
    AAX_VAutomationDelegate automation (instance->unknown());
    host.calls().clear();

    AAX_CBoolean touched = 0;
    EXPECT_THAT (callEveryOperation (automation, touched), ::testing::Each (kAAX_Success));
    EXPECT_EQ (touched, 1);

    const auto name = instance->automation().name();
    EXPECT_THAT (automationCalls(),
                 ElementsAre (name + ".RegisterParameter(\"1\")",
                              name + ".PostTouchRequest(\"1\")",
                              name + ".GetTouchState(\"1\", pointer)",
                              name + ".PostSetValueRequest(\"1\", 0.25)",
                              name + ".PostCurrentValue(\"1\", 0.25)",
                              name + ".PostReleaseRequest(\"1\")",
                              name + ".UnregisterParameter(\"1\")"));
    EXPECT_FALSE (instance->automation().isRegistered ("1"));
    EXPECT_EQ (instance->automation().pendingRequests(), 1);
}

TEST_F (AAX_VAutomationDelegateTest, HostResultCodesPassThroughUnchanged)
{
    AAX_VAutomationDelegate automation (instance->unknown());
    instance->automation().setAnswer (-20099);

    AAX_CBoolean touched = 0;
    EXPECT_THAT (callEveryOperation (automation, touched), ::testing::Each (-20099));
}

TEST_F (AAX_VAutomationDelegateTest, MissingInterfaceAnswersWithoutCallingTheHost)
{
    host.switches().withholdInterface (kIID_AAX_IACFAutomationDelegate);
    AAX_VAutomationDelegate withheld (instance->unknown());
    AAX_VAutomationDelegate fromNothing (nullptr);
    host.calls().clear();

    AAX_CBoolean touched = 7;
    EXPECT_THAT (callEveryOperation (withheld, touched), ::testing::Each (kAAX_ErrorNullObject));
    EXPECT_THAT (callEveryOperation (fromNothing, touched), ::testing::Each (kAAX_ErrorNullObject));
    EXPECT_EQ (touched, 7);
    EXPECT_THAT (host.calls().entries(), IsEmpty());
}

TEST_F (AAX_VAutomationDelegateTest, GivesBackItsReference)
{
    const auto before = instance->automation().referenceCount();

    {
        AAX_VAutomationDelegate automation (instance->unknown());
        EXPECT_EQ (instance->automation().referenceCount(), before + 1);
    }

    EXPECT_EQ (instance->automation().referenceCount(), before);
}
} // namespace
