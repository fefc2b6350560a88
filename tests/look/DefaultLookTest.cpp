#include "look/DefaultLook.h"

#include "look/AltLookAndFeel.h"

#include <gtest/gtest.h>

#include <thread>

namespace juce
{
// The framework's own step of its message loop: dispatches one posted
// message, or returns false at once when there is none.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace
{
void runPostedMessages()
{
    while (juce::dispatchNextMessageOnSystemQueue (true))
    {
    }
}

juce::String defaultSansFaceName()
{
    return juce::Font (14.0f).getTypefacePtr()->getName();
}

bool isDefault (const juce::LookAndFeel& look)
{
    return &juce::LookAndFeel::getDefaultLookAndFeel() == &look;
}

template <typename Function>
void onAnotherThread (Function function)
{
    std::thread thread (function);
    thread.join();
}
} // namespace

TEST (DefaultLookTest, InstalledLookResolvesFontsResolvedBeforeItAgain)
{
    runPostedMessages();
    ASSERT_NE (defaultSansFaceName(), "Roboto") << "resolved before the look is installed";

    AltLookAndFeel look;
    DefaultLook::install (look);
    EXPECT_TRUE (isDefault (look));
    EXPECT_EQ (defaultSansFaceName(), "Roboto");
    EXPECT_EQ (juce::Font (juce::Font::getDefaultSansSerifFontName(), 20.0f, juce::Font::bold).getTypefaceName(), juce::Font::getDefaultSansSerifFontName());
    EXPECT_NE (juce::Font (juce::Font::getDefaultSerifFontName(), 14.0f, juce::Font::plain).getTypefacePtr()->getName(), "Roboto");

    DefaultLook::remove (look);
    EXPECT_FALSE (isDefault (look));
    EXPECT_NE (defaultSansFaceName(), "Roboto");
}

TEST (DefaultLookTest, RemovingALookThatIsNotTheDefaultLeavesTheDefaultAlone)
{
    AltLookAndFeel installed, other;
    DefaultLook::install (installed);
    DefaultLook::remove (other);
    EXPECT_TRUE (isDefault (installed));
    DefaultLook::remove (installed);
    EXPECT_FALSE (isDefault (installed));
}

TEST (DefaultLookTest, LookMadeOnAnotherThreadIsInstalledOnTheMessageThread)
{
    AltLookAndFeel look;
    onAnotherThread ([&]
                     { DefaultLook::install (look); });

    EXPECT_TRUE (DefaultLook::isPending (look));
    EXPECT_FALSE (isDefault (look));

    runPostedMessages();
    EXPECT_FALSE (DefaultLook::isPending (look));
    EXPECT_TRUE (isDefault (look));
    EXPECT_EQ (defaultSansFaceName(), "Roboto");

    DefaultLook::remove (look);
    EXPECT_FALSE (isDefault (look));
}

TEST (DefaultLookTest, LookRemovedBeforeTheMessageThreadGotToItIsNeverInstalled)
{
    {
        AltLookAndFeel look;
        onAnotherThread ([&]
                         { DefaultLook::install (look); });
        onAnotherThread ([&]
                         { DefaultLook::remove (look); });
        EXPECT_FALSE (DefaultLook::isPending (look));
    }

    runPostedMessages();
    EXPECT_NE (defaultSansFaceName(), "Roboto");
}

TEST (DefaultLookTest, LookRemovedOnAnotherThreadLeavesTheFrameworksDefault)
{
    {
        AltLookAndFeel look;
        DefaultLook::install (look);
        ASSERT_EQ (defaultSansFaceName(), "Roboto");
        onAnotherThread ([&]
                         { DefaultLook::remove (look); });
    }

    runPostedMessages();
    EXPECT_NE (defaultSansFaceName(), "Roboto");
    EXPECT_EQ (dynamic_cast<AltLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel()), nullptr);
}
