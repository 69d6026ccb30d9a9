#pragma once

#include <utility>
#include <vector>

#include "IslandKit/Geometry/Rect.h"

namespace IslandKit {

// One step of an outline: a move, a straight line, a quadratic curve (with
// its control point) or the closing of the subpath.
struct PathElement {
    enum class Kind { move, line, quad, close };
    Kind kind = Kind::move;
    Point to;
    Point control;
    bool operator==(const PathElement&) const = default;
};

// The island's outline: the top edge runs along the rectangle's top, the two
// top corners flare outward toward it and the two bottom corners are rounded.
// Coordinates have y downward (the drawing view's space).
struct IslandShape {
    double topCornerRadius = 0;
    double bottomCornerRadius = 0;

    // The radii actually drawn in a rectangle of that size, top then bottom.
    std::pair<double, double> effectiveRadii(Size size) const;
    std::vector<PathElement> path(const Rect& rect) const;

    bool operator==(const IslandShape&) const = default;
};

}  // namespace IslandKit
