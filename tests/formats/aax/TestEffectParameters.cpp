#include "formats/aax/TestEffectParameters.h"

#include "formats/aax/AAX_CBinaryDisplayDelegate.h"
#include "formats/aax/AAX_CBinaryTaperDelegate.h"
#include "formats/aax/AAX_CLinearTaperDelegate.h"
#include "formats/aax/AAX_CNumberDisplayDelegate.h"
#include "formats/aax/AAX_CPacketHandler.h"
#include "formats/aax/AAX_CParameter.h"

TestEffectParameters::TestEffectParameters()
    : TestEffectParameters (Setup {})
{
}

TestEffectParameters::TestEffectParameters (Setup setupToUse)
    : setup (std::move (setupToUse))
{
}

AAX_Result TestEffectParameters::EffectInit()
{
    ++effectInitCount;
    registerParameters();
    return setup.effectInitResult;
}

void TestEffectParameters::registerParameters()
{
    if (setup.withBypass)
    {
        addBoolParameter (kMasterBypassID, "Master Bypass", false);

        if (setup.registerBypassPacket)
        {
            auto& dispatcher = GetPacketDispatcher();
            const AAX_CPacketHandler<AAX_CPacketDispatcher> handler (&dispatcher, &AAX_CPacketDispatcher::WriteParameterValuePacket);
            dispatcher.RegisterPacket (kMasterBypassID, kBypassPort, handler);
        }
    }

    for (const auto& [identifier, defaultValue] : setup.floatParameters)
        addFloatParameter (identifier, defaultValue);

    if (setup.withPreview)
        addBoolParameter (kPreviewID, "Preview", false);
}

void TestEffectParameters::addFloatParameter (const std::string& identifier, float defaultValue)
{
    auto* parameter = new AAX_CParameter<float> (identifier.c_str(),
                                                 AAX_CString (("Parameter " + identifier).c_str()),
                                                 defaultValue,
                                                 AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f),
                                                 AAX_CNumberDisplayDelegate<float, 3u, 0u>(),
                                                 true);
    parameter->SetNumberOfSteps (2147483647u);
    parameter->SetType (AAX_IParameter::continuousType);
    GetParameterRegistry().AddParameter (parameter);
}

void TestEffectParameters::addBoolParameter (const std::string& identifier, const char* name, bool defaultValue)
{
    auto* parameter = new AAX_CParameter<bool> (identifier.c_str(),
                                                AAX_CString (name),
                                                defaultValue,
                                                AAX_CBinaryTaperDelegate<bool>(),
                                                AAX_CBinaryDisplayDelegate<bool> ("bypass", "on"),
                                                true);
    parameter->SetNumberOfSteps (2);
    parameter->SetType (AAX_IParameter::discreteType);
    GetParameterRegistry().AddParameter (parameter);
}
