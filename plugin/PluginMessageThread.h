#pragma once

#include <juce_events/juce_events.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

/*  The message loop of the plug-in's own copy of JUCE.

    A host knows nothing of JUCE's message loop, yet the plug-in needs one: timers,
    asynchronous updates (a latency change reaching the host, for instance) and the
    editor's window events all arrive as messages. While no editor is shown, a thread of
    the plug-in runs the loop. Once the host calls the editor's idle opcode, the loop
    moves to the host's thread for as long as an editor is shown: the plug-in's windows
    are then only ever touched on the thread the host draws its own windows on, and the
    pending messages are handled in each idle call. When the last such editor closes,
    the plug-in's thread takes the loop back.

    One instance serves every effect of the process (hold it through a
    juce::SharedResourcePointer); the first holder initialises JUCE's GUI side, the last
    one shuts it down. Code that touches components from a host thread takes a
    juce::MessageManagerLock, which is immediate on the host's thread while it drives
    the loop. Creating or deleting an effect without an editor never does: a worker
    thread of the host must not wait for the host's GUI thread.

    Host notices: what changes on a host's thread (a latency after an attack change or
    a restore) must not reach the host from inside that call, where the host may hold
    its own locks or be its audio thread. Each bridge registers as a NoticeSender and is
    asked, on the message thread every noticeIntervalMs, to tell its host what changed.
*/
class PluginMessageThread
{
public:
    PluginMessageThread();
    ~PluginMessageThread();

    PluginMessageThread (const PluginMessageThread&) = delete;
    PluginMessageThread& operator= (const PluginMessageThread&) = delete;

    /** Something that tells its host, from the message thread, what changed elsewhere. */
    class NoticeSender
    {
    public:
        virtual ~NoticeSender() = default;
        virtual void sendHostNotices() = 0;
    };

    static constexpr int noticeIntervalMs = 20;

    /** From now on, sender.sendHostNotices is called on the message thread every
        noticeIntervalMs. Any thread. */
    void addNoticeSender (NoticeSender& sender);

    /** Once this returns, no call of the sender runs or follows: it waits for one that
        is running on another thread (a short host call, never the host's GUI thread
        in general). Called from inside that very call it returns at once. Any thread. */
    void removeNoticeSender (NoticeSender& sender);

    /** Called from a host's idle opcode by an effect with a shown editor. The first call
        of an effect (with `alreadyDriving` false) makes the calling thread the message
        thread, unless another host thread already drives the loop; then pending
        messages are handled. Answers whether the caller now takes part in driving the
        loop (and must later call releaseHostDrive). */
    bool driveFromHost (bool alreadyDriving);

    /** An effect that took part in driving the loop stops doing so (its editor closed). */
    void releaseHostDrive();

private:
    class LoopThread;
    class NoticeTimer;

    void handlePendingMessages();
    void sendNotices();

    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> juceInitialiser;
    std::unique_ptr<LoopThread> loopThread;

    std::mutex driveMutex;
    int hostDrivers = 0;
    std::thread::id hostThread;

    std::mutex noticeMutex;
    std::condition_variable noticeSent;
    std::vector<NoticeSender*> noticeSenders;
    NoticeSender* sending = nullptr;
    std::thread::id sendingThread;
    std::unique_ptr<NoticeTimer> noticeTimer;
};
