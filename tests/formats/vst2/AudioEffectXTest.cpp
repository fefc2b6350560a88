#include "TestEffects.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <map>

using namespace quorvel::test;

namespace
{
constexpr float notANumber = std::numeric_limits<float>::quiet_NaN();
constexpr VstIntPtr above32Bits = VstIntPtr { 1 } << 32;

template <typename Record>
Record* as (char* block)
{
    return reinterpret_cast<Record*> (block);
}
} // namespace

//==============================================================================
TEST (AudioEffectXDispatcher, ExtendedOpcodesReachTheirOperation)
{
    // One input and two outputs, three programs and four parameters.
    std::vector<OpcodeRow> rows {
        { 25, 0, 0, blockA, 0.0f, "processEvents(A)", -3 },
        { 26, 0, 0, nullptr, 0.0f, "canParameterBeAutomated(0)", 1 },
        { 26, parameterCount - 1, 0, nullptr, 0.0f, "canParameterBeAutomated(3)", 1 },
        { 27, 3, 0, blockA, 0.0f, "string2parameter(3,A)", 1 },
        { 29, 0, 7, blockA, 0.0f, "getProgramNameIndexed(7,0,A)", 1 },
        { 29, programCount - 1, above32Bits | 7, blockA, 0.0f, "getProgramNameIndexed(7,2,A)", 1 },
        { 33, 0, 0, blockA, 0.0f, "getInputProperties(0,A)", 1 },
        { 34, 0, 0, blockA, 0.0f, "getOutputProperties(0,A)", 1 },
        { 34, 1, 0, blockA, 0.0f, "getOutputProperties(1,A)", 1 },
        { 35, 0, 0, nullptr, 0.0f, "getPlugCategory()", -3 },
        { 38, 1, 5, blockA, 0.0f, "offlineNotify(A,5,1)", 1 },
        { 38, 0, above32Bits | 2, blockA, 0.0f, "offlineNotify(A,2,0)", 1 },
        { 39, 0, 3, blockA, 0.0f, "offlinePrepare(A,3)", 1 },
        { 40, 0, 4, blockA, 0.0f, "offlineRun(A,4)", 1 },
        { 41, 0, 0, blockA, 0.0f, "processVariableIo(A)", 1 },
        { 42, 0, address (blockB), blockA, 0.0f, "setSpeakerArrangement(B,A)", 1 },
        { 44, 0, 2, nullptr, 0.0f, "setBypass(1)", 1 },
        { 44, 0, 0, nullptr, 0.0f, "setBypass(0)", 1 },
        { 45, 0, 0, blockA, 0.0f, "getEffectName(A)", 1 },
        { 47, 0, 0, blockA, 0.0f, "getVendorString(A)", 1 },
        { 48, 0, 0, blockA, 0.0f, "getProductString(A)", 1 },
        { 49, 0, 0, nullptr, 0.0f, "getVendorVersion()", -3 },
        { 50, 3, VstIntPtr { 1 } << 40, blockA, 0.5f, "vendorSpecific(3,1099511627776,A,0.5)", rowAnswer },
        { 50, -1, -2, nullptr, 0.0f, "vendorSpecific(-1,-2,null,0)", rowAnswer },
        { 51, 0, 0, blockA, 0.0f, "canDo(A)", -3 },
        { 52, 0, 0, nullptr, 0.0f, "getGetTailSize()", -3 },
        { 56, 0, 0, blockA, 0.0f, "getParameterProperties(0,A)", 1 },
        { 58, 0, 0, nullptr, 0.0f, "getVstVersion()", -3 },
        // The key code: character from index, virt the low byte of value, modifier the low
        // byte of opt truncated toward zero, 0 when no integer can hold opt.
        { 59, 65, 3, nullptr, 2.7f, "editor.onKeyDown(65,3,2)", 1 },
        { 60, 66, 0x1234, nullptr, 300.9f, "editor.onKeyUp(66,52,44)", 1 },
        { 59, 1, 1, nullptr, -1.5f, "editor.onKeyDown(1,1,255)", 1 },
        { 59, 1, 1, nullptr, notANumber, "editor.onKeyDown(1,1,0)", 1 },
        { 59, 1, 1, nullptr, std::numeric_limits<float>::infinity(), "editor.onKeyDown(1,1,0)", 1 },
        { 59, 1, 1, nullptr, -1.0e20f, "editor.onKeyDown(1,1,0)", 1 },
        { 60, 1, 1, nullptr, 3.0e9f, "editor.onKeyUp(1,1,0)", 1 },
        { 61, 0, above32Bits | 2, nullptr, 0.0f, "editor.setKnobMode(2)", 1 },
        { 62, 9, 0, blockA, 0.0f, "getMidiProgramName(9,A)", -3 },
        { 63, 9, 0, blockA, 0.0f, "getCurrentMidiProgram(9,A)", -3 },
        { 64, 2, 0, blockA, 0.0f, "getMidiProgramCategory(2,A)", -3 },
        { 65, 2, 0, nullptr, 0.0f, "hasMidiProgramsChanged(2)", 1 },
        { 66, 15, 0, blockA, 0.0f, "getMidiKeyName(15,A)", 1 },
        { 67, 0, 0, nullptr, 0.0f, "beginSetProgram()", 1 },
        { 68, 0, 0, nullptr, 0.0f, "endSetProgram()", 1 },
        { 69, 0, address (blockB), blockA, 0.0f, "getSpeakerArrangement(B,A)", 1 },
        { 70, 0, 0, blockA, 0.0f, "getNextShellPlugin(A)", -3 },
        { 71, 0, 0, nullptr, 0.0f, "startProcess()", -3 },
        { 72, 0, 0, nullptr, 0.0f, "stopProcess()", -3 },
        { 73, 0, above32Bits | 512, nullptr, 0.0f, "setTotalSampleToProcess(512)", -3 },
        { 74, 0, above32Bits | 1, nullptr, 0.5f, "setPanLaw(1,0.5)", 1 },
        { 75, 0, 0, blockA, 0.0f, "beginLoadBank(A)", -3 },
        { 76, 0, 0, blockA, 0.0f, "beginLoadProgram(A)", -3 },
        { 77, 0, above32Bits | 1, nullptr, 0.0f, "setProcessPrecision(1)", 1 },
        { 78, 0, 0, nullptr, 0.0f, "getNumMidiInputChannels()", -3 },
        { 79, 0, 0, nullptr, 0.0f, "getNumMidiOutputChannels()", -3 },

        // Refused: indices of no parameter, program or pin; a missing record address.
        { 42, 0, 0, blockA, 0.0f, "", 0 },
        { 42, 0, address (blockB), nullptr, 0.0f, "", 0 },
        { 69, 0, 0, blockA, 0.0f, "", 0 },
        { 69, 0, address (blockB), nullptr, 0.0f, "", 0 },
        { 33, 1, 0, blockA, 0.0f, "", 0 },
        { 34, 2, 0, blockA, 0.0f, "", 0 },
    };

    for (const VstInt32 opcode : { 26, 27, 56 })
        for (const VstInt32 index : { -1, parameterCount })
            rows.push_back ({ opcode, index, 0, blockA, 0.0f, "", 0 });

    for (const VstInt32 index : { -1, programCount })
        rows.push_back ({ 29, index, 7, blockA, 0.0f, "", 0 });

    for (const VstInt32 opcode : { 33, 34 })
        rows.push_back ({ opcode, -1, 0, blockA, 0.0f, "", 0 });

    for (const VstInt32 opcode : { 25, 27, 29, 33, 34, 38, 39, 40, 41, 45, 47, 48, 51, 56, 62, 63, 64, 66, 70, 75, 76 })
        rows.push_back ({ opcode, 0, 1, nullptr, 0.0f, "", 0 });

    // Passed on to the lower base, which answers none of them.
    for (const VstInt32 opcode : { 28, 30, 31, 32, 36, 37, 43, 46, 53, 54, 55, 57, -1, std::numeric_limits<VstInt32>::min(), std::numeric_limits<VstInt32>::max() })
        rows.push_back ({ opcode, 1, 512, blockA, 48000.0f, "", 0 });

    for (VstInt32 opcode = 80; opcode <= 200; ++opcode)
        rows.push_back ({ opcode, 1, 1, blockA, 1.0f, "", 0 });

    expectOpcodeRows (rows);
}

