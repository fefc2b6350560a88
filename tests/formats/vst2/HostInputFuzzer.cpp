// Feeds arbitrary host input to the plug-in base: opcodes with any index,
// value and float, parameter and process calls, host answers, and the
// text conversions and arrangement tools with any numbers. Every buffer the
// base may write is a heap block of exactly the size the protocol allows, so
// AddressSanitizer reports the first byte written out of place.

#include "formats/vst2/AudioEffectX.h"
#include "support/FuzzReader.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace
{
VstIntPtr hostAnswer = 0;

VstIntPtr fuzzHost (AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float)
{
    return hostAnswer;
}

using Reader = quorvel::test::FuzzReader;

struct StaticRect
{
    short top, left, bottom, right;
};

StaticRect editorRect { 0, 0, 373, 435 };

class FuzzEditor : public AEffEditor
{
public:
    bool getRect (ERect** rect) override
    {
        *rect = reinterpret_cast<ERect*> (&editorRect);
        return true;
    }

    bool open (void*) override { return true; }

    bool onKeyDown (VstKeyCode& keyCode) override { return keyCode.virt != 0; }
};

constexpr VstInt32 maxFrames = 64;

class FuzzEffect : public AudioEffectX
{
public:
    FuzzEffect()
        : AudioEffectX (&fuzzHost, 2, 4)
    {
        setNumInputs (4);
        setNumOutputs (4);
        editor = std::make_unique<FuzzEditor>();
    }

    void processReplacing (float** inputs, float** outputs, VstInt32 sampleFrames) override
    {
        if (sampleFrames > maxFrames)
            __builtin_trap(); // the fuzzer never offers more

        for (VstInt32 channel = 0; channel < 4; ++channel)
            for (VstInt32 i = 0; i < sampleFrames; ++i)
                outputs[channel][i] = inputs[channel][i] * 0.5f;
    }
};

void checkText (const char* text, VstInt32 maxLen)
{
    if (text[maxLen] != 0 || std::strlen (text) > static_cast<size_t> (maxLen) || std::strlen (text) > 11)
        __builtin_trap();
}

void convert (FuzzEffect& effect, Reader& in)
{
    const auto which = in.take<uint8_t>() % 5;
    const auto value = in.take<float>();
    const auto integer = in.take<VstInt32>();
    const auto maxLen = static_cast<VstInt32> (in.take<uint8_t>() % 24);
    auto text = std::make_unique<char[]> (static_cast<size_t> (maxLen) + 1);

    switch (which)
    {
        case 0:
            effect.float2string (value, text.get(), maxLen);
            break;
        case 1:
            effect.int2string (integer, text.get(), maxLen);
            break;
        case 2:
            effect.dB2string (value, text.get(), maxLen);
            break;
        case 3:
            effect.Hz2string (value, text.get(), maxLen);
            break;
        default:
            effect.ms2string (value, text.get(), maxLen);
            break;
    }

    checkText (text.get(), maxLen);
}

void dispatchOnce (std::unique_ptr<FuzzEffect>& effect, Reader& in)
{
    const auto opcode = static_cast<VstInt32> (in.take<uint8_t>() % 100) - 2;
    const auto index = in.take<VstInt32>();
    auto value = in.take<VstIntPtr>();
    const auto opt = in.take<float>();
    const auto pointerChoice = in.take<uint8_t>() % 3;

    // What a host may pass: nothing, a text buffer as long as any opcode's
    // text, or the address of a pointer it wants filled in.
    auto buffer = std::make_unique<char[]> (256);
    std::memset (buffer.get(), 'x', 256);
    void* slots[2] {};
    auto arrangementBlock = std::make_unique<char[]> (VstSpeakerArrangement::byteSize (2));
    std::memset (arrangementBlock.get(), 0, VstSpeakerArrangement::byteSize (2));

    void* ptr = pointerChoice == 0 ? nullptr : pointerChoice == 1 ? static_cast<void*> (buffer.get())
                                                                  : static_cast<void*> (&slots[0]);

    // These two opcodes carry an address in value; a host never sends a random one.
    if (opcode == effSetSpeakerArrangement)
        value = (value & 1) != 0 ? reinterpret_cast<VstIntPtr> (arrangementBlock.get()) : 0;
    else if (opcode == effGetSpeakerArrangement)
        value = (value & 1) != 0 ? reinterpret_cast<VstIntPtr> (&slots[1]) : 0;

    auto* record = effect->getAeffect();
    record->dispatcher (record, opcode, index, value, ptr, opt);

    if (opcode == effClose)
    {
        (void) effect.release(); // the close deleted it
        effect = std::make_unique<FuzzEffect>();
    }
}

void entries (FuzzEffect& effect, Reader& in)
{
    auto* record = effect.getAeffect();
    const auto index = in.take<VstInt32>();
    const auto value = in.take<float>();
    const auto frames = static_cast<VstInt32> (in.take<int8_t>() % (maxFrames + 1));
    const auto withBuffers = (in.take<uint8_t>() & 1) != 0;

    record->setParameter (record, index, value);
    (void) record->getParameter (record, index);

    std::vector<std::vector<float>> storage (8, std::vector<float> (maxFrames, value));
    float* inputs[4] = { storage[0].data(), storage[1].data(), storage[2].data(), storage[3].data() };
    float* outputs[4] = { storage[4].data(), storage[5].data(), storage[6].data(), storage[7].data() };
    record->processReplacing (record, withBuffers ? inputs : nullptr, withBuffers ? outputs : nullptr, frames);
}

void hostAnswers (FuzzEffect& effect, Reader& in)
{
    hostAnswer = in.take<VstIntPtr>();
    char request[] = "sizeWindow";
    (void) effect.canHostDo (request);
    (void) effect.getMasterVersion();
    (void) effect.isInputConnected (0);
    (void) effect.updateSampleRate();
    (void) effect.updateBlockSize();
    (void) effect.getTimeInfo (0);
}

void arrangements (FuzzEffect& effect, Reader& in)
{
    const auto channels = in.take<VstInt32>() % (AudioEffectX::maxArrangementChannels + 64);
    VstSpeakerArrangement* first = nullptr;
    VstSpeakerArrangement* second = nullptr;

    if (effect.allocateArrangement (&first, channels))
    {
        for (VstInt32 i = 0; i < first->numChannels; ++i)
            std::memset (first->speakers()[i].name, 'n', sizeof (first->speakers()[i].name));

        if (! effect.matchArrangement (&second, first) || second->numChannels != channels)
            __builtin_trap();

        if (channels > 0 && second->speakers()[channels - 1].name[63] != 0)
            __builtin_trap();

        effect.matchArrangement (&second, second);
    }

    effect.deallocateArrangement (&first);
    effect.deallocateArrangement (&second);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    Reader in (data, size);
    auto effect = std::make_unique<FuzzEffect>();
    hostAnswer = 0;

    for (int step = 0; step < 64 && ! in.empty(); ++step)
    {
        switch (in.take<uint8_t>() % 5)
        {
            case 0:
                convert (*effect, in);
                break;
            case 1:
                dispatchOnce (effect, in);
                break;
            case 2:
                entries (*effect, in);
                break;
            case 3:
                hostAnswers (*effect, in);
                break;
            default:
                arrangements (*effect, in);
                break;
        }
    }

    return 0;
}
