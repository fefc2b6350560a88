// quorvel_render: renders four-channel audio through the Quorvel VST 2.4 plug-in,
// loaded from its shared object by JUCE's own plug-in hosting code.

#include "tools/render/LimiterSettings.h"
#include "tools/render/OfflineRenderer.h"
#include "tools/render/PluginLoader.h"
#include "tools/render/TestSignal.h"

#include <juce_audio_formats/juce_audio_formats.h>
#include <juce_events/juce_events.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#ifndef QUORVEL_DEFAULT_PLUGIN_PATH
    #define QUORVEL_DEFAULT_PLUGIN_PATH "Quorvel.so"
#endif

namespace
{
using namespace quorvel::render;

constexpr double minimumSampleRate = 8000.0;
constexpr double maximumSampleRate = 192000.0;

/** The options that set the limiter, by parameter index. */
struct SettingOption
{
    const char* option;
    const char* description;
    double LimiterSettings::*setting;
};

constexpr SettingOption settingOptions[] = {
    { "--attack", "attack time and look-ahead", &LimiterSettings::attackMs },
    { "--release", "release time", &LimiterSettings::releaseMs },
    { "--max-peak", "output ceiling", &LimiterSettings::maxPeakDb },
    { "--input-gain", "gain before limiting", &LimiterSettings::inputGainDb },
};

struct Options
{
    juce::String pluginPath { QUORVEL_DEFAULT_PLUGIN_PATH };
    juce::String inputPath;
    juce::String outputPath;
    juce::String generatedInputCopyPath;
    LimiterSettings settings;
    double sampleRate = 48000.0;
    double seconds = TestSignal::defaultSeconds;
    int blockSize = 512;
    int bitsPerSample = 32;
};

void printUsage()
{
    std::printf (
        "usage: quorvel_render [options] [input.wav]\n"
        "\n"
        "Renders a four-channel WAV file through the Quorvel plug-in. Without an input\n"
        "file, a %.0f-second four-channel B-format test signal with transients is generated.\n"
        "\n"
        "  --plugin PATH        the plug-in's shared object (default: %s)\n"
        "  --output PATH        the WAV file to write (default: <input>-quorvel.wav,\n"
        "                       or quorvel-render.wav for the generated signal)\n",
        TestSignal::defaultSeconds,
        QUORVEL_DEFAULT_PLUGIN_PATH);

    for (size_t index = 0; index < std::size (settingOptions); ++index)
    {
        const auto& parameter = ParameterTable::parameters[index];
        const auto flag = juce::String (settingOptions[index].option) + " " + juce::String (parameter.unit).toUpperCase();
        std::printf ("  %-21s%s, %g to %s%g %s (default %g)\n",
                     flag.toRawUTF8(),
                     settingOptions[index].description,
                     (double) parameter.minimum,
                     parameter.minimum < 0.0f ? "+" : "",
                     (double) parameter.maximum,
                     parameter.unit,
                     (double) parameter.defaultInUnit());
    }

    std::printf (
        "  --block-size N       samples per block handed to the plug-in (default 512)\n"
        "  --bits N             output sample format: 16, 24 or 32 (float) (default 32)\n"
        "  --sample-rate HZ     rate of the generated signal (default 48000)\n"
        "  --seconds S          length of the generated signal (default 10)\n"
        "  --write-input PATH   also save the generated signal\n");
}

std::optional<double> parseNumber (const juce::String& text)
{
    const auto utf8 = text.toStdString();
    char* end = nullptr;
    const auto value = std::strtod (utf8.c_str(), &end);

    if (utf8.empty() || end != utf8.c_str() + utf8.size() || ! std::isfinite (value))
        return std::nullopt;

    return value;
}

/** The options, or nothing after printing what is wrong. */
std::optional<Options> parseArguments (const juce::StringArray& arguments, bool& helpRequested)
{
    Options options;

    for (int i = 0; i < arguments.size(); ++i)
    {
        const auto& argument = arguments[i];

        if (argument == "--help" || argument == "-h")
        {
            helpRequested = true;
            return std::nullopt;
        }

        if (! argument.startsWith ("--"))
        {
            if (options.inputPath.isNotEmpty())
            {
                std::fprintf (stderr, "quorvel_render: only one input file can be given\n");
                return std::nullopt;
            }

            options.inputPath = argument;
            continue;
        }

        if (i + 1 >= arguments.size())
        {
            std::fprintf (stderr, "quorvel_render: %s needs a value\n", argument.toRawUTF8());
            return std::nullopt;
        }

        const auto value = arguments[++i];

        if (argument == "--plugin")
            options.pluginPath = value;
        else if (argument == "--output")
            options.outputPath = value;
        else if (argument == "--write-input")
            options.generatedInputCopyPath = value;
        else
        {
            const auto number = parseNumber (value);

            if (! number)
            {
                std::fprintf (stderr, "quorvel_render: %s needs a number, not \"%s\"\n", argument.toRawUTF8(), value.toRawUTF8());
                return std::nullopt;
            }

            const auto* setting = std::find_if (std::begin (settingOptions), std::end (settingOptions), [&] (const auto& candidate)
                                                { return argument == candidate.option; });

            if (setting != std::end (settingOptions))
                options.settings.*(setting->setting) = *number;
            else if (argument == "--block-size")
                options.blockSize = (int) *number;
            else if (argument == "--bits")
                options.bitsPerSample = (int) *number;
            else if (argument == "--sample-rate")
                options.sampleRate = *number;
            else if (argument == "--seconds")
                options.seconds = *number;
            else
            {
                std::fprintf (stderr, "quorvel_render: unknown option %s (try --help)\n", argument.toRawUTF8());
                return std::nullopt;
            }
        }
    }

    if (const auto problem = options.settings.findProblem())
    {
        std::fprintf (stderr, "quorvel_render: %s\n", problem->c_str());
        return std::nullopt;
    }

    if (options.blockSize < 1 || options.blockSize > 65536)
    {
        std::fprintf (stderr, "quorvel_render: the block size must be between 1 and 65536\n");
        return std::nullopt;
    }

    if (options.bitsPerSample != 16 && options.bitsPerSample != 24 && options.bitsPerSample != 32)
    {
        std::fprintf (stderr, "quorvel_render: --bits must be 16, 24 or 32\n");
        return std::nullopt;
    }

    if (options.sampleRate < minimumSampleRate || options.sampleRate > maximumSampleRate)
    {
        std::fprintf (stderr, "quorvel_render: the sample rate must be between 8000 and 192000 Hz\n");
        return std::nullopt;
    }

    if (options.seconds <= 0.0 || options.seconds > 3600.0)
    {
        std::fprintf (stderr, "quorvel_render: --seconds must be above 0 and at most 3600\n");
        return std::nullopt;
    }

    return options;
}

bool readWav (const juce::File& file, juce::AudioBuffer<float>& buffer, double& sampleRate, juce::String& error)
{
    auto stream = file.createInputStream();

    if (stream == nullptr)
    {
        error = "cannot open " + file.getFullPathName();
        return false;
    }

    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatReader> reader (wav.createReaderFor (stream.release(), true));

    if (reader == nullptr)
    {
        error = "cannot read " + file.getFullPathName() + " as a WAV file";
        return false;
    }

    if (reader->numChannels != TestSignal::numChannels)
    {
        error = file.getFullPathName() + " has " + juce::String (reader->numChannels) + " channels; the plug-in takes 4";
        return false;
    }

    if (reader->lengthInSamples > std::numeric_limits<int>::max() / 2)
    {
        error = file.getFullPathName() + " is too long";
        return false;
    }

    if (! (reader->sampleRate >= minimumSampleRate && reader->sampleRate <= maximumSampleRate))
    {
        error = file.getFullPathName() + " has a sample rate of " + juce::String (reader->sampleRate) + " Hz; the plug-in runs from 8000 to 192000 Hz";
        return false;
    }

    sampleRate = reader->sampleRate;
    buffer.setSize ((int) reader->numChannels, (int) reader->lengthInSamples);

    if (! reader->read (&buffer, 0, (int) reader->lengthInSamples, 0, true, true))
    {
        error = "cannot read the samples of " + file.getFullPathName();
        return false;
    }

    return true;
}

bool writeWav (const juce::File& file, const juce::AudioBuffer<float>& buffer, double sampleRate, int bits, juce::String& error)
{
    file.getParentDirectory().createDirectory();
    file.deleteFile();

    std::unique_ptr<juce::OutputStream> stream (file.createOutputStream());

    if (stream == nullptr)
    {
        error = "cannot write " + file.getFullPathName();
        return false;
    }

    juce::WavAudioFormat wav;
    std::unique_ptr<juce::AudioFormatWriter> writer (wav.createWriterFor (stream.get(), sampleRate, (unsigned int) buffer.getNumChannels(), bits, {}, 0));

    if (writer == nullptr)
    {
        error = "cannot write a " + juce::String (bits) + "-bit WAV file";
        return false;
    }

    stream.release(); // now owned by the writer

    if (! writer->writeFromAudioSampleBuffer (buffer, 0, buffer.getNumSamples()))
    {
        error = "writing " + file.getFullPathName() + " failed";
        return false;
    }

    return true;
}

/** A text progress bar on the standard error stream, redrawn when it grows by a mark. */
class ProgressBar
{
public:
    void update (double fraction)
    {
        const auto percent = juce::jlimit (0, 100, (int) (fraction * 100.0));
        const auto filled = percent * width / 100;

        if (filled == shownMarks && percent != 100)
            return;

        if (percent == 100 && finished)
            return;

        shownMarks = filled;
        finished = percent == 100;
        std::fprintf (stderr, "\rrendering [%s%s] %3d%%", std::string ((size_t) filled, '#').c_str(), std::string ((size_t) (width - filled), '.').c_str(), percent);

        if (percent == 100)
            std::fprintf (stderr, "\n");

        std::fflush (stderr);
    }

private:
    static constexpr int width = 40;
    int shownMarks = -1;
    bool finished = false;
};

juce::String decibels (double linear)
{
    if (! (linear > 0.0))
        return "-inf dB";

    return juce::String (20.0 * std::log10 (linear), 2) + " dB";
}

const char* channelName (int channel)
{
    static const char* const names[] = { "1 (W)", "2 (Y)", "3 (Z)", "4 (X)" };
    return channel >= 0 && channel < 4 ? names[channel] : "?";
}

/** JUCE's hosting code logs every load; the summary says what matters. */
class QuietLogger : public juce::Logger
{
    void logMessage (const juce::String&) override {}
};

int run (const Options& options)
{
    juce::AudioBuffer<float> input;
    double sampleRate = options.sampleRate;
    juce::String error;
    juce::String inputDescription;

    const auto cwd = juce::File::getCurrentWorkingDirectory();
    juce::File outputFile;

    if (options.inputPath.isNotEmpty())
    {
        const auto inputFile = cwd.getChildFile (options.inputPath);

        if (! readWav (inputFile, input, sampleRate, error))
        {
            std::fprintf (stderr, "quorvel_render: %s\n", error.toRawUTF8());
            return 1;
        }

        inputDescription = inputFile.getFullPathName();
        outputFile = options.outputPath.isNotEmpty() ? cwd.getChildFile (options.outputPath)
                                                     : inputFile.getSiblingFile (inputFile.getFileNameWithoutExtension() + "-quorvel.wav");
    }
    else
    {
        input = TestSignal::generate (sampleRate, options.seconds);
        inputDescription = "generated " + juce::String (options.seconds, 1) + " s four-channel B-format test signal (ambiX)";
        outputFile = cwd.getChildFile (options.outputPath.isNotEmpty() ? options.outputPath : juce::String ("quorvel-render.wav"));

        if (options.generatedInputCopyPath.isNotEmpty()
            && ! writeWav (cwd.getChildFile (options.generatedInputCopyPath), input, sampleRate, options.bitsPerSample, error))
        {
            std::fprintf (stderr, "quorvel_render: %s\n", error.toRawUTF8());
            return 1;
        }
    }

    const auto pluginFile = cwd.getChildFile (options.pluginPath);
    auto plugin = PluginLoader::load (pluginFile, sampleRate, options.blockSize, error);

    if (plugin == nullptr)
    {
        std::fprintf (stderr, "quorvel_render: %s\n", error.toRawUTF8());
        return 1;
    }

    if (plugin->getTotalNumInputChannels() != 4 || plugin->getTotalNumOutputChannels() != 4 || plugin->getParameters().size() < 4)
    {
        std::fprintf (stderr, "quorvel_render: %s is not a four-channel limiter with four parameters\n", pluginFile.getFullPathName().toRawUTF8());
        return 1;
    }

    ProgressBar progressBar;
    OfflineRenderer renderer (*plugin, options.blockSize);
    juce::AudioBuffer<float> output;
    const auto summary = renderer.render (input, sampleRate, options.settings, output, [&progressBar] (double fraction)
                                          { progressBar.update (fraction); });
    const auto pluginName = plugin->getName();
    plugin.reset();

    if (! writeWav (outputFile, output, sampleRate, options.bitsPerSample, error))
    {
        std::fprintf (stderr, "quorvel_render: %s\n", error.toRawUTF8());
        return 1;
    }

    const auto& s = options.settings;
    std::printf ("plug-in:                %s (%s)\n", pluginName.toRawUTF8(), pluginFile.getFullPathName().toRawUTF8());
    std::printf ("input:                  %s, %d samples at %.0f Hz\n", inputDescription.toRawUTF8(), input.getNumSamples(), sampleRate);
    std::printf ("settings:               attack %g ms, release %g ms, max peak %+g dB, input gain %g dB\n", s.attackMs, s.releaseMs, s.maxPeakDb, s.inputGainDb);
    std::printf ("latency:                %d samples (%.3f ms), removed from the output\n", summary.latencySamples, 1000.0 * summary.latencySamples / sampleRate);
    std::printf ("input peak:             %s on channel %s\n", decibels (summary.inputPeak).toRawUTF8(), channelName (summary.inputPeakChannel));
    std::printf ("output peak:            %s on channel %s (ceiling %s)\n", decibels (summary.outputPeak).toRawUTF8(), channelName (summary.outputPeakChannel), decibels (s.maxPeakLinear()).toRawUTF8());
    std::printf ("largest gain reduction: %.2f dB at %.3f s\n", summary.largestGainReductionDb, (double) summary.largestGainReductionSample / sampleRate);
    if (options.inputPath.isEmpty() && options.generatedInputCopyPath.isNotEmpty())
        std::printf ("test signal written to: %s\n", cwd.getChildFile (options.generatedInputCopyPath).getFullPathName().toRawUTF8());

    std::printf ("output written to:      %s\n", outputFile.getFullPathName().toRawUTF8());
    return 0;
}
} // namespace

int main (int argc, char** argv)
{
    juce::StringArray arguments;

    for (int i = 1; i < argc; ++i)
        arguments.add (juce::String::fromUTF8 (argv[i]));

    bool helpRequested = false;
    const auto options = parseArguments (arguments, helpRequested);

    if (helpRequested)
    {
        printUsage();
        return 0;
    }

    if (! options)
        return 2;

    juce::ScopedJuceInitialiser_GUI juce;
    QuietLogger quietLogger;
    juce::Logger::setCurrentLogger (&quietLogger);
    const auto result = run (*options);
    juce::Logger::setCurrentLogger (nullptr);
    return result;
}
