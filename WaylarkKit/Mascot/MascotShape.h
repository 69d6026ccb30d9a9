#pragma once

#include "IslandKit/Geometry/Rect.h"

namespace WaylarkKit {

// The mascot's proportions, in design units of its drawing space: x grows to
// the right, y downward, and the face spans x 10 to 90. The stem (y 2 to 34)
// stands behind the face plate (y 20 to 102), so 18 units of it show above.
struct MascotShape {
    IslandKit::Rect stem{40, 2, 20, 32};
    double stemRadius = 10;
    IslandKit::Rect highlight{44, 6, 4.5, 16};
    double highlightRadius = 2.2;
    IslandKit::Rect face{10, 20, 80, 82};
    IslandKit::Size faceCorner{450.0 / 13.0, 27};
    IslandKit::Point gloss{29, 36};
    // Horizontal squeeze of the whole figure about its centre; 1 is none.
    double slim = 0.78;

    bool operator==(const MascotShape&) const = default;
};

}  // namespace WaylarkKit
