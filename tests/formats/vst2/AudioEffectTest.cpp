#include "FakeHost.h"
#include "GuardedBuffer.h"
#include "TestEffects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace quorvel::test;
using ::testing::_;
using ::testing::InSequence;
using ::testing::Return;
using ::testing::StrictMock;

namespace
{
constexpr VstInt32 programCount = 3;
constexpr VstInt32 parameterCount = 4;
constexpr float notANumber = std::numeric_limits<float>::quiet_NaN();
constexpr float infinity = std::numeric_limits<float>::infinity();

VstIntPtr readPointerWide (const AEffect& record, std::size_t offset)
{
    VstIntPtr wide = 0;
    std::memcpy (&wide, reinterpret_cast<const char*> (&record) + offset, sizeof (wide));
    return wide;
}

/** A host driving a fully mocked plug-in through its record. */
class AudioEffectDispatchTest : public ::testing::Test
{
protected:
    void TearDown() override { delete effect; }

    FakeHost host;
    StrictMock<MockEffect>* effect = new StrictMock<MockEffect> (&FakeHost::callback, programCount, parameterCount);
    AEffect* record = effect->getAeffect();
};
} // namespace

//==============================================================================
TEST (AudioEffectRecord, ConstructorFillsTheRecordAsHostsExpectIt)
{
    FakeHost host;
    PlainEffect effect (&FakeHost::callback, programCount, parameterCount);
    const AEffect& record = *effect.getAeffect();

    EXPECT_EQ (&record, &effect.record());
    EXPECT_EQ (record.magic, 0x56737450);
    EXPECT_EQ (record.dispatcher, &AudioEffect::dispatchEffectClass);
    EXPECT_EQ (record.process, &AudioEffect::processClass);
    EXPECT_EQ (record.setParameter, &AudioEffect::setParameterClass);
    EXPECT_EQ (record.getParameter, &AudioEffect::getParameterClass);
    EXPECT_EQ (record.numPrograms, programCount);
    EXPECT_EQ (record.numParams, parameterCount);
    EXPECT_EQ (record.numInputs, 1);
    EXPECT_EQ (record.numOutputs, 2);
    EXPECT_EQ (record.flags, effFlagsCanReplacing);
    EXPECT_EQ (record.resvd1, 0);
    EXPECT_EQ (record.resvd2, 0);
    EXPECT_EQ (record.initialDelay, 0);
    EXPECT_EQ (record.realQualities, 0);
    EXPECT_EQ (record.offQualities, 0);
    EXPECT_EQ (record.ioRatio, 1.0f);
    EXPECT_EQ (record.object, static_cast<void*> (static_cast<AudioEffect*> (&effect)));
    EXPECT_EQ (record.user, nullptr);
    EXPECT_EQ (record.uniqueID, 0x4E6F4566);
    EXPECT_EQ (record.version, 1);
    EXPECT_EQ (record.processReplacing, &AudioEffect::processClassReplacing);
    EXPECT_EQ (record.processDoubleReplacing, &AudioEffect::processClassDoubleReplacing);

    const auto* bytes = reinterpret_cast<const unsigned char*> (&record);

    for (std::size_t i = 4; i < 8; ++i)
        EXPECT_EQ (bytes[i], 0) << "padding byte " << i;

    for (std::size_t i = offsetof (AEffect, future); i < sizeof (AEffect); ++i)
        EXPECT_EQ (bytes[i], 0) << "reserved byte " << i;

    EXPECT_EQ (effect.hostCallback(), &FakeHost::callback);
    EXPECT_EQ (effect.getSampleRate(), 44100.0f);
    EXPECT_EQ (effect.getBlockSize(), 1024);
    EXPECT_EQ (effect.getProgram(), 0);
    EXPECT_EQ (effect.getEditor(), nullptr);
    EXPECT_TRUE (host.requests().empty());
}

TEST (AudioEffectRecord, EachFlagSetterSetsAndClearsOnlyItsBit)
{
    PlainEffect effect (nullptr, 1, 1);
    auto& record = effect.record();

    struct Setter
    {
        const char* name;
        VstInt32 bit;
        std::function<void (bool)> apply;
    };

    const std::vector<Setter> setters {
        { "hasClip", 0x2, [&] (bool s)
          { effect.hasClip (s); } },
        { "hasVu", 0x4, [&] (bool s)
          { effect.hasVu (s); } },
        { "canMono", 0x8, [&] (bool s)
          { effect.canMono (s); } },
        { "canProcessReplacing", 0x10, [&] (bool s)
          { effect.canProcessReplacing (s); } },
        { "programsAreChunks", 0x20, [&] (bool s)
          { effect.programsAreChunks (s); } },
        { "isSynth", 0x100, [&] (bool s)
          { effect.isSynth (s); } },
        { "noTail", 0x200, [&] (bool s)
          { effect.noTail (s); } },
        { "wantAsyncOperation", 0x400, [&] (bool s)
          { effect.wantAsyncOperation (s); } },
        { "hasExternalBuffer", 0x800, [&] (bool s)
          { effect.hasExternalBuffer (s); } },
        { "canDoubleReplacing", 0x1000, [&] (bool s)
          { effect.canDoubleReplacing (s); } },
    };

    for (const auto& setter : setters)
    {
        record.flags = 0;
        setter.apply (true);
        EXPECT_EQ (record.flags, setter.bit) << setter.name;

        record.flags = ~0;
        setter.apply (false);
        EXPECT_EQ (record.flags, ~setter.bit) << setter.name;
    }

    record.flags = 0;

    for (const auto& setter : setters)
        setter.apply (true);

    EXPECT_EQ (record.flags, 0x1f3e);
    EXPECT_EQ (record.flagsPadding, 0);
}

