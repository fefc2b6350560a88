#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

#include <cstdlib>

// These tests paint into images and call the handlers themselves: they must never
// find a display, so that they behave the same on a desktop and on a CI machine.
int main (int argc, char** argv)
{
    unsetenv ("DISPLAY");

    const juce::ScopedJuceInitialiser_GUI juceRunning;
    ::testing::InitGoogleTest (&argc, argv);
    return RUN_ALL_TESTS();
}
