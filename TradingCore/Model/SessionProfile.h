#pragma once

#include <set>
#include <string>
#include <vector>

#include "Base/Json.h"
#include "Base/Result.h"
#include "TradingCore/Model/JsonCoding.h"
#include "TradingCore/Model/SessionWindow.h"
#include "TradingCore/Model/Weekday.h"

namespace TradingCore {

// A named set of windows and the weekdays on which they begin.
struct SessionProfile {
    std::string name;  // the settings store identifies profiles by it
    std::vector<SessionWindow> windows;
    std::set<Weekday> startWeekdays;

    bool operator==(const SessionProfile&) const = default;

    // The built-in profiles; each call hands out an independent copy.
    static SessionProfile newYork();
    static SessionProfile london();
    static SessionProfile asia();
    // newYork, london, asia.
    static std::vector<SessionProfile> defaults();
};

Base::Json toJson(const SessionProfile& profile);
template <>
Base::Result<SessionProfile> fromJson<SessionProfile>(const Base::Json& json);

}  // namespace TradingCore
