#pragma once

#include <cstdint>

namespace WaylarkKit {

// An sRGB colour with its opacity, free of the toolkit so models and pure
// rules can name colours; the views turn it into a QColor at the edge.
struct Rgba {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    double opacity = 1;

    constexpr Rgba withOpacity(double value) const { return Rgba{red, green, blue, value}; }
    bool operator==(const Rgba&) const = default;
};

constexpr Rgba rgb(std::uint32_t hex) {
    return Rgba{static_cast<std::uint8_t>((hex >> 16) & 0xFF), static_cast<std::uint8_t>((hex >> 8) & 0xFF),
                static_cast<std::uint8_t>(hex & 0xFF), 1};
}

}  // namespace WaylarkKit
