#pragma once

#include <optional>
#include <string_view>

namespace TradingCore {

// The impact of an economic release. Declaration order is not the ranking:
// use severity() to find the stronger of two impacts.
enum class NewsImpact { low, medium, high, holiday };

std::string_view rawValue(NewsImpact impact);
// Exact, case-sensitive match of "low", "medium", "high" or "holiday".
std::optional<NewsImpact> newsImpactFromRaw(std::string_view raw);
// holiday 0, low 1, medium 2, high 3.
int severity(NewsImpact impact);

}  // namespace TradingCore
