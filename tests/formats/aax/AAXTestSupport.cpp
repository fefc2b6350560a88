#include "formats/aax/AAXTestSupport.h"

#include "formats/aax/AAX_CBinaryDisplayDelegate.h"
#include "formats/aax/AAX_CBinaryTaperDelegate.h"
#include "formats/aax/AAX_CLinearTaperDelegate.h"
#include "formats/aax/AAX_CNumberDisplayDelegate.h"
#include "formats/aax/AAX_CPacketHandler.h"

AAX_CParameter<float>* newFloatParameter (const char* identifier, float defaultValue, const char* name)
{
    return new AAX_CParameter<float> (identifier, AAX_CString (name), defaultValue, AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f), AAX_CNumberDisplayDelegate<float, 3u, 0u>(), true);
}

AAX_CParameter<bool>* newBoolParameter (const char* identifier, bool defaultValue, const char* name)
{
    return new AAX_CParameter<bool> (identifier, AAX_CString (name), defaultValue, AAX_CBinaryTaperDelegate<bool>(), AAX_CBinaryDisplayDelegate<bool> ("bypass", "on"), true);
}

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
        auto* bypass = newBoolParameter (kMasterBypassID);
        bypass->SetNumberOfSteps (2);
        bypass->SetType (AAX_IParameter::discreteType);
        addParameter (bypass);

        if (setup.registerBypassPacket)
        {
            auto& dispatcher = GetPacketDispatcher();
            dispatcher.RegisterPacket (kMasterBypassID, kBypassPort, AAX_CPacketHandler<AAX_CPacketDispatcher> (&dispatcher, &AAX_CPacketDispatcher::WriteParameterValuePacket));
        }
    }

    for (const auto& [identifier, defaultValue] : setup.floatParameters)
    {
        auto* parameter = newFloatParameter (identifier.c_str(), defaultValue, ("Parameter " + identifier).c_str());
        parameter->SetNumberOfSteps (2147483647u);
        addParameter (parameter);
    }

    if (setup.withPreview)
        addParameter (newBoolParameter (kPreviewID, false, "Preview"));
}
