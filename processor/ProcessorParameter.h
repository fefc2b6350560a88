#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

class KestruneAudioProcessor;

/** One of the processor's four parameters as the framework's wrappers and the
    editor see it.

    The processor keeps the values itself and addresses them by index; this
    object only forwards to its setParameter and getParameter, so that hosts,
    the editor and state restores all store values in the one place. Values a
    host sets pass unclamped (a host may store 1.5 and read 1.5 back; only a
    saved state is read within 0..1), which is why this is not one of the
    framework's ranged parameter classes.
*/
class ProcessorParameter final : public juce::AudioProcessorParameter
{
public:
    ProcessorParameter (KestruneAudioProcessor& owner, int index);

    float getValue() const override;
    void setValue (float newValue) override;
    float getDefaultValue() const override;
    juce::String getName (int maximumStringLength) const override;
    juce::String getLabel() const override;
    juce::String getText (float normalisedValue, int maximumStringLength) const override;
    /** The leading number of the text, unclamped; NaN when the text holds no
        number, so that a host's text is refused rather than read as 0. */
    float getValueForText (const juce::String& text) const override;

private:
    KestruneAudioProcessor& processor;
    const int index;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ProcessorParameter)
};
