#pragma once

#include "gui/BlueLine.h"
#include "gui/OptionGUI.h"
#include "gui/VuMeter.h"
#include "gui/WelcomeGUI.h"
#include "look/AltLookAndFeel.h"
#include "look/AltLookAndFeel_Gain.h"
#include "look/AltLookAndFeel_MaxPeak.h"
#include "look/AltLookAndFeel_transparentButton.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

class KestruneAudioProcessor;

/** The plug-in's fixed 435 x 373 window.

    It keeps no parameter values of its own. A 50 ms timer repaints the meters and,
    when the processor's refresh flag is set, reloads the four sliders, moves the
    max-peak line and swaps the channel captions. Slider moves go to the processor as
    host-notified parameter changes inside a change gesture per drag.
*/
class KestruneAudioProcessorEditor : public juce::AudioProcessorEditor,
                                     public juce::Timer,
                                     public juce::Button::Listener,
                                     public juce::Slider::Listener
{
public:
    /** Called only by the processor's createEditor; the processor outlives the editor. */
    explicit KestruneAudioProcessorEditor (KestruneAudioProcessor& processor);
    ~KestruneAudioProcessorEditor() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    void sliderDragStarted (juce::Slider* slider) override;
    void sliderDragEnded (juce::Slider* slider) override;
    void timerCallback() override;
    void buttonClicked (juce::Button* button) override;
    void sliderValueChanged (juce::Slider* slider) override;

    static constexpr int refreshIntervalMs = 50;

    /** The top edge of the max-peak line for a normalised "Max Peak Level": 155 at 0,
        115 at 0.5 and 75 at 1. Values outside 0..1, and NaN, stay on the scale. */
    static int getMaxPeakLineY (float normalisedMaxPeak) noexcept;

private:
    /** Reloads the sliders, the line and the captions from the processor without
        writing anything back; returns true when the captions changed. */
    bool loadFromProcessor();

    /** The parameter index a slider drives, or -1 for any other slider. */
    int getParameterIndexFor (const juce::Slider* slider) const noexcept;

    KestruneAudioProcessor& audioProcessor;

    std::unique_ptr<OptionGUI> optionGUI;
    std::unique_ptr<WelcomeGUI> welcomeGUI;
    AltLookAndFeel altLookAndFeel;
    AltLookAndFeel_transparentButton transparentButtonLookAndFeel;
    AltLookAndFeel_Gain gainLookAndFeel;
    AltLookAndFeel_MaxPeak maxPeakLookAndFeel;
    int shownInputConfig = 0;
    std::unique_ptr<juce::ImageButton> engrenage;
    std::unique_ptr<VuMeter> vuMeter0;
    std::unique_ptr<VuMeter> vuMeter1;
    std::unique_ptr<VuMeter> vuMeter2;
    std::unique_ptr<VuMeter> vuMeter3;
    std::unique_ptr<VuMeter> vuMeter4;
    std::unique_ptr<VuMeter> vuMeter5;
    std::unique_ptr<juce::Slider> sliderGain;
    std::unique_ptr<juce::TextButton> titleButton;
    std::unique_ptr<VuMeter> vuMeter6;
    std::unique_ptr<VuMeter> vuMeter7;
    std::unique_ptr<juce::Slider> sliderAttack;
    std::unique_ptr<juce::Slider> sliderRelease;
    std::unique_ptr<juce::Slider> sliderThreshold;
    std::unique_ptr<VuMeter> vuMeterGainReduction;
    std::unique_ptr<BlueLine> blueLine;
    juce::Image backgroundImage;
    juce::Image inputCaptionImage;
    juce::Image outputCaptionImage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (KestruneAudioProcessorEditor)
};
