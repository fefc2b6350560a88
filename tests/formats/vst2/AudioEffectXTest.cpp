#include "FakeHost.h"
#include "GuardedBuffer.h"
#include "TestEffects.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

using namespace quorvel::test;
using ::testing::_;
using ::testing::Return;
using ::testing::StrEq;
using ::testing::StrictMock;

namespace
{
constexpr VstInt32 programCount = 3;
constexpr VstInt32 parameterCount = 4;
constexpr float notANumber = std::numeric_limits<float>::quiet_NaN();

template <typename Record>
Record* fakeRecord (void* storage)
{
    return static_cast<Record*> (storage);
}

class AudioEffectXDispatchTest : public ::testing::Test
{
protected:
    void TearDown() override { delete effect; }

    FakeHost host;
    StrictMock<MockEffect>* effect = new StrictMock<MockEffect> (&FakeHost::callback, programCount, parameterCount);
    AEffect* record = effect->getAeffect();
    alignas (16) char storage[256] {};
};
} // namespace

//==============================================================================
// Rows of the extended dispatcher, each reaching its operation

TEST_F (AudioEffectXDispatchTest, ProcessEventsPassesTheEventsRecord)
{
    auto* events = fakeRecord<VstEvents> (storage);
    EXPECT_CALL (*effect, processEvents (events)).WillOnce (Return (1)).WillOnce (Return (-3));

    EXPECT_EQ (dispatch (record, effProcessEvents, 0, 0, events), 1);
    EXPECT_EQ (dispatch (record, effProcessEvents, 0, 0, events), -3);
    EXPECT_EQ (dispatch (record, effProcessEvents, 0, 0, nullptr), 0);
}

TEST_F (AudioEffectXDispatchTest, ParameterQueriesTakeOnlyTheEffectsOwnIndices)
{
    auto* properties = fakeRecord<VstParameterProperties> (storage);
    EXPECT_CALL (*effect, canParameterBeAutomated (1)).WillOnce (Return (true)).WillOnce (Return (false));
    EXPECT_CALL (*effect, string2parameter (2, storage)).WillOnce (Return (true));
    EXPECT_CALL (*effect, getParameterProperties (3, properties)).WillOnce (Return (true));

    EXPECT_EQ (dispatch (record, effCanBeAutomated, 1), 1);
    EXPECT_EQ (dispatch (record, effCanBeAutomated, 1), 0);
    EXPECT_EQ (dispatch (record, effString2Parameter, 2, 0, storage), 1);
    EXPECT_EQ (dispatch (record, effGetParameterProperties, 3, 0, properties), 1);

    for (const VstInt32 index : { -1, parameterCount })
    {
        EXPECT_EQ (dispatch (record, effCanBeAutomated, index), 0);
        EXPECT_EQ (dispatch (record, effString2Parameter, index, 0, storage), 0);
        EXPECT_EQ (dispatch (record, effGetParameterProperties, index, 0, properties), 0);
    }

    EXPECT_EQ (dispatch (record, effString2Parameter, 2, 0, nullptr), 0);
    EXPECT_EQ (dispatch (record, effGetParameterProperties, 3, 0, nullptr), 0);
}

TEST_F (AudioEffectXDispatchTest, ProgramNameIndexedTakesCategoryFromValueAndProgramFromIndex)
{
    EXPECT_CALL (*effect, getProgramNameIndexed (7, 1, storage)).Times (2).WillRepeatedly (Return (true));

    EXPECT_EQ (dispatch (record, effGetProgramNameIndexed, 1, 7, storage), 1);
    EXPECT_EQ (dispatch (record, effGetProgramNameIndexed, 1, (VstIntPtr { 1 } << 32) | 7, storage), 1);

    EXPECT_EQ (dispatch (record, effGetProgramNameIndexed, 1, 7, nullptr), 0);
    EXPECT_EQ (dispatch (record, effGetProgramNameIndexed, programCount, 7, storage), 0);
    EXPECT_EQ (dispatch (record, effGetProgramNameIndexed, -1, 7, storage), 0);
}

TEST_F (AudioEffectXDispatchTest, PinPropertiesAreAskedOnlyForPinsTheRecordAnnounces)
{
    auto* properties = fakeRecord<VstPinProperties> (storage);
    EXPECT_CALL (*effect, getInputProperties (0, properties)).WillOnce (Return (true));
    EXPECT_CALL (*effect, getOutputProperties (1, properties)).WillOnce (Return (true));

    // One input and two outputs, as constructed.
    EXPECT_EQ (dispatch (record, effGetInputProperties, 0, 0, properties), 1);
    EXPECT_EQ (dispatch (record, effGetOutputProperties, 1, 0, properties), 1);

    EXPECT_EQ (dispatch (record, effGetInputProperties, 1, 0, properties), 0);
    EXPECT_EQ (dispatch (record, effGetOutputProperties, 2, 0, properties), 0);
    EXPECT_EQ (dispatch (record, effGetInputProperties, -1, 0, properties), 0);
    EXPECT_EQ (dispatch (record, effGetInputProperties, 0, 0, nullptr), 0);
    EXPECT_EQ (dispatch (record, effGetOutputProperties, 0, 0, nullptr), 0);
}

TEST_F (AudioEffectXDispatchTest, CategoryVersionsTailAndMidiChannelCounts)
{
    EXPECT_CALL (*effect, getPlugCategory()).WillOnce (Return (kPlugCategSynth));
    EXPECT_CALL (*effect, getVendorVersion()).WillOnce (Return (-7));
    EXPECT_CALL (*effect, getGetTailSize()).WillOnce (Return (1234));
    EXPECT_CALL (*effect, getVstVersion()).WillOnce (Return (2400));
    EXPECT_CALL (*effect, getNumMidiInputChannels()).WillOnce (Return (16));
    EXPECT_CALL (*effect, getNumMidiOutputChannels()).WillOnce (Return (1));

    EXPECT_EQ (dispatch (record, effGetPlugCategory), 2);
    EXPECT_EQ (dispatch (record, effGetVendorVersion), -7);
    EXPECT_EQ (dispatch (record, effGetTailSize), 1234);
    EXPECT_EQ (dispatch (record, effGetVstVersion), 2400);
    EXPECT_EQ (dispatch (record, effGetNumMidiInputChannels), 16);
    EXPECT_EQ (dispatch (record, effGetNumMidiOutputChannels), 1);
}

