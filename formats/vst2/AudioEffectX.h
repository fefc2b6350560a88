#pragma once

#include "formats/vst2/AudioEffect.h"

#include <cstddef>

/**
    The extended VST 2.4 plug-in base: the host's second range of opcodes (25
    to 79), the extension operations with their default answers, wrappers for
    the host-callback requests 6 to 49, the speaker-arrangement tools and a
    resume that asks the host for MIDI events when the plug-in wants them.
    It adds no state of its own.

    A format bridge derives from this class, overrides what describes its
    effect and passes every opcode it does not answer itself to
    AudioEffectX::dispatcher.

    Host requests answer 0, false or null when there is no host callback
    (the two update operations answer the stored value instead). "True when
    answered" below means the host's answer was not 0.
*/
class AudioEffectX : public AudioEffect
{
public:
    AudioEffectX (audioMasterCallback hostCallback, VstInt32 programCount, VstInt32 parameterCount);
    ~AudioEffectX() override;

    VstIntPtr dispatcher (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;

    /** Asks the host for events when the effect is a synth or says it receives MIDI events. */
    void resume() override;

    //==============================================================================
    virtual bool canParameterBeAutomated (VstInt32 index);
    virtual bool string2parameter (VstInt32 index, char* text);
    virtual bool getParameterProperties (VstInt32 index, VstParameterProperties* properties);
    virtual bool beginEdit (VstInt32 index);
    virtual bool endEdit (VstInt32 index);
    virtual bool getProgramNameIndexed (VstInt32 category, VstInt32 index, char* text);
    virtual bool beginSetProgram() { return false; }
    virtual bool endSetProgram() { return false; }
    virtual VstInt32 beginLoadBank (VstPatchChunkInfo* info);
    virtual VstInt32 beginLoadProgram (VstPatchChunkInfo* info);

    virtual bool ioChanged();
    /** Asks the host for its rate and keeps a positive answer; returns the stored rate. */
    virtual double updateSampleRate();
    /** Asks the host for its block size and keeps a positive answer; returns the stored size. */
    virtual VstInt32 updateBlockSize();
    virtual VstInt32 getInputLatency();
    virtual VstInt32 getOutputLatency();
    virtual bool getInputProperties (VstInt32 index, VstPinProperties* properties);
    virtual bool getOutputProperties (VstInt32 index, VstPinProperties* properties);
    virtual bool setSpeakerArrangement (VstSpeakerArrangement* pluginInput, VstSpeakerArrangement* pluginOutput);
    /** Clears both pointers and answers false unless overridden. */
    virtual bool getSpeakerArrangement (VstSpeakerArrangement** pluginInput, VstSpeakerArrangement** pluginOutput);
    virtual bool setBypass (bool onOff);
    virtual bool setPanLaw (VstInt32 type, float value);
    virtual bool setProcessPrecision (VstInt32 precision);
    virtual VstInt32 getNumMidiInputChannels() { return 0; }
    virtual VstInt32 getNumMidiOutputChannels() { return 0; }

    virtual VstTimeInfo* getTimeInfo (VstInt32 filter);
    virtual VstInt32 getCurrentProcessLevel();
    virtual VstInt32 getAutomationState();

    virtual VstInt32 processEvents (VstEvents* events);
    virtual VstInt32 startProcess() { return 0; }
    virtual VstInt32 stopProcess() { return 0; }
    virtual bool processVariableIo (VstVariableIo* variableIo);
    virtual VstInt32 setTotalSampleToProcess (VstInt32 value) { return value; }

    virtual bool getHostVendorString (char* text);
    virtual bool getHostProductString (char* text);
    virtual VstInt32 getHostVendorVersion();
    virtual VstIntPtr hostVendorSpecific (VstInt32 arg1, VstIntPtr arg2, void* ptr, float arg3);
    /** 1 only when the host answers a positive number: -1 means it cannot. */
    virtual VstInt32 canHostDo (char* text);
    virtual VstInt32 getHostLanguage();

    virtual void isSynth (bool state) { setFlag (effFlagsIsSynth, state); }
    virtual void noTail (bool state) { setFlag (effFlagsNoSoundInStop, state); }
    virtual VstInt32 getGetTailSize() { return 0; }
    virtual void* getDirectory();

    virtual bool getEffectName (char* name);
    virtual bool getVendorString (char* text);
    virtual bool getProductString (char* text);
    virtual VstInt32 getVendorVersion() { return 0; }
    virtual VstIntPtr vendorSpecific (VstInt32 arg1, VstIntPtr arg2, void* ptr, float arg3);
    /** 1 yes, -1 no, 0 do not know. */
    virtual VstInt32 canDo (char* text);
    virtual VstInt32 getVstVersion() { return kVstVersion; }
    virtual VstPlugCategory getPlugCategory();

    virtual VstInt32 getMidiProgramName (VstInt32 channel, MidiProgramName* midiProgramName);
    virtual VstInt32 getCurrentMidiProgram (VstInt32 channel, MidiProgramName* currentProgram);
    virtual VstInt32 getMidiProgramCategory (VstInt32 channel, MidiProgramCategory* category);
    virtual bool hasMidiProgramsChanged (VstInt32 channel);
    virtual bool getMidiKeyName (VstInt32 channel, MidiKeyName* keyName);

    virtual bool updateDisplay();
    virtual bool sizeWindow (VstInt32 width, VstInt32 height);
    virtual bool openFileSelector (VstFileSelect* fileSelect);
    virtual bool closeFileSelector (VstFileSelect* fileSelect);
    virtual VstInt32 getNextShellPlugin (char* name);

    //==============================================================================
    // Speaker arrangements: byte blocks of VstSpeakerArrangement::byteSize (n)
    // bytes, owned by whoever holds the pointer and freed by deallocateArrangement.

    /** Replaces *arrangement with a zeroed block for the given number of speakers.
        Refuses a null address and a count outside 0 to maxArrangementChannels;
        when refused or out of memory, answers false and leaves *arrangement as it was. */
    virtual bool allocateArrangement (VstSpeakerArrangement** arrangement, VstInt32 channels);
    virtual bool deallocateArrangement (VstSpeakerArrangement** arrangement);
    virtual bool copySpeaker (VstSpeakerProperties* to, const VstSpeakerProperties* from);
    virtual bool matchArrangement (VstSpeakerArrangement** to, const VstSpeakerArrangement* from);

    /** More speakers than any host arrangement has; a larger count is taken as damaged input. */
    static constexpr VstInt32 maxArrangementChannels = 4096;

    //==============================================================================
    virtual bool offlineRead (VstOfflineTask* offline, VstInt32 option, bool readSource);
    virtual bool offlineWrite (VstOfflineTask* offline, VstInt32 option);
    virtual bool offlineStart (VstAudioFile* audioFiles, VstInt32 numAudioFiles, VstInt32 numNewAudioFiles);
    virtual VstInt32 offlineGetCurrentPass();
    virtual VstInt32 offlineGetCurrentMetaPass();
    virtual bool offlineNotify (VstAudioFile* audioFiles, VstInt32 numAudioFiles, bool start);
    virtual bool offlinePrepare (VstOfflineTask* offline, VstInt32 count);
    virtual bool offlineRun (VstOfflineTask* offline, VstInt32 count);
    virtual VstInt32 offlineGetNumPasses() { return 0; }
    virtual VstInt32 offlineGetNumMetaPasses() { return 0; }

    //==============================================================================
    virtual void wantEvents (VstInt32 filter);
    virtual VstInt32 tempoAt (VstInt32 position);
    virtual VstInt32 getNumAutomatableParameters();
    virtual VstInt32 getParameterQuantization();
    virtual VstInt32 getNumCategories() { return 1; }
    virtual bool copyProgram (VstInt32 destination);
    virtual bool needIdle();
    virtual AEffect* getPreviousPlug (VstInt32 input);
    virtual AEffect* getNextPlug (VstInt32 output);
    virtual void inputConnected (VstInt32 index, bool state);
    virtual void outputConnected (VstInt32 index, bool state);
    virtual VstInt32 willProcessReplacing();
    virtual void wantAsyncOperation (bool state) { setFlag (effFlagsExtIsAsync, state); }
    virtual void hasExternalBuffer (bool state) { setFlag (effFlagsExtHasBuffer, state); }
    virtual VstInt32 reportCurrentPosition() { return 0; }
    virtual float* reportDestinationBuffer() { return nullptr; }
    virtual void setOutputSamplerate (float samplerate);
    virtual VstSpeakerArrangement* getInputSpeakerArrangement();
    virtual VstSpeakerArrangement* getOutputSpeakerArrangement();
    virtual void* openWindow (VstWindow* window);
    virtual bool closeWindow (VstWindow* window);
    virtual void setBlockSizeAndSampleRate (VstInt32 newBlockSize, float newSampleRate);
    virtual bool getErrorText (char* text);
    virtual void* getIcon() { return nullptr; }
    virtual bool setViewPosition (VstInt32 x, VstInt32 y);
    virtual VstInt32 fxIdle() { return 0; }
    virtual bool keysRequired() { return false; }
    virtual bool getChunkFile (void* nativePath);

protected:
    /** Where the arrangement tools get their blocks: zero-filled, from std::calloc
        (they are released with std::free), or null when memory is short. */
    virtual void* allocateArrangementBlock (std::size_t byteSize);

    bool isInputIndex (VstInt32 index) const noexcept { return index >= 0 && index < cEffect.numInputs; }
    bool isOutputIndex (VstInt32 index) const noexcept { return index >= 0 && index < cEffect.numOutputs; }
};
