#pragma once

#include <optional>

namespace WaylarkKit {

// One step between the panel's tabs.
enum class TabSwipeDirection { next, previous };

// One scroll event as the swipe recognizer sees it: its precise deltas, its
// place in a gesture and its time stamp in seconds.
struct ScrollSample {
    enum class Phase {
        began,
        changed,
        ended,     // the gesture ended or was cancelled
        momentum,  // the inertial tail after the fingers left
        discrete,  // no phase at all: a step of a mouse wheel
    };

    double deltaX = 0;
    double deltaY = 0;
    Phase phase = Phase::discrete;
    double time = 0;
};

// Turns scroll events into at most one tab step per gesture: the axis is
// decided after a little travel, a horizontal gesture fires once its travel
// reaches the threshold, and a vertical one never fires. A trackpad gesture
// runs from its begin to its end; a run of wheel steps is one gesture while
// each step follows the last within `discreteGap`.
struct TabSwipeRecognizer {
    double threshold = 40;
    double decisionDistance = 6;
    double horizontalBias = 1.5;
    double discreteGap = 0.25;

    // The direction when this sample completes a swipe.
    std::optional<TabSwipeDirection> handle(const ScrollSample& sample);

    bool operator==(const TabSwipeRecognizer&) const = default;

private:
    enum class Axis { undecided, horizontal, vertical };

    void reset();

    Axis axis_ = Axis::undecided;
    double sumX_ = 0;
    double sumY_ = 0;
    bool fired_ = false;
    std::optional<double> lastTime_;
};

}  // namespace WaylarkKit
