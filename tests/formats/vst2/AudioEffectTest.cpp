#include "TestEffects.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <tuple>

using namespace quorvel::test;

namespace
{
constexpr float notANumber = std::numeric_limits<float>::quiet_NaN();
constexpr float infinity = std::numeric_limits<float>::infinity();
constexpr VstInt32 largest = std::numeric_limits<VstInt32>::max();
constexpr VstIntPtr above32Bits = VstIntPtr { 1 } << 32;
} // namespace

//==============================================================================
TEST (AudioEffectRecord, ConstructorFillsTheRecordAsHostsReadIt)
{
    FakeHost host;
    PlainEffect effect (&FakeHost::callback, programCount, parameterCount);

    // Every byte not set here, padding and reserved bytes included, must be 0.
    AEffect expected {};
    expected.magic = 0x56737450;
    expected.dispatcher = &AudioEffect::dispatchEffectClass;
    expected.process = &AudioEffect::processClass;
    expected.setParameter = &AudioEffect::setParameterClass;
    expected.getParameter = &AudioEffect::getParameterClass;
    expected.numPrograms = programCount;
    expected.numParams = parameterCount;
    expected.numInputs = 1;
    expected.numOutputs = 2;
    expected.flags = 0x10;
    expected.ioRatio = 1.0f;
    expected.object = static_cast<AudioEffect*> (&effect);
    expected.uniqueID = 0x4E6F4566;
    expected.version = 1;
    expected.processReplacing = &AudioEffect::processClassReplacing;
    expected.processDoubleReplacing = &AudioEffect::processClassDoubleReplacing;

    EXPECT_EQ (std::memcmp (effect.getAeffect(), &expected, sizeof (AEffect)), 0);
    EXPECT_EQ (effect.getSampleRate(), 44100.0f);
    EXPECT_EQ (effect.getBlockSize(), 1024);
    EXPECT_EQ (effect.getEditor(), nullptr);
    EXPECT_TRUE (host.requests.empty());
}

TEST (AudioEffectRecord, EachFlagSetterSetsAndClearsOnlyItsBit)
{
    using Setter = void (AudioEffectX::*) (bool);
    const std::vector<std::pair<Setter, VstInt32>> setters {
        { &AudioEffectX::hasClip, 0x2 },
        { &AudioEffectX::hasVu, 0x4 },
        { &AudioEffectX::canMono, 0x8 },
        { &AudioEffectX::canProcessReplacing, 0x10 },
        { &AudioEffectX::programsAreChunks, 0x20 },
        { &AudioEffectX::isSynth, 0x100 },
        { &AudioEffectX::noTail, 0x200 },
        { &AudioEffectX::wantAsyncOperation, 0x400 },
        { &AudioEffectX::hasExternalBuffer, 0x800 },
        { &AudioEffectX::canDoubleReplacing, 0x1000 },
    };

    PlainEffect effect (nullptr, 1, 1);
    auto& flags = effect.getAeffect()->flags;

    for (const auto& [setter, bit] : setters)
    {
        flags = 0;
        (effect.*setter) (true);
        EXPECT_EQ (flags, bit);

        flags = ~0;
        (effect.*setter) (false);
        EXPECT_EQ (flags, ~bit);
    }
}

