#pragma once

#include "IslandKit/Geometry/Rect.h"

namespace IslandKit {

// The island's computed rectangles. `rect` is in desktop coordinates (origin
// bottom left, y upward); every other rectangle is relative to the island's
// top-left corner, x to the right and y downward.
struct IslandLayout {
    Rect rect;
    Rect leadingSlot;
    Rect trailingSlot;
    Rect expandedContent;
    Rect leadingRegion;
    Rect virtualNotch;
    double topCornerRadius = 0;
    double bottomCornerRadius = 0;

    bool operator==(const IslandLayout&) const = default;
};

}  // namespace IslandKit
