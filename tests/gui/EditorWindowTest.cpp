#include "gui/KestruneAudioProcessorEditor.h"
#include "processor/KestruneAudioProcessor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <dlfcn.h>
#include <set>

namespace
{
const char* testDisplay()
{
    const char* display = std::getenv ("QUORVEL_TEST_DISPLAY");
    return display != nullptr && *display != 0 ? display : nullptr;
}

/** Hosts install an X error handler of their own, and the framework leaves that to
    the host when it runs as a plug-in. Without one, Xlib ends the process at the first
    error, such as a window-manager atom that a bare virtual display does not know
    yet. This stands in for the host's handler. */
void installHostXErrorHandler()
{
    using ErrorHandler = int (*) (void*, void*);
    using SetErrorHandler = ErrorHandler (*) (ErrorHandler);

    // The library the framework loads too; it stays loaded for the process.
    if (void* x11 = dlopen ("libX11.so.6", RTLD_LAZY | RTLD_GLOBAL))
        if (auto setErrorHandler = reinterpret_cast<SetErrorHandler> (dlsym (x11, "XSetErrorHandler")))
            setErrorHandler ([] (void*, void*)
                             { return 0; });
}

/** Runs the message loop for a while, so that the window gets mapped and painted. */
void runMessageLoopFor (int milliseconds)
{
    juce::Timer::callAfterDelay (milliseconds, []
                                 { juce::MessageManager::getInstance()->stopDispatchLoop(); });
    juce::MessageManager::getInstance()->runDispatchLoop();
}
} // namespace

TEST (EditorWindowTest, OpensInARealWindowAndShowsItsFace)
{
    if (testDisplay() == nullptr)
        GTEST_SKIP() << "QUORVEL_TEST_DISPLAY is not set";

    installHostXErrorHandler();

    KestruneAudioProcessor processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
    ASSERT_NE (editor, nullptr);

    editor->setOpaque (true);
    editor->addToDesktop (0);
    editor->setVisible (true);
    runMessageLoopFor (500);

    auto* peer = editor->getPeer();
    ASSERT_NE (peer, nullptr);
    EXPECT_TRUE (editor->isShowing());
    EXPECT_EQ (peer->getBounds().getWidth(), 435);
    EXPECT_EQ (peer->getBounds().getHeight(), 373);

    const auto grab = editor->createComponentSnapshot (editor->getLocalBounds());
    ASSERT_EQ (grab.getWidth(), 435);
    ASSERT_EQ (grab.getHeight(), 373);

    // Not blank: the face shows many colours, and not only black.
    std::set<juce::uint32> colours;
    int nonBlack = 0;
    for (int y = 0; y < grab.getHeight(); y += 3)
        for (int x = 0; x < grab.getWidth(); x += 3)
        {
            const auto pixel = grab.getPixelAt (x, y);
            colours.insert (pixel.getARGB());
            nonBlack += pixel.getBrightness() > 0.05f ? 1 : 0;
        }

    EXPECT_GT (colours.size(), 50u);
    EXPECT_GT (nonBlack, 1000);

    editor->removeFromDesktop();
}

// Its own main: the display must be chosen before the framework starts.
int main (int argc, char** argv)
{
    if (const char* display = testDisplay())
        setenv ("DISPLAY", display, 1);
    else
        unsetenv ("DISPLAY");

    const juce::ScopedJuceInitialiser_GUI juceRunning;
    ::testing::InitGoogleTest (&argc, argv);
    return RUN_ALL_TESTS();
}
