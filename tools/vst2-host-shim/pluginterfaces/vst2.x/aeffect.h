// Host-side interface header for JUCE's VST 2 hosting code, built on the
// independent fst-dev reconstruction in /usr/include/pluginterfaces/fst.
//
// Only the renderer and the plug-in tests see it (through the JUCE library's
// private compile options); the plug-in itself has its own interface layer.
//
// Two things are mended on top of fst:
//  - its speaker-arrangement record ends in a flexible array, so sizeof gives
//    8 bytes, while JUCE sizes the arrangements it hands to a plug-in as
//    sizeof (record) + (channels - 8) * sizeof (speaker): without room for 8
//    speakers a 4-channel arrangement overruns the heap;
//  - fst gives the request and opcode numbers it has not confirmed a
//    placeholder value (100000 + line). JUCE's host code switches on several
//    of them, so a plug-in's latency change, idle request or bypass would
//    never be understood. The ones JUCE uses get their published numbers.
//
// JUCE includes this header inside its own namespace Vst2, so everything
// declared here lands there.
#pragma once

#define FST_DONT_DEPRECATE_UNKNOWN 1

// Renamed away while fst's header is read; declared again below.
#define VstSpeakerArrangement fstFlexibleSpeakerArrangement

#define audioMasterIdle fstPlaceholder_audioMasterIdle
#define audioMasterPinConnected fstPlaceholder_audioMasterPinConnected
#define audioMasterGetNumAutomatableParameters fstPlaceholder_audioMasterGetNumAutomatableParameters
#define audioMasterGetParameterQuantization fstPlaceholder_audioMasterGetParameterQuantization
#define audioMasterIOChanged fstPlaceholder_audioMasterIOChanged
#define audioMasterNeedIdle fstPlaceholder_audioMasterNeedIdle
#define audioMasterGetInputLatency fstPlaceholder_audioMasterGetInputLatency
#define audioMasterGetOutputLatency fstPlaceholder_audioMasterGetOutputLatency
#define audioMasterGetPreviousPlug fstPlaceholder_audioMasterGetPreviousPlug
#define audioMasterGetNextPlug fstPlaceholder_audioMasterGetNextPlug
#define audioMasterWillReplaceOrAccumulate fstPlaceholder_audioMasterWillReplaceOrAccumulate
#define audioMasterGetAutomationState fstPlaceholder_audioMasterGetAutomationState
#define audioMasterOfflineStart fstPlaceholder_audioMasterOfflineStart
#define audioMasterOfflineRead fstPlaceholder_audioMasterOfflineRead
#define audioMasterOfflineWrite fstPlaceholder_audioMasterOfflineWrite
#define audioMasterOfflineGetCurrentPass fstPlaceholder_audioMasterOfflineGetCurrentPass
#define audioMasterOfflineGetCurrentMetaPass fstPlaceholder_audioMasterOfflineGetCurrentMetaPass
#define audioMasterSetOutputSampleRate fstPlaceholder_audioMasterSetOutputSampleRate
#define audioMasterGetOutputSpeakerArrangement fstPlaceholder_audioMasterGetOutputSpeakerArrangement
#define audioMasterGetLanguage fstPlaceholder_audioMasterGetLanguage
#define audioMasterOpenWindow fstPlaceholder_audioMasterOpenWindow
#define audioMasterCloseWindow fstPlaceholder_audioMasterCloseWindow
#define audioMasterGetDirectory fstPlaceholder_audioMasterGetDirectory
#define audioMasterUpdateDisplay fstPlaceholder_audioMasterUpdateDisplay

#define effEditTop fstPlaceholder_effEditTop
#define effConnectInput fstPlaceholder_effConnectInput
#define effConnectOutput fstPlaceholder_effConnectOutput
#define effSetBypass fstPlaceholder_effSetBypass
#define effGetTailSize fstPlaceholder_effGetTailSize
#define effIdle fstPlaceholder_effIdle
#define effKeysRequired fstPlaceholder_effKeysRequired

#include <pluginterfaces/fst/aeffectx.h>

#undef VstSpeakerArrangement

#undef audioMasterIdle
#undef audioMasterPinConnected
#undef audioMasterGetNumAutomatableParameters
#undef audioMasterGetParameterQuantization
#undef audioMasterIOChanged
#undef audioMasterNeedIdle
#undef audioMasterGetInputLatency
#undef audioMasterGetOutputLatency
#undef audioMasterGetPreviousPlug
#undef audioMasterGetNextPlug
#undef audioMasterWillReplaceOrAccumulate
#undef audioMasterGetAutomationState
#undef audioMasterOfflineStart
#undef audioMasterOfflineRead
#undef audioMasterOfflineWrite
#undef audioMasterOfflineGetCurrentPass
#undef audioMasterOfflineGetCurrentMetaPass
#undef audioMasterSetOutputSampleRate
#undef audioMasterGetOutputSpeakerArrangement
#undef audioMasterGetLanguage
#undef audioMasterOpenWindow
#undef audioMasterCloseWindow
#undef audioMasterGetDirectory
#undef audioMasterUpdateDisplay

#undef effEditTop
#undef effConnectInput
#undef effConnectOutput
#undef effSetBypass
#undef effGetTailSize
#undef effIdle
#undef effKeysRequired

// The same header as fst's, with room for the 8 speakers that JUCE's sizing
// assumes; arrangements of more channels are allocated larger by JUCE.
struct VstSpeakerArrangement
{
    int type;
    int numChannels;
    VstSpeakerProperties speakers[8];
};

static_assert (sizeof (VstSpeakerArrangement) == 8 + 8 * sizeof (VstSpeakerProperties),
               "the arrangement header must stay 8 bytes");

enum
{
    audioMasterIdle = 3,
    audioMasterPinConnected = 4,
    audioMasterGetNumAutomatableParameters = 11,
    audioMasterGetParameterQuantization = 12,
    audioMasterIOChanged = 13,
    audioMasterNeedIdle = 14,
    audioMasterGetInputLatency = 18,
    audioMasterGetOutputLatency = 19,
    audioMasterGetPreviousPlug = 20,
    audioMasterGetNextPlug = 21,
    audioMasterWillReplaceOrAccumulate = 22,
    audioMasterGetAutomationState = 24,
    audioMasterOfflineStart = 25,
    audioMasterOfflineRead = 26,
    audioMasterOfflineWrite = 27,
    audioMasterOfflineGetCurrentPass = 28,
    audioMasterOfflineGetCurrentMetaPass = 29,
    audioMasterSetOutputSampleRate = 30,
    audioMasterGetOutputSpeakerArrangement = 31,
    audioMasterGetLanguage = 38,
    audioMasterOpenWindow = 39,
    audioMasterCloseWindow = 40,
    audioMasterGetDirectory = 41,
    audioMasterUpdateDisplay = 42
};

enum
{
    effEditTop = 20,
    effConnectInput = 31,
    effConnectOutput = 32,
    effSetBypass = 44,
    effGetTailSize = 52,
    effIdle = 53,
    effKeysRequired = 57
};
