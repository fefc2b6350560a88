#include "gui/WelcomeGUI.h"
#include "gui/GuiTestSupport.h"
#include "processor/KestruneAudioProcessor.h"
#include "resources/BinaryData.h"

#include <gtest/gtest.h>

using quorvel::test::clickAt;
using quorvel::test::findChild;

namespace
{
class WelcomeGUITest : public ::testing::Test
{
protected:
    // Holds the shared look, as in the plug-in.
    KestruneAudioProcessor processor;
};

int channelError (juce::uint8 actual, float expected)
{
    return std::abs ((int) actual - juce::roundToInt (expected));
}
} // namespace

TEST_F (WelcomeGUITest, BuildsItsChildrenInStackingOrder)
{
    WelcomeGUI panel;
    EXPECT_EQ (panel.getBounds(), juce::Rectangle<int> (0, 0, 435, 373));
    ASSERT_EQ (panel.getNumChildComponents(), 3);

    auto* title = dynamic_cast<juce::Label*> (panel.getChildComponent (0));
    ASSERT_NE (title, nullptr);
    EXPECT_EQ (title->getName(), "labelTitle");
    EXPECT_EQ (title->getText(), "Quorvel v1.0");
    EXPECT_EQ (title->getBounds(), juce::Rectangle<int> (121, 83, 175, 52));

    EXPECT_EQ (panel.getChildComponent (1)->getName(), "closeButton");
    EXPECT_EQ (panel.getChildComponent (1)->getBounds(), juce::Rectangle<int> (0, 0, 435, 373));

    auto* link = dynamic_cast<juce::HyperlinkButton*> (panel.getChildComponent (2));
    ASSERT_NE (link, nullptr);
    EXPECT_EQ (link->getBounds(), juce::Rectangle<int> (103, 268, 212, 22));
    EXPECT_EQ (link->getButtonText(), "https://www.example.com/quorvel");
    EXPECT_EQ (link->getName(), link->getButtonText());
    EXPECT_EQ (link->getURL().toString (false), "https://www.example.com/quorvel");
}

TEST_F (WelcomeGUITest, DrawsTheCardAt80PercentOverWhatLiesBelow)
{
    WelcomeGUI panel;
    const juce::Colour below (0xFF204060);
    const auto image = quorvel::test::renderOwnPaint (panel, below);

    const auto card = juce::ImageCache::getFromMemory (BinaryData::welcome_png, BinaryData::welcome_pngSize);
    ASSERT_EQ (card.getWidth(), 220);
    ASSERT_EQ (card.getHeight(), 280);

    int worst = 0;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto actual = image.getPixelAt (x, y);
            auto expected = below;

            if (juce::Rectangle<int> (99, 30, 220, 280).contains (x, y))
            {
                const auto source = card.getPixelAt (x - 99, y - 30);
                expected = below.interpolatedWith (source.withAlpha (1.0f), source.getFloatAlpha() * 0.8f);
            }

            worst = std::max ({ worst,
                                channelError (actual.getRed(), expected.getFloatRed() * 255.0f),
                                channelError (actual.getGreen(), expected.getFloatGreen() * 255.0f),
                                channelError (actual.getBlue(), expected.getFloatBlue() * 255.0f) });
        }

    EXPECT_LE (worst, 2);

    // The card must actually differ from the background somewhere.
    EXPECT_NE (image.getPixelAt (99 + 110, 30 + 140), below);
}

TEST_F (WelcomeGUITest, AClickAnywhereButTheLinkHidesThePanel)
{
    WelcomeGUI panel;
    auto* closeButton = findChild (panel, "closeButton");
    auto* link = panel.getChildComponent (2);
    ASSERT_NE (closeButton, nullptr);

    int clicks = 0;
    for (int y = 1; y < 373; y += 24)
        for (int x = 1; x < 435; x += 24)
        {
            const juce::Point<int> point (x, y);

            // The link would open a browser: it is never clicked here.
            if (link->getBounds().contains (point))
                continue;

            panel.setVisible (true);
            ASSERT_EQ (clickAt (panel, point), closeButton) << point.toString();
            ASSERT_FALSE (panel.isVisible()) << point.toString();
            ++clicks;
        }

    EXPECT_GT (clicks, 200);

    // The title lies under the close button.
    panel.setVisible (true);
    EXPECT_EQ (clickAt (panel, { 200, 100 }), closeButton);
    EXPECT_FALSE (panel.isVisible());
}

TEST_F (WelcomeGUITest, TheWholeAddressFitsTheLink)
{
    WelcomeGUI panel;
    auto* link = dynamic_cast<juce::HyperlinkButton*> (panel.getChildComponent (2));
    ASSERT_NE (link, nullptr);

    // The framework sizes the link's text to 70 % of its height and cuts what does
    // not fit inside one pixel of margin on each side.
    // The plug-in's own face, which the shared look gives every default font.
    juce::Font font (juce::Typeface::createSystemTypefaceFor (BinaryData::Roboto_ttf, BinaryData::Roboto_ttfSize));
    font.setHeight ((float) link->getHeight() * 0.7f);
    EXPECT_LE (font.getStringWidthFloat (link->getButtonText()), (float) (link->getWidth() - 2));

    // Centred on the card, and inside it.
    EXPECT_EQ (link->getBounds().getCentreX(), WelcomeGUI::getCardBounds().getCentreX());
    EXPECT_TRUE (WelcomeGUI::getCardBounds().contains (link->getBounds()));
}

TEST_F (WelcomeGUITest, TheLinkLiesAboveTheCloseButton)
{
    WelcomeGUI panel;
    panel.setVisible (true);
    auto* link = panel.getChildComponent (2);

    for (auto point : { juce::Point<int> (104, 269), juce::Point<int> (209, 279), juce::Point<int> (314, 289) })
        EXPECT_EQ (panel.getComponentAt (point), link) << point.toString();
}

TEST_F (WelcomeGUITest, OtherButtonsAreIgnored)
{
    WelcomeGUI panel;
    panel.setVisible (true);
    juce::TextButton otherButton;
    panel.buttonClicked (&otherButton);
    EXPECT_TRUE (panel.isVisible());
}
