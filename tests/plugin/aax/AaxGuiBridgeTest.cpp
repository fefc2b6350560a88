// The plug-in's GUI object end to end, without a display: an instance whose effect
// object is not one of this plug-in's gets no editor, even while one of this plug-in's
// is open, and the GUI answers as having none.

#include "tests/plugin/aax/AaxPlugInTest.h"

#include "formats/aax/AAX_CEffectParameters.h"
#include "formats/aax/host/HostReference.h"
#include "formats/aax/host/HostViewContainer.h"

#include <utility>

namespace
{
using AaxGuiBridgeTest = AaxEffectTest;

TEST_F (AaxGuiBridgeTest, AnInstanceWithoutThePlugInsOwnEffectGetsNoEditor)
{
    for (const bool withForeignEffect : { false, true })
    {
        SCOPED_TRACE (withForeignEffect ? "another plug-in's effect" : "no effect");
        auto instance = makeHostObject<HostEffectInstance> (host.context());
        auto view = makeHostObject<HostViewContainer> (host.context());

        if (withForeignEffect)
            instance->attachEffect (static_cast<AAX_IACFEffectParameters*> (new AAX_CEffectParameters));

        ASSERT_NE (makeGUI(), nullptr);
        ASSERT_EQ (gui->Initialize (instance->unknown()), kAAX_Success);
        EXPECT_EQ (gui->SetViewContainer (view->unknown()), kAAX_Success);

        AAX_Point size { 1.0f, 2.0f };
        EXPECT_EQ (gui->GetViewSize (&size), kAAX_ErrorNullObject);
        EXPECT_EQ (size.vert, 1.0f);
        EXPECT_EQ (gui->SetControlHighlightInfo ("0", 1, 0), kAAX_ErrorNullObject);
        EXPECT_TRUE (view->requestedSizes().empty());

        EXPECT_EQ (gui->SetViewContainer (nullptr), kAAX_Success);
        gui->Uninitialize();
        std::exchange (gui, nullptr)->Release();
        instance->detachEffect();
    }
}
} // namespace