TEST_F (AudioEffectXDispatchTest, OfflineRowsPassTheirRecordsAndCounts)
{
    auto* files = fakeRecord<VstAudioFile> (storage);
    auto* task = fakeRecord<VstOfflineTask> (storage);
    EXPECT_CALL (*effect, offlineNotify (files, 5, true)).WillOnce (Return (true));
    EXPECT_CALL (*effect, offlineNotify (files, 2, false)).WillOnce (Return (false));
    EXPECT_CALL (*effect, offlinePrepare (task, 3)).WillOnce (Return (true));
    EXPECT_CALL (*effect, offlineRun (task, 4)).WillOnce (Return (true));
    EXPECT_CALL (*effect, processVariableIo (fakeRecord<VstVariableIo> (storage))).WillOnce (Return (true));

    EXPECT_EQ (dispatch (record, effOfflineNotify, 1, 5, files), 1);
    EXPECT_EQ (dispatch (record, effOfflineNotify, 0, 2, files), 0);
    EXPECT_EQ (dispatch (record, effOfflinePrepare, 0, 3, task), 1);
    EXPECT_EQ (dispatch (record, effOfflineRun, 0, 4, task), 1);
    EXPECT_EQ (dispatch (record, effProcessVarIo, 0, 0, storage), 1);

    for (const auto opcode : { effOfflineNotify, effOfflinePrepare, effOfflineRun, effProcessVarIo })
        EXPECT_EQ (dispatch (record, opcode, 1, 1, nullptr), 0);
}

TEST_F (AudioEffectXDispatchTest, SpeakerArrangementRowsTakeInputFromValueAndOutputFromPtr)
{
    VstSpeakerArrangement input {};
    VstSpeakerArrangement output {};
    VstSpeakerArrangement* inputPointer = &input;
    VstSpeakerArrangement* outputPointer = &output;
    EXPECT_CALL (*effect, setSpeakerArrangement (&input, &output)).WillOnce (Return (true));
    EXPECT_CALL (*effect, getSpeakerArrangement (&inputPointer, &outputPointer)).WillOnce (Return (true));

    EXPECT_EQ (dispatch (record, effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr> (&input), &output), 1);
    EXPECT_EQ (dispatch (record, effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr> (&inputPointer), &outputPointer), 1);

    EXPECT_EQ (dispatch (record, effSetSpeakerArrangement, 0, 0, &output), 0);
    EXPECT_EQ (dispatch (record, effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr> (&input), nullptr), 0);
    EXPECT_EQ (dispatch (record, effGetSpeakerArrangement, 0, 0, &outputPointer), 0);
    EXPECT_EQ (dispatch (record, effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr> (&inputPointer), nullptr), 0);
}

TEST_F (AudioEffectXDispatchTest, BypassFollowsTheValue)
{
    EXPECT_CALL (*effect, setBypass (true)).WillOnce (Return (false));
    EXPECT_CALL (*effect, setBypass (false)).WillOnce (Return (true));

    EXPECT_EQ (dispatch (record, effSetBypass, 0, 2), 0);
    EXPECT_EQ (dispatch (record, effSetBypass, 0, 0), 1);
}

TEST_F (AudioEffectXDispatchTest, NameRowsPassTheHostsBufferAndRefuseNull)
{
    EXPECT_CALL (*effect, getEffectName (storage)).WillOnce (Return (true));
    EXPECT_CALL (*effect, getVendorString (storage)).WillOnce (Return (true));
    EXPECT_CALL (*effect, getProductString (storage)).WillOnce (Return (false));
    EXPECT_CALL (*effect, getNextShellPlugin (storage)).WillOnce (Return (0x41414141));

    EXPECT_EQ (dispatch (record, effGetEffectName, 0, 0, storage), 1);
    EXPECT_EQ (dispatch (record, effGetVendorString, 0, 0, storage), 1);
    EXPECT_EQ (dispatch (record, effGetProductString, 0, 0, storage), 0);
    EXPECT_EQ (dispatch (record, effShellGetNextPlugin, 0, 0, storage), 0x41414141);

    for (const auto opcode : { effGetEffectName, effGetVendorString, effGetProductString, effShellGetNextPlugin, effCanDo })
        EXPECT_EQ (dispatch (record, opcode, 0, 0, nullptr), 0) << opcode;
}

TEST_F (AudioEffectXDispatchTest, VendorSpecificAndCanDoAnswersPassUnchanged)
{
    const VstIntPtr wide = VstIntPtr { 1 } << 40;
    EXPECT_CALL (*effect, vendorSpecific (3, wide, storage, 0.5f)).WillOnce (Return (wide + 1));
    EXPECT_CALL (*effect, vendorSpecific (-1, -2, nullptr, 0.0f)).WillOnce (Return (-5));
    EXPECT_CALL (*effect, canDo (StrEq ("bypass"))).WillOnce (Return (-1));

    EXPECT_EQ (dispatch (record, effVendorSpecific, 3, wide, storage, 0.5f), wide + 1);
    EXPECT_EQ (dispatch (record, effVendorSpecific, -1, -2, nullptr, 0.0f), -5);

    char request[] = "bypass";
    EXPECT_EQ (dispatch (record, effCanDo, 0, 0, request), -1);
}

TEST_F (AudioEffectXDispatchTest, MidiProgramRowsPassChannelAndRecord)
{
    auto* name = fakeRecord<MidiProgramName> (storage);
    auto* category = fakeRecord<MidiProgramCategory> (storage);
    auto* keyName = fakeRecord<MidiKeyName> (storage);
    EXPECT_CALL (*effect, getMidiProgramName (9, name)).WillOnce (Return (128));
    EXPECT_CALL (*effect, getCurrentMidiProgram (9, name)).WillOnce (Return (-1));
    EXPECT_CALL (*effect, getMidiProgramCategory (2, category)).WillOnce (Return (4));
    EXPECT_CALL (*effect, hasMidiProgramsChanged (2)).WillOnce (Return (true));
    EXPECT_CALL (*effect, getMidiKeyName (15, keyName)).WillOnce (Return (true));

    EXPECT_EQ (dispatch (record, effGetMidiProgramName, 9, 0, name), 128);
    EXPECT_EQ (dispatch (record, effGetCurrentMidiProgram, 9, 0, name), -1);
    EXPECT_EQ (dispatch (record, effGetMidiProgramCategory, 2, 0, category), 4);
    EXPECT_EQ (dispatch (record, effHasMidiProgramsChanged, 2), 1);
    EXPECT_EQ (dispatch (record, effGetMidiKeyName, 15, 0, keyName), 1);

    for (const auto opcode : { effGetMidiProgramName, effGetCurrentMidiProgram, effGetMidiProgramCategory, effGetMidiKeyName })
        EXPECT_EQ (dispatch (record, opcode, 0, 0, nullptr), 0) << opcode;
}

