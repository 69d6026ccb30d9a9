#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string_view>

#include "Base/Json.h"
#include "Base/Result.h"

namespace TradingCore {

// Numbered as the Gregorian calendar numbers its weekdays.
enum class Weekday {
    sunday = 1,
    monday = 2,
    tuesday = 3,
    wednesday = 4,
    thursday = 5,
    friday = 6,
    saturday = 7,
};

inline constexpr std::array<Weekday, 7> allWeekdays = {
    Weekday::sunday,   Weekday::monday, Weekday::tuesday,  Weekday::wednesday,
    Weekday::thursday, Weekday::friday, Weekday::saturday,
};

inline int rawValue(Weekday day) { return static_cast<int>(day); }
// 1 to 7; any other integer gives no weekday.
std::optional<Weekday> weekdayFromRaw(std::int64_t raw);
// Monday to Friday.
std::set<Weekday> workDays();

// A weekday set is stored as an array of its raw integers, in no particular order.
Base::Json toJson(const std::set<Weekday>& days);
// Duplicates collapse; an integer outside 1..7 fails. `context` names the array in errors.
Base::Result<std::set<Weekday>> weekdaysFromJson(const Base::Json& json, std::string_view context);

}  // namespace TradingCore
