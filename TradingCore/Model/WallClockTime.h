#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "Base/Json.h"
#include "Base/Result.h"
#include "TradingCore/Model/JsonCoding.h"

namespace TradingCore {

// A time of day on the market's wall clock. The fields are stored unchecked
// (stored files may hold any integer), so they are 64-bit and every derived
// value saturates instead of overflowing.
struct WallClockTime {
    std::int64_t hour = 0;    // 0 to 23 when valid
    std::int64_t minute = 0;  // 0 to 59 when valid

    constexpr WallClockTime() = default;
    constexpr WallClockTime(std::int64_t h, std::int64_t m) : hour(h), minute(m) {}

    // Accepts exactly H:MM or HH:MM in ASCII digits, hour 0..23, minute 00..59.
    static std::optional<WallClockTime> fromText(std::string_view text);

    // hour * 60 + minute, clamped to the 64-bit range.
    std::int64_t minutesSinceMidnight() const;
    // "07:05"; fields below 10 get a leading "0", others are written as they are.
    std::string text() const;

    bool operator==(const WallClockTime&) const = default;
};

// {"hour": 7, "minute": 5}
Base::Json toJson(const WallClockTime& time);
// Any 64-bit hour and minute read as they stand, except pairs whose minute
// count would not fit 64 bits: those are refused as undecodable.
template <>
Base::Result<WallClockTime> fromJson<WallClockTime>(const Base::Json& json);

}  // namespace TradingCore

template <>
struct std::hash<TradingCore::WallClockTime> {
    size_t operator()(const TradingCore::WallClockTime& t) const noexcept {
        const size_t h = std::hash<std::int64_t>{}(t.hour);
        return h ^ (std::hash<std::int64_t>{}(t.minute) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2));
    }
};
