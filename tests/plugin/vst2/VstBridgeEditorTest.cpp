// The editor as a host shows it: JUCE's hosting code opens it in a window of its own
// under a virtual X display, the test reads the pixels back from the X server and
// moves the mouse with the XTEST extension.

#include "tests/plugin/vst2/HostedQuorvel.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace juce
{
// Part of JUCE's Linux message loop (juce_events), not declared in a public header.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

using namespace quorvel::test;

namespace
{
constexpr int editorWidth = 435;
constexpr int editorHeight = 373;

// How long to wait for what the plug-in's window does in its own time: long, as the
// limit only ends a test that would otherwise hang on a loaded machine.
constexpr int patience = 20000;

bool hasDisplay() { return std::getenv ("QUORVEL_TEST_DISPLAY") != nullptr; }

/** Runs the host's message loop (which drives the editor's idle calls) until done() or the time is up. */
bool pumpUntil (const std::function<bool()>& done, int milliseconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds (milliseconds);

    while (std::chrono::steady_clock::now() < deadline)
    {
        if (done && done())
            return true;

        if (! juce::dispatchNextMessageOnSystemQueue (true))
            std::this_thread::sleep_for (std::chrono::milliseconds (2));
    }

    return done && done();
}

void pumpFor (int milliseconds) { pumpUntil ({}, milliseconds); }

/** The test's own connection to the X server. */
class XConnection
{
public:
    XConnection()
        : display (XOpenDisplay (nullptr))
    {
    }
    ~XConnection()
    {
        if (display != nullptr)
            XCloseDisplay (display);
    }

    std::vector<Window> childrenOf (Window window) const
    {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        std::vector<Window> result;

        if (XQueryTree (display, window, &root, &parent, &children, &count) != 0 && children != nullptr)
        {
            result.assign (children, children + count);
            XFree (children);
        }

        return result;
    }

    /** The picture of a window as the X server holds it, or an invalid image. */
    juce::Image grab (Window window) const
    {
        XWindowAttributes attributes {};

        if (XGetWindowAttributes (display, window, &attributes) == 0 || attributes.map_state != IsViewable)
            return {};

        auto* picture = XGetImage (display, window, 0, 0, (unsigned) attributes.width, (unsigned) attributes.height, AllPlanes, ZPixmap);

        if (picture == nullptr)
            return {};

        juce::Image image (juce::Image::RGB, attributes.width, attributes.height, false);

        for (int y = 0; y < attributes.height; ++y)
            for (int x = 0; x < attributes.width; ++x)
                image.setPixelAt (x, y, juce::Colour ((juce::uint32) XGetPixel (picture, x, y) | 0xff000000u));

        XDestroyImage (picture);
        return image;
    }

    Display* const display;
};

/** Not blank: many colours, and no single colour covers nine tenths of it. */
bool looksDrawn (const juce::Image& image)
{
    if (! image.isValid())
        return false;

    std::map<juce::uint32, int> counts;

    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            ++counts[image.getPixelAt (x, y).getARGB()];

    int largest = 0;

    for (const auto& entry : counts)
        largest = std::max (largest, entry.second);

    return counts.size() >= 64 && largest < image.getWidth() * image.getHeight() * 9 / 10;
}

/** Leaves the picture in the build folder for a person to look at, wherever the test runs from. */
void savePicture (const juce::Image& image, const juce::String& name)
{
    juce::File file (juce::File (QUORVEL_TEST_OUTPUT_DIR).getChildFile (name));
    file.deleteFile();

    if (auto stream = file.createOutputStream())
        juce::PNGImageFormat().writeImageToStream (image, *stream);
}

/** A host's editor window for the plug-in, shown on the desktop. */
struct ShownEditor
{
    explicit ShownEditor (juce::AudioPluginInstance& plugin)
        : editor (plugin.createEditorIfNeeded())
    {
        if (editor != nullptr)
        {
            editor->setTopLeftPosition (40, 40);
            editor->setVisible (true);
            editor->addToDesktop (0);
        }
    }

    Window hostWindow() const { return (Window) (juce::pointer_sized_uint) editor->getWindowHandle(); }

    std::unique_ptr<juce::AudioProcessorEditor> editor;
};

Window findPluginWindow (const XConnection& x, Window hostWindow)
{
    const auto children = x.childrenOf (hostWindow);
    return children.size() == 1 ? children.front() : 0;
}

/** The plug-in loaded by the host, with the test's own connection to the display. */
class VstBridgeEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (! hasDisplay())
            GTEST_SKIP() << "needs the virtual display named by QUORVEL_TEST_DISPLAY";

        ASSERT_NE (x.display, nullptr);
        plugin = loadQuorvel (48000.0, 512);
        ASSERT_NE (plugin, nullptr);
    }

    /** The window the plug-in puts into the host's, once it is there; 0 when it never comes. */
    Window waitForPluginWindow (const ShownEditor& shown) const
    {
        Window pluginWindow = 0;
        pumpUntil ([&]
                   { return (pluginWindow = findPluginWindow (x, shown.hostWindow())) != 0; },
                   patience);
        return pluginWindow;
    }

    XConnection x;
    std::unique_ptr<juce::AudioPluginInstance> plugin;
};
} // namespace

