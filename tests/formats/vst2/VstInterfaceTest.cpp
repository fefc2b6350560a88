// Cross-checks the project's own description of the VST 2.4 host interface
// against fst-dev's independent one (read in FstReference.cpp).

#include "FakeHost.h"
#include "FstReference.h"
#include "TestEffects.h"

#include "formats/vst2/VstInterface.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

using namespace quorvel::test;

namespace
{
using Numbers = std::map<std::string, long long>;

#define QUORVEL_OUR_NUMBER(name) Numbers::value_type (#name, name)

const Numbers ourEffectOpcodes {
    QUORVEL_OUR_NUMBER (effOpen),
    QUORVEL_OUR_NUMBER (effClose),
    QUORVEL_OUR_NUMBER (effSetProgram),
    QUORVEL_OUR_NUMBER (effGetProgram),
    QUORVEL_OUR_NUMBER (effSetProgramName),
    QUORVEL_OUR_NUMBER (effGetProgramName),
    QUORVEL_OUR_NUMBER (effGetParamLabel),
    QUORVEL_OUR_NUMBER (effGetParamDisplay),
    QUORVEL_OUR_NUMBER (effGetParamName),
    QUORVEL_OUR_NUMBER (effGetVu),
    QUORVEL_OUR_NUMBER (effSetSampleRate),
    QUORVEL_OUR_NUMBER (effSetBlockSize),
    QUORVEL_OUR_NUMBER (effMainsChanged),
    QUORVEL_OUR_NUMBER (effEditGetRect),
    QUORVEL_OUR_NUMBER (effEditOpen),
    QUORVEL_OUR_NUMBER (effEditClose),
    QUORVEL_OUR_NUMBER (effEditDraw),
    QUORVEL_OUR_NUMBER (effEditMouse),
    QUORVEL_OUR_NUMBER (effEditKey),
    QUORVEL_OUR_NUMBER (effEditIdle),
    QUORVEL_OUR_NUMBER (effEditTop),
    QUORVEL_OUR_NUMBER (effEditSleep),
    QUORVEL_OUR_NUMBER (effIdentify),
    QUORVEL_OUR_NUMBER (effGetChunk),
    QUORVEL_OUR_NUMBER (effSetChunk),
    QUORVEL_OUR_NUMBER (effProcessEvents),
    QUORVEL_OUR_NUMBER (effCanBeAutomated),
    QUORVEL_OUR_NUMBER (effString2Parameter),
    QUORVEL_OUR_NUMBER (effGetNumProgramCategories),
    QUORVEL_OUR_NUMBER (effGetProgramNameIndexed),
    QUORVEL_OUR_NUMBER (effCopyProgram),
    QUORVEL_OUR_NUMBER (effConnectInput),
    QUORVEL_OUR_NUMBER (effConnectOutput),
    QUORVEL_OUR_NUMBER (effGetInputProperties),
    QUORVEL_OUR_NUMBER (effGetOutputProperties),
    QUORVEL_OUR_NUMBER (effGetPlugCategory),
    QUORVEL_OUR_NUMBER (effGetCurrentPosition),
    QUORVEL_OUR_NUMBER (effGetDestinationBuffer),
    QUORVEL_OUR_NUMBER (effOfflineNotify),
    QUORVEL_OUR_NUMBER (effOfflinePrepare),
    QUORVEL_OUR_NUMBER (effOfflineRun),
    QUORVEL_OUR_NUMBER (effProcessVarIo),
    QUORVEL_OUR_NUMBER (effSetSpeakerArrangement),
    QUORVEL_OUR_NUMBER (effSetBlockSizeAndSampleRate),
    QUORVEL_OUR_NUMBER (effSetBypass),
    QUORVEL_OUR_NUMBER (effGetEffectName),
    QUORVEL_OUR_NUMBER (effGetErrorText),
    QUORVEL_OUR_NUMBER (effGetVendorString),
    QUORVEL_OUR_NUMBER (effGetProductString),
    QUORVEL_OUR_NUMBER (effGetVendorVersion),
    QUORVEL_OUR_NUMBER (effVendorSpecific),
    QUORVEL_OUR_NUMBER (effCanDo),
    QUORVEL_OUR_NUMBER (effGetTailSize),
    QUORVEL_OUR_NUMBER (effIdle),
    QUORVEL_OUR_NUMBER (effGetIcon),
    QUORVEL_OUR_NUMBER (effSetViewPosition),
    QUORVEL_OUR_NUMBER (effGetParameterProperties),
    QUORVEL_OUR_NUMBER (effKeysRequired),
    QUORVEL_OUR_NUMBER (effGetVstVersion),
    QUORVEL_OUR_NUMBER (effEditKeyDown),
    QUORVEL_OUR_NUMBER (effEditKeyUp),
    QUORVEL_OUR_NUMBER (effSetEditKnobMode),
    QUORVEL_OUR_NUMBER (effGetMidiProgramName),
    QUORVEL_OUR_NUMBER (effGetCurrentMidiProgram),
    QUORVEL_OUR_NUMBER (effGetMidiProgramCategory),
    QUORVEL_OUR_NUMBER (effHasMidiProgramsChanged),
    QUORVEL_OUR_NUMBER (effGetMidiKeyName),
    QUORVEL_OUR_NUMBER (effBeginSetProgram),
    QUORVEL_OUR_NUMBER (effEndSetProgram),
    QUORVEL_OUR_NUMBER (effGetSpeakerArrangement),
    QUORVEL_OUR_NUMBER (effShellGetNextPlugin),
    QUORVEL_OUR_NUMBER (effStartProcess),
    QUORVEL_OUR_NUMBER (effStopProcess),
    QUORVEL_OUR_NUMBER (effSetTotalSampleToProcess),
    QUORVEL_OUR_NUMBER (effSetPanLaw),
    QUORVEL_OUR_NUMBER (effBeginLoadBank),
    QUORVEL_OUR_NUMBER (effBeginLoadProgram),
    QUORVEL_OUR_NUMBER (effSetProcessPrecision),
    QUORVEL_OUR_NUMBER (effGetNumMidiInputChannels),
    QUORVEL_OUR_NUMBER (effGetNumMidiOutputChannels),
};

const Numbers ourHostOpcodes {
    QUORVEL_OUR_NUMBER (audioMasterAutomate),
    QUORVEL_OUR_NUMBER (audioMasterVersion),
    QUORVEL_OUR_NUMBER (audioMasterCurrentId),
    QUORVEL_OUR_NUMBER (audioMasterIdle),
    QUORVEL_OUR_NUMBER (audioMasterPinConnected),
    QUORVEL_OUR_NUMBER (audioMasterWantMidi),
    QUORVEL_OUR_NUMBER (audioMasterGetTime),
    QUORVEL_OUR_NUMBER (audioMasterTempoAt),
    QUORVEL_OUR_NUMBER (audioMasterGetNumAutomatableParameters),
    QUORVEL_OUR_NUMBER (audioMasterGetParameterQuantization),
    QUORVEL_OUR_NUMBER (audioMasterIOChanged),
    QUORVEL_OUR_NUMBER (audioMasterNeedIdle),
    QUORVEL_OUR_NUMBER (audioMasterSizeWindow),
    QUORVEL_OUR_NUMBER (audioMasterGetSampleRate),
    QUORVEL_OUR_NUMBER (audioMasterGetBlockSize),
    QUORVEL_OUR_NUMBER (audioMasterGetInputLatency),
    QUORVEL_OUR_NUMBER (audioMasterGetOutputLatency),
    QUORVEL_OUR_NUMBER (audioMasterGetPreviousPlug),
    QUORVEL_OUR_NUMBER (audioMasterGetNextPlug),
    QUORVEL_OUR_NUMBER (audioMasterWillReplaceOrAccumulate),
    QUORVEL_OUR_NUMBER (audioMasterGetCurrentProcessLevel),
    QUORVEL_OUR_NUMBER (audioMasterGetAutomationState),
    QUORVEL_OUR_NUMBER (audioMasterOfflineStart),
    QUORVEL_OUR_NUMBER (audioMasterOfflineRead),
    QUORVEL_OUR_NUMBER (audioMasterOfflineWrite),
    QUORVEL_OUR_NUMBER (audioMasterOfflineGetCurrentPass),
    QUORVEL_OUR_NUMBER (audioMasterOfflineGetCurrentMetaPass),
    QUORVEL_OUR_NUMBER (audioMasterSetOutputSampleRate),
    QUORVEL_OUR_NUMBER (audioMasterGetOutputSpeakerArrangement),
    QUORVEL_OUR_NUMBER (audioMasterGetVendorString),
    QUORVEL_OUR_NUMBER (audioMasterGetProductString),
    QUORVEL_OUR_NUMBER (audioMasterGetVendorVersion),
    QUORVEL_OUR_NUMBER (audioMasterVendorSpecific),
    QUORVEL_OUR_NUMBER (audioMasterCanDo),
    QUORVEL_OUR_NUMBER (audioMasterGetLanguage),
    QUORVEL_OUR_NUMBER (audioMasterOpenWindow),
    QUORVEL_OUR_NUMBER (audioMasterCloseWindow),
    QUORVEL_OUR_NUMBER (audioMasterGetDirectory),
    QUORVEL_OUR_NUMBER (audioMasterUpdateDisplay),
    QUORVEL_OUR_NUMBER (audioMasterBeginEdit),
    QUORVEL_OUR_NUMBER (audioMasterEndEdit),
    QUORVEL_OUR_NUMBER (audioMasterOpenFileSelector),
    QUORVEL_OUR_NUMBER (audioMasterCloseFileSelector),
    QUORVEL_OUR_NUMBER (audioMasterGetChunkFile),
    QUORVEL_OUR_NUMBER (audioMasterGetInputSpeakerArrangement),
};

const Numbers ourEffectFlags {
    QUORVEL_OUR_NUMBER (effFlagsHasEditor),
    QUORVEL_OUR_NUMBER (effFlagsHasClip),
    QUORVEL_OUR_NUMBER (effFlagsHasVu),
    QUORVEL_OUR_NUMBER (effFlagsCanMono),
    QUORVEL_OUR_NUMBER (effFlagsCanReplacing),
    QUORVEL_OUR_NUMBER (effFlagsProgramChunks),
    QUORVEL_OUR_NUMBER (effFlagsIsSynth),
    QUORVEL_OUR_NUMBER (effFlagsNoSoundInStop),
    QUORVEL_OUR_NUMBER (effFlagsExtIsAsync),
    QUORVEL_OUR_NUMBER (effFlagsExtHasBuffer),
    QUORVEL_OUR_NUMBER (effFlagsCanDoubleReplacing),
};

const Numbers ourPlugCategories {
    QUORVEL_OUR_NUMBER (kPlugCategUnknown),
    QUORVEL_OUR_NUMBER (kPlugCategSynth),
};

const Numbers ourConstants {
    QUORVEL_OUR_NUMBER (kEffectMagic),
    QUORVEL_OUR_NUMBER (kVstVersion),
    QUORVEL_OUR_NUMBER (kVstProcessLevelOffline),
    QUORVEL_OUR_NUMBER (kEffectIdentify),
};

#undef QUORVEL_OUR_NUMBER

/**
        Every number fst gives a name must be ours under the same name (or the
        one in aliases); a name the layer leaves out must be listed in absent
        and its number must not be taken by another name of ours.
    */
void expectAgreement (const char* group,
                      const std::vector<quorvel::fst::NamedNumber>& theirs,
                      const Numbers& ours,
                      const std::map<std::string, std::string>& aliases,
                      const std::set<std::string>& absent)
{
    ASSERT_FALSE (theirs.empty()) << group;

    for (const auto& [theirName, theirValue] : theirs)
    {
        const auto alias = aliases.find (theirName);
        const auto& ourName = alias != aliases.end() ? alias->second : theirName;
        const auto found = ours.find (ourName);

        if (found != ours.end())
        {
            EXPECT_EQ (found->second, theirValue) << group << ": " << theirName;
            continue;
        }

        EXPECT_EQ (absent.count (theirName), 1u) << group << ": fst defines " << theirName << " = " << theirValue << ", which the layer lacks";

        for (const auto& [name, value] : ours)
            EXPECT_NE (value, theirValue) << group << ": " << name << " has the number fst gives " << theirName;
    }
}

struct Span
{
    std::size_t offset;
    std::size_t size;
};

void expectLayout (const char* record, const quorvel::fst::Layout& theirs, const std::map<std::string, Span>& ours)
{
    ASSERT_EQ (theirs.fields.size(), ours.size()) << record;

    for (const auto& field : theirs.fields)
    {
        const auto found = ours.find (field.name);
        ASSERT_NE (found, ours.end()) << record << ": fst field " << field.name;
        EXPECT_EQ (found->second.offset, field.offset) << record << ": " << field.name;
        EXPECT_EQ (found->second.size, field.size) << record << ": " << field.name;
    }
}

#define QUORVEL_OUR_SPAN(type, field) \
    Span { offsetof (type, field), sizeof (type::field) }
} // namespace

