#pragma once

#include <optional>

#include "IslandKit/Geometry/Rect.h"

namespace IslandKit {

// Facts of one display that the island needs, in desktop coordinates (origin
// bottom left, y upward).
struct ScreenMetrics {
    Rect frame;
    std::optional<Size> notchSize;
    double menuBarHeight = 0;
    std::optional<double> leftAreaWidth;
    std::optional<double> rightAreaWidth;

    bool hasNotch() const { return notchSize.has_value(); }
    // The notch hanging from the top of the frame, centred.
    std::optional<Rect> notchRect() const;

    bool operator==(const ScreenMetrics&) const = default;
};

}  // namespace IslandKit
