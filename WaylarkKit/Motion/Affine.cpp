#include "WaylarkKit/Motion/Affine.h"

#include <algorithm>

namespace WaylarkKit {

IslandKit::Rect Affine::mapBounds(const IslandKit::Rect& r) const {
    const IslandKit::Point corners[] = {map({r.minX(), r.minY()}), map({r.maxX(), r.minY()}),
                                        map({r.minX(), r.maxY()}), map({r.maxX(), r.maxY()})};
    double minX = corners[0].x, maxX = corners[0].x, minY = corners[0].y, maxY = corners[0].y;
    for (const auto& p : corners) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    return {minX, minY, maxX - minX, maxY - minY};
}

}  // namespace WaylarkKit
