#pragma once

#include <optional>

#include "IslandKit/Geometry/Rect.h"
#include "IslandKit/Screen/ScreenMetrics.h"

namespace IslandKit {

// What the windowing system tells about one display, already in desktop
// coordinates. Kept apart from the reading so that the steps that turn facts
// into metrics (including the notch cases no Linux display has) stay testable.
struct ScreenFacts {
    Rect frame;
    Rect visibleFrame;
    // Top inset of the area that is safe from a camera housing; 0 on every display here.
    double safeAreaTop = 0;
    std::optional<Rect> auxiliaryTopLeftArea;
    std::optional<Rect> auxiliaryTopRightArea;
    // Fallback height of the menu bar band.
    double statusBarThickness = 24;
};

// Height of the menu bar band when the desktop says nothing better.
inline constexpr double defaultStatusBarThickness = 24;

ScreenMetrics metricsFromFacts(const ScreenFacts& facts);

}  // namespace IslandKit