TEST (AudioEffectRecord, FlagsReadPointerWideEqualTheThirtyTwoBitFlags)
{
    // What the framework's bridge does right after construction.
    PlainEffect effect (nullptr, 1, 4);
    auto& record = effect.record();
    record.flags |= effFlagsHasEditor;
    record.version = 100;
    effect.setUniqueID (vstFourCharCode ('B', 'k', 'Q', 'v'));
    effect.setNumInputs (4);
    effect.setNumOutputs (4);
    effect.canProcessReplacing (true);
    effect.isSynth (false);
    effect.setInitialDelay (1764);
    effect.programsAreChunks (true);

    EXPECT_EQ (record.flags, 0x31);
    EXPECT_EQ (readPointerWide (record, offsetof (AEffect, flags)), 0x31);
    EXPECT_EQ (record.numInputs, 4);
    EXPECT_EQ (record.numOutputs, 4);
    EXPECT_EQ (record.initialDelay, 1764);
    EXPECT_EQ (record.uniqueID, 0x426B5176);

    // Even with the highest flag bit set, a wide read sees no stray high bytes.
    record.flags = std::numeric_limits<VstInt32>::min();
    EXPECT_EQ (readPointerWide (record, offsetof (AEffect, flags)), VstIntPtr { 0x80000000 });

    effect.setRealtimeQualities (7);
    effect.setOfflineQualities (9);
    EXPECT_EQ (record.realQualities, 7);
    EXPECT_EQ (record.offQualities, 9);
}

//==============================================================================
TEST_F (AudioEffectDispatchTest, OpenAndMainsChangedReachTheirOperations)
{
    {
        InSequence order;
        EXPECT_CALL (*effect, open());
        EXPECT_CALL (*effect, suspend());
        EXPECT_CALL (*effect, resume()).Times (3);
    }

    EXPECT_EQ (dispatch (record, effOpen), 0);
    EXPECT_EQ (dispatch (record, effMainsChanged, 0, 0), 0);
    EXPECT_EQ (dispatch (record, effMainsChanged, 0, 1), 0);
    EXPECT_EQ (dispatch (record, effMainsChanged, 0, 7), 0);
    EXPECT_EQ (dispatch (record, effMainsChanged, 0, VstIntPtr { 1 } << 40), 0);
}

TEST_F (AudioEffectDispatchTest, SetProgramAcceptsOnlyIndicesInsideTheBank)
{
    EXPECT_CALL (*effect, setProgram (programCount - 1));
    EXPECT_CALL (*effect, setProgram (0));

    EXPECT_EQ (dispatch (record, effSetProgram, 0, programCount - 1), 0);
    EXPECT_EQ (dispatch (record, effSetProgram, 0, 0), 0);

    // Refused without a call: the bank's size, -1, and values beyond 32 bits
    // whose low half would look like a valid index.
    EXPECT_EQ (dispatch (record, effSetProgram, 0, programCount), 0);
    EXPECT_EQ (dispatch (record, effSetProgram, 0, -1), 0);
    EXPECT_EQ (dispatch (record, effSetProgram, 0, std::numeric_limits<VstIntPtr>::min()), 0);
    EXPECT_EQ (dispatch (record, effSetProgram, 0, (VstIntPtr { 1 } << 32) + 1), 0);
}

TEST (AudioEffectPrograms, DefaultSetProgramStoresTheHostsChoice)
{
    PlainEffect effect (nullptr, programCount, parameterCount);
    auto* record = effect.getAeffect();

    dispatch (record, effSetProgram, 0, 2);
    EXPECT_EQ (dispatch (record, effGetProgram), 2);
    dispatch (record, effSetProgram, 0, -1);
    dispatch (record, effSetProgram, 0, programCount);
    EXPECT_EQ (effect.storedProgram(), 2);
}

TEST_F (AudioEffectDispatchTest, GetProgramIsSignExtended)
{
    EXPECT_CALL (*effect, getProgram()).WillOnce (Return (-5)).WillOnce (Return (2));

    EXPECT_EQ (dispatch (record, effGetProgram), -5);
    EXPECT_EQ (dispatch (record, effGetProgram), 2);
}

TEST_F (AudioEffectDispatchTest, ProgramNameTextsPassTheHostsBufferAndRefuseNull)
{
    char name[32] = "Name";
    EXPECT_CALL (*effect, setProgramName (name));
    EXPECT_CALL (*effect, getProgramName (name));

    EXPECT_EQ (dispatch (record, effSetProgramName, 0, 0, name), 0);
    EXPECT_EQ (dispatch (record, effGetProgramName, 0, 0, name), 0);

    EXPECT_EQ (dispatch (record, effSetProgramName, 0, 0, nullptr), 0);
    EXPECT_EQ (dispatch (record, effGetProgramName, 0, 0, nullptr), 0);
}

