#include "formats/aax/AAX_CParameter.h"

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
using LinearTaper = AAX_CLinearTaperDelegate<float, 0>;
using NumberDisplay = AAX_CNumberDisplayDelegate<float, 3u, 0u>;
using FloatParameter = AAX_CParameter<float>;
using BoolParameter = AAX_CParameter<bool>;

constexpr auto notANumber = std::numeric_limits<double>::quiet_NaN();

std::unique_ptr<FloatParameter> makeFloatParameter (float defaultValue = 0.5f, const char* identifier = "2", const char* name = "Max Peak Level")
{
    return std::make_unique<FloatParameter> (identifier, AAX_CString (name), defaultValue, LinearTaper (0.0f, 1.0f), NumberDisplay(), true);
}

std::unique_ptr<BoolParameter> makeBypassParameter()
{
    return std::make_unique<BoolParameter> ("MasterBypassID",
                                            AAX_CString ("Master Bypass"),
                                            false,
                                            AAX_CBinaryTaperDelegate<bool>(),
                                            AAX_CBinaryDisplayDelegate<bool> ("bypass", "on"),
                                            true);
}

std::string valueText (const AAX_IParameter& parameter)
{
    AAX_CString text;
    EXPECT_TRUE (parameter.GetValueString (&text));
    return text.Get();
}

std::string valueText (const AAX_IParameter& parameter, int32_t maxNumChars)
{
    AAX_CString text;
    EXPECT_TRUE (parameter.GetValueString (maxNumChars, &text));
    return text.Get();
}

//==============================================================================
TEST (AAX_CParameter, ConstructionWithoutDelegateAppliesTheDefault)
{
    const auto parameter = makeFloatParameter (0.5f);

    EXPECT_STREQ (parameter->Identifier(), "2");
    EXPECT_STREQ (parameter->Name().Get(), "Max Peak Level");
    EXPECT_TRUE (parameter->Automatable());
    EXPECT_EQ (parameter->GetNumberOfSteps(), 128u);
    EXPECT_EQ (parameter->GetType(), AAX_IParameter::continuousType);
    EXPECT_EQ (parameter->GetOrientation(), 0);
    EXPECT_EQ (parameter->GetValue(), 0.5f);
    EXPECT_EQ (parameter->GetNormalizedValue(), 0.5);
    EXPECT_EQ (parameter->GetNormalizedDefaultValue(), 0.5);
    EXPECT_EQ (valueText (*parameter), "0.500");
}

