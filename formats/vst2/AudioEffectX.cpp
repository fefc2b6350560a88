#include "formats/vst2/AudioEffectX.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace
{
// A 32-bit count or code taken from the pointer-sized value is its low 32 bits.
VstInt32 low32 (VstIntPtr value) noexcept
{
    return static_cast<VstInt32> (static_cast<std::uint32_t> (static_cast<std::uintptr_t> (value)));
}

VstIntPtr fromBool (bool state) noexcept
{
    return state ? 1 : 0;
}

// The low byte of the host's float, truncated toward zero. A value that
// no integer can hold (NaN, infinities, huge numbers) gives 0 rather than
// an undefined conversion.
unsigned char lowByteOfTruncated (float value) noexcept
{
    if (! std::isfinite (value) || std::fabs (value) >= 2147483648.0f)
        return 0;

    return static_cast<unsigned char> (static_cast<std::uint32_t> (static_cast<VstInt32> (value)) & 0xffu);
}

template <typename Record>
Record* recordFromAnswer (VstIntPtr answer) noexcept
{
    return reinterpret_cast<Record*> (answer);
}
} // namespace

AudioEffectX::AudioEffectX (audioMasterCallback hostCallback, VstInt32 programCount, VstInt32 parameterCount)
    : AudioEffect (hostCallback, programCount, parameterCount)
{
}

AudioEffectX::~AudioEffectX() = default;

//==============================================================================
VstIntPtr AudioEffectX::dispatcher (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    auto* text = static_cast<char*> (ptr);

    switch (opcode)
    {
        case effProcessEvents:
            return ptr != nullptr ? processEvents (static_cast<VstEvents*> (ptr)) : 0;

        case effCanBeAutomated:
            return fromBool (isParameterIndex (index) && canParameterBeAutomated (index));

        case effString2Parameter:
            return fromBool (text != nullptr && isParameterIndex (index) && string2parameter (index, text));

        case effGetProgramNameIndexed:
            return fromBool (text != nullptr && isProgramIndex (index) && getProgramNameIndexed (low32 (value), index, text));

        case effGetInputProperties:
            return fromBool (ptr != nullptr && isInputIndex (index) && getInputProperties (index, static_cast<VstPinProperties*> (ptr)));

        case effGetOutputProperties:
            return fromBool (ptr != nullptr && isOutputIndex (index) && getOutputProperties (index, static_cast<VstPinProperties*> (ptr)));

        case effGetPlugCategory:
            return getPlugCategory();

        case effOfflineNotify:
            return fromBool (ptr != nullptr && offlineNotify (static_cast<VstAudioFile*> (ptr), low32 (value), index != 0));

        case effOfflinePrepare:
            return fromBool (ptr != nullptr && offlinePrepare (static_cast<VstOfflineTask*> (ptr), low32 (value)));

        case effOfflineRun:
            return fromBool (ptr != nullptr && offlineRun (static_cast<VstOfflineTask*> (ptr), low32 (value)));

        case effProcessVarIo:
            return fromBool (ptr != nullptr && processVariableIo (static_cast<VstVariableIo*> (ptr)));

        case effSetSpeakerArrangement:
            // value carries the input arrangement's address, ptr the output's.
            return fromBool (value != 0 && ptr != nullptr
                             && setSpeakerArrangement (recordFromAnswer<VstSpeakerArrangement> (value),
                                                       static_cast<VstSpeakerArrangement*> (ptr)));

        case effSetBypass:
            return fromBool (setBypass (value != 0));

        case effGetEffectName:
            return fromBool (text != nullptr && getEffectName (text));

        case effGetVendorString:
            return fromBool (text != nullptr && getVendorString (text));

        case effGetProductString:
            return fromBool (text != nullptr && getProductString (text));

        case effGetVendorVersion:
            return getVendorVersion();

        case effVendorSpecific:
            // What ptr means is the vendor's business; it is passed on unread.
            return vendorSpecific (index, value, ptr, opt);

        case effCanDo:
            return text != nullptr ? canDo (text) : 0;

        case effGetTailSize:
            return getGetTailSize();

        case effGetParameterProperties:
            return fromBool (ptr != nullptr && isParameterIndex (index)
                             && getParameterProperties (index, static_cast<VstParameterProperties*> (ptr)));

        case effGetVstVersion:
            return getVstVersion();

        case effEditKeyDown:
        case effEditKeyUp:
        {
            if (editor == nullptr)
                return 0;

            // Lives for this call only; the editor must not keep its address.
            VstKeyCode keyCode {};
            keyCode.character = index;
            keyCode.virt = static_cast<unsigned char> (static_cast<std::uintptr_t> (value) & 0xffu);
            keyCode.modifier = lowByteOfTruncated (opt);

            return fromBool (opcode == effEditKeyDown ? editor->onKeyDown (keyCode)
                                                      : editor->onKeyUp (keyCode));
        }

        case effSetEditKnobMode:
            return editor != nullptr ? fromBool (editor->setKnobMode (low32 (value))) : 0;

        case effGetMidiProgramName:
            return ptr != nullptr ? getMidiProgramName (index, static_cast<MidiProgramName*> (ptr)) : 0;

        case effGetCurrentMidiProgram:
            return ptr != nullptr ? getCurrentMidiProgram (index, static_cast<MidiProgramName*> (ptr)) : 0;

        case effGetMidiProgramCategory:
            return ptr != nullptr ? getMidiProgramCategory (index, static_cast<MidiProgramCategory*> (ptr)) : 0;

        case effHasMidiProgramsChanged:
            return fromBool (hasMidiProgramsChanged (index));

        case effGetMidiKeyName:
            return fromBool (ptr != nullptr && getMidiKeyName (index, static_cast<MidiKeyName*> (ptr)));

        case effBeginSetProgram:
            return fromBool (beginSetProgram());

        case effEndSetProgram:
            return fromBool (endSetProgram());

        case effGetSpeakerArrangement:
            // value carries the address of the input arrangement pointer, ptr that of the output's.
            return fromBool (value != 0 && ptr != nullptr
                             && getSpeakerArrangement (recordFromAnswer<VstSpeakerArrangement*> (value),
                                                       static_cast<VstSpeakerArrangement**> (ptr)));

        case effShellGetNextPlugin:
            return text != nullptr ? getNextShellPlugin (text) : 0;

        case effStartProcess:
            return startProcess();

        case effStopProcess:
            return stopProcess();

        case effSetTotalSampleToProcess:
            return setTotalSampleToProcess (low32 (value));

        case effSetPanLaw:
            return fromBool (setPanLaw (low32 (value), opt));

        case effBeginLoadBank:
            return ptr != nullptr ? beginLoadBank (static_cast<VstPatchChunkInfo*> (ptr)) : 0;

        case effBeginLoadProgram:
            return ptr != nullptr ? beginLoadProgram (static_cast<VstPatchChunkInfo*> (ptr)) : 0;

        case effSetProcessPrecision:
            return fromBool (setProcessPrecision (low32 (value)));

        case effGetNumMidiInputChannels:
            return getNumMidiInputChannels();

        case effGetNumMidiOutputChannels:
            return getNumMidiOutputChannels();

        default:
            // The first range, and the opcodes of this range that the base does not answer.
            return AudioEffect::dispatcher (opcode, index, value, ptr, opt);
    }
}

