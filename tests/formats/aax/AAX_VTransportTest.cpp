#include "formats/aax/AAX_VTransport.h"

#include "formats/aax/AAX_Identifiers.h"
#include "formats/aax/host/AAXHostTest.h"
#include "formats/aax/host/HostEffectInstance.h"
#include "formats/aax/host/HostReference.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace
{
using ::testing::IsEmpty;

class AAX_VTransportTest : public AAXHostTest
{
protected:
    void TearDown() override
    {
        instance.reset();
        AAXHostTest::TearDown();
    }

    HostReference<HostEffectInstance> instance = makeHostObject<HostEffectInstance> (host.context());
};

/** Every answer of the transport, read the way the wrapper's callers read it. */
struct Reading
{
    std::vector<AAX_Result> results;
    double tempo = -1.0;
    int32_t numerator = -1;
    int32_t denominator = -1;
    AAX_CBoolean playing = 9;
    int64_t tick = -1;
    AAX_CBoolean looping = 9;
    int64_t loopStart = -1;
    int64_t loopEnd = -1;
    int64_t sampleLocation = -1;
    int64_t customTick = -1;
    int32_t bars = -1;
    int32_t beats = -1;
    int64_t displayTicks = -1;
    uint32_t ticksPerQuarter = 0;
    uint32_t ticksPerBeat = 0;
    int64_t selectionStart = -1;
    int32_t frameRateCode = -1;
    int32_t timeCodeOffset = -1;
    int32_t feetFramesCode = -1;
    int64_t feetFramesOffset = -1;
    int32_t metronome = -1;
};

Reading readEverything (const AAX_ITransport& transport)
{
    Reading reading;
    auto& r = reading;
    r.results = {
        transport.GetCurrentTempo (&r.tempo),
        transport.GetCurrentMeter (&r.numerator, &r.denominator),
        transport.IsTransportPlaying (&r.playing),
        transport.GetCurrentTickPosition (&r.tick),
        transport.GetCurrentLoopPosition (&r.looping, &r.loopStart, &r.loopEnd),
        transport.GetCurrentNativeSampleLocation (&r.sampleLocation),
        transport.GetCustomTickPosition (&r.customTick, 1000),
        transport.GetBarBeatPosition (&r.bars, &r.beats, &r.displayTicks, 1000),
        transport.GetTicksPerQuarter (&r.ticksPerQuarter),
        transport.GetCurrentTicksPerBeat (&r.ticksPerBeat),
        transport.GetTimelineSelectionStartPosition (&r.selectionStart),
        transport.GetTimeCodeInfo (&r.frameRateCode, &r.timeCodeOffset),
        transport.GetFeetFramesInfo (&r.feetFramesCode, &r.feetFramesOffset),
        transport.IsMetronomeEnabled (&r.metronome),
    };
    return reading;
}

HostTransport::Script playingScript()
{
    HostTransport::Script script;
    script.tempo = 96.5;
    script.meterNumerator = 7;
    script.meterDenominator = 8;
    script.playing = true;
    script.tickPosition = 1920000;
    script.looping = true;
    script.loopStartTick = 960000;
    script.loopEndTick = 3840000;
    script.nativeSampleLocation = 44100;
    script.ticksPerSample = 3;
    script.bars = 5;
    script.beats = 2;
    script.displayTicks = 120;
    script.ticksPerQuarter = 960000;
    script.ticksPerBeat = 480000;
    script.selectionStart = 22050;
    script.frameRateCode = 2;
    script.timeCodeOffset = 10;
    script.feetFramesRateCode = 1;
    script.feetFramesOffset = 16;
    script.metronomeEnabled = 1;
    return script;
}

TEST_F (AAX_VTransportTest, ForwardsTheScriptedAnswers)
{
    instance->transport().setScript (playingScript());
    AAX_VTransport transport (instance->unknown());

    const auto r = readEverything (transport);

    EXPECT_THAT (r.results, ::testing::Each (kAAX_Success));
    EXPECT_EQ (r.tempo, 96.5);
    EXPECT_EQ (r.numerator, 7);
    EXPECT_EQ (r.denominator, 8);
    EXPECT_EQ (r.playing, 1);
    EXPECT_EQ (r.tick, 1920000);
    EXPECT_EQ (r.looping, 1);
    EXPECT_EQ (r.loopStart, 960000);
    EXPECT_EQ (r.loopEnd, 3840000);
    EXPECT_EQ (r.sampleLocation, 44100);
    EXPECT_EQ (r.customTick, 3000) << "the sample location reached the host";
    EXPECT_EQ (r.bars, 5);
    EXPECT_EQ (r.beats, 2);
    EXPECT_EQ (r.displayTicks, 120);
    EXPECT_EQ (r.ticksPerQuarter, 960000u);
    EXPECT_EQ (r.ticksPerBeat, 480000u);
    EXPECT_EQ (r.selectionStart, 22050);
    EXPECT_EQ (r.frameRateCode, 2);
    EXPECT_EQ (r.timeCodeOffset, 10);
    EXPECT_EQ (r.feetFramesCode, 1);
    EXPECT_EQ (r.feetFramesOffset, 16);
    EXPECT_EQ (r.metronome, 1);

    const auto calls = host.calls().entriesOf (instance->transport().name());
    ASSERT_EQ (calls.size(), 14u);
    EXPECT_THAT (calls[7], ::testing::EndsWith ("GetBarBeatPosition(pointer, pointer, pointer, 1000)"));
}

TEST_F (AAX_VTransportTest, HostFailuresPassThroughAndWriteNothing)
{
    instance->transport().setScript (playingScript());
    instance->transport().failOperation ("GetCurrentMeter", -4242);
    instance->transport().failOperation ("GetTimelineSelectionStartPosition", 17);
    AAX_VTransport transport (instance->unknown());

    const auto r = readEverything (transport);

    EXPECT_EQ (r.results[1], -4242);
    EXPECT_EQ (r.numerator, -1);
    EXPECT_EQ (r.denominator, -1);
    EXPECT_EQ (r.results[10], 17) << "a positive host code too";
    EXPECT_EQ (r.selectionStart, -1);
    EXPECT_EQ (r.tempo, 96.5);
}

TEST_F (AAX_VTransportTest, HostWithoutSecondVersion)
{
    instance->transport().setScript (playingScript());
    host.switches().withholdInterface (kIID_AAX_IACFTransport_V2);
    AAX_VTransport transport (instance->unknown());

    const auto r = readEverything (transport);

    for (size_t slot = 0; slot < r.results.size(); ++slot)
        EXPECT_EQ (r.results[slot], slot >= 10 ? kAAX_ErrorUnsupported : kAAX_Success) << slot;

    // What a play head falls back on when the selection is unknown.
    EXPECT_EQ (r.sampleLocation, 44100);
    EXPECT_EQ (r.selectionStart, -1);
    EXPECT_EQ (r.frameRateCode, -1);
    EXPECT_EQ (host.calls().entriesOf (instance->transport().name()).size(), 10u);
}

TEST_F (AAX_VTransportTest, NoHostUnknownAnswersWithoutCallingAnything)
{
    AAX_VTransport transport (nullptr);
    host.calls().clear();

    const auto r = readEverything (transport);

    for (size_t slot = 0; slot < r.results.size(); ++slot)
        EXPECT_EQ (r.results[slot], slot >= 10 ? kAAX_ErrorUnsupported : kAAX_ErrorNullObject) << slot;

    EXPECT_EQ (r.tempo, -1.0);
    EXPECT_THAT (host.calls().entries(), IsEmpty());
}

TEST_F (AAX_VTransportTest, GivesBackBothReferences)
{
    const auto before = instance->transport().referenceCount();

    {
        AAX_VTransport transport (instance->unknown());
        EXPECT_EQ (instance->transport().referenceCount(), before + 2);
    }

    EXPECT_EQ (instance->transport().referenceCount(), before);
}
} // namespace
