#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Makes a look-and-feel the framework's process-wide default and takes it
// away again, on the message thread as the framework requires, and makes the
// default sans-serif face follow the change.
//
// The framework caches the typeface it resolves for each font name, so a font
// resolved before a new default look arrived would keep the old face for as
// long as the new look lives. Both operations therefore clear that cache.
//
// Hosts may create and destroy plug-in instances on other threads. There the
// installation is posted to the message thread, and dropped if the look is
// removed before the message thread gets to it; a removal off the message
// thread relies on the framework's weak reference to the default look letting
// go when the look is deleted, and clears the typeface cache on the message
// thread's next turn. Without a message manager there is no GUI to change and
// both do nothing.
class DefaultLook
{
public:
    static void install (juce::LookAndFeel& look);
    static void remove (juce::LookAndFeel& look);

    // True while the look is waiting for the message thread to install it.
    static bool isPending (const juce::LookAndFeel& look);
};
