#pragma once

#include <optional>
#include <string>

#include "IslandKit/Geometry/Rect.h"

namespace IslandKit {

// Look-and-feel constants of one island.
struct IslandStyle {
    // Radius of the flared top corners, and the margin between the island's edge and its contents.
    double topCornerRadius = 6;
    double bottomCornerRadius = 12;
    // Gap between notch, slots and edges, and around the expanded content.
    double slotPadding = 8;
    Size expandedContentSize{400, 170};
    // Width of the notch drawn on a display without a camera notch.
    double virtualNotchWidth = 190;
    std::string virtualNotchLabel = "Revad";
    std::optional<double> maxLeadingWidth;
    std::optional<double> maxTrailingWidth;
    bool closesOnOutsideClick = true;
    // Least width that the expanded island keeps left of the notch's right edge.
    double expandedLeadingRegionMinWidth = 0;

    bool operator==(const IslandStyle&) const = default;
};

}  // namespace IslandKit
