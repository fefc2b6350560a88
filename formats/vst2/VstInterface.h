#pragma once

// The project's own description of the VST 2.4 host interface: the effect
// record a host reads by position, the callback and entry types, the opcode,
// host-request and flag numbers, and the few records the plug-in base or its
// bridges read or write. Records that nothing here reads are declared but left
// incomplete.

#include <cstddef>
#include <cstdint>

static_assert (sizeof (void*) == 8, "the effect record is laid out for 64-bit hosts only");

using VstInt32 = std::int32_t;
using VstIntPtr = std::intptr_t;

struct AEffect;

/** The host's callback: every request the plug-in makes goes through it. */
using audioMasterCallback = VstIntPtr (*) (AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

using AEffectDispatcherProc = VstIntPtr (*) (AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
using AEffectProcessProc = void (*) (AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames);
using AEffectProcessDoubleProc = void (*) (AEffect* effect, double** inputs, double** outputs, VstInt32 sampleFrames);
using AEffectSetParameterProc = void (*) (AEffect* effect, VstInt32 index, float value);
using AEffectGetParameterProc = float (*) (AEffect* effect, VstInt32 index);

/** What a plug-in exports for the host to enter through: it returns the record of a new effect, or null. */
using VstPluginEntryProc = AEffect* (*) (audioMasterCallback audioMaster);

/** Four characters packed with the first one in the highest byte. */
constexpr VstInt32 vstFourCharCode (char a, char b, char c, char d) noexcept
{
    return static_cast<VstInt32> ((static_cast<std::uint32_t> (static_cast<unsigned char> (a)) << 24)
                                  | (static_cast<std::uint32_t> (static_cast<unsigned char> (b)) << 16)
                                  | (static_cast<std::uint32_t> (static_cast<unsigned char> (c)) << 8)
                                  | static_cast<std::uint32_t> (static_cast<unsigned char> (d)));
}

constexpr VstInt32 kEffectMagic = vstFourCharCode ('V', 's', 't', 'P');
constexpr VstInt32 kVstVersion = 2400;

/** The record handed to the host. Hosts read it by byte offset, so the field
    order and sizes are fixed; the asserts below pin the 64-bit layout. */
struct AEffect
{
    VstInt32 magic;
    VstInt32 magicPadding; // keeps the function pointers 8-byte aligned; always 0

    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process; // legacy accumulating entry
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;

    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 numInputs;
    VstInt32 numOutputs;

    VstInt32 flags;
    // Some hosts read the flags pointer-wide; these bytes stay 0 so that such
    // a read sees the same value on a little-endian machine.
    VstInt32 flagsPadding;

    VstIntPtr resvd1;
    VstIntPtr resvd2;

    VstInt32 initialDelay;
    VstInt32 realQualities;
    VstInt32 offQualities;
    float ioRatio;

    void* object;
    void* user;

    VstInt32 uniqueID;
    VstInt32 version;

    AEffectProcessProc processReplacing;
    AEffectProcessDoubleProc processDoubleReplacing;

    char future[56];
};

static_assert (sizeof (AEffect) == 192);
static_assert (offsetof (AEffect, magic) == 0);
static_assert (offsetof (AEffect, dispatcher) == 8);
static_assert (offsetof (AEffect, process) == 16);
static_assert (offsetof (AEffect, setParameter) == 24);
static_assert (offsetof (AEffect, getParameter) == 32);
static_assert (offsetof (AEffect, numPrograms) == 40);
static_assert (offsetof (AEffect, numParams) == 44);
static_assert (offsetof (AEffect, numInputs) == 48);
static_assert (offsetof (AEffect, numOutputs) == 52);
static_assert (offsetof (AEffect, flags) == 56);
static_assert (offsetof (AEffect, flagsPadding) == 60);
static_assert (offsetof (AEffect, resvd1) == 64);
static_assert (offsetof (AEffect, resvd2) == 72);
static_assert (offsetof (AEffect, initialDelay) == 80);
static_assert (offsetof (AEffect, realQualities) == 84);
static_assert (offsetof (AEffect, offQualities) == 88);
static_assert (offsetof (AEffect, ioRatio) == 92);
static_assert (offsetof (AEffect, object) == 96);
static_assert (offsetof (AEffect, user) == 104);
static_assert (offsetof (AEffect, uniqueID) == 112);
static_assert (offsetof (AEffect, version) == 116);
static_assert (offsetof (AEffect, processReplacing) == 120);
static_assert (offsetof (AEffect, processDoubleReplacing) == 128);
static_assert (offsetof (AEffect, future) == 136);

enum VstAEffectFlags : VstInt32
{
    effFlagsHasEditor = 1 << 0,
    effFlagsHasClip = 1 << 1,
    effFlagsHasVu = 1 << 2,
    effFlagsCanMono = 1 << 3,
    effFlagsCanReplacing = 1 << 4,
    effFlagsProgramChunks = 1 << 5,
    effFlagsIsSynth = 1 << 8,
    effFlagsNoSoundInStop = 1 << 9,
    effFlagsExtIsAsync = 1 << 10,
    effFlagsExtHasBuffer = 1 << 11,
    effFlagsCanDoubleReplacing = 1 << 12
};

/** Opcodes the host sends through the record's dispatcher, first range. */
enum AEffectOpcodes : VstInt32
{
    effOpen = 0,
    effClose = 1,
    effSetProgram = 2,
    effGetProgram = 3,
    effSetProgramName = 4,
    effGetProgramName = 5,
    effGetParamLabel = 6,
    effGetParamDisplay = 7,
    effGetParamName = 8,
    effGetVu = 9,
    effSetSampleRate = 10,
    effSetBlockSize = 11,
    effMainsChanged = 12,
    effEditGetRect = 13,
    effEditOpen = 14,
    effEditClose = 15,
    effEditDraw = 16,
    effEditMouse = 17,
    effEditKey = 18,
    effEditIdle = 19,
    effEditTop = 20,
    effEditSleep = 21,
    effIdentify = 22,
    effGetChunk = 23,
    effSetChunk = 24
};

/** Opcodes the host sends through the record's dispatcher, extended range. */
enum AEffectXOpcodes : VstInt32
{
    effProcessEvents = 25,
    effCanBeAutomated = 26,
    effString2Parameter = 27,
    effGetNumProgramCategories = 28,
    effGetProgramNameIndexed = 29,
    effCopyProgram = 30,
    effConnectInput = 31,
    effConnectOutput = 32,
    effGetInputProperties = 33,
    effGetOutputProperties = 34,
    effGetPlugCategory = 35,
    effGetCurrentPosition = 36,
    effGetDestinationBuffer = 37,
    effOfflineNotify = 38,
    effOfflinePrepare = 39,
    effOfflineRun = 40,
    effProcessVarIo = 41,
    effSetSpeakerArrangement = 42,
    effSetBlockSizeAndSampleRate = 43,
    effSetBypass = 44,
    effGetEffectName = 45,
    effGetErrorText = 46,
    effGetVendorString = 47,
    effGetProductString = 48,
    effGetVendorVersion = 49,
    effVendorSpecific = 50,
    effCanDo = 51,
    effGetTailSize = 52,
    effIdle = 53,
    effGetIcon = 54,
    effSetViewPosition = 55,
    effGetParameterProperties = 56,
    effKeysRequired = 57,
    effGetVstVersion = 58,
    effEditKeyDown = 59,
    effEditKeyUp = 60,
    effSetEditKnobMode = 61,
    effGetMidiProgramName = 62,
    effGetCurrentMidiProgram = 63,
    effGetMidiProgramCategory = 64,
    effHasMidiProgramsChanged = 65,
    effGetMidiKeyName = 66,
    effBeginSetProgram = 67,
    effEndSetProgram = 68,
    effGetSpeakerArrangement = 69,
    effShellGetNextPlugin = 70,
    effStartProcess = 71,
    effStopProcess = 72,
    effSetTotalSampleToProcess = 73,
    effSetPanLaw = 74,
    effBeginLoadBank = 75,
    effBeginLoadProgram = 76,
    effSetProcessPrecision = 77,
    effGetNumMidiInputChannels = 78,
    effGetNumMidiOutputChannels = 79
};

/** Requests the plug-in sends to the host callback, first range. */
enum AudioMasterOpcodes : VstInt32
{
    audioMasterAutomate = 0,
    audioMasterVersion = 1,
    audioMasterCurrentId = 2,
    audioMasterIdle = 3,
    audioMasterPinConnected = 4
};

/** Requests the plug-in sends to the host callback, extended range. */
enum AudioMasterOpcodesX : VstInt32
{
    audioMasterWantMidi = 6,
    audioMasterGetTime = 7,
    audioMasterTempoAt = 10,
    audioMasterGetNumAutomatableParameters = 11,
    audioMasterGetParameterQuantization = 12,
    audioMasterIOChanged = 13,
    audioMasterNeedIdle = 14,
    audioMasterSizeWindow = 15,
    audioMasterGetSampleRate = 16,
    audioMasterGetBlockSize = 17,
    audioMasterGetInputLatency = 18,
    audioMasterGetOutputLatency = 19,
    audioMasterGetPreviousPlug = 20,
    audioMasterGetNextPlug = 21,
    audioMasterWillReplaceOrAccumulate = 22,
    audioMasterGetCurrentProcessLevel = 23,
    audioMasterGetAutomationState = 24,
    audioMasterOfflineStart = 25,
    audioMasterOfflineRead = 26,
    audioMasterOfflineWrite = 27,
    audioMasterOfflineGetCurrentPass = 28,
    audioMasterOfflineGetCurrentMetaPass = 29,
    audioMasterSetOutputSampleRate = 30,
    audioMasterGetOutputSpeakerArrangement = 31,
    audioMasterGetVendorString = 32,
    audioMasterGetProductString = 33,
    audioMasterGetVendorVersion = 34,
    audioMasterVendorSpecific = 35,
    audioMasterCanDo = 37,
    audioMasterGetLanguage = 38,
    audioMasterOpenWindow = 39,
    audioMasterCloseWindow = 40,
    audioMasterGetDirectory = 41,
    audioMasterUpdateDisplay = 42,
    audioMasterBeginEdit = 43,
    audioMasterEndEdit = 44,
    audioMasterOpenFileSelector = 45,
    audioMasterCloseFileSelector = 46,
    audioMasterGetChunkFile = 48,
    audioMasterGetInputSpeakerArrangement = 49
};

/** Only the categories the base itself answers; any other 32-bit value may be returned by a subclass. */
enum VstPlugCategory : VstInt32
{
    kPlugCategUnknown = 0,
    kPlugCategSynth = 2
};

/** The host's answer to the process-level request that marks offline rendering. */
constexpr VstInt32 kVstProcessLevelOffline = 4;

/** The answer to the identify opcode. */
constexpr VstInt32 kEffectIdentify = vstFourCharCode ('N', 'v', 'E', 'f');

/** One speaker of an arrangement. */
struct VstSpeakerProperties
{
    float azimuth;
    float elevation;
    float radius;
    float reserved;
    char name[64];
    VstInt32 type;
    char future[28];
};

static_assert (sizeof (VstSpeakerProperties) == 112);
static_assert (offsetof (VstSpeakerProperties, azimuth) == 0);
static_assert (offsetof (VstSpeakerProperties, elevation) == 4);
static_assert (offsetof (VstSpeakerProperties, radius) == 8);
static_assert (offsetof (VstSpeakerProperties, reserved) == 12);
static_assert (offsetof (VstSpeakerProperties, name) == 16);
static_assert (offsetof (VstSpeakerProperties, type) == 80);
static_assert (offsetof (VstSpeakerProperties, future) == 84);

/** The head of a speaker arrangement. It lives at the start of a byte block
    of byteSize (numChannels) bytes whose speaker records follow the head. */
struct VstSpeakerArrangement
{
    VstInt32 type;
    VstInt32 numChannels;

    VstSpeakerProperties* speakers() noexcept { return reinterpret_cast<VstSpeakerProperties*> (this + 1); }
    const VstSpeakerProperties* speakers() const noexcept { return reinterpret_cast<const VstSpeakerProperties*> (this + 1); }

    /** Bytes of a block holding the given number of speakers, computed without 32-bit overflow. */
    static constexpr std::size_t byteSize (VstInt32 channels) noexcept
    {
        return sizeof (VstSpeakerArrangement) + sizeof (VstSpeakerProperties) * static_cast<std::size_t> (channels < 0 ? 0 : channels);
    }
};

static_assert (sizeof (VstSpeakerArrangement) == 8);
static_assert (offsetof (VstSpeakerArrangement, type) == 0);
static_assert (offsetof (VstSpeakerArrangement, numChannels) == 4);
static_assert (VstSpeakerArrangement::byteSize (2) == 232);

/** A key press handed to an editor; built by the dispatcher for the duration of one call. */
struct VstKeyCode
{
    VstInt32 character;
    unsigned char virt;
    unsigned char modifier;
};

/** The editor's rectangle, which the plug-in fills and the host reads after effEditGetRect. */
struct ERect
{
    std::int16_t top;
    std::int16_t left;
    std::int16_t bottom;
    std::int16_t right;
};

static_assert (sizeof (ERect) == 8);
static_assert (offsetof (ERect, top) == 0);
static_assert (offsetof (ERect, left) == 2);
static_assert (offsetof (ERect, bottom) == 4);
static_assert (offsetof (ERect, right) == 6);

/** The host's time information, the answer to audioMasterGetTime. */
struct VstTimeInfo
{
    double samplePos;
    double sampleRate;
    double nanoSeconds;
    double ppqPos;
    double tempo;
    double barStartPos;
    double cycleStartPos;
    double cycleEndPos;
    VstInt32 timeSigNumerator;
    VstInt32 timeSigDenominator;
    VstInt32 smpteOffset;
    VstInt32 smpteFrameRate;
    VstInt32 samplesToNextClock;
    VstInt32 flags;
};

static_assert (sizeof (VstTimeInfo) == 88);
static_assert (offsetof (VstTimeInfo, samplePos) == 0);
static_assert (offsetof (VstTimeInfo, sampleRate) == 8);
static_assert (offsetof (VstTimeInfo, nanoSeconds) == 16);
static_assert (offsetof (VstTimeInfo, ppqPos) == 24);
static_assert (offsetof (VstTimeInfo, tempo) == 32);
static_assert (offsetof (VstTimeInfo, barStartPos) == 40);
static_assert (offsetof (VstTimeInfo, cycleStartPos) == 48);
static_assert (offsetof (VstTimeInfo, cycleEndPos) == 56);
static_assert (offsetof (VstTimeInfo, timeSigNumerator) == 64);
static_assert (offsetof (VstTimeInfo, timeSigDenominator) == 68);
static_assert (offsetof (VstTimeInfo, smpteOffset) == 72);
static_assert (offsetof (VstTimeInfo, smpteFrameRate) == 76);
static_assert (offsetof (VstTimeInfo, samplesToNextClock) == 80);
static_assert (offsetof (VstTimeInfo, flags) == 84);

// Records passed through the base as pointers only.
struct VstEvents;
struct VstParameterProperties;
struct VstPinProperties;
struct VstPatchChunkInfo;
struct VstVariableIo;
struct VstOfflineTask;
struct VstAudioFile;
struct VstFileSelect;
struct VstWindow;
struct MidiProgramName;
struct MidiProgramCategory;
struct MidiKeyName;
