#pragma once

#include "look/AltLookAndFeel_transparentButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class KestruneAudioProcessor;

/** The option panel: an overlay as large as the editor where the user picks the
    channel-ordering format ("ambiX" or "FuMa").

    The processor's channel-format index is the only record of the choice; a 100 ms
    timer keeps the combo box in step with it, so a format restored from a saved state
    shows up without the panel ever writing back. A full-size transparent button under
    the controls closes the panel on a click anywhere else.
*/
class OptionGUI : public juce::Component,
                  public juce::Timer,
                  public juce::Button::Listener,
                  public juce::ComboBox::Listener
{
public:
    /** The processor must outlive the panel; a null processor leaves the choice empty. */
    explicit OptionGUI (KestruneAudioProcessor* processor);
    ~OptionGUI() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void timerCallback() override;
    void buttonClicked (juce::Button* button) override;
    void comboBoxChanged (juce::ComboBox* comboBox) override;

    static constexpr int pollIntervalMs = 100;
    static constexpr int ambiXItemId = 1;
    static constexpr int fuMaItemId = 2;

private:
    /** Selects the processor's format in the list without calling back. */
    void showProcessorFormat();

    KestruneAudioProcessor* processor = nullptr;
    AltLookAndFeel_transparentButton transparentButtonLookAndFeel;
    std::unique_ptr<juce::TextButton> closeButton;
    std::unique_ptr<juce::ComboBox> presetList;
    std::unique_ptr<juce::Label> label_InputConfig;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OptionGUI)
};