TEST_F (AudioEffectXDispatchTest, ProgramAndProcessBracketsAndSettings)
{
    auto* info = fakeRecord<VstPatchChunkInfo> (storage);
    EXPECT_CALL (*effect, beginSetProgram()).WillOnce (Return (true));
    EXPECT_CALL (*effect, endSetProgram()).WillOnce (Return (false));
    EXPECT_CALL (*effect, startProcess()).WillOnce (Return (1));
    EXPECT_CALL (*effect, stopProcess()).WillOnce (Return (-1));
    EXPECT_CALL (*effect, setTotalSampleToProcess (512)).WillOnce (Return (512));
    EXPECT_CALL (*effect, setPanLaw (1, 0.70710677f)).WillOnce (Return (true));
    EXPECT_CALL (*effect, beginLoadBank (info)).WillOnce (Return (-1));
    EXPECT_CALL (*effect, beginLoadProgram (info)).WillOnce (Return (1));
    EXPECT_CALL (*effect, setProcessPrecision (1)).WillOnce (Return (true));

    EXPECT_EQ (dispatch (record, effBeginSetProgram), 1);
    EXPECT_EQ (dispatch (record, effEndSetProgram), 0);
    EXPECT_EQ (dispatch (record, effStartProcess), 1);
    EXPECT_EQ (dispatch (record, effStopProcess), -1);
    EXPECT_EQ (dispatch (record, effSetTotalSampleToProcess, 0, 512), 512);
    EXPECT_EQ (dispatch (record, effSetPanLaw, 0, 1, nullptr, 0.70710677f), 1);
    EXPECT_EQ (dispatch (record, effBeginLoadBank, 0, 0, info), -1);
    EXPECT_EQ (dispatch (record, effBeginLoadProgram, 0, 0, info), 1);
    EXPECT_EQ (dispatch (record, effSetProcessPrecision, 0, 1), 1);

    EXPECT_EQ (dispatch (record, effBeginLoadBank, 0, 0, nullptr), 0);
    EXPECT_EQ (dispatch (record, effBeginLoadProgram, 0, 0, nullptr), 0);
}

TEST_F (AudioEffectXDispatchTest, OpcodesPassedOnAnswerZeroAndCallNothing)
{
    // In particular 43 never reaches setBlockSizeAndSampleRate, 30 never copyProgram,
    // 46 never getErrorText: the strict mock fails on any call.
    for (const VstInt32 opcode : { 28, 30, 31, 32, 36, 37, 43, 46, 53, 54, 55, 57 })
        EXPECT_EQ (dispatch (record, opcode, 1, 512, storage, 48000.0f), 0) << opcode;

    for (VstInt32 opcode = 80; opcode <= 200; ++opcode)
        EXPECT_EQ (dispatch (record, opcode, 1, 1, storage, 1.0f), 0) << opcode;

    EXPECT_TRUE (host.requests().empty());
}

TEST_F (AudioEffectXDispatchTest, FirstRangeStillReachesTheLowerBase)
{
    EXPECT_CALL (*effect, setProgram (1));
    EXPECT_EQ (dispatch (record, effIdentify), 0x4E764566);
    EXPECT_EQ (dispatch (record, effSetProgram, 0, 1), 0);
}

//==============================================================================
// Key and knob rows

namespace
{
class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto owned = std::make_unique<FakeEditor> (log);
        editor = owned.get();
        effect.attachEditor (std::move (owned));
    }

    std::vector<std::string> log;
    PlainEffect effect { nullptr, 1, 1 };
    AEffect* record = effect.getAeffect();
    FakeEditor* editor = nullptr;
};
} // namespace

TEST_F (EditorTest, KeyDownHandsTheEditorCharacterVirtAndTruncatedModifier)
{
    EXPECT_EQ (dispatch (record, effEditKeyDown, 65, 3, nullptr, 2.7f), 1);
    EXPECT_EQ (editor->lastKey.character, 65);
    EXPECT_EQ (editor->lastKey.virt, 3);
    EXPECT_EQ (editor->lastKey.modifier, 2);

    editor->answer = false;
    EXPECT_EQ (dispatch (record, effEditKeyUp, 66, 0x1234, nullptr, 300.9f), 0);
    EXPECT_EQ (editor->lastKey.character, 66);
    EXPECT_EQ (editor->lastKey.virt, 0x34);
    EXPECT_EQ (editor->lastKey.modifier, 300 & 0xff);

    EXPECT_EQ (log, (std::vector<std::string> { "keyDown", "keyUp" }));
}

TEST_F (EditorTest, ModifiersNoIntegerCanHoldBecomeZero)
{
    dispatch (record, effEditKeyDown, 1, 1, nullptr, -1.5f);
    EXPECT_EQ (editor->lastKey.modifier, 0xff); // -1 truncated, low byte

    for (const float modifier : { notANumber, std::numeric_limits<float>::infinity(), -1.0e20f, 3.0e9f })
    {
        dispatch (record, effEditKeyDown, 1, 1, nullptr, modifier);
        EXPECT_EQ (editor->lastKey.modifier, 0) << modifier;
    }
}

TEST_F (EditorTest, KnobModeReachesTheEditor)
{
    EXPECT_EQ (dispatch (record, effSetEditKnobMode, 0, 2), 1);
    editor->answer = false;
    EXPECT_EQ (dispatch (record, effSetEditKnobMode, 0, 1), 0);
    EXPECT_EQ (log, (std::vector<std::string> { "knobMode 2", "knobMode 1" }));
}

