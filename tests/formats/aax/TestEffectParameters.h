#pragma once

#include "formats/aax/AAX_CEffectParameters.h"

#include <string>
#include <utility>
#include <vector>

/**
    An effect built on the library's base the way the plug-in's bridge builds
    on it: EffectInit registers the master bypass first, then float parameters
    named by index, and feeds the bypass port from the bypass parameter. The
    registry, dispatcher and parser are opened up for tests.
*/
class TestEffectParameters : public AAX_CEffectParameters
{
public:
    struct Setup
    {
        bool withBypass = true;
        bool registerBypassPacket = true;
        bool withPreview = false;
        std::vector<std::pair<std::string, float>> floatParameters { { "0", 0.1f }, { "1", 0.2f }, { "2", 0.5f }, { "3", 0.0f } };
        AAX_Result effectInitResult = kAAX_Success;
    };

    static constexpr int32_t kBypassPort = 3;

    TestEffectParameters();
    explicit TestEffectParameters (Setup setupToUse);

    /** The object's IACFUnknown, as the plug-in's creation routine hands it to the host. */
    IACFUnknown* unknown() { return static_cast<AAX_IACFEffectParameters*> (this); }

    using AAX_CEffectParameters::GetChunkParser;
    using AAX_CEffectParameters::GetPacketDispatcher;
    using AAX_CEffectParameters::GetParameterRegistry;
    using AAX_CEffectParameters::IncrementChangeCounter;

    /** Registers the parameters EffectInit would, without a host. */
    void registerParameters();

    void addFloatParameter (const std::string& identifier, float defaultValue);
    void addBoolParameter (const std::string& identifier, const char* name, bool defaultValue);

    int effectInitCalls() const { return effectInitCount; }

protected:
    AAX_Result EffectInit() override;

private:
    Setup setup;
    int effectInitCount = 0;
};
