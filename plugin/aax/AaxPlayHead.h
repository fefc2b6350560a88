#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

class AAX_CEffectParameters;

/*  The processor's play head in an AAX host: every query reads the transport of the
    effect's host instance afresh, so the answer is the host's at that moment.

    - Tempo, ticks and loop points appear only when the host answers them; ticks are
      960000 to the quarter note.
    - The meter reads as 4/4 and the transport as stopped when the host cannot say.
    - Stopped, the position is the start of the timeline selection; playing (or with
      a host that cannot give the selection) it is the host's native sample location.
    - The time-code rate appears for the host's seven codes only.

    The effect's transport exists from Initialize to Uninitialize; outside that there
    is no position. Called on the audio thread: it allocates nothing and takes no lock
    of its own.
*/
class AaxPlayHead final : public juce::AudioPlayHead
{
public:
    static constexpr double ticksPerQuarterNote = 960000.0;

    explicit AaxPlayHead (AAX_CEffectParameters& effectToRead) noexcept;

    juce::Optional<PositionInfo> getPosition() const override;

private:
    AAX_CEffectParameters& effect;
};
