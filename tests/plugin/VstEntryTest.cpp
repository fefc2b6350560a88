// The exported entry points, driven by a minimal host of the test's own that loads
// Quorvel.so with dlopen and records every request the plug-in makes.

#include "tests/plugin/HostedQuorvel.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
using EntryPoint = fst::AEffect* (*) (fst::audioMasterCallback);

struct Request
{
    int opcode;
    int index;
    fst::VstIntPtr value;
    float opt;
};

/** What the fake host answers and what it was asked; shared by all effects it hosts. */
struct FakeHost
{
    std::mutex mutex;
    std::vector<Request> requests;
    fst::VstIntPtr versionAnswer = 2400;

    static FakeHost& get()
    {
        static FakeHost host;
        return host;
    }

    static fst::VstIntPtr callback (fst::AEffect*, int opcode, int index, fst::VstIntPtr value, void*, float opt)
    {
        auto& host = get();
        const std::lock_guard<std::mutex> lock (host.mutex);
        host.requests.push_back ({ opcode, index, value, opt });
        return opcode == fst::audioMasterVersion ? host.versionAnswer : 0;
    }

    std::vector<Request> take()
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return std::exchange (requests, {});
    }

    bool wasAsked (int opcode)
    {
        const std::lock_guard<std::mutex> lock (mutex);
        return std::any_of (requests.begin(), requests.end(), [opcode] (const Request& r)
                            { return r.opcode == opcode; });
    }
};

class VstEntryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        library = dlopen (quorvel::test::quorvelSharedObject().getFullPathName().toRawUTF8(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE (library, nullptr) << dlerror();
        entry = reinterpret_cast<EntryPoint> (dlsym (library, "VSTPluginMain"));
        ASSERT_NE (entry, nullptr);
        FakeHost::get().versionAnswer = 2400;
        FakeHost::get().take();
    }

    void TearDown() override
    {
        if (library != nullptr)
            dlclose (library);
    }

    static fst::VstIntPtr dispatch (fst::AEffect* effect, int opcode, int index = 0, fst::VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f)
    {
        return effect->dispatcher (effect, opcode, index, value, ptr, opt);
    }

    /** Closes the effect when the test ends, however it ends. */
    struct Closer
    {
        void operator() (fst::AEffect* effect) const { dispatch (effect, fst::effClose); }
    };

    using OpenEffect = std::unique_ptr<fst::AEffect, Closer>;

    void* library = nullptr;
    EntryPoint entry = nullptr;
};
} // namespace

TEST_F (VstEntryTest, ExportsOnlyTheEntryPoints)
{
    EXPECT_NE (dlsym (library, "main_macho"), nullptr);
    EXPECT_EQ (dlsym (library, "createPluginFilter"), nullptr);
    EXPECT_EQ (dlsym (library, "main"), nullptr);
    EXPECT_EQ (dlsym (library, "_ZN4juce14AudioProcessorD2Ev"), nullptr);
}

TEST_F (VstEntryTest, GivesUpOnAHostWithoutVersionOrCallback)
{
    FakeHost::get().versionAnswer = 0;
    EXPECT_EQ (entry (&FakeHost::callback), nullptr);
    const auto requests = FakeHost::get().take();
    ASSERT_EQ (requests.size(), 1u);
    EXPECT_EQ (requests[0].opcode, fst::audioMasterVersion);

    EXPECT_EQ (entry (nullptr), nullptr);
}

TEST_F (VstEntryTest, BothEntriesBuildAnEffectThatCloseDeletes)
{
    OpenEffect openedViaMain (entry (&FakeHost::callback));
    OpenEffect openedViaMacho (reinterpret_cast<EntryPoint> (dlsym (library, "main_macho")) (&FakeHost::callback));
    ASSERT_NE (openedViaMain, nullptr);
    ASSERT_NE (openedViaMacho, nullptr);
    EXPECT_NE (openedViaMain, openedViaMacho);

    for (auto* effect : { openedViaMain.get(), openedViaMacho.get() })
    {
        EXPECT_EQ (effect->magic, fst::kEffectMagic);
        EXPECT_EQ (effect->numInputs, 4);
        EXPECT_EQ (effect->flags, 0x31);
        EXPECT_NE (effect->object, nullptr);
        EXPECT_EQ (effect->resvd2, 0);
    }

    // Closing in the opposite order of creation.
    EXPECT_EQ (dispatch (openedViaMacho.release(), fst::effClose), 1);
    EXPECT_EQ (dispatch (openedViaMain.release(), fst::effClose), 1);
}