TEST (AudioEffectXDispatcher, EditorOpcodesAnswerZeroWithoutAnEditor)
{
    expectOpcodeRows ({
                          { 13, 0, 0, blockA, 0.0f, "", 0 },
                          { 14, 0, 0, blockA, 0.0f, "", 0 },
                          { 15, 0, 0, nullptr, 0.0f, "", 0 },
                          { 19, 0, 0, nullptr, 0.0f, "", 0 },
                          { 59, 65, 3, nullptr, 2.7f, "", 0 },
                          { 60, 65, 3, nullptr, 2.7f, "", 0 },
                          { 61, 0, 2, nullptr, 0.0f, "", 0 },
                      },
                      false);
}

//==============================================================================
TEST (AudioEffectXDefaults, EveryOpcodeGivesTheBasesAnswer)
{
    // Opcodes not listed answer 0. The texts come back empty, for a foreign parameter too;
    // the chunk and arrangement requests clear the pointers they were handed.
    FakeHost host;
    auto* effect = new PlainEffect (&FakeHost::callback, programCount, parameterCount);

    for (const VstInt32 index : { 0, parameterCount })
        for (VstInt32 opcode = -1; opcode <= 130; ++opcode)
        {
            if (opcode == effClose)
                continue;

            const std::map<VstInt32, VstIntPtr> answers { { 22, 0x4E764566 }, { 26, index == 0 ? 1 : 0 }, { 58, 2400 }, { 63, -1 }, { 73, 7 } };
            std::memset (blockA, '~', sizeof (blockA));
            std::memset (blockB, '~', sizeof (blockB));
            const auto found = answers.find (opcode);
            const auto value = opcode == 69 ? address (blockB) : 7;
            EXPECT_EQ (dispatch (effect->getAeffect(), opcode, index, value, blockA), found != answers.end() ? found->second : 0) << opcode;

            const auto cleared = opcode == 23 || opcode == 69 ? 8 : opcode >= 5 && opcode <= 8 ? 1
                                                                                               : 0;
            EXPECT_EQ (std::count (blockA, blockA + cleared, 0), cleared) << opcode;
            EXPECT_EQ (std::count (blockA, blockA + sizeof (blockA), '~'), static_cast<long> (sizeof (blockA)) - cleared) << opcode;
            EXPECT_EQ (std::count (blockB, blockB + 8, 0), opcode == 69 ? 8 : 0) << opcode;
        }

    // What the sweep stored: block size 7 (opcode 11), and no rate of 0 or program 7.
    EXPECT_EQ (effect->getBlockSize(), 7);
    EXPECT_EQ (effect->getSampleRate(), 44100.0f);
    dispatch (effect->getAeffect(), effSetProgram, 0, 2);
    dispatch (effect->getAeffect(), effSetSampleRate, 0, 0, nullptr, 96000.0f);
    EXPECT_EQ (dispatch (effect->getAeffect(), effGetProgram), 2);
    EXPECT_EQ (effect->getSampleRate(), 96000.0f);

    effect->isSynth (true);
    EXPECT_EQ (dispatch (effect->getAeffect(), effGetPlugCategory), 2);
    effect->isSynth (false);
    EXPECT_EQ (dispatch (effect->getAeffect(), effGetPlugCategory), 0);

    EXPECT_TRUE (host.requests.empty());
    EXPECT_EQ (dispatch (effect->getAeffect(), effClose), 1);
}

