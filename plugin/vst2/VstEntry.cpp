// The exported VST 2.4 entry points. They validate the host, build one effect and hand
// its record to the host; nothing thrown inside ever reaches the host.

#include "plugin/vst2/VstBridge.h"

#include <memory>

#define QUORVEL_EXPORT extern "C" __attribute__ ((visibility ("default")))

QUORVEL_EXPORT AEffect* VSTPluginMain (audioMasterCallback audioMaster)
{
    try
    {
        // A host that answers 0 to the version request is not one this effect can serve.
        if (audioMaster == nullptr || audioMaster (nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
            return nullptr;

        // The host's close opcode deletes the effect.
        return std::make_unique<VstBridge> (audioMaster).release()->getAeffect();
    }
    catch (...)
    {
        return nullptr;
    }
}

QUORVEL_EXPORT AEffect* main_macho (audioMasterCallback audioMaster)
{
    return VSTPluginMain (audioMaster);
}
