#include "processor/KestruneAudioProcessor.h"

#include "gui/KestruneAudioProcessorEditor.h"
#include "look/BrellickLookAndFeel.h"
#include "processor/NumberText.h"
#include "processor/ParameterTable.h"
#include "processor/PluginState.h"
#include "processor/ProcessorParameter.h"
#include "resources/FaceLayout.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
    #include <emmintrin.h>
#endif

namespace
{
// The limiter as the processor builds it.
constexpr int limiterMaxSampleRate = 192000;
constexpr float limiterMaxAttackMs = ParameterTable::parameters[ParameterTable::attackTime].maximum;
constexpr float limiterInitialReleaseMs = 1000.0f;
constexpr float limiterInitialThreshold = 0.0f;

using ParameterTable::isParameterIndex;

// The largest magnitude among the samples, NaNs left out: the meters' peak.
// Several independent maxima keep the search from waiting on itself.
float peakMagnitude (const float* samples, int numSamples) noexcept
{
    int i = 0;
    float peak = 0.0f;

#if defined(__SSE2__)
    const __m128 magnitudeMask = _mm_castsi128_ps (_mm_set1_epi32 (0x7fffffff));
    __m128 largest[4] = { _mm_setzero_ps(), _mm_setzero_ps(), _mm_setzero_ps(), _mm_setzero_ps() };

    // _mm_max_ps returns its second operand when either is a NaN.
    for (; i + 16 <= numSamples; i += 16)
        for (int lane = 0; lane < 4; ++lane)
            largest[lane] = _mm_max_ps (_mm_and_ps (_mm_loadu_ps (samples + i + 4 * lane), magnitudeMask), largest[lane]);

    float lanes[4];
    _mm_storeu_ps (lanes, _mm_max_ps (_mm_max_ps (largest[0], largest[1]), _mm_max_ps (largest[2], largest[3])));

    for (float lane : lanes)
        peak = lane > peak ? lane : peak;
#else
    // The magnitudes of non-NaN floats order as their bit patterns do.
    constexpr int numLanes = 16;
    std::int32_t largest[numLanes] = {};

    for (; i + numLanes <= numSamples; i += numLanes)
    {
        for (int lane = 0; lane < numLanes; ++lane)
        {
            std::int32_t bits;
            std::memcpy (&bits, samples + i + lane, sizeof (bits));
            bits &= 0x7fffffff;
            bits &= -(std::int32_t) (bits <= 0x7f800000);
            largest[lane] = largest[lane] > bits ? largest[lane] : bits;
        }
    }

    for (auto bits : largest)
    {
        float lane;
        std::memcpy (&lane, &bits, sizeof (lane));
        peak = lane > peak ? lane : peak;
    }
#endif

    for (; i < numSamples; ++i)
    {
        const float magnitude = std::abs (samples[i]);
        peak = magnitude > peak ? magnitude : peak;
    }

    return peak;
}

// The limiter's look-ahead for a rate and attack that it accepted.
int lookaheadSamples (int sampleRate, float attackMs) noexcept
{
    return std::max (1, (int) ((float) sampleRate * attackMs / 1000.0f));
}

// The limiter's setting for a normalised value of a parameter: milliseconds,
// or a linear factor. A value whose setting would be no number, or that the
// limiter refuses (an attack above its maximum), has none: NaN.
float settingFor (int index, float v) noexcept
{
    constexpr float none = std::numeric_limits<float>::quiet_NaN();
    const float inUnit = ParameterTable::parameters[(size_t) index].toUnit (v);

    if (! std::isfinite (inUnit))
        return none;

    switch (index)
    {
        case ParameterTable::attackTime:
            // Below 0 ms every attack gives the one-sample look-ahead of 0 ms.
            return inUnit <= limiterMaxAttackMs ? std::max (inUnit, 0.0f) : none;

        case ParameterTable::releaseTime:
            return inUnit;

        case ParameterTable::maxPeakLevel:
        case ParameterTable::inputGain:
        {
            const float gain = ParameterTable::decibelsToGain (inUnit);
            return std::isfinite (gain) ? gain : none;
        }

        default:
            return none;
    }
}
} // namespace

