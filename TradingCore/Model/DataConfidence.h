#pragma once

#include <optional>
#include <string_view>

namespace TradingCore {

// How far the news data can be trusted at an instant.
enum class DataConfidence { live, degraded, unknown };

std::string_view rawValue(DataConfidence confidence);
std::optional<DataConfidence> dataConfidenceFromRaw(std::string_view raw);

}  // namespace TradingCore