void AudioEffectX::resume()
{
    if ((cEffect.flags & effFlagsIsSynth) != 0)
    {
        wantEvents (1);
        return;
    }

    char request[] = "receiveVstMidiEvent";

    if (canDo (request) == 1)
        wantEvents (1);
}

//==============================================================================
// Default answers

bool AudioEffectX::canParameterBeAutomated (VstInt32 index)
{
    (void) index;
    return true;
}

bool AudioEffectX::string2parameter (VstInt32 index, char* text)
{
    (void) index;
    (void) text;
    return false;
}

bool AudioEffectX::getParameterProperties (VstInt32 index, VstParameterProperties* properties)
{
    (void) index;
    (void) properties;
    return false;
}

bool AudioEffectX::getProgramNameIndexed (VstInt32 category, VstInt32 index, char* text)
{
    (void) category;
    (void) index;
    (void) text;
    return false;
}

VstInt32 AudioEffectX::beginLoadBank (VstPatchChunkInfo* info)
{
    (void) info;
    return 0;
}

VstInt32 AudioEffectX::beginLoadProgram (VstPatchChunkInfo* info)
{
    (void) info;
    return 0;
}

bool AudioEffectX::getInputProperties (VstInt32 index, VstPinProperties* properties)
{
    (void) index;
    (void) properties;
    return false;
}

bool AudioEffectX::getOutputProperties (VstInt32 index, VstPinProperties* properties)
{
    (void) index;
    (void) properties;
    return false;
}

bool AudioEffectX::setSpeakerArrangement (VstSpeakerArrangement* pluginInput, VstSpeakerArrangement* pluginOutput)
{
    (void) pluginInput;
    (void) pluginOutput;
    return false;
}

