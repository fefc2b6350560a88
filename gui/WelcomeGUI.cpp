#include "gui/WelcomeGUI.h"

#include "gui/InvisibleButton.h"
#include "resources/BinaryData.h"
#include "resources/FaceRectangle.h"

namespace
{
const juce::Colour titleColour { 0xFFFCFCFC };
const juce::Colour linkColour { 0xFFE10035 };

juce::Rectangle<int> inCard (FaceLayout::Box box)
{
    return toRectangle (FaceLayout::within (FaceLayout::welcomeCard, box));
}
} // namespace

WelcomeGUI::WelcomeGUI()
{
    labelTitle = std::make_unique<juce::Label> ("labelTitle", juce::translate (titleText));
    addAndMakeVisible (labelTitle.get());
    labelTitle->setFont (juce::Font (18.0f, juce::Font::plain));
    labelTitle->setJustificationType (juce::Justification::centred);
    labelTitle->setEditable (false, false, false);
    labelTitle->setColour (juce::Label::textColourId, titleColour);

    // Lies over the title, so a click on the title closes the panel too.
    closeButton = std::make_unique<juce::TextButton> ("closeButton");
    addAndMakeVisible (closeButton.get());
    setUpInvisibleButton (*closeButton, transparentButtonLookAndFeel, *this);

    // The framework's link button opens its URL by itself when clicked.
    hyperlinkButton = std::make_unique<juce::HyperlinkButton> (juce::translate (makerWebAddress),
                                                               juce::URL (makerWebAddress));
    addAndMakeVisible (hyperlinkButton.get());
    hyperlinkButton->setColour (juce::HyperlinkButton::textColourId, linkColour);

    welcomeImage = juce::ImageCache::getFromMemory (BinaryData::welcome_png, BinaryData::welcome_pngSize);

    setSize (FaceLayout::width, FaceLayout::height);

    hyperlinkButton->setFont (juce::Font (14.0f, juce::Font::plain), true, juce::Justification::horizontallyCentred);
}

WelcomeGUI::~WelcomeGUI()
{
    // The button goes before the look installed on it.
    labelTitle.reset();
    closeButton.reset();
    hyperlinkButton.reset();
}

void WelcomeGUI::paint (juce::Graphics& g)
{
    // Images are drawn at the opacity of the current colour.
    g.setColour (juce::Colours::black.withAlpha (cardOpacity));
    // Drawn at the card's size, whatever the size of the decoded picture.
    const auto card = toRectangle (FaceLayout::welcomeCard);
    g.drawImage (welcomeImage,
                 card.getX(),
                 card.getY(),
                 card.getWidth(),
                 card.getHeight(),
                 0,
                 0,
                 welcomeImage.getWidth(),
                 welcomeImage.getHeight(),
                 false);
}

void WelcomeGUI::resized()
{
    labelTitle->setBounds (inCard (FaceLayout::cardTitle));
    closeButton->setBounds (0, 0, FaceLayout::width, FaceLayout::height);
    hyperlinkButton->setBounds (inCard (FaceLayout::cardLink));
}

void WelcomeGUI::buttonClicked (juce::Button* button)
{
    if (button == closeButton.get())
        setVisible (false);
}
