#include "tests/plugin/vst2/RawVstHost.h"

#include <dlfcn.h>

#include <algorithm>
#include <utility>

namespace quorvel::test
{
namespace
{
    // How deep the current thread is in the host's own calls into the plug-in.
    thread_local int hostCallDepth = 0;

    struct InsideHostCall
    {
        InsideHostCall() { ++hostCallDepth; }
        ~InsideHostCall() { --hostCallDepth; }
    };
} // namespace

RawVstHost& RawVstHost::get()
{
    static RawVstHost host;
    return host;
}

RawVstHost::RawVstHost()
{
    // Kept loaded for the life of the process, as hosts keep a plug-in's library.
    library = dlopen (QUORVEL_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);

    if (symbol ("VSTPluginMain") == nullptr)
        loadFailure = "Quorvel.so or its VSTPluginMain could not be loaded";
}

void* RawVstHost::symbol (const char* name) const
{
    return library != nullptr ? dlsym (library, name) : nullptr;
}

fst::AEffect* RawVstHost::create (const char* entryPoint)
{
    const InsideHostCall inside;
    const auto entry = reinterpret_cast<EntryPoint> (symbol (entryPoint));
    return entry != nullptr ? entry (&RawVstHost::callback) : nullptr;
}

fst::VstIntPtr RawVstHost::dispatch (fst::AEffect* effect, int opcode, int index, fst::VstIntPtr value, void* ptr, float opt)
{
    const InsideHostCall inside;
    return effect->dispatcher (effect, opcode, index, value, ptr, opt);
}

void RawVstHost::setParameter (fst::AEffect* effect, int index, float value)
{
    const InsideHostCall inside;
    effect->setParameter (effect, index, value);
}

float RawVstHost::getParameter (fst::AEffect* effect, int index)
{
    const InsideHostCall inside;
    return effect->getParameter (effect, index);
}

void RawVstHost::processReplacing (fst::AEffect* effect, float** inputs, float** outputs, int frames)
{
    const InsideHostCall inside;
    effect->processReplacing (effect, inputs, outputs, frames);
}

int RawVstHost::initialDelay (const fst::AEffect* effect)
{
    return __atomic_load_n (&effect->initialDelay, __ATOMIC_ACQUIRE);
}

std::vector<RawVstHost::Request> RawVstHost::take()
{
    const std::lock_guard<std::mutex> lock (mutex);
    return std::exchange (requests, {});
}

int RawVstHost::count (int opcode)
{
    const std::lock_guard<std::mutex> lock (mutex);
    return (int) std::count_if (requests.begin(), requests.end(), [opcode] (const Request& request)
                                { return request.opcode == opcode; });
}

int RawVstHost::count (int opcode, int initialDelay)
{
    const std::lock_guard<std::mutex> lock (mutex);
    return (int) std::count_if (requests.begin(), requests.end(), [opcode, initialDelay] (const Request& request)
                                { return request.opcode == opcode && request.initialDelay == initialDelay; });
}

fst::VstIntPtr RawVstHost::callback (fst::AEffect* effect, int opcode, int index, fst::VstIntPtr value, void*, float opt)
{
    auto& host = get();
    const auto delay = effect != nullptr ? initialDelay (effect) : 0;
    const std::lock_guard<std::mutex> lock (host.mutex);
    host.requests.push_back ({ opcode, index, value, opt, std::this_thread::get_id(), hostCallDepth > 0, delay });

    if (opcode == fst::audioMasterGetTime)
        return reinterpret_cast<fst::VstIntPtr> (host.timeInfoAnswer.load());

    return opcode == fst::audioMasterVersion ? host.versionAnswer.load() : 0;
}

HostChannels::HostChannels (int numFrames, float fill)
    : frames (numFrames)
    , samples ((size_t) (4 * numFrames), fill)
{
    for (int channel = 0; channel < 4; ++channel)
        channelPointers.push_back (samples.data() + (size_t) channel * (size_t) numFrames);
}
} // namespace quorvel::test
