#pragma once

#include "formats/aax/AAX_CEffectParameters.h"
#include "formats/aax/AAX_CParameter.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<uint8_t>;

/** A value's bytes in the machine's own order, as a packet carries it. */
template <typename Value>
Bytes bytesOf (Value value)
{
    Bytes bytes (sizeof (Value));
    std::memcpy (bytes.data(), &value, sizeof (Value));
    return bytes;
}

/** Something for a host to find in an out pointer that was never written. */
template <typename T>
T* garbage()
{
    static int marker;
    return reinterpret_cast<T*> (&marker);
}

/** A processor parameter as the plug-in's bridge makes it: 0 to 1, shown with three decimals. */
AAX_CParameter<float>* newFloatParameter (const char* identifier, float defaultValue, const char* name = "Gain");

/** An on/off parameter showing "bypass" and "on", as the master bypass is made. */
AAX_CParameter<bool>* newBoolParameter (const char* identifier, bool defaultValue = false, const char* name = "Master Bypass");

/**
    An effect built on the library's base the way the plug-in's bridge builds
    on it: EffectInit registers the master bypass first, then float parameters
    named by index, and feeds the bypass port from the bypass parameter. The
    registry, dispatcher and change counter are opened up for tests.
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

    using AAX_CEffectParameters::GetPacketDispatcher;
    using AAX_CEffectParameters::GetParameterRegistry;
    using AAX_CEffectParameters::IncrementChangeCounter;

    /** Registers the parameters EffectInit would, without a host. */
    void registerParameters();

    void addParameter (AAX_IParameter* parameter) { GetParameterRegistry().AddParameter (parameter); }
    int effectInitCalls() const { return effectInitCount; }

protected:
    AAX_Result EffectInit() override;

private:
    Setup setup;
    int effectInitCount = 0;
};
