// One list of saved states, good and damaged: the state corpus of the fuzzers plus the
// damage hosts were seen to hand in, each restored through every door a state comes in
// by: the processor itself, effSetChunk as a bank and as a program, and the AAX "juce"
// chunk, whose host hands the values pushed to it back as a host does. Every door must
// agree with the processor on whether the block is a state and on what it restores (the
// values a host reads and the state saved afterwards), and a refused block must leave
// everything as it was. Run under AddressSanitizer, the same list shows that no door
// reads past a block.

#include "processor/KestruneAudioProcessor.h"
#include "tests/plugin/aax/AaxPlugInTest.h"
#include "tests/plugin/vst2/RawVstHost.h"

#include "formats/aax/host/HostChunkRecord.h"
#include "support/StateBlock.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace
{
using Bytes = std::vector<uint8_t>;
using quorvel::test::RawVstHost;
using quorvel::test::stateBlockAround;

constexpr uint32_t stateChunkID = AAX_FourCharCode ("juce");

Bytes corpusFile (const std::string& name)
{
    std::ifstream file (std::filesystem::path (QUORVEL_STATE_CORPUS) / name, std::ios::binary);
    return Bytes (std::istreambuf_iterator<char> (file), {});
}

/** Blocks that are not in the corpus: made here, as a host damaged them. */
std::map<std::string, Bytes> madeBlocks()
{
    std::map<std::string, Bytes> blocks;

    std::string deep;
    for (int level = 0; level < 30000; ++level)
        deep += "<a>";
    for (int level = 0; level < 30000; ++level)
        deep += "</a>";
    blocks["made-nested-30000"] = stateBlockAround (deep);

    // A multi-byte sequence cut by the end of the text.
    blocks["made-cut-utf8"] = stateBlockAround ("<Root><Gain>0.5</Gain></Root>\xE2\x82");

    // The loop-forever tags with a length field that agrees with the block.
    auto brokenTags = corpusFile ("broken-tags");
    const auto textLength = (uint32_t) brokenTags.size() - 9;
    for (int shift = 0; shift < 32; shift += 8)
        brokenTags[(size_t) (4 + shift / 8)] = (uint8_t) (textLength >> shift);
    blocks["made-broken-tags-whole"] = brokenTags;

    // Markup spelled in non-shortest UTF-8, which the framework's parser decodes as the
    // ASCII it spells: deep nesting and the loop-forever tags inside a plain root, and a
    // document type (a self-referring entity, or before a good state) that a processing
    // instruction ended by an overlong "?>" brings before the root.
    const auto overlong = [] (const std::string& text)
    {
        std::string spelled;
        for (const char c : text)
            spelled += std::string ("<>!/?").find (c) != std::string::npos ? std::string { (char) 0xc0, (char) (0x80 | c) } : std::string (1, c);
        return spelled;
    };
    std::string deepOverlong = "<Root>";
    for (int level = 0; level < 30000; ++level)
        deepOverlong += overlong ("<a>");
    blocks["made-overlong-nested-30000"] = stateBlockAround (deepOverlong + "</Root>");
    const auto brokenText = corpusFile ("broken-tags");
    blocks["made-overlong-broken-tags"] = stateBlockAround ("<Root>" + overlong (std::string (brokenText.begin() + 8, brokenText.end() - 1)) + "</Root>");
    blocks["made-overlong-entity"] = stateBlockAround ("<?x" + overlong ("?>") + "<!DOCTYPE r [<!ENTITY a \"&a;\">]><?y ?><Root>&a;</Root>");
    blocks["made-overlong-doctype"] = stateBlockAround ("<?x" + overlong ("?>") + "<!DOCTYPE Root><?y ?><Root><Gain>0.5</Gain></Root>");

    // Shapes a general XML reader spends the square of their length on: read within
    // the bound on a state's text, refused at 4 MB.
    blocks["made-attribute-names"] = stateBlockAround (quorvel::test::attributeNamesText (256 * 1024));
    blocks["made-attribute-names-4MB"] = stateBlockAround (quorvel::test::attributeNamesText (4 << 20));
    blocks["made-character-references"] = stateBlockAround (quorvel::test::characterReferencesText (256 * 1024));
    blocks["made-character-references-4MB"] = stateBlockAround (quorvel::test::characterReferencesText (4 << 20));

    // A real saved block with one to three bytes changed.
    const auto fresh = corpusFile ("fresh");
    for (unsigned seed = 1; seed <= 24; ++seed)
    {
        std::mt19937 random (seed);
        auto damaged = fresh;
        const int changes = 1 + (int) (random() % 3);
        for (int change = 0; change < changes; ++change)
            damaged[random() % damaged.size()] = (uint8_t) random();
        blocks["made-damaged-" + std::to_string (seed)] = damaged;
    }

    return blocks;
}

std::vector<std::string> blockNames()
{
    std::vector<std::string> names;

    for (const auto& entry : std::filesystem::directory_iterator (QUORVEL_STATE_CORPUS))
        names.push_back (entry.path().filename().string());

    for (const auto& [name, block] : madeBlocks())
        names.push_back (name);

    std::sort (names.begin(), names.end());
    return names;
}

Bytes blockNamed (const std::string& name)
{
    static const auto made = madeBlocks();
    const auto found = made.find (name);
    return found != made.end() ? found->second : corpusFile (name);
}

/** What the corpus holds, read by eye: the blocks that are saved states. */
const std::map<std::string, bool> isState {
    { "bad-xml", false },
    { "beyond-range", true },
    { "broken-tags", false },
    { "declaration", true },
    { "doctype", false },
    { "fresh", true },
    { "header-only", false },
    { "huge-exponent", true },
    { "huge-length", false },
    { "instruction-in-content", false },
    { "negative-length", false },
    { "nested", false },
    { "non-finite", true },
    { "out-of-range", true },
    { "overlong-doctype", false },
    { "overlong-element", false },
    { "overlong-nested", false },
    { "range-ends", true },
    { "repeated", true },
    { "runs", true },
    { "shortest-digits", true },
    { "six-digits", true },
    { "truncated", false },
    { "wrong-magic", false },
    { "zero-length", false },
    { "made-nested-30000", false },
    { "made-cut-utf8", false },
    { "made-broken-tags-whole", false },
    { "made-overlong-nested-30000", false },
    { "made-overlong-entity", false },
    { "made-overlong-doctype", false },
    { "made-overlong-broken-tags", false },
    { "made-attribute-names", true },
    { "made-attribute-names-4MB", false },
    { "made-character-references", true },
    { "made-character-references-4MB", false },
};

/** Set before every restore: values no block in the list holds. */
const Bytes markerState = stateBlockAround ("<Root><Gain>0.125</Gain><Attack>0.75</Attack><Release>0.375</Release>"
                                            "<Threshold>0.625</Threshold><idxInputConfig>1</idxInputConfig></Root>");

struct Outcome
{
    bool restored = false;
    std::array<float, 4> values {}; // parameters 0 to 3 as the host reads them back
    Bytes state; // which tells -0 from 0
};

Bytes savedStateOf (KestruneAudioProcessor& processor)
{
    juce::MemoryBlock block;
    processor.getStateInformation (block);
    const auto* bytes = static_cast<const uint8_t*> (block.getData());
    return Bytes (bytes, bytes + block.getSize());
}

Outcome throughProcessor (const Bytes& block)
{
    KestruneAudioProcessor processor;
    EXPECT_TRUE (processor.restoreState (markerState.data(), (int) markerState.size()));
    Outcome outcome;
    outcome.restored = processor.restoreState (block.data(), (int) block.size());
    for (int index = 0; index < 4; ++index)
        outcome.values[(size_t) index] = processor.getParameter (index);
    outcome.state = savedStateOf (processor);
    return outcome;
}

Outcome throughVstChunk (const Bytes& block, bool asProgram)
{
    RawVstHost::Effect effect (RawVstHost::get().create());
    EXPECT_NE (effect, nullptr);

    if (effect == nullptr)
        return {};

    const auto restore = [&effect, asProgram] (const Bytes& bytes)
    {
        auto copy = bytes; // the host's own buffer, exactly as long as the block
        return RawVstHost::dispatch (effect.get(), fst::effSetChunk, asProgram ? 1 : 0, (fst::VstIntPtr) copy.size(), copy.data());
    };

    EXPECT_EQ (restore (markerState), 1);
    Outcome outcome;
    const auto answer = restore (block);
    EXPECT_TRUE (answer == 0 || answer == 1) << answer;
    outcome.restored = answer == 1;

    for (int index = 0; index < 4; ++index)
        outcome.values[(size_t) index] = RawVstHost::getParameter (effect.get(), index);

    void* data = nullptr;
    const auto size = RawVstHost::dispatch (effect.get(), fst::effGetChunk, asProgram ? 1 : 0, 0, &data);
    if (data != nullptr && size > 0)
        outcome.state.assign (static_cast<const uint8_t*> (data), static_cast<const uint8_t*> (data) + size);

    return outcome;
}
} // namespace

