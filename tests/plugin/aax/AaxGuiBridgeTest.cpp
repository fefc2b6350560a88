// The plug-in's GUI object end to end, without a display: what it asks of the effect
// and how it answers while it has no editor.

#include "tests/plugin/aax/AaxPlugInTest.h"

#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/host/HostReference.h"
#include "formats/aax/host/HostViewContainer.h"
#include "tests/plugin/aax/RecordingEffectProxy.h"

#include <gmock/gmock.h>

namespace
{
using ::testing::ElementsAre;

class AaxGuiBridgeTest : public AaxEffectTest
{
protected:
    void SetUp() override
    {
        AaxEffectTest::SetUp();

        if (! HasFatalFailure())
            makeGUI();
    }

    void TearDown() override
    {
        closeEverything();
        view.reset();
        proxyInstance.reset();
        AaxPlugInTest::TearDown();
    }

    HostReference<HostViewContainer> view = makeHostObject<HostViewContainer> (host.context());
    HostReference<HostEffectInstance> proxyInstance = makeHostObject<HostEffectInstance> (host.context());
};

TEST_F (AaxGuiBridgeTest, AttachingAViewReportsEveryParameterOfTheEffect)
{
    ASSERT_NE (gui, nullptr);
    auto proxy = makeHostObject<RecordingEffectProxy> (host.context(), *effect->effect());
    proxyInstance->attachEffect (proxy->unknown());
    ASSERT_EQ (gui->Initialize (proxyInstance->unknown()), kAAX_Success);

    EXPECT_EQ (gui->SetViewContainer (view->unknown()), kAAX_Success);

    EXPECT_THAT (proxy->identifierRequests(), ElementsAre (0, 1, 2, 3, 4)) << "the bypass and the four parameters";
    EXPECT_TRUE (view->requestedSizes().empty()) << "no editor for an effect that is not the plug-in's own";

    EXPECT_EQ (gui->SetViewContainer (nullptr), kAAX_Success);
    gui->Uninitialize();
    proxyInstance->detachEffect();
}

TEST_F (AaxGuiBridgeTest, WithoutAnEditorTheSizeAndHighlightsAreRefused)
{
    ASSERT_NE (gui, nullptr);
    ASSERT_EQ (gui->Initialize (proxyInstance->unknown()), kAAX_Success) << "an instance without an effect";

    AAX_Point size { 1.0f, 2.0f };
    EXPECT_EQ (gui->GetViewSize (&size), kAAX_ErrorNullObject);
    EXPECT_EQ (size.vert, 1.0f);
    EXPECT_EQ (gui->SetControlHighlightInfo ("0", 1, 0), kAAX_ErrorNullObject);
    EXPECT_EQ (gui->ParameterUpdated ("0"), kAAX_Success);
    EXPECT_EQ (gui->SetViewContainer (view->unknown()), kAAX_Success);
    EXPECT_EQ (gui->SetViewContainer (nullptr), kAAX_Success);
}

TEST_F (AaxGuiBridgeTest, InitialiseWithoutAHostObjectAnswersNoController)
{
    ASSERT_NE (gui, nullptr);
    EXPECT_EQ (gui->Initialize (nullptr), kAAX_ErrorNoController);
}

TEST_F (AaxGuiBridgeTest, TheGUIAnswersItsOwnInterfaceOnly)
{
    ASSERT_NE (gui, nullptr);
    void* answer = nullptr;
    EXPECT_EQ (gui->QueryInterface (kIID_AAX_IACFEffectParameters, &answer), kACF_NoInterface);
    EXPECT_EQ (answer, nullptr);
    ASSERT_EQ (gui->QueryInterface (kIID_AAX_IACFEffectGUI, &answer), kAAX_Success);
    EXPECT_EQ (answer, gui);
    gui->Release();
}
} // namespace
