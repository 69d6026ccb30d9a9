#include "IslandKit/Shape/IslandShape.h"

#include <algorithm>

namespace IslandKit {

std::pair<double, double> IslandShape::effectiveRadii(Size size) const {
    const double w = size.width;
    const double h = size.height;
    const double t = std::min(std::min(w * 0.25, topCornerRadius), h * 0.5);
    // Negative wanted radii are not raised; only the height term has a floor.
    const double b = std::min({bottomCornerRadius, (w - 2 * t) / 2, std::max(h - t, 0.0)});
    return {t, b};
}

std::vector<PathElement> IslandShape::path(const Rect& rect) const {
    const auto [t, b] = effectiveRadii(rect.size());
    const double minX = rect.minX();
    const double maxX = rect.maxX();
    const double minY = rect.minY();
    const double maxY = rect.maxY();
    using K = PathElement::Kind;
    return {
        {K::move, {minX, minY}, {}},
        {K::quad, {minX + t, minY + t}, {minX + t, minY}},
        {K::line, {minX + t, maxY - b}, {}},
        {K::quad, {minX + t + b, maxY}, {minX + t, maxY}},
        {K::line, {maxX - t - b, maxY}, {}},
        {K::quad, {maxX - t, maxY - b}, {maxX - t, maxY}},
        {K::line, {maxX - t, minY + t}, {}},
        {K::quad, {maxX, minY}, {maxX - t, minY}},
        {K::close, {}, {}},
    };
}

}  // namespace IslandKit