//==============================================================================
KestruneAudioProcessor::KestruneAudioProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::discreteChannels (numLimiterChannels), true)
                                .withOutput ("Output", juce::AudioChannelSet::discreteChannels (numLimiterChannels), true))
    , history ((size_t) (numLimiterChannels * historyLength), 0.0f)
    , glideFactors ((size_t) maxSegmentLength, 0.0f)
    , scratch ((size_t) (numLimiterChannels * maxSegmentLength), 0.0f)
{
    for (auto& level : vuLevels)
        level.store (0.0f);

    limiter = std::make_unique<LookaheadLimiter> (numLimiterChannels,
                                                  limiterMaxSampleRate,
                                                  limiterMaxAttackMs,
                                                  limiterInitialReleaseMs,
                                                  limiterInitialThreshold);
    limiter->setNumChannels (numLimiterChannels);
    sampleRateInForce.store (limiterMaxSampleRate);

    for (int index = 0; index < numParameters; ++index)
        addParameter (std::make_unique<ProcessorParameter> (*this, index).release());

    for (int index : { inputGainIndex, attackTimeIndex, releaseTimeIndex, maxPeakLevelIndex })
        setParameter (index, ParameterTable::parameters[(size_t) index].defaultValue);

    // No audio thread exists yet.
    applyPendingChanges();

    idxInputConfig.store (0);
    parametersChanged.store (true);
}

KestruneAudioProcessor::~KestruneAudioProcessor()
{
    limiter.reset();
}

//==============================================================================
const juce::String KestruneAudioProcessor::getName() const
{
    return "Quorvel";
}

bool KestruneAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    return layouts.inputBuses.size() == 1
           && layouts.outputBuses.size() == 1
           && layouts.getMainInputChannels() == numLimiterChannels
           && layouts.getMainOutputChannels() == numLimiterChannels;
}

void KestruneAudioProcessor::prepareToPlay (double sampleRate, int)
{
    // Hosts call this with audio stopped, so the limiter is ours to change.
    applyPendingChanges();

    // A rate the limiter cannot take keeps the one in force. It refuses rates
    // above its maximum and below 1 Hz itself; a rate that is no number, or
    // too large for an int, never reaches the conversion to int.
    if (std::isfinite (sampleRate) && sampleRate >= 1.0 && sampleRate < 2147483648.0)
    {
        const auto rate = (int) sampleRate;

        if (limiter->setSampleRate (rate) == 0)
            sampleRateInForce.store (rate);
    }

    std::fill (history.begin(), history.end(), 0.0f);
    historyWritePosition = 0;
    lastBlockWasBypassed = false;

    setLatencySamples (limiter->getLatencySamples());
}

void KestruneAudioProcessor::releaseResources()
{
}

//==============================================================================
void KestruneAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    applyPendingChanges();
    buffer.getArrayOfWritePointers(); // the buffer is ours to change from here on

    if (lastBlockWasBypassed)
    {
        refillLimiterAfterBypass();
        lastBlockWasBypassed = false;
    }

    numMeterChannels = std::max (0, std::min (numMeterChannels, getTotalNumInputChannels()));

    const int numSamples = buffer.getNumSamples();

    for (int start = 0; start < numSamples; start += maxSegmentLength)
        processSegment (buffer, start, std::min (maxSegmentLength, numSamples - start));
}

