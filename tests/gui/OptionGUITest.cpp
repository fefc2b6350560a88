#include "gui/OptionGUI.h"
#include "gui/GuiTestSupport.h"
#include "processor/KestruneAudioProcessor.h"

#include <gtest/gtest.h>

using namespace quorvel::test;

namespace
{
class OptionGUITest : public ::testing::Test
{
protected:
    KestruneAudioProcessor processor;
    OptionGUI panel { &processor };
    juce::ComboBox& list = *dynamic_cast<juce::ComboBox*> (findChild (panel, "presetList"));
};
} // namespace

TEST_F (OptionGUITest, OffersBothFormatsUnderItsLabel)
{
    EXPECT_EQ (dynamic_cast<juce::Label*> (findChild (panel, "label_InputConfig"))->getText(), "I/O config");
    ASSERT_EQ (list.getNumItems(), 2);
    EXPECT_EQ (list.getItemText (0) + list.getItemText (1), "ambiXFuMa");
    EXPECT_EQ (list.getItemId (1), OptionGUI::fuMaItemId);
}

TEST_F (OptionGUITest, ShowsTheProcessorsFormatAtEachTickWithoutWritingItBack)
{
    EXPECT_EQ (list.getText(), "ambiX");
    panel.setVisible (false); // a hidden panel keeps in step too

    // Indices outside the list (a damaged saved state, an empty choice) select nothing
    // and stay as they are.
    for (auto [index, text] : { std::pair (1, "FuMa"), std::pair (0, "ambiX"), std::pair (5, ""), std::pair (-1, ""), std::pair (2, "") })
    {
        processor.idxInputConfig.store (index);
        processor.parametersChanged.store (false);
        panel.timerCallback();

        EXPECT_EQ (list.getText(), text) << index;
        EXPECT_EQ (processor.idxInputConfig.load(), index);
        EXPECT_FALSE (processor.parametersChanged.load()) << index;
    }

    // A new panel shows the format at once; one without a processor shows none.
    processor.idxInputConfig.store (1);
    OptionGUI opened (&processor);
    OptionGUI unattached (nullptr);
    EXPECT_EQ (dynamic_cast<juce::ComboBox*> (findChild (opened, "presetList"))->getText(), "FuMa");
    EXPECT_EQ (dynamic_cast<juce::ComboBox*> (findChild (unattached, "presetList"))->getText(), "");
}

TEST_F (OptionGUITest, AChoiceStoresItsIndexAndRaisesTheRefreshFlag)
{
    for (auto [itemId, index] : { std::pair (OptionGUI::fuMaItemId, 1), std::pair (OptionGUI::ambiXItemId, 0) })
    {
        processor.parametersChanged.store (false);
        // What the pop-up list does when the user picks an item.
        list.setSelectedId (itemId, juce::sendNotificationSync);
        EXPECT_EQ (processor.idxInputConfig.load(), index);
        EXPECT_TRUE (processor.parametersChanged.load());
    }

    processor.parametersChanged.store (false);
    juce::ComboBox otherList;
    panel.comboBoxChanged (&otherList);
    EXPECT_FALSE (processor.parametersChanged.load());
}

TEST_F (OptionGUITest, AClickOutsideTheListAndItsLabelHidesThePanel)
{
    for (auto point : { juce::Point<int> (5, 5), juce::Point<int> (200, 200), juce::Point<int> (400, 300), juce::Point<int> (340, 100) })
    {
        panel.setVisible (true);
        EXPECT_EQ (clickAt (panel, point), findChild (panel, "closeButton")) << point.toString();
        EXPECT_FALSE (panel.isVisible()) << point.toString();
    }

    panel.setVisible (true);
    auto* hit = panel.getComponentAt (juce::Point<int> (380, 80));
    EXPECT_TRUE (hit == &list || list.isParentOf (hit));
    EXPECT_EQ (panel.getComponentAt (juce::Point<int> (380, 50)), findChild (panel, "label_InputConfig"));

    juce::TextButton otherButton;
    panel.buttonClicked (&otherButton);
    EXPECT_TRUE (panel.isVisible());
}

TEST_F (OptionGUITest, PaintsADarkStripWithALightRuleAndNothingElse)
{
    const auto expected = paintInto (435, 373, [] (juce::Graphics& g)
                                     {
                                         g.fillAll (juce::Colours::white);
                                         g.setColour (juce::Colour (0xD0000000));
                                         g.fillRect (332, 30, 103, 247);
                                         g.setColour (juce::Colour (0xFFB9AC9A));
                                         g.fillRect (331, 30, 1, 246); });

    EXPECT_TRUE (samePixels (render (panel, juce::Colours::white, false), expected));
}
