#pragma once

#include "resources/FaceLayout.h"

#include <juce_graphics/juce_graphics.h>

// Apart from FaceLayout.h, which stays free of the framework.
namespace FaceLayout
{
/** A box of the face as the framework's rectangle. */
inline juce::Rectangle<int> toRectangle (Box box) noexcept
{
    return { box.x, box.y, box.width, box.height };
}
} // namespace FaceLayout
