#include "gui/KestruneAudioProcessorEditor.h"

#include "gui/InvisibleButton.h"
#include "processor/KestruneAudioProcessor.h"
#include "processor/NumberText.h"
#include "processor/ParameterTable.h"
#include "resources/BinaryData.h"
#include "resources/FaceRectangle.h"

namespace
{
using ParameterTable::parameters;

/** A stored value may lie outside 0..1 (a host may put it there; a saved state is
    read within the range); the controls show it at the nearest end of their scale
    and NaN at the bottom. */
float clampNormalised (float normalised) noexcept
{
    return normalised > 0.0f ? ParameterTable::limitToNormalisedRange (normalised) : ParameterTable::normalisedMinimum;
}

double sliderValueFromNormalised (float normalised, int parameterIndex) noexcept
{
    return (double) parameters[(size_t) parameterIndex].toUnit (clampNormalised (normalised));
}

float normalisedFromSliderValue (double value, int parameterIndex) noexcept
{
    return (float) parameters[(size_t) parameterIndex].toNormalised (value);
}

struct SliderColours
{
    juce::uint32 background;
    juce::uint32 thumb;
    bool hasTrack;
    juce::uint32 track;
    juce::uint32 textBoxText;
    juce::uint32 textBoxBackground;
};

// The two knobs on black take black tracks; the gain knob and the fader show none.
constexpr SliderColours knobColours { 0xFF000000, 0xFF000000, true, 0xFF000000, 0xFFD7D7D7, 0x5092928D };
constexpr SliderColours gainColours { 0x00000000, 0xFFEEEEEE, false, 0, 0xFFD7D7D7, 0x5092928D };
constexpr SliderColours faderColours { 0x00000000, 0xFFEEEEEE, false, 0, 0xFF6F6F6F, 0x0092928D };

constexpr juce::uint32 rotaryFillColour = 0x7FFDFDFD;
constexpr juce::uint32 rotaryOutlineColour = 0xFF797979;
constexpr juce::uint32 textBoxHighlightColour = 0x3AFFFFFF;
constexpr juce::uint32 textBoxOutlineColour = 0x00B9B9B9;

const juce::Colour titleButtonColour { 0x00BBBBFF };
const juce::Colour titleButtonOnColour { 0x48E8E8E8 };
const juce::Colour noOverlay { 0x00000000 };

constexpr int fuMaIndex = 1;

void setUpSlider (juce::Slider& slider,
                  juce::Slider::TextEntryBoxPosition textBoxPosition,
                  int textBoxWidth,
                  int textBoxHeight,
                  const SliderColours& colours,
                  juce::Slider::Listener& listener)
{
    slider.setSliderStyle (juce::Slider::RotaryVerticalDrag);
    slider.setTextBoxStyle (textBoxPosition, false, textBoxWidth, textBoxHeight);
    slider.setColour (juce::Slider::backgroundColourId, juce::Colour (colours.background));
    slider.setColour (juce::Slider::thumbColourId, juce::Colour (colours.thumb));

    if (colours.hasTrack)
        slider.setColour (juce::Slider::trackColourId, juce::Colour (colours.track));

    slider.setColour (juce::Slider::rotarySliderFillColourId, juce::Colour (rotaryFillColour));
    slider.setColour (juce::Slider::rotarySliderOutlineColourId, juce::Colour (rotaryOutlineColour));
    slider.setColour (juce::Slider::textBoxTextColourId, juce::Colour (colours.textBoxText));
    slider.setColour (juce::Slider::textBoxBackgroundColourId, juce::Colour (colours.textBoxBackground));
    slider.setColour (juce::Slider::textBoxHighlightColourId, juce::Colour (textBoxHighlightColour));
    slider.setColour (juce::Slider::textBoxOutlineColourId, juce::Colour (textBoxOutlineColour));
    slider.addListener (&listener);

    // The framework writes a slider's decimals through the process's locale, which a host
    // may have set to one with a decimal comma that the text box then cannot read back.
    slider.textFromValueFunction = [&slider] (double value)
    {
        const int places = slider.getNumDecimalPlacesToDisplay();
        return places > 0 ? NumberText::formatWithDecimals (value, places) : juce::String (juce::roundToInt (value));
    };
}

juce::Image loadImage (const void* data, int size)
{
    return juce::ImageCache::getFromMemory (data, size);
}

void place (juce::Component& component, FaceLayout::Box box)
{
    component.setBounds (toRectangle (box));
}

juce::Image captionFor (int inputConfig)
{
    return inputConfig == fuMaIndex ? loadImage (BinaryData::captionFuMa_png, BinaryData::captionFuMa_pngSize)
                                    : loadImage (BinaryData::captionAmbiX_png, BinaryData::captionAmbiX_pngSize);
}
} // namespace