//==============================================================================
TEST (AudioEffectDispatcher, FirstRangeOpcodesReachTheirOperation)
{
    std::vector<OpcodeRow> rows {
        { 0, 0, 0, nullptr, 0.0f, "open()", 0 },
        { 2, 0, programCount - 1, nullptr, 0.0f, "setProgram(2)", 0 },
        { 2, 0, 0, nullptr, 0.0f, "setProgram(0)", 0 },
        { 3, 0, 0, nullptr, 0.0f, "getProgram()", -3 },
        { 4, 0, 0, blockA, 0.0f, "setProgramName(A)", 0 },
        { 5, 0, 0, blockA, 0.0f, "getProgramName(A)", 0 },
        { 6, 0, 0, blockA, 0.0f, "getParameterLabel(0,A)", 0 },
        { 7, parameterCount - 1, 0, blockA, 0.0f, "getParameterDisplay(3,A)", 0 },
        { 8, 2, 0, blockA, 0.0f, "getParameterName(2,A)", 0 },
        { 9, 1, 1, blockA, 1.0f, "", 0 },
        { 10, 0, 0, nullptr, 48000.0f, "setSampleRate(48000)", 0 },
        { 11, 0, 512, nullptr, 0.0f, "setBlockSize(512)", 0 },
        { 11, 0, largest, nullptr, 0.0f, "setBlockSize(2147483647)", 0 },
        { 12, 0, 0, nullptr, 0.0f, "suspend()", 0 },
        { 12, 0, 1, nullptr, 0.0f, "canDo(\"receiveVstMidiEvent\")", 0 }, // the extended base's resume
        { 12, 0, VstIntPtr { 1 } << 40, nullptr, 0.0f, "canDo(\"receiveVstMidiEvent\")", 0 },
        { 13, 0, 0, blockA, 0.0f, "editor.getRect(A)", 1 },
        { 14, 0, 0, blockA, 0.0f, "editor.open(A)", 1 },
        { 15, 0, 0, nullptr, 0.0f, "editor.close()", 0 },
        { 19, 0, 0, nullptr, 0.0f, "editor.idle()", 0 },
        { 22, -3, 99, blockA, notANumber, "", 0x4E764566 },
        { 24, 0, 64, blockA, 0.0f, "setChunk(A,64,0)", -3 },
        { 24, 5, 3, blockA, 0.0f, "setChunk(A,3,1)", -3 },
        { 24, 0, largest, blockA, 0.0f, "setChunk(A,2147483647,0)", -3 },

        // Refused: programs outside the bank (a value whose low half would be one
        // included), null texts, rates that are no rate, blocks that hold no samples.
        { 2, 0, programCount, nullptr, 0.0f, "", 0 },
        { 2, 0, -1, nullptr, 0.0f, "", 0 },
        { 2, 0, above32Bits + 1, nullptr, 0.0f, "", 0 },
        { 2, 0, std::numeric_limits<VstIntPtr>::min(), nullptr, 0.0f, "", 0 },
        { 4, 0, 0, nullptr, 0.0f, "", 0 },
        { 5, 0, 0, nullptr, 0.0f, "", 0 },
        { 11, 0, 0, nullptr, 0.0f, "", 0 },
        { 11, 0, -1, nullptr, 0.0f, "", 0 },
        { 11, 0, above32Bits + 512, nullptr, 0.0f, "", 0 },
        { 11, 0, VstIntPtr { largest } + 1, nullptr, 0.0f, "", 0 },
        { 13, 0, 0, nullptr, 0.0f, "", 0 },
        { 14, 0, 0, nullptr, 0.0f, "", 0 },
        { 23, 0, 0, nullptr, 0.0f, "", 0 },
        { 24, 0, 16, nullptr, 0.0f, "", 0 },
        { 24, 0, 0, blockA, 0.0f, "", 0 },
        { 24, 0, -16, blockA, 0.0f, "", 0 },
        { 24, 0, VstIntPtr { largest } + 1, blockA, 0.0f, "", 0 },
        { 24, 0, above32Bits + 16, blockA, 0.0f, "", 0 },
    };

    for (const VstInt32 opcode : { 6, 7, 8 })
        for (const VstInt32 index : { -1, parameterCount, largest })
            rows.push_back ({ opcode, index, 0, blockA, 0.0f, "", 0 });

    for (const VstInt32 opcode : { 6, 7, 8 })
        rows.push_back ({ opcode, 1, 0, nullptr, 0.0f, "", 0 });

    for (const float rate : { 0.0f, -44100.0f, notANumber, infinity, -infinity })
        rows.push_back ({ 10, 0, 0, nullptr, rate, "", 0 });

    for (const VstInt32 opcode : { 16, 17, 18, 20, 21 })
        rows.push_back ({ opcode, 1, 1, blockA, 1.0f, "", 0 });

    expectOpcodeRows (rows);
}

TEST (AudioEffectDispatcher, GetChunkHandsOverOnlyABlockWithBytes)
{
    // Preset flag, block, byte count the effect gives, answer to the host.
    for (const auto& [index, block, size, result] : std::vector<std::tuple<VstInt32, void*, VstIntPtr, VstIntPtr>> {
             { 0, blockA, 40, 40 },
             { 1, blockA, 12, 12 },
             { 0, blockA, 0, 0 },
             { 0, blockA, -8, 0 },
             { 0, nullptr, 16, 0 },
         })
    {
        RecordingEffect effect (nullptr, 1, 1);
        effect.chunkBlock = block;
        effect.answer = size;
        void* data = blockB;

        EXPECT_EQ (dispatch (effect.getAeffect(), effGetChunk, index, 0, &data), result) << size;
        EXPECT_EQ (data, result > 0 ? block : nullptr) << size;
        EXPECT_EQ (effect.calls, std::vector<std::string> { callText ("getChunk", &data, index != 0) });
    }
}

