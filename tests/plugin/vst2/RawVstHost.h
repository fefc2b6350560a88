#pragma once

#include "tests/plugin/vst2/FstRecord.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

/*  Quorvel.so as the plainest VST 2.4 host meets it: loaded with dlopen, entered through
    VSTPluginMain, driven only through the record's function pointers. The host callback
    records every request with the thread it came on and whether that thread was, at the
    time, inside one of the host's own calls into the plug-in; a well-behaved plug-in
    makes no request there except those that answer the call (the version, for one).
    Each request also keeps the record's initialDelay as it was then, which is what a
    host reads when told of a change.

    No test framework in here: the fuzzers drive it too.
*/
namespace quorvel::test
{
class RawVstHost
{
public:
    struct Request
    {
        int opcode = 0;
        int index = 0;
        fst::VstIntPtr value = 0;
        float opt = 0.0f;
        std::thread::id thread;
        bool insideHostCall = false;
        int initialDelay = 0; // what the record held as the request came
    };

    /** The one host of the process; loads the plug-in on first use. */
    static RawVstHost& get();

    /** Why loading failed; empty when the entry point was found. */
    const char* failure() const { return loadFailure; }

    /** A new effect through an entry point (null when the plug-in gives up). */
    fst::AEffect* create (const char* entryPoint = "VSTPluginMain");

    /** What the plug-in exports under a name (null for anything it keeps to itself). */
    void* symbol (const char* name) const;

    // The host's calls into the plug-in, each marked as such for the calling thread.
    static fst::VstIntPtr dispatch (fst::AEffect* effect, int opcode, int index = 0, fst::VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);
    static void setParameter (fst::AEffect* effect, int index, float value);
    static float getParameter (fst::AEffect* effect, int index);
    static void processReplacing (fst::AEffect* effect, float** inputs, float** outputs, int frames);

    /** The record's initialDelay, read atomically as the plug-in writes it. */
    static int initialDelay (const fst::AEffect* effect);

    /** Every request since the last take, in order. */
    std::vector<Request> take();

    /** How many requests with this opcode came since the last take. */
    int count (int opcode);

    /** How many of them found this initialDelay in the record: what a host reads on a notice. */
    int count (int opcode, int initialDelay);

    /** What the host answers to audioMasterVersion. */
    std::atomic<fst::VstIntPtr> versionAnswer { 2400 };

    /** The time information the host answers audioMasterGetTime with (none: null). */
    std::atomic<fst::VstTimeInfo*> timeInfoAnswer { nullptr };

    /** Closes an effect when it goes out of scope. */
    struct Closer
    {
        void operator() (fst::AEffect* effect) const { dispatch (effect, fst::effClose); }
    };

    using Effect = std::unique_ptr<fst::AEffect, Closer>;

private:
    RawVstHost();

    static fst::VstIntPtr callback (fst::AEffect* effect, int opcode, int index, fst::VstIntPtr value, void* ptr, float opt);

    using EntryPoint = fst::AEffect* (*) (fst::audioMasterCallback);
    void* library = nullptr;
    const char* loadFailure = "";

    std::mutex mutex;
    std::vector<Request> requests;
};

/** A four-channel block of host memory for processReplacing. */
struct HostChannels
{
    explicit HostChannels (int numFrames, float fill = 0.0f);

    float** pointers() { return channelPointers.data(); }
    float* channel (int index) { return channelPointers[(size_t) index]; }

    int frames;
    std::vector<float> samples;
    std::vector<float*> channelPointers;
};
} // namespace quorvel::test
