#pragma once

#include <string>

#include "Base/Json.h"
#include "Base/Result.h"
#include "TradingCore/Model/JsonCoding.h"
#include "TradingCore/Model/WallClockTime.h"

namespace TradingCore {

// A named daily trading window. An end earlier in the day than the start runs
// past midnight; an end of 00:00 means up to midnight.
struct SessionWindow {
    std::string name;
    WallClockTime start;
    WallClockTime end;  // exclusive

    bool operator==(const SessionWindow&) const = default;
};

Base::Json toJson(const SessionWindow& window);
template <>
Base::Result<SessionWindow> fromJson<SessionWindow>(const Base::Json& json);

}  // namespace TradingCore
