#include "plugin/PluginMessageThread.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <algorithm>

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

class PluginMessageThread::NoticeTimer : private juce::Timer
{
public:
    explicit NoticeTimer (PluginMessageThread& ownerToCall)
        : owner (ownerToCall)
    {
        startTimer (noticeIntervalMs);
    }

    ~NoticeTimer() override { stopTimer(); }

private:
    void timerCallback() override { owner.sendNotices(); }

    PluginMessageThread& owner;
};

PluginMessageThread::PluginMessageThread()
    : juceInitialiser (std::make_unique<juce::ScopedJuceInitialiser_GUI>())
    , loopThread (std::make_unique<LoopThread>())
{
    loopThread->start();
    noticeTimer = std::make_unique<NoticeTimer> (*this);
}

PluginMessageThread::~PluginMessageThread()
{
    loopThread->stop();

    // JUCE shuts down on the thread that ends the last effect, which now owns the loop.
    juce::MessageManager::getInstance()->setCurrentThreadAsMessageThread();
    noticeTimer.reset();
    loopThread.reset();
    juceInitialiser.reset();
}

void PluginMessageThread::addNoticeSender (NoticeSender& sender)
{
    const std::lock_guard<std::mutex> lock (noticeMutex);
    noticeSenders.push_back (&sender);
}

void PluginMessageThread::removeNoticeSender (NoticeSender& sender)
{
    std::unique_lock<std::mutex> lock (noticeMutex);
    noticeSenders.erase (std::remove (noticeSenders.begin(), noticeSenders.end(), &sender), noticeSenders.end());

    if (sendingThread != std::this_thread::get_id())
        noticeSent.wait (lock, [this, &sender]
                         { return sending != &sender; });
}

void PluginMessageThread::sendNotices()
{
    // The list may change during a call (a host may close an effect from inside one):
    // each sender is looked up afresh, and at worst one waits for the next tick.
    for (size_t index = 0;; ++index)
    {
        NoticeSender* sender = nullptr;

        {
            const std::lock_guard<std::mutex> lock (noticeMutex);

            if (index >= noticeSenders.size())
                return;

            sender = sending = noticeSenders[index];
            sendingThread = std::this_thread::get_id();
        }

        sender->sendHostNotices();

        {
            const std::lock_guard<std::mutex> lock (noticeMutex);
            sending = nullptr;
            sendingThread = {};
        }

        noticeSent.notify_all();
    }
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
