#pragma once

#include <cmath>

#include "IslandKit/Geometry/Rect.h"

namespace WaylarkKit {

// A 2D affine map: x' = a·x + c·y + tx, y' = b·x + d·y + ty.
struct Affine {
    double a = 1;
    double b = 0;
    double c = 0;
    double d = 1;
    double tx = 0;
    double ty = 0;

    static Affine translation(double dx, double dy) { return {1, 0, 0, 1, dx, dy}; }
    static Affine scaling(double sx, double sy) { return {sx, 0, 0, sy, 0, 0}; }
    static Affine rotation(double radians) {
        const double cosine = std::cos(radians);
        const double sine = std::sin(radians);
        return {cosine, sine, -sine, cosine, 0, 0};
    }

    // The map that applies `inner` first, then this one.
    Affine operator*(const Affine& inner) const {
        return {a * inner.a + c * inner.b,         b * inner.a + d * inner.b,
                a * inner.c + c * inner.d,         b * inner.c + d * inner.d,
                a * inner.tx + c * inner.ty + tx,  b * inner.tx + d * inner.ty + ty};
    }

    IslandKit::Point map(IslandKit::Point p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }

    // The bounding box of the mapped rectangle.
    IslandKit::Rect mapBounds(const IslandKit::Rect& r) const;

    bool operator==(const Affine&) const = default;
};

}  // namespace WaylarkKit