void KestruneAudioProcessor::processSegment (juce::AudioBuffer<float>& buffer, int startSample, int numSamples)
{
    const int bufferChannels = buffer.getNumChannels();
    float* const* channels = buffer.getArrayOfWritePointers();

    writeHistory (buffer, startSample, numSamples);

    // A buffer short of channels gets silent stand-ins, so that neither the
    // gain nor the limiter reach past it.
    std::array<float*, numLimiterChannels> limiterChannels {};

    for (int ch = 0; ch < numLimiterChannels; ++ch)
    {
        if (ch < bufferChannels)
        {
            limiterChannels[(size_t) ch] = channels[ch] + startSample;
        }
        else
        {
            limiterChannels[(size_t) ch] = scratch.data() + (size_t) ch * maxSegmentLength;
            juce::FloatVectorOperations::clear (limiterChannels[(size_t) ch], numSamples);
        }
    }

    applyInputGain (limiterChannels.data(), numProcessChannels, numSamples);

    auto channelPeak = [&] (int ch)
    {
        return ch < bufferChannels ? peakMagnitude (channels[ch] + startSample, numSamples) : 0.0f;
    };

    for (int ch = 0; ch < numMeterChannels; ++ch)
        updateLevel (vuLevels[(size_t) ch], channelPeak (ch));

    limiter->process (limiterChannels.data(), numSamples);

    for (int level = numMeterChannels; level < numLevels; ++level)
        updateLevel (vuLevels[(size_t) level], channelPeak (level - numMeterChannels));

    // Every channel from 4 up is silent, outputs beyond the configured four
    // included, whatever the host left in them.
    for (int ch = numProcessChannels; ch < bufferChannels; ++ch)
        juce::FloatVectorOperations::clear (channels[ch] + startSample, numSamples);

    gainReductionDb.store (limiter->getGainReductionDb(), std::memory_order_relaxed);
}

void KestruneAudioProcessor::applyInputGain (float* const* channels, int numChannels, int numSamples)
{
    const float target = inputGain;

    // Whether to glide is decided once per block; a glide, once started, runs
    // its arithmetic over the whole block. Near the target the float steps can
    // stop short of it, more than the tolerance away (a gain of 2 rests about
    // 1e-5 short), and from then on every step gives the same factor, so the
    // rest of the block takes that factor without stepping.
    if ((double) std::abs (inputGainSmoothed - target) > 1e-6)
    {
        float smoothed = inputGainSmoothed;
        int stepped = 0;

        for (; stepped < numSamples; ++stepped)
        {
            const auto next = (float) ((double) smoothed * 0.995 + (double) target * 0.005);

            if (next == smoothed)
                break;

            smoothed = next;
            glideFactors[(size_t) stepped] = smoothed;
        }

        inputGainSmoothed = smoothed;

        for (int ch = 0; ch < numChannels; ++ch)
        {
            juce::FloatVectorOperations::multiply (channels[ch], glideFactors.data(), stepped);

            if (stepped < numSamples)
                juce::FloatVectorOperations::multiply (channels[ch] + stepped, smoothed, numSamples - stepped);
        }
    }
    else
    {
        inputGainSmoothed = target;

        if (target != 1.0f)
            for (int ch = 0; ch < numChannels; ++ch)
                juce::FloatVectorOperations::multiply (channels[ch], target, numSamples);
    }
}

void KestruneAudioProcessor::updateLevel (std::atomic<float>& level, float peak)
{
    float reading = 0.0f;

    if (peak > 0.0f)
    {
        const float decibels = std::log10 (peak) * 20.0f;

        if (decibels > -80.0f)
            reading = FaceLayout::meterLevel (decibels);
    }

    // Rises at once, falls by a tenth of the distance per block.
    const float previous = level.load (std::memory_order_relaxed);
    level.store (reading > previous ? reading : (float) ((double) previous * 0.9 + (double) reading * 0.1),
                 std::memory_order_relaxed);
}