TEST_F (VstEntryTest, ManyEffectsComeAndGo)
{
    for (int round = 0; round < 5; ++round)
    {
        OpenEffect opened (entry (&FakeHost::callback));
        auto* effect = opened.get();
        ASSERT_NE (effect, nullptr);
        dispatch (effect, fst::effOpen);
        dispatch (effect, fst::effSetSampleRate, 0, 0, nullptr, 44100.0f);
        dispatch (effect, fst::effSetBlockSize, 0, 128);
        dispatch (effect, fst::effMainsChanged, 0, 1);

        std::vector<float> samples (4 * 128, 0.25f);
        float* channels[4] = { samples.data(), samples.data() + 128, samples.data() + 256, samples.data() + 384 };
        effect->processReplacing (effect, channels, channels, 128);

        dispatch (effect, fst::effMainsChanged, 0, 0);
        EXPECT_EQ (dispatch (opened.release(), fst::effClose), 1);
    }
}

TEST_F (VstEntryTest, ResumeAnnouncesTheLookAheadAndALaterChange)
{
    OpenEffect opened (entry (&FakeHost::callback));
    auto* effect = opened.get();
    ASSERT_NE (effect, nullptr);
    dispatch (effect, fst::effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch (effect, fst::effSetBlockSize, 0, 256);
    dispatch (effect, fst::effMainsChanged, 0, 1);
    EXPECT_EQ (effect->initialDelay, 48);
    FakeHost::get().take();

    effect->setParameter (effect, 0, 1.0f); // 40 ms
    std::vector<float> samples (4 * 256, 0.0f);
    float* channels[4] = { samples.data(), samples.data() + 256, samples.data() + 512, samples.data() + 768 };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds (5);

    while (! FakeHost::get().wasAsked (fst::audioMasterIOChangedRequest) && std::chrono::steady_clock::now() < deadline)
    {
        effect->processReplacing (effect, channels, channels, 256);
        std::this_thread::sleep_for (std::chrono::milliseconds (5));
    }

    EXPECT_TRUE (FakeHost::get().wasAsked (fst::audioMasterIOChangedRequest));
    EXPECT_EQ (effect->initialDelay, 1920);

    // A parameter set by the host is not echoed back as automation.
    for (const auto& request : FakeHost::get().take())
        EXPECT_NE (request.opcode, fst::audioMasterAutomate);

    EXPECT_EQ (dispatch (opened.release(), fst::effClose), 1);
}

TEST_F (VstEntryTest, EditorRectangleWithoutShowingTheEditor)
{
    OpenEffect opened (entry (&FakeHost::callback));
    auto* effect = opened.get();
    ASSERT_NE (effect, nullptr);

    fst::ERect* rectangle = nullptr;
    ASSERT_EQ (dispatch (effect, fst::effEditGetRect, 0, 0, &rectangle), 1);
    ASSERT_NE (rectangle, nullptr);
    EXPECT_EQ (rectangle->top, 0);
    EXPECT_EQ (rectangle->left, 0);
    EXPECT_EQ (rectangle->right, 435);
    EXPECT_EQ (rectangle->bottom, 373);

    EXPECT_EQ (dispatch (effect, fst::effEditGetRect, 0, 0, nullptr), 0);
    EXPECT_EQ (dispatch (effect, fst::effEditOpen, 0, 0, nullptr), 0);
    dispatch (effect, fst::effEditIdle);
    dispatch (effect, fst::effEditClose);
    dispatch (effect, fst::effEditClose); // twice is harmless
    EXPECT_EQ (dispatch (opened.release(), fst::effClose), 1);
}
