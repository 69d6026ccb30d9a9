#include "IslandKit/Screen/ScreenFacts.h"

#include <algorithm>

namespace IslandKit {

ScreenMetrics metricsFromFacts(const ScreenFacts& facts) {
    ScreenMetrics metrics;
    metrics.frame = facts.frame;
    const double top = facts.safeAreaTop;
    const double leftW = facts.auxiliaryTopLeftArea ? facts.auxiliaryTopLeftArea->width : 0;
    const double rightW = facts.auxiliaryTopRightArea ? facts.auxiliaryTopRightArea->width : 0;

    if (top > 0) {
        metrics.menuBarHeight = top;
        const bool bothAreas = facts.auxiliaryTopLeftArea && facts.auxiliaryTopRightArea;
        if (bothAreas && facts.frame.width - leftW > rightW) {
            metrics.notchSize = Size{facts.frame.width - leftW - rightW, top};
            metrics.leftAreaWidth = leftW;
            metrics.rightAreaWidth = rightW;
        }
        return metrics;
    }
    metrics.menuBarHeight = std::max(facts.frame.maxY() - facts.visibleFrame.maxY(), facts.statusBarThickness);
    return metrics;
}

}  // namespace IslandKit
