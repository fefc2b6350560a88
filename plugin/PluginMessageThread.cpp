#include "plugin/PluginMessageThread.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace juce
{
// Part of JUCE's Linux message loop (juce_events), not declared in a public header.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

class PluginMessageThread::LoopThread : private juce::Thread
{
public:
    LoopThread()
        : juce::Thread ("Quorvel message thread")
    {
    }

    ~LoopThread() override { stop(); }

    void start()
    {
        started.reset();
        startThread();
        started.wait (10000);
    }

    void stop()
    {
        if (! isThreadRunning())
            return;

        signalThreadShouldExit();

        // The loop sleeps until a message or window event arrives; post empty ones
        // until it has noticed that it should end.
        while (! waitForThreadToExit (50))
            juce::MessageManager::callAsync ([] {});
    }

private:
    void run() override
    {
        juce::MessageManager::getInstance()->setCurrentThreadAsMessageThread();
        started.signal();

        while (! threadShouldExit())
            juce::dispatchNextMessageOnSystemQueue (false);
    }

    juce::WaitableEvent started;
};

PluginMessageThread::PluginMessageThread()
    : juceInitialiser (std::make_unique<juce::ScopedJuceInitialiser_GUI>())
    , loopThread (std::make_unique<LoopThread>())
{
    loopThread->start();
}

PluginMessageThread::~PluginMessageThread()
{
    loopThread->stop();

    // JUCE shuts down on the thread that ends the last effect, which now owns the loop.
    juce::MessageManager::getInstance()->setCurrentThreadAsMessageThread();
    loopThread.reset();
    juceInitialiser.reset();
}

bool PluginMessageThread::driveFromHost (bool alreadyDriving)
{
    {
        const std::lock_guard<std::mutex> lock (driveMutex);
        const auto thisThread = std::this_thread::get_id();

        if (! alreadyDriving)
        {
            if (hostDrivers == 0)
            {
                loopThread->stop();
                juce::MessageManager::getInstance()->setCurrentThreadAsMessageThread();
                hostThread = thisThread;
            }
            else if (hostThread != thisThread)
            {
                return false;
            }

            ++hostDrivers;
        }
        else if (hostThread != thisThread)
        {
            return true;
        }
    }

    handlePendingMessages();
    return true;
}

void PluginMessageThread::releaseHostDrive()
{
    const std::lock_guard<std::mutex> lock (driveMutex);

    if (hostDrivers > 0 && --hostDrivers == 0)
        loopThread->start();
}

void PluginMessageThread::handlePendingMessages()
{
    // Bounded, so that a flood of messages can never hold the host's thread for long.
    for (int handled = 0; handled < 256; ++handled)
        if (! juce::dispatchNextMessageOnSystemQueue (true))
            break;
}
