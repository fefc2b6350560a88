// The editor and its two panels keep one promise: their children are made in
// stacking order, named, shown and put at fixed places whatever the size of
// their parent.

#include "gui/GuiTestSupport.h"
#include "gui/KestruneAudioProcessorEditor.h"
#include "processor/KestruneAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
using Children = std::vector<std::pair<juce::String, juce::Rectangle<int>>>;

void expectChildrenAt (juce::Component& parent, const Children& children)
{
    for (size_t i = 0; i < children.size(); ++i)
    {
        const auto* child = parent.getChildComponent ((int) i);
        ASSERT_NE (child, nullptr);
        EXPECT_EQ (child->getName(), children[i].first) << i;
        EXPECT_EQ (child->getBounds(), children[i].second) << children[i].first;
        EXPECT_TRUE (child->isVisible()) << children[i].first;
    }
}
} // namespace

TEST (ChildLayoutTest, ChildrenStandInStackingOrderAtFixedPlacesWhateverTheParentsSize)
{
    KestruneAudioProcessor processor;
    KestruneAudioProcessorEditor editor (processor);
    OptionGUI options (&processor);
    WelcomeGUI welcome;

    const Children editorChildren {
        { "engrenage", { 407, 5, 18, 18 } },
        { "vuMeter", { 50, 76, 10, 162 } },
        { "vuMeter", { 69, 76, 10, 162 } },
        { "vuMeter", { 89, 76, 10, 162 } },
        { "vuMeter", { 108, 76, 10, 162 } },
        { "vuMeter", { 218, 76, 10, 162 } },
        { "vuMeter", { 237, 76, 10, 162 } },
        { "sliderGain", { 10, 298, 114, 70 } },
        { "new button", { 0, 0, 208, 28 } },
        { "vuMeter", { 257, 76, 10, 162 } },
        { "vuMeter", { 276, 76, 10, 162 } },
        { "sliderAttack", { 153, 310, 113, 56 } },
        { "sliderRelease", { 312, 310, 113, 56 } },
        { "sliderThreshold", { 367, 71, 64, 137 } },
        { "vuMeterGainReduction", { 155, 30, 27, 250 } },
        { "blueLine", { 202, 115, 99, 3 } }, // loaded at the default max peak
    };

    const std::tuple<juce::Component*, int, Children> parents[] = {
        { &editor, 18, editorChildren },
        { &options, 3, { { "closeButton", { 0, 0, 435, 373 } }, { "presetList", { 345, 70, 78, 19 } }, { "label_InputConfig", { 343, 42, 80, 24 } } } },
        { &welcome, 3, { { "labelTitle", { 121, 83, 175, 52 } }, { "closeButton", { 0, 0, 435, 373 } }, { WelcomeGUI::makerWebAddress, { 125, 268, 168, 22 } } } },
    };

    for (auto [parent, count, children] : parents)
    {
        EXPECT_EQ (parent->getBounds(), juce::Rectangle<int> (435, 373));
        EXPECT_EQ (parent->getNumChildComponents(), count);
        expectChildrenAt (*parent, children);

        // The line goes back to its design height until the next load.
        parent->setSize (600, 500);
        for (auto& [name, bounds] : children)
            if (name == "blueLine")
                bounds.setY (76);
        expectChildrenAt (*parent, children);
    }

    // Above them all, the editor's two panels, hidden; the welcome panel on top.
    EXPECT_NE (dynamic_cast<OptionGUI*> (editor.getChildComponent (16)), nullptr);
    EXPECT_NE (dynamic_cast<WelcomeGUI*> (editor.getChildComponent (17)), nullptr);

    for (int i : { 16, 17 })
    {
        EXPECT_EQ (editor.getChildComponent (i)->getBounds(), juce::Rectangle<int> (435, 373));
        EXPECT_FALSE (editor.getChildComponent (i)->isVisible());
    }
}