bool AudioEffectX::getSpeakerArrangement (VstSpeakerArrangement** pluginInput, VstSpeakerArrangement** pluginOutput)
{
    if (pluginInput != nullptr)
        *pluginInput = nullptr;

    if (pluginOutput != nullptr)
        *pluginOutput = nullptr;

    return false;
}

bool AudioEffectX::setBypass (bool onOff)
{
    (void) onOff;
    return false;
}

bool AudioEffectX::setPanLaw (VstInt32 type, float value)
{
    (void) type;
    (void) value;
    return false;
}

bool AudioEffectX::setProcessPrecision (VstInt32 precision)
{
    (void) precision;
    return false;
}

VstInt32 AudioEffectX::processEvents (VstEvents* events)
{
    (void) events;
    return 0;
}

bool AudioEffectX::processVariableIo (VstVariableIo* variableIo)
{
    (void) variableIo;
    return false;
}

bool AudioEffectX::getEffectName (char* name)
{
    (void) name;
    return false;
}

bool AudioEffectX::getVendorString (char* text)
{
    (void) text;
    return false;
}

bool AudioEffectX::getProductString (char* text)
{
    (void) text;
    return false;
}

VstIntPtr AudioEffectX::vendorSpecific (VstInt32 arg1, VstIntPtr arg2, void* ptr, float arg3)
{
    (void) arg1;
    (void) arg2;
    (void) ptr;
    (void) arg3;
    return 0;
}

VstInt32 AudioEffectX::canDo (char* text)
{
    (void) text;
    return 0;
}

VstPlugCategory AudioEffectX::getPlugCategory()
{
    return (cEffect.flags & effFlagsIsSynth) != 0 ? kPlugCategSynth : kPlugCategUnknown;
}

VstInt32 AudioEffectX::getMidiProgramName (VstInt32 channel, MidiProgramName* midiProgramName)
{
    (void) channel;
    (void) midiProgramName;
    return 0;
}

VstInt32 AudioEffectX::getCurrentMidiProgram (VstInt32 channel, MidiProgramName* currentProgram)
{
    (void) channel;
    (void) currentProgram;
    return -1;
}

VstInt32 AudioEffectX::getMidiProgramCategory (VstInt32 channel, MidiProgramCategory* category)
{
    (void) channel;
    (void) category;
    return 0;
}

bool AudioEffectX::hasMidiProgramsChanged (VstInt32 channel)
{
    (void) channel;
    return false;
}

bool AudioEffectX::getMidiKeyName (VstInt32 channel, MidiKeyName* keyName)
{
    (void) channel;
    (void) keyName;
    return false;
}

VstInt32 AudioEffectX::getNextShellPlugin (char* name)
{
    (void) name;
    return 0;
}

bool AudioEffectX::offlineNotify (VstAudioFile* audioFiles, VstInt32 numAudioFiles, bool start)
{
    (void) audioFiles;
    (void) numAudioFiles;
    (void) start;
    return false;
}

bool AudioEffectX::offlinePrepare (VstOfflineTask* offline, VstInt32 count)
{
    (void) offline;
    (void) count;
    return false;
}

bool AudioEffectX::offlineRun (VstOfflineTask* offline, VstInt32 count)
{
    (void) offline;
    (void) count;
    return false;
}

bool AudioEffectX::copyProgram (VstInt32 destination)
{
    (void) destination;
    return false;
}

void AudioEffectX::inputConnected (VstInt32 index, bool state)
{
    (void) index;
    (void) state;
}

void AudioEffectX::outputConnected (VstInt32 index, bool state)
{
    (void) index;
    (void) state;
}

void AudioEffectX::setBlockSizeAndSampleRate (VstInt32 newBlockSize, float newSampleRate)
{
    blockSize = newBlockSize;
    sampleRate = newSampleRate;
}

bool AudioEffectX::getErrorText (char* text)
{
    (void) text;
    return false;
}

bool AudioEffectX::setViewPosition (VstInt32 x, VstInt32 y)
{
    (void) x;
    (void) y;
    return false;
}

//==============================================================================
// Host requests

bool AudioEffectX::beginEdit (VstInt32 index)
{
    return callHost (audioMasterBeginEdit, index) != 0;
}

bool AudioEffectX::endEdit (VstInt32 index)
{
    return callHost (audioMasterEndEdit, index) != 0;
}

