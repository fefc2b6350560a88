#pragma once

#include "processor/KestruneAudioProcessor.h"

#include <memory>

/** The plug-in's processor, made by the one factory every format uses and marked as
    made for the given wrapper. Throws when it cannot be made. No message-manager lock
    is needed: nothing of the processor touches a component. */
std::unique_ptr<KestruneAudioProcessor> makeQuorvelProcessor (juce::AudioProcessor::WrapperType wrapper);
