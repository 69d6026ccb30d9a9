#pragma once

#include <array>

#include "IslandKit/Geometry/Rect.h"

namespace WaylarkKit {

// The lot-size button's icon: a pocket calculator's outlined body, its
// display bar and six keys, all in one colour on a 13 by 14 canvas. Only the
// body, the display's width and the keys' pitch follow the canvas; the key
// size, radii, line width and vertical offsets are fixed.
struct CalculatorGlyph {
    static constexpr double width = 13;
    static constexpr double height = 14;
    static constexpr double bodyRadius = 2.2;
    static constexpr double bodyLineWidth = 1.2;
    static constexpr double displayRadius = 0.6;
    static constexpr double keySide = 1.5;

    IslandKit::Rect body;     // stroked
    IslandKit::Rect display;  // filled
    std::array<IslandKit::Rect, 6> keys;  // filled; the upper row first, left to right

    static CalculatorGlyph shape(double canvasWidth = width, double canvasHeight = height);
};

}  // namespace WaylarkKit
