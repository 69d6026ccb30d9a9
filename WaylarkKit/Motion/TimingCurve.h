#pragma once

namespace WaylarkKit {

// The timing curves of our animations: cubic Béziers from (0, 0) to (1, 1),
// each given by its two inner control points.
enum class Ease {
    linear,
    standard,   // (0.25, 0.1) (0.25, 1)
    easeIn,     // (0.42, 0) (1, 1)
    easeOut,    // (0, 0) (0.58, 1)
    easeInOut,  // (0.42, 0) (0.58, 1)
    gentle,     // (0.3, 0.1) (0.3, 1)
};

// The eased progress for a linear progress in [0, 1] (clamped outside it).
double eased(Ease curve, double progress);

}  // namespace WaylarkKit
