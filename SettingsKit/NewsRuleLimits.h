#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "TradingCore/Model/NewsRule.h"

namespace SettingsKit {

namespace NewsRuleLimits {
inline constexpr int maxMinutes = 60;
inline constexpr std::size_t maxCurrencies = 12;
// The currencies the news-rule editor offers, in this order.
inline constexpr std::array<std::string_view, 8> offeredCurrencies{"USD", "EUR", "GBP", "JPY",
                                                                   "CAD", "AUD", "NZD", "CHF"};

// High-impact US-dollar releases, 5 minutes either side, shown 15 minutes ahead.
TradingCore::NewsRule standardRule();

// Only valid currency codes (the first 12 in text order); impacts high, plus
// medium when asked; whole minutes from 0 to 60 either side; a 15-minute lead.
TradingCore::NewsRule sanitized(const TradingCore::NewsRule& rule);
}  // namespace NewsRuleLimits

}  // namespace SettingsKit
