#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

class AudioEffectX;

/*  The processor's play head in a VST 2.4 host: every query asks the host for its
    time information afresh (getTimeInfo, with the filter flags of the fields read
    here), so the answer is the host's at that moment.

    - Sample position and time in seconds always, once the host names a usable rate.
    - Tempo, time signature, quarter-note position, bar start, loop points, frame rate
      and host time only when the host's flags mark them valid.
    - Playing (or recording), recording and looping from the transport flags.
    - A host that answers nothing, or with a rate that is not a positive number, gives
      no position; a field whose value is not finite is left out.

    Meant for the audio thread, where hosts answer this request: it allocates nothing
    and takes no lock of its own.
*/
class VstPlayHead final : public juce::AudioPlayHead
{
public:
    explicit VstPlayHead (AudioEffectX& effectToAsk) noexcept;

    juce::Optional<PositionInfo> getPosition() const override;

private:
    AudioEffectX& effect;
};
