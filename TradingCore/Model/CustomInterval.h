#pragma once

#include <set>
#include <string>

#include "Base/Json.h"
#include "Base/Result.h"
#include "Base/Uuid.h"
#include "TradingCore/Model/IntervalColor.h"
#include "TradingCore/Model/JsonCoding.h"
#include "TradingCore/Model/WallClockTime.h"
#include "TradingCore/Model/Weekday.h"

namespace TradingCore {

// A user's named, coloured interval of the day, recurring on chosen weekdays.
// Its identity is `id`: activity and band identifiers contain it.
struct CustomInterval {
    Base::Uuid id;
    std::string name;
    WallClockTime start;
    WallClockTime end;  // earlier than start: runs past midnight
    std::set<Weekday> weekdays;  // the days on which it begins
    IntervalColor color = IntervalColor::cyan;

    // Equal times stay in the model but give no activities or bands.
    bool hasValidTimes() const { return !(start == end); }

    bool operator==(const CustomInterval&) const = default;
};

// Limits the settings store enforces; the engine takes any list it is given.
namespace CustomIntervalRules {
inline constexpr int maxCount = 5;
inline constexpr int maxNameLength = 14;
}  // namespace CustomIntervalRules

Base::Json toJson(const CustomInterval& interval);
// A missing, null or unknown "color" reads as cyan; every other key is required.
template <>
Base::Result<CustomInterval> fromJson<CustomInterval>(const Base::Json& json);

}  // namespace TradingCore
