// The processor's play head under the plainest VST host: every field read through the
// processor's getPlayHead() while the host answers audioMasterGetTime from a script.
// The host's record is fst's independent reconstruction of the published one.

#include "plugin/vst2/VstBridge.h"
#include "tests/plugin/vst2/RawVstHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>
#include <optional>
#include <sstream>
#include <string>

namespace
{
using quorvel::test::RawVstHost;
using PositionInfo = juce::AudioPlayHead::PositionInfo;

/** The one look inside the library: the record's object is the bridge, which holds the processor. */
juce::AudioPlayHead* playHeadOf (fst::AEffect* effect)
{
    return static_cast<VstBridge*> (static_cast<AudioEffect*> (effect->object))->getProcessor().getPlayHead();
}

std::string number (double value)
{
    std::ostringstream text;
    text << std::setprecision (6) << value;
    return text.str();
}

template <typename Value>
std::string field (const juce::Optional<Value>& value, const std::string& name)
{
    return value ? name + " " + number ((double) *value) : "no " + name;
}

/** Every field a host can fill, in words; a field the play head left empty says so. */
std::string describe (const juce::Optional<PositionInfo>& position)
{
    if (! position.hasValue())
        return "no position";

    const auto meter = position->getTimeSignature();
    const auto loop = position->getLoopPoints();
    const auto rate = position->getFrameRate();
    std::ostringstream text;
    text << field (position->getTimeInSamples(), "sample") << ", " << field (position->getTimeInSeconds(), "s") << ", "
         << field (position->getBpm(), "bpm") << ", "
         << (meter ? std::to_string (meter->numerator) + "/" + std::to_string (meter->denominator) : "no meter") << ", "
         << field (position->getPpqPosition(), "quarter") << ", " << field (position->getPpqPositionOfLastBarStart(), "bar") << ", "
         << (position->getIsPlaying() ? "playing" : "stopped") << (position->getIsRecording() ? " recording" : "") << ", "
         << (position->getIsLooping() ? "looping " : "not looping ") << (loop ? number (loop->ppqStart) + ".." + number (loop->ppqEnd) : "nowhere") << ", "
         << (rate ? number (rate->getEffectiveRate()) + " fps" + (rate->isDrop() ? " drop" : "") : "no frame rate") << ", "
         << field (position->getHostTimeNs(), "ns");
    return text.str();
}

constexpr int everyValidFlag = fst::kVstNanosValid | fst::kVstPpqPosValid | fst::kVstTempoValid | fst::kVstBarsValid
                               | fst::kVstCyclePosValid | fst::kVstTimeSigValid | fst::kVstSmpteValid;

/** A host that knows everything: 2 s in at 48 kHz, 29.97 fps drop-frame time code. */
fst::VstTimeInfo everything()
{
    fst::VstTimeInfo info {};
    info.samplePos = 96000.4;
    info.sampleRate = 48000.0;
    info.nanoSeconds = 1.5e9;
    info.ppqPos = 2.5;
    info.tempo = 133.5;
    info.barStartPos = 2.0;
    info.cycleStartPos = 1.0;
    info.cycleEndPos = 3.0;
    info.timeSigNumerator = 7;
    info.timeSigDenominator = 8;
    info.magic = 4; // fst's placeholder at offset 76 is the published time-code type
    info.flags = everyValidFlag | fst::kVstTransportPlaying | fst::kVstTransportCycleActive;
    return info;
}

struct TimeCase
{
    const char* name;
    std::optional<fst::VstTimeInfo> answer;
    const char* expected;
};

fst::VstTimeInfo with (fst::VstTimeInfo info, int flags)
{
    info.flags = flags;
    return info;
}

fst::VstTimeInfo withRate (double rate)
{
    auto info = everything();
    info.sampleRate = rate;
    return info;
}

fst::VstTimeInfo atTheStart()
{
    auto info = everything();
    info.samplePos = 0.0;
    info.nanoSeconds = 0.0;
    return info;
}

fst::VstTimeInfo withNonFiniteFields()
{
    auto info = everything();
    info.tempo = std::numeric_limits<double>::quiet_NaN();
    info.samplePos = std::numeric_limits<double>::infinity();
    info.nanoSeconds = -1.0;
    return info;
}

const TimeCase timeCases[] = {
    { "EverythingValid", everything(), "sample 96000, s 2.00001, bpm 133.5, 7/8, quarter 2.5, bar 2, playing, looping 1..3, 29.97 fps drop, ns 1.5e+09" },
    { "NothingMarkedValid", with (everything(), 0), "sample 96000, s 2.00001, no bpm, no meter, no quarter, no bar, stopped, not looping nowhere, no frame rate, no ns" },
    { "Recording", with (everything(), fst::kVstTransportRecording), "sample 96000, s 2.00001, no bpm, no meter, no quarter, no bar, playing recording, not looping nowhere, no frame rate, no ns" },
    { "AtTheStart", atTheStart(), "sample 0, s 0, bpm 133.5, 7/8, quarter 2.5, bar 2, playing, looping 1..3, 29.97 fps drop, ns 0" },
    { "NonFiniteFields", withNonFiniteFields(), "no sample, no s, no bpm, 7/8, quarter 2.5, bar 2, playing, looping 1..3, 29.97 fps drop, no ns" },
    { "NoAnswer", std::nullopt, "no position" },
    { "NoRate", withRate (0.0), "no position" },
    { "NaNRate", withRate (std::numeric_limits<double>::quiet_NaN()), "no position" },
};

class VstPlayHeadTest : public ::testing::TestWithParam<TimeCase>
{
protected:
    void TearDown() override { RawVstHost::get().timeInfoAnswer = nullptr; }
};

TEST_P (VstPlayHeadTest, ReadsTheHostsTimeInformationAtEachQuery)
{
    auto& host = RawVstHost::get();
    ASSERT_STREQ (host.failure(), "");
    RawVstHost::Effect effect (host.create());
    ASSERT_NE (effect, nullptr);
    auto* playHead = playHeadOf (effect.get());
    ASSERT_NE (playHead, nullptr);

    auto answer = GetParam().answer;
    host.timeInfoAnswer = answer ? &*answer : nullptr;
    host.take();
    EXPECT_EQ (describe (playHead->getPosition()), GetParam().expected);

    const auto requests = host.take();
    ASSERT_EQ (requests.size(), 1u);
    EXPECT_EQ (requests[0].opcode, fst::audioMasterGetTime);
    EXPECT_EQ (requests[0].value, everyValidFlag) << "the filter asks for the fields read";
}

INSTANTIATE_TEST_SUITE_P (HostAnswers, VstPlayHeadTest, ::testing::ValuesIn (timeCases), [] (const auto& testCase)
                          { return std::string (testCase.param.name); });

TEST (VstPlayHeadFrameRateTest, NamesEveryTimeCodeTypeOfTheHost)
{
    auto& host = RawVstHost::get();
    RawVstHost::Effect effect (host.create());
    ASSERT_NE (effect, nullptr);
    auto info = everything();
    host.timeInfoAnswer = &info;
    const std::pair<int, const char*> rates[] = {
        { 0, "24 fps" }, { 1, "25 fps" }, { 2, "29.97 fps" }, { 3, "30 fps" }, { 4, "29.97 fps drop" }, { 5, "30 fps drop" }, { 6, "24 fps" }, { 7, "24 fps" }, { 8, "no frame rate" }, { 10, "23.976 fps" }, { 11, "24.975 fps" }, { 12, "59.9401 fps" }, { 13, "60 fps" }, { 14, "no frame rate" }, { -1, "no frame rate" }
    };

    for (const auto& [type, expected] : rates)
    {
        info.magic = type;
        const auto rate = playHeadOf (effect.get())->getPosition()->getFrameRate();
        EXPECT_EQ (rate ? number (rate->getEffectiveRate()) + " fps" + (rate->isDrop() ? " drop" : "") : "no frame rate", expected) << type;
    }

    host.timeInfoAnswer = nullptr;
}
} // namespace
