#pragma once

#include "IslandKit/Geometry/Rect.h"

namespace IslandKit {

// Converts between the windowing system's space (origin top left, y downward)
// and the desktop space of the island's geometry (origin at the bottom left of
// the primary display, y upward). `primaryBottom` is the primary display's
// bottom edge in the windowing system's space.
struct DesktopSpace {
    double primaryBottom = 0;

    Point toDesktop(Point p) const { return {p.x, primaryBottom - p.y}; }
    Rect toDesktop(const Rect& r) const { return {r.x, primaryBottom - (r.y + r.height), r.width, r.height}; }
    Rect toWindowSystem(const Rect& r) const { return {r.x, primaryBottom - (r.y + r.height), r.width, r.height}; }
};

}  // namespace IslandKit