KestruneAudioProcessorEditor::KestruneAudioProcessorEditor (KestruneAudioProcessor& processorToEdit)
    : juce::AudioProcessorEditor (processorToEdit)
    , audioProcessor (processorToEdit)
{
    const auto gear = loadImage (BinaryData::gear_png, BinaryData::gear_pngSize);

    engrenage = std::make_unique<juce::ImageButton> ("engrenage");
    addAndMakeVisible (engrenage.get());
    engrenage->setButtonText (juce::translate ("new button"));
    engrenage->addListener (this);
    engrenage->setImages (false, true, true, gear, 0.85f, noOverlay, gear, 1.0f, noOverlay, gear, 0.5f, noOverlay, 0.0f);

    auto makeMeter = [this] (int levelIndex, const char* name)
    {
        auto meter = std::make_unique<VuMeter> (&audioProcessor, levelIndex);
        addAndMakeVisible (meter.get());
        meter->setName (name);
        return meter;
    };

    vuMeter0 = makeMeter (0, "vuMeter");
    vuMeter1 = makeMeter (1, "vuMeter");
    vuMeter2 = makeMeter (2, "vuMeter");
    vuMeter3 = makeMeter (3, "vuMeter");
    vuMeter4 = makeMeter (4, "vuMeter");
    vuMeter5 = makeMeter (5, "vuMeter");

    sliderGain = std::make_unique<juce::Slider> ("sliderGain");
    addAndMakeVisible (sliderGain.get());
    setUpSlider (*sliderGain, juce::Slider::TextBoxRight, 45, 15, gainColours, *this);

    titleButton = std::make_unique<juce::TextButton> ("new button");
    addAndMakeVisible (titleButton.get());
    setUpInvisibleButton (*titleButton, transparentButtonLookAndFeel, *this);
    titleButton->setColour (juce::TextButton::buttonColourId, titleButtonColour);
    titleButton->setColour (juce::TextButton::buttonOnColourId, titleButtonOnColour);

    vuMeter6 = makeMeter (6, "vuMeter");
    vuMeter7 = makeMeter (7, "vuMeter");

    sliderAttack = std::make_unique<juce::Slider> ("sliderAttack");
    addAndMakeVisible (sliderAttack.get());
    setUpSlider (*sliderAttack, juce::Slider::TextBoxRight, 55, 15, knobColours, *this);

    sliderRelease = std::make_unique<juce::Slider> ("sliderRelease");
    addAndMakeVisible (sliderRelease.get());
    setUpSlider (*sliderRelease, juce::Slider::TextBoxRight, 55, 15, knobColours, *this);

    // Keeps the rotary style; its look draws it as a vertical fader.
    sliderThreshold = std::make_unique<juce::Slider> ("sliderThreshold");
    addAndMakeVisible (sliderThreshold.get());
    setUpSlider (*sliderThreshold, juce::Slider::TextBoxBelow, 40, 12, faderColours, *this);

    vuMeterGainReduction = makeMeter (-1, "vuMeterGainReduction");

    blueLine = std::make_unique<BlueLine>();
    addAndMakeVisible (blueLine.get());
    blueLine->setName ("blueLine");

    backgroundImage = loadImage (BinaryData::background_jpg, BinaryData::background_jpgSize);
    inputCaptionImage = captionFor (0);
    outputCaptionImage = inputCaptionImage;

    setSize (FaceLayout::width, FaceLayout::height);

    // The welcome panel is added last so that it lies above the option panel.
    optionGUI = std::make_unique<OptionGUI> (&audioProcessor);
    addChildComponent (optionGUI.get());
    welcomeGUI = std::make_unique<WelcomeGUI>();
    addChildComponent (welcomeGUI.get());

    audioProcessor.parametersChanged.store (true);

    // By parameter index.
    juce::Slider* const sliders[] = { sliderAttack.get(), sliderRelease.get(), sliderThreshold.get(), sliderGain.get() };

    for (size_t index = 0; index < std::size (sliders); ++index)
        sliders[index]->setTextValueSuffix (juce::String (" ") + parameters[index].unit);

    for (size_t index = 0; index < std::size (sliders); ++index)
        sliders[index]->setRange (parameters[index].minimum, parameters[index].maximum, parameters[index].interval);

    // The values a fresh processor starts with.
    for (size_t index = 0; index < std::size (sliders); ++index)
        sliders[index]->setDoubleClickReturnValue (true, parameters[index].defaultInUnit());

    for (size_t index = 0; index < std::size (sliders); ++index)
        if (parameters[index].skew != 1.0)
            sliders[index]->setSkewFactor (parameters[index].skew);

    sliderThreshold->setMouseDragSensitivity (100);

    sliderAttack->setLookAndFeel (&altLookAndFeel);
    sliderRelease->setLookAndFeel (&altLookAndFeel);
    sliderThreshold->setLookAndFeel (&maxPeakLookAndFeel);
    sliderGain->setLookAndFeel (&gainLookAndFeel);

    const auto inputBar = loadImage (BinaryData::vuMeterInput_png, BinaryData::vuMeterInput_pngSize);
    const auto outputBar = loadImage (BinaryData::vuMeterOutput_png, BinaryData::vuMeterOutput_pngSize);

    for (auto* meter : { vuMeter0.get(), vuMeter1.get(), vuMeter2.get(), vuMeter3.get() })
        meter->meterImage = inputBar;

    for (auto* meter : { vuMeter4.get(), vuMeter5.get(), vuMeter6.get(), vuMeter7.get() })
        meter->meterImage = outputBar;

    vuMeterGainReduction->meterImage = loadImage (BinaryData::gainReductionBar_png, BinaryData::gainReductionBar_pngSize);
    vuMeterGainReduction->gainReductionMode = true;

    engrenage->setTriggeredOnMouseDown (true);

    shownInputConfig = 0;
    loadFromProcessor();

    startTimer (refreshIntervalMs);
}

