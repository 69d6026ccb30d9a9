#include "IslandKit/Geometry/IslandHover.h"

#include <algorithm>

namespace IslandKit::IslandHover {

std::optional<IslandHoverZone> zone(Point at, const IslandLayout& layout, double slack,
                                    double trailingLeadingEdgeSlack) {
    // The band runs from 2 points above the top edge down to one notch height;
    // the expanded content below it is never a hover zone.
    const double dy = layout.rect.maxY() - at.y;
    if (dy < -2 || dy > layout.leadingSlot.height) return std::nullopt;

    const double x = at.x - layout.rect.minX();
    const Rect& lead = layout.leadingSlot;
    const Rect& trail = layout.trailingSlot;

    // Leading first, so it wins where the zones overlap.
    if (std::min(lead.minX(), layout.leadingRegion.minX()) - slack <= x && x <= lead.maxX() + slack &&
        lead.width > 0) {
        return IslandHoverZone::leading();
    }
    if (trail.minX() - std::max(slack, trailingLeadingEdgeSlack) <= x && x <= trail.maxX() + std::max(slack, 12.0) &&
        trail.width > 0) {
        return IslandHoverZone::trailing(x - trail.minX());
    }
    return std::nullopt;
}

}  // namespace IslandKit::IslandHover
