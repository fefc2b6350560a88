#include "formats/aax/AAX_CEffectParameters.h"

#include "formats/aax/AAX_CLinearTaperDelegate.h"
#include "formats/aax/AAX_CNumberDisplayDelegate.h"
#include "formats/aax/AAX_CParameter.h"
#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/AAX_VController.h"
#include "formats/aax/TestEffectParameters.h"
#include "formats/aax/host/AAXHostTest.h"
#include "formats/aax/host/HostChunkRecord.h"
#include "formats/aax/host/HostEffectSession.h"

#include <gmock/gmock.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace
{
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Bytes = std::vector<uint8_t>;
using EffectSetup = TestEffectParameters::Setup;

constexpr uint32_t controlsChunk = AAX_FourCharCode ("elck");
constexpr uint32_t stateChunk = AAX_FourCharCode ("juce");
constexpr const char* bypassID = "MasterBypassID";

/** A double's big-endian bytes, worked out from its bit pattern. */
Bytes bigEndian (double value)
{
    uint64_t bits = 0;
    std::memcpy (&bits, &value, sizeof (bits));
    Bytes bytes;

    for (int shift = 56; shift >= 0; shift -= 8)
        bytes.push_back (static_cast<uint8_t> (bits >> shift));

    return bytes;
}

/** The controls-chunk data for float parameters named "0", "1", ... with these values. */
Bytes controlsData (const std::vector<float>& values)
{
    Bytes data { 0x01, 0x01, 0x01, 0x01 };

    for (size_t i = 0; i < values.size(); ++i)
    {
        const Bytes name { 0x64, 0x5F, static_cast<uint8_t> ('0' + i), 0x00 };
        const auto value = bigEndian (static_cast<double> (values[i]));
        data.insert (data.end(), name.begin(), name.end());
        data.insert (data.end(), value.begin(), value.end());
    }

    return data;
}

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

const Bytes zero32 { 0, 0, 0, 0 };
const Bytes one32 { 1, 0, 0, 0 };

//==============================================================================
TEST_F (AAX_CEffectParametersTest, AnswersBothInterfaceVersionsWithItself)
{
    start();
    IACFUnknown* unknown = effect->unknown();

    void* first = nullptr;
    void* second = nullptr;
    void* plain = nullptr;
    void* other = reinterpret_cast<void*> (&first);

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

TEST_F (AAX_CEffectParametersTest, InitializeWrapsTheHostAndRegistersTheParameters)
{
    start();
    EXPECT_EQ (effect->Controller(), nullptr);
    EXPECT_EQ (effect->Transport(), nullptr);

    ASSERT_EQ (session->initialize(), kAAX_Success);
    EXPECT_NE (effect->Controller(), nullptr);
    EXPECT_NE (effect->Transport(), nullptr);
    EXPECT_EQ (effect->effectInitCalls(), 1);

    int32_t count = 0;
    EXPECT_EQ (fx().GetNumberOfParameters (&count), kAAX_Success);
    EXPECT_EQ (count, 5);
    EXPECT_EQ (session->automation().registeredCount(), 5);

    AAX_CString bypass ("stale");
    EXPECT_EQ (fx().GetMasterBypassParameter (&bypass), kAAX_Success);
    EXPECT_STREQ (bypass.Get(), bypassID);

    // The wrappers reach this instance's controller and transport.
    float rate = 0.0f;
    EXPECT_EQ (effect->Controller()->GetSampleRate (&rate), kAAX_Success);
    EXPECT_EQ (rate, 48000.0f);
    EXPECT_EQ (session->controller().referenceCount(), 3u) << "the instance's own and both controller versions";
}

TEST_F (AAX_CEffectParametersTest, UninitializeGivesBackParametersAndWrappers)
{
    startInitialized();
    EXPECT_EQ (fx().Uninitialize(), kAAX_Success);

    EXPECT_EQ (effect->Controller(), nullptr);
    EXPECT_EQ (effect->Transport(), nullptr);
    EXPECT_EQ (session->automation().registeredCount(), 0);
    EXPECT_EQ (session->controller().referenceCount(), 1u);
    EXPECT_EQ (session->automation().referenceCount(), 1u);

    int32_t count = -1;
    fx().GetNumberOfParameters (&count);
    EXPECT_EQ (count, 0);

    // Nothing left to post to: the dispatcher forgot the controller and its packets.
    EXPECT_EQ (fx().GenerateCoefficients(), kAAX_Success);
    EXPECT_THAT (session->controller().postedPackets(), IsEmpty());
}

TEST_F (AAX_CEffectParametersTest, ReleasingWithoutUninitializeGivesEverythingBack)
{
    startInitialized();
    session->release();

    EXPECT_EQ (CACFUnknown::ActiveObjectCount(), 0u);
    EXPECT_EQ (session->automation().registeredCount(), 0);
    EXPECT_EQ (session->controller().referenceCount(), 1u);
    EXPECT_EQ (session->automation().referenceCount(), 1u);
}

TEST_F (AAX_CEffectParametersTest, ASecondInitializeReplacesTheFirst)
{
    startInitialized();
    ASSERT_EQ (session->initialize(), kAAX_Success);

    EXPECT_EQ (effect->effectInitCalls(), 2);
    int32_t count = 0;
    fx().GetNumberOfParameters (&count);
    EXPECT_EQ (count, 5);
    EXPECT_EQ (session->automation().registeredCount(), 5);
    EXPECT_EQ (session->controller().referenceCount(), 3u);

    EXPECT_EQ (fx().GenerateCoefficients(), kAAX_Success);
    EXPECT_THAT (bypassPosts(), ElementsAre (zero32));
}

TEST_F (AAX_CEffectParametersTest, InitializeCyclesLeaveNothingBehind)
{
    for (int cycle = 0; cycle < 3; ++cycle)
    {
        startInitialized();
        change ("1", 0.5);
        EXPECT_EQ (fx().GenerateCoefficients(), kAAX_Success);
        storedChunk();

        // The middle cycle is a host that releases without uninitialising.
        if (cycle != 1)
            EXPECT_EQ (session->uninitialize(), kAAX_Success);
        else
            session->release();

        session.reset();
        EXPECT_EQ (CACFUnknown::ActiveObjectCount(), 0u);
    }
}

TEST_F (AAX_CEffectParametersTest, AFailingEffectInitIsPassedOn)
{
    EffectSetup setup;
    setup.effectInitResult = -12345;
    start (setup);

    EXPECT_EQ (session->initialize(), -12345);
    EXPECT_NE (effect->Controller(), nullptr) << "the wrappers stay";

    // The bypass was not excluded, so it is part of the controls chunk.
    uint32_t size = 0;
    EXPECT_EQ (fx().GetChunkSize (controlsChunk, &size), kAAX_Success);
    EXPECT_EQ (size, 4u + 4u * 12u + 20u + 4u);
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
    EXPECT_EQ (chunkID, 0x656C636Bu);
    EXPECT_EQ (fx().GetChunkIDFromIndex (1, &chunkID), kAAX_ErrorChunkIndexOutOfRange);
    EXPECT_EQ (chunkID, 0u);
    EXPECT_EQ (fx().GetChunkIDFromIndex (-1, &chunkID), kAAX_ErrorChunkIndexOutOfRange);

    uint32_t size = 99;
    HostChunkRecord record (stateChunk, 16);
    EXPECT_EQ (fx().GetChunkSize (stateChunk, &size), kAAX_ErrorChunkNotOurs);
    EXPECT_EQ (size, 0u);
    EXPECT_EQ (fx().GetChunk (stateChunk, record.get()), kAAX_ErrorChunkNotOurs);
    EXPECT_EQ (fx().SetChunk (stateChunk, record.get()), kAAX_ErrorChunkNotOurs);
}

TEST_F (AAX_CEffectParametersTest, TheChunkIsWrittenOnlyAtTheSizeLastReported)
{
    startInitialized();
    HostChunkRecord record (controlsChunk, 256);

    EXPECT_EQ (fx().GetChunk (controlsChunk, record.get()), kAAX_ErrorChunkSizeMismatch);
    EXPECT_EQ (record.get()->dataSize, HostChunkRecord::kUnwrittenDataSize) << "nothing written";

    uint32_t size = 0;
    ASSERT_EQ (fx().GetChunkSize (controlsChunk, &size), kAAX_Success);
    effect->addFloatParameter ("4", 0.5f);
    EXPECT_EQ (fx().GetChunk (controlsChunk, record.get()), kAAX_ErrorChunkSizeMismatch);
    EXPECT_EQ (record.get()->dataSize, HostChunkRecord::kUnwrittenDataSize);

    ASSERT_EQ (fx().GetChunkSize (controlsChunk, &size), kAAX_Success);
    EXPECT_EQ (fx().GetChunk (controlsChunk, record.get()), kAAX_Success);
    EXPECT_EQ (fx().GetChunk (controlsChunk, nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetChunkSize (controlsChunk, nullptr), kAAX_ErrorNullObject);
}

TEST_F (AAX_CEffectParametersTest, TheBypassAloneMakesAnEmptyChunk)
{
    EffectSetup setup;
    setup.floatParameters.clear();
    startInitialized (setup);

    uint32_t size = 0;
    EXPECT_EQ (fx().GetChunkSize (controlsChunk, &size), kAAX_Success);
    EXPECT_EQ (size, 4u);
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
}

TEST_F (AAX_CEffectParametersTest, SetChunkRestoresThroughTheHost)
{
    startInitialized();
    auto record = storedChunk();

    change ("0", 0.9);
    change ("3", 1.0);
    change (bypassID, 1.0);
    const auto changesBefore = changes();

    EXPECT_EQ (fx().SetChunk (controlsChunk, record.get()), kAAX_Success);
    EXPECT_FLOAT_EQ (static_cast<float> (valueOf ("0")), 0.9f) << "a request only, until the host answers";
    EXPECT_EQ (session->automation().pendingRequests(), 4);

    session->deliverPending();
    EXPECT_FLOAT_EQ (static_cast<float> (valueOf ("0")), 0.1f);
    EXPECT_FLOAT_EQ (static_cast<float> (valueOf ("3")), 0.0f);
    EXPECT_EQ (valueOf (bypassID), 1.0) << "the bypass is not part of the controls chunk";
    EXPECT_EQ (changes(), changesBefore + 4);
}

TEST_F (AAX_CEffectParametersTest, ADamagedChunkRestoresNothing)
{
    startInitialized();
    auto good = storedChunk();
    change ("0", 0.9);

    auto data = good.data();
    data.pop_back(); // the last double cut short
    auto truncated = HostChunkRecord::holding (controlsChunk, -1, data);
    EXPECT_EQ (fx().SetChunk (controlsChunk, truncated.get()), kAAX_Success);

    auto lying = HostChunkRecord::holding (controlsChunk, -1, { 0x01, 0x01, 0x01, 0x01, 0x64, 0x5F, 0x30, 0x00 });
    EXPECT_EQ (fx().SetChunk (controlsChunk, lying.get()), kAAX_Success);
    EXPECT_EQ (fx().SetChunk (controlsChunk, nullptr), kAAX_ErrorNullObject);

    EXPECT_EQ (session->automation().pendingRequests(), 0);
    EXPECT_FLOAT_EQ (static_cast<float> (valueOf ("0")), 0.9f);
}

TEST_F (AAX_CEffectParametersTest, StoredValuesOfTheWrongKindAreSkipped)
{
    startInitialized();
    auto data = controlsData ({ 0.0f, 0.0f });
    const auto notANumber = bigEndian (std::numeric_limits<double>::quiet_NaN());
    std::copy (notANumber.begin(), notANumber.end(), data.begin() + 8); // "0" holds a NaN
    data[16] = 0x6C; // "1" is an integer
    data.insert (data.end(), { 0x64, 0x5F, 0x32, 0x00 });
    const auto huge = bigEndian (1e300);
    data.insert (data.end(), huge.begin(), huge.end()); // "2": far beyond a float
    auto record = HostChunkRecord::holding (controlsChunk, 3, data);

    EXPECT_EQ (fx().SetChunk (controlsChunk, record.get()), kAAX_Success);
    session->deliverPending();

    EXPECT_FLOAT_EQ (static_cast<float> (valueOf ("0")), 0.1f);
    EXPECT_FLOAT_EQ (static_cast<float> (valueOf ("1")), 0.2f);
    EXPECT_EQ (valueOf ("2"), 1.0) << "limited by the parameter's range";
    EXPECT_FLOAT_EQ (static_cast<float> (valueOf ("3")), 0.0f);
}

TEST_F (AAX_CEffectParametersTest, CompareActiveChunkFollowsTheValues)
{
    startInitialized();
    auto record = storedChunk();
    EXPECT_TRUE (compare (record));

    change (bypassID, 1.0);
    EXPECT_TRUE (compare (record)) << "the bypass is not compared";

    change ("2", 0.75);
    EXPECT_FALSE (compare (record));

    change ("2", 0.5);
    EXPECT_TRUE (compare (record));

    HostChunkRecord other (stateChunk, 4);
    EXPECT_TRUE (compare (other));

    auto damaged = HostChunkRecord::holding (controlsChunk, -1, { 0x01, 0x01, 0x01 });
    EXPECT_FALSE (compare (damaged));

    AAX_CBoolean equal = 0;
    EXPECT_EQ (fx().CompareActiveChunk (nullptr, &equal), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().CompareActiveChunk (record.get(), nullptr), kAAX_ErrorNullObject);
}

TEST_F (AAX_CEffectParametersTest, CompareActiveChunkFollowsOnOffParameters)
{
    EffectSetup setup;
    setup.withPreview = true;
    startInitialized (setup);
    auto record = storedChunk();

    change ("PreviewID", 1.0);
    EXPECT_FALSE (compare (record));
}

TEST_F (AAX_CEffectParametersTest, WithoutParametersEveryChunkComparesEqual)
{
    start();
    auto damaged = HostChunkRecord::holding (controlsChunk, -1, { 0x00 });
    EXPECT_TRUE (compare (damaged));
}

//==============================================================================
TEST_F (AAX_CEffectParametersTest, CoefficientsCarryTheBypassPort)
{
    startInitialized();

    EXPECT_EQ (fx().GenerateCoefficients(), kAAX_Success);
    EXPECT_THAT (bypassPosts(), ElementsAre (zero32)) << "the first generation posts the initial state";

    change (bypassID, 1.0);
    EXPECT_EQ (fx().GenerateCoefficients(), kAAX_Success);
    EXPECT_EQ (fx().GenerateCoefficients(), kAAX_Success);
    EXPECT_THAT (bypassPosts(), ElementsAre (zero32, one32));

    change ("0", 0.3);
    EXPECT_EQ (fx().GenerateCoefficients(), kAAX_Success);
    EXPECT_THAT (bypassPosts(), ElementsAre (zero32, one32)) << "other parameters feed no port";
}

TEST_F (AAX_CEffectParametersTest, TheChangeCountCountsAcceptedUpdatesOnly)
{
    startInitialized();
    EXPECT_EQ (changes(), 0);

    EXPECT_EQ (fx().UpdateParameterNormalizedValue ("0", 0.5, 0), kAAX_Success);
    EXPECT_EQ (fx().UpdateParameterNormalizedValue ("0", 0.5, 0), kAAX_Success);
    EXPECT_EQ (changes(), 2) << "an unchanged value still counts";

    EXPECT_EQ (fx().UpdateParameterNormalizedValue ("nobody", 0.5, 0), kAAX_ErrorUnknownParameter);
    EXPECT_EQ (fx().UpdateParameterNormalizedValue (nullptr, 0.5, 0), kAAX_ErrorUnknownParameter);
    EXPECT_EQ (fx().SetParameterNormalizedValue ("1", 0.5), kAAX_Success);
    EXPECT_EQ (changes(), 2) << "a request is no change until the host answers";

    session->deliverPending();
    effect->IncrementChangeCounter();
    EXPECT_EQ (changes(), 4);
    EXPECT_EQ (fx().GetNumberOfChanges (nullptr), kAAX_ErrorNullObject);
}

TEST_F (AAX_CEffectParametersTest, RelativeChangesStayInRange)
{
    startInitialized();
    change ("0", 0.9);
    EXPECT_EQ (fx().SetParameterNormalizedRelative ("0", 0.3), kAAX_Success);
    session->deliverPending();
    EXPECT_EQ (valueOf ("0"), 1.0);

    change ("1", 0.1);
    EXPECT_EQ (fx().SetParameterNormalizedRelative ("1", -0.5), kAAX_Success);
    session->deliverPending();
    EXPECT_EQ (valueOf ("1"), 0.0);

    EXPECT_EQ (fx().UpdateParameterNormalizedRelative ("2", 0.25), kAAX_Success);
    EXPECT_EQ (valueOf ("2"), 0.75);
    EXPECT_EQ (fx().UpdateParameterNormalizedRelative ("2", 4.0), kAAX_Success);
    EXPECT_EQ (valueOf ("2"), 1.0);

    EXPECT_EQ (fx().SetParameterNormalizedRelative ("nobody", 0.1), kAAX_ErrorUnknownParameter);
    EXPECT_EQ (fx().UpdateParameterNormalizedRelative ("nobody", 0.1), kAAX_ErrorUnknownParameter);
}

//==============================================================================
TEST_F (AAX_CEffectParametersTest, NamesOfALengthPickTheLongestLineThatFits)
{
    start();
    effect->GetParameterRegistry().AddParameter (new AAX_CParameter<float> ("g", AAX_CString ("Gain\nGn"), 0.0f, AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f), AAX_CNumberDisplayDelegate<float, 3u, 0u>(), true));

    const auto nameOf = [this] (const char* parameterID, int32_t length)
    {
        AAX_CString name ("unchanged");
        EXPECT_EQ (fx().GetParameterNameOfLength (parameterID, &name, length), kAAX_Success);
        return std::string (name.Get());
    };

    EXPECT_EQ (nameOf ("g", 10), "Gain");
    EXPECT_EQ (nameOf ("g", 4), "Gain");
    EXPECT_EQ (nameOf ("g", 3), "Gn");
    EXPECT_EQ (nameOf ("g", 1), "G");
    EXPECT_EQ (nameOf ("g", 0), "");
    EXPECT_EQ (nameOf ("g", -5), "");
    EXPECT_EQ (nameOf ("nobody", 10), "");
    EXPECT_EQ (fx().GetParameterNameOfLength ("g", nullptr, 10), kAAX_ErrorConversionFailed);

    effect->GetParameterRegistry().AddParameter (new AAX_CParameter<float> ("e", AAX_CString (""), 0.0f, AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f), AAX_CNumberDisplayDelegate<float, 3u, 0u>(), true));
    EXPECT_EQ (nameOf ("e", 10), "unchanged") << "an empty name leaves the text alone";

    auto* shortened = new AAX_CParameter<float> ("s", AAX_CString ("Release Time"), 0.0f, AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f), AAX_CNumberDisplayDelegate<float, 3u, 0u>(), true);
    shortened->AddShortenedName (AAX_CString ("Rel\nR"));
    effect->GetParameterRegistry().AddParameter (shortened);
    EXPECT_EQ (nameOf ("s", 12), "Release Time");
    EXPECT_EQ (nameOf ("s", 5), "Rel");
    EXPECT_EQ (nameOf ("s", 2), "R");

    effect->GetParameterRegistry().AddParameter (new AAX_CParameter<float> ("t", AAX_CString ("Left\nRght"), 0.0f, AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f), AAX_CNumberDisplayDelegate<float, 3u, 0u>(), true));
    EXPECT_EQ (nameOf ("t", 4), "Left") << "the first of two lines of equal length";
}