KestruneAudioProcessorEditor::~KestruneAudioProcessorEditor()
{
    stopTimer();

    optionGUI.reset();

    // Every component that uses one of the look members goes before it.
    engrenage.reset();
    vuMeter0.reset();
    vuMeter1.reset();
    vuMeter2.reset();
    vuMeter3.reset();
    vuMeter4.reset();
    vuMeter5.reset();
    sliderGain.reset();
    titleButton.reset();
    vuMeter6.reset();
    vuMeter7.reset();
    sliderAttack.reset();
    sliderRelease.reset();
    sliderThreshold.reset();
    vuMeterGainReduction.reset();
    blueLine.reset();
}

void KestruneAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);

    // An opaque colour draws the images at full opacity.
    auto drawWhole = [&g] (const juce::Image& image, FaceLayout::Box box)
    {
        g.setColour (juce::Colours::black);
        g.drawImage (image, box.x, box.y, box.width, box.height, 0, 0, image.getWidth(), image.getHeight(), false);
    };

    drawWhole (backgroundImage, { 0, 0, FaceLayout::width, FaceLayout::height });
    drawWhole (inputCaptionImage, FaceLayout::inputCaption);
    drawWhole (outputCaptionImage, FaceLayout::outputCaption);
}

void KestruneAudioProcessorEditor::resized()
{
    place (*engrenage, FaceLayout::gearButton);
    place (*vuMeter0, FaceLayout::levelMeter (FaceLayout::inputMeterX[0]));
    place (*vuMeter1, FaceLayout::levelMeter (FaceLayout::inputMeterX[1]));
    place (*vuMeter2, FaceLayout::levelMeter (FaceLayout::inputMeterX[2]));
    place (*vuMeter3, FaceLayout::levelMeter (FaceLayout::inputMeterX[3]));
    place (*vuMeter4, FaceLayout::levelMeter (FaceLayout::outputMeterX[0]));
    place (*vuMeter5, FaceLayout::levelMeter (FaceLayout::outputMeterX[1]));
    place (*sliderGain, FaceLayout::gainKnob);
    place (*titleButton, FaceLayout::titleButton);
    place (*vuMeter6, FaceLayout::levelMeter (FaceLayout::outputMeterX[2]));
    place (*vuMeter7, FaceLayout::levelMeter (FaceLayout::outputMeterX[3]));
    place (*sliderAttack, FaceLayout::attackKnob);
    place (*sliderRelease, FaceLayout::releaseKnob);
    place (*sliderThreshold, FaceLayout::fader);
    place (*vuMeterGainReduction, FaceLayout::reductionMeter);

    // The design position, the meters' top row; every load moves the line to the parameter's height.
    place (*blueLine, FaceLayout::maxPeakLine (FaceLayout::meterTop));
}