//==============================================================================
TEST (VstInterfaceAbi, OpcodeNumbersAgreeWithFst)
{
    // fst knows opcode 66 only by a made-up name.
    expectAgreement ("effect opcodes", quorvel::fst::effectOpcodes(), ourEffectOpcodes, { { "fst_effGetMidiNoteName", "effGetMidiKeyName" } }, {});
}

TEST (VstInterfaceAbi, HostRequestNumbersAgreeWithFst)
{
    // The plug-in base never sends MIDI to the host.
    expectAgreement ("host requests", quorvel::fst::hostOpcodes(), ourHostOpcodes, {}, { "audioMasterProcessEvents" });
}

TEST (VstInterfaceAbi, FlagNumbersAgreeWithFst)
{
    expectAgreement ("effect flags", quorvel::fst::effectFlags(), ourEffectFlags, {}, {});
}

TEST (VstInterfaceAbi, CategoryAndConstantNumbersAgreeWithFst)
{
    // The base answers only "unknown" and "synth"; a bridge returns any other category as a number.
    expectAgreement ("plug-in categories",
                     quorvel::fst::plugCategories(),
                     ourPlugCategories,
                     {},
                     { "kPlugCategEffect", "kPlugCategAnalysis", "kPlugCategMastering", "kPlugCategSpacializer", "kPlugCategRoomFx", "kPlugSurroundFx", "kPlugCategRestoration", "kPlugCategOfflineProcess", "kPlugCategShell", "kPlugCategGenerator" });
    expectAgreement ("constants", quorvel::fst::constants(), ourConstants, {}, {});
}

