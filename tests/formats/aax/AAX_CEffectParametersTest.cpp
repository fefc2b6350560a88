#include "formats/aax/AAX_CEffectParameters.h"

#include "formats/aax/AAXTestSupport.h"
#include "formats/aax/AAX_CLinearTaperDelegate.h"
#include "formats/aax/AAX_CNumberDisplayDelegate.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/AAX_VController.h"
#include "formats/aax/host/AAXHostTest.h"
#include "formats/aax/host/HostChunkRecord.h"
#include "formats/aax/host/HostEffectSession.h"

#include <gmock/gmock.h>

#include <limits>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using EffectSetup = TestEffectParameters::Setup;

constexpr uint32_t controlsChunk = 0x656C636Bu; // 'elck'
constexpr uint32_t stateChunk = 0x6A756365u; // 'juce'
constexpr const char* bypassID = "MasterBypassID";

/** A double's big-endian bytes, worked out from its bit pattern. */
Bytes bigEndian (double value)
{
    const auto little = bytesOf (value);
    return Bytes (little.rbegin(), little.rend());
}

/** The controls-chunk data for float parameters named "0", "1", ... with these values. */
Bytes controlsData (const std::vector<float>& values)
{
    Bytes data { 0x01, 0x01, 0x01, 0x01 };

    for (size_t i = 0; i < values.size(); ++i)
    {
        const auto value = bigEndian (static_cast<double> (values[i]));
        data.insert (data.end(), { 0x64, 0x5F, static_cast<uint8_t> ('0' + i), 0x00 });
        data.insert (data.end(), value.begin(), value.end());
    }

    return data;
}

/** A parameter of a kind the library's own parameters never are (a 32-bit integer, a
    double or a text): only that kind's accessor and setter answer, and a set stores
    at once. Everything else is a float parameter's. */
class OtherKindParameter final : public AAX_CParameter<float>
{
public:
    using Value = std::variant<int32_t, double, std::string>;

    OtherKindParameter (const char* identifier, Value initialValue)
        : AAX_CParameter<float> (identifier, AAX_CString (identifier), 0.0f, AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f), AAX_CNumberDisplayDelegate<float, 3u, 0u>(), true)
        , value (std::move (initialValue))
    {
    }

    bool GetValueAsFloat (float*) const override { return false; }
    bool GetValueAsInt32 (int32_t* out) const override { return read (out); }
    bool GetValueAsDouble (double* out) const override { return read (out); }
    bool GetValueAsString (AAX_IString* out) const override
    {
        std::string text;
        return read (&text) && out != nullptr ? (out->Set (text.c_str()), true) : false;
    }

    bool SetValueWithFloat (float) override { return false; }
    bool SetValueWithInt32 (int32_t newValue) override { return write (newValue); }
    bool SetValueWithDouble (double newValue) override { return write (newValue); }
    bool SetValueWithString (const AAX_IString& newValue) override { return write (std::string (newValue.Get())); }

    Value value;

private:
    template <typename Kind>
    bool read (Kind* out) const
    {
        const auto* held = std::get_if<Kind> (&value);
        return held != nullptr && out != nullptr ? (*out = *held, true) : false;
    }

    template <typename Kind>
    bool write (Kind newValue)
    {
        return std::holds_alternative<Kind> (value) ? (value = std::move (newValue), true) : false;
    }
};

class AAX_CEffectParametersTest : public AAXHostTest
{
protected:
    void TearDown() override
    {
        session.reset();
        AAXHostTest::TearDown();
    }

    void start (EffectSetup setup = {})
    {
        effect = new TestEffectParameters (std::move (setup));
        session = std::make_unique<HostEffectSession> (host.context(), effect->unknown());
        ASSERT_NE (session->effect(), nullptr);
    }

    void startInitialized (EffectSetup setup = {})
    {
        start (std::move (setup));
        ASSERT_EQ (session->initialize(), kAAX_Success);
    }

    AAX_IACFEffectParameters_V2& fx() { return *session->effect(); }

    double valueOf (const char* parameterID)
    {
        double value = -1.0;
        EXPECT_EQ (fx().GetParameterNormalizedValue (parameterID, &value), kAAX_Success) << parameterID;
        return value;
    }

    /** A change the way a user makes it: a request, answered by the host. */
    void change (const char* parameterID, double value)
    {
        EXPECT_EQ (fx().SetParameterNormalizedValue (parameterID, value), kAAX_Success);
        session->deliverPending();
    }