TEST_F (AudioEffectDispatchTest, ParameterTextsReachTheirOperationWithIndexAndBuffer)
{
    char text[32] {};
    EXPECT_CALL (*effect, getParameterLabel (1, text));
    EXPECT_CALL (*effect, getParameterDisplay (2, text));
    EXPECT_CALL (*effect, getParameterName (3, text));

    EXPECT_EQ (dispatch (record, effGetParamLabel, 1, 0, text), 0);
    EXPECT_EQ (dispatch (record, effGetParamDisplay, 2, 0, text), 0);
    EXPECT_EQ (dispatch (record, effGetParamName, 3, 0, text), 0);
}

TEST_F (AudioEffectDispatchTest, ParameterTextsRefuseNullBuffersAndForeignIndices)
{
    for (const auto opcode : { effGetParamLabel, effGetParamDisplay, effGetParamName })
    {
        EXPECT_EQ (dispatch (record, opcode, 0, 0, nullptr), 0);

        for (const auto index : { -1, parameterCount, std::numeric_limits<VstInt32>::max() })
        {
            // Nothing to describe: the host gets an empty text and no call is made.
            GuardedBuffer text (1);
            EXPECT_EQ (dispatch (record, opcode, index, 0, text.data()), 0);
            EXPECT_EQ (text.at (0), 0);
            EXPECT_TRUE (text.guardsIntact());
        }
    }
}

TEST_F (AudioEffectDispatchTest, SampleRateAndBlockSizeReachTheirSettersWhenUsable)
{
    EXPECT_CALL (*effect, setSampleRate (48000.0f));
    EXPECT_CALL (*effect, setBlockSize (512));

    EXPECT_EQ (dispatch (record, effSetSampleRate, 0, 0, nullptr, 48000.0f), 0);
    EXPECT_EQ (dispatch (record, effSetBlockSize, 0, 512), 0);

    // A rate that is no rate, or a block that holds no samples, never reaches the plug-in.
    for (const float rate : { 0.0f, -44100.0f, notANumber, infinity, -infinity })
        EXPECT_EQ (dispatch (record, effSetSampleRate, 0, 0, nullptr, rate), 0) << rate;

    for (const VstIntPtr size : { VstIntPtr { 0 }, VstIntPtr { -1 }, (VstIntPtr { 1 } << 32) + 512, std::numeric_limits<VstIntPtr>::max() })
        EXPECT_EQ (dispatch (record, effSetBlockSize, 0, size), 0) << size;
}

TEST (AudioEffectDefaults, SampleRateAndBlockSizeAreStored)
{
    PlainEffect effect (nullptr, 1, 1);
    auto* record = effect.getAeffect();

    dispatch (record, effSetSampleRate, 0, 0, nullptr, 96000.0f);
    dispatch (record, effSetBlockSize, 0, 256);
    EXPECT_EQ (effect.getSampleRate(), 96000.0f);
    EXPECT_EQ (effect.getBlockSize(), 256);

    dispatch (record, effSetSampleRate, 0, 0, nullptr, notANumber);
    dispatch (record, effSetBlockSize, 0, -4);
    EXPECT_EQ (effect.getSampleRate(), 96000.0f);
    EXPECT_EQ (effect.getBlockSize(), 256);
}

TEST_F (AudioEffectDispatchTest, OpcodesWithoutActionAnswerZeroAndCallNothing)
{
    // 9 in particular does not ask getVu; the editor opcodes have no editor here.
    for (const VstInt32 opcode : { 9, 13, 14, 15, 16, 17, 18, 19, 20, 21 })
    {
        char buffer[16] {};
        EXPECT_EQ (dispatch (record, opcode, 1, 1, buffer, 1.0f), 0) << opcode;
    }

    EXPECT_TRUE (host.requests().empty());
}

TEST_F (AudioEffectDispatchTest, IdentifyAnswersNvEfWhateverTheArguments)
{
    char buffer[8] {};
    EXPECT_EQ (dispatch (record, effIdentify), 0x4E764566);
    EXPECT_EQ (dispatch (record, effIdentify, -3, 99, buffer, notANumber), 0x4E764566);
}

TEST (AudioEffectLowerBase, AnswersZeroAboveTheFirstRange)
{
    FakeHost host;
    auto* effect = new BaseOnlyEffect (&FakeHost::callback, 2, 2);
    auto* record = effect->getAeffect();
    char buffer[64] {};

    for (VstInt32 opcode = 25; opcode <= 130; ++opcode)
        EXPECT_EQ (dispatch (record, opcode, 1, 1, buffer, 1.0f), 0) << opcode;

    for (const VstInt32 opcode : { -1, std::numeric_limits<VstInt32>::min(), std::numeric_limits<VstInt32>::max() })
        EXPECT_EQ (dispatch (record, opcode, 1, 1, buffer, 1.0f), 0) << opcode;

    EXPECT_TRUE (host.requests().empty());
    EXPECT_EQ (dispatch (record, effClose), 1);
}

