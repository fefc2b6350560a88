#include "processor/ProcessorParameter.h"

#include "processor/KestruneAudioProcessor.h"
#include "processor/NumberText.h"

#include <limits>

ProcessorParameter::ProcessorParameter (KestruneAudioProcessor& owner, int indexInProcessor)
    : processor (owner)
    , index (indexInProcessor)
{
}

float ProcessorParameter::getValue() const
{
    return processor.getParameter (index);
}

void ProcessorParameter::setValue (float newValue)
{
    processor.setParameter (index, newValue);
}

float ProcessorParameter::getDefaultValue() const
{
    return processor.getParameterDefaultValue (index);
}

juce::String ProcessorParameter::getName (int maximumStringLength) const
{
    return processor.getParameterName (index).substring (0, maximumStringLength);
}

juce::String ProcessorParameter::getLabel() const
{
    return {};
}

juce::String ProcessorParameter::getText (float normalisedValue, int maximumStringLength) const
{
    return NumberText::formatForDisplay (normalisedValue).substring (0, maximumStringLength);
}

float ProcessorParameter::getValueForText (const juce::String& text) const
{
    // NaN, which every setter refuses, tells a caller that the text was no number.
    return NumberText::readFloat (text).value_or (std::numeric_limits<float>::quiet_NaN());
}