TEST (AudioEffectXDefaults, OperationsNoOpcodeReaches)
{
    // No host reaches these, but a bridge may call them.
    PlainEffect effect (nullptr, 1, 1);
    const std::vector<VstIntPtr> answers { effect.getNumCategories(), effect.copyProgram (0), effect.reportCurrentPosition(), address (effect.reportDestinationBuffer()), effect.getErrorText (blockA), address (effect.getIcon()), effect.setViewPosition (1, 2), effect.fxIdle(), effect.keysRequired(), effect.offlineGetNumPasses(), effect.offlineGetNumMetaPasses(), static_cast<VstIntPtr> (effect.getVu()) };
    EXPECT_EQ (answers, (std::vector<VstIntPtr> { 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 }));

    effect.setBlockSizeAndSampleRate (64, 22050.0f);
    EXPECT_EQ (effect.getBlockSize(), 64);
    EXPECT_EQ (effect.getSampleRate(), 22050.0f);
}

//==============================================================================
TEST (AudioEffectXResume, AsksForEventsWhenASynthOrWhenCanDoAnswersExactlyOne)
{
    struct Row
    {
        bool synth;
        VstIntPtr canDoAnswer;
        bool asksCanDo;
        bool wantsEvents;
    };

    for (const auto& row : std::vector<Row> {
             { true, 0, false, true },
             { false, 1, true, true },
             { false, 2, true, false },
             { false, 0, true, false },
             { false, -1, true, false },
         })
    {
        FakeHost host;
        RecordingEffect effect (&FakeHost::callback, 1, 1);
        effect.isSynth (row.synth);
        effect.answer = row.canDoAnswer;
        dispatch (effect.getAeffect(), effMainsChanged, 0, 1);

        EXPECT_EQ (effect.calls, row.asksCanDo ? std::vector<std::string> { "canDo(\"receiveVstMidiEvent\")" } : std::vector<std::string>());
        EXPECT_EQ (host.requests, row.wantsEvents ? std::vector<std::string> { "6(0,1,null,0)" } : std::vector<std::string>());
    }
}

