#include "IslandKit/View/LayoutInterpolation.h"

namespace IslandKit {

namespace {

double mix(double a, double b, double p) { return a + (b - a) * p; }

Rect mix(const Rect& a, const Rect& b, double p) {
    return {mix(a.x, b.x, p), mix(a.y, b.y, p), mix(a.width, b.width, p), mix(a.height, b.height, p)};
}

}  // namespace

IslandLayout interpolate(const IslandLayout& from, const IslandLayout& to, double p) {
    if (p == 1) return to;
    IslandLayout result;
    result.rect = mix(from.rect, to.rect, p);
    result.leadingSlot = mix(from.leadingSlot, to.leadingSlot, p);
    result.trailingSlot = mix(from.trailingSlot, to.trailingSlot, p);
    result.expandedContent = mix(from.expandedContent, to.expandedContent, p);
    result.leadingRegion = mix(from.leadingRegion, to.leadingRegion, p);
    result.virtualNotch = mix(from.virtualNotch, to.virtualNotch, p);
    result.topCornerRadius = mix(from.topCornerRadius, to.topCornerRadius, p);
    result.bottomCornerRadius = mix(from.bottomCornerRadius, to.bottomCornerRadius, p);
    return result;
}

}  // namespace IslandKit