TEST (VstInterfaceAbi, EffectRecordLayoutAgreesWithFst)
{
    // fst reads the flags pointer-wide (the layer's flags and their zero
    // padding), keeps the two quality fields as one padding array and calls
    // ioRatio "float1".
    const std::map<std::string, Span> ours {
        { "magic", QUORVEL_OUR_SPAN (AEffect, magic) },
        { "dispatcher", QUORVEL_OUR_SPAN (AEffect, dispatcher) },
        { "process", QUORVEL_OUR_SPAN (AEffect, process) },
        { "setParameter", QUORVEL_OUR_SPAN (AEffect, setParameter) },
        { "getParameter", QUORVEL_OUR_SPAN (AEffect, getParameter) },
        { "numPrograms", QUORVEL_OUR_SPAN (AEffect, numPrograms) },
        { "numParams", QUORVEL_OUR_SPAN (AEffect, numParams) },
        { "numInputs", QUORVEL_OUR_SPAN (AEffect, numInputs) },
        { "numOutputs", QUORVEL_OUR_SPAN (AEffect, numOutputs) },
        { "flags", Span { offsetof (AEffect, flags), sizeof (VstInt32) * 2 } },
        { "resvd1", QUORVEL_OUR_SPAN (AEffect, resvd1) },
        { "resvd2", QUORVEL_OUR_SPAN (AEffect, resvd2) },
        { "initialDelay", QUORVEL_OUR_SPAN (AEffect, initialDelay) },
        { "_pad2", Span { offsetof (AEffect, realQualities), sizeof (VstInt32) * 2 } },
        { "float1", QUORVEL_OUR_SPAN (AEffect, ioRatio) },
        { "object", QUORVEL_OUR_SPAN (AEffect, object) },
        { "user", QUORVEL_OUR_SPAN (AEffect, user) },
        { "uniqueID", QUORVEL_OUR_SPAN (AEffect, uniqueID) },
        { "version", QUORVEL_OUR_SPAN (AEffect, version) },
        { "processReplacing", QUORVEL_OUR_SPAN (AEffect, processReplacing) },
        { "processDoubleReplacing", QUORVEL_OUR_SPAN (AEffect, processDoubleReplacing) },
    };

    const auto theirs = quorvel::fst::effectRecord();
    expectLayout ("AEffect", theirs, ours);
    static_assert (offsetof (AEffect, flagsPadding) == offsetof (AEffect, flags) + sizeof (VstInt32));
    static_assert (offsetof (AEffect, offQualities) == offsetof (AEffect, realQualities) + sizeof (VstInt32));

    // fst stops after the double-precision entry; the layer adds the 56 reserved bytes.
    EXPECT_EQ (theirs.size, offsetof (AEffect, future));
    EXPECT_EQ (sizeof (AEffect), 192u);
}