TEST_F (VstBridgeEditorTest, HostShowsTheEditorDrawnInItsWindow)
{
    plugin->prepareToPlay (48000.0, 512);

    ShownEditor shown (*plugin);
    ASSERT_NE (shown.editor, nullptr);
    EXPECT_EQ (shown.editor->getWidth(), editorWidth);
    EXPECT_EQ (shown.editor->getHeight(), editorHeight);

    const Window pluginWindow = waitForPluginWindow (shown);
    ASSERT_NE (pluginWindow, 0u) << "the plug-in put no window into the host's";

    XWindowAttributes attributes {};
    ASSERT_NE (XGetWindowAttributes (x.display, pluginWindow, &attributes), 0);
    EXPECT_EQ (attributes.width, editorWidth);
    EXPECT_EQ (attributes.height, editorHeight);

    juce::Image picture;
    EXPECT_TRUE (pumpUntil ([&]
                            { return looksDrawn (picture = x.grab (pluginWindow)); },
                            patience))
        << "the editor's window stayed blank";
    ASSERT_TRUE (picture.isValid());
    EXPECT_EQ (picture.getWidth(), editorWidth);
    EXPECT_EQ (picture.getHeight(), editorHeight);
    savePicture (picture, "quorvel-editor.png");

    shown.editor.reset();
    pumpFor (100);
    plugin->releaseResources();
}

TEST_F (VstBridgeEditorTest, ClosingAndReopeningLeavesNoWindowBehind)
{
    for (int round = 0; round < 3; ++round)
    {
        SCOPED_TRACE (round);
        ShownEditor shown (*plugin);
        ASSERT_NE (shown.editor, nullptr);

        const Window pluginWindow = waitForPluginWindow (shown);
        ASSERT_NE (pluginWindow, 0u);
        EXPECT_TRUE (pumpUntil ([&]
                                { return looksDrawn (x.grab (pluginWindow)); },
                                patience));

        shown.editor.reset();

        // The plug-in's window goes from the server (asking about it is then an error).
        EXPECT_TRUE (pumpUntil ([&]
                                {
                                    XSync (x.display, False);
                                    XWindowAttributes attributes {};
                                    return XGetWindowAttributes (x.display, pluginWindow, &attributes) == 0; },
                                patience));
    }

    // The audio side is unaffected by the editor's comings and goings.
    plugin->prepareToPlay (48000.0, 512);
    EXPECT_EQ (plugin->getLatencySamples(), 48);
    plugin->releaseResources();
}

TEST_F (VstBridgeEditorTest, DraggingAKnobSendsAutomationBetweenBeginAndEndOfEdit)
{
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    ASSERT_TRUE (XTestQueryExtension (x.display, &eventBase, &errorBase, &major, &minor)) << "the X server lacks XTEST";
    auto* attack = plugin->getParameters()[0];
    const auto initialValue = attack->getValue();

    struct Recorder : juce::AudioProcessorParameter::Listener
    {
        void parameterValueChanged (int index, float value) override { add (index == 0 ? "value " + juce::String (value) : "other"); }
        void parameterGestureChanged (int index, bool starting) override { add (index == 0 ? (starting ? "begin" : "end") : "other"); }

        void add (const juce::String& event)
        {
            const std::lock_guard<std::mutex> lock (mutex);
            events.add (event);
        }

        juce::StringArray get()
        {
            const std::lock_guard<std::mutex> lock (mutex);
            return events;
        }

        std::mutex mutex;
        juce::StringArray events;
    } recorder;

    attack->addListener (&recorder);

    {
        ShownEditor shown (*plugin);
        ASSERT_NE (shown.editor, nullptr);
        const Window pluginWindow = waitForPluginWindow (shown);
        ASSERT_NE (pluginWindow, 0u);
        ASSERT_TRUE (pumpUntil ([&]
                                { return looksDrawn (x.grab (pluginWindow)); },
                                patience));

        // Over the attack knob (the slider at 153, 310, 113 x 56, its text box on the right).
        int rootX = 0, rootY = 0;
        Window child = 0;
        XTranslateCoordinates (x.display, pluginWindow, DefaultRootWindow (x.display), 180, 338, &rootX, &rootY, &child);

        XTestFakeMotionEvent (x.display, -1, rootX, rootY, CurrentTime);
        XFlush (x.display);
        pumpFor (100);
        XTestFakeButtonEvent (x.display, 1, True, CurrentTime);
        XFlush (x.display);
        pumpFor (100);

        for (int step = 1; step <= 8; ++step)
        {
            XTestFakeMotionEvent (x.display, -1, rootX, rootY - step * 8, CurrentTime);
            XFlush (x.display);
            pumpFor (40);
        }

        XTestFakeButtonEvent (x.display, 1, False, CurrentTime);
        XFlush (x.display);
        pumpUntil ([&]
                   { return recorder.get().contains ("end"); },
                   patience);

        shown.editor.reset();
        pumpFor (50);
    }

    attack->removeListener (&recorder);
    const auto events = recorder.get();

    ASSERT_GE (events.size(), 3) << events.joinIntoString (", ");
    EXPECT_EQ (events[0], "begin") << events.joinIntoString (", ");
    EXPECT_EQ (events[events.size() - 1], "end") << events.joinIntoString (", ");
    EXPECT_FALSE (events.contains ("other")) << events.joinIntoString (", ");
    EXPECT_EQ (events.indexOf ("end"), events.size() - 1) << events.joinIntoString (", ");
    EXPECT_GT (attack->getValue(), initialValue);
}