TEST (AudioEffectXEditor, KeyAndKnobRowsAnswerZeroWithoutAnEditor)
{
    PlainEffect effect (nullptr, 1, 1);
    auto* record = effect.getAeffect();

    EXPECT_EQ (dispatch (record, effEditKeyDown, 65, 3, nullptr, 2.7f), 0);
    EXPECT_EQ (dispatch (record, effEditKeyUp, 65, 3, nullptr, 2.7f), 0);
    EXPECT_EQ (dispatch (record, effSetEditKnobMode, 0, 2), 0);
}

//==============================================================================
// Default answers, driven through the record

TEST (AudioEffectXDefaults, ExtendedRowsGiveTheBasesAnswers)
{
    FakeHost host;
    auto* effect = new PlainEffect (&FakeHost::callback, programCount, parameterCount);
    auto* record = effect->getAeffect();
    alignas (16) char storage[256] {};

    EXPECT_EQ (dispatch (record, effGetPlugCategory), 0);
    effect->isSynth (true);
    EXPECT_EQ (dispatch (record, effGetPlugCategory), 2);
    effect->isSynth (false);
    EXPECT_EQ (dispatch (record, effGetPlugCategory), 0);

    EXPECT_EQ (dispatch (record, effGetVstVersion), 2400);
    EXPECT_EQ (dispatch (record, effGetCurrentMidiProgram, 0, 0, storage), -1);
    EXPECT_EQ (dispatch (record, effSetTotalSampleToProcess, 0, 512), 512);
    EXPECT_EQ (dispatch (record, effSetTotalSampleToProcess, 0, -9), -9);
    EXPECT_EQ (dispatch (record, effCanBeAutomated, 0), 1);

    for (const VstInt32 opcode : { 25, 27, 29, 33, 34, 38, 39, 40, 41, 44, 45, 47, 48, 49, 50, 51, 52, 56, 62, 64, 65, 66, 67, 68, 70, 71, 72, 74, 75, 76, 77, 78, 79 })
    {
        GuardedBuffer buffer (64);
        EXPECT_EQ (dispatch (record, opcode, 0, 0, buffer.data()), 0) << opcode;
        EXPECT_TRUE (buffer.untouched()) << opcode;
        EXPECT_TRUE (buffer.guardsIntact()) << opcode;
    }

    VstSpeakerArrangement input {};
    EXPECT_EQ (dispatch (record, effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr> (&input), &input), 0);

    EXPECT_TRUE (host.requests().empty());
    EXPECT_EQ (dispatch (record, effClose), 1);
}

TEST (AudioEffectXDefaults, GetSpeakerArrangementClearsBothPointers)
{
    PlainEffect effect (nullptr, 1, 1);
    auto* record = effect.getAeffect();
    VstSpeakerArrangement dummy {};
    VstSpeakerArrangement* input = &dummy;
    VstSpeakerArrangement* output = &dummy;

    EXPECT_EQ (dispatch (record, effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr> (&input), &output), 0);
    EXPECT_EQ (input, nullptr);
    EXPECT_EQ (output, nullptr);

    // A missing address refuses the whole request: the other pointer stays.
    output = &dummy;
    EXPECT_EQ (dispatch (record, effGetSpeakerArrangement, 0, 0, &output), 0);
    EXPECT_EQ (output, &dummy);

    EXPECT_FALSE (effect.getSpeakerArrangement (nullptr, nullptr));
}

TEST (AudioEffectXDefaults, OperationsNoOpcodeReaches)
{
    PlainEffect effect (nullptr, 1, 1);
    char text[8] = "keep";

    EXPECT_EQ (effect.getNumCategories(), 1);
    EXPECT_FALSE (effect.copyProgram (0));
    EXPECT_EQ (effect.reportCurrentPosition(), 0);
    EXPECT_EQ (effect.reportDestinationBuffer(), nullptr);
    EXPECT_FALSE (effect.getErrorText (text));
    EXPECT_STREQ (text, "keep");
    EXPECT_EQ (effect.getIcon(), nullptr);
    EXPECT_FALSE (effect.setViewPosition (1, 2));
    EXPECT_EQ (effect.fxIdle(), 0);
    EXPECT_FALSE (effect.keysRequired());
    EXPECT_EQ (effect.offlineGetNumPasses(), 0);
    EXPECT_EQ (effect.offlineGetNumMetaPasses(), 0);
    effect.inputConnected (0, true);
    effect.outputConnected (0, false);

    effect.setBlockSizeAndSampleRate (64, 22050.0f);
    EXPECT_EQ (effect.getBlockSize(), 64);
    EXPECT_EQ (effect.getSampleRate(), 22050.0f);
}

//==============================================================================
// Resume and MIDI events

namespace
{
class CanDoEffect : public PlainEffect
{
public:
    explicit CanDoEffect (VstInt32 answer)
        : PlainEffect (&FakeHost::callback, 1, 1)
        , canDoAnswer (answer)
    {
    }

    VstInt32 canDo (char* text) override
    {
        asked.emplace_back (text);
        return canDoAnswer;
    }

    VstInt32 canDoAnswer;
    std::vector<std::string> asked;
};
} // namespace

TEST (AudioEffectXResume, ASynthAsksForEventsWithoutAskingCanDo)
{
    FakeHost host;
    CanDoEffect effect (1);
    effect.isSynth (true);

    dispatch (effect.getAeffect(), effMainsChanged, 0, 1);

    EXPECT_TRUE (effect.asked.empty());
    ASSERT_EQ (host.requests().size(), 1u);
    EXPECT_EQ (host.requests()[0].opcode, audioMasterWantMidi);
    EXPECT_EQ (host.requests()[0].value, 1);
    EXPECT_EQ (host.requests()[0].effect, effect.getAeffect());
}

TEST (AudioEffectXResume, AnEffectAsksForEventsOnlyWhenCanDoAnswersExactlyOne)
{
    for (const VstInt32 answer : { 1, 2, 0, -1 })
    {
        FakeHost host;
        CanDoEffect effect (answer);

        dispatch (effect.getAeffect(), effMainsChanged, 0, 1);

        EXPECT_EQ (effect.asked, (std::vector<std::string> { "receiveVstMidiEvent" })) << answer;
        EXPECT_EQ (host.requests().size(), answer == 1 ? 1u : 0u) << answer;
    }

    FakeHost host;
    PlainEffect plain (&FakeHost::callback, 1, 1);
    dispatch (plain.getAeffect(), effMainsChanged, 0, 1);
    dispatch (plain.getAeffect(), effMainsChanged, 0, 0);
    EXPECT_TRUE (host.requests().empty());
}