//==============================================================================
void KestruneAudioProcessor::processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    applyPendingChanges();

    const int bufferChannels = buffer.getNumChannels();
    const int numSamples = buffer.getNumSamples();
    float* const* channels = buffer.getArrayOfWritePointers();

    // The input leaves delayed by the look-ahead the host compensates, at
    // unity gain; level values and limiter stay as they were.
    const int delay = std::min (limiter->getLatencySamples(), historyLength - 1);
    constexpr int mask = historyLength - 1;

    for (int ch = 0; ch < numLimiterChannels; ++ch)
    {
        float* const ring = history.data() + (size_t) ch * historyLength;

        if (ch < bufferChannels)
        {
            float* const samples = channels[ch];

            for (int i = 0; i < numSamples; ++i)
            {
                const int position = (historyWritePosition + i) & mask;
                ring[position] = samples[i];
                samples[i] = ring[(position - delay) & mask];
            }
        }
        else
        {
            for (int i = 0; i < numSamples; ++i)
                ring[(historyWritePosition + i) & mask] = 0.0f;
        }
    }

    historyWritePosition = (int) (((unsigned int) historyWritePosition + (unsigned int) numSamples) & (unsigned int) mask);
    lastBlockWasBypassed = true;

    for (int ch = numProcessChannels; ch < bufferChannels; ++ch)
        juce::FloatVectorOperations::clear (channels[ch], numSamples);
}

void KestruneAudioProcessor::writeHistory (const juce::AudioBuffer<float>& buffer, int startSample, int numSamples)
{
    // numSamples never exceeds historyLength, so at most one wrap.
    const int firstPart = std::min (numSamples, historyLength - historyWritePosition);

    for (int ch = 0; ch < numLimiterChannels; ++ch)
    {
        float* const ring = history.data() + (size_t) ch * historyLength;

        if (ch < buffer.getNumChannels())
        {
            const float* const samples = buffer.getReadPointer (ch, startSample);
            std::copy (samples, samples + firstPart, ring + historyWritePosition);
            std::copy (samples + firstPart, samples + numSamples, ring);
        }
        else
        {
            std::fill (ring + historyWritePosition, ring + historyWritePosition + firstPart, 0.0f);
            std::fill (ring, ring + (numSamples - firstPart), 0.0f);
        }
    }

    historyWritePosition = (historyWritePosition + numSamples) & (historyLength - 1);
}

void KestruneAudioProcessor::refillLimiterAfterBypass()
{
    // The limiter's delay still holds audio from before the bypass. Clear it
    // and run the input of the last look-ahead through the limiter instead,
    // so that processing resumes exactly where the bypassed output stopped.
    limiter->setNumChannels (numLimiterChannels);

    const int length = std::min (limiter->getLatencySamples(), maxSegmentLength);
    const int start = (historyWritePosition - length) & (historyLength - 1);
    const int firstPart = std::min (length, historyLength - start);

    std::array<float*, numLimiterChannels> refill {};

    for (int ch = 0; ch < numLimiterChannels; ++ch)
    {
        const float* const ring = history.data() + (size_t) ch * historyLength;
        float* const samples = scratch.data() + (size_t) ch * maxSegmentLength;

        std::copy (ring + start, ring + start + firstPart, samples);
        std::copy (ring, ring + (length - firstPart), samples + firstPart);

        if (inputGainSmoothed != 1.0f)
            juce::FloatVectorOperations::multiply (samples, inputGainSmoothed, length);

        refill[(size_t) ch] = samples;
    }

    limiter->process (refill.data(), length);
}

//==============================================================================
const juce::String KestruneAudioProcessor::getInputChannelName (int channelIndex) const
{
    return juce::String ((juce::int64) channelIndex + 1);
}

const juce::String KestruneAudioProcessor::getOutputChannelName (int channelIndex) const
{
    return juce::String ((juce::int64) channelIndex + 1);
}

bool KestruneAudioProcessor::isInputChannelStereoPair (int) const
{
    return true;
}

bool KestruneAudioProcessor::isOutputChannelStereoPair (int) const
{
    return true;
}

double KestruneAudioProcessor::getTailLengthSeconds() const
{
    return 0.0;
}

bool KestruneAudioProcessor::acceptsMidi() const
{
    return true;
}

bool KestruneAudioProcessor::producesMidi() const
{
    return false;
}

juce::AudioProcessorEditor* KestruneAudioProcessor::createEditor()
{
    return new KestruneAudioProcessorEditor (*this);
}

