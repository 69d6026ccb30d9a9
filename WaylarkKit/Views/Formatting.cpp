#include "WaylarkKit/Views/Formatting.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "TradingCore/Model/MarketTimeZone.h"

namespace WaylarkKit::Formatting {
namespace {

// Rounds up and saturates, so no input can reach undefined conversion.
std::int64_t ceilingToInt64(double value) {
    if (std::isnan(value)) return 0;
    const double up = std::ceil(value);
    // 2^63 is exactly representable; every double below it converts safely.
    constexpr double limit = 9223372036854775808.0;
    if (up >= limit) return std::numeric_limits<std::int64_t>::max();
    if (up < -limit) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(up);
}

void appendNumber(std::string& out, std::int64_t value, int minimumDigits) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    for (auto width = end - digits; width < minimumDigits; ++width) out += '0';
    out.append(digits, end);
}

}  // namespace

std::string ClockFormatter::string(Base::Date date) const {
    if (!std::isfinite(date.secondsSince1970)) return withSeconds_ ? "--:--:--" : "--:--";
    const double local = std::floor(date.secondsSince1970 + zone_.secondsFromUTC(date));
    const double ofDay = local - 86400.0 * std::floor(local / 86400.0);
    const auto seconds = static_cast<int>(ofDay);
    std::string out;
    out.reserve(8);
    appendNumber(out, seconds / 3600, 2);
    out += ':';
    appendNumber(out, seconds % 3600 / 60, 2);
    if (withSeconds_) {
        out += ':';
        appendNumber(out, seconds % 60, 2);
    }
    return out;
}

const ClockFormatter& etFormatter() {
    static const ClockFormatter formatter(TradingCore::MarketTimeZone::newYork(), false);
    return formatter;
}

const ClockFormatter& etSecondsFormatter() {
    static const ClockFormatter formatter(TradingCore::MarketTimeZone::newYork(), true);
    return formatter;
}

std::string countdown(double seconds) {
    const std::int64_t s = ceilingToInt64(seconds);
    const std::int64_t t = s < 0 ? 0 : s;
    std::string out;
    if (s >= 3600) {
        appendNumber(out, t / 3600, 1);
        out += ':';
        appendNumber(out, t % 3600 / 60, 2);
    } else {
        appendNumber(out, t % 3600 / 60, 1);
    }
    out += ':';
    appendNumber(out, t % 60, 2);
    return out;
}

std::string minutes(double seconds) {
    std::int64_t m = ceilingToInt64(seconds / 60);
    if (m < 2) m = 1;
    std::string out;
    appendNumber(out, m, 1);
    out += 'm';
    return out;
}

}  // namespace WaylarkKit::Formatting
