#include "WaylarkKit/Motion/TimingCurve.h"

#include <algorithm>
#include <cmath>

namespace WaylarkKit {

namespace {

struct Cubic {
    double x1, y1, x2, y2;
};

Cubic controlPoints(Ease curve) {
    switch (curve) {
        case Ease::linear: return {0, 0, 1, 1};
        case Ease::standard: return {0.25, 0.1, 0.25, 1};
        case Ease::easeIn: return {0.42, 0, 1, 1};
        case Ease::easeOut: return {0, 0, 0.58, 1};
        case Ease::easeInOut: return {0.42, 0, 0.58, 1};
        case Ease::gentle: return {0.3, 0.1, 0.3, 1};
    }
    return {0, 0, 1, 1};
}

// One coordinate of the Bézier with end points 0 and 1.
double bezier(double p1, double p2, double s) {
    const double inverse = 1 - s;
    return 3 * inverse * inverse * s * p1 + 3 * inverse * s * s * p2 + s * s * s;
}

double slope(double p1, double p2, double s) {
    const double inverse = 1 - s;
    return 3 * inverse * inverse * p1 + 6 * inverse * s * (p2 - p1) + 3 * s * s * (1 - p2);
}

}  // namespace

double eased(Ease curve, double progress) {
    const double x = std::clamp(progress, 0.0, 1.0);
    if (curve == Ease::linear || x == 0 || x == 1) return x;
    const Cubic c = controlPoints(curve);
    // x(s) is monotonic for control x in [0, 1]: Newton from x, then
    // bisection where the slope is too flat to trust.
    double s = x;
    for (int i = 0; i < 8; ++i) {
        const double error = bezier(c.x1, c.x2, s) - x;
        if (std::abs(error) < 1e-9) return bezier(c.y1, c.y2, s);
        const double d = slope(c.x1, c.x2, s);
        if (std::abs(d) < 1e-6) break;
        s = std::clamp(s - error / d, 0.0, 1.0);
    }
    double low = 0, high = 1;
    s = x;
    for (int i = 0; i < 60; ++i) {
        const double value = bezier(c.x1, c.x2, s);
        if (std::abs(value - x) < 1e-9) break;
        (value < x ? low : high) = s;
        s = (low + high) / 2;
    }
    return bezier(c.y1, c.y2, s);
}

}  // namespace WaylarkKit