//==============================================================================
// Host requests

namespace
{
struct RequestCase
{
    const char* name;
    std::function<VstIntPtr (AudioEffectX&)> call;
    HostRequest expected;
    VstIntPtr answer;
    VstIntPtr result;
};

VstIntPtr address (const void* pointer)
{
    return reinterpret_cast<VstIntPtr> (pointer);
}
} // namespace

TEST (AudioEffectXHostRequests, EachWrapperSendsItsRequestAndReadsTheAnswer)
{
    alignas (16) static char storage[64] {};
    char* text = storage;
    auto* files = fakeRecord<VstAudioFile> (storage);
    auto* task = fakeRecord<VstOfflineTask> (storage);
    auto* window = fakeRecord<VstWindow> (storage);
    auto* selector = fakeRecord<VstFileSelect> (storage);
    const VstIntPtr somewhere = address (storage + 8);
    constexpr VstIntPtr wide = VstIntPtr { 3 } << 40;

    const std::vector<RequestCase> cases {
        { "wantEvents", [] (AudioEffectX& e)
          { e.wantEvents (5); return VstIntPtr { 0 }; },
          { nullptr, 6, 0, 5, nullptr, 0.0f },
          1,
          0 },
        { "getTimeInfo", [] (AudioEffectX& e)
          { return address (e.getTimeInfo (0x2200)); },
          { nullptr, 7, 0, 0x2200, nullptr, 0.0f },
          somewhere,
          somewhere },
        { "tempoAt", [] (AudioEffectX& e)
          { return VstIntPtr { e.tempoAt (4410) }; },
          { nullptr, 10, 0, 4410, nullptr, 0.0f },
          1200000,
          1200000 },
        { "getNumAutomatableParameters", [] (AudioEffectX& e)
          { return VstIntPtr { e.getNumAutomatableParameters() }; },
          { nullptr, 11, 0, 0, nullptr, 0.0f },
          4,
          4 },
        { "getParameterQuantization", [] (AudioEffectX& e)
          { return VstIntPtr { e.getParameterQuantization() }; },
          { nullptr, 12, 0, 0, nullptr, 0.0f },
          3,
          3 },
        { "ioChanged", [] (AudioEffectX& e)
          { return VstIntPtr { e.ioChanged() }; },
          { nullptr, 13, 0, 0, nullptr, 0.0f },
          7,
          1 },
        { "needIdle", [] (AudioEffectX& e)
          { return VstIntPtr { e.needIdle() }; },
          { nullptr, 14, 0, 0, nullptr, 0.0f },
          1,
          1 },
        { "sizeWindow", [] (AudioEffectX& e)
          { return VstIntPtr { e.sizeWindow (435, 373) }; },
          { nullptr, 15, 435, 373, nullptr, 0.0f },
          1,
          1 },
        { "getInputLatency", [] (AudioEffectX& e)
          { return VstIntPtr { e.getInputLatency() }; },
          { nullptr, 18, 0, 0, nullptr, 0.0f },
          64,
          64 },
        { "getOutputLatency", [] (AudioEffectX& e)
          { return VstIntPtr { e.getOutputLatency() }; },
          { nullptr, 19, 0, 0, nullptr, 0.0f },
          -2,
          -2 },
        { "getPreviousPlug", [] (AudioEffectX& e)
          { return address (e.getPreviousPlug (3)); },
          { nullptr, 20, 0, 0, nullptr, 0.0f },
          somewhere,
          somewhere },
        { "getNextPlug", [] (AudioEffectX& e)
          { return address (e.getNextPlug (3)); },
          { nullptr, 21, 0, 0, nullptr, 0.0f },
          somewhere,
          somewhere },
        { "willProcessReplacing", [] (AudioEffectX& e)
          { return VstIntPtr { e.willProcessReplacing() }; },
          { nullptr, 22, 0, 0, nullptr, 0.0f },
          1,
          1 },
        { "getCurrentProcessLevel", [] (AudioEffectX& e)
          { return VstIntPtr { e.getCurrentProcessLevel() }; },
          { nullptr, 23, 0, 0, nullptr, 0.0f },
          kVstProcessLevelOffline,
          4 },
        { "getAutomationState", [] (AudioEffectX& e)
          { return VstIntPtr { e.getAutomationState() }; },
          { nullptr, 24, 0, 0, nullptr, 0.0f },
          2,
          2 },
        { "offlineStart", [files] (AudioEffectX& e)
          { return VstIntPtr { e.offlineStart (files, 3, 2) }; },
          { nullptr, 25, 2, 3, files, 0.0f },
          1,
          1 },
        { "offlineRead source", [task] (AudioEffectX& e)
          { return VstIntPtr { e.offlineRead (task, 7, true) }; },
          { nullptr, 26, 1, 7, task, 0.0f },
          1,
          1 },
        { "offlineRead destination", [task] (AudioEffectX& e)
          { return VstIntPtr { e.offlineRead (task, 7, false) }; },
          { nullptr, 26, 0, 7, task, 0.0f },
          0,
          0 },
        { "offlineWrite", [task] (AudioEffectX& e)
          { return VstIntPtr { e.offlineWrite (task, 9) }; },
          { nullptr, 27, 0, 9, task, 0.0f },
          1,
          1 },
        { "offlineGetCurrentPass", [] (AudioEffectX& e)
          { return VstIntPtr { e.offlineGetCurrentPass() }; },
          { nullptr, 28, 0, 0, nullptr, 0.0f },
          5,
          1 },
        { "offlineGetCurrentMetaPass", [] (AudioEffectX& e)
          { return VstIntPtr { e.offlineGetCurrentMetaPass() }; },
          { nullptr, 29, 0, 0, nullptr, 0.0f },
          5,
          1 },
        { "setOutputSamplerate", [] (AudioEffectX& e)
          { e.setOutputSamplerate (96000.0f); return VstIntPtr { 0 }; },
          { nullptr, 30, 0, 0, nullptr, 96000.0f },
          1,
          0 },
        { "getOutputSpeakerArrangement", [] (AudioEffectX& e)
          { return address (e.getOutputSpeakerArrangement()); },
          { nullptr, 31, 0, 0, nullptr, 0.0f },
          somewhere,
          somewhere },
        { "getHostVendorString", [text] (AudioEffectX& e)
          { return VstIntPtr { e.getHostVendorString (text) }; },
          { nullptr, 32, 0, 0, text, 0.0f },
          1,
          1 },
        { "getHostProductString", [text] (AudioEffectX& e)
          { return VstIntPtr { e.getHostProductString (text) }; },
          { nullptr, 33, 0, 0, text, 0.0f },
          1,
          1 },
        { "getHostVendorVersion", [] (AudioEffectX& e)
          { return VstIntPtr { e.getHostVendorVersion() }; },
          { nullptr, 34, 0, 0, nullptr, 0.0f },
          0x0101,
          0x0101 },
        { "hostVendorSpecific", [text] (AudioEffectX& e)
          { return e.hostVendorSpecific (1, wide, text, 3.5f); },
          { nullptr, 35, 1, wide, text, 3.5f },
          wide + 2,
          wide + 2 },
        { "canHostDo", [text] (AudioEffectX& e)
          { return VstIntPtr { e.canHostDo (text) }; },
          { nullptr, 37, 0, 0, text, 0.0f },
          1,
          1 },
        { "getHostLanguage", [] (AudioEffectX& e)
          { return VstIntPtr { e.getHostLanguage() }; },
          { nullptr, 38, 0, 0, nullptr, 0.0f },
          1,
          1 },
        { "openWindow", [window] (AudioEffectX& e)
          { return address (e.openWindow (window)); },
          { nullptr, 39, 0, 0, window, 0.0f },
          somewhere,
          somewhere },
        { "closeWindow", [window] (AudioEffectX& e)
          { return VstIntPtr { e.closeWindow (window) }; },
          { nullptr, 40, 0, 0, window, 0.0f },
          1,
          1 },
        { "getDirectory", [] (AudioEffectX& e)
          { return address (e.getDirectory()); },
          { nullptr, 41, 0, 0, nullptr, 0.0f },
          somewhere,
          somewhere },
        { "updateDisplay", [] (AudioEffectX& e)
          { return VstIntPtr { e.updateDisplay() }; },
          { nullptr, 42, 0, 0, nullptr, 0.0f },
          1,
          1 },
        { "beginEdit", [] (AudioEffectX& e)
          { return VstIntPtr { e.beginEdit (2) }; },
          { nullptr, 43, 2, 0, nullptr, 0.0f },
          1,
          1 },
        { "endEdit", [] (AudioEffectX& e)
          { return VstIntPtr { e.endEdit (2) }; },
          { nullptr, 44, 2, 0, nullptr, 0.0f },
          1,
          1 },
        { "openFileSelector", [selector] (AudioEffectX& e)
          { return VstIntPtr { e.openFileSelector (selector) }; },
          { nullptr, 45, 0, 0, selector, 0.0f },
          1,
          1 },
        { "closeFileSelector", [selector] (AudioEffectX& e)
          { return VstIntPtr { e.closeFileSelector (selector) }; },
          { nullptr, 46, 0, 0, selector, 0.0f },
          1,
          1 },
        { "getChunkFile", [text] (AudioEffectX& e)
          { return VstIntPtr { e.getChunkFile (text) }; },
          { nullptr, 48, 0, 0, text, 0.0f },
          1,
          1 },
        { "getInputSpeakerArrangement", [] (AudioEffectX& e)
          { return address (e.getInputSpeakerArrangement()); },
          { nullptr, 49, 0, 0, nullptr, 0.0f },
          somewhere,
          somewhere },
    };

    for (const auto& c : cases)
    {
        FakeHost host;
        PlainEffect effect (&FakeHost::callback, 1, 1);
        host.setAnswer (c.expected.opcode, c.answer);

        EXPECT_EQ (c.call (effect), c.result) << c.name;

        ASSERT_EQ (host.requests().size(), 1u) << c.name;
        const auto& sent = host.requests()[0];
        EXPECT_EQ (sent.effect, effect.getAeffect()) << c.name;
        EXPECT_EQ (sent.opcode, c.expected.opcode) << c.name;
        EXPECT_EQ (sent.index, c.expected.index) << c.name;
        EXPECT_EQ (sent.value, c.expected.value) << c.name;
        EXPECT_EQ (sent.ptr, c.expected.ptr) << c.name;
        EXPECT_EQ (sent.opt, c.expected.opt) << c.name;

        // A host answering 0, and no host at all, give the empty answer.
        host.setAnswer (c.expected.opcode, 0);
        EXPECT_EQ (c.call (effect), 0) << c.name;

        PlainEffect alone (nullptr, 1, 1);
        EXPECT_EQ (c.call (alone), 0) << c.name;
    }
}

