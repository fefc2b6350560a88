#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

/*  A linked multichannel peak limiter with look-ahead.

    Every channel is delayed by the look-ahead; one gain, common to all channels, is
    computed from the largest absolute sample in the window that reaches from the sample
    now leaving the delay to the newest input. The gain falls along an exponential curve
    that arrives at the required gain exactly when the peak leaves the delay, rises again
    with the release time, and whatever still exceeds the threshold is clipped.

    Construction allocates every array for the maxima given; nothing is allocated later.
    The constructor throws std::bad_alloc when memory cannot be had and
    std::invalid_argument when its arguments cannot describe a limiter (negative channel
    count, sample rate below 1, NaN times, a look-ahead beyond largestLookaheadSamples),
    so no limiter can exist whose arrays are missing. The arrays are owned by
    std::vector and released by the destructor; there is no separate release call,
    because a limiter without its arrays would be one that `process` could not run on.

    Setters return 0, or -98 when their argument is refused; a refused call changes
    nothing. The class is not thread-safe: a setter must not run while `process` runs.
    Only `getGainReductionDb` may be called from another thread while `process` runs.
    `process`, `getLatencySamples` and `getGainReductionDb` never allocate, lock or throw.
*/
class LookaheadLimiter
{
public:
    /** Result of a setter whose argument is refused. */
    static constexpr std::int32_t argumentRefused = -98;

    /** The largest look-ahead, in samples, that a limiter can be built for. */
    static constexpr std::int32_t largestLookaheadSamples = 1 << 24;

    /** Starts at attack = maxAttackMs and sample rate = maxSampleRate, with maxChannels
        channels, unity gain and an empty delay. Throws as described above. */
    LookaheadLimiter (std::int32_t maxChannels,
                      std::int32_t maxSampleRate,
                      float maxAttackMs,
                      float releaseMs,
                      float threshold);

    ~LookaheadLimiter();

    LookaheadLimiter (const LookaheadLimiter&) = delete;
    LookaheadLimiter& operator= (const LookaheadLimiter&) = delete;

    /** Limits numSamples samples of channels[0 .. numChannels - 1] in place. Non-finite
        input samples are taken as 0. A null channel table, or a null pointer among the
        processed channels, leaves the audio and the limiter untouched. Returns 0. */
    std::int32_t process (float** channels, std::int32_t numSamples);

    /** The look-ahead in samples, which is the delay of the output once it has settled. */
    std::int32_t getLatencySamples() const noexcept;

    /** Positive decibels of gain reduction at the end of the last block; 0 at unity gain
        or when the last block's output was silent. Always finite. */
    float getGainReductionDb() const noexcept;

    /** n above the maximum: -98. Otherwise n channels are processed (none when n <= 0)
        and everything is reset: window, gain and delay contents. */
    std::int32_t setNumChannels (std::int32_t n);

    /** A rate above the maximum, or below 1 Hz: -98. Otherwise new look-ahead and
        coefficients, the delay jumps to the new look-ahead, and everything is reset. */
    std::int32_t setSampleRate (std::int32_t newSampleRate);

    /** ms above the maximum attack, or NaN: -98. Otherwise new look-ahead; the peak window
        restarts, the output delay glides to the new look-ahead, and when the release is
        below 75 ms the gain recovers with a 75 ms release for a while. */
    std::int32_t setAttack (float ms);

    /** NaN: -98. A release below 0 ms acts as 0 ms. */
    std::int32_t setRelease (float ms);

    /** The output ceiling, linear. Below 0 or NaN acts as 0 (silence); +infinity acts as
        the largest finite float. */
    std::int32_t setThreshold (float linear);

private:
    struct Layout
    {
        std::int32_t blockSize;
        std::int32_t numBlocks;
    };

    static std::int32_t lookaheadFor (float rate, float ms, std::int32_t largest) noexcept;
    static Layout layoutFor (std::int32_t lookahead) noexcept;
    static float coefficientFor (double samplesToNinetyPercent) noexcept;
    float releaseCoefficientFor (float ms) const noexcept;

    void applyLookahead (std::int32_t lookahead) noexcept;
    void resetWindow() noexcept;
    void resetAll() noexcept;

    void computePeaks (float* const* channels, std::int32_t offset, std::int32_t count) noexcept;
    void computeGains (std::int32_t count) noexcept;
    void computeReadRuns (std::int32_t count) noexcept;
    bool renderChannel (float* channel, float* ring, std::int32_t firstWrite, std::int32_t count) noexcept;