class StateCorpusTest : public AaxEffectTest, public ::testing::WithParamInterface<std::string>
{
protected:
    Outcome throughAaxChunk (const Bytes& block)
    {
        auto& plugIn = *effect->effect();
        EXPECT_EQ (plugIn.SetChunk (stateChunkID, HostChunkRecord::holding (stateChunkID, 0, markerState).get()), kAAX_Success);
        effect->deliverPending();

        // The host takes the values the restore pushed to it and hands each one back,
        // as a host answers a set-value request.
        Outcome outcome;
        outcome.restored = plugIn.SetChunk (stateChunkID, HostChunkRecord::holding (stateChunkID, 0, block).get()) == kAAX_Success;
        effect->deliverPending();

        for (int index = 0; index < 4; ++index)
            outcome.values[(size_t) index] = (float) valueOf (std::to_string (index).c_str());

        uint32_t size = 0;
        EXPECT_EQ (plugIn.GetChunkSize (stateChunkID, &size), kAAX_Success);
        HostChunkRecord saved (stateChunkID, size);
        EXPECT_EQ (plugIn.GetChunk (stateChunkID, saved.get()), kAAX_Success);
        outcome.state = saved.data();
        return outcome;
    }
};

TEST_P (StateCorpusTest, EveryDoorRestoresExactlyWhatTheProcessorReads)
{
    ASSERT_STREQ (RawVstHost::get().failure(), "");
    const auto block = blockNamed (GetParam());
    ASSERT_FALSE (block.empty());

    const auto expected = throughProcessor (block);
    const auto marker = throughProcessor (markerState);

    if (const auto known = isState.find (GetParam()); known != isState.end())
    {
        EXPECT_EQ (expected.restored, known->second);
    }

    if (! expected.restored)
    {
        EXPECT_EQ (expected.state, marker.state) << "a refused block changed the processor";
    }

    const std::pair<const char*, Outcome> doors[] = {
        { "effSetChunk bank", throughVstChunk (block, false) },
        { "effSetChunk program", throughVstChunk (block, true) },
        { "AAX juce chunk", throughAaxChunk (block) },
    };

    for (const auto& [door, outcome] : doors)
    {
        EXPECT_EQ (outcome.restored, expected.restored) << door;
        EXPECT_EQ (outcome.values, expected.restored ? expected.values : marker.values) << door;
        EXPECT_EQ (outcome.state, expected.restored ? expected.state : marker.state) << door;
    }
}

std::string testNameOf (const ::testing::TestParamInfo<std::string>& block)
{
    auto name = block.param;
    std::replace (name.begin(), name.end(), '-', '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P (SavedStates, StateCorpusTest, ::testing::ValuesIn (blockNames()), testNameOf);
