#include "WaylarkKit/App/IslandLook.h"

namespace WaylarkKit {

const IslandKit::IslandStyle& islandLook() {
    static const IslandKit::IslandStyle look = [] {
        IslandKit::IslandStyle style;
        style.topCornerRadius = 6;
        style.bottomCornerRadius = 12;
        style.slotPadding = 8;
        style.expandedContentSize = {300, 205};
        style.virtualNotchWidth = 190;
        // Shown in the notch drawn on a display without one, when no mascot sits there.
        style.virtualNotchLabel = "Revad";
        style.maxLeadingWidth = 200;
        style.maxTrailingWidth = 420;
        style.closesOnOutsideClick = true;
        style.expandedLeadingRegionMinWidth = 410;
        return style;
    }();
    return look;
}

}  // namespace WaylarkKit