TEST (AudioEffectXHostRequests, OnlyAPositiveCanDoAnswerIsAYes)
{
    FakeHost host;
    PlainEffect effect (&FakeHost::callback, 1, 1);
    char request[] = "sizeWindow";

    for (const auto& [answer, expected] : std::vector<std::pair<VstIntPtr, VstInt32>> { { 1, 1 }, { 5, 1 }, { 0, 0 }, { -1, 0 }, { std::numeric_limits<VstIntPtr>::min(), 0 } })
    {
        host.setAnswer (audioMasterCanDo, answer);
        EXPECT_EQ (effect.canHostDo (request), expected) << answer;
    }

    host.clear();
    EXPECT_EQ (effect.canHostDo (nullptr), 0);
    EXPECT_TRUE (host.requests().empty());
}

TEST (AudioEffectXHostRequests, NullRecordsAndTextsAreNotSentToTheHost)
{
    FakeHost host;
    PlainEffect effect (&FakeHost::callback, 1, 1);
    host.setAnswer (audioMasterOpenFileSelector, 1);
    host.setAnswer (audioMasterCloseFileSelector, 1);
    host.setAnswer (audioMasterGetChunkFile, 1);
    host.setAnswer (audioMasterGetVendorString, 1);
    host.setAnswer (audioMasterGetProductString, 1);

    EXPECT_FALSE (effect.openFileSelector (nullptr));
    EXPECT_FALSE (effect.closeFileSelector (nullptr));
    EXPECT_FALSE (effect.getChunkFile (nullptr));
    EXPECT_FALSE (effect.getHostVendorString (nullptr));
    EXPECT_FALSE (effect.getHostProductString (nullptr));
    EXPECT_TRUE (host.requests().empty());
}

