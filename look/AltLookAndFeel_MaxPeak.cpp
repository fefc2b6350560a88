#include "look/AltLookAndFeel_MaxPeak.h"

#include "resources/BinaryData.h"
#include "resources/FaceRectangle.h"

#include <cmath>

AltLookAndFeel_MaxPeak::~AltLookAndFeel_MaxPeak() = default;

void AltLookAndFeel_MaxPeak::drawFader (juce::Graphics& g, int width, int thumbTop)
{
    const auto track = juce::ImageCache::getFromMemory (BinaryData::gainReductionBar_png, BinaryData::gainReductionBar_pngSize);
    const auto thumb = juce::ImageCache::getFromMemory (BinaryData::faderThumb_png, BinaryData::faderThumb_pngSize);

    g.drawImage (track, FaceLayout::trackOffsetX, FaceLayout::trackOffsetY, width, thumbTop, 0, 0, track.getWidth(), track.getHeight(), false);
    g.drawImage (thumb, 0, thumbTop, thumb.getWidth(), thumb.getHeight(), 0, 0, thumb.getWidth(), thumb.getHeight(), false);
}

void AltLookAndFeel_MaxPeak::drawRotarySlider (juce::Graphics& g, int, int, int width, int height, float sliderPosProportional, float, float, juce::Slider&)
{
    // 0 at the maximum, height at the minimum.
    const auto thumbTop = (int) ((float) height * (1.0f - clampProportion (sliderPosProportional)));
    drawFader (g, width, thumbTop);
}

void AltLookAndFeel_MaxPeak::drawLinearSlider (juce::Graphics& g,
                                               int,
                                               int y,
                                               int width,
                                               int height,
                                               float sliderPos,
                                               float,
                                               float,
                                               juce::Slider::SliderStyle,
                                               juce::Slider&)
{
    // The framework's pixel position of the thumb, kept within the slider's
    // bounds; one that is not a number stands for the minimum, at the bottom.
    const auto bottom = (float) juce::jmax (0, y + height);
    const auto position = std::isnan (sliderPos) ? bottom : juce::jlimit (0.0f, bottom, sliderPos);
    drawFader (g, width, (int) position);
}

juce::Slider::SliderLayout AltLookAndFeel_MaxPeak::getSliderLayout (juce::Slider&)
{
    return { toRectangle (FaceLayout::faderArea), toRectangle (FaceLayout::faderValue) };
}
