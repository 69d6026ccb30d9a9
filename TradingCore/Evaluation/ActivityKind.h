#pragma once

#include <optional>
#include <string_view>

namespace TradingCore {

enum class ActivityKind { news, macro, custom };

// upcoming: within the lead time before the start; restricted: a news blackout
// in force; active: a macro or custom occurrence running; ended: within the
// linger time after the end.
enum class ActivityPhase { upcoming, restricted, active, ended };

std::string_view rawValue(ActivityKind kind);
std::optional<ActivityKind> activityKindFromRaw(std::string_view raw);
std::string_view rawValue(ActivityPhase phase);
std::optional<ActivityPhase> activityPhaseFromRaw(std::string_view raw);

}  // namespace TradingCore