bool AudioEffectX::ioChanged()
{
    return callHost (audioMasterIOChanged) != 0;
}

double AudioEffectX::updateSampleRate()
{
    const auto answer = callHost (audioMasterGetSampleRate);

    if (answer > 0)
        sampleRate = static_cast<float> (answer);

    return static_cast<double> (sampleRate);
}

VstInt32 AudioEffectX::updateBlockSize()
{
    const auto answer = static_cast<VstInt32> (callHost (audioMasterGetBlockSize));

    if (answer > 0)
        blockSize = answer;

    return blockSize;
}

VstInt32 AudioEffectX::getInputLatency()
{
    return static_cast<VstInt32> (callHost (audioMasterGetInputLatency));
}

VstInt32 AudioEffectX::getOutputLatency()
{
    return static_cast<VstInt32> (callHost (audioMasterGetOutputLatency));
}

VstTimeInfo* AudioEffectX::getTimeInfo (VstInt32 filter)
{
    return recordFromAnswer<VstTimeInfo> (callHost (audioMasterGetTime, 0, filter));
}

VstInt32 AudioEffectX::getCurrentProcessLevel()
{
    return static_cast<VstInt32> (callHost (audioMasterGetCurrentProcessLevel));
}

VstInt32 AudioEffectX::getAutomationState()
{
    return static_cast<VstInt32> (callHost (audioMasterGetAutomationState));
}

bool AudioEffectX::getHostVendorString (char* text)
{
    return text != nullptr && callHost (audioMasterGetVendorString, 0, 0, text) != 0;
}

bool AudioEffectX::getHostProductString (char* text)
{
    return text != nullptr && callHost (audioMasterGetProductString, 0, 0, text) != 0;
}

VstInt32 AudioEffectX::getHostVendorVersion()
{
    return static_cast<VstInt32> (callHost (audioMasterGetVendorVersion));
}

VstIntPtr AudioEffectX::hostVendorSpecific (VstInt32 arg1, VstIntPtr arg2, void* ptr, float arg3)
{
    return callHost (audioMasterVendorSpecific, arg1, arg2, ptr, arg3);
}

VstInt32 AudioEffectX::canHostDo (char* text)
{
    if (text == nullptr)
        return 0;

    // Hosts answer -1 for "cannot"; only a positive answer is a yes.
    return callHost (audioMasterCanDo, 0, 0, text) > 0 ? 1 : 0;
}

VstInt32 AudioEffectX::getHostLanguage()
{
    return static_cast<VstInt32> (callHost (audioMasterGetLanguage));
}

void* AudioEffectX::getDirectory()
{
    return recordFromAnswer<void> (callHost (audioMasterGetDirectory));
}

bool AudioEffectX::updateDisplay()
{
    return callHost (audioMasterUpdateDisplay) != 0;
}

bool AudioEffectX::sizeWindow (VstInt32 width, VstInt32 height)
{
    return callHost (audioMasterSizeWindow, width, height) != 0;
}

bool AudioEffectX::openFileSelector (VstFileSelect* fileSelect)
{
    return fileSelect != nullptr && callHost (audioMasterOpenFileSelector, 0, 0, fileSelect) != 0;
}

bool AudioEffectX::closeFileSelector (VstFileSelect* fileSelect)
{
    return fileSelect != nullptr && callHost (audioMasterCloseFileSelector, 0, 0, fileSelect) != 0;
}

bool AudioEffectX::offlineRead (VstOfflineTask* offline, VstInt32 option, bool readSource)
{
    return callHost (audioMasterOfflineRead, readSource ? 1 : 0, option, offline) != 0;
}

bool AudioEffectX::offlineWrite (VstOfflineTask* offline, VstInt32 option)
{
    return callHost (audioMasterOfflineWrite, 0, option, offline) != 0;
}

bool AudioEffectX::offlineStart (VstAudioFile* audioFiles, VstInt32 numAudioFiles, VstInt32 numNewAudioFiles)
{
    return callHost (audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, audioFiles) != 0;
}

VstInt32 AudioEffectX::offlineGetCurrentPass()
{
    return callHost (audioMasterOfflineGetCurrentPass) != 0 ? 1 : 0;
}

VstInt32 AudioEffectX::offlineGetCurrentMetaPass()
{
    return callHost (audioMasterOfflineGetCurrentMetaPass) != 0 ? 1 : 0;
}

void AudioEffectX::wantEvents (VstInt32 filter)
{
    callHost (audioMasterWantMidi, 0, filter);
}

