// The look that every plug-in instance in the process shares, and the default
// look the framework draws with while it lives: made and dropped by processors
// on the message thread and on host threads.

#include "look/BrellickLookAndFeel.h"

#include "look/AltLookAndFeel_transparentButton.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace juce
{
// The framework's own step of its message loop, not declared in a public header.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace
{
using SharedLook = KestruneAudioProcessor::BrellickLookAndFeel;

SharedLook* sharedDefaultLook() { return dynamic_cast<SharedLook*> (&juce::LookAndFeel::getDefaultLookAndFeel()); }

juce::String faceOf (const juce::Font& font) { return font.getTypefacePtr()->getName(); }

bool sansIsRoboto() { return faceOf (juce::Font (14.0f)) == "Roboto"; }

/** Runs what other threads have posted to the message thread (this one), as a host's loop would. */
void runPostedMessages()
{
    while (juce::dispatchNextMessageOnSystemQueue (true))
    {
    }
}

template <typename Function>
void onAHostThread (Function function)
{
    std::thread (function).join();
}
} // namespace

TEST (BrellickLookAndFeelTest, ProcessorsShareOneLookThatSetsTheDefaultSansFaceInRobotoUntilTheLastGoes)
{
    // Resolved before any processor exists, so the framework has cached another face.
    ASSERT_FALSE (sansIsRoboto());
    ASSERT_EQ (sharedDefaultLook(), nullptr);

    auto first = std::make_unique<KestruneAudioProcessor>();
    auto* look = sharedDefaultLook();
    ASSERT_NE (look, nullptr);
    EXPECT_TRUE (sansIsRoboto());
    EXPECT_EQ (faceOf (juce::Font (juce::Font::getDefaultSansSerifFontName(), 20.0f, juce::Font::bold)), "Roboto");
    EXPECT_NE (faceOf (juce::Font (juce::Font::getDefaultSerifFontName(), 14.0f, juce::Font::plain)), "Roboto");
    EXPECT_NE (faceOf (juce::Font (juce::Font::getDefaultMonospacedFontName(), 12.0f, juce::Font::plain)), "Roboto");

    // Components without a look of their own, such as a label, take the shared one; the others keep theirs.
    juce::Label label ({}, "I/O config");
    juce::TextButton button;
    AltLookAndFeel_transparentButton ownLook;
    button.setLookAndFeel (&ownLook);
    EXPECT_EQ (&label.getLookAndFeel(), look);
    EXPECT_EQ (faceOf (label.getLookAndFeel().getLabelFont (label)), "Roboto");
    EXPECT_EQ (&button.getLookAndFeel(), &ownLook);
    button.setLookAndFeel (nullptr);

    auto second = std::make_unique<KestruneAudioProcessor>();
    EXPECT_EQ (sharedDefaultLook(), look);
    first.reset();
    EXPECT_EQ (sharedDefaultLook(), look) << "the second processor keeps it";
    second.reset();
    EXPECT_EQ (dynamic_cast<AltLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel()), nullptr);
    EXPECT_FALSE (sansIsRoboto());

    for (int round = 0; round < 2; ++round)
    {
        KestruneAudioProcessor again;
        EXPECT_NE (sharedDefaultLook(), nullptr) << round;
        EXPECT_TRUE (sansIsRoboto());
    }

    EXPECT_EQ (sharedDefaultLook(), nullptr);
}

TEST (BrellickLookAndFeelTest, OnAHostThreadTheLookChangesOnlyOnTheMessageThread)
{
    std::unique_ptr<KestruneAudioProcessor> processor;
    onAHostThread ([&]
                   { processor = std::make_unique<KestruneAudioProcessor>(); });

    EXPECT_EQ (sharedDefaultLook(), nullptr) << "not until the message thread runs";
    runPostedMessages();
    EXPECT_NE (sharedDefaultLook(), nullptr);
    EXPECT_TRUE (sansIsRoboto());

    onAHostThread ([&]
                   { processor.reset(); });
    runPostedMessages();
    EXPECT_EQ (sharedDefaultLook(), nullptr);
    EXPECT_FALSE (sansIsRoboto());

    // Made and dropped before the message thread got to it: never installed.
    onAHostThread ([&]
                   { processor = std::make_unique<KestruneAudioProcessor>(); });
    onAHostThread ([&]
                   { processor.reset(); });
    runPostedMessages();
    EXPECT_EQ (dynamic_cast<AltLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel()), nullptr);
    EXPECT_FALSE (sansIsRoboto());
}

TEST (DefaultLookTest, RemovingALookThatIsNotTheDefaultLeavesTheDefaultAlone)
{
    AltLookAndFeel installed, other;
    DefaultLook::install (installed);
    DefaultLook::remove (other);
    EXPECT_EQ (&juce::LookAndFeel::getDefaultLookAndFeel(), &installed);

    onAHostThread ([&]
                   { DefaultLook::install (other); });
    EXPECT_TRUE (DefaultLook::isPending (other));
    DefaultLook::remove (other);
    EXPECT_FALSE (DefaultLook::isPending (other));

    DefaultLook::remove (installed);
    runPostedMessages();
    EXPECT_NE (&juce::LookAndFeel::getDefaultLookAndFeel(), &installed);
}
