#pragma once

#include <string>

#include "Base/Json.h"
#include "Base/Result.h"
#include "TradingCore/Model/JsonCoding.h"
#include "TradingCore/Model/WallClockTime.h"

namespace TradingCore {

// A macro with fixed times of its own.
struct NamedMacro {
    std::string name;  // the title of its activities and bands
    WallClockTime start;
    WallClockTime end;

    bool operator==(const NamedMacro&) const = default;

    // "Lunch Macro" 11:30 to 13:30.
    static NamedMacro lunch() { return {"Lunch Macro", {11, 30}, {13, 30}}; }
    // "Final Macro" 15:15 to 15:45.
    static NamedMacro finalHour() { return {"Final Macro", {15, 15}, {15, 45}}; }
};

Base::Json toJson(const NamedMacro& macro);
template <>
Base::Result<NamedMacro> fromJson<NamedMacro>(const Base::Json& json);

}  // namespace TradingCore