//==============================================================================
// Host requests

namespace
{
using Wrapper = std::function<VstIntPtr (AudioEffectX&)>;

/** Calls a host-request wrapper with the given arguments; its result as a pointer-sized number. */
template <typename Result, typename Class, typename... Parameters, typename... Arguments>
Wrapper wrapper (Result (Class::*operation) (Parameters...), Arguments... arguments)
{
    return [=] (AudioEffectX& effect)
    {
        if constexpr (std::is_void_v<Result>)
            return (effect.*operation) (arguments...), VstIntPtr { 0 };
        else if constexpr (std::is_pointer_v<Result>)
            return address ((effect.*operation) (arguments...));
        else
            return static_cast<VstIntPtr> ((effect.*operation) (arguments...));
    };
}

/** One wrapper call: the request the host gets ("" for none) and the wrapper's result when
    the host gives `answer`, when it gives 0, and when there is no host callback. */
struct RequestRow
{
    Wrapper call;
    std::string request;
    VstIntPtr answer;
    VstIntPtr result;
    VstIntPtr whenZero = 0;
    VstIntPtr withoutHost = 0;
    std::string effectCall = "";
};
} // namespace

TEST (AudioEffectXHostRequests, EachWrapperSendsItsRequestAndReadsTheAnswer)
{
    constexpr VstIntPtr wide = VstIntPtr { 3 } << 40;
    const VstIntPtr somewhere = address (blockB);

    const std::vector<RequestRow> rows {
        { wrapper (&AudioEffect::setParameterAutomated, 2, 0.5f), "0(2,0,null,0.5)", 1, 0, 0, 0, "setParameter(2,0.5)" },
        { wrapper (&AudioEffect::getMasterVersion), "1(0,0,null,0)", 2400, 2400, 1, 1 },
        { wrapper (&AudioEffect::getMasterVersion), "1(0,0,null,0)", above32Bits, 1, 1, 1 },
        { wrapper (&AudioEffect::getCurrentUniqueId), "2(0,0,null,0)", 0x41424344, 0x41424344 },
        { wrapper (&AudioEffect::masterIdle), "3(0,0,null,0)", 1, 0 },
        { wrapper (&AudioEffect::isInputConnected, 3), "4(3,0,null,0)", 1, 0, 1, 1 },
        { wrapper (&AudioEffect::isOutputConnected, 5), "4(5,1,null,0)", 1, 0, 1, 1 },
        { wrapper (&AudioEffect::isOutputConnected, 5), "4(5,1,null,0)", above32Bits, 1, 1, 1 },
        { wrapper (&AudioEffectX::wantEvents, 5), "6(0,5,null,0)", 1, 0 },
        { wrapper (&AudioEffectX::getTimeInfo, 0x2200), "7(0,8704,null,0)", somewhere, somewhere },
        { wrapper (&AudioEffectX::tempoAt, 4410), "10(0,4410,null,0)", 1200000, 1200000 },
        { wrapper (&AudioEffectX::getNumAutomatableParameters), "11(0,0,null,0)", 4, 4 },
        { wrapper (&AudioEffectX::getParameterQuantization), "12(0,0,null,0)", 3, 3 },
        { wrapper (&AudioEffectX::ioChanged), "13(0,0,null,0)", 7, 1 },
        { wrapper (&AudioEffectX::needIdle), "14(0,0,null,0)", 1, 1 },
        { wrapper (&AudioEffectX::sizeWindow, 435, 373), "15(435,373,null,0)", 1, 1 },
        { wrapper (&AudioEffectX::updateSampleRate), "16(0,0,null,0)", 48000, 48000, 44100, 44100 },
        { wrapper (&AudioEffectX::updateSampleRate), "16(0,0,null,0)", -1, 44100, 44100, 44100 },
        { wrapper (&AudioEffectX::updateBlockSize), "17(0,0,null,0)", above32Bits + 512, 512, 1024, 1024 },
        { wrapper (&AudioEffectX::updateBlockSize), "17(0,0,null,0)", -64, 1024, 1024, 1024 },
        { wrapper (&AudioEffectX::updateBlockSize), "17(0,0,null,0)", above32Bits, 1024, 1024, 1024 },
        { wrapper (&AudioEffectX::getInputLatency), "18(0,0,null,0)", 64, 64 },
        { wrapper (&AudioEffectX::getOutputLatency), "19(0,0,null,0)", -2, -2 },
        { wrapper (&AudioEffectX::getPreviousPlug, 3), "20(0,0,null,0)", somewhere, somewhere },
        { wrapper (&AudioEffectX::getNextPlug, 3), "21(0,0,null,0)", somewhere, somewhere },
        { wrapper (&AudioEffectX::willProcessReplacing), "22(0,0,null,0)", 1, 1 },
        { wrapper (&AudioEffectX::getCurrentProcessLevel), "23(0,0,null,0)", 4, 4 },
        { wrapper (&AudioEffectX::getAutomationState), "24(0,0,null,0)", 2, 2 },
        { wrapper (&AudioEffectX::offlineStart, as<VstAudioFile> (blockA), 3, 2), "25(2,3,A,0)", 1, 1 },
        { wrapper (&AudioEffectX::offlineRead, as<VstOfflineTask> (blockA), 7, true), "26(1,7,A,0)", 1, 1 },
        { wrapper (&AudioEffectX::offlineRead, as<VstOfflineTask> (blockA), 7, false), "26(0,7,A,0)", 1, 1 },
        { wrapper (&AudioEffectX::offlineWrite, as<VstOfflineTask> (blockA), 9), "27(0,9,A,0)", 1, 1 },
        { wrapper (&AudioEffectX::offlineGetCurrentPass), "28(0,0,null,0)", 5, 1 },
        { wrapper (&AudioEffectX::offlineGetCurrentMetaPass), "29(0,0,null,0)", 5, 1 },
        { wrapper (&AudioEffectX::setOutputSamplerate, 96000.0f), "30(0,0,null,96000)", 1, 0 },
        { wrapper (&AudioEffectX::getOutputSpeakerArrangement), "31(0,0,null,0)", somewhere, somewhere },
        { wrapper (&AudioEffectX::getHostVendorString, blockA), "32(0,0,A,0)", 1, 1 },
        { wrapper (&AudioEffectX::getHostProductString, blockA), "33(0,0,A,0)", 1, 1 },
        { wrapper (&AudioEffectX::getHostVendorVersion), "34(0,0,null,0)", 0x0101, 0x0101 },
        { wrapper (&AudioEffectX::hostVendorSpecific, 1, wide, blockA, 3.5f), "35(1,3298534883328,A,3.5)", wide + 2, wide + 2 },
        { wrapper (&AudioEffectX::canHostDo, blockA), "37(0,0,A,0)", 5, 1 },
        { wrapper (&AudioEffectX::canHostDo, blockA), "37(0,0,A,0)", -1, 0 },
        { wrapper (&AudioEffectX::canHostDo, blockA), "37(0,0,A,0)", std::numeric_limits<VstIntPtr>::min(), 0 },
        { wrapper (&AudioEffectX::getHostLanguage), "38(0,0,null,0)", 1, 1 },
        { wrapper (&AudioEffectX::openWindow, as<VstWindow> (blockA)), "39(0,0,A,0)", somewhere, somewhere },
        { wrapper (&AudioEffectX::closeWindow, as<VstWindow> (blockA)), "40(0,0,A,0)", 1, 1 },
        { wrapper (&AudioEffectX::getDirectory), "41(0,0,null,0)", somewhere, somewhere },
        { wrapper (&AudioEffectX::updateDisplay), "42(0,0,null,0)", 1, 1 },
        { wrapper (&AudioEffectX::beginEdit, 2), "43(2,0,null,0)", 1, 1 },
        { wrapper (&AudioEffectX::endEdit, 2), "44(2,0,null,0)", 1, 1 },
        { wrapper (&AudioEffectX::openFileSelector, as<VstFileSelect> (blockA)), "45(0,0,A,0)", 1, 1 },
        { wrapper (&AudioEffectX::closeFileSelector, as<VstFileSelect> (blockA)), "46(0,0,A,0)", 1, 1 },
        { wrapper (&AudioEffectX::getChunkFile, blockA), "48(0,0,A,0)", 1, 1 },
        { wrapper (&AudioEffectX::getInputSpeakerArrangement), "49(0,0,null,0)", somewhere, somewhere },

        // A null text or record is refused without asking the host.
        { wrapper (&AudioEffectX::canHostDo, nullptr), "", 1, 0 },
        { wrapper (&AudioEffectX::getHostVendorString, nullptr), "", 1, 0 },
        { wrapper (&AudioEffectX::getHostProductString, nullptr), "", 1, 0 },
        { wrapper (&AudioEffectX::openFileSelector, nullptr), "", 1, 0 },
        { wrapper (&AudioEffectX::closeFileSelector, nullptr), "", 1, 0 },
        { wrapper (&AudioEffectX::getChunkFile, nullptr), "", 1, 0 },
    };

    for (const auto& row : rows)
    {
        const auto requests = row.request.empty() ? std::vector<std::string>() : std::vector<std::string> { row.request };
        const auto calls = row.effectCall.empty() ? std::vector<std::string>() : std::vector<std::string> { row.effectCall };

        for (const auto answer : { row.answer, VstIntPtr { 0 } })
        {
            FakeHost host;
            host.answer = answer;
            RecordingEffect effect (&FakeHost::callback, 1, 1);

            EXPECT_EQ (row.call (effect), answer != 0 ? row.result : row.whenZero) << row.request << " answered " << answer;
            EXPECT_EQ (host.requests, requests);
            EXPECT_EQ (host.senders, std::vector<AEffect*> (requests.size(), effect.getAeffect()));
            EXPECT_EQ (effect.calls, calls);
        }

        RecordingEffect alone (nullptr, 1, 1);
        EXPECT_EQ (row.call (alone), row.withoutHost) << row.request << " without a host";
        EXPECT_EQ (alone.calls, calls);
    }
}