TEST (VstInterfaceAbi, SpeakerRecordLayoutsAgreeWithFst)
{
    expectLayout ("VstSpeakerProperties",
                  quorvel::fst::speakerProperties(),
                  {
                      { "azimuth", QUORVEL_OUR_SPAN (VstSpeakerProperties, azimuth) },
                      { "elevation", QUORVEL_OUR_SPAN (VstSpeakerProperties, elevation) },
                      { "radius", QUORVEL_OUR_SPAN (VstSpeakerProperties, radius) },
                      { "reserved", QUORVEL_OUR_SPAN (VstSpeakerProperties, reserved) },
                      { "name", QUORVEL_OUR_SPAN (VstSpeakerProperties, name) },
                      { "type", QUORVEL_OUR_SPAN (VstSpeakerProperties, type) },
                      { "_padding2", QUORVEL_OUR_SPAN (VstSpeakerProperties, future) },
                  });
    EXPECT_EQ (quorvel::fst::speakerProperties().size, sizeof (VstSpeakerProperties));

    expectLayout ("VstSpeakerArrangement",
                  quorvel::fst::speakerArrangement(),
                  {
                      { "type", QUORVEL_OUR_SPAN (VstSpeakerArrangement, type) },
                      { "numChannels", QUORVEL_OUR_SPAN (VstSpeakerArrangement, numChannels) },
                      { "speakers", Span { sizeof (VstSpeakerArrangement), sizeof (VstSpeakerProperties) } },
                  });
    EXPECT_EQ (quorvel::fst::speakerArrangement().size, sizeof (VstSpeakerArrangement));
}

