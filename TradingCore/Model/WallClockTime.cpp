#include "TradingCore/Model/WallClockTime.h"

#include <limits>

#include "Base/JsonRead.h"

namespace TradingCore {

namespace {

bool allAsciiDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

std::int64_t digitsValue(std::string_view digits) {
    std::int64_t value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

std::optional<std::int64_t> checkedMinutes(std::int64_t hour, std::int64_t minute) {
    std::int64_t product = 0;
    std::int64_t sum = 0;
    if (__builtin_mul_overflow(hour, std::int64_t{60}, &product)) return std::nullopt;
    if (__builtin_add_overflow(product, minute, &sum)) return std::nullopt;
    return sum;
}

std::string twoDigits(std::int64_t value) {
    std::string text = std::to_string(value);
    return value < 10 ? "0" + text : text;
}

}  // namespace

std::optional<WallClockTime> WallClockTime::fromText(std::string_view text) {
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const std::string_view hourPart = text.substr(0, colon);
    const std::string_view minutePart = text.substr(colon + 1);
    if (minutePart.find(':') != std::string_view::npos) return std::nullopt;
    // Only ASCII digits pass, and each is a character of its own, so byte
    // lengths are the character counts: a combining mark or CR LF fails here.
    if (hourPart.empty() || hourPart.size() > 2 || minutePart.size() != 2) return std::nullopt;
    if (!allAsciiDigits(hourPart) || !allAsciiDigits(minutePart)) return std::nullopt;
    const std::int64_t hour = digitsValue(hourPart);
    const std::int64_t minute = digitsValue(minutePart);
    if (hour > 23 || minute > 59) return std::nullopt;
    return WallClockTime(hour, minute);
}

std::int64_t WallClockTime::minutesSinceMidnight() const {
    if (std::optional<std::int64_t> minutes = checkedMinutes(hour, minute)) return *minutes;
    constexpr std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int64_t>::max();
    std::int64_t product = 0;
    // Either the product overflowed (its sign is the hour's) or the sum did
    // (both terms then share the minute's sign).
    if (__builtin_mul_overflow(hour, std::int64_t{60}, &product)) return hour < 0 ? lowest : highest;
    return minute < 0 ? lowest : highest;
}

std::string WallClockTime::text() const { return twoDigits(hour) + ":" + twoDigits(minute); }

Base::Json toJson(const WallClockTime& time) {
    Base::Json json = Base::Json::object();
    json.set("hour", Base::Json::number(time.hour));
    json.set("minute", Base::Json::number(time.minute));
    return json;
}

template <>
Base::Result<WallClockTime> fromJson<WallClockTime>(const Base::Json& json) {
    BASE_TRY(reader, Base::JsonObjectReader::of(json));
    BASE_TRY(hour, reader.integer("hour"));
    BASE_TRY(minute, reader.integer("minute"));
    if (!checkedMinutes(hour, minute)) {
        return Base::makeError("time " + std::to_string(hour) + ":" + std::to_string(minute) +
                               " is beyond any minute count");
    }
    return WallClockTime(hour, minute);
}

}  // namespace TradingCore