    /*  State. Times in ms, levels linear (1 = full scale), positions and counts in samples.
        L = lookaheadSamples, s = blockSize, m = numBlocks, Lmax = the largest look-ahead.

        lookaheadSamples  L >= 1: the window covers L + 1 samples; the delay settles at L.
        attackCoeff       per-sample attack factor, 90 % of the way in L + 1 samples.
        releaseCoeff      per-sample release factor, 90 % of the way in the release time.
        attackMs          attack time, also the look-ahead time; <= maxAttackMs.
        releaseMs         release time, >= 0.
        maxAttackMs       largest attack accepted; fixed.
        threshold         output ceiling and floor of every stored peak; finite, >= +0.
        numChannels       channels processed; <= maxChannels (none when <= 0).
        maxChannels       channels allocated; fixed.
        sampleRate        Hz, 1 .. maxSampleRate.
        maxSampleRate     largest rate accepted; fixed.
        gainTarget        the value the gain moved toward on the last sample.
        peakRing          one peak per sample, positions 0..L in use, the last L + 1 peaks;
                          entries of the last block beyond L stay 0. Size: largest s * m
                          over every look-ahead 1..Lmax.
        blockMax          stored maximum of each block other than the current one; 0 for the
                          current block.
        delayLines        one ring per allocated channel, ringLength samples each.
        peakWritePos      ring position the next peak goes to, 0..L.
        currentBlock      block holding peakWritePos.
        delayWritePos     delay-ring position of the newest sample, 0..ringLength - 1.
        blockSize         s = integer part of sqrt (L + 1).
        numBlocks         m = ceil ((L + 1) / s); position L lies in block m - 1.
        blockStart        currentBlock * s.
        posInBlock        peakWritePos - blockStart.
        gain              gain applied to the delayed samples, >= 0 and not above 1 but
                          by rounding.
        othersMax         largest entry of blockMax (0 when all are 0).
        currentBlockMax   largest of the current block's s entries.
        othersMaxBlock    block whose stored maximum othersMax holds.
        blockArgMax       per block, a peakRing position holding its maximum (the earliest
                          such position when found by a rescan).
        delayLength       Lmax + 1: the delays 0..Lmax are representable.
        ringLength        delayLength + chunkSize: a whole chunk of input can be stored in
                          the rings before any of it is read back.
        smoothedDelay     output delay in samples, double precision; glides toward L and
                          arrives at exactly L.
        transitionWeight  countdown of the 75 ms release after an attack change, 1 .. 0.
        transitionCoeff   the 75 ms release factor, also the countdown's decay per sample.
        meterGain         the gain at the end of the last block, 1 when the block's output
                          was silent; atomic, as the editor reads it on its own thread.

        Partial maxima of the current block, which spare a rescan from looking again at
        entries an earlier rescan of the same pass saw (reset whenever a block becomes
        current):
        newerMax          largest entry written in this pass at positions up to
                          newerUpToPos (-1 for none), newerArg its earliest position.
        olderSuffixMax    for k >= olderSuffixFrom, the largest of the block's entries at
        olderSuffixArg    k .. s - 1 as they were when the block became current, and its
        olderSuffixFrom   earliest position; entry s is -1, below every peak.

        largestLookahead  Lmax.
        chunkPeaks        per sample of the chunk, the peak over the channels.
        chunkGains        per sample of the chunk, the gain.
        chunkFractions    per sample of the chunk, the fraction of the delay while it glides.
        chunkRuns         runs of samples whose delayed samples lie side by side in the
                          rings, numChunkRuns of them; chunkInWholeSamples when the delay
                          is a whole number of samples throughout the chunk.
    */
    static constexpr std::int32_t chunkSize = 256;

    std::int32_t lookaheadSamples = 1;
    float attackCoeff = 0.0f;
    float releaseCoeff = 0.0f;
    float attackMs = 0.0f;
    float releaseMs = 0.0f;
    float maxAttackMs = 0.0f;
    float threshold = 0.0f;
    std::int32_t numChannels = 0;
    std::int32_t maxChannels = 0;
    std::int32_t sampleRate = 0;
    std::int32_t maxSampleRate = 0;
    float gainTarget = 1.0f;
    std::vector<float> peakRing;
    std::vector<float> blockMax;
    std::vector<std::vector<float>> delayLines;
    std::int32_t peakWritePos = 0;
    std::int32_t currentBlock = 0;
    std::int32_t delayWritePos = 0;
    std::int32_t blockSize = 1;
    std::int32_t numBlocks = 1;
    std::int32_t blockStart = 0;
    std::int32_t posInBlock = 0;
    float gain = 1.0f;
    float othersMax = 0.0f;
    float currentBlockMax = 0.0f;
    std::int32_t othersMaxBlock = 0;
    std::vector<std::int32_t> blockArgMax;
    std::int32_t delayLength = 2;
    std::int32_t ringLength = 2;
    double smoothedDelay = 0.0;
    float transitionWeight = 0.0f;
    float transitionCoeff = 0.0f;
    std::atomic<float> meterGain { 1.0f };

    struct ReadRun
    {
        std::int32_t start; // first sample of the chunk in the run
        std::int32_t length; // samples in the run
        std::int32_t readPos; // ring position of the run's first delayed sample
        std::int32_t prevPos; // ring position of the sample interpolated with it
    };

    std::int32_t largestLookahead = 1;
    float newerMax = -1.0f;
    std::int32_t newerArg = 0;
    std::int32_t newerUpToPos = -1;
    std::int32_t olderSuffixFrom = 1;
    std::vector<float> olderSuffixMax;
    std::vector<std::int32_t> olderSuffixArg;
    std::vector<float> chunkPeaks;
    std::vector<float> chunkGains;
    std::vector<float> chunkFractions;
    std::vector<ReadRun> chunkRuns;
    std::int32_t numChunkRuns = 0;
    bool chunkInWholeSamples = false;
};
