// The processor's play head in the simulated AAX host: every field read through the
// processor's getPlayHead() while the host's transport follows a script.

#include "tests/plugin/aax/AaxPlugInTest.h"

#include "formats/aax/AAX_Identifiers.h"
#include "plugin/aax/AaxBridge.h"

#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

namespace
{
using Script = HostTransport::Script;
using PositionInfo = juce::AudioPlayHead::PositionInfo;

/** The one look inside the library: the host's interface pointer is the bridge itself,
    as the plug-in's GUI object finds it, and the bridge holds the processor. */
juce::AudioPlayHead* playHeadOf (AAX_IACFEffectParameters_V2& effect)
{
    return static_cast<AaxBridge&> (effect).getProcessor().getPlayHead();
}

std::string number (double value)
{
    std::ostringstream text;
    text << std::setprecision (5) << value;
    return text.str();
}

/** Every field a host can fill, in words; a field the play head left empty says so. */
std::string describe (const juce::Optional<PositionInfo>& position)
{
    if (! position.hasValue())
        return "no position";

    const auto meter = position->getTimeSignature();
    const auto loop = position->getLoopPoints();
    const auto rate = position->getFrameRate();
    const auto samples = position->getTimeInSamples();
    std::ostringstream text;
    text << (position->getBpm() ? number (*position->getBpm()) + " bpm" : "no tempo") << ", "
         << (meter ? std::to_string (meter->numerator) + "/" + std::to_string (meter->denominator) : "no meter") << ", "
         << (position->getIsPlaying() ? "playing" : "stopped") << ", "
         << (samples ? "sample " + std::to_string (*samples) : "no sample") << ", "
         << (position->getPpqPosition() ? "quarter " + number (*position->getPpqPosition()) : "no quarter") << ", "
         << (position->getIsLooping() ? "looping " : "not looping ")
         << (loop ? number (loop->ppqStart) + ".." + number (loop->ppqEnd) : "nowhere") << ", "
         << (rate ? number (rate->getEffectiveRate()) + " fps" + (rate->isDrop() ? " drop" : "") : "no frame rate");
    return text.str();
}

/** A transport that answers everything: stopped at a selection that is not where
    the samples are, 2.5 quarter notes in, a loop from 1 to 3 not switched on. */
Script stoppedTransport()
{
    Script script;
    script.tempo = 133.5;
    script.meterNumerator = 7;
    script.meterDenominator = 8;
    script.selectionStart = 96000;
    script.nativeSampleLocation = 5000;
    script.tickPosition = 2400000;
    script.loopStartTick = 960000;
    script.loopEndTick = 2880000;
    script.frameRateCode = 4;
    return script;
}

Script playingTransport()
{
    auto script = stoppedTransport();
    script.playing = true;
    script.looping = true;
    return script;
}

const std::vector<std::string> everyReadOperation { "GetCurrentTempo", "GetCurrentMeter", "IsTransportPlaying", "GetCurrentTickPosition", "GetCurrentLoopPosition", "GetCurrentNativeSampleLocation", "GetTimelineSelectionStartPosition", "GetTimeCodeInfo" };

struct TransportCase
{
    const char* name;
    Script script;
    std::vector<std::string> failingOperations;
    bool secondVersionWithheld;
    const char* expected;
};

const TransportCase transportCases[] = {
    { "Stopped", stoppedTransport(), {}, false, "133.5 bpm, 7/8, stopped, sample 96000, quarter 2.5, not looping 1..3, 29.97 fps drop" },
    { "Playing", playingTransport(), {}, false, "133.5 bpm, 7/8, playing, sample 5000, quarter 2.5, looping 1..3, 29.97 fps drop" },
    { "StoppedWithoutSelection", stoppedTransport(), { "GetTimelineSelectionStartPosition" }, false, "133.5 bpm, 7/8, stopped, sample 5000, quarter 2.5, not looping 1..3, 29.97 fps drop" },
    { "StoppedWithoutSecondVersion", stoppedTransport(), {}, true, "133.5 bpm, 7/8, stopped, sample 5000, quarter 2.5, not looping 1..3, no frame rate" },
    { "PlayStateUnknown", playingTransport(), { "IsTransportPlaying" }, false, "133.5 bpm, 7/8, stopped, sample 96000, quarter 2.5, looping 1..3, 29.97 fps drop" },
    { "EveryCallFails", playingTransport(), everyReadOperation, false, "no tempo, 4/4, stopped, no sample, no quarter, not looping nowhere, no frame rate" },
};

void PrintTo (const TransportCase& row, std::ostream* stream)
{
    *stream << row.name;
}

class AaxPlayHeadTest : public AaxPlugInTest,
                        public ::testing::WithParamInterface<TransportCase>
{
};

TEST_P (AaxPlayHeadTest, ReadsTheHostsTransportAtEachQuery)
{
    const auto& row = GetParam();
    registerPlugIn();

    if (row.secondVersionWithheld)
        host.switches().withholdInterface (kIID_AAX_IACFTransport_V2);

    openEffect();
    auto* playHead = playHeadOf (*effect->effect());
    ASSERT_NE (playHead, nullptr);

    auto& transport = effect->instance().transport();
    transport.setScript (row.script);

    for (const auto& operation : row.failingOperations)
        transport.failOperation (operation, kAAX_ErrorUnsupported);

    EXPECT_EQ (describe (playHead->getPosition()), row.expected);
}

INSTANTIATE_TEST_SUITE_P (Transports, AaxPlayHeadTest, ::testing::ValuesIn (transportCases), [] (const auto& testCase)
                          { return std::string (testCase.param.name); });

class AaxPlayHeadOfOpenEffectTest : public AaxEffectTest
{
};

TEST_F (AaxPlayHeadOfOpenEffectTest, NamesTheHostsSevenTimeCodeRatesWhileInitialised)
{
    auto* playHead = playHeadOf (*effect->effect());
    ASSERT_NE (playHead, nullptr);
    auto script = stoppedTransport();
    const std::vector<const char*> rates { "no frame rate", "24 fps", "25 fps", "29.97 fps", "29.97 fps drop", "30 fps", "30 fps drop", "23.976 fps", "no frame rate" };

    for (int32_t code = 0; code < (int32_t) rates.size(); ++code)
    {
        script.frameRateCode = code;
        effect->instance().transport().setScript (script);
        const auto text = describe (playHead->getPosition());
        EXPECT_EQ (text.substr (text.rfind (", ") + 2), rates[(size_t) code]) << "code " << code;
    }

    effect->uninitialize();
    EXPECT_EQ (describe (playHead->getPosition()), "no position");
}
} // namespace
