#include "resources/generator/EditorPreview.h"

#include "resources/generator/FaceLayout.h"

#include <cmath>

namespace
{
juce::Image decode (const std::vector<PictureSet::Picture>& pictures, const juce::String& name)
{
    for (const auto& picture : pictures)
        if (picture.resourceName == name)
            return juce::ImageFileFormat::loadFrom (picture.bytes.getData(), picture.bytes.getSize());

    return {};
}

void drawWhole (juce::Graphics& g, const juce::Image& image, int x, int y, int width, int height)
{
    g.drawImage (image, x, y, width, height, 0, 0, image.getWidth(), image.getHeight(), false);
}

void drawLevelMeter (juce::Graphics& g, const juce::Image& bar, int x, float level)
{
    const int height = FaceLayout::meterHeight;
    const float empty = 1.0f - level;
    const int top = (int) ((float) height * empty);
    const int sourceTop = (int) ((float) bar.getHeight() * empty);
    g.drawImage (bar, x, FaceLayout::meterTop + top, FaceLayout::meterWidth, height - top, 0, sourceTop, bar.getWidth(), bar.getHeight() - sourceTop, false);
}

float levelFor (float decibels)
{
    return decibels < -30.0f ? 0.0f : (juce::jmin (decibels, 10.0f) - 10.0f) / 40.0f + 1.0f;
}

void drawValueBox (juce::Graphics& g, const ArtText& text, juce::Rectangle<int> box, const juce::String& value, juce::Colour background, juce::Colour colour)
{
    g.setColour (background);
    g.fillRect (box);
    g.setColour (colour);
    text.draw (g, value, text.font (14.0f), (float) box.getCentreX(), (float) box.getBottom() - 3.5f, ArtText::Align::centre);
}
} // namespace

juce::Image EditorPreview::compose (const std::vector<PictureSet::Picture>& pictures, const ArtText& text)
{
    juce::Image editor (juce::Image::ARGB, FaceLayout::width, FaceLayout::height, true);
    juce::Graphics g (editor);
    g.fillAll (juce::Colours::black);
    g.setColour (juce::Colours::black);

    drawWhole (g, decode (pictures, "background_jpg"), 0, 0, FaceLayout::width, FaceLayout::height);

    const auto caption = decode (pictures, "captionAmbiX_png");
    drawWhole (g, caption, FaceLayout::inputCaptionX, FaceLayout::captionY, FaceLayout::captionWidth, FaceLayout::captionHeight);
    drawWhole (g, caption, FaceLayout::outputCaptionX, FaceLayout::captionY, FaceLayout::captionWidth, FaceLayout::captionHeight);

    const auto inputBar = decode (pictures, "vuMeterInput_png");
    const auto outputBar = decode (pictures, "vuMeterOutput_png");
    const float inputDb[4] = { 4.0f, -3.0f, -8.5f, -14.0f };
    const float outputDb[4] = { 0.0f, -5.0f, -10.5f, -16.0f };

    for (int i = 0; i < 4; ++i)
    {
        drawLevelMeter (g, inputBar, FaceLayout::inputMeterX[i], levelFor (inputDb[i]));
        drawLevelMeter (g, outputBar, FaceLayout::outputMeterX[i], levelFor (outputDb[i]));
    }

    // 4 dB of gain reduction.
    const auto reduction = decode (pictures, "gainReductionBar_png");
    const float fraction = 4.0f / FaceLayout::reductionFullDb;
    g.drawImage (reduction, FaceLayout::reductionX, FaceLayout::reductionTop, FaceLayout::reductionWidth, (int) ((float) FaceLayout::reductionHeight * fraction), 0, 0, reduction.getWidth(), (int) ((float) reduction.getHeight() * fraction), false);

    // Max peak at 0 dB: fader in the middle, the blue line across the outputs.
    const float peak = 0.5f;
    const int thumbTop = (int) ((float) FaceLayout::faderTravel * (1.0f - peak));
    drawWhole (g, reduction, FaceLayout::faderX + FaceLayout::trackOffsetX, FaceLayout::faderY + FaceLayout::trackOffsetY, FaceLayout::trackWidth, thumbTop);
    g.drawImageAt (decode (pictures, "faderThumb_png"), FaceLayout::faderX, FaceLayout::faderY + thumbTop);
    g.setColour (juce::Colour (0x800b72f2));
    g.fillRect (202, (int) ((1.0f - peak) * 80.0f + 75.0f), 99, 3);
    g.setColour (juce::Colours::black);

    const auto gainStrip = decode (pictures, "knobGain_png");
    const auto knobStrip = decode (pictures, "knob_png");
    const int gainFrame = (int) std::floor (0.3f * 126.0f);
    g.drawImage (gainStrip, FaceLayout::gainKnobX, FaceLayout::gainKnobY, 70, 70, 0, gainFrame * 70, 70, 70, false);

    const int attackFrame = (int) std::ceil (0.15f * 126.0f);
    const int releaseFrame = (int) std::ceil (0.55f * 126.0f);
    g.drawImage (knobStrip, FaceLayout::attackKnobX, FaceLayout::smallKnobY, 48, 48, 5, attackFrame * 70 + 5, 60, 60, false);
    g.drawImage (knobStrip, FaceLayout::releaseKnobX, FaceLayout::smallKnobY, 48, 48, 5, releaseFrame * 70 + 5, 60, 60, false);

    const juce::Colour boxBackground (0x5092928d);
    const juce::Colour boxText (0xffd7d7d7);
    drawValueBox (g, text, { FaceLayout::gainValueX, FaceLayout::gainValueY, FaceLayout::gainValueWidth, FaceLayout::valueHeight }, "18 dB", boxBackground, boxText);
    drawValueBox (g, text, { FaceLayout::attackValueX, FaceLayout::smallValueY, FaceLayout::smallValueWidth, FaceLayout::valueHeight }, "1.2 ms", boxBackground, boxText);
    drawValueBox (g, text, { FaceLayout::releaseValueX, FaceLayout::smallValueY, FaceLayout::smallValueWidth, FaceLayout::valueHeight }, "120 ms", boxBackground, boxText);
    drawValueBox (g, text, { FaceLayout::faderValueX, FaceLayout::faderValueY, FaceLayout::faderValueWidth, FaceLayout::faderValueHeight }, "0 dB", juce::Colour (0x0092928d), juce::Colour (0xff6f6f6f));

    g.setOpacity (0.85f);
    drawWhole (g, decode (pictures, "gear_png"), 407, 5, 18, 18);
    return editor;
}

juce::Image EditorPreview::composeWithWelcome (const std::vector<PictureSet::Picture>& pictures, const ArtText& text)
{
    auto editor = compose (pictures, text);
    juce::Graphics g (editor);

    g.setColour (juce::Colours::black.withAlpha (0.8f));
    drawWhole (g, decode (pictures, "welcome_png"), 99, 30, FaceLayout::cardWidth, FaceLayout::cardHeight);

    g.setColour (juce::Colour (0xfffcfcfc));
    text.draw (g, "Quorvel v1.0", text.font (18.0f), 121.0f + 175.0f * 0.5f, 83.0f + 26.0f + 6.0f, ArtText::Align::centre);

    g.setColour (juce::Colour (0xffe10035));
    text.draw (g, "https://www.example.com/quorvel", text.font (22.0f * 0.7f), 125.0f + 168.0f * 0.5f, 268.0f + 16.0f, ArtText::Align::centre);
    return editor;
}
