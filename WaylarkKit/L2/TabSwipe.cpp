#include "WaylarkKit/L2/TabSwipe.h"

#include <cmath>

namespace WaylarkKit {

void TabSwipeRecognizer::reset() {
    axis_ = Axis::undecided;
    sumX_ = 0;
    sumY_ = 0;
    fired_ = false;
}

std::optional<TabSwipeDirection> TabSwipeRecognizer::handle(const ScrollSample& sample) {
    using Phase = ScrollSample::Phase;
    switch (sample.phase) {
        case Phase::began: reset(); break;
        case Phase::changed: break;
        case Phase::discrete:
            if (lastTime_ && sample.time - *lastTime_ > discreteGap) reset();
            break;
        case Phase::ended:
            reset();
            lastTime_.reset();
            return std::nullopt;
        case Phase::momentum: return std::nullopt;
    }
    // Kept up to date after firing too, so steady wheel scrolling fires once
    // and then waits for a pause.
    lastTime_ = sample.time;
    if (fired_) return std::nullopt;
    sumX_ += sample.deltaX;
    sumY_ += sample.deltaY;

    if (axis_ == Axis::undecided) {
        const double ax = std::fabs(sumX_);
        const double ay = std::fabs(sumY_);
        if (ax + ay < decisionDistance) return std::nullopt;
        axis_ = ax > ay * horizontalBias ? Axis::horizontal : Axis::vertical;
    }
    if (axis_ != Axis::horizontal || std::fabs(sumX_) < threshold) return std::nullopt;
    fired_ = true;
    return sumX_ >= 0 ? TabSwipeDirection::previous : TabSwipeDirection::next;
}

}  // namespace WaylarkKit
