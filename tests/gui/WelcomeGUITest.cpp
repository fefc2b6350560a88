#include "gui/WelcomeGUI.h"
#include "gui/GuiTestSupport.h"
#include "processor/KestruneAudioProcessor.h"
#include "resources/BinaryData.h"

#include <gtest/gtest.h>

using namespace quorvel::test;

namespace
{
class WelcomeGUITest : public ::testing::Test
{
protected:
    KestruneAudioProcessor processor; // holds the shared look, as in the plug-in
    WelcomeGUI panel;
    juce::Component& closeButton = *findChild (panel, "closeButton");
    juce::HyperlinkButton& link = *dynamic_cast<juce::HyperlinkButton*> (panel.getChildComponent (2));
};
} // namespace

TEST_F (WelcomeGUITest, ShowsTheTitleUnderTheCloseButtonAndTheWholeLinkAboveIt)
{
    EXPECT_EQ (panel.getBounds(), juce::Rectangle<int> (0, 0, 435, 373));
    ASSERT_EQ (panel.getNumChildComponents(), 3);

    auto& title = *dynamic_cast<juce::Label*> (panel.getChildComponent (0));
    EXPECT_EQ (title.getText(), "Quorvel v1.0");
    EXPECT_EQ (title.getBounds(), juce::Rectangle<int> (121, 83, 175, 52));
    EXPECT_NEAR (drawnBounds (render (title)).getCentreX(), 87, 2) << "centred";
    EXPECT_EQ (&closeButton, panel.getChildComponent (1));
    EXPECT_EQ (closeButton.getBounds(), panel.getLocalBounds());

    EXPECT_EQ (link.getButtonText(), "https://www.example.com/quorvel");
    EXPECT_EQ (link.getURL().toString (false), link.getButtonText());
    EXPECT_EQ (link.getBounds(), juce::Rectangle<int> (103, 268, 212, 22));

    // The framework sets the link's text at 70 % of its height, in the shared look's Roboto,
    // and cuts what does not fit inside one pixel of margin on each side.
    juce::Font font (juce::Typeface::createSystemTypefaceFor (BinaryData::Roboto_ttf, BinaryData::Roboto_ttfSize));
    font.setHeight ((float) link.getHeight() * 0.7f);
    EXPECT_LE (font.getStringWidthFloat (link.getButtonText()), (float) (link.getWidth() - 2));
}

TEST_F (WelcomeGUITest, DrawsTheCardAt80PercentOverWhatLiesBelow)
{
    const juce::Colour below (0xFF204060);
    const auto card = juce::ImageCache::getFromMemory (BinaryData::welcome_png, BinaryData::welcome_pngSize);
    const auto image = render (panel, below, false);

    int worst = 0;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
        {
            auto expected = below;

            if (juce::Rectangle<int> (99, 30, 220, 280).contains (x, y))
            {
                const auto source = card.getPixelAt (x - 99, y - 30);
                expected = below.interpolatedWith (source.withAlpha (1.0f), source.getFloatAlpha() * 0.8f);
            }

            const auto actual = image.getPixelAt (x, y);
            for (auto [a, e] : { std::pair (actual.getRed(), expected.getRed()), std::pair (actual.getGreen(), expected.getGreen()), std::pair (actual.getBlue(), expected.getBlue()) })
                worst = std::max (worst, std::abs ((int) a - (int) e));
        }

    EXPECT_LE (worst, 2);
    EXPECT_NE (image.getPixelAt (209, 170), below) << "the card shows";
}

TEST_F (WelcomeGUITest, AClickAnywhereButOnTheLinkHidesThePanel)
{
    // The corners, the title (which lies under the close button), the card and the editor beside it.
    for (auto point : { juce::Point<int> (1, 1), juce::Point<int> (433, 371), juce::Point<int> (200, 100), juce::Point<int> (209, 170), juce::Point<int> (50, 300), juce::Point<int> (209, 300) })
    {
        panel.setVisible (true);
        EXPECT_EQ (clickAt (panel, point), &closeButton) << point.toString();
        EXPECT_FALSE (panel.isVisible()) << point.toString();
    }

    // The link, which would open a browser, is never clicked here.
    panel.setVisible (true);
    for (auto point : { juce::Point<int> (104, 269), juce::Point<int> (209, 279), juce::Point<int> (314, 289) })
        EXPECT_EQ (panel.getComponentAt (point), &link) << point.toString();

    juce::TextButton otherButton;
    panel.buttonClicked (&otherButton);
    EXPECT_TRUE (panel.isVisible());
}
