#include "plugin/vst2/VstPlayHead.h"

#include "formats/vst2/AudioEffectX.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace
{
using juce::AudioPlayHead;

// The record's flags: the transport's state, and which fields hold a value.
enum : VstInt32
{
    transportPlaying = 1 << 1,
    transportCycleActive = 1 << 2,
    transportRecording = 1 << 3,
    nanosValid = 1 << 8,
    ppqPosValid = 1 << 9,
    tempoValid = 1 << 10,
    barsValid = 1 << 11,
    cyclePosValid = 1 << 12,
    timeSigValid = 1 << 13,
    smpteValid = 1 << 14
};

constexpr VstInt32 fieldsRead = nanosValid | ppqPosValid | tempoValid | barsValid | cyclePosValid | timeSigValid | smpteValid;

/** The frame rate of a host's time-code type; nothing for a type it does not name. */
juce::Optional<AudioPlayHead::FrameRate> frameRateOf (VstInt32 smpteType) noexcept
{
    const AudioPlayHead::FrameRate rate;

    switch (smpteType)
    {
        case 0:
            return rate.withBaseRate (24);
        case 1:
            return rate.withBaseRate (25);
        case 2:
            return rate.withBaseRate (30).withPullDown();
        case 3:
            return rate.withBaseRate (30);
        case 4:
            return rate.withBaseRate (30).withPullDown().withDrop();
        case 5:
            return rate.withBaseRate (30).withDrop();
        case 6: // 16 mm film
        case 7: // 35 mm film
            return rate.withBaseRate (24);
        case 10:
            return rate.withBaseRate (24).withPullDown();
        case 11:
            return rate.withBaseRate (25).withPullDown();
        case 12:
            return rate.withBaseRate (60).withPullDown();
        case 13:
            return rate.withBaseRate (60);
        default:
            return {};
    }
}

bool isSet (VstInt32 flags, VstInt32 flag) noexcept { return (flags & flag) != 0; }

/** A field's value when the host marks it valid and it is a number. */
juce::Optional<double> validNumber (const VstTimeInfo& info, VstInt32 flag, double value) noexcept
{
    if (isSet (info.flags, flag) && std::isfinite (value))
        return value;

    return {};
}

/** Whether a value fits the 64-bit integer it is turned into. */
bool fitsInt64 (double value) noexcept
{
    return std::isfinite (value) && value >= -9.2e18 && value <= 9.2e18;
}
} // namespace

VstPlayHead::VstPlayHead (AudioEffectX& effectToAsk) noexcept
    : effect (effectToAsk)
{
}

juce::Optional<juce::AudioPlayHead::PositionInfo> VstPlayHead::getPosition() const
{
    const auto* info = effect.getTimeInfo (fieldsRead);

    if (info == nullptr || ! (info->sampleRate > 0.0) || ! std::isfinite (info->sampleRate))
        return {};

    PositionInfo position;

    if (fitsInt64 (info->samplePos))
    {
        position.setTimeInSamples ((int64_t) std::llround (info->samplePos));
        position.setTimeInSeconds (info->samplePos / info->sampleRate);
    }

    position.setBpm (validNumber (*info, tempoValid, info->tempo));
    position.setPpqPosition (validNumber (*info, ppqPosValid, info->ppqPos));
    position.setPpqPositionOfLastBarStart (validNumber (*info, barsValid, info->barStartPos));

    if (isSet (info->flags, timeSigValid))
        position.setTimeSignature (TimeSignature { info->timeSigNumerator, info->timeSigDenominator });

    if (isSet (info->flags, cyclePosValid) && std::isfinite (info->cycleStartPos) && std::isfinite (info->cycleEndPos))
        position.setLoopPoints (LoopPoints { info->cycleStartPos, info->cycleEndPos });

    if (isSet (info->flags, smpteValid))
        position.setFrameRate (frameRateOf (info->smpteFrameRate));

    if (isSet (info->flags, nanosValid) && info->nanoSeconds >= 0.0 && info->nanoSeconds < 1.8e19)
        position.setHostTimeNs ((uint64_t) info->nanoSeconds);

    position.setIsRecording (isSet (info->flags, transportRecording));
    position.setIsPlaying (isSet (info->flags, transportPlaying | transportRecording));
    position.setIsLooping (isSet (info->flags, transportCycleActive));
    return position;
}
