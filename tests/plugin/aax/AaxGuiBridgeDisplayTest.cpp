// The plug-in's GUI object in the simulated AAX host under a virtual X display: the
// editor made for the instance's effect, shown in a window of the host's, and driven
// with the mouse through the XTEST extension.

#include "tests/plugin/aax/AaxPlugInTest.h"

#include "formats/aax/host/HostReference.h"
#include "formats/aax/host/HostViewContainer.h"

#include <gmock/gmock.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace
{
using ::testing::Contains;

constexpr int editorWidth = 435;
constexpr int editorHeight = 373;

bool waitUntil (const std::function<bool()>& done, int milliseconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds (milliseconds);

    while (std::chrono::steady_clock::now() < deadline)
    {
        if (done())
            return true;

        std::this_thread::sleep_for (std::chrono::milliseconds (5));
    }

    return done();
}

/** The test's own connection to the X server, and a window of the host's. */
class HostWindow
{
public:
    HostWindow()
        : display (XOpenDisplay (nullptr))
    {
        if (display == nullptr)
            return;

        window = XCreateSimpleWindow (display, DefaultRootWindow (display), 0, 0, editorWidth, editorHeight, 0, 0, 0);
        XMapWindow (display, window);
        XSync (display, False);
    }

    ~HostWindow()
    {
        if (display == nullptr)
            return;

        XDestroyWindow (display, window);
        XCloseDisplay (display);
    }

    HostWindow (const HostWindow&) = delete;
    HostWindow& operator= (const HostWindow&) = delete;

    std::vector<Window> children() const
    {
        XSync (display, False);
        Window root = 0, parent = 0;
        Window* list = nullptr;
        unsigned int count = 0;
        std::vector<Window> result;

        if (XQueryTree (display, window, &root, &parent, &list, &count) != 0 && list != nullptr)
        {
            result.assign (list, list + count);
            XFree (list);
        }

        return result;
    }

    void* nativeView() const { return reinterpret_cast<void*> (static_cast<uintptr_t> (window)); }

    Display* const display;
    Window window = 0;
};

/** The host's automation calls for one parameter, by operation, in order. */
std::vector<std::string> automationOf (HostCallLog& calls, const std::string& parameterID)
{
    std::vector<std::string> operations;

    for (const auto& entry : calls.entries())
    {
        if (entry.find ("(\"" + parameterID + "\"") == std::string::npos)
            continue;

        for (const char* operation : { "PostTouchRequest", "PostSetValueRequest", "PostReleaseRequest" })
            if (entry.find (std::string (".") + operation + "(") != std::string::npos)
                operations.push_back (operation);
    }

    return operations;
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

    HostReference<HostViewContainer> view = makeHostObject<HostViewContainer> (host.context());
};

TEST_F (AaxGuiBridgeDisplayTest, TheEditorReportsItsFixedSize)
{
    AAX_Point size;
    ASSERT_EQ (gui->GetViewSize (&size), kAAX_Success);
    EXPECT_EQ (size.vert, (float) editorHeight);
    EXPECT_EQ (size.horz, (float) editorWidth);

    EXPECT_EQ (gui->GetViewSize (nullptr), kAAX_ErrorNullObject);
}

TEST_F (AaxGuiBridgeDisplayTest, TheEditorLivesInTheHostsWindowWhileAttached)
{
    HostWindow hostWindow;
    ASSERT_NE (hostWindow.display, nullptr);
    view->setNativeView (hostWindow.nativeView());

    ASSERT_EQ (gui->SetViewContainer (view->unknown()), kAAX_Success);

    EXPECT_TRUE (waitUntil ([&]
                            { return hostWindow.children().size() == 1; },
                            5000))
        << "the editor became a child window of the host's";
    ASSERT_FALSE (view->requestedSizes().empty());
    EXPECT_EQ (view->requestedSizes().back().vert, (float) editorHeight);
    EXPECT_EQ (view->requestedSizes().back().horz, (float) editorWidth);

    EXPECT_EQ (gui->SetViewContainer (nullptr), kAAX_Success);

    EXPECT_TRUE (waitUntil ([&]
                            { return hostWindow.children().empty(); },
                            5000))
        << "the editor left the host's window";
    AAX_Point size;
    EXPECT_EQ (gui->GetViewSize (&size), kAAX_ErrorNullObject) << "the editor was deleted with the view";

    // A new view brings a new editor.
    ASSERT_EQ (gui->SetViewContainer (view->unknown()), kAAX_Success);
    EXPECT_EQ (gui->GetViewSize (&size), kAAX_Success);
}

TEST_F (AaxGuiBridgeDisplayTest, InitialisingAgainKeepsOneEditorInTheView)
{
    HostWindow hostWindow;
    ASSERT_NE (hostWindow.display, nullptr);
    view->setNativeView (hostWindow.nativeView());
    ASSERT_EQ (gui->SetViewContainer (view->unknown()), kAAX_Success);
    ASSERT_TRUE (waitUntil ([&]
                            { return hostWindow.children().size() == 1; },
                            5000));

    ASSERT_EQ (gui->Initialize (effect->instance().unknown()), kAAX_Success);

    std::this_thread::sleep_for (std::chrono::milliseconds (200));
    EXPECT_EQ (hostWindow.children().size(), 1u);
    AAX_Point size;
    EXPECT_EQ (gui->GetViewSize (&size), kAAX_Success);
}

TEST_F (AaxGuiBridgeDisplayTest, AViewThatIsNotANativeWindowGetsNoEditorAttached)
{
    HostWindow hostWindow;
    ASSERT_NE (hostWindow.display, nullptr);
    view->setNativeView (hostWindow.nativeView());
    view->setType (2);

    ASSERT_EQ (gui->SetViewContainer (view->unknown()), kAAX_Success);

    std::this_thread::sleep_for (std::chrono::milliseconds (200));
    EXPECT_TRUE (hostWindow.children().empty());
    EXPECT_TRUE (view->requestedSizes().empty());
}

TEST_F (AaxGuiBridgeDisplayTest, HighlightsReachOnlyTheProcessorsParameters)
{
    EXPECT_EQ (gui->SetControlHighlightInfo ("MasterBypassID", 1, 0), kAAX_Success);
    EXPECT_EQ (gui->SetControlHighlightInfo ("2", 1, 3), kAAX_Success);
    EXPECT_EQ (gui->SetControlHighlightInfo ("2", 0, 77), kAAX_Success);
    EXPECT_EQ (gui->SetControlHighlightInfo ("4", 1, 0), kAAX_ErrorUnknownParameter);
    EXPECT_EQ (gui->SetControlHighlightInfo ("02", 1, 0), kAAX_ErrorUnknownParameter);
    EXPECT_EQ (gui->SetControlHighlightInfo (nullptr, 1, 0), kAAX_ErrorUnknownParameter);
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
    HostWindow hostWindow;
    ASSERT_NE (hostWindow.display, nullptr);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    ASSERT_TRUE (XTestQueryExtension (hostWindow.display, &eventBase, &errorBase, &major, &minor)) << "the X server lacks XTEST";
    view->setNativeView (hostWindow.nativeView());
    ASSERT_EQ (gui->SetViewContainer (view->unknown()), kAAX_Success);
    ASSERT_TRUE (waitUntil ([&]
                            { return hostWindow.children().size() == 1; },
                            5000));
    std::this_thread::sleep_for (std::chrono::milliseconds (300));
    const auto before = valueOf ("0");
    host.calls().clear();

    // Over the attack knob (the slider at 153, 310, 113 x 56, its text box on the right).
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates (hostWindow.display, hostWindow.window, DefaultRootWindow (hostWindow.display), 180, 338, &rootX, &rootY, &child);
    auto* display = hostWindow.display;
    const auto settle = [] (int milliseconds)
    { std::this_thread::sleep_for (std::chrono::milliseconds (milliseconds)); };

    XTestFakeMotionEvent (display, -1, rootX, rootY, CurrentTime);
    XFlush (display);
    settle (100);
    XTestFakeButtonEvent (display, 1, True, CurrentTime);
    XFlush (display);
    settle (100);

    for (int step = 1; step <= 8; ++step)
    {
        XTestFakeMotionEvent (display, -1, rootX, rootY - step * 8, CurrentTime);
        XFlush (display);
        settle (40);
    }

    XTestFakeButtonEvent (display, 1, False, CurrentTime);
    XFlush (display);

    // Every value request is wrapped in a touch and a release of its own; the gesture's
    // release is the one that leaves the touches and releases even after the last value.
    waitUntil ([&]
               {
                   const auto seen = automationOf (host.calls(), "0");
                   const auto touches = std::count (seen.begin(), seen.end(), "PostTouchRequest");
                   const auto releases = std::count (seen.begin(), seen.end(), "PostReleaseRequest");
                   return touches > 1 && touches == releases; },
               3000);

    const auto operations = automationOf (host.calls(), "0");
    ASSERT_GE (operations.size(), 3u);
    EXPECT_EQ (operations.front(), "PostTouchRequest");
    EXPECT_THAT (operations, Contains ("PostSetValueRequest"));
    EXPECT_EQ (operations.back(), "PostReleaseRequest");

    EXPECT_EQ (effect->deliverPending() > 0, true);
    EXPECT_GT (valueOf ("0"), before) << "the host's answer reached the processor";
}
} // namespace
