#pragma once

#include "formats/vst2/AEffEditor.h"
#include "formats/vst2/VstInterface.h"

#include <memory>

/**
    The lower VST 2.4 plug-in base. It owns the effect record handed to the
    host, turns the host's first range of opcodes (0 to 24) into calls of its
    virtual operations, wraps a few host-callback requests and offers default
    answers, flag setters and number-to-text conversions.

    The host reaches the object only through the record's function pointers;
    each static entry below finds the object through the record's `object`
    field, so a subclass's overrides are what the host calls. The host's close
    opcode deletes the object, so instances must be created with `new`.

    Host input is checked before any override sees it: null pointers, counts
    out of range and unusable numbers get a "not handled" answer (0) and never
    reach a subclass.
*/
class AudioEffect
{
public:
    AudioEffect (audioMasterCallback hostCallback, VstInt32 programCount, VstInt32 parameterCount);
    virtual ~AudioEffect();

    AudioEffect (const AudioEffect&) = delete;
    AudioEffect& operator= (const AudioEffect&) = delete;

    //==============================================================================
    // Entries stored in the record; the host calls these.
    static VstIntPtr dispatchEffectClass (AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    static float getParameterClass (AEffect* effect, VstInt32 index);
    static void setParameterClass (AEffect* effect, VstInt32 index, float value);
    static void processClass (AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames);
    static void processClassReplacing (AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames);
    static void processClassDoubleReplacing (AEffect* effect, double** inputs, double** outputs, VstInt32 sampleFrames);

    //==============================================================================
    virtual VstIntPtr dispatcher (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}

    virtual void setSampleRate (float newSampleRate) { sampleRate = newSampleRate; }
    virtual void setBlockSize (VstInt32 newBlockSize) { blockSize = newBlockSize; }

    /** The process calls see a null input list when the host gives none (silence), but
        never a negative length or, for an effect with outputs, a null output list. */
    virtual void processReplacing (float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
    virtual void processDoubleReplacing (double** inputs, double** outputs, VstInt32 sampleFrames);

    virtual void setParameter (VstInt32 index, float value);
    virtual float getParameter (VstInt32 index);
    /** Sets the parameter, then tells the host about the change. */
    virtual void setParameterAutomated (VstInt32 index, float value);

    virtual VstInt32 getProgram() { return curProgram; }
    virtual void setProgram (VstInt32 program) { curProgram = program; }
    virtual void setProgramName (char* name);
    virtual void getProgramName (char* name);

    virtual void getParameterLabel (VstInt32 index, char* label);
    virtual void getParameterDisplay (VstInt32 index, char* text);
    virtual void getParameterName (VstInt32 index, char* text);

    /** Points *data at the state block and answers its size in bytes; 0 when there is none. */
    virtual VstInt32 getChunk (void** data, bool isPreset = false);
    virtual VstInt32 setChunk (void* data, VstInt32 byteSize, bool isPreset = false);

    //==============================================================================
    // Record setters
    virtual void setUniqueID (VstInt32 uniqueID) { cEffect.uniqueID = uniqueID; }
    virtual void setNumInputs (VstInt32 inputs) { cEffect.numInputs = inputs; }
    virtual void setNumOutputs (VstInt32 outputs) { cEffect.numOutputs = outputs; }
    virtual void canProcessReplacing (bool state) { setFlag (effFlagsCanReplacing, state); }
    virtual void canDoubleReplacing (bool state) { setFlag (effFlagsCanDoubleReplacing, state); }
    virtual void programsAreChunks (bool state) { setFlag (effFlagsProgramChunks, state); }
    /** Atomic, as the host reads the record on threads of its own. */
    virtual void setInitialDelay (VstInt32 delaySamples) { __atomic_store_n (&cEffect.initialDelay, delaySamples, __ATOMIC_RELEASE); }

    virtual AEffEditor* getEditor() { return editor.get(); }
    virtual AEffect* getAeffect() { return &cEffect; }
    virtual float getSampleRate() { return sampleRate; }
    virtual VstInt32 getBlockSize() { return blockSize; }

    //==============================================================================
    // Host requests
    /** The host's VST version; 1 when the host answers 0 or there is no host. */
    virtual VstInt32 getMasterVersion();
    virtual VstInt32 getCurrentUniqueId();
    virtual void masterIdle();

    //==============================================================================
    // Number-to-text conversions. Each writes at most maxLen characters and a
    // terminator at position maxLen, so text must hold maxLen + 1 bytes; a null
    // text or a negative maxLen writes nothing.
    virtual void dB2string (float value, char* text, VstInt32 maxLen);
    virtual void Hz2string (float samples, char* text, VstInt32 maxLen);
    virtual void ms2string (float samples, char* text, VstInt32 maxLen);
    /** At most 8 characters with a point and truncated fraction digits; "Huge!"
        when the integer part does not fit, "NaN" for a value that is not a number. */
    virtual void float2string (float value, char* text, VstInt32 maxLen);
    /** "Huge!" from 100000000 upwards; every other value in full. */
    virtual void int2string (VstInt32 value, char* text, VstInt32 maxLen);

    //==============================================================================
    /** The legacy accumulating entry; does nothing unless overridden. */
    virtual void process (float** inputs, float** outputs, VstInt32 sampleFrames);
    virtual float getVu() { return 0.0f; }
    virtual void hasVu (bool state) { setFlag (effFlagsHasVu, state); }
    virtual void hasClip (bool state) { setFlag (effFlagsHasClip, state); }
    virtual void canMono (bool state) { setFlag (effFlagsCanMono, state); }
    virtual void setRealtimeQualities (VstInt32 qualities) { cEffect.realQualities = qualities; }
    virtual void setOfflineQualities (VstInt32 qualities) { cEffect.offQualities = qualities; }
    virtual bool isInputConnected (VstInt32 input);
    virtual bool isOutputConnected (VstInt32 output);

    //==============================================================================
    /** Copies at most maxLen characters of source and fills up to and including
        position maxLen with terminators; a null source counts as empty text.
        Writes nothing when destination is null or maxLen is negative. */
    static void copyText (char* destination, const char* source, VstInt32 maxLen) noexcept;

protected:
    /** Sends one request to the host; 0 when there is no host callback. */
    VstIntPtr callHost (VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);

    void setFlag (VstInt32 flag, bool state) noexcept;

    bool isParameterIndex (VstInt32 index) const noexcept { return index >= 0 && index < numParams; }
    bool isProgramIndex (VstIntPtr index) const noexcept { return index >= 0 && index < numPrograms; }

    audioMasterCallback audioMaster = nullptr;
    std::unique_ptr<AEffEditor> editor;
    float sampleRate = 44100.0f;
    VstInt32 blockSize = 1024;
    VstInt32 numPrograms = 0;
    VstInt32 numParams = 0;
    VstInt32 curProgram = 0;
    AEffect cEffect {};

private:
    static AudioEffect* fromRecord (AEffect* effect) noexcept;
};
