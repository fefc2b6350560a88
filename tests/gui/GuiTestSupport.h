#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <mutex>
#include <vector>

namespace quorvel::test
{
/** The n-th direct child of `parent` with the given component name, or null. */
juce::Component* findChild (juce::Component& parent, const juce::String& name, int occurrence = 0);

/** Paints `component` (and its children when asked) into a new ARGB image over a
        fill of `background`. */
juce::Image render (juce::Component& component, juce::Colour background, bool withChildren = true);

/** Paints only the component's own paint() over `background`. */
juce::Image renderOwnPaint (juce::Component& component, juce::Colour background);

/** A mouse event from the main mouse source at a position local to `target`. */
juce::MouseEvent makeMouseEvent (juce::Component& target,
                                 juce::Point<float> position,
                                 juce::Point<float> mouseDownPosition,
                                 int numberOfClicks,
                                 bool wasDragged);

/** Delivers a press and a release at `position` (in `root`'s coordinates) to the
        component that would receive them on screen, and returns that component. */
juce::Component* clickAt (juce::Component& root, juce::Point<int> position);

/** A vertical mouse drag on a slider: press, move by `pixelsUp`, release. */
void dragVertically (juce::Slider& slider, float pixelsUp);

/** True when every pixel of the rectangle has the given alpha range. */
bool allAlphaIn (const juce::Image& image, juce::Rectangle<int> area, int minAlpha, int maxAlpha);

/** Records what the processor tells its host about parameters. */
class HostRecorder : public juce::AudioProcessorListener
{
public:
    enum class Kind
    {
        begin,
        value,
        end
    };

    struct Event
    {
        Kind kind;
        int parameterIndex;
        float value;
    };

    void audioProcessorParameterChanged (juce::AudioProcessor*, int parameterIndex, float newValue) override;
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int parameterIndex) override;
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int parameterIndex) override;

    std::vector<Event> takeEvents();

private:
    std::mutex lock;
    std::vector<Event> events;
};
} // namespace quorvel::test
