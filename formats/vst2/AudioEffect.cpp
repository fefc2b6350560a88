#include "formats/vst2/AudioEffect.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

namespace
{
constexpr VstInt32 textWidth = 8; // characters of a float2string result

bool isUsableRate (float rate) noexcept
{
    return std::isfinite (rate) && rate > 0.0f;
}

// Narrowing a double that lies outside the float range is undefined, so
// such values become the matching infinity, which float2string shows as "Huge!".
float toFloat (double value) noexcept
{
    if (value > static_cast<double> (FLT_MAX))
        return std::numeric_limits<float>::infinity();

    if (value < -static_cast<double> (FLT_MAX))
        return -std::numeric_limits<float>::infinity();

    return static_cast<float> (value);
}

// Appends the decimal digits of magnitude without leading zeros; returns the new end.
char* appendDigits (char* out, std::uint64_t magnitude) noexcept
{
    char reversed[24];
    int count = 0;

    do
    {
        reversed[count++] = static_cast<char> ('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);

    while (count > 0)
        *out++ = reversed[--count];

    return out;
}
} // namespace

//==============================================================================
AudioEffect::AudioEffect (audioMasterCallback hostCallback, VstInt32 programCount, VstInt32 parameterCount)
    : audioMaster (hostCallback)
    , numPrograms (programCount)
    , numParams (parameterCount)
{
    cEffect = AEffect {};
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = &AudioEffect::dispatchEffectClass;
    cEffect.process = &AudioEffect::processClass;
    cEffect.setParameter = &AudioEffect::setParameterClass;
    cEffect.getParameter = &AudioEffect::getParameterClass;
    cEffect.numPrograms = programCount;
    cEffect.numParams = parameterCount;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = vstFourCharCode ('N', 'o', 'E', 'f');
    cEffect.version = 1;
    cEffect.processReplacing = &AudioEffect::processClassReplacing;
    cEffect.processDoubleReplacing = &AudioEffect::processClassDoubleReplacing;

    // Qualified, since a subclass is not constructed yet.
    AudioEffect::canProcessReplacing (true);
}

AudioEffect::~AudioEffect() = default;

//==============================================================================
AudioEffect* AudioEffect::fromRecord (AEffect* effect) noexcept
{
    return effect != nullptr ? static_cast<AudioEffect*> (effect->object) : nullptr;
}

VstIntPtr AudioEffect::dispatchEffectClass (AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    auto* self = fromRecord (effect);

    if (self == nullptr)
        return 0;

    if (opcode == effClose)
    {
        // The host lets go of the record with this call, so the object goes
        // whatever close() does.
        try
        {
            self->dispatcher (opcode, index, value, ptr, opt);
        }
        catch (...)
        {
        }

        delete self;
        return 1;
    }

    try
    {
        return self->dispatcher (opcode, index, value, ptr, opt);
    }
    catch (...)
    {
        return 0;
    }
}

float AudioEffect::getParameterClass (AEffect* effect, VstInt32 index)
{
    auto* self = fromRecord (effect);

    if (self == nullptr || ! self->isParameterIndex (index))
        return 0.0f;

    try
    {
        return self->getParameter (index);
    }
    catch (...)
    {
        return 0.0f;
    }
}

void AudioEffect::setParameterClass (AEffect* effect, VstInt32 index, float value)
{
    auto* self = fromRecord (effect);

    if (self == nullptr || ! self->isParameterIndex (index) || ! std::isfinite (value))
        return;

    try
    {
        self->setParameter (index, value);
    }
    catch (...)
    {
    }
}

namespace
{
// A missing input list is passed on: the effect answers it with silence, which is the
// only way the host's output buffers are not left holding their old contents.
template <typename Sample>
bool isProcessCallUsable (const AEffect& record, Sample** outputs, VstInt32 sampleFrames) noexcept
{
    return sampleFrames >= 0 && (outputs != nullptr || record.numOutputs <= 0);
}

/** Passes one of the host's process calls to the effect; a call with unusable
    arguments is dropped, and no exception may cross into the host. */
template <typename Sample>
void forwardProcessCall (AudioEffect* self,
                         const AEffect* effect,
                         Sample** inputs,
                         Sample** outputs,
                         VstInt32 sampleFrames,
                         void (AudioEffect::*process) (Sample**, Sample**, VstInt32))
{
    if (self == nullptr || ! isProcessCallUsable (*effect, outputs, sampleFrames))
        return;

    try
    {
        (self->*process) (inputs, outputs, sampleFrames);
    }
    catch (...)
    {
    }
}
} // namespace

void AudioEffect::processClass (AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames)
{
    forwardProcessCall (fromRecord (effect), effect, inputs, outputs, sampleFrames, &AudioEffect::process);
}

void AudioEffect::processClassReplacing (AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames)
{
    forwardProcessCall (fromRecord (effect), effect, inputs, outputs, sampleFrames, &AudioEffect::processReplacing);
}

void AudioEffect::processClassDoubleReplacing (AEffect* effect, double** inputs, double** outputs, VstInt32 sampleFrames)
{
    forwardProcessCall (fromRecord (effect), effect, inputs, outputs, sampleFrames, &AudioEffect::processDoubleReplacing);
}

//==============================================================================
VstIntPtr AudioEffect::dispatcher (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    auto* text = static_cast<char*> (ptr);

    switch (opcode)
    {
        case effOpen:
            open();
            return 0;

        case effClose:
            close();
            return 0;

        case effSetProgram:
            // -1 or any other index outside the bank would select a program that does not exist.
            if (isProgramIndex (value))
                setProgram (static_cast<VstInt32> (value));
            return 0;

        case effGetProgram:
            return getProgram();

        case effSetProgramName:
            if (text != nullptr)
                setProgramName (text);
            return 0;

        case effGetProgramName:
            if (text != nullptr)
                getProgramName (text);
            return 0;

        case effGetParamLabel:
        case effGetParamDisplay:
        case effGetParamName:
            if (text == nullptr)
                return 0;

            if (! isParameterIndex (index))
            {
                text[0] = 0;
                return 0;
            }

            if (opcode == effGetParamLabel)
                getParameterLabel (index, text);
            else if (opcode == effGetParamDisplay)
                getParameterDisplay (index, text);
            else
                getParameterName (index, text);
            return 0;

        case effSetSampleRate:
            if (isUsableRate (opt))
                setSampleRate (opt);
            return 0;

        case effSetBlockSize:
            if (value > 0 && value <= std::numeric_limits<VstInt32>::max())
                setBlockSize (static_cast<VstInt32> (value));
            return 0;

        case effMainsChanged:
            if (value == 0)
                suspend();
            else
                resume();
            return 0;

        case effEditGetRect:
            if (editor != nullptr && ptr != nullptr)
                return editor->getRect (static_cast<ERect**> (ptr)) ? 1 : 0;
            return 0;

        case effEditOpen:
            if (editor != nullptr && ptr != nullptr)
                return editor->open (ptr) ? 1 : 0;
            return 0;

        case effEditClose:
            if (editor != nullptr)
                editor->close();
            return 0;

        case effEditIdle:
            if (editor != nullptr)
                editor->idle();
            return 0;

        case effIdentify:
            return kEffectIdentify;

        case effGetChunk:
        {
            if (ptr == nullptr)
                return 0;

            // The host reads *data only when the answer is positive; clear it
            // so that a refused request never leaves it pointing anywhere.
            auto** data = static_cast<void**> (ptr);
            *data = nullptr;
            const auto byteSize = getChunk (data, index != 0);

            if (byteSize <= 0 || *data == nullptr)
            {
                *data = nullptr;
                return 0;
            }

            return byteSize;
        }

        case effSetChunk:
            if (ptr == nullptr || value <= 0 || value > std::numeric_limits<VstInt32>::max())
                return 0;
            return setChunk (ptr, static_cast<VstInt32> (value), index != 0);

        default:
            return 0;
    }
}

//==============================================================================
void AudioEffect::processDoubleReplacing (double** inputs, double** outputs, VstInt32 sampleFrames)
{
    (void) inputs;
    (void) outputs;
    (void) sampleFrames;
}

void AudioEffect::process (float** inputs, float** outputs, VstInt32 sampleFrames)
{
    (void) inputs;
    (void) outputs;
    (void) sampleFrames;
}

void AudioEffect::setParameter (VstInt32 index, float value)
{
    (void) index;
    (void) value;
}

float AudioEffect::getParameter (VstInt32 index)
{
    (void) index;
    return 0.0f;
}

void AudioEffect::setParameterAutomated (VstInt32 index, float value)
{
    setParameter (index, value);
    callHost (audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::setProgramName (char* name)
{
    (void) name;
}

void AudioEffect::getProgramName (char* name)
{
    if (name != nullptr)
        name[0] = 0;
}

void AudioEffect::getParameterLabel (VstInt32 index, char* label)
{
    (void) index;

    if (label != nullptr)
        label[0] = 0;
}

void AudioEffect::getParameterDisplay (VstInt32 index, char* text)
{
    (void) index;

    if (text != nullptr)
        text[0] = 0;
}

void AudioEffect::getParameterName (VstInt32 index, char* text)
{
    (void) index;

    if (text != nullptr)
        text[0] = 0;
}

VstInt32 AudioEffect::getChunk (void** data, bool isPreset)
{
    (void) data;
    (void) isPreset;
    return 0;
}

VstInt32 AudioEffect::setChunk (void* data, VstInt32 byteSize, bool isPreset)
{
    (void) data;
    (void) byteSize;
    (void) isPreset;
    return 0;
}

//==============================================================================
VstIntPtr AudioEffect::callHost (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    if (audioMaster == nullptr)
        return 0;

    return audioMaster (&cEffect, opcode, index, value, ptr, opt);
}

void AudioEffect::setFlag (VstInt32 flag, bool state) noexcept
{
    if (state)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}

VstInt32 AudioEffect::getMasterVersion()
{
    const auto version = static_cast<VstInt32> (callHost (audioMasterVersion));
    return version != 0 ? version : 1;
}

VstInt32 AudioEffect::getCurrentUniqueId()
{
    return static_cast<VstInt32> (callHost (audioMasterCurrentId));
}

void AudioEffect::masterIdle()
{
    callHost (audioMasterIdle);
}

bool AudioEffect::isInputConnected (VstInt32 input)
{
    if (audioMaster == nullptr)
        return true;

    return static_cast<VstInt32> (callHost (audioMasterPinConnected, input, 0)) == 0;
}

bool AudioEffect::isOutputConnected (VstInt32 output)
{
    if (audioMaster == nullptr)
        return true;

    return static_cast<VstInt32> (callHost (audioMasterPinConnected, output, 1)) == 0;
}

//==============================================================================
void AudioEffect::copyText (char* destination, const char* source, VstInt32 maxLen) noexcept
{
    if (destination == nullptr || maxLen < 0)
        return;

    VstInt32 length = 0;

    if (source != nullptr)
        while (length < maxLen && source[length] != 0)
        {
            destination[length] = source[length];
            ++length;
        }

    for (auto i = length; i <= maxLen; ++i)
        destination[i] = 0;
}

void AudioEffect::dB2string (float value, char* text, VstInt32 maxLen)
{
    if (value <= 0.0f)
        copyText (text, "-oo", maxLen);
    else
        float2string (toFloat (20.0 * std::log10 (static_cast<double> (value))), text, maxLen);
}

void AudioEffect::Hz2string (float samples, char* text, VstInt32 maxLen)
{
    const auto rate = getSampleRate();

    if (samples == 0.0f)
        float2string (0.0f, text, maxLen);
    else if (! isUsableRate (rate))
        copyText (text, "NaN", maxLen);
    else
        float2string (rate / samples, text, maxLen);
}

void AudioEffect::ms2string (float samples, char* text, VstInt32 maxLen)
{
    const auto rate = getSampleRate();

    if (! isUsableRate (rate))
        copyText (text, "NaN", maxLen);
    else
        float2string (toFloat (static_cast<double> (samples) * 1000.0 / static_cast<double> (rate)), text, maxLen);
}

void AudioEffect::float2string (float value, char* text, VstInt32 maxLen)
{
    if (text == nullptr || maxLen < 0)
        return;

    if (std::isnan (value))
    {
        copyText (text, "NaN", maxLen);
        return;
    }

    const bool negative = value < 0.0f;
    const double magnitude = negative ? -static_cast<double> (value) : static_cast<double> (value);

    // The point, and a minus sign when there is one, leave 7 (or 6) places for
    // integer digits; a number that needs more would lose its leading digits.
    static_assert (textWidth == 8, "the limits below assume 8 characters");
    const double integerLimit = negative ? 1000000.0 : 10000000.0;

    if (! (magnitude < integerLimit))
    {
        copyText (text, "Huge!", maxLen);
        return;
    }

    const double integerPart = std::floor (magnitude);
    char result[textWidth + 1] {};
    char* out = result;

    if (negative)
        *out++ = '-';

    out = appendDigits (out, static_cast<std::uint64_t> (integerPart));
    *out++ = '.';

    const auto fractionDigits = static_cast<int> (textWidth - (out - result));

    if (fractionDigits > 0)
    {
        // Truncated, never rounded: 0.7f (0.69999998...) shows as 0.699999.
        std::uint64_t scale = 1;

        for (int i = 0; i < fractionDigits; ++i)
            scale *= 10;

        const double scaled = (magnitude - integerPart) * static_cast<double> (scale);
        auto fraction = static_cast<std::uint64_t> (scaled);

        if (fraction >= scale)
            fraction = scale - 1;

        for (int i = fractionDigits - 1; i >= 0; --i)
        {
            out[i] = static_cast<char> ('0' + fraction % 10);
            fraction /= 10;
        }

        out += fractionDigits;
    }

    *out = 0;
    copyText (text, result, maxLen);
}

void AudioEffect::int2string (VstInt32 value, char* text, VstInt32 maxLen)
{
    if (text == nullptr || maxLen < 0)
        return;

    if (value >= 100000000)
    {
        copyText (text, "Huge!", maxLen);
        return;
    }

    char result[16] {};
    char* out = result;

    // Widened first, so that the smallest 32-bit value has a magnitude.
    auto wide = static_cast<std::int64_t> (value);

    if (wide < 0)
    {
        *out++ = '-';
        wide = -wide;
    }

    out = appendDigits (out, static_cast<std::uint64_t> (wide));
    *out = 0;
    copyText (text, result, maxLen);
}