//==============================================================================
TEST_F (AudioEffectDispatchTest, GetChunkHandsTheHostThePluginsBlock)
{
    static char block[40] = "state";
    EXPECT_CALL (*effect, getChunk (_, false)).WillOnce ([] (void** data, bool)
                                                         {
        *data = block;
        return 40; });
    EXPECT_CALL (*effect, getChunk (_, true)).WillOnce ([] (void** data, bool)
                                                        {
        *data = block;
        return 12; });

    void* data = nullptr;
    EXPECT_EQ (dispatch (record, effGetChunk, 0, 0, &data), 40);
    EXPECT_EQ (data, block);

    data = nullptr;
    EXPECT_EQ (dispatch (record, effGetChunk, 1, 0, &data), 12);
    EXPECT_EQ (data, block);
}

TEST_F (AudioEffectDispatchTest, GetChunkAnswersZeroAndClearsThePointerWhenThereIsNothingToRead)
{
    static char block[4] {};
    EXPECT_CALL (*effect, getChunk (_, false))
        .WillOnce (Return (0))
        .WillOnce ([] (void** data, bool)
                   {
            *data = block;
            return -8; })
        .WillOnce ([] (void** data, bool)
                   {
            *data = nullptr;
            return 16; });

    int stale = 0;

    for (int attempt = 0; attempt < 3; ++attempt)
    {
        void* data = &stale;
        EXPECT_EQ (dispatch (record, effGetChunk, 0, 0, &data), 0) << attempt;
        EXPECT_EQ (data, nullptr) << attempt;
    }

    EXPECT_EQ (dispatch (record, effGetChunk, 0, 0, nullptr), 0);
}

TEST_F (AudioEffectDispatchTest, SetChunkPassesTheBlockAndItsSize)
{
    char block[64] {};
    EXPECT_CALL (*effect, setChunk (block, 64, false)).WillOnce (Return (1));
    EXPECT_CALL (*effect, setChunk (block, 3, true)).WillOnce (Return (-2));

    EXPECT_EQ (dispatch (record, effSetChunk, 0, 64, block), 1);
    EXPECT_EQ (dispatch (record, effSetChunk, 5, 3, block), -2);
}

TEST_F (AudioEffectDispatchTest, SetChunkRefusesDamagedRequestsWithoutCallingThePlugin)
{
    char block[16] {};

    EXPECT_EQ (dispatch (record, effSetChunk, 0, 16, nullptr), 0);
    EXPECT_EQ (dispatch (record, effSetChunk, 0, 0, block), 0);
    EXPECT_EQ (dispatch (record, effSetChunk, 0, -16, block), 0);
    EXPECT_EQ (dispatch (record, effSetChunk, 0, VstIntPtr { std::numeric_limits<VstInt32>::max() } + 1, block), 0);
    EXPECT_EQ (dispatch (record, effSetChunk, 0, (VstIntPtr { 1 } << 32) + 16, block), 0);
}

