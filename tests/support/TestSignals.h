#pragma once

// Fixed-seed test signals for the limiter, the processor and the plug-in tests and for the
// benchmarks. Header-only and free of JUCE. Every generator is deterministic on every
// platform: it uses its own random generator, not the standard distributions.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace quorvel::test
{
/** The bit pattern of a float, for comparisons that tell -0 from +0 and NaN from NaN. */
inline std::uint32_t bitsOf (float value) noexcept
{
    std::uint32_t bits = 0;
    std::memcpy (&bits, &value, sizeof (bits));
    return bits;
}

/** A small, fast, portable random generator (splitmix64). */
class SignalRandom
{
public:
    explicit SignalRandom (std::uint64_t seed) noexcept
        : state (seed)
    {
    }

    std::uint64_t next() noexcept
    {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }

    /** Uniform in [0, 1), 24 random bits. */
    float unit() noexcept { return (float) (next() >> 40) * 0x1.0p-24f; }

    /** Uniform in [-1, 1). */
    float bipolar() noexcept { return unit() * 2.0f - 1.0f; }

    /** Uniform in [low, high). */
    float between (float low, float high) noexcept { return low + (high - low) * unit(); }

    /** Uniform integer in [low, high], both included. */
    int integer (int low, int high) noexcept
    {
        const auto span = (std::uint64_t) ((std::int64_t) high - (std::int64_t) low + 1);
        return (int) ((std::int64_t) low + (std::int64_t) (next() % span));
    }

    /** True with the given probability. */
    bool chance (float probability) noexcept { return unit() < probability; }

private:
    std::uint64_t state;
};

/** Planar audio: one vector per channel, all of the same length. */
struct MultiChannelSignal
{
    std::vector<std::vector<float>> channels;

    MultiChannelSignal() = default;

    MultiChannelSignal (int numChannels, int numSamples)
        : channels ((size_t) numChannels, std::vector<float> ((size_t) numSamples, 0.0f))
    {
    }

    int numChannels() const noexcept { return (int) channels.size(); }
    int numSamples() const noexcept { return channels.empty() ? 0 : (int) channels[0].size(); }

    /** A channel-pointer table starting at the given sample, as a limiter's process takes it. */
    std::vector<float*> pointers (int offset = 0)
    {
        std::vector<float*> table;

        for (auto& channel : channels)
            table.push_back (channel.data() + offset);

        return table;
    }
};

inline float decibelsToGain (float decibels) noexcept
{
    return std::pow (10.0f, decibels / 20.0f);
}

/** Uniform white noise in [-peak, peak). */
inline std::vector<float> noise (int numSamples, float peak, std::uint64_t seed)
{
    SignalRandom random (seed);
    std::vector<float> samples ((size_t) numSamples);

    for (auto& sample : samples)
        sample = random.bipolar() * peak;

    return samples;
}

/** Bursts of white noise of the given peak, burstLength samples each, separated by
    gapLength samples of silence; the signal starts with a gap. */
inline std::vector<float> noiseBursts (int numSamples, float peak, int burstLength, int gapLength, std::uint64_t seed)
{
    SignalRandom random (seed);
    std::vector<float> samples ((size_t) numSamples, 0.0f);
    const int period = burstLength + gapLength;

    for (int i = 0; i < numSamples; ++i)
        if (i % period >= gapLength)
            samples[(size_t) i] = random.bipolar() * peak;

    return samples;
}

/** A straight line from start to end over the whole length. */
inline std::vector<float> ramp (int numSamples, float start, float end)
{
    std::vector<float> samples ((size_t) numSamples);
    const double step = numSamples > 1 ? ((double) end - (double) start) / (numSamples - 1) : 0.0;

    for (int i = 0; i < numSamples; ++i)
        samples[(size_t) i] = (float) ((double) start + step * i);

    return samples;
}

/** Silence with one sample of the given value. */
inline std::vector<float> impulse (int numSamples, int position, float value)
{
    std::vector<float> samples ((size_t) numSamples, 0.0f);

    if (position >= 0 && position < numSamples)
        samples[(size_t) position] = value;

    return samples;
}

/** Independent white noise on every channel, each with its own seed. */
inline MultiChannelSignal independentNoise (int numChannels, int numSamples, float peak, std::uint64_t seed)
{
    MultiChannelSignal signal;

    for (int channelIndex = 0; channelIndex < numChannels; ++channelIndex)
        signal.channels.push_back (noise (numSamples, peak, seed + 7919u * (std::uint64_t) channelIndex));

    return signal;
}

/** Noise bursts on every channel at the same times, independent noise in each. */
inline MultiChannelSignal independentNoiseBursts (int numChannels, int numSamples, float peak, int burstLength, int gapLength, std::uint64_t seed)
{
    MultiChannelSignal signal;

    for (int channelIndex = 0; channelIndex < numChannels; ++channelIndex)
        signal.channels.push_back (noiseBursts (numSamples, peak, burstLength, gapLength, seed + 7919u * (std::uint64_t) channelIndex));

    return signal;
}

/** The same falling ramp on every channel, each channel scaled a little lower than the
    one before, so that channel 0 always holds the peak. */
inline MultiChannelSignal fallingRamps (int numChannels, int numSamples, float start, float end)
{
    MultiChannelSignal signal;

    for (int channelIndex = 0; channelIndex < numChannels; ++channelIndex)
    {
        const float scale = 1.0f - 0.125f * (float) channelIndex;
        signal.channels.push_back (ramp (numSamples, start * scale, end * scale));
    }

    return signal;
}

/** A first-order ambisonic scene in ACN channel order with SN3D weights (W, Y, Z, X):
    a low-passed noise source with a slow amplitude swell circling the listener while
    rising and falling in elevation, plus a little diffuse noise on every channel. The
    result is scaled so that its largest absolute sample is peak. */
inline MultiChannelSignal ambisonicScene (int numSamples, double sampleRate, float peak, std::uint64_t seed)
{
    constexpr double pi = 3.14159265358979323846;
    SignalRandom random (seed);
    MultiChannelSignal signal (4, numSamples);
    double lowPassed = 0.0;
    const double smoothing = std::exp (-2.0 * pi * 3000.0 / sampleRate);
    float largest = 0.0f;

    for (int i = 0; i < numSamples; ++i)
    {
        const double time = i / sampleRate;
        lowPassed = lowPassed * smoothing + (1.0 - smoothing) * random.bipolar();
        const double swell = 0.6 + 0.4 * std::sin (2.0 * pi * 0.7 * time);
        const double source = 4.0 * lowPassed * swell;
        const double azimuth = 2.0 * pi * 0.25 * time;
        const double elevation = 0.5 * std::sin (2.0 * pi * 0.1 * time);
        const double diffuse = 0.02;

        const double w = source + diffuse * random.bipolar();
        const double y = source * std::sin (azimuth) * std::cos (elevation) + diffuse * random.bipolar();
        const double z = source * std::sin (elevation) + diffuse * random.bipolar();
        const double x = source * std::cos (azimuth) * std::cos (elevation) + diffuse * random.bipolar();

        const double values[] = { w, y, z, x };

        for (size_t channelIndex = 0; channelIndex < 4; ++channelIndex)
        {
            signal.channels[channelIndex][(size_t) i] = (float) values[channelIndex];
            largest = std::fmax (largest, std::fabs ((float) values[channelIndex]));
        }
    }

    if (largest > 0.0f)
        for (auto& channel : signal.channels)
            for (auto& sample : channel)
                sample *= peak / largest;

    return signal;
}

/** Replaces samples at random with NaN, infinities, huge finite values and negative zeros,
    each sample with the given probability. */
inline void sprinkleTroublesomeSamples (MultiChannelSignal& signal, float probability, std::uint64_t seed)
{
    SignalRandom random (seed);
    const float troublesome[] = {
        std::numeric_limits<float>::quiet_NaN(),
        -std::numeric_limits<float>::quiet_NaN(),
        std::numeric_limits<float>::infinity(),
        -std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::max(),
        -std::numeric_limits<float>::max(),
        1.0e30f,
        -3.0e25f,
        -0.0f,
        std::numeric_limits<float>::denorm_min(),
    };

    for (auto& channel : signal.channels)
        for (auto& sample : channel)
            if (random.chance (probability))
                sample = troublesome[random.integer (0, (int) (sizeof (troublesome) / sizeof (troublesome[0])) - 1)];
}
} // namespace quorvel::test
