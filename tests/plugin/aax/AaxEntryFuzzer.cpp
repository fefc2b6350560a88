// Quorvel.so in the simulated AAX host, under any sequence of host calls: each input
// makes an effect object through the routine the registration handed the host, drives it
// with fuzzed chunks of both identifiers, parameter requests and renders, and gives it
// back. An input that starts like a saved state (the state corpus seeds this fuzzer too)
// is restored as the "juce" chunk of a running effect instead.

#include "formats/aax/AAX_CString.h"
#include "formats/aax/AAX_PlugInDescription.h"
#include "formats/aax/host/HostAlgorithm.h"
#include "formats/aax/host/HostChunkRecord.h"
#include "formats/aax/host/HostEffectSession.h"
#include "formats/aax/host/SimulatedHost.h"
#include "support/FuzzReader.h"
#include "support/StateBlock.h"
#include "tests/plugin/aax/QuorvelAaxLibrary.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using quorvel::test::FuzzReader;

namespace
{
constexpr uint32_t stateChunkID = AAX_FourCharCode ("juce");
constexpr uint32_t controlsChunkID = AAX_FourCharCode ("elck");
constexpr int numChannels = AAX_ContextFields::numChannels;

void require (bool condition)
{
    if (! condition)
        std::abort();
}

/** The host and the registered plug-in, for the whole run: registering once is what a
    host does, and it keeps the plug-in's message loop up between inputs. */
struct RegisteredPlugIn
{
    RegisteredPlugIn()
    {
        const auto& library = quorvelAax();
        require (library.loaded() && library.startup (host.unknown()) == kAAX_Success);
        IACFDefinition* definition = nullptr;
        require (library.registerPlugin (host.unknown(), &definition) == kAAX_Success && definition != nullptr);
        definition->Release();
        keeper = openEffect();
    }

    std::unique_ptr<HostEffectSession> openEffect()
    {
        const auto create = reinterpret_cast<AAX_CreateObjectRoutine> (host.context().registration.routine (0));
        require (create != nullptr);
        auto effect = std::make_unique<HostEffectSession> (host.context(), create());
        require (effect->effect() != nullptr && effect->initialize() == kAAX_Success);
        effect->instance().attachEffect (effect->effect());
        return effect;
    }

    SimulatedHost host;
    std::unique_ptr<HostEffectSession> keeper;
};

RegisteredPlugIn& plugIn()
{
    // Never torn down: nothing of the plug-in runs while the process exits.
    static auto* const registered = new RegisteredPlugIn();
    return *registered;
}

AAX_Result restore (AAX_IACFEffectParameters& effect, uint32_t chunkID, const std::vector<uint8_t>& data)
{
    return effect.SetChunk (chunkID, HostChunkRecord::holding (chunkID, 0, data).get());
}

void saveAndRestore (AAX_IACFEffectParameters& effect, uint32_t chunkID)
{
    uint32_t size = 0;

    if (effect.GetChunkSize (chunkID, &size) != kAAX_Success)
        return;

    HostChunkRecord saved (chunkID, size);

    // What the plug-in saves, it restores.
    if (effect.GetChunk (chunkID, saved.get()) == kAAX_Success)
        require (effect.SetChunk (chunkID, saved.get()) == kAAX_Success);
}

void render (HostAlgorithm& algorithm, FuzzReader& input)
{
    const float values[] = { 0.0f, 0.5f, -1.0f, 4.0f, 1.0e30f, std::numeric_limits<float>::quiet_NaN(), 1.0e-40f };
    const int frames = 1 + input.take<uint8_t>() % 200;
    const float fill = input.choose (values);
    std::vector<float> samples ((size_t) (2 * numChannels * frames), fill);
    std::vector<float*> channels;

    for (int channel = 0; channel < 2 * numChannels; ++channel)
        channels.push_back (samples.data() + (size_t) channel * (size_t) frames);

    if (input.take<uint8_t>() % 2 == 0)
        algorithm.render (channels.data(), channels.data() + numChannels, frames);
    else
        algorithm.renderInPlace (channels.data() + numChannels, frames);

    // Bypassed, the host's own samples come back as they were.
    const bool bypassed = algorithm.portValue (AAX_ContextFields::bypassPort) != 0;

    for (size_t i = (size_t) (numChannels * frames); i < samples.size(); ++i)
        require (bypassed || std::isfinite (samples[i]));
}

void runCalls (HostEffectSession& session, HostAlgorithm& algorithm, FuzzReader& input)
{
    auto& effect = *session.effect();
    const char* const identifiers[] = { "0", "1", "2", "3", "MasterBypassID", "4", "-1", "", "00" };
    const double values[] = { 0.0, 0.25, 0.5, 1.0, -1.0, 2.0, 1.0e300, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity() };
    const char* const texts[] = { "0.5", "abc", "", "-1e-3", "1e999", "nan", " 12 dB", "\xE2\x82" };

    for (int call = 0; call < 48 && ! input.empty(); ++call)
    {
        const auto* identifier = input.choose (identifiers);

        switch (input.take<uint8_t>() % 10)
        {
            case 0:
                restore (effect, stateChunkID, input.bytes());
                break;
            case 1:
            {
                // A well-framed block around fuzzed text reaches the text checks.
                const auto text = input.bytes();
                const auto block = quorvel::test::stateBlockAround (std::string (text.begin(), text.end()));
                restore (effect, stateChunkID, block);
                break;
            }
            case 2:
                restore (effect, controlsChunkID, input.bytes());
                break;
            case 3:
                saveAndRestore (effect, input.take<uint8_t>() % 2 == 0 ? stateChunkID : controlsChunkID);
                break;
            case 4:
                effect.SetParameterNormalizedValue (identifier, input.choose (values));
                break;
            case 5:
            {
                double value = 0.0;
                AAX_CString text;
                effect.GetParameterNormalizedValue (identifier, &value);
                effect.GetParameterStringFromValue (identifier, input.choose (values), &text, input.take<uint8_t>() % 40);
                effect.GetParameterValueFromString (identifier, &value, AAX_CString (input.choose (texts)));
                break;
            }
            case 6:
                session.deliverPending();
                effect.GenerateCoefficients();
                break;
            case 7:
                effect.UpdateParameterNormalizedValue (identifier, input.choose (values), 0);
                break;
            default:
                render (algorithm, input);
                break;
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    plugIn();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    auto& registered = plugIn();
    auto session = registered.openEffect();
    HostAlgorithm algorithm (registered.host.context(), *session->effect(), session->controller(), numChannels);
    FuzzReader input (data, size);

    if (size >= 4 && std::memcmp (data, "VC2!", 4) == 0)
    {
        const auto answer = restore (*session->effect(), stateChunkID, std::vector<uint8_t> (data, data + size));
        require (answer == kAAX_Success || answer == kAAX_ErrorConversionFailed);
        // The same text again in a block whose length field fits it: a mutation that
        // grows the text leaves the field behind, and the block would be refused
        // before its text is ever read.
        const auto fitted = restore (*session->effect(), stateChunkID, quorvel::test::stateBlockAround (std::string (data + std::min (size, (size_t) 8), data + size)));
        require (fitted == kAAX_Success || fitted == kAAX_ErrorConversionFailed);
        saveAndRestore (*session->effect(), stateChunkID);
        render (algorithm, input);
    }
    else
    {
        runCalls (*session, algorithm, input);
    }

    session->instance().detachEffect();
    registered.host.calls().clear(); // the host's record of calls would grow for good
    return 0;
}
