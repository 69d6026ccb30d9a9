#include "WaylarkKit/Views/IntervalColorDisplay.h"

#include <cmath>
#include <cstdint>

#include "WaylarkKit/Style/Palette.h"

namespace WaylarkKit {
namespace {

// The colours are designed as sRGB fractions; each channel takes the nearest 8-bit step.
Rgba fractions(double red, double green, double blue) {
    const auto channel = [](double f) { return static_cast<std::uint8_t>(std::lround(f * 255)); };
    return Rgba{channel(red), channel(green), channel(blue), 1};
}

}  // namespace

Rgba displayColor(TradingCore::IntervalColor color) {
    using TradingCore::IntervalColor;
    switch (color) {
        case IntervalColor::cyan: return fractions(0.25, 0.85, 1.0);
        case IntervalColor::blue: return fractions(0.38, 0.58, 1.0);
        case IntervalColor::pink: return fractions(1.0, 0.45, 0.75);
        case IntervalColor::yellow: return fractions(1.0, 0.86, 0.3);
        case IntervalColor::teal: return fractions(0.3, 0.88, 0.75);
        case IntervalColor::white: return Palette::white;
    }
    return Palette::white;
}

}  // namespace WaylarkKit
