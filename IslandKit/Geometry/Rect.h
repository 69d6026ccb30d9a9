#pragma once

#include <algorithm>

namespace IslandKit {

// Plain points, sizes and rectangles in points. The island's geometry keeps the
// desktop-wide space with its origin at the bottom left and y upward; views use
// the same types with y downward. Conversion to the windowing system happens
// once, at the window boundary.
struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    double width = 0;
    double height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    // Extremes of a rectangle whose width or height may be negative, as the
    // usual rectangle functions read them.
    double minX() const { return std::min(x, x + width); }
    double maxX() const { return std::max(x, x + width); }
    double minY() const { return std::min(y, y + height); }
    double maxY() const { return std::max(y, y + height); }
    double midX() const { return (minX() + maxX()) / 2; }
    double midY() const { return (minY() + maxY()) / 2; }
    Point origin() const { return {x, y}; }
    Size size() const { return {width, height}; }

    // A point on the minimum edges is inside, on the maximum edges outside.
    bool contains(Point p) const {
        return width != 0 && height != 0 && p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }
    // Grows the rectangle by `dx` on the left and right and `dy` above and below.
    Rect outset(double dx, double dy) const {
        return {minX() - dx, minY() - dy, (maxX() - minX()) + 2 * dx, (maxY() - minY()) + 2 * dy};
    }

    bool operator==(const Rect&) const = default;
};

}  // namespace IslandKit
