// The plug-in's GUI object in the simulated AAX host under a virtual X display: the
// editor made for the instance's effect, shown in a window of the host's, and driven
// with the mouse through the XTEST extension.

#include "tests/plugin/aax/AaxPlugInTest.h"

#include "formats/aax/host/HostReference.h"
#include "formats/aax/host/HostViewContainer.h"

#include "support/WaitUntil.h"

#include <gmock/gmock.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace
{
using quorvel::test::waitUntil;
using ::testing::ElementsAre;
using ::testing::MatchesRegex;

constexpr int editorWidth = 435;
constexpr int editorHeight = 373;

/** A window of the host's, on the test's own connection to the X server. */
struct HostWindow
{
    HostWindow()
    {
        if (display != nullptr)
        {
            window = XCreateSimpleWindow (display, DefaultRootWindow (display), 0, 0, editorWidth, editorHeight, 0, 0, 0);
            XMapWindow (display, window);
            XSync (display, False);
        }
    }

    ~HostWindow()
    {
        if (display != nullptr)
        {
            XDestroyWindow (display, window);
            XCloseDisplay (display);
        }
    }

    unsigned int numChildren() const
    {
        XSync (display, False);
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;

        if (XQueryTree (display, window, &root, &parent, &children, &count) == 0)
            return 0;

        if (children != nullptr)
            XFree (children);

        return count;
    }

    Display* const display = XOpenDisplay (nullptr);
    Window window = 0;
};

/** The host's automation calls for one parameter, in order, as letters: T(ouch),
    S(et value), R(elease). */
std::string automationOf (HostCallLog& calls, const std::string& parameterID)
{
    std::string letters;

    for (const auto& entry : calls.entries())
        for (const std::string operation : { "Touch", "SetValue", "Release" })
            if (entry.find (".Post" + operation + "Request(\"" + parameterID + '"') != std::string::npos)
                letters += operation[0];

    return letters;
}

class AaxGuiBridgeDisplayTest : public AaxEffectTest
{
protected:
    void SetUp() override
    {
        if (std::getenv ("QUORVEL_TEST_DISPLAY") == nullptr)
            GTEST_SKIP() << "needs the virtual display named by QUORVEL_TEST_DISPLAY";

        AaxEffectTest::SetUp();

        if (HasFatalFailure())
            return;

        hostWindow = std::make_unique<HostWindow>();
        ASSERT_NE (hostWindow->display, nullptr);
        view->setNativeView (reinterpret_cast<void*> (static_cast<uintptr_t> (hostWindow->window)));
        ASSERT_NE (makeGUI(), nullptr);
        ASSERT_EQ (gui->Initialize (effect->instance().unknown()), kAAX_Success);
    }

    void TearDown() override
    {
        if (gui != nullptr)
            gui->SetViewContainer (nullptr);

        closeEverything();
        view.reset();
        AaxPlugInTest::TearDown();
    }

    /** Hands the GUI the host's view; true once the editor is the window's one child. */
    bool attachView()
    {
        return gui->SetViewContainer (view->unknown()) == kAAX_Success
               && waitUntil ([this]
                             { return hostWindow->numChildren() == 1; });
    }

    std::unique_ptr<HostWindow> hostWindow;
    HostReference<HostViewContainer> view = makeHostObject<HostViewContainer> (host.context());
};

TEST_F (AaxGuiBridgeDisplayTest, TheEditorLivesInTheHostsWindowAtItsFixedSizeWhileAttached)
{
    ASSERT_TRUE (attachView()) << "the editor became a child window of the host's";
    AAX_Point size;
    ASSERT_EQ (gui->GetViewSize (&size), kAAX_Success);
    ASSERT_FALSE (view->requestedSizes().empty());
    const auto asked = view->requestedSizes().back();
    EXPECT_THAT ((std::vector<float> { size.vert, size.horz, asked.vert, asked.horz }), ElementsAre (373.0f, 435.0f, 373.0f, 435.0f));
    EXPECT_EQ (gui->GetViewSize (nullptr), kAAX_ErrorNullObject);

    // Initialised again, the GUI keeps one editor in the view.
    ASSERT_EQ (gui->Initialize (effect->instance().unknown()), kAAX_Success);
    EXPECT_TRUE (waitUntil ([this]
                            { return hostWindow->numChildren() == 1; }));
    EXPECT_EQ (gui->GetViewSize (&size), kAAX_Success);

    EXPECT_EQ (gui->SetViewContainer (nullptr), kAAX_Success);
    EXPECT_TRUE (waitUntil ([this]
                            { return hostWindow->numChildren() == 0; }))
        << "the editor left the host's window";
    EXPECT_EQ (gui->GetViewSize (&size), kAAX_ErrorNullObject) << "the editor was deleted with the view";

    EXPECT_TRUE (attachView()) << "a new view brings a new editor";
}

TEST_F (AaxGuiBridgeDisplayTest, AViewThatIsNotANativeWindowGetsNoEditorAttached)
{
    view->setType (2);

    ASSERT_EQ (gui->SetViewContainer (view->unknown()), kAAX_Success);

    EXPECT_EQ (hostWindow->numChildren(), 0u) << "no window made";
    EXPECT_TRUE (view->requestedSizes().empty());
}

TEST_F (AaxGuiBridgeDisplayTest, HighlightsReachOnlyTheProcessorsParameters)
{
    const std::pair<const char*, AAX_Result> highlights[] = {
        { "MasterBypassID", kAAX_Success },
        { "2", kAAX_Success },
        { "4", kAAX_ErrorUnknownParameter },
        { "02", kAAX_ErrorUnknownParameter },
        { nullptr, kAAX_ErrorUnknownParameter },
    };

    for (const auto& [parameterID, result] : highlights)
        for (const int32_t colour : { 3, 77 })
            EXPECT_EQ (gui->SetControlHighlightInfo (parameterID, 1, colour), result) << (parameterID != nullptr ? parameterID : "null");
}

TEST_F (AaxGuiBridgeDisplayTest, ASecondGUIOfTheSameInstanceMakesNoSecondEditor)
{
    auto* first = std::exchange (gui, nullptr);
    ASSERT_NE (makeGUI(), nullptr);
    ASSERT_EQ (gui->Initialize (effect->instance().unknown()), kAAX_Success);

    AAX_Point size;
    EXPECT_EQ (gui->GetViewSize (&size), kAAX_ErrorNullObject);

    gui->Uninitialize();
    gui->Release();
    gui = first;
    EXPECT_EQ (gui->GetViewSize (&size), kAAX_Success);
}

TEST_F (AaxGuiBridgeDisplayTest, DraggingAKnobTouchesSetsAndReleasesItsParameter)
{
    auto* display = hostWindow->display;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    ASSERT_TRUE (XTestQueryExtension (display, &eventBase, &errorBase, &major, &minor)) << "the X server lacks XTEST";
    ASSERT_TRUE (attachView());
    std::this_thread::sleep_for (std::chrono::milliseconds (300));
    const auto before = valueOf ("0");
    host.calls().clear();

    // Down on the attack knob (the slider at 153, 310, 113 x 56), then up by 64 pixels.
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates (display, hostWindow->window, DefaultRootWindow (display), 180, 338, &rootX, &rootY, &child);
    const auto pause = [display]
    {
        XFlush (display);
        std::this_thread::sleep_for (std::chrono::milliseconds (40));
    };

    XTestFakeMotionEvent (display, -1, rootX, rootY, CurrentTime);
    pause();
    XTestFakeButtonEvent (display, 1, True, CurrentTime);
    pause();

    for (int step = 1; step <= 8; ++step)
    {
        XTestFakeMotionEvent (display, -1, rootX, rootY - step * 8, CurrentTime);
        pause();
    }

    XTestFakeButtonEvent (display, 1, False, CurrentTime);
    XFlush (display);

    // Every value request is wrapped in a touch and a release of its own; the gesture's
    // release is the one that leaves the touches and releases even after the last value.
    waitUntil ([this]
               {
                   const auto seen = automationOf (host.calls(), "0");
                   const auto touches = std::count (seen.begin(), seen.end(), 'T');
                   return touches > 1 && touches == std::count (seen.begin(), seen.end(), 'R'); });

    const auto seen = automationOf (host.calls(), "0");
    EXPECT_THAT (seen, MatchesRegex ("T.*S.*R"));
    EXPECT_EQ (std::count (seen.begin(), seen.end(), 'T'), std::count (seen.begin(), seen.end(), 'R')) << seen;
    EXPECT_GT (effect->deliverPending(), 0);
    EXPECT_GT (valueOf ("0"), before) << "the host's answer reached the processor";
}
} // namespace