//==============================================================================
// Speaker arrangements

namespace
{
/** Notes the size of every block the arrangement tools ask for, and can refuse them all. */
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

    /** A new arrangement whose speakers' bytes are all recognisable. */
    VstSpeakerArrangement* makeSource (VstInt32 channels, VstInt32 type)
    {
        VstSpeakerArrangement* source = nullptr;
        EXPECT_TRUE (allocateArrangement (&source, channels));
        source->type = type;

        for (VstInt32 i = 0; i < channels; ++i)
        {
            std::memset (source->speakers() + i, 0x41 + i, sizeof (VstSpeakerProperties));
            source->speakers()[i].name[63] = 0;
        }

        requestedSizes.clear();
        return source;
    }

    std::vector<std::size_t> requestedSizes;
    bool failAllocations = false;
};
} // namespace

TEST (AudioEffectXArrangements, AllocateReplacesTheBlockWithAZeroedOne)
{
    ArrangementEffect effect;
    VstSpeakerArrangement* arrangement = effect.makeSource (3, 5);

    ASSERT_TRUE (effect.allocateArrangement (&arrangement, 2));
    EXPECT_EQ (arrangement->numChannels, 2);
    EXPECT_EQ (std::count (reinterpret_cast<char*> (arrangement), reinterpret_cast<char*> (arrangement->speakers() + 2), 0), 231); // all but numChannels

    ASSERT_TRUE (effect.allocateArrangement (&arrangement, 0));
    EXPECT_EQ (arrangement->numChannels, 0);
    EXPECT_EQ (effect.requestedSizes, (std::vector<std::size_t> { 232, 8 }));

    EXPECT_TRUE (effect.deallocateArrangement (&arrangement));
    EXPECT_EQ (arrangement, nullptr);
    EXPECT_TRUE (effect.deallocateArrangement (&arrangement));
    EXPECT_TRUE (effect.deallocateArrangement (nullptr));
}

