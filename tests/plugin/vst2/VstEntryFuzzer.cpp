// Quorvel.so as a host meets it, under any sequence of calls: each input makes an effect
// through VSTPluginMain, drives it through the record's dispatcher, parameter and
// process entries with fuzz-chosen opcodes and values, and closes it. An input that
// starts like a saved state (the state corpus seeds this fuzzer too) is restored through
// both chunk opcodes of a running effect instead. The audio must stay finite.

#include "support/FuzzReader.h"
#include "support/StateBlock.h"
#include "tests/plugin/vst2/RawVstHost.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

using quorvel::test::FuzzReader;
using quorvel::test::HostChannels;
using quorvel::test::RawVstHost;

namespace
{
constexpr float notANumber = std::numeric_limits<float>::quiet_NaN();
constexpr float infinity = std::numeric_limits<float>::infinity();

void require (bool condition)
{
    if (! condition)
        std::abort();
}

void restore (fst::AEffect* effect, std::vector<uint8_t> block, bool asProgram)
{
    const auto answer = RawVstHost::dispatch (effect, fst::effSetChunk, asProgram ? 1 : 0, (fst::VstIntPtr) block.size(), block.data());
    require (answer == 0 || answer == 1);
}

void saveAndRestore (fst::AEffect* effect)
{
    void* data = nullptr;
    const auto size = RawVstHost::dispatch (effect, fst::effGetChunk, 0, 0, &data);

    if (data != nullptr && size > 0)
    {
        std::vector<uint8_t> saved (static_cast<uint8_t*> (data), static_cast<uint8_t*> (data) + size);
        // What the plug-in saves, it restores.
        require (RawVstHost::dispatch (effect, fst::effSetChunk, 0, (fst::VstIntPtr) saved.size(), saved.data()) == 1);
    }
}

void process (fst::AEffect* effect, FuzzReader& input, bool bypassed)
{
    const int frames = 1 + input.take<uint8_t>() % 200;
    const float values[] = { 0.0f, 0.5f, -1.0f, 4.0f, 1.0e30f, notANumber, infinity, 1.0e-40f };
    HostChannels in (frames, input.choose (values)), out (frames, 7.0f);
    in.channel (input.take<uint8_t>() % 4)[0] = input.choose (values);
    const auto* result = &out;

    switch (input.take<uint8_t>() % 3)
    {
        case 0:
            RawVstHost::processReplacing (effect, in.pointers(), out.pointers(), frames);
            break;
        case 1:
            RawVstHost::processReplacing (effect, in.pointers(), in.pointers(), frames);
            result = &in;
            break;
        default:
            RawVstHost::processReplacing (effect, nullptr, out.pointers(), frames);
            break;
    }

    // Bypassed, the host's own samples come back as they were.
    for (const float sample : result->samples)
        require (bypassed || std::isfinite (sample));
}

void runCalls (fst::AEffect* effect, FuzzReader& input)
{
    const float rates[] = { 44100.0f, 48000.0f, 96000.0f, 192000.0f, 8000.0f, 384000.0f, 0.0f, -48000.0f, notANumber, infinity, 1.0e9f };
    const fst::VstIntPtr blockSizes[] = { 256, 1, 64, 4096, 65536, 1 << 20, 0, -1 };
    const float values[] = { 0.0f, 0.25f, 0.5f, 1.0f, -1.0f, 2.0f, 1.0e30f, notANumber, infinity, -infinity };
    const char* const texts[] = { "0.5", "abc", "", "-1e-3", "1e999", "nan", " 12 dB", "\xE2\x82" };

    bool bypassed = false;

    for (int call = 0; call < 48 && ! input.empty(); ++call)
    {
        switch (input.take<uint8_t>() % 14)
        {
            case 0:
                RawVstHost::dispatch (effect, fst::effOpen);
                break;
            case 1:
                RawVstHost::dispatch (effect, fst::effSetSampleRate, 0, 0, nullptr, input.choose (rates));
                break;
            case 2:
                RawVstHost::dispatch (effect, fst::effSetBlockSize, 0, input.choose (blockSizes));
                break;
            case 3:
                RawVstHost::dispatch (effect, fst::effMainsChanged, 0, 1);
                break;
            case 4:
                RawVstHost::dispatch (effect, fst::effMainsChanged, 0, 0);
                break;
            case 5:
                restore (effect, input.bytes(), false);
                break;
            case 6:
                restore (effect, input.bytes(), true);
                break;
            case 7:
            {
                // A well-framed block around fuzzed text reaches the text checks.
                const auto text = input.bytes();
                const auto block = quorvel::test::stateBlockAround (std::string (text.begin(), text.end()));
                restore (effect, block, input.take<uint8_t>() % 2 == 1);
                break;
            }
            case 8:
                saveAndRestore (effect);
                break;
            case 9:
                RawVstHost::setParameter (effect, input.take<uint8_t>() % 6 - 1, input.choose (values));
                break;
            case 10:
            {
                const int index = input.take<uint8_t>() % 6 - 1;
                char text[256] {};
                RawVstHost::getParameter (effect, index);
                for (const int opcode : { fst::effGetParamName, fst::effGetParamLabel, fst::effGetParamDisplay })
                    RawVstHost::dispatch (effect, opcode, index, 0, text);
                break;
            }
            case 11:
            {
                char text[64] {};
                std::strncpy (text, input.choose (texts), sizeof (text) - 1);
                const auto answer = RawVstHost::dispatch (effect, fst::effString2Parameter, input.take<uint8_t>() % 6 - 1, 0, text);
                require (answer == 0 || answer == 1);
                break;
            }
            case 12:
                bypassed = input.take<uint8_t>() % 2 == 1;
                RawVstHost::dispatch (effect, fst::effSetBypassOpcode, 0, bypassed ? 1 : 0);
                break;
            default:
                process (effect, input, bypassed);
                break;
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    // One effect lives throughout, as in a host's session: the plug-in's message loop
    // then stays up instead of starting and stopping with every input. It is never
    // closed, so that nothing of the plug-in runs while the process exits.
    static auto* const keeper = RawVstHost::get().create();
    require (keeper != nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    LLVMFuzzerInitialize (nullptr, nullptr);
    RawVstHost::Effect effect (RawVstHost::get().create());
    require (effect != nullptr);
    FuzzReader input (data, size);

    if (size >= 4 && std::memcmp (data, "VC2!", 4) == 0)
    {
        RawVstHost::dispatch (effect.get(), fst::effSetSampleRate, 0, 0, nullptr, 48000.0f);
        RawVstHost::dispatch (effect.get(), fst::effMainsChanged, 0, 1);
        restore (effect.get(), std::vector<uint8_t> (data, data + size), false);
        restore (effect.get(), std::vector<uint8_t> (data, data + size), true);
        // The same text again in a block whose length field fits it: a mutation that
        // grows the text leaves the field behind, and the block would be refused
        // before its text is ever read.
        restore (effect.get(), quorvel::test::stateBlockAround (std::string (data + std::min (size, (size_t) 8), data + size)), false);
        saveAndRestore (effect.get());
        FuzzReader blocks (data, size);
        process (effect.get(), blocks, false);
        RawVstHost::get().take();
        return 0;
    }

    runCalls (effect.get(), input);
    RawVstHost::get().take(); // the host's record of requests would grow for good
    return 0;
}
