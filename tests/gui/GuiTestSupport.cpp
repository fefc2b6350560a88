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
    return paintInto (component.getWidth(), component.getHeight(), [&] (juce::Graphics& g)
                      {
                          g.fillAll (background);

                          if (withChildren)
                              component.paintEntireComponent (g, true);
                          else
                              component.paint (g); });
}

juce::MouseEvent mouseEventAt (juce::Component& target, juce::Point<float> position, juce::Point<float> downPosition, int clicks, bool dragged)
{
    const auto now = juce::Time::getCurrentTime();
    return { juce::Desktop::getInstance().getMainMouseSource(),
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
             downPosition,
             now,
             clicks,
             dragged };
}

juce::Component* clickAt (juce::Component& root, juce::Point<int> position)
{
    auto* target = root.getComponentAt (position);

    if (target == nullptr)
        return nullptr;

    const auto local = target->getLocalPoint (&root, position).toFloat();
    juce::Component::SafePointer<juce::Component> watcher (target);
    target->mouseDown (mouseEventAt (*target, local, local, 1, false));

    if (watcher != nullptr)
        target->mouseUp (mouseEventAt (*target, local, local, 1, false));

    return target;
}

void dragVertically (juce::Slider& slider, float pixelsUp)
{
    const juce::Point<float> start (10.0f, 10.0f);
    const auto end = start.translated (0.0f, -pixelsUp);
    slider.mouseDown (mouseEventAt (slider, start, start, 1, false));
    slider.mouseDrag (mouseEventAt (slider, end, start, 1, true));
    slider.mouseUp (mouseEventAt (slider, end, start, 1, true));
}
} // namespace quorvel::test
