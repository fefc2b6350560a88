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

// The transition ends once its weight has decayed to 0.0001 or below. The float 0.0001f
// is the largest float below 0.0001, so a weight above it is a weight above 0.0001.
constexpr float transitionFloor = 0.0001f;

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

// Marks the rare side of a branch that the predictor gets right, so that the compiler
// keeps the branch rather than a conditional move: the comparison then stays off the
// chain of dependent operations that carries the gain from sample to sample.
inline void keepBranch() noexcept
{
#if defined(__GNUC__)
    __asm__ volatile("");
#endif
}

// Below every peak: marks a partial maximum over no entries.
constexpr float noPeak = -1.0f;

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
// whether any output sample is other than zero. With a whole-sample delay every fraction
// is 0 and the same arithmetic, x * 1 being x, needs no fractions.
template <bool wholeSamples>
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
        const float fraction = wholeSamples ? 0.0f : fractions[i];
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
    std::int32_t largestBlockSize = 0;

    const auto includeLayout = [&] (std::int32_t lookahead)
    {
        const auto layout = layoutFor (lookahead);
        ringEntries = std::max (ringEntries, layout.blockSize * layout.numBlocks);
        tableEntries = std::max (tableEntries, layout.numBlocks);
        largestBlockSize = std::max (largestBlockSize, layout.blockSize);
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

    olderSuffixMax.assign ((size_t) largestBlockSize + 1, noPeak);
    olderSuffixArg.assign ((size_t) largestBlockSize + 1, 0);
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
    resetWindow();
    releaseCoeff = releaseCoefficientFor (releaseMs);
    transitionCoeff = releaseCoefficientFor (transitionReleaseMs);

    gainTarget = 1.0f;
    gain = 1.0f;
    smoothedDelay = 0.0;
    transitionWeight = 0.0f;
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
    newerMax = noPeak;
    newerArg = 0;
    newerUpToPos = -1;
    olderSuffixFrom = blockSize;
    olderSuffixMax[(size_t) blockSize] = noPeak;
    olderSuffixArg[(size_t) blockSize] = 0;
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
    const float current = meterGain.load (std::memory_order_relaxed);
    const float metered = current >= smallestMeteredGain ? current : smallestMeteredGain;
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
        meterGain.store (1.0f, std::memory_order_relaxed);
        return 0;
    }

    for (std::int32_t channel = 0; channel < numChannels; ++channel)
        if (channels == nullptr || channels[channel] == nullptr)
            return 0;

    bool anyOutput = false;

    for (std::int32_t offset = 0, count = 0; offset < numSamples; offset += count)
    {
        count = std::min (chunkSize, numSamples - offset);
        const auto firstWrite = delayWritePos + 1 == ringLength ? 0 : delayWritePos + 1;

        computePeaks (channels, offset, count);
        computeGains (count);
        computeReadRuns (count);

        for (std::int32_t channel = 0; channel < numChannels; ++channel)
            anyOutput |= renderChannel (channels[channel] + offset, delayLines[(size_t) channel].data(), firstWrite, count);
    }

    meterGain.store (anyOutput ? gain : 1.0f, std::memory_order_relaxed);
    return 0;
}

void LookaheadLimiter::computePeaks (float* const* channels, std::int32_t offset, std::int32_t count) noexcept
{
    float* __restrict peaks = chunkPeaks.data();
    std::fill (peaks, peaks + count, threshold);

    for (std::int32_t channel = 0; channel < numChannels; ++channel)
    {
        const float* __restrict input = channels[channel] + offset;

        for (std::int32_t i = 0; i < count; ++i)
            peaks[i] = std::max (peaks[i], finiteMagnitude (input[i]));
    }
}

