#include "look/BrellickLookAndFeel.h"

#include "look/AltLookAndFeel_transparentButton.h"
#include "look/PostedMessages.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace
{
using SharedLook = KestruneAudioProcessor::BrellickLookAndFeel;

SharedLook* sharedDefaultLook()
{
    return dynamic_cast<SharedLook*> (&juce::LookAndFeel::getDefaultLookAndFeel());
}

juce::String faceNameOf (const juce::Font& font) { return font.getTypefacePtr()->getName(); }

juce::String defaultSansFaceName() { return faceNameOf (juce::Font (14.0f)); }

juce::String serifFaceName() { return faceNameOf (juce::Font (juce::Font::getDefaultSerifFontName(), 14.0f, juce::Font::plain)); }
} // namespace

TEST (BrellickLookAndFeelTest, DefaultSansFaceIsRobotoExactlyWhileAProcessorLives)
{
    // Resolved before any processor exists, so the framework has cached it.
    ASSERT_NE (defaultSansFaceName(), "Roboto");
    ASSERT_NE (serifFaceName(), "Roboto");

    {
        KestruneAudioProcessor processor;
        EXPECT_EQ (defaultSansFaceName(), "Roboto");
        EXPECT_EQ (faceNameOf (juce::Font (juce::Font::getDefaultSansSerifFontName(), 20.0f, juce::Font::bold)), "Roboto");
        EXPECT_NE (serifFaceName(), "Roboto");
        EXPECT_NE (faceNameOf (juce::Font (juce::Font::getDefaultMonospacedFontName(), 12.0f, juce::Font::plain)), "Roboto");

        // A label, which asks the default look for its font, is set in Roboto.
        juce::Label label ({}, "I/O config");
        EXPECT_EQ (faceNameOf (label.getLookAndFeel().getLabelFont (label)), "Roboto");
    }

    EXPECT_NE (defaultSansFaceName(), "Roboto");
    EXPECT_NE (serifFaceName(), "Roboto");
}

TEST (BrellickLookAndFeelTest, TwoProcessorsShareOneLookAndTheFrameworksDefaultReturnsAfterBoth)
{
    ASSERT_EQ (sharedDefaultLook(), nullptr);

    auto first = std::make_unique<KestruneAudioProcessor>();
    auto* look = sharedDefaultLook();
    ASSERT_NE (look, nullptr);

    auto second = std::make_unique<KestruneAudioProcessor>();
    EXPECT_EQ (sharedDefaultLook(), look);

    first.reset();
    EXPECT_EQ (sharedDefaultLook(), look) << "the second processor keeps the look";
    EXPECT_EQ (defaultSansFaceName(), "Roboto");

    second.reset();
    EXPECT_EQ (sharedDefaultLook(), nullptr);
    EXPECT_EQ (dynamic_cast<AltLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel()), nullptr);
    EXPECT_NE (defaultSansFaceName(), "Roboto");
}

TEST (BrellickLookAndFeelTest, ProcessorMadeAfterTheLastWentAwayInstallsTheLookAgain)
{
    for (int round = 0; round < 3; ++round)
    {
        ASSERT_EQ (sharedDefaultLook(), nullptr);
        KestruneAudioProcessor processor;
        ASSERT_NE (sharedDefaultLook(), nullptr) << "round " << round;
        EXPECT_EQ (defaultSansFaceName(), "Roboto");
    }

    EXPECT_EQ (sharedDefaultLook(), nullptr);
}

TEST (BrellickLookAndFeelTest, ComponentsWithoutALookUseTheSharedOneAndOthersKeepTheirs)
{
    KestruneAudioProcessor processor;
    AltLookAndFeel_transparentButton ownLook;

    juce::ComboBox box;
    juce::TextButton button;
    button.setLookAndFeel (&ownLook);

    EXPECT_EQ (&box.getLookAndFeel(), sharedDefaultLook());
    EXPECT_EQ (box.findColour (juce::ComboBox::outlineColourId), juce::Colours::whitesmoke);
    EXPECT_EQ (&button.getLookAndFeel(), &ownLook);

    button.setLookAndFeel (nullptr);
}

TEST (BrellickLookAndFeelTest, ProcessorMadeOnAHostThreadInstallsTheLookOnTheMessageThread)
{
    std::unique_ptr<KestruneAudioProcessor> processor;
    std::thread ([&]
                 { processor = std::make_unique<KestruneAudioProcessor>(); })
        .join();

    EXPECT_EQ (sharedDefaultLook(), nullptr) << "not yet: only the message thread may install it";
    runPostedMessages();
    EXPECT_NE (sharedDefaultLook(), nullptr);
    EXPECT_EQ (defaultSansFaceName(), "Roboto");

    std::thread ([&]
                 { processor.reset(); })
        .join();
    runPostedMessages();
    EXPECT_EQ (sharedDefaultLook(), nullptr);
    EXPECT_NE (defaultSansFaceName(), "Roboto");
}
