#include "look/AltLookAndFeel_Gain.h"

#include "resources/BinaryData.h"
#include "resources/FaceRectangle.h"

#include <cmath>

AltLookAndFeel_Gain::~AltLookAndFeel_Gain() = default;

void AltLookAndFeel_Gain::drawRotarySlider (juce::Graphics& g, int, int, int width, int, float sliderPosProportional, float, float, juce::Slider&)
{
    const auto strip = juce::ImageCache::getFromMemory (BinaryData::knobGain_png, BinaryData::knobGain_pngSize);

    // Rounded down: the top frame only at the very top of the range.
    const auto frame = (int) std::floor (clampProportion (sliderPosProportional) * (float) (FaceLayout::knobFrames - 1));
    constexpr int frameSize = FaceLayout::knobFrameSize;

    g.drawImage (strip, 0, 0, width, FaceLayout::gainDial.height, 0, frame * frameSize, frameSize, frameSize, false);
}

juce::Slider::SliderLayout AltLookAndFeel_Gain::getSliderLayout (juce::Slider&)
{
    return { toRectangle (FaceLayout::gainDial), toRectangle (FaceLayout::gainValue) };
}
