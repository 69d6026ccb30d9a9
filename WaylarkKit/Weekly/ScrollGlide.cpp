#include "WaylarkKit/Weekly/ScrollGlide.h"


namespace WaylarkKit {

namespace {

// One coordinate of the cubic Bézier from 0 to 1 with control values a and b.
double bezier(double a, double b, double t) {
    const double u = 1 - t;
    return 3 * u * u * t * a + 3 * u * t * t * b + t * t * t;
}

}  // namespace

double easeInOut(double fraction) {
    if (!(fraction > 0)) return 0;
    if (fraction >= 1) return 1;
    // The curve's x grows steadily with its parameter: bisection finds the
    // parameter of `fraction` to well under a device pixel of any list.
    double low = 0;
    double high = 1;
    for (int i = 0; i < 30; ++i) {
        const double mid = (low + high) / 2;
        (bezier(0.42, 0.58, mid) < fraction ? low : high) = mid;
    }
    return bezier(0, 1, (low + high) / 2);
}

double ScrollGlide::value(double now) const { return from + (to - from) * easeInOut((now - startedAt) / duration); }

}  // namespace WaylarkKit
