#pragma once

// A plain, sample-by-sample look-ahead limiter that behaves as LookaheadLimiter must,
// written for clarity rather than speed: the oracle of the engine tests and the "plain"
// figure of the benchmark. It keeps one delay ring of exactly Lmax + 1 samples per
// channel and does every step of a sample before the next sample starts.
//
// The window maximum is found either by scanning all L + 1 stored peaks (the oracle) or
// with the square-root block scheme that the engine uses (the plain benchmark figure,
// and a check that the block scheme finds the true maximum).

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace quorvel::test
{
class ReferenceLimiter
{
public:
    enum class WindowSearch
    {
        scanAll,
        blocks
    };

    ReferenceLimiter (int maxChannelsIn, int maxSampleRateIn, float maxAttackMsIn, float releaseMsIn, float thresholdIn, WindowSearch searchIn = WindowSearch::scanAll)
        : search (searchIn)
    {
        maxChannels = numChannels = maxChannelsIn;
        maxSampleRate = sampleRate = maxSampleRateIn;
        maxAttackMs = attackMs = maxAttackMsIn;
        releaseMs = std::max (releaseMsIn, 0.0f);
        setThreshold (thresholdIn);

        largestLookahead = lookaheadFor (sampleRate, attackMs);
        delayLength = largestLookahead + 1;
        const int rootOfWindow = (int) std::sqrt ((double) delayLength) + 2;
        peaks.assign ((size_t) (delayLength + rootOfWindow + 1), 0.0f);
        blockMax.assign ((size_t) delayLength + 1, 0.0f);
        blockArgMax.assign (blockMax.size(), 0);
        delayLines.assign ((size_t) maxChannels, std::vector<float> ((size_t) delayLength, 0.0f));

        setLookahead (largestLookahead);
        releaseCoeff = releaseCoefficient (releaseMs);
        transitionCoeff = releaseCoefficient (75.0f);
    }

    int getLatencySamples() const { return lookahead; }

    float getGainReductionDb() const
    {
        const float floor = std::numeric_limits<float>::min();
        return (float) std::log10 ((double) (meterGain >= floor ? meterGain : floor)) * -20.0f;
    }

    float currentGain() const { return gain; }
    double currentDelay() const { return smoothedDelay; }

    int setNumChannels (int n)
    {
        if (n > maxChannels)
            return -98;

        numChannels = n;
        resetEverything();
        return 0;
    }

    int setSampleRate (int rate)
    {
        if (rate > maxSampleRate || rate < 1)
            return -98;

        sampleRate = rate;
        setLookahead (lookaheadFor (rate, attackMs));
        smoothedDelay = lookahead;
        releaseCoeff = releaseCoefficient (releaseMs);
        resetEverything();
        return 0;
    }

    int setAttack (float ms)
    {
        if (std::isnan (ms) || ms > maxAttackMs)
            return -98;

        attackMs = ms;
        setLookahead (lookaheadFor (sampleRate, ms));

        if (releaseMs < 75.0f)
        {
            transitionCoeff = releaseCoefficient (75.0f);
            transitionWeight = 1.0f;
        }

        resetWindow();
        return 0;
    }

    int setRelease (float ms)
    {
        if (std::isnan (ms))
            return -98;

        releaseMs = std::max (ms, 0.0f);
        releaseCoeff = releaseCoefficient (releaseMs);
        return 0;
    }

    int setThreshold (float linear)
    {
        threshold = linear > 0.0f ? std::min (linear, std::numeric_limits<float>::max()) : 0.0f;
        return 0;
    }

    int process (float** channels, int numSamples)
    {
        if (numSamples <= 0)
        {
            meterGain = 1.0f;
            return 0;
        }

        for (int channelIndex = 0; channelIndex < numChannels; ++channelIndex)
            if (channels == nullptr || channels[channelIndex] == nullptr)
                return 0;

        bool anyOutput = false;

        for (int i = 0; i < numSamples; ++i)
        {
            float peak = threshold;

            for (int channelIndex = 0; channelIndex < numChannels; ++channelIndex)
                peak = std::max (peak, std::fabs (finite (channels[channelIndex][i])));

            const float windowPeak = search == WindowSearch::scanAll ? pushAndScan (peak) : pushIntoBlocks (peak);
            const float required = windowPeak > threshold ? threshold / windowPeak : 1.0f;

            float target = required;

            if (gain > required)
                target = std::min (gainTarget, (gain * -0.1f + required) * 1.1111112f);

            gainTarget = target;

            float releaseNow = releaseCoeff;

            if ((double) transitionWeight > 0.0001)
            {
                transitionWeight *= transitionCoeff;
                releaseNow = transitionCoeff;
            }
            else
            {
                transitionWeight = 0.0f;
            }

            if (gain > target)
            {
                gain = (gain - target) * attackCoeff + target;

                if (required > gain)
                    gain = required;
            }
            else
            {
                gain = (gain - target) * releaseNow + target;
            }

            delayWritePos = delayWritePos + 1 == delayLength ? 0 : delayWritePos + 1;
            glide();

            const int whole = (int) std::floor (smoothedDelay);
            const float fraction = (float) (smoothedDelay - whole);
            int readPos = delayWritePos - whole;

            if (readPos < 0)
                readPos += delayLength;

            const int prevPos = readPos == 0 ? delayLength - 1 : readPos - 1;

            for (int channelIndex = 0; channelIndex < numChannels; ++channelIndex)
            {
                auto& ring = delayLines[(size_t) channelIndex];
                ring[(size_t) delayWritePos] = finite (channels[channelIndex][i]);
                const float y = (ring[(size_t) readPos] * (1.0f - fraction) + ring[(size_t) prevPos] * fraction) * gain;
                const float out = std::max (-threshold, std::min (threshold, y));
                channels[channelIndex][i] = out;
                anyOutput = anyOutput || out != 0.0f;
            }
        }

        meterGain = anyOutput ? gain : 1.0f;
        return 0;
    }

private:
    static float finite (float x) { return std::isfinite (x) ? x : 0.0f; }

    static int lookaheadFor (int rate, float ms)
    {
        const float samples = (float) rate * ms / 1000.0f;
        return samples >= 1.0f ? (int) samples : 1;
    }

    float releaseCoefficient (float ms) const
    {
        const float samples = (float) sampleRate * ms / 1000.0f + 1.0f;
        return (float) std::pow (0.1, 1.0 / (double) samples);
    }

    void setLookahead (int samples)
    {
        lookahead = samples;
        attackCoeff = (float) std::pow (0.1, 1.0 / (double) (samples + 1));
        blockSize = (int) std::sqrt ((double) ((float) samples + 1.0f));
        numBlocks = (samples + 1 + blockSize - 1) / blockSize;
    }

    void glide()
    {
        const double goal = lookahead;
        const double distance = std::fabs (smoothedDelay - goal);

        if (distance <= 1.0e-6)
        {
            smoothedDelay = goal;
            return;
        }

        const double next = smoothedDelay * 0.9999 + goal * 0.0001;
        const double nextDistance = std::fabs (next - goal);
        smoothedDelay = nextDistance > 1.0e-6 && nextDistance < distance ? next : goal;
    }

    void resetWindow()
    {
        std::fill (peaks.begin(), peaks.end(), 0.0f);
        std::fill (blockMax.begin(), blockMax.end(), 0.0f);
        std::fill (blockArgMax.begin(), blockArgMax.end(), 0);
        peakWritePos = currentBlock = blockStart = posInBlock = othersMaxBlock = 0;
        currentBlockMax = othersMax = 0.0f;
    }

    void resetEverything()
    {
        resetWindow();
        delayWritePos = 0;
        gain = gainTarget = 1.0f;

        for (auto& ring : delayLines)
            std::fill (ring.begin(), ring.end(), 0.0f);
    }

    float pushAndScan (float peak)
    {
        peaks[(size_t) peakWritePos] = peak;
        peakWritePos = peakWritePos == lookahead ? 0 : peakWritePos + 1;
        return *std::max_element (peaks.begin(), peaks.begin() + lookahead + 1);
    }

    float pushIntoBlocks (float peak)
    {
        peaks[(size_t) peakWritePos] = peak;

        if (blockArgMax[(size_t) currentBlock] == peakWritePos)
        {
            currentBlockMax = peaks[(size_t) blockStart];
            blockArgMax[(size_t) currentBlock] = blockStart;

            for (int k = 1; k < blockSize; ++k)
            {
                if (peaks[(size_t) (blockStart + k)] > currentBlockMax)
                {
                    currentBlockMax = peaks[(size_t) (blockStart + k)];
                    blockArgMax[(size_t) currentBlock] = blockStart + k;
                }
            }
        }
        else if (peak > currentBlockMax)
        {
            currentBlockMax = peak;
            blockArgMax[(size_t) currentBlock] = peakWritePos;
        }

        const float windowPeak = std::max (currentBlockMax, othersMax);
        const int old = peakWritePos;
        ++peakWritePos;
        ++posInBlock;

        if (posInBlock >= blockSize || old >= lookahead)
        {
            posInBlock = 0;
            const int finished = currentBlock;
            blockMax[(size_t) finished] = currentBlockMax;
            const int next = finished + 1 >= numBlocks ? 0 : finished + 1;
            currentBlock = next;
            currentBlockMax = blockMax[(size_t) next];
            blockMax[(size_t) next] = 0.0f;

            if (othersMaxBlock == next || othersMaxBlock == finished)
            {
                othersMax = 0.0f;

                for (int b = 0; b < numBlocks; ++b)
                {
                    if (blockMax[(size_t) b] > othersMax)
                    {
                        othersMax = blockMax[(size_t) b];
                        othersMaxBlock = b;
                    }
                }
            }
            else if (blockMax[(size_t) finished] > othersMax)
            {
                othersMax = blockMax[(size_t) finished];
                othersMaxBlock = finished;
            }

            blockStart += blockSize;

            if (old >= lookahead)
            {
                peakWritePos = 0;
                blockStart = 0;
            }
        }

        return windowPeak;
    }

    WindowSearch search;
    int maxChannels = 0, numChannels = 0, maxSampleRate = 0, sampleRate = 0;
    float maxAttackMs = 0.0f, attackMs = 0.0f, releaseMs = 0.0f, threshold = 0.0f;
    int largestLookahead = 1, lookahead = 1, delayLength = 2;
    float attackCoeff = 0.0f, releaseCoeff = 0.0f, transitionCoeff = 0.0f, transitionWeight = 0.0f;
    float gain = 1.0f, gainTarget = 1.0f, meterGain = 1.0f;
    double smoothedDelay = 0.0;
    int delayWritePos = 0;
    std::vector<std::vector<float>> delayLines;

    std::vector<float> peaks;
    int peakWritePos = 0;
    int blockSize = 1, numBlocks = 1, currentBlock = 0, blockStart = 0, posInBlock = 0, othersMaxBlock = 0;
    float currentBlockMax = 0.0f, othersMax = 0.0f;
    std::vector<float> blockMax;
    std::vector<int> blockArgMax;
};
} // namespace quorvel::test