TEST_F (AAX_CEffectParametersTest, ParameterQueriesReachTheParameter)
{
    startInitialized();

    int32_t index = -9;
    EXPECT_EQ (fx().GetParameterIndex (bypassID, &index), kAAX_Success);
    EXPECT_EQ (index, 0);
    EXPECT_EQ (fx().GetParameterIndex ("3", &index), kAAX_Success);
    EXPECT_EQ (index, 4);
    EXPECT_EQ (fx().GetParameterIndex ("nobody", &index), kAAX_ErrorUnknownParameter);
    EXPECT_EQ (index, -1);

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

    int32_t number = 0;
    EXPECT_EQ (fx().GetParameterNumberOfSteps (bypassID, &number), kAAX_Success);
    EXPECT_EQ (number, 2);
    EXPECT_EQ (fx().GetParameterNumberOfSteps ("0", &number), kAAX_Success);
    EXPECT_EQ (number, 2147483647);
    effect->GetParameterRegistry().GetParameterByID ("0")->SetNumberOfSteps (0x80000000u);
    EXPECT_EQ (fx().GetParameterNumberOfSteps ("0", &number), kAAX_ErrorNegativeSteps);
    EXPECT_EQ (number, 2147483647) << "left as it was";

    EXPECT_EQ (fx().GetParameterType ("0", &number), kAAX_Success);
    EXPECT_EQ (number, 1);
    EXPECT_EQ (fx().GetParameterType (bypassID, &number), kAAX_Success);
    EXPECT_EQ (number, 0);
    effect->GetParameterRegistry().GetParameterByID ("1")->SetOrientation (19);
    EXPECT_EQ (fx().GetParameterOrientation ("1", &number), kAAX_Success);
    EXPECT_EQ (number, 19);

    double value = -1.0;
    EXPECT_EQ (fx().GetParameterDefaultNormalizedValue ("2", &value), kAAX_Success);
    EXPECT_DOUBLE_EQ (value, 0.5);
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
    EXPECT_EQ (fx().GetParameterValueString (bypassID, &text, 31), kAAX_Success);
    EXPECT_STREQ (text.Get(), "bypass");

    EXPECT_EQ (fx().GetParameterStringFromValue ("0", 0.25, &text, 31), kAAX_Success);
    EXPECT_STREQ (text.Get(), "0.250");
    EXPECT_EQ (fx().GetParameterStringFromValue ("0", 1.0, &text, 3), kAAX_Success);
    EXPECT_STREQ (text.Get(), "1.0");

    double value = -1.0;
    EXPECT_EQ (fx().GetParameterValueFromString ("0", &value, AAX_CString ("0.75")), kAAX_Success);
    EXPECT_DOUBLE_EQ (value, 0.75);
    value = -1.0;
    EXPECT_EQ (fx().GetParameterValueFromString ("0", &value, AAX_CString ("abc")), kAAX_ErrorConversionFailed);
    EXPECT_EQ (fx().GetParameterValueFromString ("0", &value, AAX_CString ("5")), kAAX_ErrorConversionFailed);
    EXPECT_EQ (value, -1.0) << "no value given with a failure";
    EXPECT_EQ (fx().GetParameterValueFromString ("nobody", &value, AAX_CString ("0.5")), kAAX_ErrorUnknownParameter);

    int32_t info = 5;
    EXPECT_EQ (fx().GetParameterValueInfo ("0", 1, &info), kAAX_ErrorUnsupported);
    EXPECT_EQ (info, 0);
}

