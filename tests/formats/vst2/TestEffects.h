#pragma once

#include "formats/vst2/AudioEffectX.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace quorvel::test
{
// Two blocks a test hands over as host pointers; call texts name them A and B.
alignas (16) inline char blockA[256];
alignas (16) inline char blockB[256];

inline VstIntPtr address (const void* pointer)
{
    return reinterpret_cast<VstIntPtr> (pointer);
}

/** A value as a call text shows it: numbers in decimal, pointers as A, B, null or ?, other texts quoted. */
template <typename Value>
std::string describe (Value value)
{
    if constexpr (std::is_pointer_v<Value>)
    {
        if (value == nullptr)
            return "null";

        if (address (value) == address (blockA) || address (value) == address (blockB))
            return address (value) == address (blockA) ? "A" : "B";

        if constexpr (std::is_same_v<Value, char*>)
            return '"' + std::string (value) + '"';

        return "?";
    }
    else
    {
        std::ostringstream text;
        text << +value;
        return text.str();
    }
}

/** "name(argument,argument)", the form in which calls and host requests are compared. */
template <typename... Arguments>
std::string callText (const std::string& name, Arguments... arguments)
{
    std::string list;
    ((list += "," + describe (arguments)), ...);
    return name + "(" + (list.empty() ? list : list.substr (1)) + ")";
}

//==============================================================================
/** A stand-in VST host: its callback notes every request as "opcode(index,value,ptr,opt)"
    and gives `answer`. One may exist at a time; without one the callback answers 0. */
class FakeHost
{
public:
    FakeHost() { live() = this; }
    ~FakeHost() { live() = nullptr; }

    FakeHost (const FakeHost&) = delete;
    FakeHost& operator= (const FakeHost&) = delete;

    static VstIntPtr callback (AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
    {
        auto* host = live();

        if (host == nullptr)
            return 0;

        host->senders.push_back (effect);
        host->requests.push_back (callText (std::to_string (opcode), index, value, ptr, opt));
        return host->answer;
    }

    VstIntPtr answer = 0;
    std::vector<std::string> requests;
    std::vector<AEffect*> senders;

private:
    static FakeHost*& live()
    {
        static FakeHost* host = nullptr;
        return host;
    }
};

//==============================================================================
/** A plug-in on the extended base that keeps every default answer. */
class PlainEffect : public AudioEffectX
{
public:
    using AudioEffectX::AudioEffectX;

    void processReplacing (float** inputs, float** outputs, VstInt32 sampleFrames) override
    {
        for (VstInt32 channel = 0; channel < cEffect.numOutputs; ++channel)
            std::memcpy (outputs[channel], inputs[channel], sizeof (float) * static_cast<std::size_t> (sampleFrames));
    }
};

/** Every operation a host call can reach, except resume, notes its call text in `calls`
    and gives `answer`, so a test sees exactly what a host call reached. */
class RecordingEffect : public AudioEffectX
{
public:
    using AudioEffectX::AudioEffectX;

    /** Becomes whatever the noting operation returns: a bool is answer != 0. */
    struct Answer
    {
        VstIntPtr value;

        template <typename Result>
        operator Result() const
        {
            if constexpr (std::is_pointer_v<Result>)
                return reinterpret_cast<Result> (value);
            else
                return static_cast<Result> (value);
        }
    };

    ~RecordingEffect() override
    {
        if (journal != nullptr)
            journal->push_back ("effect deleted");
    }

    template <typename... Arguments>
    Answer note (const char* name, Arguments... arguments)
    {
        calls.push_back (callText (name, arguments...));

        if (journal != nullptr)
            journal->push_back (calls.back());

        if (throwing)
            throw std::runtime_error (name);

        return { answer };
    }

    /** Attaches an editor that notes its calls here. */
    void attachEditor();

    std::vector<std::string> calls;
    VstIntPtr answer = 0;
    bool throwing = false;
    void* chunkBlock = nullptr; // where getChunk points the host
    std::vector<std::string>* journal = nullptr; // outlives the effect: its calls, its deletion and its editor's

    void open() override { note ("open"); }
    void close() override { note ("close"); }
    void suspend() override { note ("suspend"); }
    void setSampleRate (float rate) override { note ("setSampleRate", rate); }
    void setBlockSize (VstInt32 size) override { note ("setBlockSize", size); }
    void processReplacing (float** in, float** out, VstInt32 frames) override { note ("processReplacing", in, out, frames); }
    void processDoubleReplacing (double** in, double** out, VstInt32 frames) override { note ("processDoubleReplacing", in, out, frames); }
    void process (float** in, float** out, VstInt32 frames) override { note ("process", in, out, frames); }
    void setParameter (VstInt32 index, float value) override { note ("setParameter", index, value); }
    float getParameter (VstInt32 index) override { return note ("getParameter", index); }
    VstInt32 getProgram() override { return note ("getProgram"); }
    void setProgram (VstInt32 program) override { note ("setProgram", program); }
    void setProgramName (char* name) override { note ("setProgramName", name); }
    void getProgramName (char* name) override { note ("getProgramName", name); }
    void getParameterLabel (VstInt32 index, char* text) override { note ("getParameterLabel", index, text); }
    void getParameterDisplay (VstInt32 index, char* text) override { note ("getParameterDisplay", index, text); }
    void getParameterName (VstInt32 index, char* text) override { note ("getParameterName", index, text); }
    VstInt32 setChunk (void* data, VstInt32 size, bool preset) override { return note ("setChunk", data, size, preset); }

    VstInt32 getChunk (void** data, bool preset) override
    {
        *data = chunkBlock;
        return note ("getChunk", data, preset);
    }

    VstInt32 processEvents (VstEvents* events) override { return note ("processEvents", events); }
    bool canParameterBeAutomated (VstInt32 index) override { return note ("canParameterBeAutomated", index); }
    bool string2parameter (VstInt32 index, char* text) override { return note ("string2parameter", index, text); }
    bool getProgramNameIndexed (VstInt32 category, VstInt32 index, char* text) override { return note ("getProgramNameIndexed", category, index, text); }
    bool getInputProperties (VstInt32 index, VstPinProperties* pin) override { return note ("getInputProperties", index, pin); }
    bool getOutputProperties (VstInt32 index, VstPinProperties* pin) override { return note ("getOutputProperties", index, pin); }
    VstPlugCategory getPlugCategory() override { return note ("getPlugCategory"); }
    bool offlineNotify (VstAudioFile* files, VstInt32 count, bool start) override { return note ("offlineNotify", files, count, start); }
    bool offlinePrepare (VstOfflineTask* task, VstInt32 count) override { return note ("offlinePrepare", task, count); }
    bool offlineRun (VstOfflineTask* task, VstInt32 count) override { return note ("offlineRun", task, count); }
    bool processVariableIo (VstVariableIo* io) override { return note ("processVariableIo", io); }
    bool setSpeakerArrangement (VstSpeakerArrangement* in, VstSpeakerArrangement* out) override { return note ("setSpeakerArrangement", in, out); }
    bool getSpeakerArrangement (VstSpeakerArrangement** in, VstSpeakerArrangement** out) override { return note ("getSpeakerArrangement", in, out); }
    bool setBypass (bool onOff) override { return note ("setBypass", onOff); }
    bool getEffectName (char* text) override { return note ("getEffectName", text); }
    bool getVendorString (char* text) override { return note ("getVendorString", text); }
    bool getProductString (char* text) override { return note ("getProductString", text); }
    VstInt32 getVendorVersion() override { return note ("getVendorVersion"); }
    VstIntPtr vendorSpecific (VstInt32 a, VstIntPtr b, void* ptr, float c) override { return note ("vendorSpecific", a, b, ptr, c); }
    VstInt32 canDo (char* text) override { return note ("canDo", text); }
    VstInt32 getGetTailSize() override { return note ("getGetTailSize"); }
    bool getParameterProperties (VstInt32 index, VstParameterProperties* p) override { return note ("getParameterProperties", index, p); }
    VstInt32 getVstVersion() override { return note ("getVstVersion"); }
    VstInt32 getMidiProgramName (VstInt32 channel, MidiProgramName* name) override { return note ("getMidiProgramName", channel, name); }
    VstInt32 getCurrentMidiProgram (VstInt32 channel, MidiProgramName* name) override { return note ("getCurrentMidiProgram", channel, name); }
    VstInt32 getMidiProgramCategory (VstInt32 channel, MidiProgramCategory* c) override { return note ("getMidiProgramCategory", channel, c); }
    bool hasMidiProgramsChanged (VstInt32 channel) override { return note ("hasMidiProgramsChanged", channel); }
    bool getMidiKeyName (VstInt32 channel, MidiKeyName* name) override { return note ("getMidiKeyName", channel, name); }
    bool beginSetProgram() override { return note ("beginSetProgram"); }
    bool endSetProgram() override { return note ("endSetProgram"); }
    VstInt32 getNextShellPlugin (char* name) override { return note ("getNextShellPlugin", name); }
    VstInt32 startProcess() override { return note ("startProcess"); }
    VstInt32 stopProcess() override { return note ("stopProcess"); }
    VstInt32 setTotalSampleToProcess (VstInt32 value) override { return note ("setTotalSampleToProcess", value); }
    bool setPanLaw (VstInt32 type, float value) override { return note ("setPanLaw", type, value); }
    VstInt32 beginLoadBank (VstPatchChunkInfo* info) override { return note ("beginLoadBank", info); }
    VstInt32 beginLoadProgram (VstPatchChunkInfo* info) override { return note ("beginLoadProgram", info); }
    bool setProcessPrecision (VstInt32 precision) override { return note ("setProcessPrecision", precision); }
    VstInt32 getNumMidiInputChannels() override { return note ("getNumMidiInputChannels"); }
    VstInt32 getNumMidiOutputChannels() override { return note ("getNumMidiOutputChannels"); }
};

/** Notes its calls in its effect's list, as "editor.<operation>". */
class RecordingEditor : public AEffEditor
{
public:
    explicit RecordingEditor (RecordingEffect& owner)
        : effect (owner)
        , journal (owner.journal)
    {
    }

    ~RecordingEditor() override
    {
        if (journal != nullptr)
            journal->push_back ("editor deleted");
    }

    bool getRect (ERect** rect) override { return effect.note ("editor.getRect", rect); }
    bool open (void* window) override { return effect.note ("editor.open", window); }
    void close() override { effect.note ("editor.close"); }
    void idle() override { effect.note ("editor.idle"); }
    bool onKeyDown (VstKeyCode& key) override { return effect.note ("editor.onKeyDown", key.character, key.virt, key.modifier); }
    bool onKeyUp (VstKeyCode& key) override { return effect.note ("editor.onKeyUp", key.character, key.virt, key.modifier); }
    bool setKnobMode (VstInt32 mode) override { return effect.note ("editor.setKnobMode", mode); }

    RecordingEffect& effect;
    std::vector<std::string>* journal;
};

inline void RecordingEffect::attachEditor()
{
    editor = std::make_unique<RecordingEditor> (*this);
}

//==============================================================================
inline VstIntPtr dispatch (AEffect* effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f)
{
    return effect->dispatcher (effect, opcode, index, value, ptr, opt);
}

constexpr VstInt32 programCount = 3;
constexpr VstInt32 parameterCount = 4;

/** What each operation gives in the opcode tables: -3 as a 32-bit result, 1 as a bool,
    4294967293 as a pointer-sized one. */
constexpr VstIntPtr rowAnswer = (VstIntPtr { 1 } << 32) - 3;

/** One host call through the record's dispatcher, the one call it must reach ("" for
    none) and the dispatcher's answer when that operation gives rowAnswer. */
struct OpcodeRow
{
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
    std::string call;
    VstIntPtr result;
};

/** Sends each row to a fresh RecordingEffect (one input, two outputs) whose operations give
    rowAnswer, then 0: a refused row must answer 0 and reach nothing, and no row may ask the host. */
inline void expectOpcodeRows (const std::vector<OpcodeRow>& rows, bool withEditor = true)
{
    FakeHost host;

    for (const auto& row : rows)
    {
        for (const auto answer : { rowAnswer, VstIntPtr { 0 } })
        {
            auto* effect = new RecordingEffect (&FakeHost::callback, programCount, parameterCount);
            effect->answer = answer;

            if (withEditor)
                effect->attachEditor();

            const auto result = dispatch (effect->getAeffect(), row.opcode, row.index, row.value, row.ptr, row.opt);
            const auto expectedCalls = row.call.empty() ? std::vector<std::string>() : std::vector<std::string> { row.call };
            const auto where = callText ("opcode " + std::to_string (row.opcode), row.index, row.value, row.ptr, row.opt);

            EXPECT_EQ (effect->calls, expectedCalls) << where;
            EXPECT_EQ (result, answer == 0 && ! row.call.empty() ? 0 : row.result) << where << " answer " << answer;
            delete effect;
        }
    }

    EXPECT_TRUE (host.requests.empty());
}

/** Runs a text conversion into maxLen + 1 bytes followed by a guard. Answers the text, or
    "overrun" when the conversion wrote past position maxLen or left a byte up to it unset. */
template <typename Conversion>
std::string convertedText (Conversion conversion, VstInt32 maxLen)
{
    constexpr std::size_t guard = 16;
    const auto size = static_cast<std::size_t> (maxLen) + 1;
    std::vector<char> buffer (size + guard, '~');
    conversion (buffer.data(), maxLen);

    const auto end = std::find (buffer.begin(), buffer.end(), 0);
    const auto length = static_cast<std::size_t> (end - buffer.begin());
    const bool terminated = length < size && std::count (end, buffer.begin() + static_cast<long> (size), 0) == static_cast<long> (size - length);
    const bool guarded = std::count (buffer.begin() + static_cast<long> (size), buffer.end(), '~') == static_cast<long> (guard);
    return terminated && guarded ? std::string (buffer.begin(), end) : std::string ("overrun");
}
} // namespace quorvel::test
