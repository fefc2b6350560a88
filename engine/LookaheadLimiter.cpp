#include "engine/LookaheadLimiter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace
{
constexpr float largestFinite = std::numeric_limits<float>::max();

// The transition release that follows an attack change recovers like this release time.
constexpr float transitionReleaseMs = 75.0f;

// The transition ends once its weight has decayed to this.
constexpr double transitionEnd = 0.0001;

// While the output delay glides it keeps this share of its value and takes the rest
// from the goal, per sample: a time constant of 10000 samples.
constexpr double glideKeep = 0.9999;
constexpr double glideTake = 0.0001;

// A gliding delay this close to its goal, in samples, is put on the goal.
constexpr double glideArrival = 1.0e-6;

// (gain * -0.1 + required) * (the float nearest 1 / 0.9) is the point from which an
// attack with the attack coefficient lands on the required gain after L + 1 samples.
constexpr float attackOvershootGain = -0.1f;
constexpr float attackOvershootScale = 1.1111112f;

// A silent or fully muted gain meters as the reduction of the smallest normal float,
// so the figure stays finite (about 758.6 dB).
constexpr float smallestMeteredGain = std::numeric_limits<float>::min();

inline float finiteOrZero (float sample) noexcept
{
    return std::fabs (sample) <= largestFinite ? sample : 0.0f;
}

inline float finiteMagnitude (float sample) noexcept
{
    const float magnitude = std::fabs (sample);
    return magnitude <= largestFinite ? magnitude : 0.0f;
}

inline std::uint32_t magnitudeBits (float value) noexcept
{
    std::uint32_t bits;
    std::memcpy (&bits, &value, sizeof (bits));
    return bits << 1;
}

// One stretch of output whose delayed samples lie side by side in the ring. Returns
// whether any output sample is other than zero.
bool renderRun (float* __restrict output,
                const float* __restrict delayed,
                const float* __restrict delayedBefore,
                const float* __restrict gains,
                const float* __restrict fractions,
                std::int32_t length,
                float ceiling) noexcept
{
    std::uint32_t nonZero = 0;

    for (std::int32_t i = 0; i < length; ++i)
    {
        const float fraction = fractions[i];
        const float y = (delayed[i] * (1.0f - fraction) + delayedBefore[i] * fraction) * gains[i];
        const float clipped = std::max (-ceiling, std::min (ceiling, y));
        output[i] = clipped;
        nonZero |= magnitudeBits (clipped);
    }

    return nonZero != 0;
}

// Stores a stretch of input in a ring, non-finite samples as 0.
void storeRun (float* __restrict ring, const float* __restrict input, std::int32_t length) noexcept
{
    for (std::int32_t i = 0; i < length; ++i)
        ring[i] = finiteOrZero (input[i]);
}
} // namespace

//==============================================================================
LookaheadLimiter::LookaheadLimiter (std::int32_t maxChannelsIn,
                                    std::int32_t maxSampleRateIn,
                                    float maxAttackMsIn,
                                    float releaseMsIn,
                                    float thresholdIn)
{
    if (maxChannelsIn < 0 || maxSampleRateIn < 1 || std::isnan (maxAttackMsIn) || std::isnan (releaseMsIn))
        throw std::invalid_argument ("LookaheadLimiter: unusable channel count, sample rate or time");

    if ((float) maxSampleRateIn * maxAttackMsIn / 1000.0f > (float) largestLookaheadSamples)
        throw std::invalid_argument ("LookaheadLimiter: look-ahead too long");

    largestLookahead = lookaheadFor ((float) maxSampleRateIn, maxAttackMsIn, largestLookaheadSamples);

    // The ring must hold the largest s * m, and the block tables the largest m, of every
    // look-ahead up to the largest. For a fixed s both grow with L, so the last L of each
    // s (where L + 1 is one short of the next square) and the largest L itself suffice.
    std::int32_t ringEntries = 0;
    std::int32_t tableEntries = 0;

    const auto includeLayout = [&] (std::int32_t lookahead)
    {
        const auto layout = layoutFor (lookahead);
        ringEntries = std::max (ringEntries, layout.blockSize * layout.numBlocks);
        tableEntries = std::max (tableEntries, layout.numBlocks);
    };

    for (std::int64_t root = 1; (root + 1) * (root + 1) - 2 < largestLookahead; ++root)
        includeLayout ((std::int32_t) ((root + 1) * (root + 1) - 2));

    includeLayout (largestLookahead);

    delayLength = largestLookahead + 1;
    ringLength = delayLength + chunkSize;

    peakRing.assign ((size_t) ringEntries, 0.0f);
    blockMax.assign ((size_t) tableEntries, 0.0f);
    blockArgMax.assign ((size_t) tableEntries, 0);
    delayLines.resize ((size_t) maxChannelsIn);

    for (auto& ring : delayLines)
        ring.assign ((size_t) ringLength, 0.0f);

    chunkPeaks.assign ((size_t) chunkSize, 0.0f);
    chunkGains.assign ((size_t) chunkSize, 0.0f);
    chunkFractions.assign ((size_t) chunkSize, 0.0f);
    chunkRuns.resize ((size_t) chunkSize + 2);

    maxChannels = maxChannelsIn;
    numChannels = maxChannelsIn;
    maxSampleRate = maxSampleRateIn;
    sampleRate = maxSampleRateIn;
    maxAttackMs = maxAttackMsIn;
    attackMs = maxAttackMsIn;
    releaseMs = std::max (releaseMsIn, 0.0f);
    setThreshold (thresholdIn);

    applyLookahead (largestLookahead);
    releaseCoeff = releaseCoefficientFor (releaseMs);
    transitionCoeff = releaseCoefficientFor (transitionReleaseMs);

    gainTarget = 1.0f;
    gain = 1.0f;
    smoothedDelay = 0.0;
    transitionWeight = 0.0f;
    meterGain = 1.0f;
}

