#include "look/DefaultLook.h"

#include <mutex>

namespace
{
// Ordering: callers may hold the lock of the shared look's holder when
// they come here; the message thread takes only this mutex, never that
// lock, so the two cannot wait for each other.
std::mutex pendingMutex;
juce::LookAndFeel* pendingLook = nullptr;

bool mayChangeDefaultLookHere()
{
    const auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();
    return messageManager != nullptr && messageManager->currentThreadHasLockedMessageManager();
}

void makeDefault (juce::LookAndFeel* look)
{
    juce::LookAndFeel::setDefaultLookAndFeel (look);
    juce::Typeface::clearTypefaceCache();
}
} // namespace

void DefaultLook::install (juce::LookAndFeel& look)
{
    if (mayChangeDefaultLookHere())
    {
        {
            const std::lock_guard<std::mutex> lock (pendingMutex);
            pendingLook = nullptr;
        }

        makeDefault (&look);
        return;
    }

    if (juce::MessageManager::getInstanceWithoutCreating() == nullptr)
        return;

    {
        const std::lock_guard<std::mutex> lock (pendingMutex);
        pendingLook = &look;
    }

    juce::MessageManager::callAsync ([]
                                     {
        const std::lock_guard<std::mutex> lock (pendingMutex);

        if (pendingLook != nullptr)
        {
            makeDefault (pendingLook);
            pendingLook = nullptr;
        } });
}

void DefaultLook::remove (juce::LookAndFeel& look)
{
    {
        const std::lock_guard<std::mutex> lock (pendingMutex);

        if (pendingLook == &look)
            pendingLook = nullptr;
    }

    if (mayChangeDefaultLookHere())
    {
        if (&juce::LookAndFeel::getDefaultLookAndFeel() == &look)
            makeDefault (nullptr);

        return;
    }

    if (juce::MessageManager::getInstanceWithoutCreating() != nullptr)
        juce::MessageManager::callAsync ([]
                                         { juce::Typeface::clearTypefaceCache(); });
}

bool DefaultLook::isPending (const juce::LookAndFeel& look)
{
    const std::lock_guard<std::mutex> lock (pendingMutex);
    return pendingLook == &look;
}
