// A host whose GUI thread drives one effect's editor and then waits for a worker thread
// that makes, uses and closes other effects, asks their editors' size, and closes one
// whose size the GUI thread asked. The worker must never need the GUI thread: if it
// did, the two would wait for each other for good.

#include "tests/plugin/vst2/RawVstHost.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <future>
#include <thread>
#include <vector>

using quorvel::test::HostChannels;
using quorvel::test::RawVstHost;

/** A host window for the plug-in's editor, on the display the tests run with. */
class HostWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        display = XOpenDisplay (nullptr);

        if (display == nullptr)
            GTEST_SKIP() << "no X display";

        ASSERT_STREQ (host.failure(), "");
        parent = XCreateSimpleWindow (display, DefaultRootWindow (display), 0, 0, 500, 400, 0, 0, 0);
        XMapWindow (display, parent);
        XFlush (display);
    }

    void TearDown() override
    {
        if (display == nullptr)
            return;

        XDestroyWindow (display, parent);
        XCloseDisplay (display);
    }

    void* parentWindow() const { return reinterpret_cast<void*> ((uintptr_t) parent); }

    RawVstHost& host = RawVstHost::get();
    Display* display = nullptr;
    Window parent = 0;
};

using VstWorkerThreadTest = HostWindowTest;
using VstEditorIdleTest = HostWindowTest;

TEST_F (VstWorkerThreadTest, EffectsWithoutAnEditorComeAndGoWhileTheGuiThreadWaits)
{
    RawVstHost::Effect shown (host.create());
    ASSERT_NE (shown, nullptr);
    RawVstHost::dispatch (shown.get(), fst::effOpen);
    ASSERT_EQ (RawVstHost::dispatch (shown.get(), fst::effEditOpen, 0, 0, parentWindow()), 1);

    // From here on this thread is the one the plug-in's windows live on.
    for (int idle = 0; idle < 5; ++idle)
        RawVstHost::dispatch (shown.get(), fst::effEditIdle);

    // Hosts ask for the editor's size long before they open it, on whichever thread.
    const auto sizeKnown = [] (fst::AEffect* effect)
    {
        fst::ERect* rectangle = nullptr;
        return RawVstHost::dispatch (effect, fst::effEditGetRect, 0, 0, &rectangle) == 1 && rectangle != nullptr
               && rectangle->right - rectangle->left == 435 && rectangle->bottom - rectangle->top == 373;
    };
    RawVstHost::Effect askedHere (host.create());
    ASSERT_NE (askedHere, nullptr);
    ASSERT_TRUE (sizeKnown (askedHere.get()));

    auto worker = std::async (std::launch::async, [this, &sizeKnown, &askedHere]
                              {
                                  askedHere.reset();

                                  for (int round = 0; round < 3; ++round)
                                  {
                                      RawVstHost::Effect effect (host.create());
                                      if (effect == nullptr || ! sizeKnown (effect.get()))
                                          return false;

                                      RawVstHost::dispatch (effect.get(), fst::effOpen);
                                      RawVstHost::dispatch (effect.get(), fst::effSetSampleRate, 0, 0, nullptr, 48000.0f);
                                      RawVstHost::dispatch (effect.get(), fst::effMainsChanged, 0, 1);
                                      RawVstHost::setParameter (effect.get(), 0, 0.5f);
                                      HostChannels block (128, 0.5f);
                                      RawVstHost::processReplacing (effect.get(), block.pointers(), block.pointers(), block.frames);
                                      void* chunk = nullptr;
                                      const auto size = RawVstHost::dispatch (effect.get(), fst::effGetChunk, 0, 0, &chunk);
                                      std::vector<uint8_t> saved (static_cast<uint8_t*> (chunk), static_cast<uint8_t*> (chunk) + size);
                                      RawVstHost::dispatch (effect.get(), fst::effSetChunk, 0, size, saved.data());
                                      RawVstHost::dispatch (effect.get(), fst::effMainsChanged, 0, 0);
                                  }

                                  return true; });

    // The GUI thread waits without idling; a generous limit only keeps a deadlock from
    // hanging the suite.
    const bool finished = worker.wait_for (std::chrono::seconds (20)) == std::future_status::ready;
    EXPECT_TRUE (finished) << "the worker waited for the GUI thread";

    while (worker.wait_for (std::chrono::milliseconds (10)) != std::future_status::ready)
        RawVstHost::dispatch (shown.get(), fst::effEditIdle);

    EXPECT_TRUE (worker.get());

    RawVstHost::dispatch (shown.get(), fst::effEditClose);
}

TEST_F (VstEditorIdleTest, TheHostIsAskedToIdleOnlyWhileTheEditorIsShown)
{
    RawVstHost::Effect effect (host.create());
    ASSERT_NE (effect, nullptr);
    const auto idleRequestsDuring = [this, &effect] (int milliseconds)
    {
        host.take();
        for (int waited = 0; waited < milliseconds; waited += 20)
        {
            RawVstHost::dispatch (effect.get(), fst::effEditIdle);
            std::this_thread::sleep_for (std::chrono::milliseconds (20));
        }
        return host.count (fst::audioMasterIdleRequest);
    };

    EXPECT_EQ (idleRequestsDuring (600), 0);
    ASSERT_EQ (RawVstHost::dispatch (effect.get(), fst::effEditOpen, 0, 0, parentWindow()), 1);
    EXPECT_GT (idleRequestsDuring (1200), 0);
    RawVstHost::dispatch (effect.get(), fst::effEditClose);
    EXPECT_EQ (idleRequestsDuring (600), 0);
}