TEST_F (AAX_CEffectParametersTest, UnknownIdentifiersAndMissingOutValuesAreRefused)
{
    startInitialized();
    double value = 0.0;
    int32_t number = 0;
    AAX_CString text;

    for (const char* unknown : { "nobody", static_cast<const char*> (nullptr) })
    {
        EXPECT_EQ (fx().GetParameterNumberOfSteps (unknown, &number), kAAX_ErrorUnknownParameter);
        EXPECT_EQ (fx().GetParameterDefaultNormalizedValue (unknown, &value), kAAX_ErrorUnknownParameter);
        EXPECT_EQ (fx().SetParameterDefaultNormalizedValue (unknown, 0.5), kAAX_ErrorUnknownParameter);
        EXPECT_EQ (fx().GetParameterType (unknown, &number), kAAX_ErrorUnknownParameter);
        EXPECT_EQ (fx().GetParameterOrientation (unknown, &number), kAAX_ErrorUnknownParameter);
        EXPECT_EQ (fx().GetParameterStringFromValue (unknown, 0.5, &text, 8), kAAX_ErrorUnknownParameter);
        EXPECT_EQ (fx().GetParameterValueString (unknown, &text, 8), kAAX_ErrorUnknownParameter);
        EXPECT_EQ (fx().GetParameterNormalizedValue (unknown, &value), kAAX_ErrorUnknownParameter);
        EXPECT_EQ (fx().SetParameterNormalizedValue (unknown, 0.5), kAAX_ErrorUnknownParameter);
        EXPECT_EQ (fx().TouchParameter (unknown), kAAX_ErrorUnknownParameter);
        EXPECT_EQ (fx().ReleaseParameter (unknown), kAAX_ErrorUnknownParameter);
    }

    EXPECT_EQ (fx().GetNumberOfParameters (nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetMasterBypassParameter (nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetParameterIsAutomatable ("0", nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetParameterNumberOfSteps ("0", nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetParameterName ("0", nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetParameterDefaultNormalizedValue ("0", nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetParameterType ("0", nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetParameterOrientation ("0", nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetParameter ("0", nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetParameterIndex ("0", nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetParameterIDFromIndex (0, nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetParameterValueFromString ("0", nullptr, AAX_CString ("0.5")), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetParameterStringFromValue ("0", 0.5, nullptr, 8), kAAX_ErrorConversionFailed);
    EXPECT_EQ (fx().GetParameterValueString ("0", nullptr, 8), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetParameterNormalizedValue ("0", nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetParameterValueInfo ("0", 0, nullptr), kAAX_ErrorUnsupported);
    EXPECT_EQ (fx().GetNumberOfChunks (nullptr), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().GetChunkIDFromIndex (0, nullptr), kAAX_ErrorNullObject);
}

//==============================================================================
TEST_F (AAX_CEffectParametersTest, ThePreviewNotificationSetsThePreviewParameter)
{
    EffectSetup setup;
    setup.withPreview = true;
    startInitialized (setup);

    const int32_t on = 1;
    EXPECT_EQ (fx().NotificationReceived (AAX_FourCharCode ("ASPv"), &on, sizeof (on)), kAAX_Success);
    session->deliverPending();
    EXPECT_EQ (valueOf ("PreviewID"), 1.0);

    const int32_t off = 0;
    EXPECT_EQ (fx().NotificationReceived (AAX_FourCharCode ("ASPv"), nullptr, 4), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().NotificationReceived (AAX_FourCharCode ("ASPv"), &off, 2), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().NotificationReceived (AAX_FourCharCode ("ASPx"), &off, sizeof (off)), kAAX_Success);
    EXPECT_EQ (session->automation().pendingRequests(), 0);
    EXPECT_EQ (valueOf ("PreviewID"), 1.0);

    EXPECT_EQ (fx().NotificationReceived (AAX_FourCharCode ("ASPv"), &off, sizeof (off)), kAAX_Success);
    session->deliverPending();
    EXPECT_EQ (valueOf ("PreviewID"), 0.0);
}

TEST_F (AAX_CEffectParametersTest, WithoutAPreviewParameterPreviewsAreIgnored)
{
    startInitialized();
    EXPECT_EQ (fx().NotificationReceived (AAX_FourCharCode ("ASPv"), nullptr, 0), kAAX_Success);
    EXPECT_EQ (session->automation().pendingRequests(), 0);
}

TEST_F (AAX_CEffectParametersTest, FieldDataIsReset)
{
    start();
    Bytes field (12, 0xAB);
    EXPECT_EQ (fx().ResetFieldData (5, field.data(), 8), kAAX_Success);
    EXPECT_EQ (field, (Bytes { 0, 0, 0, 0, 0, 0, 0, 0, 0xAB, 0xAB, 0xAB, 0xAB }));

    EXPECT_EQ (fx().ResetFieldData (5, nullptr, 8), kAAX_ErrorNullObject);
    EXPECT_EQ (fx().ResetFieldData (5, nullptr, 0), kAAX_Success);
}

TEST_F (AAX_CEffectParametersTest, LaterInterfaceSlotsAnswerTheirDefaults)
{
    start();
    int32_t fourth = 9;
    EXPECT_EQ (fx().DefaultSlot40(), kAAX_Success);
    EXPECT_EQ (fx().DefaultSlot41(), kAAX_ErrorUnsupported);
    EXPECT_EQ (fx().DefaultSlot42 (1, 2, 3, &fourth), kAAX_Success);
    EXPECT_EQ (fourth, 0);
    EXPECT_EQ (fx().DefaultSlot42 (1, 2, 3, nullptr), kAAX_Success);
    EXPECT_EQ (fx().DefaultSlot43(), kAAX_Success);
    EXPECT_EQ (fx().DefaultSlot44(), kAAX_Success);
    EXPECT_EQ (fx().DefaultSlot45(), kAAX_ErrorUnsupported);
    EXPECT_EQ (fx().DefaultSlot46(), kAAX_Success);
    EXPECT_EQ (fx().DefaultSlot47(), kAAX_Success);
}
} // namespace
