#pragma once

#include "support/Pictures.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <mutex>
#include <vector>

namespace quorvel::test
{
/** The n-th direct child of `parent` with the given component name, or null. */
juce::Component* findChild (juce::Component& parent, const juce::String& name, int occurrence = 0);

/** Paints `component` over a fill of `background`: with its children, or only its own paint(). */
juce::Image render (juce::Component& component, juce::Colour background = {}, bool withChildren = true);

/** A mouse event from the main mouse source at a position local to `target`. */
juce::MouseEvent mouseEventAt (juce::Component& target, juce::Point<float> position, juce::Point<float> downPosition, int clicks, bool dragged);

/** Delivers a press and a release at `position` (in `root`'s coordinates) to the
    component that would receive them on screen, and returns that component. */
juce::Component* clickAt (juce::Component& root, juce::Point<int> position);

/** A vertical mouse drag on a slider: press, move up by `pixelsUp`, release. */
void dragVertically (juce::Slider& slider, float pixelsUp);

/** What the processor tells its host about parameters. */
class HostRecorder : public juce::AudioProcessorListener
{
public:
    struct Event
    {
        char kind; // 'b'egin, 'v'alue, 'e'nd
        int parameterIndex;
        float value;
    };

    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override { add ({ 'v', index, value }); }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index) override { add ({ 'b', index, 0.0f }); }
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index) override { add ({ 'e', index, 0.0f }); }

    std::vector<Event> takeEvents()
    {
        const std::lock_guard<std::mutex> guard (lock);
        return std::exchange (events, {});
    }

private:
    void add (Event event)
    {
        const std::lock_guard<std::mutex> guard (lock);
        events.push_back (event);
    }

    std::mutex lock;
    std::vector<Event> events;
};
} // namespace quorvel::test
