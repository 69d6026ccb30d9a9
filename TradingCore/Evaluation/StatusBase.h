#pragma once

#include <optional>
#include <string_view>

namespace TradingCore {

// green: inside a window, no blackout; red: inside a window during a blackout;
// gray: outside every window; amber: a caution state nothing computes but
// every consumer must accept.
enum class StatusBase { green, red, gray, amber };

std::string_view rawValue(StatusBase base);
std::optional<StatusBase> statusBaseFromRaw(std::string_view raw);

}  // namespace TradingCore
