#include "tools/render/TestSignal.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace quorvel::render
{
namespace
{
    constexpr double twoPi = 6.283185307179586;

    /** Adds a mono source at (azimuth, elevation), in radians, to the four ambiX channels. */
    void encode (juce::AudioBuffer<float>& buffer, int sample, double value, double azimuth, double elevation)
    {
        const auto cosElevation = std::cos (elevation);
        buffer.addSample (0, sample, (float) value);
        buffer.addSample (1, sample, (float) (value * std::sin (azimuth) * cosElevation));
        buffer.addSample (2, sample, (float) (value * std::sin (elevation)));
        buffer.addSample (3, sample, (float) (value * std::cos (azimuth) * cosElevation));
    }

    enum class HitKind
    {
        kick,
        snare,
        click
    };

    struct Hit
    {
        double time;
        HitKind kind;
        double amplitude;
        double azimuth;
        double elevation;
    };

    double hitValue (const Hit& hit, double t, std::mt19937& noise)
    {
        std::uniform_real_distribution<double> uniform (-1.0, 1.0);

        switch (hit.kind)
        {
            case HitKind::kick:
            {
                // A falling sine: the pitch drops from 120 Hz to 45 Hz within a few tens of ms.
                const auto phase = twoPi * (45.0 * t + 75.0 * 0.03 * (1.0 - std::exp (-t / 0.03)));
                return hit.amplitude * std::exp (-t / 0.09) * std::sin (phase);
            }
            case HitKind::snare:
                return hit.amplitude * std::exp (-t / 0.045) * (0.7 * uniform (noise) + 0.3 * std::sin (twoPi * 190.0 * t));
            case HitKind::click:
                return hit.amplitude * std::exp (-t / 0.0015) * (t < 0.0002 ? 1.0 : uniform (noise));
        }

        return 0.0;
    }

    std::vector<Hit> makePattern (double seconds, std::mt19937& random)
    {
        std::uniform_real_distribution<double> azimuth (-3.14159, 3.14159);
        std::uniform_real_distribution<double> elevation (-0.6, 0.8);
        std::uniform_real_distribution<double> variation (0.8, 1.0);

        std::vector<Hit> hits;
        const double beat = 0.25;

        for (int step = 1; step * beat < seconds - 0.3; ++step)
        {
            const auto time = step * beat;
            const auto bar = step / 16;

            if (step % 4 == 0)
                hits.push_back ({ time, HitKind::kick, 0.9 * variation (random), 0.0, 0.0 });

            if (step % 8 == 4)
                hits.push_back ({ time + 0.002, HitKind::snare, 0.6 * variation (random), azimuth (random), elevation (random) });

            // Every other bar, a run of loud clicks: the hardest case for a limiter.
            if (bar % 2 == 1 && step % 2 == 1)
                hits.push_back ({ time + 0.05, HitKind::click, 1.0 * variation (random), azimuth (random), elevation (random) });
            else if (step % 3 == 0)
                hits.push_back ({ time + 0.11, HitKind::click, 0.35 * variation (random), azimuth (random), elevation (random) });
        }

        return hits;
    }
} // namespace

juce::AudioBuffer<float> TestSignal::generate (double sampleRate, double seconds, float peakLevel, std::uint32_t seed)
{
    const auto numSamples = (int) std::max (0.0, std::round (sampleRate * seconds));
    juce::AudioBuffer<float> buffer (numChannels, numSamples);
    buffer.clear();

    if (numSamples == 0 || ! (sampleRate > 0.0))
        return buffer;

    std::mt19937 random (seed);
    std::normal_distribution<double> gaussian (0.0, 1.0);

    const auto silentStart = 0.25;

    // The chord circles once every ten seconds, a little above the horizon.
    for (int i = 0; i < numSamples; ++i)
    {
        const auto t = i / sampleRate;

        if (t < silentStart)
            continue;

        const auto fadeIn = std::min (1.0, (t - silentStart) / 0.5);
        const auto chord = 0.08 * (std::sin (twoPi * 110.0 * t) + 0.7 * std::sin (twoPi * 164.8 * t) + 0.5 * std::sin (twoPi * 220.0 * t));
        encode (buffer, i, fadeIn * chord, twoPi * t / 10.0, 0.2);

        // Diffuse floor: independent noise on every component.
        for (int channel = 0; channel < numChannels; ++channel)
            buffer.addSample (channel, i, (float) (fadeIn * 0.003 * gaussian (random)));
    }

    for (const auto& hit : makePattern (seconds, random))
    {
        const auto first = (int) std::ceil (hit.time * sampleRate);
        const auto length = (int) std::ceil (0.6 * sampleRate);

        for (int i = first; i < std::min (numSamples, first + length); ++i)
            encode (buffer, i, hitValue (hit, i / sampleRate - hit.time, random), hit.azimuth, hit.elevation);
    }

    const auto peak = buffer.getMagnitude (0, numSamples);

    if (peak > 0.0f)
        buffer.applyGain (peakLevel / peak);

    return buffer;
}
} // namespace quorvel::render
