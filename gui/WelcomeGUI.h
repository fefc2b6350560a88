#pragma once

#include "look/AltLookAndFeel_transparentButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** The welcome panel: an overlay as large as the editor with the product card, its
    title and a link to the maker's web site. A click anywhere but on the link hides it;
    the link opens the site and leaves the panel open. */
class WelcomeGUI : public juce::Component,
                   public juce::Button::Listener
{
public:
    WelcomeGUI();
    ~WelcomeGUI() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void buttonClicked (juce::Button* button) override;

    /** The maker's web address, shown as the link's text and opened by it. Short
        enough to show whole in the link at the height the link sets its text. */
    static constexpr const char* makerWebAddress = "https://example.com/";

    static constexpr const char* titleText = "Quorvel v1.0";

    /** The card shows at this opacity over the editor. */
    static constexpr float cardOpacity = 0.8f;

private:
    AltLookAndFeel_transparentButton transparentButtonLookAndFeel;
    std::unique_ptr<juce::Label> labelTitle;
    std::unique_ptr<juce::TextButton> closeButton;
    std::unique_ptr<juce::HyperlinkButton> hyperlinkButton;
    juce::Image welcomeImage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WelcomeGUI)
};
