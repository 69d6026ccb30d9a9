#include "IslandKit/Geometry/IslandGeometry.h"

#include <algorithm>
#include <limits>

namespace IslandKit::IslandGeometry {

IslandLayout layout(IslandState state, const ScreenMetrics& metrics, const IslandSlots& slots,
                    const IslandStyle& style) {
    constexpr double unbounded = std::numeric_limits<double>::infinity();
    const Rect& frame = metrics.frame;
    const double pad = style.slotPadding;
    const double topR = style.topCornerRadius;
    const double contentW = style.expandedContentSize.width;
    const double contentH = style.expandedContentSize.height;

    const double lead = std::min(slots.leading, style.maxLeadingWidth.value_or(unbounded));
    const double trail = std::min(slots.trailing, style.maxTrailingWidth.value_or(unbounded));

    const double notchW = metrics.notchSize ? metrics.notchSize->width : style.virtualNotchWidth;
    const double notchH = metrics.notchSize ? metrics.notchSize->height : metrics.menuBarHeight;

    const double notchMinX = frame.midX() - notchW / 2;
    const double notchMaxX = notchMinX + notchW;

    double left = std::max(frame.minX(), notchMinX - lead - 2 * pad - topR);
    double right = std::min(frame.maxX(), notchMaxX + trail + 2 * pad + topR);
    double height = notchH;

    if (state == IslandState::expanded) {
        left = std::min(left, notchMaxX - style.expandedLeadingRegionMinWidth);
        // The island keeps its right edge and grows leftward.
        const double needed = contentW + 2 * pad + 2 * topR;
        if (right - left < needed) left = right - needed;
        if (frame.minX() > left) {
            const double shift = frame.minX() - left;
            left += shift;
            right = std::min(frame.maxX(), right + shift);
        }
        height = notchH + contentH + 2 * pad;
    }

    IslandLayout result;
    result.rect = {left, frame.maxY() - height, right - left, height};
    const double x0 = result.rect.minX();
    result.leadingSlot = {notchMinX - pad - lead - x0, 0, lead, notchH};
    result.trailingSlot = {notchMaxX + pad - x0, 0, trail, notchH};
    result.expandedContent = {pad + topR, notchH + pad, std::max(0.0, result.rect.width - 2 * (pad + topR)),
                              contentH};
    result.leadingRegion = {result.expandedContent.minX(), 0,
                            std::max(0.0, result.leadingSlot.maxX() - result.expandedContent.minX()), notchH};
    result.virtualNotch = {notchMinX - x0, 0, notchW, notchH};
    result.topCornerRadius = topR;
    result.bottomCornerRadius = style.bottomCornerRadius;
    return result;
}

}  // namespace IslandKit::IslandGeometry
