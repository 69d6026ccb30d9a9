#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "Base/Json.h"
#include "Base/Result.h"
#include "TradingCore/Model/JsonCoding.h"

namespace TradingCore {

// The colour of a custom interval; the interface maps each to a display colour.
enum class IntervalColor { cyan, blue, pink, yellow, teal, white };

inline constexpr std::array<IntervalColor, 6> allIntervalColors = {
    IntervalColor::cyan, IntervalColor::blue, IntervalColor::pink,
    IntervalColor::yellow, IntervalColor::teal, IntervalColor::white,
};

std::string_view rawValue(IntervalColor color);
// Exact match of a raw value; "Cyan" or " cyan" give no colour.
std::optional<IntervalColor> intervalColorFromRaw(std::string_view raw);

Base::Json toJson(IntervalColor color);
template <>
Base::Result<IntervalColor> fromJson<IntervalColor>(const Base::Json& json);

}  // namespace TradingCore
