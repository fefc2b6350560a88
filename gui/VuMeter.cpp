#include "gui/VuMeter.h"

#include "processor/KestruneAudioProcessor.h"
#include "resources/BinaryData.h"
#include "resources/FaceLayout.h"

#include <iterator>

VuMeter::VuMeter (KestruneAudioProcessor* processorToShow, int levelIndexToShow)
{
    // A placeholder size; the editor gives each meter its real bounds.
    setSize (4, 35);
    processor = processorToShow;
    levelIndex = levelIndexToShow;
    meterImage = juce::ImageCache::getFromMemory (BinaryData::vuMeterInput_png, BinaryData::vuMeterInput_pngSize);
    gainReductionMode = false;
}

VuMeter::~VuMeter() = default;

void VuMeter::paint (juce::Graphics& g)
{
    if (processor == nullptr)
        return;

    if (gainReductionMode)
    {
        drawGainReductionBar (g, meterImage, getWidth(), getHeight(), processor->getGainReductionDb());
        return;
    }

    // Only the gain-reduction meter carries an index outside the level values, and it
    // never reaches this branch once the editor has switched its mode.
    if (levelIndex < 0 || levelIndex >= (int) std::size (processor->vuLevels))
        return;

    drawLevelBar (g, meterImage, getWidth(), getHeight(), processor->vuLevels[(size_t) levelIndex].load (std::memory_order_relaxed));
}

void VuMeter::resized()
{
}

void VuMeter::drawLevelBar (juce::Graphics& g, const juce::Image& image, int width, int height, float level)
{
    // NaN fails this comparison too, so no non-finite value reaches an int conversion.
    if (! (level > 0.0f))
        return;

    // The processor caps its levels at 1.00001; the small overshoot means "full".
    const float emptyFraction = level < 1.0f ? 1.0f - level : 0.0f;
    const int top = (int) ((float) height * emptyFraction);
    const int sourceTop = (int) ((float) image.getHeight() * emptyFraction);

    g.drawImage (image,
                 0,
                 top,
                 width,
                 height - top,
                 0,
                 sourceTop,
                 image.getWidth(),
                 image.getHeight() - sourceTop,
                 false);
}

void VuMeter::drawGainReductionBar (juce::Graphics& g, const juce::Image& image, int width, int height, float reductionDb)
{
    // NaN and a gain above unity both read as "no reduction".
    if (! (reductionDb > 0.0f))
        return;

    const float fraction = reductionDb < FaceLayout::reductionFullDb ? reductionDb / FaceLayout::reductionFullDb : 1.0f;
    const int barHeight = (int) ((float) height * fraction);
    const int sourceHeight = (int) ((float) image.getHeight() * fraction);

    g.drawImage (image, 0, 0, width, barHeight, 0, 0, image.getWidth(), sourceHeight, false);
}
