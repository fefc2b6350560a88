#include "FstReference.h"

// Its placeholder names are marked deprecated; one of them carries a known number.
#if defined(__clang__)
    #pragma clang diagnostic push
    #pragma clang diagnostic ignored "-Wdeprecated-declarations"
#elif defined(__GNUC__)
    #pragma GCC diagnostic push
    #pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif

// The header includes nothing itself, so it can live in a namespace of its
// own: its record then never shares a name with the project's.
namespace fstheader
{
#include <pluginterfaces/fst/aeffectx.h>
}

// A host calls the record's entries through its own declaration of their
// types, which names a different (layout-identical) record; that is the
// very call under test, so the function-type check must not stop it.
#if defined(__clang__)
    #define QUORVEL_AS_A_FOREIGN_HOST __attribute__ ((no_sanitize ("function")))
#else
    #define QUORVEL_AS_A_FOREIGN_HOST
#endif

#define QUORVEL_FST_NUMBER(name) number (#name, name)

#define QUORVEL_FST_FIELD(type, name) \
    Field { #name, offsetof(type, name), sizeof(type::name) }

namespace quorvel::fst
{
using namespace ::fstheader;

NamedNumber number (const char* name, long long value)
{
    return { name, value };
}

std::vector<NamedNumber> effectOpcodes()
{
    return {
        QUORVEL_FST_NUMBER (effOpen),
        QUORVEL_FST_NUMBER (effClose),
        QUORVEL_FST_NUMBER (effSetProgram),
        QUORVEL_FST_NUMBER (effGetProgram),
        QUORVEL_FST_NUMBER (effSetProgramName),
        QUORVEL_FST_NUMBER (effGetProgramName),
        QUORVEL_FST_NUMBER (effGetParamLabel),
        QUORVEL_FST_NUMBER (effGetParamDisplay),
        QUORVEL_FST_NUMBER (effGetParamName),
        QUORVEL_FST_NUMBER (effSetSampleRate),
        QUORVEL_FST_NUMBER (effSetBlockSize),
        QUORVEL_FST_NUMBER (effMainsChanged),
        QUORVEL_FST_NUMBER (effEditGetRect),
        QUORVEL_FST_NUMBER (effEditOpen),
        QUORVEL_FST_NUMBER (effEditClose),
        QUORVEL_FST_NUMBER (effEditIdle),
        QUORVEL_FST_NUMBER (effIdentify),
        QUORVEL_FST_NUMBER (effGetChunk),
        QUORVEL_FST_NUMBER (effSetChunk),
        QUORVEL_FST_NUMBER (effProcessEvents),
        QUORVEL_FST_NUMBER (effCanBeAutomated),
        QUORVEL_FST_NUMBER (effString2Parameter),
        QUORVEL_FST_NUMBER (effGetProgramNameIndexed),
        QUORVEL_FST_NUMBER (effGetInputProperties),
        QUORVEL_FST_NUMBER (effGetOutputProperties),
        QUORVEL_FST_NUMBER (effGetPlugCategory),
        QUORVEL_FST_NUMBER (effSetSpeakerArrangement),
        QUORVEL_FST_NUMBER (effGetEffectName),
        QUORVEL_FST_NUMBER (effGetVendorString),
        QUORVEL_FST_NUMBER (effGetProductString),
        QUORVEL_FST_NUMBER (effGetVendorVersion),
        QUORVEL_FST_NUMBER (effVendorSpecific),
        QUORVEL_FST_NUMBER (effCanDo),
        QUORVEL_FST_NUMBER (effGetVstVersion),
        QUORVEL_FST_NUMBER (effGetCurrentMidiProgram),
        QUORVEL_FST_NUMBER (fst_effGetMidiNoteName),
        QUORVEL_FST_NUMBER (effGetSpeakerArrangement),
        QUORVEL_FST_NUMBER (effShellGetNextPlugin),
        QUORVEL_FST_NUMBER (effStartProcess),
        QUORVEL_FST_NUMBER (effStopProcess),
        QUORVEL_FST_NUMBER (effSetTotalSampleToProcess),
        QUORVEL_FST_NUMBER (effSetProcessPrecision),
    };
}

std::vector<NamedNumber> hostOpcodes()
{
    return {
        QUORVEL_FST_NUMBER (audioMasterAutomate),
        QUORVEL_FST_NUMBER (audioMasterVersion),
        QUORVEL_FST_NUMBER (audioMasterCurrentId),
        QUORVEL_FST_NUMBER (audioMasterWantMidi),
        QUORVEL_FST_NUMBER (audioMasterGetTime),
        QUORVEL_FST_NUMBER (audioMasterProcessEvents),
        QUORVEL_FST_NUMBER (audioMasterTempoAt),
        QUORVEL_FST_NUMBER (audioMasterSizeWindow),
        QUORVEL_FST_NUMBER (audioMasterGetSampleRate),
        QUORVEL_FST_NUMBER (audioMasterGetBlockSize),
        QUORVEL_FST_NUMBER (audioMasterGetCurrentProcessLevel),
        QUORVEL_FST_NUMBER (audioMasterGetVendorString),
        QUORVEL_FST_NUMBER (audioMasterGetProductString),
        QUORVEL_FST_NUMBER (audioMasterGetVendorVersion),
        QUORVEL_FST_NUMBER (audioMasterCanDo),
        QUORVEL_FST_NUMBER (audioMasterBeginEdit),
        QUORVEL_FST_NUMBER (audioMasterEndEdit),
    };
}

std::vector<NamedNumber> effectFlags()
{
    return {
        QUORVEL_FST_NUMBER (effFlagsHasEditor),
        QUORVEL_FST_NUMBER (effFlagsCanReplacing),
        QUORVEL_FST_NUMBER (effFlagsProgramChunks),
        QUORVEL_FST_NUMBER (effFlagsIsSynth),
        QUORVEL_FST_NUMBER (effFlagsNoSoundInStop),
        QUORVEL_FST_NUMBER (effFlagsCanDoubleReplacing),
    };
}

std::vector<NamedNumber> plugCategories()
{
    return {
        QUORVEL_FST_NUMBER (kPlugCategUnknown),
        QUORVEL_FST_NUMBER (kPlugCategEffect),
        QUORVEL_FST_NUMBER (kPlugCategSynth),
        QUORVEL_FST_NUMBER (kPlugCategAnalysis),
        QUORVEL_FST_NUMBER (kPlugCategMastering),
        QUORVEL_FST_NUMBER (kPlugCategSpacializer),
        QUORVEL_FST_NUMBER (kPlugCategRoomFx),
        QUORVEL_FST_NUMBER (kPlugSurroundFx),
        QUORVEL_FST_NUMBER (kPlugCategRestoration),
        QUORVEL_FST_NUMBER (kPlugCategOfflineProcess),
        QUORVEL_FST_NUMBER (kPlugCategShell),
        QUORVEL_FST_NUMBER (kPlugCategGenerator),
    };
}

std::vector<NamedNumber> constants()
{
    return {
        QUORVEL_FST_NUMBER (kEffectMagic),
        QUORVEL_FST_NUMBER (kVstVersion),
        QUORVEL_FST_NUMBER (kVstProcessLevelOffline),
        // fst names the identify answer only in a comment; its packing macro gives the number.
        NamedNumber { "kEffectIdentify", static_cast<long long> (CCONST ('N', 'v', 'E', 'f')) },
    };
}

Layout effectRecord()
{
    return { sizeof (AEffect),
             {
                 QUORVEL_FST_FIELD (AEffect, magic),
                 QUORVEL_FST_FIELD (AEffect, dispatcher),
                 QUORVEL_FST_FIELD (AEffect, process),
                 QUORVEL_FST_FIELD (AEffect, setParameter),
                 QUORVEL_FST_FIELD (AEffect, getParameter),
                 QUORVEL_FST_FIELD (AEffect, numPrograms),
                 QUORVEL_FST_FIELD (AEffect, numParams),
                 QUORVEL_FST_FIELD (AEffect, numInputs),
                 QUORVEL_FST_FIELD (AEffect, numOutputs),
                 QUORVEL_FST_FIELD (AEffect, flags),
                 QUORVEL_FST_FIELD (AEffect, resvd1),
                 QUORVEL_FST_FIELD (AEffect, resvd2),
                 QUORVEL_FST_FIELD (AEffect, initialDelay),
                 QUORVEL_FST_FIELD (AEffect, _pad2),
                 QUORVEL_FST_FIELD (AEffect, float1),
                 QUORVEL_FST_FIELD (AEffect, object),
                 QUORVEL_FST_FIELD (AEffect, user),
                 QUORVEL_FST_FIELD (AEffect, uniqueID),
                 QUORVEL_FST_FIELD (AEffect, version),
                 QUORVEL_FST_FIELD (AEffect, processReplacing),
                 QUORVEL_FST_FIELD (AEffect, processDoubleReplacing),
             } };
}

Layout speakerProperties()
{
    return { sizeof (VstSpeakerProperties),
             {
                 QUORVEL_FST_FIELD (VstSpeakerProperties, azimuth),
                 QUORVEL_FST_FIELD (VstSpeakerProperties, elevation),
                 QUORVEL_FST_FIELD (VstSpeakerProperties, radius),
                 QUORVEL_FST_FIELD (VstSpeakerProperties, reserved),
                 QUORVEL_FST_FIELD (VstSpeakerProperties, name),
                 QUORVEL_FST_FIELD (VstSpeakerProperties, type),
                 QUORVEL_FST_FIELD (VstSpeakerProperties, _padding2),
             } };
}

Layout speakerArrangement()
{
    return { sizeof (VstSpeakerArrangement),
             {
                 QUORVEL_FST_FIELD (VstSpeakerArrangement, type),
                 QUORVEL_FST_FIELD (VstSpeakerArrangement, numChannels),
                 Field { "speakers", offsetof (VstSpeakerArrangement, speakers), sizeof (VstSpeakerProperties) },
             } };
}

RecordView readRecord (void* effect)
{
    const auto* record = static_cast<const AEffect*> (effect);
    return { record->magic,
             record->numPrograms,
             record->numParams,
             record->numInputs,
             record->numOutputs,
             static_cast<long> (record->flags),
             record->initialDelay,
             record->float1,
             record->object,
             record->uniqueID,
             record->version };
}

QUORVEL_AS_A_FOREIGN_HOST long dispatch (void* effect, int opcode, int index, long value, void* ptr, float opt)
{
    auto* record = static_cast<AEffect*> (effect);
    return record->dispatcher (record, opcode, index, value, ptr, opt);
}

QUORVEL_AS_A_FOREIGN_HOST float getParameter (void* effect, int index)
{
    auto* record = static_cast<AEffect*> (effect);
    return record->getParameter (record, index);
}

QUORVEL_AS_A_FOREIGN_HOST void setParameter (void* effect, int index, float value)
{
    auto* record = static_cast<AEffect*> (effect);
    record->setParameter (record, index, value);
}

QUORVEL_AS_A_FOREIGN_HOST void processReplacing (void* effect, float** inputs, float** outputs, int sampleFrames)
{
    auto* record = static_cast<AEffect*> (effect);
    record->processReplacing (record, inputs, outputs, sampleFrames);
}

QUORVEL_AS_A_FOREIGN_HOST void processDoubleReplacing (void* effect, double** inputs, double** outputs, int sampleFrames)
{
    auto* record = static_cast<AEffect*> (effect);
    record->processDoubleReplacing (record, inputs, outputs, sampleFrames);
}
} // namespace quorvel::fst

#if defined(__clang__)
    #pragma clang diagnostic pop
#elif defined(__GNUC__)
    #pragma GCC diagnostic pop
#endif
