#include "SettingsKit/NewsRuleLimits.h"

#include <algorithm>
#include <cmath>

#include "SettingsKit/AppSettings.h"

namespace SettingsKit::NewsRuleLimits {

namespace {

constexpr double standardBlackoutSeconds = 300;
constexpr double standardLeadSeconds = 900;

double wholeMinutes(double seconds) {
    if (!std::isfinite(seconds)) return standardBlackoutSeconds;
    const double minutes = std::clamp(std::round(seconds / 60.0), 0.0, static_cast<double>(maxMinutes));
    return minutes * 60.0;
}

}  // namespace

TradingCore::NewsRule standardRule() {
    return TradingCore::NewsRule{{"USD"},
                                 {TradingCore::NewsImpact::high},
                                 standardBlackoutSeconds,
                                 standardBlackoutSeconds,
                                 standardLeadSeconds};
}

TradingCore::NewsRule sanitized(const TradingCore::NewsRule& rule) {
    TradingCore::NewsRule result;
    // Valid codes are ASCII, so the set's byte order is the text order.
    for (const std::string& code : rule.currencies) {
        if (result.currencies.size() == maxCurrencies) break;
        if (AppSettings::isCurrencyCode(code)) result.currencies.insert(code);
    }
    result.impacts.insert(TradingCore::NewsImpact::high);
    if (rule.impacts.contains(TradingCore::NewsImpact::medium)) {
        result.impacts.insert(TradingCore::NewsImpact::medium);
    }
    result.beforeSeconds = wholeMinutes(rule.beforeSeconds);
    result.afterSeconds = wholeMinutes(rule.afterSeconds);
    result.leadSeconds = standardLeadSeconds;
    return result;
}

}  // namespace SettingsKit::NewsRuleLimits