//==============================================================================
TEST (VstInterfaceAbi, AHostBuiltOnFstDrivesTheRecord)
{
    FakeHost host;
    auto* effect = new PlainEffect (&FakeHost::callback, 1, 4);

    // Set up as the framework's bridge does.
    effect->record().flags |= effFlagsHasEditor;
    effect->record().version = 100;
    effect->setUniqueID (vstFourCharCode ('B', 'k', 'Q', 'v'));
    effect->setNumInputs (4);
    effect->setNumOutputs (4);
    effect->canProcessReplacing (true);
    effect->isSynth (false);
    effect->setInitialDelay (1764);
    effect->programsAreChunks (true);

    void* handle = effect->getAeffect();
    const auto view = quorvel::fst::readRecord (handle);
    EXPECT_EQ (view.magic, 0x56737450);
    EXPECT_EQ (view.numPrograms, 1);
    EXPECT_EQ (view.numParams, 4);
    EXPECT_EQ (view.numInputs, 4);
    EXPECT_EQ (view.numOutputs, 4);
    EXPECT_EQ (view.flags, 0x31); // read pointer-wide
    EXPECT_EQ (view.initialDelay, 1764);
    EXPECT_EQ (view.ioRatio, 1.0f);
    EXPECT_EQ (view.object, static_cast<void*> (static_cast<AudioEffect*> (effect)));
    EXPECT_EQ (view.uniqueID, 0x426B5176);
    EXPECT_EQ (view.version, 100);

    EXPECT_EQ (quorvel::fst::dispatch (handle, effGetVstVersion, 0, 0, nullptr, 0.0f), 2400);
    EXPECT_EQ (quorvel::fst::dispatch (handle, effIdentify, 0, 0, nullptr, 0.0f), 0x4E764566);
    EXPECT_EQ (quorvel::fst::dispatch (handle, effGetPlugCategory, 0, 0, nullptr, 0.0f), 0);

    quorvel::fst::setParameter (handle, 1, 0.5f);
    EXPECT_EQ (quorvel::fst::getParameter (handle, 1), 0.0f);

    float samples[8][16] {};

    for (int channel = 0; channel < 4; ++channel)
        for (int i = 0; i < 16; ++i)
            samples[channel][i] = static_cast<float> (channel * 100 + i);

    float* inputs[] = { samples[0], samples[1], samples[2], samples[3] };
    float* outputs[] = { samples[4], samples[5], samples[6], samples[7] };
    quorvel::fst::processReplacing (handle, inputs, outputs, 16);
    EXPECT_EQ (effect->processCalls, 1);
    EXPECT_EQ (samples[7][15], 315.0f);

    double wide[2][4] {};
    double* wideChannels[] = { wide[0], wide[1], wide[0], wide[1] };
    quorvel::fst::processDoubleReplacing (handle, wideChannels, wideChannels, 4);

    EXPECT_EQ (quorvel::fst::dispatch (handle, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_TRUE (host.requests().empty());
}
