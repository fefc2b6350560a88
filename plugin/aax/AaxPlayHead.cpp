#include "plugin/aax/AaxPlayHead.h"

#include "formats/aax/AAX_CEffectParameters.h"
#include "formats/aax/AAX_VTransport.h"

#include <cstdint>
#include <iterator>

namespace
{
using juce::AudioPlayHead;

/** The host's time-code rate codes 1 to 7, in order. */
const AudioPlayHead::FrameRateType hostFrameRates[] = {
    AudioPlayHead::fps24,
    AudioPlayHead::fps25,
    AudioPlayHead::fps2997,
    AudioPlayHead::fps2997drop,
    AudioPlayHead::fps30,
    AudioPlayHead::fps30drop,
    AudioPlayHead::fps23976,
};

double toQuarterNotes (int64_t ticks) noexcept
{
    return (double) ticks / AaxPlayHead::ticksPerQuarterNote;
}
} // namespace

AaxPlayHead::AaxPlayHead (AAX_CEffectParameters& effectToRead) noexcept
    : effect (effectToRead)
{
}

juce::Optional<juce::AudioPlayHead::PositionInfo> AaxPlayHead::getPosition() const
{
    const auto* transport = effect.Transport();

    if (transport == nullptr)
        return {};

    PositionInfo position;

    double tempo = 0.0;

    if (transport->GetCurrentTempo (&tempo) == kAAX_Success)
        position.setBpm (tempo);

    // A host that cannot tell its meter leaves common time.
    int32_t numerator = 4, denominator = 4;
    transport->GetCurrentMeter (&numerator, &denominator);
    position.setTimeSignature (TimeSignature { numerator, denominator });

    AAX_CBoolean playing = 0;
    const bool isPlaying = transport->IsTransportPlaying (&playing) == kAAX_Success && playing != 0;
    position.setIsPlaying (isPlaying);

    // Stopped, the host's position is where the selection starts; only a playing
    // transport (or a host that cannot tell the selection) moves with the samples.
    int64_t samplePosition = 0;
    bool positionKnown = ! isPlaying && transport->GetTimelineSelectionStartPosition (&samplePosition) == kAAX_Success;

    if (! positionKnown)
        positionKnown = transport->GetCurrentNativeSampleLocation (&samplePosition) == kAAX_Success;

    if (positionKnown)
        position.setTimeInSamples (samplePosition);

    int64_t tick = 0;

    if (transport->GetCurrentTickPosition (&tick) == kAAX_Success)
        position.setPpqPosition (toQuarterNotes (tick));

    AAX_CBoolean looping = 0;
    int64_t loopStart = 0, loopEnd = 0;

    if (transport->GetCurrentLoopPosition (&looping, &loopStart, &loopEnd) == kAAX_Success)
    {
        position.setIsLooping (looping != 0);
        position.setLoopPoints (LoopPoints { toQuarterNotes (loopStart), toQuarterNotes (loopEnd) });
    }

    int32_t rateCode = 0, timeCodeOffset = 0;

    if (transport->GetTimeCodeInfo (&rateCode, &timeCodeOffset) == kAAX_Success
        && rateCode >= 1 && rateCode <= (int32_t) std::size (hostFrameRates))
        position.setFrameRate (FrameRate (hostFrameRates[rateCode - 1]));

    return position;
}