VstInt32 AudioEffectX::tempoAt (VstInt32 position)
{
    return static_cast<VstInt32> (callHost (audioMasterTempoAt, 0, position));
}

VstInt32 AudioEffectX::getNumAutomatableParameters()
{
    return static_cast<VstInt32> (callHost (audioMasterGetNumAutomatableParameters));
}

VstInt32 AudioEffectX::getParameterQuantization()
{
    return static_cast<VstInt32> (callHost (audioMasterGetParameterQuantization));
}

bool AudioEffectX::needIdle()
{
    return callHost (audioMasterNeedIdle) != 0;
}

AEffect* AudioEffectX::getPreviousPlug (VstInt32 input)
{
    (void) input; // the request carries no pin
    return recordFromAnswer<AEffect> (callHost (audioMasterGetPreviousPlug));
}

AEffect* AudioEffectX::getNextPlug (VstInt32 output)
{
    (void) output; // the request carries no pin
    return recordFromAnswer<AEffect> (callHost (audioMasterGetNextPlug));
}

VstInt32 AudioEffectX::willProcessReplacing()
{
    return static_cast<VstInt32> (callHost (audioMasterWillReplaceOrAccumulate));
}

void AudioEffectX::setOutputSamplerate (float samplerate)
{
    callHost (audioMasterSetOutputSampleRate, 0, 0, nullptr, samplerate);
}

VstSpeakerArrangement* AudioEffectX::getInputSpeakerArrangement()
{
    return recordFromAnswer<VstSpeakerArrangement> (callHost (audioMasterGetInputSpeakerArrangement));
}

VstSpeakerArrangement* AudioEffectX::getOutputSpeakerArrangement()
{
    return recordFromAnswer<VstSpeakerArrangement> (callHost (audioMasterGetOutputSpeakerArrangement));
}

void* AudioEffectX::openWindow (VstWindow* window)
{
    return recordFromAnswer<void> (callHost (audioMasterOpenWindow, 0, 0, window));
}

bool AudioEffectX::closeWindow (VstWindow* window)
{
    return callHost (audioMasterCloseWindow, 0, 0, window) != 0;
}

bool AudioEffectX::getChunkFile (void* nativePath)
{
    return nativePath != nullptr && callHost (audioMasterGetChunkFile, 0, 0, nativePath) != 0;
}

//==============================================================================
// Speaker arrangements

void* AudioEffectX::allocateArrangementBlock (std::size_t byteSize)
{
    return std::calloc (1, byteSize);
}

bool AudioEffectX::allocateArrangement (VstSpeakerArrangement** arrangement, VstInt32 channels)
{
    if (arrangement == nullptr || channels < 0 || channels > maxArrangementChannels)
        return false;

    // The new block is in hand before the old one goes, so a shortage leaves
    // the caller's arrangement intact.
    auto* block = static_cast<VstSpeakerArrangement*> (allocateArrangementBlock (VstSpeakerArrangement::byteSize (channels)));

    if (block == nullptr)
        return false;

    std::free (*arrangement);
    block->numChannels = channels;
    *arrangement = block;
    return true;
}

bool AudioEffectX::deallocateArrangement (VstSpeakerArrangement** arrangement)
{
    if (arrangement != nullptr && *arrangement != nullptr)
    {
        std::free (*arrangement);
        *arrangement = nullptr;
    }

    return true;
}

bool AudioEffectX::copySpeaker (VstSpeakerProperties* to, const VstSpeakerProperties* from)
{
    if (to == nullptr || from == nullptr)
        return false;

    if (to == from)
        return true;

    to->azimuth = from->azimuth;
    to->elevation = from->elevation;
    to->radius = from->radius;
    to->reserved = from->reserved;
    copyText (to->name, from->name, static_cast<VstInt32> (sizeof (to->name)) - 1);
    to->type = from->type;
    std::memcpy (to->future, from->future, sizeof (to->future));
    return true;
}

bool AudioEffectX::matchArrangement (VstSpeakerArrangement** to, const VstSpeakerArrangement* from)
{
    if (to == nullptr || from == nullptr)
        return false;

    // Freeing the destination first would free the source with it.
    if (*to == from)
        return true;

    if (! deallocateArrangement (to) || ! allocateArrangement (to, from->numChannels) || *to == nullptr)
        return false;

    auto* result = *to;
    result->type = from->type;

    for (VstInt32 i = 0; i < result->numChannels; ++i)
        if (! copySpeaker (result->speakers() + i, from->speakers() + i))
            return false;

    return true;
}