//==============================================================================
TEST (AudioEffectEntries, ParameterAndProcessCallsReachTheEffectOnlyWhenUsable)
{
    RecordingEffect effect (nullptr, programCount, parameterCount);
    auto* record = effect.getAeffect();
    auto** in = reinterpret_cast<float**> (blockA);
    auto** out = reinterpret_cast<float**> (blockB);
    auto** wideIn = reinterpret_cast<double**> (blockA);
    auto** wideOut = reinterpret_cast<double**> (blockB);
    effect.answer = 3;

    EXPECT_EQ (record->getParameter (record, 0), 3.0f);
    EXPECT_EQ (record->getParameter (record, parameterCount - 1), 3.0f);
    record->setParameter (record, 2, 0.75f);
    record->process (record, in, out, 8);
    record->processReplacing (record, in, out, 8);
    record->processReplacing (record, in, out, 0);
    record->processDoubleReplacing (record, wideIn, wideOut, 8);

    for (const VstInt32 index : { -1, parameterCount, std::numeric_limits<VstInt32>::min() })
    {
        EXPECT_EQ (record->getParameter (record, index), 0.0f);
        record->setParameter (record, index, 0.5f);
    }

    for (const float value : { notANumber, infinity, -infinity })
        record->setParameter (record, 0, value);

    // No input list is silence for the effect to answer, not a call to drop: the host's
    // outputs would keep their old contents.
    record->processReplacing (record, nullptr, out, 8);
    record->processDoubleReplacing (record, nullptr, wideOut, 8);

    // A negative count, or no output array for pins the record announces.
    record->processReplacing (record, in, out, -1);
    record->processReplacing (record, in, nullptr, 8);
    record->process (record, nullptr, nullptr, 8);
    record->processDoubleReplacing (record, wideIn, nullptr, 8);

    // One output is as much an output as four.
    effect.setNumOutputs (1);
    record->processReplacing (record, in, nullptr, 8);

    // Without pins there are no channel arrays to pass.
    effect.setNumInputs (0);
    effect.setNumOutputs (0);
    record->processReplacing (record, nullptr, nullptr, 8);

    EXPECT_EQ (effect.calls, (std::vector<std::string> { "getParameter(0)", "getParameter(3)", "setParameter(2,0.75)", "process(A,B,8)", "processReplacing(A,B,8)", "processReplacing(A,B,0)", "processDoubleReplacing(A,B,8)", "processReplacing(null,B,8)", "processDoubleReplacing(null,B,8)", "processReplacing(null,null,8)" }));
}

TEST (AudioEffectEntries, NullAndEmptyRecordsAreAnsweredSafely)
{
    float* channels[] = { nullptr, nullptr };
    double* wideChannels[] = { nullptr, nullptr };
    AEffect empty {};

    for (auto* record : { static_cast<AEffect*> (nullptr), &empty })
    {
        EXPECT_EQ (AudioEffect::dispatchEffectClass (record, effClose, 0, 0, nullptr, 0.0f), 0);
        EXPECT_EQ (AudioEffect::dispatchEffectClass (record, effIdentify, 0, 0, nullptr, 0.0f), 0);
        EXPECT_EQ (AudioEffect::getParameterClass (record, 0), 0.0f);
        AudioEffect::setParameterClass (record, 0, 0.5f);
        AudioEffect::processClass (record, channels, channels, 1);
        AudioEffect::processClassReplacing (record, channels, channels, 1);
        AudioEffect::processClassDoubleReplacing (record, wideChannels, wideChannels, 1);
    }
}

