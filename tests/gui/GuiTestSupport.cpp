#include "gui/GuiTestSupport.h"

namespace quorvel::test
{
juce::Component* findChild (juce::Component& parent, const juce::String& name, int occurrence)
{
    for (auto* child : parent.getChildren())
        if (child->getName() == name && occurrence-- == 0)
            return child;

    return nullptr;
}

juce::Image render (juce::Component& component, juce::Colour background, bool withChildren)
{
    juce::Image image (juce::Image::ARGB, component.getWidth(), component.getHeight(), true);
    juce::Graphics g (image);
    g.fillAll (background);

    if (withChildren)
        component.paintEntireComponent (g, true);
    else
        component.paint (g);

    return image;
}

juce::Image renderOwnPaint (juce::Component& component, juce::Colour background)
{
    return render (component, background, false);
}

juce::MouseEvent makeMouseEvent (juce::Component& target,
                                 juce::Point<float> position,
                                 juce::Point<float> mouseDownPosition,
                                 int numberOfClicks,
                                 bool wasDragged)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(),
                             position,
                             juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier),
                             juce::MouseInputSource::defaultPressure,
                             juce::MouseInputSource::defaultOrientation,
                             juce::MouseInputSource::defaultRotation,
                             juce::MouseInputSource::defaultTiltX,
                             juce::MouseInputSource::defaultTiltY,
                             &target,
                             &target,
                             now,
                             mouseDownPosition,
                             now,
                             numberOfClicks,
                             wasDragged);
}

juce::Component* clickAt (juce::Component& root, juce::Point<int> position)
{
    auto* target = root.getComponentAt (position);

    if (target == nullptr)
        return nullptr;

    const auto local = target->getLocalPoint (&root, position).toFloat();
    juce::Component::SafePointer<juce::Component> watcher (target);

    target->mouseDown (makeMouseEvent (*target, local, local, 1, false));

    if (watcher != nullptr)
        target->mouseUp (makeMouseEvent (*target, local, local, 1, false));

    return target;
}

void dragVertically (juce::Slider& slider, float pixelsUp)
{
    const juce::Point<float> start (10.0f, 10.0f);
    const auto end = start.translated (0.0f, -pixelsUp);

    slider.mouseDown (makeMouseEvent (slider, start, start, 1, false));
    slider.mouseDrag (makeMouseEvent (slider, end, start, 1, true));
    slider.mouseUp (makeMouseEvent (slider, end, start, 1, true));
}

bool allAlphaIn (const juce::Image& image, juce::Rectangle<int> area, int minAlpha, int maxAlpha)
{
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
        {
            const int alpha = image.getPixelAt (x, y).getAlpha();

            if (alpha < minAlpha || alpha > maxAlpha)
                return false;
        }

    return true;
}

void HostRecorder::audioProcessorParameterChanged (juce::AudioProcessor*, int parameterIndex, float newValue)
{
    const std::lock_guard<std::mutex> guard (lock);
    events.push_back ({ Kind::value, parameterIndex, newValue });
}

void HostRecorder::audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int parameterIndex)
{
    const std::lock_guard<std::mutex> guard (lock);
    events.push_back ({ Kind::begin, parameterIndex, 0.0f });
}

void HostRecorder::audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int parameterIndex)
{
    const std::lock_guard<std::mutex> guard (lock);
    events.push_back ({ Kind::end, parameterIndex, 0.0f });
}

std::vector<HostRecorder::Event> HostRecorder::takeEvents()
{
    const std::lock_guard<std::mutex> guard (lock);
    return std::exchange (events, {});
}
} // namespace quorvel::test
