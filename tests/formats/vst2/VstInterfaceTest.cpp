// Cross-checks the project's own description of the VST 2.4 host interface against the
// Debian package fst-dev, which reconstructs it independently, and lets a host built on
// fst's declarations drive a record.

#include "TestEffects.h"

#include <gtest/gtest.h>

#include <cstddef>

// fst marks its placeholder names deprecated; one of them carries a known number.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

// The header includes nothing itself, so it can live in a namespace of its own, where its
// names never meet the project's. Its one clashing macro is read, then dropped.
namespace fst
{
#include <pluginterfaces/fst/aeffectx.h>
}

constexpr long long fstVstVersion = kVstVersion;
#undef kVstVersion

// A host calls the record's entries through its own declaration of their types, which
// names a different (layout-identical) record; that is the very call under test, so
// clang's function-type check must not stop it.
#if defined(__clang__)
    #define QUORVEL_AS_A_FOREIGN_HOST __attribute__ ((no_sanitize ("function")))
#else
    #define QUORVEL_AS_A_FOREIGN_HOST
#endif

using namespace quorvel::test;

namespace
{
struct Agreement
{
    const char* name;
    long long theirs;
    long long ours;
};

#define QUORVEL_BOTH(name) \
    Agreement { #name, fst::name, ::name }

struct FieldAgreement
{
    const char* name;
    std::size_t theirOffset;
    std::size_t theirSize;
    std::size_t ourOffset;
    std::size_t ourSize;
};

#define QUORVEL_SAME_FIELD(record, field) \
    FieldAgreement { #record "::" #field, offsetof(fst::record, field), sizeof(fst::record::field), offsetof(::record, field), sizeof(::record::field) }
} // namespace

TEST (VstInterfaceAbi, EveryNumberFstKnowsIsOurs)
{
    const Agreement numbers[] = {
        QUORVEL_BOTH (effOpen),
        QUORVEL_BOTH (effClose),
        QUORVEL_BOTH (effSetProgram),
        QUORVEL_BOTH (effGetProgram),
        QUORVEL_BOTH (effSetProgramName),
        QUORVEL_BOTH (effGetProgramName),
        QUORVEL_BOTH (effGetParamLabel),
        QUORVEL_BOTH (effGetParamDisplay),
        QUORVEL_BOTH (effGetParamName),
        QUORVEL_BOTH (effSetSampleRate),
        QUORVEL_BOTH (effSetBlockSize),
        QUORVEL_BOTH (effMainsChanged),
        QUORVEL_BOTH (effEditGetRect),
        QUORVEL_BOTH (effEditOpen),
        QUORVEL_BOTH (effEditClose),
        QUORVEL_BOTH (effEditIdle),
        QUORVEL_BOTH (effIdentify),
        QUORVEL_BOTH (effGetChunk),
        QUORVEL_BOTH (effSetChunk),
        QUORVEL_BOTH (effProcessEvents),
        QUORVEL_BOTH (effCanBeAutomated),
        QUORVEL_BOTH (effString2Parameter),
        QUORVEL_BOTH (effGetProgramNameIndexed),
        QUORVEL_BOTH (effGetInputProperties),
        QUORVEL_BOTH (effGetOutputProperties),
        QUORVEL_BOTH (effGetPlugCategory),
        QUORVEL_BOTH (effSetSpeakerArrangement),
        QUORVEL_BOTH (effGetEffectName),
        QUORVEL_BOTH (effGetVendorString),
        QUORVEL_BOTH (effGetProductString),
        QUORVEL_BOTH (effGetVendorVersion),
        QUORVEL_BOTH (effVendorSpecific),
        QUORVEL_BOTH (effCanDo),
        QUORVEL_BOTH (effGetVstVersion),
        QUORVEL_BOTH (effGetCurrentMidiProgram),
        QUORVEL_BOTH (effGetSpeakerArrangement),
        QUORVEL_BOTH (effShellGetNextPlugin),
        QUORVEL_BOTH (effStartProcess),
        QUORVEL_BOTH (effStopProcess),
        QUORVEL_BOTH (effSetTotalSampleToProcess),
        QUORVEL_BOTH (effSetProcessPrecision),
        Agreement { "effGetMidiKeyName", fst::fst_effGetMidiNoteName, effGetMidiKeyName }, // fst's made-up name

        // The plug-in base never sends MIDI to the host, so fst's request 8 has no name here.
        QUORVEL_BOTH (audioMasterAutomate),
        QUORVEL_BOTH (audioMasterVersion),
        QUORVEL_BOTH (audioMasterCurrentId),
        QUORVEL_BOTH (audioMasterWantMidi),
        QUORVEL_BOTH (audioMasterGetTime),
        QUORVEL_BOTH (audioMasterTempoAt),
        QUORVEL_BOTH (audioMasterSizeWindow),
        QUORVEL_BOTH (audioMasterGetSampleRate),
        QUORVEL_BOTH (audioMasterGetBlockSize),
        QUORVEL_BOTH (audioMasterGetCurrentProcessLevel),
        QUORVEL_BOTH (audioMasterGetVendorString),
        QUORVEL_BOTH (audioMasterGetProductString),
        QUORVEL_BOTH (audioMasterGetVendorVersion),
        QUORVEL_BOTH (audioMasterCanDo),
        QUORVEL_BOTH (audioMasterBeginEdit),
        QUORVEL_BOTH (audioMasterEndEdit),

        QUORVEL_BOTH (effFlagsHasEditor),
        QUORVEL_BOTH (effFlagsCanReplacing),
        QUORVEL_BOTH (effFlagsProgramChunks),
        QUORVEL_BOTH (effFlagsIsSynth),
        QUORVEL_BOTH (effFlagsNoSoundInStop),
        QUORVEL_BOTH (effFlagsCanDoubleReplacing),

        // The base answers only these two categories; a bridge returns any other as a number.
        QUORVEL_BOTH (kPlugCategUnknown),
        QUORVEL_BOTH (kPlugCategSynth),
        QUORVEL_BOTH (kEffectMagic),
        QUORVEL_BOTH (kVstProcessLevelOffline),
        Agreement { "kVstVersion", fstVstVersion, kVstVersion },
        Agreement { "kEffectIdentify", CCONST ('N', 'v', 'E', 'f'), kEffectIdentify }, // named only in a comment there
    };

    for (const auto& number : numbers)
        EXPECT_EQ (number.ours, number.theirs) << number.name;
}

TEST (VstInterfaceAbi, RecordLayoutsAgreeWithFst)
{
    // fst reads the flags pointer-wide (ours and their zero padding), keeps the two
    // quality fields as one padding array and has names of its own for a few fields.
    // In the time information it has made-up names for the two fields after the time
    // signature and guesses two more past the flags, past the end of ours.
    const FieldAgreement fields[] = {
        QUORVEL_SAME_FIELD (AEffect, magic),
        QUORVEL_SAME_FIELD (AEffect, dispatcher),
        QUORVEL_SAME_FIELD (AEffect, process),
        QUORVEL_SAME_FIELD (AEffect, setParameter),
        QUORVEL_SAME_FIELD (AEffect, getParameter),
        QUORVEL_SAME_FIELD (AEffect, numPrograms),
        QUORVEL_SAME_FIELD (AEffect, numParams),
        QUORVEL_SAME_FIELD (AEffect, numInputs),
        QUORVEL_SAME_FIELD (AEffect, numOutputs),
        QUORVEL_SAME_FIELD (AEffect, resvd1),
        QUORVEL_SAME_FIELD (AEffect, resvd2),
        QUORVEL_SAME_FIELD (AEffect, initialDelay),
        QUORVEL_SAME_FIELD (AEffect, object),
        QUORVEL_SAME_FIELD (AEffect, user),
        QUORVEL_SAME_FIELD (AEffect, uniqueID),
        QUORVEL_SAME_FIELD (AEffect, version),
        QUORVEL_SAME_FIELD (AEffect, processReplacing),
        QUORVEL_SAME_FIELD (AEffect, processDoubleReplacing),
        { "AEffect::flags", offsetof (fst::AEffect, flags), sizeof (fst::AEffect::flags), offsetof (AEffect, flags), 2 * sizeof (VstInt32) },
        { "AEffect::_pad2", offsetof (fst::AEffect, _pad2), sizeof (fst::AEffect::_pad2), offsetof (AEffect, realQualities), 2 * sizeof (VstInt32) },
        { "AEffect::float1", offsetof (fst::AEffect, float1), sizeof (fst::AEffect::float1), offsetof (AEffect, ioRatio), sizeof (AEffect::ioRatio) },
        { "AEffect size", 0, sizeof (fst::AEffect), 0, offsetof (AEffect, future) }, // fst stops before the reserved bytes
        QUORVEL_SAME_FIELD (VstSpeakerProperties, azimuth),
        QUORVEL_SAME_FIELD (VstSpeakerProperties, elevation),
        QUORVEL_SAME_FIELD (VstSpeakerProperties, radius),
        QUORVEL_SAME_FIELD (VstSpeakerProperties, reserved),
        QUORVEL_SAME_FIELD (VstSpeakerProperties, name),
        QUORVEL_SAME_FIELD (VstSpeakerProperties, type),
        { "VstSpeakerProperties::_padding2", offsetof (fst::VstSpeakerProperties, _padding2), sizeof (fst::VstSpeakerProperties::_padding2), offsetof (VstSpeakerProperties, future), sizeof (VstSpeakerProperties::future) },
        { "VstSpeakerProperties size", 0, sizeof (fst::VstSpeakerProperties), 0, sizeof (VstSpeakerProperties) },
        QUORVEL_SAME_FIELD (VstSpeakerArrangement, type),
        QUORVEL_SAME_FIELD (VstSpeakerArrangement, numChannels),
        { "VstSpeakerArrangement::speakers", offsetof (fst::VstSpeakerArrangement, speakers), 0, sizeof (VstSpeakerArrangement), 0 },
        QUORVEL_SAME_FIELD (ERect, top),
        QUORVEL_SAME_FIELD (ERect, left),
        QUORVEL_SAME_FIELD (ERect, bottom),
        QUORVEL_SAME_FIELD (ERect, right),
        { "ERect size", 0, sizeof (fst::ERect), 0, sizeof (ERect) },
        QUORVEL_SAME_FIELD (VstTimeInfo, samplePos),
        QUORVEL_SAME_FIELD (VstTimeInfo, sampleRate),
        QUORVEL_SAME_FIELD (VstTimeInfo, nanoSeconds),
        QUORVEL_SAME_FIELD (VstTimeInfo, ppqPos),
        QUORVEL_SAME_FIELD (VstTimeInfo, tempo),
        QUORVEL_SAME_FIELD (VstTimeInfo, barStartPos),
        QUORVEL_SAME_FIELD (VstTimeInfo, cycleStartPos),
        QUORVEL_SAME_FIELD (VstTimeInfo, cycleEndPos),
        QUORVEL_SAME_FIELD (VstTimeInfo, timeSigNumerator),
        QUORVEL_SAME_FIELD (VstTimeInfo, timeSigDenominator),
        { "VstTimeInfo::currentBar", offsetof (fst::VstTimeInfo, currentBar), sizeof (fst::VstTimeInfo::currentBar), offsetof (VstTimeInfo, smpteOffset), sizeof (VstTimeInfo::smpteOffset) },
        { "VstTimeInfo::magic", offsetof (fst::VstTimeInfo, magic), sizeof (fst::VstTimeInfo::magic), offsetof (VstTimeInfo, smpteFrameRate), sizeof (VstTimeInfo::smpteFrameRate) },
        QUORVEL_SAME_FIELD (VstTimeInfo, samplesToNextClock),
        QUORVEL_SAME_FIELD (VstTimeInfo, flags),
    };

    for (const auto& field : fields)
    {
        EXPECT_EQ (field.ourOffset, field.theirOffset) << field.name;
        EXPECT_EQ (field.ourSize, field.theirSize) << field.name;
    }
}

//==============================================================================
namespace
{
struct FstHostView
{
    fst::AEffect record;
    std::vector<long long> answers;
};

/** What a host built on fst reads from the record and gets back through its entries. */
QUORVEL_AS_A_FOREIGN_HOST FstHostView driveAsAnFstHost (AEffect* ours)
{
    auto* record = reinterpret_cast<fst::AEffect*> (ours);
    FstHostView view { *record, {} };

    for (const auto opcode : { fst::effGetVstVersion, fst::effIdentify, fst::effGetPlugCategory })
        view.answers.push_back (record->dispatcher (record, opcode, 0, 0, nullptr, 0.0f));

    record->setParameter (record, 1, 0.5f);
    view.answers.push_back (static_cast<long long> (record->getParameter (record, 1)));

    float samples[8] { 1.0f, 2.0f, 3.0f, 4.0f };
    float* inputs[] = { samples, samples + 1, samples + 2, samples + 3 };
    float* outputs[] = { samples + 4, samples + 5, samples + 6, samples + 7 };
    record->processReplacing (record, inputs, outputs, 1);
    view.answers.push_back (static_cast<long long> (samples[7]));

    double wide[4] {};
    double* wideChannels[] = { wide, wide + 1, wide + 2, wide + 3 };
    record->processDoubleReplacing (record, wideChannels, wideChannels, 1);

    view.answers.push_back (record->dispatcher (record, fst::effClose, 0, 0, nullptr, 0.0f));
    return view;
}
} // namespace

TEST (VstInterfaceAbi, AHostBuiltOnFstDrivesTheRecord)
{
    FakeHost host;
    auto* effect = new PlainEffect (&FakeHost::callback, 1, 4);

    // Set up as the framework's bridge does right after construction.
    effect->getAeffect()->flags |= effFlagsHasEditor;
    effect->getAeffect()->version = 100;
    effect->setUniqueID (vstFourCharCode ('B', 'k', 'Q', 'v'));
    effect->setNumInputs (4);
    effect->setNumOutputs (4);
    effect->canProcessReplacing (true);
    effect->isSynth (false);
    effect->setInitialDelay (1764);
    effect->programsAreChunks (true);
    const void* object = static_cast<AudioEffect*> (effect);

    const auto view = driveAsAnFstHost (effect->getAeffect());

    EXPECT_EQ (view.record.magic, 0x56737450);
    EXPECT_EQ (view.record.numPrograms, 1);
    EXPECT_EQ (view.record.numParams, 4);
    EXPECT_EQ (view.record.numInputs, 4);
    EXPECT_EQ (view.record.numOutputs, 4);
    EXPECT_EQ (view.record.flags, 0x31); // read pointer-wide
    EXPECT_EQ (view.record.initialDelay, 1764);
    EXPECT_EQ (view.record.float1, 1.0f);
    EXPECT_EQ (view.record.object, object);
    EXPECT_EQ (view.record.uniqueID, 0x426B5176);
    EXPECT_EQ (view.record.version, 100);

    // Version, identity, category, a parameter the base keeps none of, the last output
    // sample of a pass-through, and the close.
    EXPECT_EQ (view.answers, (std::vector<long long> { 2400, 0x4E764566, 0, 0, 4, 1 }));
    EXPECT_TRUE (host.requests.empty());
}

#pragma GCC diagnostic pop
