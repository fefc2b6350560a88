#include "formats/aax/AAX_VViewContainer.h"

#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/host/AAXHostTest.h"
#include "formats/aax/host/HostReference.h"
#include "formats/aax/host/HostViewContainer.h"

#include <gmock/gmock.h>

#include <memory>
#include <string>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class AAX_VViewContainerTest : public AAXHostTest
{
protected:
    void TearDown() override
    {
        view.reset();
        AAXHostTest::TearDown();
    }

    HostReference<HostViewContainer> view = makeHostObject<HostViewContainer> (host.context());
};

TEST_F (AAX_VViewContainerTest, ForwardsEveryOperation)
{
    int nativeWindow = 0;
    view->setNativeView (&nativeWindow);
    view->setModifiers (0x12);
    AAX_VViewContainer container (view->unknown());

    EXPECT_EQ (container.GetType(), AAX_IViewContainer::nativeViewType);
    EXPECT_EQ (container.GetPtr(), &nativeWindow);

    uint32_t modifiers = 0;
    EXPECT_EQ (container.GetModifiers (&modifiers), kAAX_Success);
    EXPECT_EQ (modifiers, 0x12u);

    EXPECT_EQ (container.SetViewSize (AAX_Point { 373.0f, 435.0f }), kAAX_Success);
    EXPECT_EQ (container.HandleParameterMouseDown ("2", 0x12), kAAX_Success);
    EXPECT_EQ (container.HandleParameterMouseDrag ("2", 0x12), kAAX_Success);
    EXPECT_EQ (container.HandleParameterMouseUp ("2", 0), kAAX_Success);

    const auto sizes = view->requestedSizes();
    ASSERT_EQ (sizes.size(), 1u);
    EXPECT_EQ (sizes[0].vert, 373.0f) << "height first";
    EXPECT_EQ (sizes[0].horz, 435.0f);

    const auto name = view->name();
    EXPECT_THAT (host.calls().entriesOf (name),
                 ElementsAre (name + ".GetType()",
                              name + ".GetPtr()",
                              name + ".GetModifiers(pointer)",
                              name + ".SetViewSize(373, 435)",
                              name + ".HandleParameterMouseDown(\"2\", 18)",
                              name + ".HandleParameterMouseDrag(\"2\", 18)",
                              name + ".HandleParameterMouseUp(\"2\", 0)"));
}

TEST_F (AAX_VViewContainerTest, HostResultCodesPassThroughUnchanged)
{
    view->setType (2);
    view->setAnswer (-30001);
    AAX_VViewContainer container (view->unknown());
    uint32_t modifiers = 0;

    EXPECT_EQ (container.GetType(), 2);
    EXPECT_EQ (container.GetModifiers (&modifiers), -30001);
    EXPECT_EQ (container.SetViewSize (AAX_Point {}), -30001);
    EXPECT_EQ (container.HandleParameterMouseDown ("0", 0), -30001);
    EXPECT_EQ (container.HandleParameterMouseDrag ("0", 0), -30001);
    EXPECT_EQ (container.HandleParameterMouseUp ("0", 0), -30001);
}

TEST_F (AAX_VViewContainerTest, MissingInterfaceAnswersWithoutCallingTheHost)
{
    host.switches().withholdInterface (kIID_AAX_IACFViewContainer);
    AAX_VViewContainer withheld (view->unknown());
    AAX_VViewContainer fromNothing (nullptr);
    host.calls().clear();

    for (auto* container : { &withheld, &fromNothing })
    {
        uint32_t modifiers = 5;
        EXPECT_EQ (container->GetType(), 0);
        EXPECT_EQ (container->GetPtr(), nullptr);
        EXPECT_EQ (container->GetModifiers (&modifiers), kAAX_ErrorUnsupported);
        EXPECT_EQ (modifiers, 5u);
        EXPECT_EQ (container->SetViewSize (AAX_Point { 1.0f, 2.0f }), kAAX_Success);
        EXPECT_EQ (container->HandleParameterMouseDown ("1", 0), kAAX_ErrorUnsupported);
        EXPECT_EQ (container->HandleParameterMouseDrag ("1", 0), kAAX_ErrorUnsupported);
        EXPECT_EQ (container->HandleParameterMouseUp ("1", 0), kAAX_ErrorUnsupported);
    }

    EXPECT_THAT (host.calls().entries(), IsEmpty());
}

TEST_F (AAX_VViewContainerTest, GivesBackTheReferenceItQueried)
{
    const auto before = view->referenceCount();

    for (int attach = 0; attach < 3; ++attach)
    {
        AAX_VViewContainer container (view->unknown());
        EXPECT_EQ (view->referenceCount(), before + 1);
    }

    EXPECT_EQ (view->referenceCount(), before) << "a container that kept its reference would keep the host window alive";
}

TEST_F (AAX_VViewContainerTest, TheHostWindowGoesWhenTheHostLetsGoOfIt)
{
    auto container = std::make_unique<AAX_VViewContainer> (view->unknown());
    view.reset();
    EXPECT_EQ (host.ledger().liveObjects(), 2) << "the root and the window, held by the container";

    container.reset();
    EXPECT_EQ (host.ledger().liveObjects(), 1) << "only the host's root is left";
}
} // namespace
