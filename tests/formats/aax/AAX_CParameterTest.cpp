#include "formats/aax/AAX_CParameter.h"

#include "formats/aax/AAXTestSupport.h"
#include "formats/aax/AAX_CBinaryDisplayDelegate.h"
#include "formats/aax/AAX_CBinaryTaperDelegate.h"
#include "formats/aax/AAX_CLinearTaperDelegate.h"
#include "formats/aax/AAX_CNumberDisplayDelegate.h"
#include "formats/aax/AAX_VAutomationDelegate.h"
#include "formats/aax/host/AAXHostTest.h"
#include "formats/aax/host/HostEffectInstance.h"
#include "formats/aax/host/HostReference.h"

#include <gmock/gmock.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace
{
using ::testing::ElementsAre;
using ::testing::EndsWith;
using LinearTaper = AAX_CLinearTaperDelegate<float, 0>;
using FloatParameter = AAX_CParameter<float>;
using BoolParameter = AAX_CParameter<bool>;

constexpr auto notANumber = std::numeric_limits<double>::quiet_NaN();

std::unique_ptr<FloatParameter> makeFloat (float defaultValue, const char* identifier = "2", const char* name = "Max Peak Level")
{
    return std::unique_ptr<FloatParameter> (newFloatParameter (identifier, defaultValue, name));
}

std::string valueText (const AAX_IParameter& parameter, int32_t maxNumChars = -1)
{
    AAX_CString text;
    EXPECT_TRUE (maxNumChars < 0 ? parameter.GetValueString (&text) : parameter.GetValueString (maxNumChars, &text));
    return text.Get();
}

//==============================================================================
TEST (AAX_CParameter, ConstructionAppliesTheDefaultThroughTheTaper)
{
    const auto parameter = makeFloat (0.5f);
    EXPECT_EQ (parameter->GetNumberOfSteps(), 128u);
    EXPECT_EQ (parameter->GetType(), AAX_IParameter::continuousType);
    EXPECT_EQ (parameter->GetValue(), 0.5f);
    EXPECT_EQ (parameter->GetNormalizedDefaultValue(), 0.5);
    EXPECT_EQ (valueText (*parameter), "0.500");

    EXPECT_EQ (makeFloat (3.0f)->GetValue(), 1.0f);
    EXPECT_EQ (makeFloat (std::numeric_limits<float>::quiet_NaN())->GetNormalizedDefaultValue(), 0.0);
    EXPECT_EQ (std::unique_ptr<BoolParameter> (newBoolParameter ("b"))->GetNumberOfSteps(), 128u) << "set to 2 by its creator, after construction";

    EXPECT_EQ (std::string (makeFloat (0.0f, std::string (40, 'x').c_str())->Identifier()), std::string (31, 'x'));
    const std::string thirtyOne = std::string (30, 'a') + "b";
    EXPECT_EQ (makeFloat (0.0f, thirtyOne.c_str())->Identifier(), thirtyOne);
    EXPECT_STREQ (makeFloat (0.0f, nullptr)->Identifier(), "");
}

TEST (AAX_CParameter, ShortenedNamesTakeTheLongestThatFitsElseTheShortest)
{
    auto parameter = makeFloat (0.0f, "0", "Attack Timing"); // 13 characters
    parameter->AddShortenedName (AAX_CString ("Atk Time"));
    parameter->AddShortenedName (AAX_CString ("Attk"));
    const std::vector<std::pair<int32_t, const char*>> expected { { 3, "Attk" }, { 4, "Attk" }, { 7, "Attk" }, { 8, "Atk Time" }, { 12, "Atk Time" }, { 13, "Attack Timing" }, { 200, "Attack Timing" }, { -1, "Attack Timing" } };

    for (const auto& [length, name] : expected)
        EXPECT_STREQ (parameter->ShortenedName (length).Get(), name) << length;

    parameter->AddShortenedName (AAX_CString ("ATTK"));
    EXPECT_STREQ (parameter->ShortenedName (5).Get(), "ATTK") << "a name of a length already present replaces it";
    parameter->ClearShortenedNames();
    parameter->SetName (AAX_CString ("Attack"));
    EXPECT_STREQ (parameter->ShortenedName (3).Get(), "Attack");
}

TEST (AAX_CParameter, RequestsWithoutAutomationApplyAtOnceAndNeverStoreANaN)
{
    auto parameter = makeFloat (0.5f);
    const std::vector<std::pair<std::function<void()>, float>> requests {
        { [&]
          { parameter->SetNormalizedValue (1.7); },
          1.0f },
        { [&]
          { parameter->SetNormalizedValue (0.25); },
          0.25f },
        { [&]
          { parameter->SetValue (-4.0f); },
          0.0f },
        { [&]
          { parameter->SetToDefaultValue(); },
          0.5f },
        { [&]
          { parameter->SetNormalizedValue (notANumber); },
          0.0f },
        { [&]
          { parameter->SetValueWithFloat (0.75f); },
          0.75f },
        { [&]
          { parameter->UpdateNormalizedValue (notANumber); },
          0.0f },
        { [&]
          { parameter->SetValueWithFloat (std::numeric_limits<float>::quiet_NaN()); },
          0.0f },
        { [&]
          { EXPECT_TRUE (parameter->SetValueFromString (AAX_CString ("5"))); },
          1.0f },
        { [&]
          { EXPECT_TRUE (parameter->SetValueFromString (AAX_CString (" 0.125 dB"))); },
          0.125f },
        { [&]
          { EXPECT_FALSE (parameter->SetValueFromString (AAX_CString ("abc"))); },
          0.125f },
        { [&]
          { parameter->SetNormalizedDefaultValue (0.75); },
          0.125f },
    };

    for (size_t i = 0; i < requests.size(); ++i)
    {
        requests[i].first();
        EXPECT_EQ (parameter->GetValue(), requests[i].second) << "request " << i;
    }

    EXPECT_EQ (parameter->GetNormalizedDefaultValue(), 0.75);
    parameter->SetNormalizedDefaultValue (notANumber);
    EXPECT_EQ (parameter->GetNormalizedDefaultValue(), 0.0);

    std::unique_ptr<BoolParameter> bypass (newBoolParameter ("b"));
    // Any positive value is on, down to the smallest positive float and double.
    const double smallestFloat = std::numeric_limits<float>::denorm_min();
    const double smallestDouble = std::numeric_limits<double>::denorm_min();
    const std::vector<std::pair<double, bool>> positions { { 0.3, true }, { 0.0, false }, { 0.0001, true }, { -0.0001, false }, { smallestFloat, true }, { -smallestFloat, false }, { smallestDouble, true }, { -0.0, false }, { 1.0, true }, { notANumber, false } };

    for (const auto& [normalized, on] : positions)
    {
        bypass->SetNormalizedValue (normalized);
        EXPECT_EQ (bypass->GetValue(), on) << normalized;
        EXPECT_EQ (bypass->GetNormalizedValue(), on ? 1.0 : 0.0);
        EXPECT_EQ (valueText (*bypass), on ? "on" : "bypass");
    }

    EXPECT_TRUE (bypass->SetValueFromString (AAX_CString ("on")));
    EXPECT_FALSE (bypass->SetValueFromString (AAX_CString ("On")));
    EXPECT_TRUE (bypass->GetValue());
    double position = -1.0;
    EXPECT_TRUE (bypass->GetNormalizedValueFromString (AAX_CString ("on"), &position) && position == 1.0) << "both texts lie in the on/off range";
    EXPECT_TRUE (bypass->GetNormalizedValueFromString (AAX_CString ("bypass"), &position) && position == 0.0);
}

TEST (AAX_CParameter, StepsAreTheNearestOfEqualDivisions)
{
    auto parameter = makeFloat (0.5f);
    EXPECT_EQ (parameter->GetStepValue(), 64u);
    parameter->SetStepValue (200);
    EXPECT_EQ (parameter->GetNormalizedValue(), 1.0);
    EXPECT_EQ (parameter->GetStepValue(), 127u);
    parameter->SetStepValue (31);
    EXPECT_NEAR (parameter->GetNormalizedValue(), 31.0 / 127.0, 1.0e-7);

    // Oracle: the nearest of steps - 1 equal divisions.
    parameter->SetNumberOfSteps (11);

    for (int hundredth = 0; hundredth <= 100; ++hundredth)
    {
        parameter->SetNormalizedValue (hundredth / 100.0);
        EXPECT_EQ (parameter->GetStepValue(), static_cast<uint32_t> (std::floor (parameter->GetNormalizedValue() * 10.0 + 0.5))) << hundredth;
    }

    for (const uint32_t steps : { 0u, 1u })
    {
        parameter->SetValue (0.5f);
        parameter->SetNumberOfSteps (steps);
        EXPECT_EQ (parameter->GetStepValue(), 0u);
        parameter->SetStepValue (1);
        EXPECT_EQ (parameter->GetValue(), 0.5f) << "no steps, no change";
    }

    parameter->SetNumberOfSteps (2);
    parameter->SetStepValue (1);
    EXPECT_EQ (parameter->GetStepValue(), 1u) << "two steps, as the bypass has";
    parameter->SetNumberOfSteps (2147483647u);
    parameter->SetValue (1.0f);
    EXPECT_EQ (parameter->GetStepValue(), 2147483646u);
}

TEST (AAX_CParameter, TextConversionsReportValuesOutsideTheRange)
{
    auto parameter = makeFloat (0.025f);
    EXPECT_EQ (valueText (*parameter, 4), "0.02");
    EXPECT_EQ (valueText (*parameter, 0), "");

    double normalized = -1.0;
    EXPECT_FALSE (parameter->GetNormalizedValueFromString (AAX_CString ("5"), &normalized));
    EXPECT_EQ (normalized, 1.0) << "written even though out of range";
    EXPECT_TRUE (parameter->GetNormalizedValueFromString (AAX_CString ("0.25"), &normalized));
    EXPECT_EQ (normalized, 0.25);
    EXPECT_FALSE (parameter->GetNormalizedValueFromString (AAX_CString ("abc"), &normalized));
    EXPECT_EQ (normalized, 0.25);
    EXPECT_FALSE (parameter->GetNormalizedValueFromString (AAX_CString ("0.5"), nullptr));

    AAX_CString text;
    EXPECT_TRUE (parameter->GetStringFromNormalizedValue (0.75, text));
    EXPECT_STREQ (text.Get(), "0.750");
    EXPECT_TRUE (parameter->GetStringFromNormalizedValue (0.75, 3, text));
    EXPECT_STREQ (text.Get(), "0.7");
    EXPECT_TRUE (parameter->GetStringFromNormalizedValue (1.5, text)) << "the taper brings it into range";
    EXPECT_STREQ (text.Get(), "1.000");
    EXPECT_EQ (parameter->GetValue(), 0.025f) << "queries leave the value";
}

TEST (AAX_CParameter, OnlyTheAccessorsOfTheOwnTypeAnswer)
{
    auto parameter = makeFloat (0.5f);
    bool boolValue = true;
    int32_t intValue = 7;
    double doubleValue = 7.0;
    float floatValue = 7.0f;
    AAX_CString text ("untouched");

    EXPECT_FALSE (parameter->GetValueAsBool (&boolValue) || parameter->GetValueAsInt32 (&intValue) || parameter->GetValueAsDouble (&doubleValue) || parameter->GetValueAsString (&text));
    EXPECT_TRUE (boolValue && intValue == 7 && doubleValue == 7.0 && text == AAX_CString ("untouched"));
    EXPECT_FALSE (parameter->SetValueWithBool (true) || parameter->SetValueWithInt32 (1) || parameter->SetValueWithDouble (1.0) || parameter->SetValueWithString (AAX_CString ("1")));
    EXPECT_TRUE (parameter->GetValueAsFloat (&floatValue));
    EXPECT_EQ (floatValue, 0.5f);
    EXPECT_FALSE (parameter->GetValueAsFloat (nullptr));

    std::unique_ptr<BoolParameter> bypass (newBoolParameter ("b"));
    EXPECT_FALSE (bypass->GetValueAsFloat (&floatValue) || bypass->SetValueWithFloat (1.0f));
    EXPECT_TRUE (bypass->SetValueWithBool (true));
    EXPECT_TRUE (bypass->GetValueAsBool (&boolValue));
    EXPECT_TRUE (boolValue);
}

TEST (AAX_CParameter, DelegatesAreOwnClonesOfTheRightType)
{
    auto taper = std::make_unique<LinearTaper> (0.0f, 2.0f);
    FloatParameter parameter ("x", AAX_CString ("x"), 1.0f, *taper, AAX_CNumberDisplayDelegate<float, 3u, 0u>(), false);
    taper.reset();
    EXPECT_EQ (parameter.GetNormalizedValue(), 0.5);
    EXPECT_FALSE (parameter.Automatable());

    parameter.SetTaperDelegate (AAX_CBinaryTaperDelegate<bool>(), false);
    parameter.SetDisplayDelegate (AAX_CBinaryDisplayDelegate<bool> ("off", "on"));
    EXPECT_EQ (parameter.GetValue(), 1.0f);
    EXPECT_EQ (valueText (parameter), "1.000");

    auto kept = makeFloat (0.5f);
    kept->SetTaperDelegate (LinearTaper (0.0f, 10.0f), false);
    EXPECT_EQ (kept->GetValue(), 5.0f) << "the position kept";
    auto preserved = makeFloat (0.5f);
    preserved->SetTaperDelegate (LinearTaper (0.0f, 10.0f), true);
    EXPECT_EQ (preserved->GetValue(), 0.5f) << "the value kept";
    EXPECT_DOUBLE_EQ (preserved->GetNormalizedValue(), 0.05);
}

//==============================================================================
/** A parameter attached to the simulated host's automation through the
    library's wrapper, the way the effect attaches it; the host's set-value
    requests come back through the parameter's update path. */
class AAX_CParameterWithHostTest : public AAXHostTest
{
protected:
    void SetUp() override
    {
        hostAutomation().setUpdatePath ([this] (const std::string& parameterID, double normalizedValue)
                                        {
                                            if (parameterID == parameter->Identifier())
                                                parameter->UpdateNormalizedValue (normalizedValue); });
        parameter->SetAutomationDelegate (automation.get());
        host.calls().clear();
    }

    void TearDown() override
    {
        hostAutomation().setUpdatePath (nullptr);
        parameter.reset();
        automation.reset();
        instance.reset();
        AAXHostTest::TearDown();
    }

    HostAutomationDelegate& hostAutomation() { return instance->automation(); }

    /** The host's record of automation calls, as "Operation(arguments)". */
    std::vector<std::string> automationCalls()
    {
        std::vector<std::string> calls;

        for (const auto& entry : host.calls().entriesOf (hostAutomation().name()))
            calls.push_back (entry.substr (entry.find ('.') + 1));

        host.calls().clear();
        return calls;
    }

    HostReference<HostEffectInstance> instance = makeHostObject<HostEffectInstance> (host.context());
    std::unique_ptr<AAX_VAutomationDelegate> automation = std::make_unique<AAX_VAutomationDelegate> (instance->unknown());
    std::unique_ptr<FloatParameter> parameter = makeFloat (0.5f);
};

TEST_F (AAX_CParameterWithHostTest, AttachingRegistersAndLeavingUnregisters)
{
    EXPECT_TRUE (hostAutomation().isRegistered ("2"));
    parameter->SetAutomationDelegate (automation.get());
    EXPECT_THAT (automationCalls(), ElementsAre ("UnregisterParameter(\"2\")", "RegisterParameter(\"2\")"));

    parameter->SetAutomationDelegate (nullptr);
    EXPECT_FALSE (hostAutomation().isRegistered ("2"));
    parameter->SetAutomationDelegate (automation.get());
    parameter.reset();
    EXPECT_EQ (hostAutomation().registeredCount(), 0) << "the destructor unregisters";
}

TEST_F (AAX_CParameterWithHostTest, ARequestWaitsForTheHostsUpdate)
{
    parameter->SetNormalizedValue (0.25);
    EXPECT_THAT (automationCalls(), ElementsAre ("PostTouchRequest(\"2\")", "PostSetValueRequest(\"2\", 0.25)", "PostReleaseRequest(\"2\")"));
    EXPECT_EQ (parameter->GetValue(), 0.5f) << "a request stores nothing";

    EXPECT_EQ (hostAutomation().deliverPending(), 1);
    EXPECT_EQ (parameter->GetValue(), 0.25f);
    EXPECT_THAT (automationCalls(), ElementsAre ("PostCurrentValue(\"2\", 0.25)"));

    hostAutomation().setDelivery (HostAutomationDelegate::Delivery::synchronous);
    parameter->SetNormalizedValue (0.75);
    EXPECT_EQ (parameter->GetValue(), 0.75f);
    EXPECT_THAT (automationCalls(), ElementsAre ("PostTouchRequest(\"2\")", "PostSetValueRequest(\"2\", 0.75)", "PostCurrentValue(\"2\", 0.75)", "PostReleaseRequest(\"2\")"));
}

TEST_F (AAX_CParameterWithHostTest, EveryKindOfRequestGoesThroughTheHost)
{
    parameter->SetValueWithFloat (0.125f);
    parameter->SetToDefaultValue();
    parameter->SetStepValue (200);
    parameter->SetNormalizedValue (1.7);
    EXPECT_TRUE (parameter->SetValueFromString (AAX_CString ("5")));
    parameter->SetValue (0.75f);
    std::unique_ptr<BoolParameter> bypass (newBoolParameter ("MasterBypassID"));
    bypass->SetAutomationDelegate (automation.get());
    bypass->SetNormalizedValue (0.3);
    bypass->SetNormalizedValue (0.0);

    EXPECT_THAT (host.calls().entriesWithOperation ("PostSetValueRequest"), ElementsAre (EndsWith ("(\"2\", 0.125)"), EndsWith ("(\"2\", 0.5)"), EndsWith ("(\"2\", 1)"), EndsWith ("(\"2\", 1)"), EndsWith ("(\"2\", 1)"), EndsWith ("(\"2\", 0.75)"), EndsWith ("(\"MasterBypassID\", 1)"), EndsWith ("(\"MasterBypassID\", 0)")));
    EXPECT_EQ (host.calls().entriesWithOperation ("PostTouchRequest").size(), 8u);
    EXPECT_EQ (host.calls().entriesWithOperation ("PostReleaseRequest").size(), 8u);
    EXPECT_EQ (parameter->GetValue(), 0.5f);
    EXPECT_FALSE (bypass->GetValue());

    hostAutomation().setAnswer (-20099);
    EXPECT_EQ (hostAutomation().deliverPending(), 8);
    EXPECT_EQ (parameter->GetValue(), 0.75f) << "the last request wins, whatever the host answers to the reports";
}

TEST_F (AAX_CParameterWithHostTest, UpdatesReportTheValueAsSentOnlyWhenItChanged)
{
    parameter->UpdateNormalizedValue (0.3);
    parameter->UpdateNormalizedValue (0.3);
    parameter->UpdateNormalizedValue (1.5);
    parameter->UpdateNormalizedValue (notANumber);
    parameter->SetNormalizedDefaultValue (0.1);
    EXPECT_THAT (automationCalls(), ElementsAre ("PostCurrentValue(\"2\", 0.29999999999999999)", "PostCurrentValue(\"2\", 1.5)", "PostCurrentValue(\"2\", 0)"));
    EXPECT_EQ (parameter->GetValue(), 0.0f);

    parameter->SetTaperDelegate (LinearTaper (0.0f, 10.0f), false);
    EXPECT_THAT (automationCalls(), ElementsAre ("PostCurrentValue(\"2\", 0)")) << "a taper change reports even an unchanged value";

    parameter->UpdateNormalizedValue (0.5);
    parameter->SetTaperDelegate (LinearTaper (0.0f, 100.0f), true);
    EXPECT_EQ (parameter->GetValue(), 5.0f) << "the request waits for the host";
    hostAutomation().deliverPending();
    EXPECT_THAT (automationCalls(), ElementsAre ("PostCurrentValue(\"2\", 0.5)", "PostTouchRequest(\"2\")", "PostSetValueRequest(\"2\", 0.050000000000000003)", "PostReleaseRequest(\"2\")", "PostCurrentValue(\"2\", 0.050000000000000003)"));

    parameter->SetDisplayDelegate (AAX_CNumberDisplayDelegate<float, 3u, 0u>());
    EXPECT_THAT (automationCalls(), ElementsAre ("PostCurrentValue(\"2\", 0.050000000000000003)"));
}

//==============================================================================
TEST (AAX_CParameterThreads, TheValueIsReadWholeWhileTheHostSetsIt)
{
    // The coefficient thread reads the typed value while a host thread updates it.
    auto parameter = makeFloat (0.25f);
    std::atomic<bool> writing { true };
    std::atomic<int> strayReads { 0 };

    std::thread reader ([&]
                        {
                            while (writing.load())
                            {
                                float value = -1.0f;
                                parameter->GetValueAsFloat (&value);

                                if (value != 0.25f && value != 0.75f)
                                    strayReads.fetch_add (1);
                            } });

    for (int round = 0; round < 20000; ++round)
        parameter->UpdateNormalizedValue ((round & 1) != 0 ? 0.25 : 0.75);

    writing.store (false);
    reader.join();
    EXPECT_EQ (strayReads.load(), 0);
}
} // namespace
