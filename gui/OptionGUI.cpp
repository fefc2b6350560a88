#include "gui/OptionGUI.h"

#include "gui/InvisibleButton.h"
#include "processor/KestruneAudioProcessor.h"
#include "resources/FaceRectangle.h"

namespace
{
const juce::Colour stripColour { 0xD0000000 };
const juce::Colour ruleColour { 0xFFB9AC9A };
const juce::Colour labelTextColour { 0xFFFCFCFC };
} // namespace

OptionGUI::OptionGUI (KestruneAudioProcessor* processorToControl)
{
    closeButton = std::make_unique<juce::TextButton> ("closeButton");
    addAndMakeVisible (closeButton.get());
    setUpInvisibleButton (*closeButton, transparentButtonLookAndFeel, *this);

    presetList = std::make_unique<juce::ComboBox> ("presetList");
    addAndMakeVisible (presetList.get());
    presetList->setEditableText (false);
    presetList->setJustificationType (juce::Justification::centredLeft);
    presetList->setTextWhenNothingSelected (juce::String());
    presetList->setTextWhenNoChoicesAvailable (juce::translate ("(no choices)"));
    presetList->addListener (this);

    label_InputConfig = std::make_unique<juce::Label> ("label_InputConfig", juce::translate ("I/O config"));
    addAndMakeVisible (label_InputConfig.get());
    label_InputConfig->setFont (juce::Font (15.0f, juce::Font::plain));
    label_InputConfig->setJustificationType (juce::Justification::centred);
    label_InputConfig->setEditable (false, false, false);
    label_InputConfig->setColour (juce::Label::textColourId, labelTextColour);

    setSize (FaceLayout::width, FaceLayout::height);

    processor = processorToControl;

    presetList->addItem (juce::translate ("ambiX"), ambiXItemId);
    presetList->addItem (juce::translate ("FuMa"), fuMaItemId);

    showProcessorFormat();
    startTimer (pollIntervalMs);
}

OptionGUI::~OptionGUI()
{
    stopTimer();

    // The button goes before the look installed on it.
    closeButton.reset();
    presetList.reset();
    label_InputConfig.reset();
}

void OptionGUI::paint (juce::Graphics& g)
{
    g.setColour (stripColour);
    g.fillRect (toRectangle (FaceLayout::optionStrip));

    g.setColour (ruleColour);
    g.fillRect (toRectangle (FaceLayout::optionRule));
}

void OptionGUI::resized()
{
    closeButton->setBounds (0, 0, FaceLayout::width, FaceLayout::height);
    presetList->setBounds (toRectangle (FaceLayout::optionList));
    label_InputConfig->setBounds (toRectangle (FaceLayout::optionLabel));
}

void OptionGUI::timerCallback()
{
    showProcessorFormat();
}

void OptionGUI::showProcessorFormat()
{
    // Any index but 0 and 1 (a damaged saved state, or -1) selects nothing; the value
    // itself is left as it is.
    const int index = processor != nullptr ? processor->idxInputConfig.load() : -1;
    presetList->setSelectedItemIndex (index, juce::dontSendNotification);
}

void OptionGUI::buttonClicked (juce::Button* button)
{
    if (button == closeButton.get())
        setVisible (false);
}

void OptionGUI::comboBoxChanged (juce::ComboBox* comboBox)
{
    if (comboBox != presetList.get() || processor == nullptr)
        return;

    processor->idxInputConfig.store (presetList->getSelectedItemIndex());
    processor->parametersChanged.store (true);
}