bool KestruneAudioProcessor::hasEditor() const
{
    return true;
}

//==============================================================================
int KestruneAudioProcessor::getNumParameters()
{
    return numParameters;
}

const juce::String KestruneAudioProcessor::getParameterName (int index)
{
    return isParameterIndex (index) ? juce::String (ParameterTable::parameters[(size_t) index].name) : juce::String();
}

float KestruneAudioProcessor::getParameter (int index)
{
    return isParameterIndex (index) ? changes.value (index) : 0.0f;
}

const juce::String KestruneAudioProcessor::getParameterText (int index)
{
    return isParameterIndex (index) ? NumberText::formatForDisplay (changes.value (index)) : juce::String();
}

float KestruneAudioProcessor::getParameterDefaultValue (int index)
{
    return isParameterIndex (index) ? ParameterTable::parameters[(size_t) index].defaultValue : 0.0f;
}

juce::AudioProcessorParameter* KestruneAudioProcessor::getParameterObject (int index) const
{
    return isParameterIndex (index) ? getParameters()[index] : nullptr;
}

void KestruneAudioProcessor::setParameter (int index, float v)
{
    if (! isParameterIndex (index) || ! std::isfinite (v))
        return;

    storeParameter (index, v);
}

void KestruneAudioProcessor::storeParameter (int index, float v)
{
    changes.store (index, v, std::isfinite (settingFor (index, v)));
    parametersChanged.store (true);
}

void KestruneAudioProcessor::applyPendingChanges()
{
    if (! changes.mayHaveDue())
        return;

    std::array<PendingParameterChanges::Change, numParameters> due;
    const int numDue = changes.takeDue (due);

    for (int n = 0; n < numDue; ++n)
    {
        const auto& change = due[(size_t) n];
        const float setting = settingFor (change.index, change.value);

        switch ((ParameterIndex) change.index)
        {
            case attackTimeIndex:
                limiter->setAttack (setting);
                break;
            case releaseTimeIndex:
                limiter->setRelease (setting);
                break;
            case maxPeakLevelIndex:
                limiter->setThreshold (setting);
                break;
            case inputGainIndex:
                inputGain = setting;
                break;
        }
    }
}

int KestruneAudioProcessor::getSettledLatencySamples() const noexcept
{
    return lookaheadSamples (sampleRateInForce.load(), settingFor (attackTimeIndex, changes.settingValue (attackTimeIndex)));
}

float KestruneAudioProcessor::getGainReductionDb() const noexcept
{
    return gainReductionDb.load (std::memory_order_relaxed);
}

//==============================================================================
int KestruneAudioProcessor::getNumPrograms()
{
    return 1;
}

int KestruneAudioProcessor::getCurrentProgram()
{
    return 0;
}

void KestruneAudioProcessor::setCurrentProgram (int)
{
}

const juce::String KestruneAudioProcessor::getProgramName (int)
{
    return "Default";
}

void KestruneAudioProcessor::changeProgramName (int, const juce::String&)
{
}

//==============================================================================
void KestruneAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    std::array<float, numParameters> values {};

    for (size_t index = 0; index < values.size(); ++index)
        values[index] = changes.value ((int) index);

    PluginState::write (values, idxInputConfig.load(), destData);
}

void KestruneAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    restoreState (data, sizeInBytes);
}

bool KestruneAudioProcessor::restoreState (const void* data, int sizeInBytes)
{
    const auto entries = PluginState::read (data, sizeInBytes);

    if (! entries.has_value())
        return false;

    // Elements arrive in document order, as parameter changes one by one; a
    // repeated one is applied again.
    for (const auto& entry : *entries)
    {
        if (entry.parameterIndex == PluginState::inputConfigEntry)
            idxInputConfig.store (entry.inputConfig);
        else if (std::isfinite (entry.value))
            storeParameter (entry.parameterIndex, entry.value);
    }

    parametersChanged.store (true);
    return true;
}

//==============================================================================
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new KestruneAudioProcessor();
}