    /** The controls chunk, as a host stores it: size first, then the data. */
    HostChunkRecord storedChunk()
    {
        uint32_t size = 0;
        EXPECT_EQ (fx().GetChunkSize (controlsChunk, &size), kAAX_Success);
        HostChunkRecord record (controlsChunk, size);
        EXPECT_EQ (fx().GetChunk (controlsChunk, record.get()), kAAX_Success);
        return record;
    }

    bool compare (const HostChunkRecord& record)
    {
        AAX_CBoolean equal = 7;
        EXPECT_EQ (fx().CompareActiveChunk (record.get(), &equal), kAAX_Success);
        EXPECT_TRUE (equal == 0 || equal == 1);
        return equal != 0;
    }

    int32_t changes()
    {
        int32_t count = -1;
        EXPECT_EQ (fx().GetNumberOfChanges (&count), kAAX_Success);
        return count;
    }

    std::vector<Bytes> bypassPosts()
    {
        std::vector<Bytes> posts;

        for (const auto& packet : session->controller().postedPackets())
            if (packet.fieldIndex == 3)
                posts.push_back (packet.bytes);

        return posts;
    }

    TestEffectParameters* effect = nullptr;
    std::unique_ptr<HostEffectSession> session;
};

//==============================================================================
TEST_F (AAX_CEffectParametersTest, AnswersBothInterfaceVersionsWithItself)
{
    start();
    IACFUnknown* unknown = effect->unknown();
    void* first = nullptr;
    void* second = nullptr;
    void* plain = nullptr;
    void* other = &first;

    EXPECT_EQ (unknown->QueryInterface (kIID_AAX_IACFEffectParameters, &first), kAAX_Success);
    EXPECT_EQ (unknown->QueryInterface (kIID_AAX_IACFEffectParameters_V2, &second), kAAX_Success);
    EXPECT_EQ (unknown->QueryInterface (kIID_IACFUnknown, &plain), kAAX_Success);
    EXPECT_EQ (unknown->QueryInterface (kIID_AAX_IACFEffectGUI, &other), kACF_NoInterface);
    EXPECT_EQ (other, nullptr);
    EXPECT_EQ (unknown->QueryInterface (kIID_AAX_IACFEffectParameters, nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (first, static_cast<AAX_IACFEffectParameters*> (effect));
    EXPECT_EQ (second, static_cast<AAX_IACFEffectParameters_V2*> (effect));
    EXPECT_EQ (plain, effect->GetPrivateUnknown());
    EXPECT_EQ (fx().AddRef(), 5u) << "the host's reference and the three from the queries";

    fx().Release();
    static_cast<IACFUnknown*> (plain)->Release();
    static_cast<AAX_IACFEffectParameters*> (first)->Release();
    EXPECT_EQ (static_cast<AAX_IACFEffectParameters_V2*> (second)->Release(), 1u);
}

TEST_F (AAX_CEffectParametersTest, InitializeWrapsTheHostOnceAndUninitializeGivesItAllBack)
{
    start();
    EXPECT_EQ (effect->Controller(), nullptr);
    ASSERT_EQ (session->initialize(), kAAX_Success);
    ASSERT_EQ (session->initialize(), kAAX_Success) << "a second Initialize replaces the first";
    EXPECT_EQ (effect->effectInitCalls(), 2);

    int32_t count = 0;
    EXPECT_EQ (fx().GetNumberOfParameters (&count), kAAX_Success);
    EXPECT_EQ (count, 5);
    EXPECT_EQ (session->automation().registeredCount(), 5);
    EXPECT_EQ (session->controller().referenceCount(), 3u) << "the instance's own and both controller versions";
    EXPECT_NE (effect->Transport(), nullptr);
    float rate = 0.0f;
    EXPECT_EQ (effect->Controller()->GetSampleRate (&rate), kAAX_Success);
    EXPECT_EQ (rate, 48000.0f);
    AAX_CString bypass ("stale");
    EXPECT_EQ (fx().GetMasterBypassParameter (&bypass), kAAX_Success);
    EXPECT_STREQ (bypass.Get(), bypassID);
    EXPECT_EQ (fx().GenerateCoefficients(), kAAX_Success);
    EXPECT_EQ (bypassPosts().size(), 1u);

    EXPECT_EQ (fx().Uninitialize(), kAAX_Success);
    EXPECT_EQ (effect->Controller(), nullptr);
    EXPECT_EQ (effect->Transport(), nullptr);
    EXPECT_EQ (session->automation().registeredCount(), 0);
    EXPECT_EQ (session->controller().referenceCount(), 1u);
    EXPECT_EQ (session->automation().referenceCount(), 1u);
    fx().GetNumberOfParameters (&count);
    EXPECT_EQ (count, 0);
    EXPECT_EQ (fx().GetMasterBypassParameter (&bypass), kAAX_Success);
    EXPECT_STREQ (bypass.Get(), "");
    EXPECT_EQ (fx().GenerateCoefficients(), kAAX_Success);
    EXPECT_EQ (session->controller().postedPackets().size(), 1u) << "nothing left to post to";
}

TEST_F (AAX_CEffectParametersTest, AHostThatReleasesWithoutUninitializeGetsEverythingBack)
{
    startInitialized();
    change ("1", 0.5);
    storedChunk();
    session->release();

    EXPECT_EQ (CACFUnknown::ActiveObjectCount(), 0u);
    EXPECT_EQ (session->automation().registeredCount(), 0);
    EXPECT_EQ (session->controller().referenceCount(), 1u);
    EXPECT_EQ (session->automation().referenceCount(), 1u);
}

//==============================================================================
TEST_F (AAX_CEffectParametersTest, ParameterQueriesReachTheParameter)
{
    startInitialized();
    int32_t number = -9;
    EXPECT_EQ (fx().GetParameterIndex (bypassID, &number), kAAX_Success);
    EXPECT_EQ (number, 0);
    EXPECT_EQ (fx().GetParameterIndex ("3", &number), kAAX_Success);
    EXPECT_EQ (number, 4);
    EXPECT_EQ (fx().GetParameterIndex ("nobody", &number), kAAX_ErrorUnknownParameter);
    EXPECT_EQ (number, -1);

    AAX_CString text ("stale");
    EXPECT_EQ (fx().GetParameterIDFromIndex (1, &text), kAAX_Success);
    EXPECT_STREQ (text.Get(), "0");
    EXPECT_EQ (fx().GetParameterIDFromIndex (-1, &text), kAAX_ErrorUnknownParameter);
    EXPECT_STREQ (text.Get(), "");
    EXPECT_EQ (fx().GetParameterIDFromIndex (5, &text), kAAX_ErrorUnknownParameter);
    EXPECT_EQ (fx().GetParameterName (bypassID, &text), kAAX_Success);
    EXPECT_STREQ (text.Get(), "Master Bypass");
    EXPECT_EQ (fx().GetParameterName ("nobody", &text), kAAX_Success);
    EXPECT_STREQ (text.Get(), "");

    AAX_CBoolean automatable = 0;
    EXPECT_EQ (fx().GetParameterIsAutomatable ("0", &automatable), kAAX_Success);
    EXPECT_EQ (automatable, 1);
    EXPECT_EQ (fx().GetParameterIsAutomatable ("nobody", &automatable), kAAX_ErrorUnknownParameter);
    EXPECT_EQ (automatable, 0) << "cleared first";

    EXPECT_EQ (fx().GetParameterNumberOfSteps (bypassID, &number), kAAX_Success);
    EXPECT_EQ (number, 2);
    effect->GetParameterRegistry().GetParameterByID ("0")->SetNumberOfSteps (0);
    EXPECT_EQ (fx().GetParameterNumberOfSteps ("0", &number), kAAX_Success);
    EXPECT_EQ (number, 0);
    number = 2;
    effect->GetParameterRegistry().GetParameterByID ("0")->SetNumberOfSteps (0x80000000u);
    EXPECT_EQ (fx().GetParameterNumberOfSteps ("0", &number), kAAX_ErrorNegativeSteps);
    EXPECT_EQ (number, 2) << "left as it was";
    EXPECT_EQ (fx().GetParameterType ("0", &number), kAAX_Success);
    EXPECT_EQ (number, 1);
    EXPECT_EQ (fx().GetParameterType (bypassID, &number), kAAX_Success);
    EXPECT_EQ (number, 0);
    effect->GetParameterRegistry().GetParameterByID ("1")->SetOrientation (19);
    EXPECT_EQ (fx().GetParameterOrientation ("1", &number), kAAX_Success);
    EXPECT_EQ (number, 19);

    double value = -1.0;
    EXPECT_EQ (fx().SetParameterDefaultNormalizedValue ("2", 0.25), kAAX_Success);
    EXPECT_EQ (fx().GetParameterDefaultNormalizedValue ("2", &value), kAAX_Success);
    EXPECT_DOUBLE_EQ (value, 0.25);
    EXPECT_DOUBLE_EQ (valueOf ("2"), 0.5) << "the value itself stays";

    AAX_IParameter* parameter = nullptr;
    EXPECT_EQ (fx().GetParameter ("2", &parameter), kAAX_Success);
    EXPECT_EQ (parameter, effect->GetParameterRegistry().GetParameterByID ("2"));
    EXPECT_EQ (fx().GetParameter ("nobody", &parameter), kAAX_ErrorUnknownParameter);
    EXPECT_EQ (parameter, nullptr);

    EXPECT_EQ (fx().TouchParameter ("1"), kAAX_Success);
    EXPECT_TRUE (session->automation().isTouched ("1"));
    EXPECT_EQ (fx().ReleaseParameter ("1"), kAAX_Success);
    EXPECT_FALSE (session->automation().isTouched ("1"));
    EXPECT_EQ (fx().UpdateParameterTouch ("1", 1), kAAX_Success);
}

TEST_F (AAX_CEffectParametersTest, ValueTextsGoThroughTheDisplay)
{
    startInitialized();
    AAX_CString text ("stale");
    EXPECT_EQ (fx().GetParameterValueString ("2", &text, 31), kAAX_Success);
    EXPECT_STREQ (text.Get(), "0.500");
    EXPECT_EQ (fx().GetParameterValueString (bypassID, &text, 3), kAAX_Success);
    EXPECT_STREQ (text.Get(), "bypass");
    EXPECT_EQ (fx().GetParameterStringFromValue ("0", 0.25, &text, 31), kAAX_Success);
    EXPECT_STREQ (text.Get(), "0.250");
    EXPECT_EQ (fx().GetParameterStringFromValue ("0", 1.0, &text, 3), kAAX_Success);
    EXPECT_STREQ (text.Get(), "1.0");

    double value = -1.0;
    EXPECT_EQ (fx().GetParameterValueFromString ("0", &value, AAX_CString ("0.75")), kAAX_Success);
    EXPECT_DOUBLE_EQ (value, 0.75);
    EXPECT_EQ (fx().GetParameterValueFromString ("0", &value, AAX_CString ("abc")), -20002);
    EXPECT_EQ (fx().GetParameterValueFromString ("0", &value, AAX_CString ("5")), -20002);
    EXPECT_EQ (value, 0.75) << "no value given with a failure";

    int32_t info = 5;
    EXPECT_EQ (fx().GetParameterValueInfo ("0", 1, &info), -20009);
    EXPECT_EQ (info, 0);
}

TEST_F (AAX_CEffectParametersTest, UnknownIdentifiersAndMissingOutValuesAreRefused)
{
    startInitialized();
    double value = 0.0;
    int32_t number = 0;
    AAX_CString text;
    AAX_CBoolean equal = 0;

    for (const char* unknown : { "nobody", static_cast<const char*> (nullptr) })
    {
        const std::vector<AAX_Result> results { fx().GetParameterNumberOfSteps (unknown, &number), fx().GetParameterDefaultNormalizedValue (unknown, &value), fx().SetParameterDefaultNormalizedValue (unknown, 0.5), fx().GetParameterType (unknown, &number), fx().GetParameterOrientation (unknown, &number), fx().GetParameterStringFromValue (unknown, 0.5, &text, 8), fx().GetParameterValueString (unknown, &text, 8), fx().GetParameterNormalizedValue (unknown, &value), fx().SetParameterNormalizedValue (unknown, 0.5), fx().SetParameterNormalizedRelative (unknown, 0.1), fx().UpdateParameterNormalizedValue (unknown, 0.5, 0), fx().UpdateParameterNormalizedRelative (unknown, 0.1), fx().TouchParameter (unknown), fx().ReleaseParameter (unknown), fx().GetParameterValueFromString (unknown, &value, AAX_CString ("0.5")) };
        EXPECT_THAT (results, ::testing::Each (-20001)) << (unknown != nullptr ? unknown : "null");
    }

    const std::vector<AAX_Result> results { fx().GetNumberOfParameters (nullptr), fx().GetMasterBypassParameter (nullptr), fx().GetParameterIsAutomatable ("0", nullptr), fx().GetParameterNumberOfSteps ("0", nullptr), fx().GetParameterName ("0", nullptr), fx().GetParameterDefaultNormalizedValue ("0", nullptr), fx().GetParameterType ("0", nullptr), fx().GetParameterOrientation ("0", nullptr), fx().GetParameter ("0", nullptr), fx().GetParameterIndex ("0", nullptr), fx().GetParameterIDFromIndex (0, nullptr), fx().GetParameterValueFromString ("0", nullptr, AAX_CString ("0.5")), fx().GetParameterValueString ("0", nullptr, 8), fx().GetParameterNormalizedValue ("0", nullptr), fx().GetNumberOfChanges (nullptr), fx().GetNumberOfChunks (nullptr), fx().GetChunkIDFromIndex (0, nullptr), fx().GetChunkSize (controlsChunk, nullptr), fx().GetChunk (controlsChunk, nullptr), fx().SetChunk (controlsChunk, nullptr), fx().CompareActiveChunk (nullptr, &equal) };
    EXPECT_THAT (results, ::testing::Each (-20004));
    EXPECT_EQ (fx().GetParameterStringFromValue ("0", 0.5, nullptr, 8), -20002);
    EXPECT_EQ (fx().GetParameterNameOfLength ("0", nullptr, 8), -20002);
    EXPECT_EQ (fx().GetParameterValueInfo ("0", 0, nullptr), -20009);
}

//==============================================================================
TEST_F (AAX_CEffectParametersTest, UpdatesAreCountedAndFeedTheBypassPort)
{
    startInitialized();
    EXPECT_EQ (changes(), 0);
    EXPECT_EQ (fx().GenerateCoefficients(), kAAX_Success);
    EXPECT_THAT (bypassPosts(), ElementsAre (bytesOf<uint32_t> (0))) << "the first generation posts the initial state";

    EXPECT_EQ (fx().SetParameterNormalizedValue (bypassID, 1.0), kAAX_Success);
    EXPECT_EQ (changes(), 0) << "a request is no change until the host answers";
    session->deliverPending();
    EXPECT_EQ (fx().UpdateParameterNormalizedValue ("0", 0.3, 0), kAAX_Success);
    EXPECT_EQ (fx().UpdateParameterNormalizedValue ("0", 0.3, 0), kAAX_Success);
    effect->IncrementChangeCounter();
    EXPECT_EQ (changes(), 4) << "an unchanged value still counts";

    EXPECT_EQ (fx().GenerateCoefficients(), kAAX_Success);
    EXPECT_EQ (fx().GenerateCoefficients(), kAAX_Success);
    EXPECT_THAT (bypassPosts(), ElementsAre (bytesOf<uint32_t> (0), bytesOf<uint32_t> (1))) << "other parameters feed no port";
}

TEST_F (AAX_CEffectParametersTest, RelativeChangesStayInRange)
{
    startInitialized();
    change ("0", 0.9);
    EXPECT_EQ (fx().SetParameterNormalizedRelative ("0", 0.3), kAAX_Success);
    change ("1", 0.1);
    EXPECT_EQ (fx().SetParameterNormalizedRelative ("1", -0.5), kAAX_Success);
    session->deliverPending();
    EXPECT_EQ (valueOf ("0"), 1.0);
    EXPECT_EQ (valueOf ("1"), 0.0);

    EXPECT_EQ (fx().UpdateParameterNormalizedRelative ("2", 0.25), kAAX_Success);
    EXPECT_EQ (valueOf ("2"), 0.75);
    EXPECT_EQ (fx().UpdateParameterNormalizedRelative ("2", 4.0), kAAX_Success);
    EXPECT_EQ (valueOf ("2"), 1.0);
}

TEST_F (AAX_CEffectParametersTest, NamesOfALengthPickTheFirstLongestLineThatFits)
{
    start();
    effect->addParameter (newFloatParameter ("g", 0.0f, "Gain\nGn"));
    effect->addParameter (newFloatParameter ("e", 0.0f, ""));
    effect->addParameter (newFloatParameter ("t", 0.0f, "Left\nRght"));
    effect->addParameter (newFloatParameter ("l", 0.0f, std::string (300, 'x').c_str()));
    auto* shortened = newFloatParameter ("s", 0.0f, "Release Time");
    shortened->AddShortenedName (AAX_CString ("Rel\nR"));
    effect->addParameter (shortened);

    const auto nameOf = [this] (const char* parameterID, int32_t length)
    {
        AAX_CString name ("unchanged");
        EXPECT_EQ (fx().GetParameterNameOfLength (parameterID, &name, length), kAAX_Success);
        return std::string (name.Get());
    };

    const std::string firstBytes (255, 'x'); // at most 255 bytes of a name are considered
    const std::vector<std::tuple<const char*, int32_t, const char*>> expected { { "g", 10, "Gain" }, { "g", 4, "Gain" }, { "g", 3, "Gn" }, { "g", 1, "G" }, { "g", 0, "" }, { "g", -5, "" }, { "nobody", 10, "" }, { "e", 10, "unchanged" }, { "t", 4, "Left" }, { "l", 256, firstBytes.c_str() }, { "s", 12, "Release Time" }, { "s", 5, "Rel" }, { "s", 2, "R" } };

    for (const auto& [parameterID, length, name] : expected)
        EXPECT_EQ (nameOf (parameterID, length), name) << parameterID << " " << length;
}

TEST_F (AAX_CEffectParametersTest, ThePreviewNotificationSetsThePreviewParameter)
{
    startInitialized();
    EXPECT_EQ (fx().NotificationReceived (AAX_FourCharCode ("ASPv"), nullptr, 0), kAAX_Success) << "no preview parameter: ignored";
    session.reset();

    EffectSetup setup;
    setup.withPreview = true;
    startInitialized (setup);
    const int32_t on = 1;
    const int32_t off = 0;
    EXPECT_EQ (fx().NotificationReceived (AAX_FourCharCode ("ASPv"), &on, sizeof (on)), kAAX_Success);
    session->deliverPending();
    EXPECT_EQ (valueOf ("PreviewID"), 1.0);

    EXPECT_EQ (fx().NotificationReceived (AAX_FourCharCode ("ASPv"), nullptr, 4), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().NotificationReceived (AAX_FourCharCode ("ASPv"), &off, 2), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().NotificationReceived (AAX_FourCharCode ("ASPx"), &off, sizeof (off)), kAAX_Success);
    EXPECT_EQ (session->automation().pendingRequests(), 0);
    EXPECT_EQ (fx().NotificationReceived (AAX_FourCharCode ("ASPv"), &off, sizeof (off)), kAAX_Success);
    session->deliverPending();
    EXPECT_EQ (valueOf ("PreviewID"), 0.0);
}

TEST_F (AAX_CEffectParametersTest, DefaultsOfTheRemainingOperations)
{
    start();
    Bytes field (12, 0xAB);
    EXPECT_EQ (fx().ResetFieldData (5, field.data(), 8), kAAX_Success);
    EXPECT_EQ (field, (Bytes { 0, 0, 0, 0, 0, 0, 0, 0, 0xAB, 0xAB, 0xAB, 0xAB }));
    EXPECT_EQ (fx().ResetFieldData (5, nullptr, 8), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().ResetFieldData (5, nullptr, 0), kAAX_Success);

    int32_t fourth = 9;
    EXPECT_EQ (fx().DefaultSlot42 (1, 2, 3, &fourth), kAAX_Success);
    EXPECT_EQ (fourth, 0);
    EXPECT_EQ (fx().DefaultSlot42 (1, 2, 3, nullptr), kAAX_Success);
    const std::vector<AAX_Result> slots { fx().DefaultSlot40(), fx().DefaultSlot41(), fx().DefaultSlot43(), fx().DefaultSlot44(), fx().DefaultSlot45(), fx().DefaultSlot46(), fx().DefaultSlot47() };
    EXPECT_THAT (slots, ElementsAre (0, -20009, 0, 0, -20009, 0, 0));
}

//==============================================================================
TEST_F (AAX_CEffectParametersTest, TheControlsChunkIsTheOnlyChunk)
{
    start();
    int32_t count = 0;
    EXPECT_EQ (fx().GetNumberOfChunks (&count), kAAX_Success);
    EXPECT_EQ (count, 1);

    uint32_t chunkID = 99;
    EXPECT_EQ (fx().GetChunkIDFromIndex (0, &chunkID), kAAX_Success);
    EXPECT_EQ (chunkID, controlsChunk);
    EXPECT_EQ (fx().GetChunkIDFromIndex (1, &chunkID), -20006);
    EXPECT_EQ (chunkID, 0u);
    EXPECT_EQ (fx().GetChunkIDFromIndex (-1, &chunkID), -20006);

    uint32_t size = 99;
    HostChunkRecord record (stateChunk, 16);
    EXPECT_EQ (fx().GetChunkSize (stateChunk, &size), -20007);
    EXPECT_EQ (size, 0u);
    EXPECT_EQ (fx().GetChunk (stateChunk, record.get()), -20007);
    EXPECT_EQ (fx().SetChunk (stateChunk, record.get()), -20007);
}

TEST_F (AAX_CEffectParametersTest, TheChunkIsWrittenOnlyAtTheSizeLastReported)
{
    startInitialized();
    HostChunkRecord record (controlsChunk, 256);
    EXPECT_EQ (fx().GetChunk (controlsChunk, record.get()), -20008);

    uint32_t size = 0;
    ASSERT_EQ (fx().GetChunkSize (controlsChunk, &size), kAAX_Success);
    effect->addParameter (newFloatParameter ("4", 0.5f));
    EXPECT_EQ (fx().GetChunk (controlsChunk, record.get()), -20008);
    EXPECT_EQ (record.get()->dataSize, HostChunkRecord::kUnwrittenDataSize) << "nothing written";

    ASSERT_EQ (fx().GetChunkSize (controlsChunk, &size), kAAX_Success);
    EXPECT_EQ (fx().GetChunk (controlsChunk, record.get()), kAAX_Success);
}

TEST_F (AAX_CEffectParametersTest, TheChunkHoldsEveryParameterButTheBypass)
{
    startInitialized();
    change (bypassID, 1.0);
    auto record = storedChunk();

    EXPECT_EQ (record.get()->dataSize, 52);
    EXPECT_EQ (record.data(), controlsData ({ 0.1f, 0.2f, 0.5f, 0.0f }));
    EXPECT_EQ (record.get()->version, -1);
    EXPECT_EQ (record.name(), "Complete Controls State");
    EXPECT_TRUE (record.nameTailIsZero());
    EXPECT_TRUE (record.hostFieldsUntouched());
    EXPECT_EQ (record.get()->chunkID, controlsChunk);

    EffectSetup bypassAlone;
    bypassAlone.floatParameters.clear();
    session.reset();
    startInitialized (bypassAlone);
    EXPECT_EQ (storedChunk().data(), (Bytes { 0x01, 0x01, 0x01, 0x01 }));

    // Without a successful initialisation the bypass is not excluded.
    EffectSetup failing;
    failing.effectInitResult = -12345;
    session.reset();
    start (failing);
    EXPECT_EQ (session->initialize(), -12345);
    EXPECT_NE (effect->Controller(), nullptr) << "the wrappers stay";
    EXPECT_EQ (storedChunk().get()->dataSize, 4 + 4 * 12 + 20 + 4);
}

TEST_F (AAX_CEffectParametersTest, SetChunkRestoresThroughTheHost)
{
    startInitialized();
    auto record = storedChunk();
    change ("0", 0.9);
    change ("3", 1.0);
    change (bypassID, 1.0);

    EXPECT_EQ (fx().SetChunk (controlsChunk, record.get()), kAAX_Success);
    EXPECT_FLOAT_EQ (static_cast<float> (valueOf ("0")), 0.9f) << "a request only, until the host answers";
    EXPECT_EQ (session->automation().pendingRequests(), 4);

    session->deliverPending();
    EXPECT_FLOAT_EQ (static_cast<float> (valueOf ("0")), 0.1f);
    EXPECT_FLOAT_EQ (static_cast<float> (valueOf ("3")), 0.0f);
    EXPECT_EQ (valueOf (bypassID), 1.0) << "the bypass is not part of the controls chunk";
}

TEST_F (AAX_CEffectParametersTest, DamagedChunksAndValuesOfTheWrongKindRestoreNothing)
{
    startInitialized();
    auto data = storedChunk().data();
    change ("0", 0.9);
    data.pop_back(); // the last double cut short
    EXPECT_EQ (fx().SetChunk (controlsChunk, HostChunkRecord::holding (controlsChunk, -1, data).get()), kAAX_Success);
    EXPECT_EQ (fx().SetChunk (controlsChunk, HostChunkRecord::holding (controlsChunk, -1, { 0x01, 0x01, 0x01, 0x01, 0x64, 0x5F, 0x30, 0x00 }).get()), kAAX_Success);
    EXPECT_EQ (session->automation().pendingRequests(), 0);

    data = controlsData ({ 0.0f, 0.0f });
    const auto notANumber = bigEndian (std::numeric_limits<double>::quiet_NaN());
    std::copy (notANumber.begin(), notANumber.end(), data.begin() + 8); // "0" holds a NaN
    data[16] = 0x6C; // "1" is an integer
    const auto huge = bigEndian (1e300);
    data.insert (data.end(), { 0x64, 0x5F, 0x32, 0x00 });
    data.insert (data.end(), huge.begin(), huge.end()); // "2": far beyond a float
    EXPECT_EQ (fx().SetChunk (controlsChunk, HostChunkRecord::holding (controlsChunk, 3, data).get()), kAAX_Success);
    session->deliverPending();

    EXPECT_FLOAT_EQ (static_cast<float> (valueOf ("0")), 0.9f);
    EXPECT_FLOAT_EQ (static_cast<float> (valueOf ("1")), 0.2f);
    EXPECT_EQ (valueOf ("2"), 1.0) << "limited by the parameter's range";
    EXPECT_FLOAT_EQ (static_cast<float> (valueOf ("3")), 0.0f);
}

TEST_F (AAX_CEffectParametersTest, CompareActiveChunkFollowsTheValues)
{
    EffectSetup setup;
    setup.withPreview = true;
    startInitialized (setup);
    auto record = storedChunk();
    EXPECT_TRUE (compare (record));

    change (bypassID, 1.0);
    EXPECT_TRUE (compare (record)) << "the bypass is not compared";
    change ("2", 0.75);
    EXPECT_FALSE (compare (record));
    change ("2", 0.5);
    EXPECT_TRUE (compare (record));

    EXPECT_TRUE (compare (HostChunkRecord (stateChunk, 4)));
    EXPECT_FALSE (compare (HostChunkRecord::holding (controlsChunk, -1, { 0x01, 0x01, 0x01 }))) << "compared with the record, not with what was there";
    change ("PreviewID", 1.0);
    EXPECT_FALSE (compare (record)) << "on/off parameters are compared too";
    session.reset();

    start();
    EXPECT_TRUE (compare (HostChunkRecord::holding (controlsChunk, -1, { 0x00 }))) << "without parameters every chunk is equal";
}

TEST_F (AAX_CEffectParametersTest, IntegerDoubleAndTextParametersAreSavedComparedAndRestoredInTheirOwnKind)
{
    start();
    auto* integer = new OtherKindParameter ("i", -2);
    auto* real = new OtherKindParameter ("d", 0.5);
    auto* text = new OtherKindParameter ("t", std::string ("xyz"));

    for (auto* parameter : { integer, real, text })
        effect->addParameter (parameter);

    const auto record = storedChunk();
    // The marker, then l_i -2, d_d 0.5 and r_t "xyz", each big-endian in its own kind.
    EXPECT_EQ (record.data(), (Bytes { 0x01, 0x01, 0x01, 0x01, 0x6C, 0x5F, 0x69, 0x00, 0xFF, 0xFF, 0xFF, 0xFE, 0x64, 0x5F, 0x64, 0x00, 0x3F, 0xE0, 0, 0, 0, 0, 0, 0, 0x72, 0x5F, 0x74, 0x00, 0x78, 0x79, 0x7A, 0x00 }));
    EXPECT_TRUE (compare (record));

    const std::pair<OtherKindParameter*, OtherKindParameter::Value> changes[] = { { integer, 7 }, { real, 0.25 }, { text, std::string ("xy") } };

    for (const auto& [parameter, changed] : changes)
    {
        const auto saved = parameter->value;
        parameter->value = changed;
        EXPECT_FALSE (compare (record)) << parameter->Identifier();
        EXPECT_EQ (fx().SetChunk (controlsChunk, record.get()), kAAX_Success);
        EXPECT_EQ (parameter->value, saved) << parameter->Identifier();
    }
}
} // namespace