TEST (AudioEffectXHostRequests, UpdateSampleRateKeepsOnlyPositiveAnswers)
{
    FakeHost host;
    PlainEffect effect (&FakeHost::callback, 1, 1);

    EXPECT_EQ (effect.updateSampleRate(), 44100.0);
    host.setAnswer (audioMasterGetSampleRate, -1);
    EXPECT_EQ (effect.updateSampleRate(), 44100.0);
    host.setAnswer (audioMasterGetSampleRate, 48000);
    EXPECT_EQ (effect.updateSampleRate(), 48000.0);
    EXPECT_EQ (effect.storedSampleRate(), 48000.0f);
    host.setAnswer (audioMasterGetSampleRate, 0);
    EXPECT_EQ (effect.updateSampleRate(), 48000.0);
    EXPECT_EQ (host.opcodes(), (std::vector<VstInt32> (4, audioMasterGetSampleRate)));

    PlainEffect alone (nullptr, 1, 1);
    EXPECT_EQ (alone.updateSampleRate(), 44100.0);
}

TEST (AudioEffectXHostRequests, UpdateBlockSizeKeepsOnlyPositiveAnswers)
{
    FakeHost host;
    PlainEffect effect (&FakeHost::callback, 1, 1);

    EXPECT_EQ (effect.updateBlockSize(), 1024);
    host.setAnswer (audioMasterGetBlockSize, 512);
    EXPECT_EQ (effect.updateBlockSize(), 512);
    host.setAnswer (audioMasterGetBlockSize, -64);
    EXPECT_EQ (effect.updateBlockSize(), 512);
    host.setAnswer (audioMasterGetBlockSize, VstIntPtr { 1 } << 32);
    EXPECT_EQ (effect.updateBlockSize(), 512);
    EXPECT_EQ (effect.storedBlockSize(), 512);

    PlainEffect alone (nullptr, 1, 1);
    EXPECT_EQ (alone.updateBlockSize(), 1024);
}

TEST (AudioEffectXHostRequests, ABridgeReachesTheCallbackAndTheRecordItself)
{
    // What a format bridge does when its processor reports a parameter change.
    FakeHost host;
    PlainEffect effect (&FakeHost::callback, 1, 4);
    auto& record = effect.record();
    record.flags |= effFlagsHasEditor;

    effect.hostCallback() (&record, audioMasterAutomate, 3, 0, nullptr, 0.25f);
    effect.askHost (audioMasterIdle, 0, 0, nullptr, 0.0f);

    ASSERT_EQ (host.requests().size(), 2u);
    EXPECT_EQ (host.requests()[0].effect, effect.getAeffect());
    EXPECT_EQ (host.requests()[0].index, 3);
    EXPECT_EQ (host.requests()[0].opt, 0.25f);
    EXPECT_EQ (host.requests()[1].opcode, audioMasterIdle);
}

//==============================================================================
// Speaker arrangements

namespace
{
class ArrangementEffect : public PlainEffect
{
public:
    ArrangementEffect()
        : PlainEffect (nullptr, 1, 1)
    {
    }

    void* allocateArrangementBlock (std::size_t byteSize) override
    {
        requestedSizes.push_back (byteSize);
        return failAllocations ? nullptr : PlainEffect::allocateArrangementBlock (byteSize);
    }

    std::vector<std::size_t> requestedSizes;
    bool failAllocations = false;
};

bool allBytesZero (const void* block, std::size_t size)
{
    const auto* bytes = static_cast<const unsigned char*> (block);

    for (std::size_t i = 0; i < size; ++i)
        if (bytes[i] != 0)
            return false;

    return true;
}

bool isFreed (const void* block)
{
#if QUORVEL_TEST_ASAN
    return __asan_address_is_poisoned (block) != 0;
#else
    (void) block;
    return true;
#endif
}

VstSpeakerArrangement* makeSource (ArrangementEffect& effect, VstInt32 channels, VstInt32 type)
{
    VstSpeakerArrangement* source = nullptr;
    EXPECT_TRUE (effect.allocateArrangement (&source, channels));
    source->type = type;

    for (VstInt32 i = 0; i < channels; ++i)
    {
        auto& speaker = source->speakers()[i];
        speaker.azimuth = static_cast<float> (i) * 0.5f;
        speaker.elevation = -0.25f;
        speaker.radius = 1.0f + static_cast<float> (i);
        speaker.reserved = 0.125f;
        std::snprintf (speaker.name, sizeof (speaker.name), "Speaker %d", static_cast<int> (i));
        speaker.type = 10 + i;
        std::memset (speaker.future, 0x40 + i, sizeof (speaker.future));
    }

    return source;
}
} // namespace

TEST (AudioEffectXArrangements, AllocateMakesAZeroedBlockOfTheRightSizeAndFreesTheOldOne)
{
    ArrangementEffect effect;
    VstSpeakerArrangement* arrangement = nullptr;

    ASSERT_TRUE (effect.allocateArrangement (&arrangement, 3));
    const void* first = arrangement;

    ASSERT_TRUE (effect.allocateArrangement (&arrangement, 2));
    EXPECT_EQ (effect.requestedSizes, (std::vector<std::size_t> { 344, 232 }));
    EXPECT_TRUE (isFreed (first));
    EXPECT_EQ (arrangement->numChannels, 2);
    EXPECT_EQ (arrangement->type, 0);
    EXPECT_TRUE (allBytesZero (arrangement->speakers(), 2 * sizeof (VstSpeakerProperties)));

    ASSERT_TRUE (effect.allocateArrangement (&arrangement, 0));
    EXPECT_EQ (effect.requestedSizes.back(), 8u);
    EXPECT_EQ (arrangement->numChannels, 0);

    const void* last = arrangement;
    EXPECT_TRUE (effect.deallocateArrangement (&arrangement));
    EXPECT_EQ (arrangement, nullptr);
    EXPECT_TRUE (isFreed (last));
    EXPECT_TRUE (effect.deallocateArrangement (&arrangement));
    EXPECT_TRUE (effect.deallocateArrangement (nullptr));
}