//==============================================================================
TEST (AudioEffectEditor, EditorOpcodesReachAnAttachedEditor)
{
    std::vector<std::string> log;
    auto* effect = new PlainEffect (nullptr, 1, 1);
    auto* record = effect->getAeffect();
    auto ownedEditor = std::make_unique<FakeEditor> (log);
    auto* editor = ownedEditor.get();
    effect->attachEditor (std::move (ownedEditor));
    EXPECT_EQ (effect->getEditor(), editor);

    ERect* rect = nullptr;
    int window = 0;
    EXPECT_EQ (dispatch (record, effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ (editor->lastRectAddress, &rect);
    EXPECT_EQ (dispatch (record, effEditOpen, 0, 0, &window), 1);
    EXPECT_EQ (editor->lastWindow, &window);
    EXPECT_EQ (dispatch (record, effEditIdle), 0);
    EXPECT_EQ (dispatch (record, effEditClose), 0);

    editor->answer = false;
    EXPECT_EQ (dispatch (record, effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ (dispatch (record, effEditOpen, 0, 0, &window), 0);

    // Null host pointers reach no editor.
    EXPECT_EQ (dispatch (record, effEditGetRect, 0, 0, nullptr), 0);
    EXPECT_EQ (dispatch (record, effEditOpen, 0, 0, nullptr), 0);

    for (const VstInt32 opcode : { 16, 17, 18, 20, 21 })
        EXPECT_EQ (dispatch (record, opcode, 1, 1, &window, 1.0f), 0);

    EXPECT_EQ (log, (std::vector<std::string> { "getRect", "open", "idle", "close", "getRect", "open" }));

    EXPECT_EQ (dispatch (record, effClose), 1);
    EXPECT_EQ (log.back(), "editor deleted");
}

//==============================================================================
namespace
{
class ClosingEffect : public PlainEffect
{
public:
    explicit ClosingEffect (std::vector<std::string>& eventLog)
        : PlainEffect (nullptr, 1, 1)
        , log (eventLog)
    {
    }

    ~ClosingEffect() override { log.push_back ("effect deleted"); }
    void close() override { log.push_back ("close"); }

    std::vector<std::string>& log;
};
} // namespace

TEST (AudioEffectClose, CloseRunsThenTheObjectAndItsEditorAreDeleted)
{
    std::vector<std::string> log;
    auto* effect = new ClosingEffect (log);
    effect->attachEditor (std::make_unique<FakeEditor> (log));
    auto* record = effect->getAeffect();

    EXPECT_EQ (record->dispatcher (record, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_EQ (log, (std::vector<std::string> { "close", "effect deleted", "editor deleted" }));
}

TEST (AudioEffectClose, DirectDispatcherCallOfCloseAnswersZeroAndKeepsTheObject)
{
    std::vector<std::string> log;
    ClosingEffect effect (log);

    // Only the record's entry deletes; the virtual dispatcher itself answers 0.
    EXPECT_EQ (effect.dispatcher (effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ (log, (std::vector<std::string> { "close" }));
}

TEST (AudioEffectEntries, NullRecordsAndForeignRecordsAreAnsweredSafely)
{
    float sample = 0.0f;
    float* channels[] = { &sample, &sample };
    double wideSample = 0.0;
    double* wideChannels[] = { &wideSample, &wideSample };

    EXPECT_EQ (AudioEffect::dispatchEffectClass (nullptr, effGetVstVersion, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ (AudioEffect::dispatchEffectClass (nullptr, effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ (AudioEffect::getParameterClass (nullptr, 0), 0.0f);
    AudioEffect::setParameterClass (nullptr, 0, 0.5f);
    AudioEffect::processClass (nullptr, channels, channels, 1);
    AudioEffect::processClassReplacing (nullptr, channels, channels, 1);
    AudioEffect::processClassDoubleReplacing (nullptr, wideChannels, wideChannels, 1);

    AEffect empty {};
    EXPECT_EQ (AudioEffect::dispatchEffectClass (&empty, effClose, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ (AudioEffect::getParameterClass (&empty, 0), 0.0f);
    AudioEffect::processClassReplacing (&empty, channels, channels, 1);
}

//==============================================================================
TEST_F (AudioEffectDispatchTest, ParameterEntriesReachTheirOperations)
{
    EXPECT_CALL (*effect, getParameter (2)).WillOnce (Return (0.25f));
    EXPECT_CALL (*effect, setParameter (3, 0.75f));

    EXPECT_EQ (record->getParameter (record, 2), 0.25f);
    record->setParameter (record, 3, 0.75f);
}

TEST_F (AudioEffectDispatchTest, ParameterEntriesRefuseForeignIndicesAndNonNumbers)
{
    for (const VstInt32 index : { -1, parameterCount, std::numeric_limits<VstInt32>::min() })
    {
        EXPECT_EQ (record->getParameter (record, index), 0.0f);
        record->setParameter (record, index, 0.5f);
    }

    for (const float value : { notANumber, infinity, -infinity })
        record->setParameter (record, 0, value);
}

TEST_F (AudioEffectDispatchTest, ProcessEntriesReachTheirOperations)
{
    float samples[2][8] {};
    float* inputs[] = { samples[0] };
    float* outputs[] = { samples[0], samples[1] };
    double wide[2][8] {};
    double* wideInputs[] = { wide[0] };
    double* wideOutputs[] = { wide[0], wide[1] };

    EXPECT_CALL (*effect, process (inputs, outputs, 8));
    EXPECT_CALL (*effect, processReplacing (inputs, outputs, 8));
    EXPECT_CALL (*effect, processReplacing (inputs, outputs, 0));
    EXPECT_CALL (*effect, processDoubleReplacing (wideInputs, wideOutputs, 8));
    // No input list is silence for the effect to answer, not a call to drop: the host's
    // outputs would keep their old contents.
    EXPECT_CALL (*effect, processReplacing (nullptr, outputs, 8));
    EXPECT_CALL (*effect, processDoubleReplacing (nullptr, wideOutputs, 8));

    record->process (record, inputs, outputs, 8);
    record->processReplacing (record, inputs, outputs, 8);
    record->processReplacing (record, inputs, outputs, 0);
    record->processDoubleReplacing (record, wideInputs, wideOutputs, 8);

    record->processReplacing (record, nullptr, outputs, 8);
    record->processDoubleReplacing (record, nullptr, wideOutputs, 8);

    // A negative count, or no output list for outputs the record announces, reach no
    // process operation.
    record->processReplacing (record, inputs, outputs, -1);
    record->processReplacing (record, inputs, nullptr, 8);
    record->process (record, nullptr, nullptr, 8);
}

//==============================================================================
TEST (AudioEffectHostRequests, SetParameterAutomatedSetsFirstThenTellsTheHost)
{
    FakeHost host;
    StrictMock<MockEffect> effect (&FakeHost::callback, 1, 4);
    EXPECT_CALL (effect, setParameter (2, 0.5f)).WillOnce ([&] (VstInt32, float)
                                                           { EXPECT_TRUE (host.requests().empty()); });

    effect.setParameterAutomated (2, 0.5f);

    ASSERT_EQ (host.requests().size(), 1u);
    const auto& request = host.requests()[0];
    EXPECT_EQ (request.effect, effect.getAeffect());
    EXPECT_EQ (request.opcode, audioMasterAutomate);
    EXPECT_EQ (request.index, 2);
    EXPECT_EQ (request.value, 0);
    EXPECT_EQ (request.ptr, nullptr);
    EXPECT_EQ (request.opt, 0.5f);
}

TEST (AudioEffectHostRequests, MasterVersionIsOneWhenTheHostCannotTell)
{
    FakeHost host;
    PlainEffect effect (&FakeHost::callback, 1, 1);

    EXPECT_EQ (effect.getMasterVersion(), 1);
    host.setAnswer (audioMasterVersion, 2400);
    EXPECT_EQ (effect.getMasterVersion(), 2400);
    host.setAnswer (audioMasterVersion, (VstIntPtr { 1 } << 32));
    EXPECT_EQ (effect.getMasterVersion(), 1); // 0 once taken as 32 bits

    PlainEffect alone (nullptr, 1, 1);
    EXPECT_EQ (alone.getMasterVersion(), 1);
}

TEST (AudioEffectHostRequests, SimpleRequestsCarryTheRecordAndZeroes)
{
    FakeHost host;
    PlainEffect effect (&FakeHost::callback, 1, 1);
    host.setAnswer (audioMasterCurrentId, 0x41424344);

    EXPECT_EQ (effect.getCurrentUniqueId(), 0x41424344);
    effect.masterIdle();
    effect.getMasterVersion();

    EXPECT_EQ (host.opcodes(), (std::vector<VstInt32> { audioMasterCurrentId, audioMasterIdle, audioMasterVersion }));

    for (const auto& request : host.requests())
    {
        EXPECT_EQ (request.effect, effect.getAeffect());
        EXPECT_EQ (request.index, 0);
        EXPECT_EQ (request.value, 0);
        EXPECT_EQ (request.ptr, nullptr);
        EXPECT_EQ (request.opt, 0.0f);
    }

    PlainEffect alone (nullptr, 1, 1);
    EXPECT_EQ (alone.getCurrentUniqueId(), 0);
    alone.masterIdle();
}

TEST (AudioEffectHostRequests, PinConnectionIsTrueWhenTheHostAnswersZero)
{
    FakeHost host;
    PlainEffect effect (&FakeHost::callback, 1, 1);

    EXPECT_TRUE (effect.isInputConnected (3));
    host.setAnswer (audioMasterPinConnected, 1);
    EXPECT_FALSE (effect.isInputConnected (3));
    EXPECT_FALSE (effect.isOutputConnected (5));
    host.setAnswer (audioMasterPinConnected, VstIntPtr { 1 } << 32);
    EXPECT_TRUE (effect.isOutputConnected (5)); // 0 once taken as 32 bits

    ASSERT_EQ (host.requests().size(), 4u);
    EXPECT_EQ (host.requests()[0].opcode, audioMasterPinConnected);
    EXPECT_EQ (host.requests()[0].index, 3);
    EXPECT_EQ (host.requests()[0].value, 0);
    EXPECT_EQ (host.requests()[2].index, 5);
    EXPECT_EQ (host.requests()[2].value, 1);

    PlainEffect alone (nullptr, 1, 1);
    EXPECT_TRUE (alone.isInputConnected (0));
    EXPECT_TRUE (alone.isOutputConnected (0));
}

TEST (AudioEffectDefaults, BaseAnswersOfTheFirstRange)
{
    PlainEffect effect (nullptr, 2, 2);
    auto* record = effect.getAeffect();

    EXPECT_EQ (effect.getParameter (0), 0.0f);
    EXPECT_EQ (record->getParameter (record, 1), 0.0f);
    EXPECT_EQ (effect.getVu(), 0.0f);

    void* data = &effect;
    EXPECT_EQ (dispatch (record, effGetChunk, 0, 0, &data), 0);
    EXPECT_EQ (data, nullptr);
    char block[4] {};
    EXPECT_EQ (dispatch (record, effSetChunk, 0, 4, block), 0);

    for (const auto opcode : { effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName })
    {
        GuardedBuffer text (1);
        EXPECT_EQ (dispatch (record, opcode, 1, 0, text.data()), 0);
        EXPECT_EQ (text.at (0), 0) << opcode;
        EXPECT_TRUE (text.guardsIntact());
    }
}

//==============================================================================
// Text conversions

namespace
{
using Conversion = std::function<void (AudioEffect&, char*, VstInt32)>;

/** Runs one conversion into a buffer of exactly maxLen + 1 guarded bytes. */
std::string convert (AudioEffect& effect, const Conversion& conversion, VstInt32 maxLen = 16)
{
    GuardedBuffer text (static_cast<std::size_t> (maxLen) + 1);
    conversion (effect, text.data(), maxLen);
    EXPECT_TRUE (text.guardsIntact());
    EXPECT_EQ (text.at (static_cast<std::size_t> (maxLen)), 0);
    return text.text();
}

Conversion floatText (float value)
{
    return [value] (AudioEffect& e, char* t, VstInt32 n)
    { e.float2string (value, t, n); };
}

Conversion intText (VstInt32 value)
{
    return [value] (AudioEffect& e, char* t, VstInt32 n)
    { e.int2string (value, t, n); };
}

// Independent of the conversion under test: the exact decimal expansion
// of the float, cut (never rounded) to eight characters.
std::string truncatedDecimal (float value)
{
    if (std::isnan (value))
        return "NaN";

    if (std::isinf (value))
        return "Huge!";

    const bool negative = value < 0.0f;
    char exact[512];
    std::snprintf (exact, sizeof (exact), "%.60f", std::fabs (static_cast<double> (value)));
    const std::string digits (exact);
    const auto point = digits.find ('.');
    const std::string integerDigits = digits.substr (0, point);

    if (integerDigits.size() > (negative ? 6u : 7u))
        return "Huge!";

    std::string result = (negative ? "-" : "") + integerDigits + ".";
    result += digits.substr (point + 1, 8 - result.size());
    return result;
}
} // namespace

TEST (AudioEffectText, FloatToStringGivesTheDocumentedTexts)
{
    PlainEffect effect (nullptr, 1, 1);

    const std::vector<std::pair<float, std::string>> cases {
        { 0.0f, "0.000000" },
        { 1.5f, "1.500000" },
        { -1.5f, "-1.50000" },
        { 123.456f, "123.4560" },
        { 0.001f, "0.001000" },
        { 44100.0f, "44100.00" },
        { 9999999.0f, "9999999." },
        { 100000000.0f, "Huge!" },
        { -10000000.0f, "Huge!" },
        { -0.0f, "0.000000" },
        { 0.7f, "0.699999" }, // truncated, not rounded
        { -999999.0f, "-999999." },
    };

    for (const auto& [value, expected] : cases)
        EXPECT_EQ (convert (effect, floatText (value)), expected) << value;
}

TEST (AudioEffectText, FloatToStringNeverDropsLeadingDigits)
{
    PlainEffect effect (nullptr, 1, 1);

    // Integer parts one digit too long for eight characters.
    for (const float value : { 12345678.0f, 10000000.0f, 99999990.0f, -1000000.0f, -1234567.0f, -9999999.0f })
        EXPECT_EQ (convert (effect, floatText (value)), "Huge!") << value;

    EXPECT_EQ (convert (effect, floatText (notANumber)), "NaN");
    EXPECT_EQ (convert (effect, floatText (-notANumber)), "NaN");
    EXPECT_EQ (convert (effect, floatText (infinity)), "Huge!");
    EXPECT_EQ (convert (effect, floatText (-infinity)), "Huge!");
    EXPECT_EQ (convert (effect, floatText (std::numeric_limits<float>::max())), "Huge!");
}

TEST (AudioEffectText, FloatToStringMatchesTheExactDecimalCutToEightCharacters)
{
    PlainEffect effect (nullptr, 1, 1);
    std::mt19937 random (20240611u);
    std::uniform_real_distribution<float> exponent (-9.0f, 9.0f);
    std::uniform_real_distribution<float> linear (-2.0e6f, 2.0e7f);

    std::vector<float> values { 9999999.5f, 9999998.9f, 0.999999f, 0.99999994f, -999999.9f, -0.5f, 1.0e-30f, 5.0e-45f, 1024.0f };

    for (int i = 0; i < 4000; ++i)
    {
        const float sign = (random() & 1u) != 0 ? -1.0f : 1.0f;
        values.push_back (sign * std::pow (10.0f, exponent (random)));
        values.push_back (linear (random));
        values.push_back (std::nextafter (std::floor (linear (random)), 0.0f));
    }

    for (const float value : values)
        ASSERT_EQ (convert (effect, floatText (value), 8), truncatedDecimal (value)) << value;
}

TEST (AudioEffectText, IntToStringGivesTheDocumentedTexts)
{
    PlainEffect effect (nullptr, 1, 1);

    const std::vector<std::pair<VstInt32, std::string>> cases {
        { 42, "42" },
        { -42, "-42" },
        { 0, "0" },
        { 99999999, "99999999" },
        { 100000000, "Huge!" },
        { -100000000, "-100000000" },
        // A first quotient above 9 once printed a wrong digit; these are written in full.
        { -1000000000, "-1000000000" },
        { -2147483647, "-2147483647" },
        { std::numeric_limits<VstInt32>::min(), "-2147483648" },
        { std::numeric_limits<VstInt32>::max(), "Huge!" },
    };

    for (const auto& [value, expected] : cases)
        EXPECT_EQ (convert (effect, intText (value)), expected) << value;
}

TEST (AudioEffectText, IntToStringMatchesTheStandardLibraryBelowTheHugeBound)
{
    PlainEffect effect (nullptr, 1, 1);
    std::mt19937 random (7u);
    std::uniform_int_distribution<VstInt32> any (std::numeric_limits<VstInt32>::min(), 99999999);

    for (int i = 0; i < 4000; ++i)
    {
        const auto value = any (random);
        ASSERT_EQ (convert (effect, intText (value), 11), std::to_string (value)) << value;
    }
}

TEST (AudioEffectText, DecibelHertzAndMillisecondTexts)
{
    PlainEffect effect (nullptr, 1, 1);
    const auto dB = [] (float v)
    { return Conversion ([v] (AudioEffect& e, char* t, VstInt32 n)
                         { e.dB2string (v, t, n); }); };
    const auto Hz = [] (float v)
    { return Conversion ([v] (AudioEffect& e, char* t, VstInt32 n)
                         { e.Hz2string (v, t, n); }); };
    const auto ms = [] (float v)
    { return Conversion ([v] (AudioEffect& e, char* t, VstInt32 n)
                         { e.ms2string (v, t, n); }); };

    EXPECT_EQ (convert (effect, dB (0.0f)), "-oo");
    EXPECT_EQ (convert (effect, dB (-0.5f)), "-oo");
    EXPECT_EQ (convert (effect, dB (1.0f)), "0.000000");
    EXPECT_EQ (convert (effect, dB (10.0f)), "20.00000");
    EXPECT_EQ (convert (effect, dB (0.5f)), "-6.02059");
    EXPECT_EQ (convert (effect, dB (notANumber)), "NaN");
    EXPECT_EQ (convert (effect, dB (infinity)), "Huge!");

    EXPECT_EQ (convert (effect, Hz (0.0f)), "0.000000");
    EXPECT_EQ (convert (effect, Hz (441.0f)), "100.0000");
    EXPECT_EQ (convert (effect, Hz (notANumber)), "NaN");
    EXPECT_EQ (convert (effect, Hz (1.0e-30f)), "Huge!");

    EXPECT_EQ (convert (effect, ms (441.0f)), "10.00000");
    EXPECT_EQ (convert (effect, ms (44100.0f)), "1000.000");
    EXPECT_EQ (convert (effect, ms (0.0f)), "0.000000");
    EXPECT_EQ (convert (effect, ms (notANumber)), "NaN");
    EXPECT_EQ (convert (effect, ms (1.0e30f)), "Huge!");
    EXPECT_EQ (convert (effect, ms (std::numeric_limits<float>::max())), "Huge!");
}

TEST (AudioEffectText, ConversionsWithoutAUsableSampleRateWriteNaN)
{
    PlainEffect effect (nullptr, 1, 1);
    const auto Hz = [] (float v)
    { return Conversion ([v] (AudioEffect& e, char* t, VstInt32 n)
                         { e.Hz2string (v, t, n); }); };
    const auto ms = [] (float v)
    { return Conversion ([v] (AudioEffect& e, char* t, VstInt32 n)
                         { e.ms2string (v, t, n); }); };

    for (const float rate : { 0.0f, -48000.0f, notANumber, infinity })
    {
        effect.setSampleRate (rate); // the plug-in's own call, which the base does not check
        EXPECT_EQ (convert (effect, ms (441.0f)), "NaN") << rate;
        EXPECT_EQ (convert (effect, ms (0.0f)), "NaN") << rate;
        EXPECT_EQ (convert (effect, Hz (441.0f)), "NaN") << rate;
        EXPECT_EQ (convert (effect, Hz (0.0f)), "0.000000") << rate;
    }
}

TEST (AudioEffectText, EveryConversionKeepsToMaxLenPlusOneBytes)
{
    PlainEffect effect (nullptr, 1, 1);
    const std::vector<std::pair<Conversion, std::string>> conversions {
        { floatText (123.456f), "123.4560" },
        { floatText (1.0e12f), "Huge!" },
        { intText (-2147483647 - 1), "-2147483648" },
        { [] (AudioEffect& e, char* t, VstInt32 n)
          { e.dB2string (0.0f, t, n); },
          "-oo" },
        { [] (AudioEffect& e, char* t, VstInt32 n)
          { e.Hz2string (441.0f, t, n); },
          "100.0000" },
        { [] (AudioEffect& e, char* t, VstInt32 n)
          { e.ms2string (441.0f, t, n); },
          "10.00000" },
    };

    for (const auto& [conversion, full] : conversions)
    {
        for (VstInt32 maxLen = 0; maxLen <= 14; ++maxLen)
        {
            GuardedBuffer text (static_cast<std::size_t> (maxLen) + 1);
            conversion (effect, text.data(), maxLen);
            ASSERT_TRUE (text.guardsIntact()) << full << " maxLen " << maxLen;
            EXPECT_EQ (text.text(), full.substr (0, static_cast<std::size_t> (maxLen))) << maxLen;

            // Everything after the text up to position maxLen is a terminator.
            for (auto i = text.text().size(); i <= static_cast<std::size_t> (maxLen); ++i)
                EXPECT_EQ (text.at (i), 0) << full << " maxLen " << maxLen << " byte " << i;
        }

        GuardedBuffer untouched (8);
        conversion (effect, untouched.data(), -1);
        EXPECT_TRUE (untouched.untouched()) << full;
        EXPECT_TRUE (untouched.guardsIntact()) << full;

        conversion (effect, nullptr, 8);
        conversion (effect, nullptr, -1);
    }

    EXPECT_EQ (convert (effect, floatText (1.0e12f), 3), "Hug");
}

TEST (AudioEffectText, CopyTextFollowsTheSameRule)
{
    GuardedBuffer text (6);
    AudioEffect::copyText (text.data(), "Quorvel", 5);
    EXPECT_EQ (text.text(), "Quorv");
    EXPECT_TRUE (text.guardsIntact());

    GuardedBuffer shortText (6);
    AudioEffect::copyText (shortText.data(), "ab", 5);
    EXPECT_EQ (shortText.text(), "ab");

    for (std::size_t i = 2; i < 6; ++i)
        EXPECT_EQ (shortText.at (i), 0);

    GuardedBuffer fromNull (4);
    AudioEffect::copyText (fromNull.data(), nullptr, 3);
    EXPECT_EQ (fromNull.text(), "");
    EXPECT_TRUE (fromNull.guardsIntact());

    GuardedBuffer refused (4);
    AudioEffect::copyText (refused.data(), "abc", -2);
    EXPECT_TRUE (refused.untouched());
    AudioEffect::copyText (nullptr, "abc", 3);
}
