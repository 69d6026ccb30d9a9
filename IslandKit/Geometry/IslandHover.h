#pragma once

#include <optional>

#include "IslandKit/Geometry/IslandLayout.h"

namespace IslandKit {

// Where the pointer is over the island. For the trailing zone, `x` is measured
// from the trailing slot's left edge (negative in the slack left of it).
struct IslandHoverZone {
    enum class Kind { trailing, leading };
    Kind kind = Kind::leading;
    double x = 0;

    static IslandHoverZone trailing(double x) { return {Kind::trailing, x}; }
    static IslandHoverZone leading() { return {Kind::leading, 0}; }

    bool operator==(const IslandHoverZone& other) const {
        return kind == other.kind && (kind == Kind::leading || x == other.x);
    }
};

namespace IslandHover {

// Classifies a pointer position (desktop coordinates, the space of
// `layout.rect`). `slack` widens both zones on both sides; the trailing zone's
// left edge allows the larger of `slack` and `trailingLeadingEdgeSlack`.
std::optional<IslandHoverZone> zone(Point at, const IslandLayout& layout, double slack,
                                    double trailingLeadingEdgeSlack);

}  // namespace IslandHover
}  // namespace IslandKit
