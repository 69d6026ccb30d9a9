#pragma once

#include <optional>
#include <string_view>

namespace CalculatorKit {

// How the risk of a trade is given.
enum class RiskMode { percent, amount };
// How the stop is given: a distance in points, or a stop price with an entry price.
enum class StopMode { points, price };

std::string_view rawValue(RiskMode mode);
std::string_view rawValue(StopMode mode);
// Exact, case-sensitive matches of the raw values.
std::optional<RiskMode> riskModeFromRaw(std::string_view raw);
std::optional<StopMode> stopModeFromRaw(std::string_view raw);

}  // namespace CalculatorKit
