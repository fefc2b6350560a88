// The plug-in's effect object end to end: Quorvel.so loaded with dlopen, registered,
// created, initialised and run in the simulated AAX host. What the bridge shares with
// the VST bridge (the routing of host buffers, the reading of saved states) is tested
// where it is kept; here each behaviour only this bridge can get wrong is checked once.

#include "tests/plugin/aax/AaxPlugInTest.h"

#include "formats/aax/AAX_CString.h"
#include "formats/aax/AAX_SChunkRecord.h"
#include "formats/aax/host/HostChunkRecord.h"

#include "support/WaitUntil.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace
{
using quorvel::test::MultiChannelSignal;
using quorvel::test::waitUntil;
using ::testing::ElementsAre;

constexpr uint32_t controlsChunkID = AAX_FourCharCode ("elck");
constexpr uint32_t stateChunkID = AAX_FourCharCode ("juce");

// The host's defaults: 48 kHz; the processor's: 1 ms attack, 0 dB peak level.
constexpr int defaultLatency = 48;
constexpr float defaultThreshold = 1.0f;

float peakOf (const MultiChannelSignal& signal, int from = 0)
{
    float peak = 0.0f;

    for (const auto& channel : signal.channels)
        for (size_t i = (size_t) from; i < channel.size(); ++i)
            peak = std::max (peak, std::abs (channel[i]));

    return peak;
}

/** The input shifted later by `delay` samples, zeros in front. */
MultiChannelSignal delayedBy (const MultiChannelSignal& input, int delay)
{
    MultiChannelSignal output (input.numChannels(), input.numSamples());

    for (size_t channel = 0; channel < input.channels.size(); ++channel)
        std::copy (input.channels[channel].begin(), input.channels[channel].end() - delay, output.channels[channel].begin() + delay);

    return output;
}

/** Four channels holding 7 everywhere, to show which samples a run wrote. */
MultiChannelSignal untouchedOutput (int numSamples)
{
    MultiChannelSignal output (4, numSamples);

    for (auto& channel : output.channels)
        std::fill (channel.begin(), channel.end(), 7.0f);

    return output;
}

/** The parameter identifiers of the host's set-value requests, in order. */
std::vector<std::string> requestedIdentifiers (HostCallLog& calls)
{
    std::vector<std::string> identifiers;

    for (const auto& entry : calls.entriesWithOperation ("PostSetValueRequest"))
    {
        const auto open = entry.find ("(\"");
        const auto close = entry.find ('"', open + 2);
        identifiers.push_back (entry.substr (open + 2, close - open - 2));
    }

    return identifiers;
}

class AaxBridgeTest : public AaxEffectTest
{
protected:
    /** Sets a parameter the way the host's automation does: the request, then the update. */
    void automate (const char* parameterID, double value)
    {
        ASSERT_EQ (effect->effect()->SetParameterNormalizedValue (parameterID, value), kAAX_Success);
        effect->deliverPending();
    }

    AAX_IACFEffectParameters_V2& plugIn() { return *effect->effect(); }

    /** A chunk as a host saves it: the size asked first, then the data in that much room. */
    HostChunkRecord saveChunk (uint32_t chunkID)
    {
        uint32_t size = 0;
        EXPECT_EQ (plugIn().GetChunkSize (chunkID, &size), kAAX_Success);
        HostChunkRecord record (chunkID, size);
        EXPECT_EQ (plugIn().GetChunk (chunkID, record.get()), kAAX_Success);
        return record;
    }

    /** What the controls chunk saved now brings back for the attack once it has moved. */
    double attackRestoredByControlsChunk()
    {
        const auto saved = saveChunk (controlsChunkID);
        automate ("0", 0.1);
        EXPECT_EQ (plugIn().SetChunk (controlsChunkID, saved.get()), kAAX_Success);
        effect->deliverPending();
        return valueOf ("0");
    }
};

//==============================================================================
TEST_F (AaxBridgeTest, InitialisationRegistersBypassFirstAndTheProcessorsParametersUntilUninitialised)
{
    std::vector<std::string> registered;
    int32_t count = 0;
    ASSERT_EQ (plugIn().GetNumberOfParameters (&count), kAAX_Success);

    for (int32_t index = 0; index < count; ++index)
    {
        AAX_CString identifier, name, text;
        double defaultValue = -1.0;
        int32_t type = -1, steps = -1, orientation = -1;
        AAX_CBoolean automatable = 7;
        plugIn().GetParameterIDFromIndex (index, &identifier);
        const auto* id = identifier.CString();
        plugIn().GetParameterName (id, &name);
        plugIn().GetParameterDefaultNormalizedValue (id, &defaultValue);
        plugIn().GetParameterType (id, &type);
        plugIn().GetParameterNumberOfSteps (id, &steps);
        plugIn().GetParameterOrientation (id, &orientation);
        plugIn().GetParameterIsAutomatable (id, &automatable);
        plugIn().GetParameterValueString (id, &text, 31);
        std::ostringstream row;
        row << id << ": " << name.CString() << ", " << valueOf (id) << " \"" << text.CString() << "\" of default " << defaultValue
            << ", type " << type << ", " << steps << " steps, orientation " << orientation << ", automatable " << (int) automatable;
        registered.push_back (row.str());
    }

    EXPECT_THAT (registered, ElementsAre ("MasterBypassID: Master Bypass, 0 \"bypass\" of default 0, type 0, 2 steps, orientation 0, automatable 1", // type 0 discrete, 1 continuous
                                          "0: Attack Time, 0.025 \"0.025\" of default 0.025, type 1, 2147483647 steps, orientation 0, automatable 1",
                                          "1: Release Time, 0.02 \"0.020\" of default 0.02, type 1, 2147483647 steps, orientation 0, automatable 1",
                                          "2: Max Peak Level, 0.5 \"0.500\" of default 0.5, type 1, 2147483647 steps, orientation 0, automatable 1",
                                          "3: Input Gain, 0 \"0.000\" of default 0, type 1, 2147483647 steps, orientation 0, automatable 1"));
    EXPECT_EQ (effect->automation().registeredCount(), 5);

    AAX_CString bypassID, shortName;
    int32_t steps = 0;
    EXPECT_EQ (plugIn().GetMasterBypassParameter (&bypassID), kAAX_Success);
    EXPECT_STREQ (bypassID.CString(), "MasterBypassID");
    EXPECT_EQ (plugIn().GetParameterNumberOfSteps ("2", &steps), kAAX_Success);
    EXPECT_EQ (steps, 2147483647);
    EXPECT_EQ (plugIn().GetParameterNameOfLength ("0", &shortName, 4), kAAX_Success);
    EXPECT_STREQ (shortName.CString(), "Atta");

    EXPECT_EQ (effect->uninitialize(), kAAX_Success);
    EXPECT_EQ (effect->automation().registeredCount(), 0) << "every parameter unregistered";
    EXPECT_EQ (effect->controller().referenceCount(), 1u) << "only the host instance holds its controller";
}

//==============================================================================
TEST_F (AaxBridgeTest, TheBypassPortChoosesBetweenTheDelayedInputAndTheLimitedOne)
{
    startAlgorithm();
    const auto attackBefore = valueOf ("0");
    const auto loud = quorvel::test::independentNoise (4, 4800, 4.0f, 1305);

    automate ("MasterBypassID", 1.0);
    plugIn().GenerateCoefficients();
    const auto bypassedOutput = render (loud, 480);

    EXPECT_EQ (algorithm->portValue (AAX_ContextFields::bypassPort), 1u);
    EXPECT_EQ (bypassedOutput.channels, delayedBy (loud, defaultLatency).channels) << "bypassed, in time with the latency";
    EXPECT_EQ (valueOf ("0"), attackBefore) << "the bypass identifier never reaches parameter 0";

    automate ("MasterBypassID", 0.0);
    plugIn().GenerateCoefficients();
    const auto limitedOutput = render (loud, 512);

    EXPECT_EQ (algorithm->portValue (AAX_ContextFields::bypassPort), 0u);
    EXPECT_LE (peakOf (limitedOutput, defaultLatency), defaultThreshold);
    EXPECT_GT (peakOf (limitedOutput, defaultLatency), 0.5f) << "the limiter lets the signal through";
}

TEST_F (AaxBridgeTest, AnAttackChangeIsReportedAsLatencyAndCountedAsAChange)
{
    automate ("0", 1.0); // 40 ms

    // Told from the plug-in's message thread, never from inside the host's call.
    EXPECT_THAT (effect->controller().latencyReports(), ElementsAre (defaultLatency));
    EXPECT_TRUE (waitUntil ([this]
                            { return effect->controller().latencyReports().size() == 2; }));
    EXPECT_EQ (effect->controller().latency(), 1920);
    EXPECT_THAT (effect->controller().latencyReports(), ElementsAre (defaultLatency, 1920));

    int32_t changes = 0;
    EXPECT_EQ (plugIn().GetNumberOfChanges (&changes), kAAX_Success);
    EXPECT_EQ (changes, 2) << "the update and the latency change";
}

//==============================================================================
TEST_F (AaxBridgeTest, OnlyFiniteValuesForTheFourDecimalIdentifiersReachTheProcessorLimitedToTheUnitRange)
{
    const auto processorValues = [this]
    { return std::vector<double> { valueOf ("0"), valueOf ("1"), valueOf ("2"), valueOf ("3") }; };
    const auto before = processorValues();

    for (const char* identifier : { "00", "4", "-1", "+1", " 1", "1 ", "1x", "", "3\n", "MasterBypassIDx" })
    {
        EXPECT_EQ (plugIn().SetParameterNormalizedValue (identifier, 0.9), kAAX_ErrorUnknownParameter) << '"' << identifier << '"';
        EXPECT_EQ (plugIn().UpdateParameterNormalizedValue (identifier, 0.9, 0), kAAX_ErrorUnknownParameter) << '"' << identifier << '"';
    }

    for (double bad : { std::nan (""), HUGE_VAL, -HUGE_VAL })
        for (const char* identifier : { "2", "MasterBypassID" })
        {
            EXPECT_NE (plugIn().SetParameterNormalizedValue (identifier, bad), kAAX_Success) << identifier;
            EXPECT_NE (plugIn().UpdateParameterNormalizedValue (identifier, bad, 0), kAAX_Success) << identifier;
        }

    EXPECT_EQ (plugIn().UpdateParameterNormalizedValue (nullptr, 0.9, 0), kAAX_ErrorUnknownParameter);
    EXPECT_EQ (plugIn().UpdateParameterNormalizedValue ("MasterBypassID", 1.0, 0), kAAX_Success);
    EXPECT_EQ (processorValues(), before);
    EXPECT_EQ (plugIn().GetParameterNormalizedValue ("2", nullptr), kAAX_ErrorNullObject);

    EXPECT_EQ (plugIn().UpdateParameterNormalizedValue ("1", 1.7, 0), kAAX_Success);
    EXPECT_EQ (plugIn().SetParameterNormalizedValue ("3", -2.0), kAAX_Success);
    EXPECT_EQ (processorValues(), (std::vector<double> { before[0], 1.0, before[2], 0.0 }));
}

TEST_F (AaxBridgeTest, ValueTextsAreReadAsTheProcessorReadsThem)
{
    struct TextCase
    {
        const char* parameterID;
        const char* text;
        AAX_Result result;
        double value;
    };

    constexpr double untouched = 42.0;
    const TextCase cases[] = {
        { "0", "1.5", kAAX_Success, 1.0 },
        { "2", ".5", kAAX_Success, 0.5 },
        { "3", "-9", kAAX_Success, 0.0 },
        { "1", "abc", kAAX_ErrorConversionFailed, untouched },
        { "2", "nan", kAAX_ErrorConversionFailed, untouched },
        { "MasterBypassID", "on", kAAX_Success, 1.0 },
        { "MasterBypassID", "1", kAAX_ErrorConversionFailed, untouched },
        { "4", "0.5", kAAX_ErrorUnknownParameter, untouched },
    };

    for (const auto& row : cases)
    {
        double value = untouched;
        EXPECT_EQ (plugIn().GetParameterValueFromString (row.parameterID, &value, AAX_CString (row.text)), row.result) << row.parameterID << " \"" << row.text << '"';
        EXPECT_EQ (value, row.value) << row.parameterID << " \"" << row.text << '"';
    }
}

TEST_F (AaxBridgeTest, AHostSetIsARequestThatTheProcessorTakesWithoutNotifyingBack)
{
    host.calls().clear();

    ASSERT_EQ (plugIn().SetParameterNormalizedValue ("2", 0.75), kAAX_Success);
    EXPECT_THAT (requestedIdentifiers (host.calls()), ElementsAre ("2"));
    EXPECT_EQ (effect->deliverPending(), 1);

    EXPECT_FLOAT_EQ ((float) valueOf ("2"), 0.75f);
    EXPECT_THAT (requestedIdentifiers (host.calls()), ElementsAre ("2")) << "the update asks for nothing more";
}

//==============================================================================
TEST_F (AaxBridgeTest, TheStateChunkFollowsTheControlsChunkAndIsWrittenOnlyIntoTheRoomAskedFor)
{
    int32_t chunks = 0;
    uint32_t identifiers[3] {};
    EXPECT_EQ (plugIn().GetNumberOfChunks (&chunks), kAAX_Success);
    EXPECT_EQ (chunks, 2);
    EXPECT_EQ (plugIn().GetChunkIDFromIndex (0, &identifiers[0]), kAAX_Success);
    EXPECT_EQ (plugIn().GetChunkIDFromIndex (1, &identifiers[1]), kAAX_Success);
    EXPECT_EQ (plugIn().GetChunkIDFromIndex (2, &identifiers[2]), kAAX_ErrorChunkIndexOutOfRange);
    EXPECT_THAT (identifiers, ElementsAre (controlsChunkID, stateChunkID, 0u));

    HostChunkRecord unasked (stateChunkID, 4096);
    EXPECT_EQ (plugIn().GetChunk (stateChunkID, unasked.get()), kAAX_ErrorChunkSizeMismatch) << "no size was asked for first";

    uint32_t size = 0;
    ASSERT_EQ (plugIn().GetChunkSize (stateChunkID, &size), kAAX_Success);
    automate ("0", 0.5); // a shorter text than the default's: the state still fits
    HostChunkRecord record (stateChunkID, size);
    ASSERT_EQ (plugIn().GetChunk (stateChunkID, record.get()), kAAX_Success);
    EXPECT_GT (record.data().size(), 0u);
    EXPECT_LT (record.data().size(), size);
    EXPECT_TRUE (record.hostFieldsUntouched());

    automate ("0", 0.123457); // now longer than the room the host made
    HostChunkRecord tooSmall (stateChunkID, size);
    EXPECT_EQ (plugIn().GetChunk (stateChunkID, tooSmall.get()), kAAX_ErrorChunkSizeMismatch);
    EXPECT_TRUE (tooSmall.data().empty());
    EXPECT_TRUE (tooSmall.hostFieldsUntouched());
}

TEST_F (AaxBridgeTest, ARestoredStateReachesTheHostAndARefusedOneNothing)
{
    automate ("0", 0.5);
    automate ("3", 0.25);
    const auto saved = saveChunk (stateChunkID);

    automate ("0", 0.1);
    automate ("1", 0.9);
    automate ("3", 0.0);
    host.calls().clear();

    auto lying = HostChunkRecord::holding (stateChunkID, 0, saved.data());
    lying.setDataSizeField (-5);
    EXPECT_NE (plugIn().SetChunk (stateChunkID, lying.get()), kAAX_Success);
    EXPECT_EQ (plugIn().SetChunk (stateChunkID, nullptr), kAAX_ErrorNullObject);
    EXPECT_FLOAT_EQ ((float) valueOf ("0"), 0.1f);
    EXPECT_TRUE (requestedIdentifiers (host.calls()).empty());

    ASSERT_EQ (plugIn().SetChunk (stateChunkID, saved.get()), kAAX_Success);

    EXPECT_FLOAT_EQ ((float) valueOf ("0"), 0.5f);
    EXPECT_FLOAT_EQ ((float) valueOf ("1"), 0.02f);
    EXPECT_FLOAT_EQ ((float) valueOf ("3"), 0.25f);
    EXPECT_THAT (requestedIdentifiers (host.calls()), ElementsAre ("0", "1", "2", "3"));

    EXPECT_EQ (effect->deliverPending(), 4);
    EXPECT_FLOAT_EQ ((float) valueOf ("0"), 0.5f) << "the host's answers agree with the restored state";
    EXPECT_FLOAT_EQ ((float) valueOf ("3"), 0.25f);
}

TEST_F (AaxBridgeTest, TheControlsChunkHoldsTheProcessorsValuesBesideTheStateChunk)
{
    automate ("0", 0.25);
    EXPECT_EQ (saveChunk (controlsChunkID).name(), "Complete Controls State");
    EXPECT_FLOAT_EQ ((float) attackRestoredByControlsChunk(), 0.25f);

    // Initialised again after the attack was automated: the host's parameters start
    // from the processor's values, not from its defaults.
    automate ("0", 0.5);
    const auto state = saveChunk (stateChunkID);
    ASSERT_EQ (effect->initialize(), kAAX_Success);
    EXPECT_FLOAT_EQ ((float) attackRestoredByControlsChunk(), 0.5f);

    // The state restored into a new effect before the host initialises it.
    closeEverything();
    createEffect();
    ASSERT_EQ (plugIn().SetChunk (stateChunkID, state.get()), kAAX_Success);
    ASSERT_EQ (effect->initialize(), kAAX_Success);
    EXPECT_FLOAT_EQ ((float) attackRestoredByControlsChunk(), 0.5f);
}

//==============================================================================
TEST_F (AaxBridgeTest, TheProcessRoutineWritesNothingForADamagedCall)
{
    startAlgorithm();
    auto routine = algorithm->processRoutine();
    ASSERT_NE (routine, nullptr);
    void* noContext[] = { nullptr };
    routine (nullptr, nullptr);
    routine (noContext, noContext + 1);
    routine (noContext + 1, noContext);

    uint64_t emptyPrivateData = 0;
    const std::tuple<const char*, uint32_t, void*> damages[] = {
        { "no outputs", AAX_ContextFields::audioOut, nullptr },
        { "no length", AAX_ContextFields::bufferLength, nullptr },
        { "no effect in the private data", AAX_ContextFields::privateData, &emptyPrivateData },
        { "no private data", AAX_ContextFields::privateData, nullptr },
    };

    auto input = quorvel::test::independentNoise (4, 64, 0.5f, 1306);
    auto inputs = input.pointers();

    for (const auto& [what, field, pointer] : damages)
    {
        startAlgorithm();
        algorithm->overrideField (field, pointer);
        auto output = untouchedOutput (64);
        auto outputs = output.pointers();
        algorithm->render (inputs.data(), outputs.data(), 64);
        EXPECT_EQ (output.channels, untouchedOutput (64).channels) << what;
    }
}

TEST_F (AaxBridgeTest, AfterARefusedInitialisationTheRoutineLeavesTheBuffersAlone)
{
    startAlgorithm();
    const auto fourChannels = effect->controller().settings();
    auto input = quorvel::test::independentNoise (4, 256, 0.5f, 1308);
    auto inputs = input.pointers();
    const auto renderAfter = [&] (const HostController::Settings& settings, AAX_Result expected)
    {
        effect->controller().setSettings (settings);
        EXPECT_EQ (effect->initialize(), expected);
        auto output = untouchedOutput (256);
        auto outputs = output.pointers();
        algorithm->render (inputs.data(), outputs.data(), 256);
        return output;
    };

    // Input stems of one channel, then output stems of five.
    for (const auto& stems : { std::pair { 0x00010001, HostController::kFourChannels }, std::pair { HostController::kFourChannels, 0x00050005 } })
    {
        auto otherStems = fourChannels;
        std::tie (otherStems.inputStemFormat, otherStems.outputStemFormat) = stems;
        EXPECT_EQ (renderAfter (otherStems, kAAX_ErrorUnsupported).channels, untouchedOutput (256).channels);
    }

    EXPECT_LE (peakOf (renderAfter (fourChannels, kAAX_Success)), 0.5f) << "rendering again";
}
} // namespace
