#pragma once

#include <cstdint>
#include <set>
#include <string_view>
#include <vector>

#include "Base/Json.h"
#include "Base/Result.h"
#include "TradingCore/Model/JsonCoding.h"
#include "TradingCore/Model/NamedMacro.h"
#include "TradingCore/Model/Weekday.h"

namespace TradingCore {

// The macro plan: the hourly macros around every full hour, the named macros,
// and the weekdays on which all of them occur.
struct MacroSchedule {
    std::int64_t aroundHourMinutes = 0;  // an hourly macro runs from H - m to H + m
    std::vector<NamedMacro> named;
    std::set<Weekday> weekdays;

    bool operator==(const MacroSchedule&) const = default;

    // The title of every hourly macro occurrence.
    static constexpr std::string_view hourlyName = "Macro";

    // 10 minutes around the hour, the lunch macro then the final macro as
    // switched on, Monday to Friday.
    static MacroSchedule newYork(bool lunch, bool finalHour);
    static MacroSchedule newYorkDefault();
};

Base::Json toJson(const MacroSchedule& schedule);
template <>
Base::Result<MacroSchedule> fromJson<MacroSchedule>(const Base::Json& json);

}  // namespace TradingCore
