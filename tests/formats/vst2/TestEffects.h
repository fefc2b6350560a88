#pragma once

#include "formats/vst2/AudioEffectX.h"

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quorvel::test
{
/** An editor that records what reaches it, with answers a test can choose. */
class FakeEditor : public AEffEditor
{
public:
    explicit FakeEditor (std::vector<std::string>& eventLog)
        : log (eventLog)
    {
    }
    ~FakeEditor() override { log.push_back ("editor deleted"); }

    bool getRect (ERect** rect) override
    {
        log.push_back ("getRect");
        lastRectAddress = rect;
        return answer;
    }

    bool open (void* parentWindow) override
    {
        log.push_back ("open");
        lastWindow = parentWindow;
        return answer;
    }

    void close() override { log.push_back ("close"); }
    void idle() override { log.push_back ("idle"); }

    bool onKeyDown (VstKeyCode& keyCode) override
    {
        log.push_back ("keyDown");
        lastKey = keyCode;
        return answer;
    }

    bool onKeyUp (VstKeyCode& keyCode) override
    {
        log.push_back ("keyUp");
        lastKey = keyCode;
        return answer;
    }

    bool setKnobMode (VstInt32 mode) override
    {
        log.push_back ("knobMode " + std::to_string (mode));
        return answer;
    }

    std::vector<std::string>& log;
    bool answer = true;
    ERect** lastRectAddress = nullptr;
    void* lastWindow = nullptr;
    VstKeyCode lastKey {};
};

/** Stands in for a plug-in built on the extended base; keeps every default answer. */
class PlainEffect : public AudioEffectX
{
public:
    PlainEffect (audioMasterCallback host, VstInt32 programs, VstInt32 parameters)
        : AudioEffectX (host, programs, parameters)
    {
    }

    void processReplacing (float** inputs, float** outputs, VstInt32 sampleFrames) override
    {
        // A unity pass-through, so a host probe can see the audio path.
        for (VstInt32 channel = 0; channel < cEffect.numOutputs && channel < cEffect.numInputs; ++channel)
            for (VstInt32 i = 0; i < sampleFrames; ++i)
                outputs[channel][i] = inputs[channel][i];

        ++processCalls;
    }

    void attachEditor (std::unique_ptr<AEffEditor> newEditor) { editor = std::move (newEditor); }

    // What a bridge reaches directly.
    audioMasterCallback hostCallback() const { return audioMaster; }
    const AEffect& record() const { return cEffect; }
    AEffect& record() { return cEffect; }
    float storedSampleRate() const { return sampleRate; }
    VstInt32 storedBlockSize() const { return blockSize; }
    VstInt32 storedProgram() const { return curProgram; }
    VstIntPtr askHost (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
    {
        return callHost (opcode, index, value, ptr, opt);
    }

    int processCalls = 0;
};

/** A plug-in on the lower base only, to see that base's own answers. */
class BaseOnlyEffect : public AudioEffect
{
public:
    BaseOnlyEffect (audioMasterCallback host, VstInt32 programs, VstInt32 parameters)
        : AudioEffect (host, programs, parameters)
    {
    }

    void processReplacing (float** inputs, float** outputs, VstInt32 sampleFrames) override
    {
        (void) inputs;
        (void) outputs;
        (void) sampleFrames;
    }

    void attachEditor (std::unique_ptr<AEffEditor> newEditor) { editor = std::move (newEditor); }
};

/** Every operation the dispatchers or entries can reach, mocked, so that a
        StrictMock shows exactly which one a host call reached. */
class MockEffect : public AudioEffectX
{
public:
    MockEffect (audioMasterCallback host, VstInt32 programs, VstInt32 parameters)
        : AudioEffectX (host, programs, parameters)
    {
    }

    void attachEditor (std::unique_ptr<AEffEditor> newEditor) { editor = std::move (newEditor); }

    // First range
    MOCK_METHOD (void, open, (), (override));
    MOCK_METHOD (void, close, (), (override));
    MOCK_METHOD (void, suspend, (), (override));
    MOCK_METHOD (void, resume, (), (override));
    MOCK_METHOD (void, setSampleRate, (float), (override));
    MOCK_METHOD (void, setBlockSize, (VstInt32), (override));
    MOCK_METHOD (void, processReplacing, (float**, float**, VstInt32), (override));
    MOCK_METHOD (void, processDoubleReplacing, (double**, double**, VstInt32), (override));
    MOCK_METHOD (void, process, (float**, float**, VstInt32), (override));
    MOCK_METHOD (void, setParameter, (VstInt32, float), (override));
    MOCK_METHOD (float, getParameter, (VstInt32), (override));
    MOCK_METHOD (VstInt32, getProgram, (), (override));
    MOCK_METHOD (void, setProgram, (VstInt32), (override));
    MOCK_METHOD (void, setProgramName, (char*), (override));
    MOCK_METHOD (void, getProgramName, (char*), (override));
    MOCK_METHOD (void, getParameterLabel, (VstInt32, char*), (override));
    MOCK_METHOD (void, getParameterDisplay, (VstInt32, char*), (override));
    MOCK_METHOD (void, getParameterName, (VstInt32, char*), (override));
    MOCK_METHOD (VstInt32, getChunk, (void**, bool), (override));
    MOCK_METHOD (VstInt32, setChunk, (void*, VstInt32, bool), (override));
    MOCK_METHOD (float, getVu, (), (override));

    // Extended range
    MOCK_METHOD (VstInt32, processEvents, (VstEvents*), (override));
    MOCK_METHOD (bool, canParameterBeAutomated, (VstInt32), (override));
    MOCK_METHOD (bool, string2parameter, (VstInt32, char*), (override));
    MOCK_METHOD (bool, getProgramNameIndexed, (VstInt32, VstInt32, char*), (override));
    MOCK_METHOD (bool, getInputProperties, (VstInt32, VstPinProperties*), (override));
    MOCK_METHOD (bool, getOutputProperties, (VstInt32, VstPinProperties*), (override));
    MOCK_METHOD (VstPlugCategory, getPlugCategory, (), (override));
    MOCK_METHOD (bool, offlineNotify, (VstAudioFile*, VstInt32, bool), (override));
    MOCK_METHOD (bool, offlinePrepare, (VstOfflineTask*, VstInt32), (override));
    MOCK_METHOD (bool, offlineRun, (VstOfflineTask*, VstInt32), (override));
    MOCK_METHOD (bool, processVariableIo, (VstVariableIo*), (override));
    MOCK_METHOD (bool, setSpeakerArrangement, (VstSpeakerArrangement*, VstSpeakerArrangement*), (override));
    MOCK_METHOD (bool, setBypass, (bool), (override));
    MOCK_METHOD (bool, getEffectName, (char*), (override));
    MOCK_METHOD (bool, getVendorString, (char*), (override));
    MOCK_METHOD (bool, getProductString, (char*), (override));
    MOCK_METHOD (VstInt32, getVendorVersion, (), (override));
    MOCK_METHOD (VstIntPtr, vendorSpecific, (VstInt32, VstIntPtr, void*, float), (override));
    MOCK_METHOD (VstInt32, canDo, (char*), (override));
    MOCK_METHOD (VstInt32, getGetTailSize, (), (override));
    MOCK_METHOD (bool, getParameterProperties, (VstInt32, VstParameterProperties*), (override));
    MOCK_METHOD (VstInt32, getVstVersion, (), (override));
    MOCK_METHOD (VstInt32, getMidiProgramName, (VstInt32, MidiProgramName*), (override));
    MOCK_METHOD (VstInt32, getCurrentMidiProgram, (VstInt32, MidiProgramName*), (override));
    MOCK_METHOD (VstInt32, getMidiProgramCategory, (VstInt32, MidiProgramCategory*), (override));
    MOCK_METHOD (bool, hasMidiProgramsChanged, (VstInt32), (override));
    MOCK_METHOD (bool, getMidiKeyName, (VstInt32, MidiKeyName*), (override));
    MOCK_METHOD (bool, beginSetProgram, (), (override));
    MOCK_METHOD (bool, endSetProgram, (), (override));
    MOCK_METHOD (bool, getSpeakerArrangement, (VstSpeakerArrangement**, VstSpeakerArrangement**), (override));
    MOCK_METHOD (VstInt32, getNextShellPlugin, (char*), (override));
    MOCK_METHOD (VstInt32, startProcess, (), (override));
    MOCK_METHOD (VstInt32, stopProcess, (), (override));
    MOCK_METHOD (VstInt32, setTotalSampleToProcess, (VstInt32), (override));
    MOCK_METHOD (bool, setPanLaw, (VstInt32, float), (override));
    MOCK_METHOD (VstInt32, beginLoadBank, (VstPatchChunkInfo*), (override));
    MOCK_METHOD (VstInt32, beginLoadProgram, (VstPatchChunkInfo*), (override));
    MOCK_METHOD (bool, setProcessPrecision, (VstInt32), (override));
    MOCK_METHOD (VstInt32, getNumMidiInputChannels, (), (override));
    MOCK_METHOD (VstInt32, getNumMidiOutputChannels, (), (override));

    // Reached by no opcode: a call of any of these is a fault.
    MOCK_METHOD (VstInt32, getNumCategories, (), (override));
    MOCK_METHOD (bool, copyProgram, (VstInt32), (override));
    MOCK_METHOD (void, inputConnected, (VstInt32, bool), (override));
    MOCK_METHOD (void, outputConnected, (VstInt32, bool), (override));
    MOCK_METHOD (VstInt32, reportCurrentPosition, (), (override));
    MOCK_METHOD (float*, reportDestinationBuffer, (), (override));
    MOCK_METHOD (void, setBlockSizeAndSampleRate, (VstInt32, float), (override));
    MOCK_METHOD (bool, getErrorText, (char*), (override));
    MOCK_METHOD (void*, getIcon, (), (override));
    MOCK_METHOD (bool, setViewPosition, (VstInt32, VstInt32), (override));
    MOCK_METHOD (VstInt32, fxIdle, (), (override));
    MOCK_METHOD (bool, keysRequired, (), (override));
};

/** Calls the record's dispatcher the way a host does. */
inline VstIntPtr dispatch (AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f)
{
    return effect->dispatcher (effect, opcode, index, value, ptr, opt);
}
} // namespace quorvel::test
