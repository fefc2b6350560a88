#pragma once

#include "processor/KestruneAudioProcessor.h"

#include <memory>

/*  How both bridges set up the processor they drive: the one factory that makes it,
    and the sample rate it is prepared at. */

/** The plug-in's processor, made by the one factory every format uses and marked as
    made for the given wrapper. Throws when it cannot be made. No message-manager lock
    is needed: nothing of the processor touches a component. */
std::unique_ptr<KestruneAudioProcessor> makeQuorvelProcessor (juce::AudioProcessor::WrapperType wrapper);

/** The rate the processor is prepared at while the host names none it could run at. */
constexpr double fallbackSampleRate = 44100.0;

/** Whether the processor can run at a rate a host names: a finite, positive one. */
bool isUsableSampleRate (double rate) noexcept;

/** The host's rate when it is usable, the fallback otherwise. */
double sampleRateOrFallback (double hostRate) noexcept;
