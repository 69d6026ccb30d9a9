#include "IslandKit/View/Spring.h"

#include <cmath>
#include <numbers>

namespace IslandKit {

Spring::Spring(double response, double dampingFraction)
    : omega_(2 * std::numbers::pi / response), zeta_(dampingFraction) {}

double Spring::progress(double t) const {
    if (t <= 0) return 0;
    if (zeta_ < 1) {
        const double wd = omega_ * std::sqrt(1 - zeta_ * zeta_);
        const double envelope = std::exp(-zeta_ * omega_ * t);
        return 1 - envelope * (std::cos(wd * t) + (zeta_ * omega_ / wd) * std::sin(wd * t));
    }
    // Critically (or over-) damped: no overshoot.
    return 1 - std::exp(-omega_ * t) * (1 + omega_ * t);
}

double Spring::settlingTime(double tolerance) const {
    // The envelope bounds the error; the extra factor covers the sine term.
    const double decay = (zeta_ < 1 ? zeta_ : 1.0) * omega_;
    const double bound = zeta_ < 1 ? 1 / std::sqrt(1 - zeta_ * zeta_) : 1 + 10.0;
    return std::log(bound / tolerance) / decay;
}

Spring islandSpring() { return Spring(0.38, 0.82); }

}  // namespace IslandKit