void KestruneAudioProcessorEditor::timerCallback()
{
    for (auto* meter : { vuMeter0.get(),
                         vuMeter1.get(),
                         vuMeter2.get(),
                         vuMeter3.get(),
                         vuMeter4.get(),
                         vuMeter5.get(),
                         vuMeter6.get(),
                         vuMeter7.get(),
                         vuMeterGainReduction.get() })
        meter->repaint();

    // Cleared before the parameters are read, so that a change landing during the load
    // sets the flag again and is picked up by the next tick.
    if (! audioProcessor.parametersChanged.exchange (false))
        return;

    if (loadFromProcessor())
        repaint();
}

void KestruneAudioProcessorEditor::buttonClicked (juce::Button* button)
{
    juce::Component* panel = nullptr;

    if (button == engrenage.get())
        panel = optionGUI.get();
    else if (button == titleButton.get())
        panel = welcomeGUI.get();

    if (panel != nullptr)
        panel->setVisible (! panel->isVisible());
}

void KestruneAudioProcessorEditor::sliderValueChanged (juce::Slider* slider)
{
    const int index = getParameterIndexFor (slider);

    if (index < 0)
        return;

    if (auto* parameter = audioProcessor.getParameterObject (index))
        parameter->setValueNotifyingHost (normalisedFromSliderValue (slider->getValue(), index));
}

void KestruneAudioProcessorEditor::sliderDragStarted (juce::Slider* slider)
{
    if (auto* parameter = audioProcessor.getParameterObject (getParameterIndexFor (slider)))
        parameter->beginChangeGesture();
}

void KestruneAudioProcessorEditor::sliderDragEnded (juce::Slider* slider)
{
    if (auto* parameter = audioProcessor.getParameterObject (getParameterIndexFor (slider)))
        parameter->endChangeGesture();
}

int KestruneAudioProcessorEditor::getMaxPeakLineY (float normalisedMaxPeak) noexcept
{
    return FaceLayout::maxPeakLineY (clampNormalised (normalisedMaxPeak));
}

int KestruneAudioProcessorEditor::getParameterIndexFor (const juce::Slider* slider) const noexcept
{
    if (slider == sliderAttack.get())
        return ParameterTable::attackTime;
    if (slider == sliderRelease.get())
        return ParameterTable::releaseTime;
    if (slider == sliderThreshold.get())
        return ParameterTable::maxPeakLevel;
    if (slider == sliderGain.get())
        return ParameterTable::inputGain;

    return -1;
}

bool KestruneAudioProcessorEditor::loadFromProcessor()
{
    // Loaded without notification: a load never writes a parameter back.
    const float gain = audioProcessor.getParameter (ParameterTable::inputGain);
    const float attack = audioProcessor.getParameter (ParameterTable::attackTime);
    const float release = audioProcessor.getParameter (ParameterTable::releaseTime);
    const float maxPeak = audioProcessor.getParameter (ParameterTable::maxPeakLevel);

    sliderGain->setValue (sliderValueFromNormalised (gain, ParameterTable::inputGain), juce::dontSendNotification);
    sliderAttack->setValue (sliderValueFromNormalised (attack, ParameterTable::attackTime), juce::dontSendNotification);
    sliderRelease->setValue (sliderValueFromNormalised (release, ParameterTable::releaseTime), juce::dontSendNotification);
    sliderThreshold->setValue (sliderValueFromNormalised (maxPeak, ParameterTable::maxPeakLevel), juce::dontSendNotification);

    const float linePosition = audioProcessor.getParameter (ParameterTable::maxPeakLevel);
    place (*blueLine, FaceLayout::maxPeakLine (getMaxPeakLineY (linePosition)));
    blueLine->setVisible (true);

    const int inputConfig = audioProcessor.idxInputConfig.load();

    if (inputConfig == shownInputConfig)
        return false;

    shownInputConfig = inputConfig;
    inputCaptionImage = captionFor (inputConfig);
    outputCaptionImage = inputCaptionImage;
    return true;
}