LookaheadLimiter::~LookaheadLimiter() = default;

//==============================================================================
std::int32_t LookaheadLimiter::lookaheadFor (float rate, float ms, std::int32_t largest) noexcept
{
    const float samples = rate * ms / 1000.0f;

    if (! (samples >= 1.0f))
        return 1;

    if (samples >= (float) largest)
        return largest;

    return (std::int32_t) samples;
}

LookaheadLimiter::Layout LookaheadLimiter::layoutFor (std::int32_t lookahead) noexcept
{
    const std::int32_t window = lookahead + 1;
    const auto size = (std::int32_t) std::sqrt ((double) ((float) lookahead + 1.0f));
    const std::int32_t whole = window / size;
    return { size, whole * size >= window ? whole : whole + 1 };
}

float LookaheadLimiter::coefficientFor (double samplesToNinetyPercent) noexcept
{
    return (float) std::pow (0.1, 1.0 / samplesToNinetyPercent);
}

float LookaheadLimiter::releaseCoefficientFor (float ms) const noexcept
{
    return coefficientFor ((double) ((float) sampleRate * ms / 1000.0f + 1.0f));
}

void LookaheadLimiter::applyLookahead (std::int32_t lookahead) noexcept
{
    lookaheadSamples = lookahead;
    const auto layout = layoutFor (lookahead);
    blockSize = layout.blockSize;
    numBlocks = layout.numBlocks;
    attackCoeff = coefficientFor ((double) (lookahead + 1));
}

void LookaheadLimiter::resetWindow() noexcept
{
    peakWritePos = 0;
    currentBlock = 0;
    blockStart = 0;
    posInBlock = 0;
    othersMax = 0.0f;
    currentBlockMax = 0.0f;
    othersMaxBlock = 0;
    std::fill (peakRing.begin(), peakRing.begin() + blockSize * numBlocks, 0.0f);
    std::fill (blockMax.begin(), blockMax.begin() + numBlocks, 0.0f);
    std::fill (blockArgMax.begin(), blockArgMax.begin() + numBlocks, 0);
}

void LookaheadLimiter::resetAll() noexcept
{
    resetWindow();
    delayWritePos = 0;
    gainTarget = 1.0f;
    gain = 1.0f;

    for (auto& ring : delayLines)
        std::fill (ring.begin(), ring.end(), 0.0f);
}

//==============================================================================
std::int32_t LookaheadLimiter::getLatencySamples() const noexcept
{
    return lookaheadSamples;
}

float LookaheadLimiter::getGainReductionDb() const noexcept
{
    const float metered = meterGain >= smallestMeteredGain ? meterGain : smallestMeteredGain;
    return (float) std::log10 ((double) metered) * -20.0f;
}

std::int32_t LookaheadLimiter::setNumChannels (std::int32_t n)
{
    if (n > maxChannels)
        return argumentRefused;

    numChannels = n;
    resetAll();
    return 0;
}

std::int32_t LookaheadLimiter::setSampleRate (std::int32_t newSampleRate)
{
    if (newSampleRate > maxSampleRate || newSampleRate < 1)
        return argumentRefused;

    const auto lookahead = lookaheadFor ((float) newSampleRate, attackMs, largestLookahead);
    smoothedDelay = (double) lookahead;
    applyLookahead (lookahead);
    sampleRate = newSampleRate;
    releaseCoeff = releaseCoefficientFor (releaseMs);
    resetAll();
    return 0;
}

