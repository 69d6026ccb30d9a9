#include "WaylarkKit/Greeting/GreetingMotion.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace WaylarkKit {

namespace {

// An under-damped spring from 0 to 1: 2.3 Hz, damping ratio 0.42.
constexpr double springFrequency = 2 * std::numbers::pi * 2.3;
constexpr double damping = 0.42;
const double decay = damping * springFrequency;
const double dampedFrequency = springFrequency * std::sqrt(1 - damping * damping);
const double sineWeight = damping / std::sqrt(1 - damping * damping);

}  // namespace

GreetingMotion::State GreetingMotion::state(int letter, double at) const {
    const double i = letter;
    const double lastIndex = std::max(letterCount - 1, 0);
    const double u = at - (0.12 + 0.05 * i);
    if (u <= 0) return {enterOffset, 0.3, 0, 0};

    const double spring = 1 - std::exp(-decay * u) * (std::cos(dampedFrequency * u) + sineWeight * std::sin(dampedFrequency * u));
    State result{enterOffset * (1 - spring), 0.3 + 0.7 * spring, std::min(1.0, u / 0.16), 0};

    const double firstLeaves = total - 0.45 - 0.03 * lastIndex;
    if (style == Style::wave) {
        const double fadeIn = std::clamp(2 * (u - 0.55), 0.0, 1.0);
        const double fadeOut = std::clamp((firstLeaves - at) / 0.4, 0.0, 1.0);
        result.offsetY += 2.6 * std::sin(2 * std::numbers::pi * u / 1.5) * fadeIn * fadeOut;
    }

    const double leaving = (at - (firstLeaves + 0.03 * i)) / 0.4;
    if (leaving > 0) {
        const double q = std::min(leaving, 1.0);
        result.offsetY += enterOffset * q * q;
        result.scale *= 1 - 0.35 * q * q;
        result.opacity *= 1 - q * q;
    }

    if (style == Style::shine) {
        const double distance = (at - 1.15 - 0.07 * i) / 0.16;
        result.shine = std::exp(-distance * distance);
    }
    if (result.opacity <= 0) result.opacity = 0;
    return result;
}

}  // namespace WaylarkKit