TEST (AudioEffectEntries, CloseRunsThenDeletesTheEffectAndItsEditorEvenWhenCloseThrows)
{
    for (const bool throwing : { false, true })
    {
        std::vector<std::string> journal;
        auto* effect = new RecordingEffect (nullptr, 1, 1);
        effect->journal = &journal;
        effect->attachEditor();
        effect->throwing = throwing;

        EXPECT_EQ (dispatch (effect->getAeffect(), effClose), 1);
        EXPECT_EQ (journal, (std::vector<std::string> { "close()", "effect deleted", "editor deleted" }));
    }

    // Only the record's entry deletes; the dispatcher itself just closes.
    RecordingEffect effect (nullptr, 1, 1);
    EXPECT_EQ (effect.dispatcher (effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ (effect.calls, std::vector<std::string> { "close()" });
}

TEST (AudioEffectEntries, NoExceptionReachesTheHost)
{
    RecordingEffect effect (nullptr, programCount, parameterCount);
    auto* record = effect.getAeffect();
    auto** channels = reinterpret_cast<float**> (blockA);
    effect.answer = 5;
    effect.throwing = true;

    EXPECT_EQ (dispatch (record, effGetProgram), 0);
    EXPECT_EQ (record->getParameter (record, 0), 0.0f);
    record->setParameter (record, 0, 0.5f);
    record->process (record, channels, channels, 1);
    record->processReplacing (record, channels, channels, 1);
    record->processDoubleReplacing (record, reinterpret_cast<double**> (blockA), reinterpret_cast<double**> (blockA), 1);
    EXPECT_EQ (effect.calls.size(), 6u);
}

//==============================================================================
// Text conversions

namespace
{
using FloatConversion = void (AudioEffect::*) (float, char*, VstInt32);
using IntConversion = void (AudioEffect::*) (VstInt32, char*, VstInt32);

template <typename Value>
struct TextRow
{
    void (AudioEffect::*conversion) (Value, char*, VstInt32);
    Value value;
    std::string text;
    float sampleRate = 44100.0f;
};

/** Each row's text, and at every shorter maxLen its first maxLen characters. */
template <typename Value>
void expectTexts (const std::vector<TextRow<Value>>& rows)
{
    for (const auto& row : rows)
    {
        PlainEffect effect (nullptr, 1, 1);
        effect.setSampleRate (row.sampleRate); // the plug-in's own call, which the base does not check

        for (VstInt32 maxLen = 0; maxLen <= 12; ++maxLen)
        {
            const auto text = convertedText ([&] (char* buffer, VstInt32 length)
                                             { (effect.*row.conversion) (row.value, buffer, length); },
                                             maxLen);
            EXPECT_EQ (text, row.text.substr (0, static_cast<std::size_t> (maxLen))) << row.value << " at rate " << row.sampleRate << ", maxLen " << maxLen;
        }
    }
}

// Independent of the conversion under test: the exact decimal expansion of the float,
// cut (never rounded) to eight characters.
std::string truncatedDecimal (float value)
{
    if (std::isnan (value))
        return "NaN";

    const bool negative = value < 0.0f;
    char exact[512];
    std::snprintf (exact, sizeof (exact), "%.60f", std::fabs (static_cast<double> (value)));
    const std::string digits (exact);
    const auto point = digits.find ('.');

    if (std::isinf (value) || point > (negative ? 6u : 7u))
        return "Huge!";

    const std::string result = (negative ? "-" : "") + digits.substr (0, point + 1);
    return result + digits.substr (point + 1, 8 - result.size());
}
} // namespace

TEST (AudioEffectText, FloatTextsWithTheirCutsAtEveryLength)
{
    const FloatConversion text = &AudioEffect::float2string;
    const FloatConversion dB = &AudioEffect::dB2string;
    const FloatConversion Hz = &AudioEffect::Hz2string;
    const FloatConversion ms = &AudioEffect::ms2string;

    expectTexts<float> ({
        { text, 0.0f, "0.000000" },
        { text, -1.5f, "-1.50000" },
        { text, 9999999.0f, "9999999." },
        { text, 0.7f, "0.699999" }, // truncated, not rounded
        // An integer part too long for eight characters would lose its leading digits.
        { text, -10000000.0f, "Huge!" },
        { text, infinity, "Huge!" },
        { text, -infinity, "Huge!" },
        { text, notANumber, "NaN" },
        { text, -notANumber, "NaN" },
        { dB, 0.0f, "-oo" },
        { dB, -0.5f, "-oo" },
        { dB, 1.0f, "0.000000" },
        { dB, 10.0f, "20.00000" },
        { dB, 0.5f, "-6.02059" },
        { dB, notANumber, "NaN" },
        { dB, infinity, "Huge!" },
        { Hz, 0.0f, "0.000000" },
        { Hz, 441.0f, "100.0000" },
        { Hz, notANumber, "NaN" },
        { Hz, 1.0e-30f, "Huge!" },
        { Hz, 441.0f, "50.00000", 22050.0f },
        { ms, 441.0f, "10.00000" },
        { ms, 44100.0f, "1000.000" },
        { ms, 0.0f, "0.000000" },
        { ms, notANumber, "NaN" },
        { ms, FLT_MAX, "Huge!", 1.0f }, // beyond the float range before the text is made
        { ms, -FLT_MAX, "Huge!", 1.0f },
        { ms, 441.0f, "20.00000", 22050.0f },
        // A rate that is no rate gives no number, but zero samples are still 0 Hz.
        { Hz, 441.0f, "NaN", 0.0f },
        { Hz, 441.0f, "NaN", -48000.0f },
        { Hz, 441.0f, "NaN", notANumber },
        { Hz, 441.0f, "NaN", infinity },
        { Hz, 0.0f, "0.000000", 0.0f },
        { ms, 441.0f, "NaN", 0.0f },
        { ms, 441.0f, "NaN", -48000.0f },
        { ms, 0.0f, "NaN", notANumber },
        { ms, 441.0f, "NaN", infinity },
    });
}

TEST (AudioEffectText, IntTextsWithTheirCutsAtEveryLength)
{
    const IntConversion text = &AudioEffect::int2string;

    expectTexts<VstInt32> ({
        { text, 42, "42" },
        { text, 0, "0" },
        { text, 99999999, "99999999" },
        { text, 100000000, "Huge!" },
        { text, largest, "Huge!" },
        // A first quotient above 9 once printed a wrong digit; these are written in full.
        { text, -1000000000, "-1000000000" },
        { text, std::numeric_limits<VstInt32>::min(), "-2147483648" },
    });
}

TEST (AudioEffectText, ConversionsMatchTheExactDecimalsOfRandomValues)
{
    PlainEffect effect (nullptr, 1, 1);
    std::mt19937 random (20240611u);
    std::uniform_real_distribution<float> exponent (-9.0f, 9.0f);
    std::uniform_real_distribution<float> linear (-2.0e6f, 2.0e7f);
    std::uniform_int_distribution<VstInt32> anyInteger (std::numeric_limits<VstInt32>::min(), 99999999);
    std::vector<float> values { 9999999.5f, 9999998.9f, 0.999999f, 0.99999994f, -999999.9f, -0.5f, 1.0e-30f, 5.0e-45f, 1024.0f };

    for (int i = 0; i < 4000; ++i)
    {
        values.push_back (((random() & 1u) != 0 ? -1.0f : 1.0f) * std::pow (10.0f, exponent (random)));
        values.push_back (linear (random));
        values.push_back (std::nextafter (std::floor (linear (random)), 0.0f));

        const auto integer = anyInteger (random);
        ASSERT_EQ (convertedText ([&] (char* t, VstInt32 n)
                                  { effect.int2string (integer, t, n); },
                                  11),
                   std::to_string (integer));
    }

    for (const float value : values)
        ASSERT_EQ (convertedText ([&] (char* t, VstInt32 n)
                                  { effect.float2string (value, t, n); },
                                  8),
                   truncatedDecimal (value))
            << value;
}

TEST (AudioEffectText, CopyTextCutsAndFillsWithTerminators)
{
    const auto copied = [] (const char* source, VstInt32 maxLen)
    {
        return convertedText ([source] (char* t, VstInt32 n)
                              { AudioEffect::copyText (t, source, n); },
                              maxLen);
    };

    EXPECT_EQ (copied ("Quorvel", 5), "Quorv");
    EXPECT_EQ (copied ("ab", 5), "ab");
    EXPECT_EQ (copied (nullptr, 3), "");
}

TEST (AudioEffectText, NegativeLengthsAndNullTextsWriteNothing)
{
    PlainEffect effect (nullptr, 1, 1);
    char text[4] = "abc";

    for (const auto conversion : { &AudioEffect::float2string, &AudioEffect::dB2string, &AudioEffect::Hz2string, &AudioEffect::ms2string })
        for (const float value : { 0.0f, 441.0f, notANumber, infinity })
        {
            (effect.*conversion) (value, text, -1);
            (effect.*conversion) (value, nullptr, 8);
        }

    effect.int2string (1, text, -1);
    effect.int2string (largest, nullptr, 8);
    AudioEffect::copyText (text, "xyz", -1);
    AudioEffect::copyText (nullptr, "xyz", 3);
    EXPECT_STREQ (text, "abc");
}
