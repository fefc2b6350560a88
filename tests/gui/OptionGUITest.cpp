#include "gui/OptionGUI.h"
#include "gui/GuiTestSupport.h"
#include "processor/KestruneAudioProcessor.h"

#include <gtest/gtest.h>

using quorvel::test::clickAt;
using quorvel::test::findChild;

namespace
{
class OptionGUITest : public ::testing::Test
{
protected:
    KestruneAudioProcessor processor;

    static juce::ComboBox& presetList (OptionGUI& panel)
    {
        auto* combo = dynamic_cast<juce::ComboBox*> (findChild (panel, "presetList"));
        EXPECT_NE (combo, nullptr);
        return *combo;
    }
};
} // namespace

TEST_F (OptionGUITest, BuildsItsThreeChildrenInStackingOrder)
{
    OptionGUI panel (&processor);
    EXPECT_EQ (panel.getBounds(), juce::Rectangle<int> (0, 0, 435, 373));
    ASSERT_EQ (panel.getNumChildComponents(), 3);

    EXPECT_EQ (panel.getChildComponent (0)->getName(), "closeButton");
    EXPECT_EQ (panel.getChildComponent (0)->getBounds(), juce::Rectangle<int> (0, 0, 435, 373));
    EXPECT_EQ (panel.getChildComponent (1)->getName(), "presetList");
    EXPECT_EQ (panel.getChildComponent (1)->getBounds(), juce::Rectangle<int> (345, 70, 78, 19));
    EXPECT_EQ (panel.getChildComponent (2)->getName(), "label_InputConfig");
    EXPECT_EQ (panel.getChildComponent (2)->getBounds(), juce::Rectangle<int> (343, 42, 80, 24));

    auto* label = dynamic_cast<juce::Label*> (panel.getChildComponent (2));
    ASSERT_NE (label, nullptr);
    EXPECT_EQ (label->getText(), "I/O config");

    auto& combo = presetList (panel);
    ASSERT_EQ (combo.getNumItems(), 2);
    EXPECT_EQ (combo.getItemText (0), "ambiX");
    EXPECT_EQ (combo.getItemId (0), 1);
    EXPECT_EQ (combo.getItemText (1), "FuMa");
    EXPECT_EQ (combo.getItemId (1), 2);
}

TEST_F (OptionGUITest, ANewPanelShowsTheProcessorsFormat)
{
    {
        OptionGUI panel (&processor);
        EXPECT_EQ (presetList (panel).getText(), "ambiX");
    }

    processor.idxInputConfig.store (1);
    OptionGUI panel (&processor);
    EXPECT_EQ (presetList (panel).getText(), "FuMa");
}

TEST_F (OptionGUITest, ChoosingFuMaStoresTheIndexAndRaisesTheRefreshFlag)
{
    OptionGUI panel (&processor);
    processor.parametersChanged.store (false);

    // What the pop-up list does when the user picks an item.
    presetList (panel).setSelectedId (OptionGUI::fuMaItemId, juce::sendNotificationSync);

    EXPECT_EQ (processor.idxInputConfig.load(), 1);
    EXPECT_TRUE (processor.parametersChanged.load());

    processor.parametersChanged.store (false);
    presetList (panel).setSelectedId (OptionGUI::ambiXItemId, juce::sendNotificationSync);
    EXPECT_EQ (processor.idxInputConfig.load(), 0);
    EXPECT_TRUE (processor.parametersChanged.load());
}

TEST_F (OptionGUITest, ARestoredIndexAppearsAfterOneTickWithoutCallingBack)
{
    OptionGUI panel (&processor);
    EXPECT_EQ (presetList (panel).getText(), "ambiX");

    // A state restore on another thread changes the index.
    processor.idxInputConfig.store (1);
    processor.parametersChanged.store (false);

    panel.timerCallback();

    EXPECT_EQ (presetList (panel).getText(), "FuMa");
    EXPECT_EQ (processor.idxInputConfig.load(), 1);
    EXPECT_FALSE (processor.parametersChanged.load());
}

TEST_F (OptionGUITest, AnIndexOutsideTheListLeavesTheChoiceEmptyAndTheValueAlone)
{
    OptionGUI panel (&processor);

    for (int index : { 5, -1, 2 })
    {
        processor.idxInputConfig.store (index);
        processor.parametersChanged.store (false);
        panel.timerCallback();

        EXPECT_EQ (presetList (panel).getSelectedItemIndex(), -1) << index;
        EXPECT_EQ (presetList (panel).getText(), "") << index;
        EXPECT_EQ (processor.idxInputConfig.load(), index);
        EXPECT_FALSE (processor.parametersChanged.load());
    }
}

TEST_F (OptionGUITest, AHiddenPanelKeepsItsChoiceInStep)
{
    OptionGUI panel (&processor);
    panel.setVisible (false);

    processor.idxInputConfig.store (1);
    panel.timerCallback();
    EXPECT_EQ (presetList (panel).getText(), "FuMa");
}

TEST_F (OptionGUITest, AClickOutsideTheControlsHidesThePanel)
{
    OptionGUI panel (&processor);
    auto* closeButton = findChild (panel, "closeButton");

    for (auto point : { juce::Point<int> (5, 5), juce::Point<int> (200, 200), juce::Point<int> (400, 300), juce::Point<int> (340, 100) })
    {
        panel.setVisible (true);
        EXPECT_EQ (clickAt (panel, point), closeButton) << point.toString();
        EXPECT_FALSE (panel.isVisible()) << point.toString();
    }

    // The combo box and its label lie above the close button.
    panel.setVisible (true);
    auto* list = findChild (panel, "presetList");
    auto* hit = panel.getComponentAt (juce::Point<int> (380, 80));
    EXPECT_TRUE (hit == list || list->isParentOf (hit));
    EXPECT_EQ (panel.getComponentAt (juce::Point<int> (380, 50)), findChild (panel, "label_InputConfig"));
}

TEST_F (OptionGUITest, OtherButtonsAndListsAreIgnored)
{
    OptionGUI panel (&processor);
    panel.setVisible (true);
    processor.parametersChanged.store (false);

    juce::TextButton otherButton;
    juce::ComboBox otherList;
    panel.buttonClicked (&otherButton);
    panel.comboBoxChanged (&otherList);

    EXPECT_TRUE (panel.isVisible());
    EXPECT_FALSE (processor.parametersChanged.load());
}

TEST_F (OptionGUITest, PaintsOnlyTheStripAndItsRule)
{
    OptionGUI panel (&processor);
    const auto image = quorvel::test::renderOwnPaint (panel, juce::Colours::transparentBlack);

    EXPECT_EQ (image.getPixelAt (332, 30).getARGB(), juce::Colour (0xD0000000).getARGB());
    EXPECT_EQ (image.getPixelAt (434, 276).getARGB(), juce::Colour (0xD0000000).getARGB());
    EXPECT_EQ (image.getPixelAt (331, 30).getARGB(), 0xFFB9AC9Au);
    EXPECT_EQ (image.getPixelAt (331, 275).getARGB(), 0xFFB9AC9Au);

    EXPECT_EQ (image.getPixelAt (331, 276).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (332, 277).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (330, 100).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (400, 29).getAlpha(), 0);
}