std::int32_t LookaheadLimiter::setAttack (float ms)
{
    if (std::isnan (ms) || ms > maxAttackMs)
        return argumentRefused;

    applyLookahead (lookaheadFor ((float) sampleRate, ms, largestLookahead));
    attackMs = ms;

    if (releaseMs < transitionReleaseMs)
    {
        transitionCoeff = releaseCoefficientFor (transitionReleaseMs);
        transitionWeight = 1.0f;
    }

    resetWindow();
    return 0;
}

std::int32_t LookaheadLimiter::setRelease (float ms)
{
    if (std::isnan (ms))
        return argumentRefused;

    releaseMs = std::max (ms, 0.0f);
    releaseCoeff = releaseCoefficientFor (releaseMs);
    return 0;
}

std::int32_t LookaheadLimiter::setThreshold (float linear)
{
    threshold = linear > 0.0f ? std::min (linear, largestFinite) : 0.0f;
    return 0;
}

//==============================================================================
std::int32_t LookaheadLimiter::process (float** channels, std::int32_t numSamples)
{
    if (numSamples <= 0)
    {
        meterGain = 1.0f;
        return 0;
    }

    for (std::int32_t ch = 0; ch < numChannels; ++ch)
        if (channels == nullptr || channels[ch] == nullptr)
            return 0;

    bool anyOutput = false;

    for (std::int32_t offset = 0; offset < numSamples; offset += chunkSize)
    {
        const auto count = std::min (chunkSize, numSamples - offset);
        const auto firstWrite = delayWritePos + 1 == ringLength ? 0 : delayWritePos + 1;

        computePeaks (channels, offset, count);
        computeGains (count);
        computeReadRuns (count);

        for (std::int32_t ch = 0; ch < numChannels; ++ch)
            anyOutput |= renderChannel (channels[ch] + offset, delayLines[(size_t) ch].data(), firstWrite, count);
    }

    meterGain = anyOutput ? gain : 1.0f;
    return 0;
}

void LookaheadLimiter::computePeaks (float* const* channels, std::int32_t offset, std::int32_t count) noexcept
{
    float* __restrict peaks = chunkPeaks.data();
    std::fill (peaks, peaks + count, threshold);

    for (std::int32_t ch = 0; ch < numChannels; ++ch)
    {
        const float* __restrict input = channels[ch] + offset;

        for (std::int32_t i = 0; i < count; ++i)
            peaks[i] = std::max (peaks[i], finiteMagnitude (input[i]));
    }
}

void LookaheadLimiter::computeGains (std::int32_t count) noexcept
{
    // The recursion runs on locals and is written back once per chunk.
    float* const ring = peakRing.data();
    float* const maxima = blockMax.data();
    std::int32_t* const argMax = blockArgMax.data();
    const float* const peaks = chunkPeaks.data();
    float* const gains = chunkGains.data();

    const std::int32_t lookahead = lookaheadSamples;
    const std::int32_t size = blockSize;
    const std::int32_t blocks = numBlocks;
    const float ceiling = threshold;
    const float attack = attackCoeff;
    const float release = releaseCoeff;
    const float transition = transitionCoeff;

    std::int32_t writePos = peakWritePos;
    std::int32_t block = currentBlock;
    std::int32_t start = blockStart;
    std::int32_t inBlock = posInBlock;
    std::int32_t blockArg = argMax[block];
    std::int32_t othersBlock = othersMaxBlock;
    float blockPeak = currentBlockMax;
    float othersPeak = othersMax;
    float currentGain = gain;
    float target = gainTarget;
    float weight = transitionWeight;

    for (std::int32_t i = 0; i < count; ++i)
    {
        const float peak = peaks[i];
        ring[writePos] = peak;

        if (blockArg == writePos)
        {
            // The block's maximum was just overwritten: find it again, earliest first.
            blockPeak = ring[start];
            blockArg = start;

            for (std::int32_t k = 1; k < size; ++k)
            {
                if (ring[start + k] > blockPeak)
                {
                    blockPeak = ring[start + k];
                    blockArg = start + k;
                }
            }
        }
        else if (peak > blockPeak)
        {
            blockPeak = peak;
            blockArg = writePos;
        }

        const float windowPeak = std::max (blockPeak, othersPeak);

        const std::int32_t written = writePos;
        ++writePos;
        ++inBlock;

        if (inBlock >= size || written >= lookahead)
        {
            inBlock = 0;
            const std::int32_t finished = block;
            maxima[finished] = blockPeak;
            argMax[finished] = blockArg;

            const std::int32_t next = finished + 1 >= blocks ? 0 : finished + 1;
            block = next;
            blockPeak = maxima[next];
            blockArg = argMax[next];
            maxima[next] = 0.0f;

            if (othersBlock == next || othersBlock == finished)
            {
                othersPeak = 0.0f;

                for (std::int32_t b = 0; b < blocks; ++b)
                {
                    if (maxima[b] > othersPeak)
                    {
                        othersPeak = maxima[b];
                        othersBlock = b;
                    }
                }
            }
            else if (maxima[finished] > othersPeak)
            {
                othersPeak = maxima[finished];
                othersBlock = finished;
            }

            start += size;

            if (written >= lookahead)
            {
                writePos = 0;
                start = 0;
            }
        }

        const float required = windowPeak > ceiling ? ceiling / windowPeak : 1.0f;

        if (currentGain > required)
            target = std::min (target, (currentGain * attackOvershootGain + required) * attackOvershootScale);
        else
            target = required;

        float releaseNow = release;

        if ((double) weight > transitionEnd)
        {
            weight *= transition;
            releaseNow = transition;
        }
        else
        {
            weight = 0.0f;
        }

        if (currentGain > target)
        {
            currentGain = (currentGain - target) * attack + target;

            if (required > currentGain)
                currentGain = required;
        }
        else
        {
            currentGain = (currentGain - target) * releaseNow + target;
        }

        gains[i] = currentGain;
    }

    peakWritePos = writePos;
    currentBlock = block;
    blockStart = start;
    posInBlock = inBlock;
    argMax[block] = blockArg;
    othersMaxBlock = othersBlock;
    currentBlockMax = blockPeak;
    othersMax = othersPeak;
    gain = currentGain;
    gainTarget = target;
    transitionWeight = weight;
}