TEST (AudioEffectXArrangements, DamagedCountsAreRefusedAndLeaveTheArrangementAlone)
{
    ArrangementEffect effect;
    VstSpeakerArrangement* arrangement = makeSource (effect, 2, 5);
    effect.requestedSizes.clear();

    // 38347923 speakers need 4294967384 bytes, which 32-bit arithmetic would wrap to 88.
    static_assert (VstSpeakerArrangement::byteSize (38347923) == 4294967384ull);
    static_assert (VstSpeakerArrangement::byteSize (std::numeric_limits<VstInt32>::max()) == 240518168472ull);

    for (const VstInt32 channels : { -1, std::numeric_limits<VstInt32>::min(), AudioEffectX::maxArrangementChannels + 1, 38347923, std::numeric_limits<VstInt32>::max() })
    {
        EXPECT_FALSE (effect.allocateArrangement (&arrangement, channels)) << channels;
        ASSERT_NE (arrangement, nullptr);
        EXPECT_EQ (arrangement->numChannels, 2);
        EXPECT_EQ (arrangement->type, 5);
    }

    EXPECT_TRUE (effect.requestedSizes.empty());
    EXPECT_FALSE (effect.allocateArrangement (nullptr, 2));

    ASSERT_TRUE (effect.allocateArrangement (&arrangement, AudioEffectX::maxArrangementChannels));
    EXPECT_EQ (effect.requestedSizes.back(), 8u + 112u * 4096u);
    effect.deallocateArrangement (&arrangement);
}

TEST (AudioEffectXArrangements, AnAllocationFailureIsReportedAndKeepsTheOldBlock)
{
    ArrangementEffect effect;
    VstSpeakerArrangement* arrangement = makeSource (effect, 2, 7);
    effect.failAllocations = true;

    EXPECT_FALSE (effect.allocateArrangement (&arrangement, 4));
    ASSERT_NE (arrangement, nullptr);
    EXPECT_EQ (arrangement->numChannels, 2);
    EXPECT_STREQ (arrangement->speakers()[1].name, "Speaker 1");

    VstSpeakerArrangement* copy = nullptr;
    EXPECT_FALSE (effect.matchArrangement (&copy, arrangement));
    EXPECT_EQ (copy, nullptr);

    effect.failAllocations = false;
    effect.deallocateArrangement (&arrangement);
}

TEST (AudioEffectXArrangements, CopySpeakerCopiesEveryFieldAndAtMost63NameCharacters)
{
    ArrangementEffect effect;
    VstSpeakerProperties from {};
    from.azimuth = 1.0f;
    from.elevation = 2.0f;
    from.radius = 3.0f;
    from.reserved = 4.0f;
    std::memset (from.name, 'a', sizeof (from.name)); // 64 characters, no terminator
    from.type = 5;
    std::memset (from.future, 0x11, sizeof (from.future));

    VstSpeakerProperties to;
    std::memset (&to, 0xff, sizeof (to));

    EXPECT_TRUE (effect.copySpeaker (&to, &from));
    EXPECT_EQ (to.azimuth, 1.0f);
    EXPECT_EQ (to.elevation, 2.0f);
    EXPECT_EQ (to.radius, 3.0f);
    EXPECT_EQ (to.reserved, 4.0f);
    EXPECT_EQ (std::string (to.name), std::string (63, 'a'));
    EXPECT_EQ (to.name[63], 0);
    EXPECT_EQ (to.type, 5);
    EXPECT_EQ (std::memcmp (to.future, from.future, sizeof (to.future)), 0);

    EXPECT_FALSE (effect.copySpeaker (nullptr, &from));
    EXPECT_FALSE (effect.copySpeaker (&to, nullptr));
    EXPECT_TRUE (effect.copySpeaker (&to, &to));
}

TEST (AudioEffectXArrangements, MatchArrangementCopiesTypeAndEverySpeaker)
{
    ArrangementEffect effect;
    VstSpeakerArrangement* source = makeSource (effect, 3, 9);
    VstSpeakerArrangement* copy = makeSource (effect, 1, 1);
    const void* previous = copy;
    effect.requestedSizes.clear();

    ASSERT_TRUE (effect.matchArrangement (&copy, source));
    EXPECT_TRUE (isFreed (previous));
    EXPECT_EQ (effect.requestedSizes, (std::vector<std::size_t> { 344 }));
    EXPECT_EQ (copy->type, 9);
    ASSERT_EQ (copy->numChannels, 3);
    EXPECT_EQ (std::memcmp (copy->speakers(), source->speakers(), 3 * sizeof (VstSpeakerProperties)), 0);

    effect.deallocateArrangement (&source);
    effect.deallocateArrangement (&copy);
}

TEST (AudioEffectXArrangements, MatchArrangementEdgeCases)
{
    ArrangementEffect effect;

    VstSpeakerArrangement empty {};
    empty.type = 4;
    VstSpeakerArrangement* copy = nullptr;
    ASSERT_TRUE (effect.matchArrangement (&copy, &empty));
    EXPECT_EQ (effect.requestedSizes, (std::vector<std::size_t> { 8 }));
    EXPECT_EQ (copy->type, 4);
    EXPECT_EQ (copy->numChannels, 0);

    EXPECT_FALSE (effect.matchArrangement (&copy, nullptr));
    EXPECT_NE (copy, nullptr);
    EXPECT_FALSE (effect.matchArrangement (nullptr, &empty));

    // Matching an arrangement onto itself must not free it on the way.
    VstSpeakerArrangement* self = makeSource (effect, 2, 3);
    EXPECT_TRUE (effect.matchArrangement (&self, self));
    EXPECT_EQ (self->numChannels, 2);
    EXPECT_STREQ (self->speakers()[1].name, "Speaker 1");

    // A damaged source count is refused.
    VstSpeakerArrangement damaged {};
    damaged.numChannels = -3;
    EXPECT_FALSE (effect.matchArrangement (&copy, &damaged));
    damaged.numChannels = AudioEffectX::maxArrangementChannels + 1;
    EXPECT_FALSE (effect.matchArrangement (&copy, &damaged));

    effect.deallocateArrangement (&copy);
    effect.deallocateArrangement (&self);
}