void LookaheadLimiter::computeGains (std::int32_t count) noexcept
{
    // The serial part of the work: per sample, the window maximum, the gain it requires
    // and the gain's step. Everything runs on locals, written back once per chunk; the
    // chunk's peaks go in, its gains come out.
    const float* const peaks = chunkPeaks.data();
    float* const gains = chunkGains.data();
    float* const ring = peakRing.data();
    float* const maxima = blockMax.data();
    std::int32_t* const argMax = blockArgMax.data();
    float* const suffixMax = olderSuffixMax.data();
    std::int32_t* const suffixArg = olderSuffixArg.data();

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
    float newPeak = newerMax;
    std::int32_t newArg = newerArg;
    std::int32_t newerUpTo = newerUpToPos;
    std::int32_t suffixFrom = olderSuffixFrom;
    float currentGain = gain;
    float target = gainTarget;
    float weight = transitionWeight;

    for (std::int32_t i = 0; i < count; ++i)
    {
        // Window maximum.
        const float peak = peaks[i];
        ring[writePos] = peak;

        if (blockArg == writePos)
        {
            // The block's maximum was just overwritten: find it again, earliest position
            // first. The block holds the entries written in this pass up to here and older
            // ones after here, so its maximum comes from the maxima of those two parts,
            // each extended only over entries that no earlier rescan of this pass saw.
            for (std::int32_t k = newerUpTo + 1; k <= inBlock; ++k)
            {
                const float newer = ring[start + k];
                newArg = newer > newPeak ? start + k : newArg;
                newPeak = newer > newPeak ? newer : newPeak;
            }

            newerUpTo = inBlock;
            const std::int32_t after = inBlock + 1;

            if (suffixFrom > after)
            {
                float olderPeak = suffixMax[suffixFrom];
                std::int32_t olderArg = suffixArg[suffixFrom];

                for (std::int32_t k = suffixFrom - 1; k >= after; --k)
                {
                    const float older = ring[start + k];
                    olderArg = older >= olderPeak ? start + k : olderArg;
                    olderPeak = older >= olderPeak ? older : olderPeak;
                    suffixMax[k] = olderPeak;
                    suffixArg[k] = olderArg;
                }

                suffixFrom = after;
            }

            const bool newerWins = newPeak >= suffixMax[after];
            blockPeak = newerWins ? newPeak : suffixMax[after];
            blockArg = newerWins ? newArg : suffixArg[after];
        }
        else if (peak > blockPeak)
        {
            blockPeak = peak;
            blockArg = writePos;
        }

        const float windowPeak = std::max (blockPeak, othersPeak);

        // Advance; at the end of a block its maximum is stored and the next block, whose
        // entries from the previous pass are all still in the window, becomes current.
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
            newPeak = noPeak;
            newerUpTo = -1;
            suffixFrom = size;

            if (othersBlock == next || othersBlock == finished)
            {
                othersPeak = 0.0f;

                for (std::int32_t other = 0; other < blocks; ++other)
                {
                    if (maxima[other] > othersPeak)
                    {
                        othersPeak = maxima[other];
                        othersBlock = other;
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

        // Required gain: the ceiling over the window peak where the peak exceeds it.
        const float required = windowPeak > ceiling ? ceiling / windowPeak : 1.0f;

        // Target: during an attack the lowest point computed since it began, from which
        // the attack curve lands on the required gain after L + 1 samples.
        if (currentGain > required)
        {
            const float lowest = (currentGain * attackOvershootGain + required) * attackOvershootScale;

            if (lowest < target)
            {
                keepBranch();
                target = lowest;
            }
        }
        else
        {
            target = required;
        }

        float releaseNow = release;

        if (weight > transitionFloor)
        {
            weight *= transition;
            releaseNow = transition;
        }
        else
        {
            weight = 0.0f;
        }

        // Gain step; an attack never takes the gain below what the window requires.
        if (currentGain > target)
        {
            currentGain = (currentGain - target) * attack + target;

            if (required > currentGain)
            {
                keepBranch();
                currentGain = required;
            }
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
    newerMax = newPeak;
    newerArg = newArg;
    newerUpToPos = newerUpTo;
    olderSuffixFrom = suffixFrom;
    gain = currentGain;
    gainTarget = target;
    transitionWeight = weight;
}

void LookaheadLimiter::computeReadRuns (std::int32_t count) noexcept
{
    // Per sample: the newest sample goes one position further, the delay glides, and the
    // output reads the sample `whole` positions back, mixed with the one before it by the
    // fraction. At the longest delay, Lmax, the sample before lies outside a delay line of
    // Lmax + 1 samples, whose slot would hold the newest sample by then; the newest sample
    // is read in its place. (Its weight is 0 there; only the sign of a zero can show it.)
    float* const fractions = chunkFractions.data();
    ReadRun* const runs = chunkRuns.data();
    const auto goal = (double) lookaheadSamples;
    std::int32_t write = delayWritePos;
    std::int32_t numRuns = 0;

    const auto wrap = [this] (std::int32_t position)
    { return position < 0 ? position + ringLength : position; };

    if (smoothedDelay == goal)
    {
        // Settled: every sample reads at the same whole delay, so the runs only break
        // where the read positions wrap around the ring.
        chunkInWholeSamples = true;
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
        chunkInWholeSamples = false;
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
        const auto render = chunkInWholeSamples ? renderRun<true> : renderRun<false>;
        anyOutput |= render (channel + run.start,
                             ring + run.readPos,
                             ring + run.prevPos,
                             chunkGains.data() + run.start,
                             chunkFractions.data() + run.start,
                             run.length,
                             threshold);
    }

    return anyOutput;
}
