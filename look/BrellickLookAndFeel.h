#pragma once

#include "look/AltLookAndFeel.h"
#include "look/DefaultLook.h"
#include "processor/KestruneAudioProcessor.h"

// The look every plug-in instance in the process shares, through each
// processor's SharedResourcePointer: the first processor creates it and it
// becomes the framework's default look, so every component without a look of
// its own is drawn by AltLookAndFeel and the default sans-serif face is
// Roboto; the last processor to go deletes it and the framework's own default
// returns.
class KestruneAudioProcessor::BrellickLookAndFeel : public AltLookAndFeel
{
public:
    BrellickLookAndFeel() { DefaultLook::install (*this); }
    ~BrellickLookAndFeel() override { DefaultLook::remove (*this); }

private:
    JUCE_DECLARE_NON_COPYABLE (BrellickLookAndFeel)
};
