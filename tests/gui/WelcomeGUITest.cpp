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

TEST_F (WelcomeGUITest, ShowsTheTitleCentredAndTheWholeAddressAsItsLink)
{
    auto& title = *dynamic_cast<juce::Label*> (panel.getChildComponent (0));
    EXPECT_EQ (title.getText(), "Quorvel v1.0");
    EXPECT_NEAR (drawnBounds (render (title)).getCentreX(), title.getWidth() / 2, 2);
    EXPECT_EQ (link.getButtonText(), "https://example.com/");
    EXPECT_EQ (link.getURL().toString (false), link.getButtonText());

    // The framework sets the link's text at 70 % of its height, in the shared look's Roboto,
    // and cuts what does not fit inside one pixel of margin on each side.
    juce::Font font (juce::Typeface::createSystemTypefaceFor (BinaryData::Roboto_ttf, BinaryData::Roboto_ttfSize));
    font.setHeight ((float) link.getHeight() * 0.7f);
    EXPECT_LE (font.getStringWidthFloat (link.getButtonText()), (float) (link.getWidth() - 2));
}

TEST_F (WelcomeGUITest, DrawsTheWholeCardAt80PercentOverWhatLiesBelow)
{
    const auto card = juce::ImageCache::getFromMemory (BinaryData::welcome_png, BinaryData::welcome_pngSize);
    const auto expected = paintInto (435, 373, [&] (juce::Graphics& g)
                                     {
                                         g.fillAll (juce::Colour (0xFF204060));
                                         g.setOpacity (0.8f);
                                         g.drawImage (card, { 99.0f, 30.0f, 220.0f, 280.0f }); });

    EXPECT_TRUE (samePixels (render (panel, juce::Colour (0xFF204060), false), expected));
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
    for (auto point : { juce::Point<int> (125, 268), juce::Point<int> (209, 279), juce::Point<int> (292, 289) })
        EXPECT_EQ (panel.getComponentAt (point), &link) << point.toString();

    juce::TextButton otherButton;
    panel.buttonClicked (&otherButton);
    EXPECT_TRUE (panel.isVisible());
}
