#include "Base/EpochText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace Base {

std::string shortestPlainText(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    // Fixed notation of a double needs at most ~330 characters.
    std::array<char, 400> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::fixed);
    if (ec != std::errc{}) return "0";
    return std::string(buffer.data(), end);
}

std::string epochText(double seconds) {
    std::string text = shortestPlainText(seconds);
    if (std::isfinite(seconds) && text.find('.') == std::string::npos) text += ".0";
    return text;
}

}  // namespace Base
