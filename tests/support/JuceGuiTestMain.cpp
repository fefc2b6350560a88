// GoogleTest main for test programs that paint components, decode images or
// resolve fonts: the framework's GUI side is set up once, on this thread,
// which becomes the message thread. No display is needed.
#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

int main (int argc, char** argv)
{
    ::testing::InitGoogleTest (&argc, argv);
    const juce::ScopedJuceInitialiser_GUI juceSession;
    return RUN_ALL_TESTS();
}