TEST (AudioEffectXArrangements, RefusedCountsAndShortMemoryLeaveTheArrangementAlone)
{
    ArrangementEffect effect;
    VstSpeakerArrangement* arrangement = effect.makeSource (2, 7);
    const auto original = std::string (reinterpret_cast<char*> (arrangement), VstSpeakerArrangement::byteSize (2));

    // 38347923 speakers need 4294967384 bytes, which 32-bit arithmetic would wrap to 88.
    for (const VstInt32 channels : { -1, std::numeric_limits<VstInt32>::min(), AudioEffectX::maxArrangementChannels + 1, 38347923 })
        EXPECT_FALSE (effect.allocateArrangement (&arrangement, channels)) << channels;

    EXPECT_FALSE (effect.allocateArrangement (nullptr, 2));
    EXPECT_TRUE (effect.requestedSizes.empty());

    effect.failAllocations = true;
    EXPECT_FALSE (effect.allocateArrangement (&arrangement, 4));
    VstSpeakerArrangement* copy = nullptr;
    EXPECT_FALSE (effect.matchArrangement (&copy, arrangement));
    EXPECT_EQ (copy, nullptr);
    EXPECT_EQ (std::string (reinterpret_cast<char*> (arrangement), original.size()), original);

    effect.failAllocations = false;
    ASSERT_TRUE (effect.allocateArrangement (&arrangement, AudioEffectX::maxArrangementChannels));
    EXPECT_EQ (effect.requestedSizes.back(), 8u + 112u * 4096u);
    effect.deallocateArrangement (&arrangement);
}