TEST (AAX_CParameter, DefaultOutsideTheRangeIsConstrainedInTheValue)
{
    const auto high = makeFloatParameter (3.0f);
    EXPECT_EQ (high->GetValue(), 1.0f);

    const auto notNumber = makeFloatParameter (std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ (notNumber->GetValue(), 0.0f);
    EXPECT_EQ (notNumber->GetNormalizedDefaultValue(), 0.0);
}

TEST (AAX_CParameter, LongIdentifiersAreCutTo31Characters)
{
    const std::string forty (40, 'x');
    const auto parameter = makeFloatParameter (0.0f, forty.c_str());

    EXPECT_EQ (std::string (parameter->Identifier()), std::string (31, 'x'));

    const std::string thirtyOne = std::string (30, 'a') + "b";
    EXPECT_STREQ (makeFloatParameter (0.0f, thirtyOne.c_str())->Identifier(), thirtyOne.c_str());
    EXPECT_STREQ (makeFloatParameter (0.0f, nullptr)->Identifier(), "");
}

TEST (AAX_CParameter, NamesAndShortenedNames)
{
    auto parameter = makeFloatParameter (0.0f, "0", "Attack Timing"); // 13 characters
    parameter->AddShortenedName (AAX_CString ("Attk"));
    parameter->AddShortenedName (AAX_CString ("Atk Time"));

    EXPECT_STREQ (parameter->ShortenedName (3).Get(), "Attk");

    for (int32_t length = 4; length <= 7; ++length)
        EXPECT_STREQ (parameter->ShortenedName (length).Get(), "Attk") << length;

    for (int32_t length = 8; length <= 12; ++length)
        EXPECT_STREQ (parameter->ShortenedName (length).Get(), "Atk Time") << length;

    EXPECT_STREQ (parameter->ShortenedName (13).Get(), "Attack Timing");
    EXPECT_STREQ (parameter->ShortenedName (200).Get(), "Attack Timing");
    EXPECT_STREQ (parameter->ShortenedName (-1).Get(), "Attack Timing");

    // A name of a length already present replaces the earlier one.
    parameter->AddShortenedName (AAX_CString ("ATTK"));
    EXPECT_STREQ (parameter->ShortenedName (5).Get(), "ATTK");

    parameter->ClearShortenedNames();
    EXPECT_STREQ (parameter->ShortenedName (3).Get(), "Attack Timing");

    parameter->SetName (AAX_CString ("Attack"));
    EXPECT_STREQ (parameter->Name().Get(), "Attack");
}

//==============================================================================
TEST (AAX_CParameter, RequestsWithoutDelegateApplyAtOnceThroughTheTaper)
{
    auto parameter = makeFloatParameter (0.5f);

    parameter->SetNormalizedValue (1.7);
    EXPECT_EQ (parameter->GetValue(), 1.0f);

    parameter->SetNormalizedValue (0.25);
    EXPECT_EQ (parameter->GetValue(), 0.25f);

    parameter->SetValue (-4.0f);
    EXPECT_EQ (parameter->GetValue(), 0.0f);

    parameter->SetToDefaultValue();
    EXPECT_EQ (parameter->GetValue(), 0.5f);

    parameter->SetNormalizedDefaultValue (0.75);
    EXPECT_EQ (parameter->GetNormalizedDefaultValue(), 0.75);
    EXPECT_EQ (parameter->GetValue(), 0.5f) << "changing the default leaves the value";
}

TEST (AAX_CParameter, NaNIsNeverStored)
{
    auto parameter = makeFloatParameter (0.5f);

    parameter->SetNormalizedValue (notANumber);
    EXPECT_EQ (parameter->GetValue(), 0.0f);

    parameter->SetValue (0.5f);
    parameter->UpdateNormalizedValue (notANumber);
    EXPECT_FALSE (std::isnan (parameter->GetValue()));
    EXPECT_EQ (parameter->GetValue(), 0.0f);

    parameter->SetValue (0.5f);
    parameter->SetValueWithFloat (std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ (parameter->GetValue(), 0.0f);

    parameter->SetNormalizedDefaultValue (notANumber);
    EXPECT_EQ (parameter->GetNormalizedDefaultValue(), 0.0);

    EXPECT_FALSE (std::isnan (parameter->GetNormalizedValue()));
}

TEST (AAX_CParameter, BoolRequestsSnapToOnOrOff)
{
    auto bypass = makeBypassParameter();
    EXPECT_EQ (bypass->GetNumberOfSteps(), 128u) << "set to 2 by its creator, after construction";
    EXPECT_FALSE (bypass->GetValue());

    bypass->SetNormalizedValue (0.3);
    EXPECT_TRUE (bypass->GetValue());
    EXPECT_EQ (bypass->GetNormalizedValue(), 1.0);
    EXPECT_EQ (valueText (*bypass), "on");

    bypass->SetNormalizedValue (0.0);
    EXPECT_FALSE (bypass->GetValue());
    EXPECT_EQ (valueText (*bypass), "bypass");

    bypass->SetNormalizedValue (notANumber);
    EXPECT_FALSE (bypass->GetValue());
}

//==============================================================================
TEST (AAX_CParameter, StepValue)
{
    auto parameter = makeFloatParameter (0.5f);

    EXPECT_EQ (parameter->GetStepValue(), 64u);

    parameter->SetStepValue (200);
    EXPECT_EQ (parameter->GetNormalizedValue(), 1.0);
    EXPECT_EQ (parameter->GetStepValue(), 127u);

    parameter->SetStepValue (0);
    EXPECT_EQ (parameter->GetStepValue(), 0u);

    parameter->SetStepValue (127 / 4);
    EXPECT_NEAR (parameter->GetNormalizedValue(), 31.0 / 127.0, 1.0e-7);
    EXPECT_EQ (parameter->GetStepValue(), 31u);

    for (const uint32_t steps : { 0u, 1u })
    {
        parameter->SetValue (0.5f);
        parameter->SetNumberOfSteps (steps);
        EXPECT_EQ (parameter->GetStepValue(), 0u);
        parameter->SetStepValue (1);
        EXPECT_EQ (parameter->GetValue(), 0.5f) << "no steps, no change";
    }

    parameter->SetNumberOfSteps (2147483647u);
    parameter->SetValue (1.0f);
    EXPECT_EQ (parameter->GetStepValue(), 2147483646u);
}

TEST (AAX_CParameter, StepRoundTripMatchesANaiveRounding)
{
    // Oracle: the step is the nearest of steps - 1 equal divisions.
    auto parameter = makeFloatParameter (0.0f);
    parameter->SetNumberOfSteps (11);

    for (int hundredth = 0; hundredth <= 100; ++hundredth)
    {
        parameter->SetNormalizedValue (hundredth / 100.0);
        const auto expected = static_cast<uint32_t> (std::floor (parameter->GetNormalizedValue() * 10.0 + 0.5));
        EXPECT_EQ (parameter->GetStepValue(), expected) << hundredth;
    }
}

//==============================================================================
TEST (AAX_CParameter, StringConversions)
{
    auto parameter = makeFloatParameter (0.025f);

    EXPECT_EQ (valueText (*parameter, 4), "0.02");
    EXPECT_EQ (valueText (*parameter, 0), "");

    double normalized = -1.0;
    EXPECT_FALSE (parameter->GetNormalizedValueFromString (AAX_CString ("5"), &normalized));
    EXPECT_EQ (normalized, 1.0) << "written even though out of range";

    normalized = -1.0;
    EXPECT_TRUE (parameter->GetNormalizedValueFromString (AAX_CString ("0.25"), &normalized));
    EXPECT_EQ (normalized, 0.25);

    normalized = -1.0;
    EXPECT_FALSE (parameter->GetNormalizedValueFromString (AAX_CString ("abc"), &normalized));
    EXPECT_EQ (normalized, -1.0);
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

TEST (AAX_CParameter, SetValueFromString)
{
    auto parameter = makeFloatParameter (0.5f);

    EXPECT_TRUE (parameter->SetValueFromString (AAX_CString ("5")));
    EXPECT_EQ (parameter->GetValue(), 1.0f);

    EXPECT_TRUE (parameter->SetValueFromString (AAX_CString (" 0.125 dB")));
    EXPECT_EQ (parameter->GetValue(), 0.125f);

    EXPECT_FALSE (parameter->SetValueFromString (AAX_CString ("abc")));
    EXPECT_EQ (parameter->GetValue(), 0.125f);

    auto bypass = makeBypassParameter();
    EXPECT_TRUE (bypass->SetValueFromString (AAX_CString ("on")));
    EXPECT_TRUE (bypass->GetValue());
    EXPECT_FALSE (bypass->SetValueFromString (AAX_CString ("On")));
    EXPECT_TRUE (bypass->GetValue());
}

//==============================================================================
TEST (AAX_CParameter, OnlyTheOwnTypeAnswers)
{
    auto parameter = makeFloatParameter (0.5f);
    bool boolValue = true;
    int32_t intValue = 7;
    double doubleValue = 7.0;
    float floatValue = 7.0f;
    AAX_CString text ("untouched");

    EXPECT_FALSE (parameter->GetValueAsBool (&boolValue));
    EXPECT_FALSE (parameter->GetValueAsInt32 (&intValue));
    EXPECT_FALSE (parameter->GetValueAsDouble (&doubleValue));
    EXPECT_FALSE (parameter->GetValueAsString (&text));
    EXPECT_TRUE (boolValue);
    EXPECT_EQ (intValue, 7);
    EXPECT_EQ (doubleValue, 7.0);
    EXPECT_STREQ (text.Get(), "untouched");

    EXPECT_TRUE (parameter->GetValueAsFloat (&floatValue));
    EXPECT_EQ (floatValue, 0.5f);
    EXPECT_FALSE (parameter->GetValueAsFloat (nullptr));

    EXPECT_FALSE (parameter->SetValueWithBool (true));
    EXPECT_FALSE (parameter->SetValueWithInt32 (1));
    EXPECT_FALSE (parameter->SetValueWithDouble (1.0));
    EXPECT_FALSE (parameter->SetValueWithString (AAX_CString ("1")));
    EXPECT_EQ (parameter->GetValue(), 0.5f);
    EXPECT_TRUE (parameter->SetValueWithFloat (0.75f));
    EXPECT_EQ (parameter->GetValue(), 0.75f);

    auto bypass = makeBypassParameter();
    EXPECT_FALSE (bypass->GetValueAsFloat (&floatValue));
    EXPECT_FALSE (bypass->SetValueWithFloat (1.0f));
    EXPECT_TRUE (bypass->SetValueWithBool (true));
    EXPECT_TRUE (bypass->GetValueAsBool (&boolValue));
    EXPECT_TRUE (boolValue);
}

TEST (AAX_CParameter, TypeAndOrientationAreStoredAsGiven)
{
    auto parameter = makeFloatParameter();
    parameter->SetType (AAX_IParameter::discreteType);
    parameter->SetOrientation (19);

    EXPECT_EQ (parameter->GetType(), 0);
    EXPECT_EQ (parameter->GetOrientation(), 19);
}

//==============================================================================
TEST (AAX_CParameter, TaperChangeKeepsPositionOrValue)
{
    auto kept = makeFloatParameter (0.5f);
    kept->SetTaperDelegate (LinearTaper (0.0f, 10.0f), false);
    EXPECT_EQ (kept->GetValue(), 5.0f);
    EXPECT_EQ (kept->GetNormalizedValue(), 0.5);

    auto preserved = makeFloatParameter (0.5f);
    preserved->SetTaperDelegate (LinearTaper (0.0f, 10.0f), true);
    EXPECT_EQ (preserved->GetValue(), 0.5f);
    EXPECT_DOUBLE_EQ (preserved->GetNormalizedValue(), 0.05);
}

TEST (AAX_CParameter, DelegatesOfAnotherTypeAreRefused)
{
    auto parameter = makeFloatParameter (0.5f);

    parameter->SetTaperDelegate (AAX_CBinaryTaperDelegate<bool>(), false);
    parameter->SetDisplayDelegate (AAX_CBinaryDisplayDelegate<bool> ("off", "on"));

    EXPECT_EQ (parameter->GetValue(), 0.5f);
    EXPECT_EQ (valueText (*parameter), "0.500");
}

TEST (AAX_CParameter, KeepsItsOwnClonesOfTheDelegates)
{
    auto taper = std::make_unique<LinearTaper> (0.0f, 2.0f);
    auto display = std::make_unique<AAX_CBinaryDisplayDelegate<bool>> ("no", "yes");

    FloatParameter parameter ("x", AAX_CString ("x"), 1.0f, *taper, NumberDisplay(), false);
    BoolParameter flag ("y", AAX_CString ("y"), true, AAX_CBinaryTaperDelegate<bool>(), *display, false);
    taper.reset();
    display.reset();

    EXPECT_EQ (parameter.GetNormalizedValue(), 0.5);
    EXPECT_FALSE (parameter.Automatable());
    EXPECT_EQ (valueText (flag), "yes");
}

//==============================================================================
/** A parameter attached to the simulated host's automation through the
        library's wrapper, the way the effect attaches it; the host's set-value
        requests come back through the parameter's update path.
    */
class AAX_CParameterWithHostTest : public AAXHostTest
{
protected:
    void SetUp() override
    {
        automation = std::make_unique<AAX_VAutomationDelegate> (instance->unknown());
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

        return calls;
    }

    HostReference<HostEffectInstance> instance = makeHostObject<HostEffectInstance> (host.context());
    std::unique_ptr<AAX_VAutomationDelegate> automation;
    std::unique_ptr<FloatParameter> parameter = makeFloatParameter (0.5f);
};

using ::testing::ElementsAre;
using ::testing::IsEmpty;

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

    EXPECT_THAT (automationCalls(),
                 ElementsAre ("PostTouchRequest(\"2\")",
                              "PostSetValueRequest(\"2\", 0.25)",
                              "PostReleaseRequest(\"2\")"));
    EXPECT_EQ (parameter->GetValue(), 0.5f) << "a request stores nothing";
    EXPECT_FALSE (hostAutomation().isTouched ("2"));

    host.calls().clear();
    EXPECT_EQ (hostAutomation().deliverPending(), 1);

    EXPECT_EQ (parameter->GetValue(), 0.25f);
    EXPECT_THAT (automationCalls(), ElementsAre ("PostCurrentValue(\"2\", 0.25)"));
}

TEST_F (AAX_CParameterWithHostTest, EveryKindOfRequestGoesThroughTheHost)
{
    parameter->SetValueWithFloat (0.125f);
    parameter->SetToDefaultValue();
    parameter->SetStepValue (200);
    parameter->SetNormalizedValue (1.7);
    EXPECT_TRUE (parameter->SetValueFromString (AAX_CString ("5")));
    parameter->SetValue (0.75f);

    EXPECT_THAT (host.calls().entriesWithOperation ("PostSetValueRequest"),
                 ElementsAre (::testing::EndsWith ("(\"2\", 0.125)"),
                              ::testing::EndsWith ("(\"2\", 0.5)"),
                              ::testing::EndsWith ("(\"2\", 1)"),
                              ::testing::EndsWith ("(\"2\", 1)"),
                              ::testing::EndsWith ("(\"2\", 1)"),
                              ::testing::EndsWith ("(\"2\", 0.75)")));
    EXPECT_EQ (host.calls().entriesWithOperation ("PostTouchRequest").size(), 6u);
    EXPECT_EQ (host.calls().entriesWithOperation ("PostReleaseRequest").size(), 6u);
    EXPECT_EQ (parameter->GetValue(), 0.5f);

    EXPECT_EQ (hostAutomation().deliverPending(), 6);
    EXPECT_EQ (parameter->GetValue(), 0.75f);
}

TEST_F (AAX_CParameterWithHostTest, BoolRequestsAreSnapped)
{
    auto bypass = makeBypassParameter();
    bypass->SetAutomationDelegate (automation.get());
    host.calls().clear();

    bypass->SetNormalizedValue (0.3);
    bypass->SetNormalizedValue (0.0);

    EXPECT_THAT (host.calls().entriesWithOperation ("PostSetValueRequest"),
                 ElementsAre (::testing::EndsWith ("(\"MasterBypassID\", 1)"),
                              ::testing::EndsWith ("(\"MasterBypassID\", 0)")));
    EXPECT_FALSE (bypass->GetValue());
}

TEST_F (AAX_CParameterWithHostTest, ADuplicateUpdatePostsTheCurrentValueOnce)
{
    parameter->UpdateNormalizedValue (0.3);
    parameter->UpdateNormalizedValue (0.3);

    EXPECT_THAT (automationCalls(), ElementsAre ("PostCurrentValue(\"2\", 0.29999999999999999)"));
    EXPECT_EQ (parameter->GetValue(), 0.3f);

    // The normalised value is reported as the host sent it, even beyond the range.
    parameter->UpdateNormalizedValue (1.5);
    EXPECT_EQ (automationCalls().back(), "PostCurrentValue(\"2\", 1.5)");
    EXPECT_EQ (parameter->GetValue(), 1.0f);
}

TEST_F (AAX_CParameterWithHostTest, AHostUpdateOfNaNStoresAndReportsANumber)
{
    parameter->UpdateNormalizedValue (std::numeric_limits<double>::quiet_NaN());

    EXPECT_EQ (parameter->GetValue(), 0.0f);
    EXPECT_THAT (automationCalls(), ElementsAre ("PostCurrentValue(\"2\", 0)"));
}

TEST_F (AAX_CParameterWithHostTest, SynchronousHostAnswersInsideTheRequest)
{
    hostAutomation().setDelivery (HostAutomationDelegate::Delivery::synchronous);

    parameter->SetNormalizedValue (0.75);

    EXPECT_EQ (parameter->GetValue(), 0.75f);
    EXPECT_THAT (automationCalls(),
                 ElementsAre ("PostTouchRequest(\"2\")",
                              "PostSetValueRequest(\"2\", 0.75)",
                              "PostCurrentValue(\"2\", 0.75)",
                              "PostReleaseRequest(\"2\")"));
}

TEST_F (AAX_CParameterWithHostTest, HostFailuresLeaveTheParameterAlone)
{
    hostAutomation().setAnswer (-20099);

    parameter->SetNormalizedValue (0.75);
    parameter->Touch();
    parameter->Release();

    EXPECT_EQ (parameter->GetValue(), 0.5f);
    EXPECT_EQ (hostAutomation().pendingRequests(), 1);
}

TEST_F (AAX_CParameterWithHostTest, TaperAndDisplayChangesTellTheHost)
{
    parameter->SetTaperDelegate (LinearTaper (0.0f, 10.0f), false);
    EXPECT_EQ (parameter->GetValue(), 5.0f) << "the position is kept, at once";
    EXPECT_THAT (automationCalls(), ElementsAre ("PostCurrentValue(\"2\", 0.5)"));

    host.calls().clear();
    parameter->SetTaperDelegate (LinearTaper (0.0f, 100.0f), true);
    EXPECT_EQ (parameter->GetValue(), 5.0f) << "the request waits for the host";
    EXPECT_THAT (automationCalls(),
                 ElementsAre ("PostTouchRequest(\"2\")",
                              "PostSetValueRequest(\"2\", 0.050000000000000003)",
                              "PostReleaseRequest(\"2\")"));

    host.calls().clear();
    hostAutomation().deliverPending();
    EXPECT_EQ (parameter->GetValue(), 5.0f);
    EXPECT_EQ (automationCalls().size(), 1u) << "the update after a taper change is reported even when unchanged";

    host.calls().clear();
    parameter->SetDisplayDelegate (NumberDisplay());
    EXPECT_THAT (automationCalls(), ElementsAre ("PostCurrentValue(\"2\", 0.050000000000000003)"));
}

TEST_F (AAX_CParameterWithHostTest, NormalisedDefaultChangesPostNothing)
{
    parameter->SetNormalizedDefaultValue (0.1);
    parameter->SetNumberOfSteps (5);
    parameter->SetType (AAX_IParameter::discreteType);

    EXPECT_THAT (automationCalls(), IsEmpty());
}

//==============================================================================
TEST (AAX_CParameterThreads, TheValueIsReadWholeWhileTheHostSetsIt)
{
    // The coefficient thread reads the typed value while a host thread
    // updates it; every read must be one of the values written.
    auto parameter = makeFloatParameter (0.25f);
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
