#pragma once

#include <juce_events/juce_events.h>

#include <memory>
#include <mutex>
#include <thread>

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
    the loop.
*/
class PluginMessageThread
{
public:
    PluginMessageThread();
    ~PluginMessageThread();

    PluginMessageThread (const PluginMessageThread&) = delete;
    PluginMessageThread& operator= (const PluginMessageThread&) = delete;

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

    void handlePendingMessages();

    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> juceInitialiser;
    std::unique_ptr<LoopThread> loopThread;

    std::mutex driveMutex;
    int hostDrivers = 0;
    std::thread::id hostThread;
};