TEST (AudioEffectXArrangements, MatchCopiesTypeAndEverySpeakerWithAtMost63NameCharacters)
{
    ArrangementEffect effect;
    VstSpeakerArrangement* source = effect.makeSource (3, 9);
    VstSpeakerArrangement* copy = effect.makeSource (1, 1);
    const void* previous = copy;
    source->speakers()[2].name[63] = 'x'; // 64 characters, no terminator

    EXPECT_FALSE (effect.matchArrangement (&copy, nullptr));
    EXPECT_FALSE (effect.matchArrangement (nullptr, source));
    EXPECT_EQ (copy, previous);

    ASSERT_TRUE (effect.matchArrangement (&copy, source));
    EXPECT_EQ (effect.requestedSizes, std::vector<std::size_t> { 344 });
    source->speakers()[2].name[63] = 0;
    EXPECT_EQ (std::memcmp (copy, source, VstSpeakerArrangement::byteSize (3)), 0);

    // Onto itself it must not free the source on the way.
    EXPECT_TRUE (effect.matchArrangement (&source, source));
    EXPECT_EQ (std::memcmp (copy, source, VstSpeakerArrangement::byteSize (3)), 0);

    VstSpeakerArrangement empty { 4, 0 };
    ASSERT_TRUE (effect.matchArrangement (&copy, &empty));
    EXPECT_EQ (std::memcmp (copy, &empty, sizeof (empty)), 0);

    VstSpeakerArrangement damaged { 0, -3 };
    EXPECT_FALSE (effect.matchArrangement (&copy, &damaged));
    damaged.numChannels = AudioEffectX::maxArrangementChannels + 1;
    EXPECT_FALSE (effect.matchArrangement (&copy, &damaged));

    EXPECT_FALSE (effect.copySpeaker (nullptr, source->speakers()));
    EXPECT_FALSE (effect.copySpeaker (source->speakers(), nullptr));
    EXPECT_TRUE (effect.copySpeaker (source->speakers(), source->speakers()));

    effect.deallocateArrangement (&source);
    effect.deallocateArrangement (&copy);
}