void LookaheadLimiter::computeReadRuns (std::int32_t count) noexcept
{
    float* const fractions = chunkFractions.data();
    ReadRun* const runs = chunkRuns.data();
    const auto goal = (double) lookaheadSamples;
    std::int32_t write = delayWritePos;
    std::int32_t numRuns = 0;

    const auto wrap = [this] (std::int32_t position)
    { return position < 0 ? position + ringLength : position; };

    if (smoothedDelay == goal)
    {
        // Settled: every sample reads at the same delay, so the runs only break where the
        // read positions wrap around the ring.
        std::fill (fractions, fractions + count, 0.0f);
        const std::int32_t first = write + 1 == ringLength ? 0 : write + 1;
        std::int32_t readPos = wrap (first - lookaheadSamples);
        std::int32_t prevPos = lookaheadSamples + 1 == delayLength ? first : wrap (readPos - 1);

        for (std::int32_t done = 0; done < count;)
        {
            const auto length = std::min ({ count - done, ringLength - readPos, ringLength - prevPos });
            runs[numRuns++] = { done, length, readPos, prevPos };
            done += length;
            readPos = readPos + length == ringLength ? 0 : readPos + length;
            prevPos = prevPos + length == ringLength ? 0 : prevPos + length;
        }

        write = wrap (write + count - ringLength);
    }
    else
    {
        double delay = smoothedDelay;

        for (std::int32_t i = 0; i < count; ++i)
        {
            write = write + 1 == ringLength ? 0 : write + 1;

            const double distance = std::fabs (delay - goal);

            if (distance > glideArrival)
            {
                const double next = delay * glideKeep + goal * glideTake;
                const double nextDistance = std::fabs (next - goal);

                // Put it on the goal once close, or once rounding stops the approach.
                delay = nextDistance > glideArrival && nextDistance < distance ? next : goal;
            }
            else
            {
                delay = goal;
            }

            const auto whole = (std::int32_t) std::floor (delay);
            fractions[i] = (float) (delay - (double) whole);

            const std::int32_t readPos = wrap (write - whole);
            // At the longest delay the sample before the delayed one has left the
            // delay; its slot already holds the newest sample, which is read instead.
            const std::int32_t prevPos = whole + 1 == delayLength ? write : wrap (readPos - 1);

            if (numRuns > 0)
            {
                auto& last = runs[numRuns - 1];

                if (readPos == last.readPos + last.length && prevPos == last.prevPos + last.length)
                {
                    ++last.length;
                    continue;
                }
            }

            runs[numRuns++] = { i, 1, readPos, prevPos };
        }

        smoothedDelay = delay;
    }

    delayWritePos = write;
    numChunkRuns = numRuns;
}

bool LookaheadLimiter::renderChannel (float* channel, float* ring, std::int32_t firstWrite, std::int32_t count) noexcept
{
    const std::int32_t beforeWrap = std::min (count, ringLength - firstWrite);
    storeRun (ring + firstWrite, channel, beforeWrap);
    storeRun (ring, channel + beforeWrap, count - beforeWrap);

    bool anyOutput = false;

    for (std::int32_t r = 0; r < numChunkRuns; ++r)
    {
        const auto& run = chunkRuns[(size_t) r];
        anyOutput |= renderRun (channel + run.start,
                                ring + run.readPos,
                                ring + run.prevPos,
                                chunkGains.data() + run.start,
                                chunkFractions.data() + run.start,
                                run.length,
                                threshold);
    }

    return anyOutput;
}
