#include "look/AltLookAndFeel_Gain.h"

#include "resources/BinaryData.h"
#include "resources/FaceRectangle.h"

#include <cmath>

AltLookAndFeel_Gain::~AltLookAndFeel_Gain() = default;

void AltLookAndFeel_Gain::drawRotarySlider (juce::Graphics& g, int, int, int width, int, float sliderPosProportional, float, float, juce::Slider&)
{
    const auto strip = juce::ImageCache::getFromMemory (BinaryData::knobGain_png, BinaryData::knobGain_pngSize);

    // Rounded down: the top frame only at the very top of the range.
    const auto frame = (int) std::floor (clampProportion (sliderPosProportional) * (float) (numKnobFrames - 1));

    g.drawImage (strip, 0, 0, width, knobFrameSize, 0, frame * knobFrameSize, knobFrameSize, knobFrameSize, false);
}

juce::Slider::SliderLayout AltLookAndFeel_Gain::getSliderLayout (juce::Slider&)
{
    return { toRectangle (FaceLayout::gainDial), toRectangle (FaceLayout::gainValue) };
}
