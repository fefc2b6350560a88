#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class KestruneAudioProcessor;

/** One vertical bar meter of the editor.

    It keeps no level of its own: every paint reads the processor's current value and
    reveals the matching part of `meterImage`. In level mode it shows one of the
    processor's eight level values, filling from the bottom; in gain-reduction mode it
    shows the limiter's reduction in decibels, filling from the top and full at 31 dB.
*/
class VuMeter : public juce::Component
{
public:
    /** The processor must outlive the meter; a null processor shows nothing. The
        gain-reduction meter is given a level index of -1, which is never read. */
    VuMeter (KestruneAudioProcessor* processor, int levelIndex);
    ~VuMeter() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** Draws the lower fraction `level` of `image` over the lower fraction `level` of a
        width x height area. A level that is not above 0 (NaN included) draws nothing;
        anything from 1 up draws the whole picture. */
    static void drawLevelBar (juce::Graphics& g, const juce::Image& image, int width, int height, float level);

    /** Draws the upper part of `image` over the upper part of a width x height area,
        in proportion to `reductionDb` over 31 dB. NaN, 0 and negative reductions draw
        nothing; 31 dB and above (infinity included) draw the whole picture. */
    static void drawGainReductionBar (juce::Graphics& g, const juce::Image& image, int width, int height, float reductionDb);

    juce::Image meterImage;
    bool gainReductionMode = false;

private:
    KestruneAudioProcessor* processor = nullptr;
    int levelIndex = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VuMeter)
};
