#include "CalculatorKit/CalculatorModes.h"

namespace CalculatorKit {

std::string_view rawValue(RiskMode mode) { return mode == RiskMode::amount ? "amount" : "percent"; }

std::string_view rawValue(StopMode mode) { return mode == StopMode::price ? "price" : "points"; }

std::optional<RiskMode> riskModeFromRaw(std::string_view raw) {
    if (raw == "percent") return RiskMode::percent;
    if (raw == "amount") return RiskMode::amount;
    return std::nullopt;
}

std::optional<StopMode> stopModeFromRaw(std::string_view raw) {
    if (raw == "points") return StopMode::points;
    if (raw == "price") return StopMode::price;
    return std::nullopt;
}

}  // namespace CalculatorKit
