#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "CalculatorKit/CalculatorSettings.h"
#include "SettingsKit/DisplaySettings.h"
#include "SettingsKit/GreetingSettings.h"
#include "SettingsKit/NewsRuleLimits.h"
#include "SettingsKit/SettingsLimits.h"
#include "TradingCore/Model/CustomInterval.h"
#include "TradingCore/Model/NewsRule.h"
#include "TradingCore/Model/SessionProfile.h"

namespace SettingsKit {

// Every user setting, as kept in the settings file. A default-built record is
// the settings of a first start.
struct AppSettings {
    static constexpr std::int64_t currentVersion = 1;

    std::int64_t version = currentVersion;
    std::vector<TradingCore::SessionProfile> profiles = TradingCore::SessionProfile::defaults();
    std::string activeProfileName = TradingCore::SessionProfile::newYork().name;
    std::string weeklyCurrency = "USD";
    bool weeklyIncludeMedium = false;
    TradingCore::NewsRule newsRule = NewsRuleLimits::standardRule();
    GreetingSettings greeting;
    int timelineHalfSpanMinutes = TimelineZoom::defaultMinutes;
    std::vector<TradingCore::CustomInterval> customIntervals;
    bool lunchMacroEnabled = true;
    bool finalMacroEnabled = true;
    CalculatorKit::CalculatorSettings calculator;
    DisplaySettings displays;

    // The profile named `activeProfileName`, else the built-in New York
    // preset (never a stored profile of that name).
    TradingCore::SessionProfile activeProfile() const;

    // A copy in which every field can be relied on; never fails. Loaded
    // records pass through it before anyone uses them.
    AppSettings validated() const;

    // The one cleaner of user text in the settings: tab, line feed and
    // carriage return become a space, other Cc/Cf characters go; with
    // `trimmed`, spaces and tabs go from both ends and a blank result becomes
    // `emptyFallback`; then the text is cut to `maxLength` characters.
    static std::string cleanText(std::string_view text, std::size_t maxLength, bool trimmed,
                                 std::string_view emptyFallback);
    // Exactly three ASCII capital letters.
    static bool isCurrencyCode(std::string_view text);
    // Zero-length and repeated intervals dropped, names cleaned, empty weekday
    // sets made work days, at most five kept.
    static std::vector<TradingCore::CustomInterval> validCustoms(
        const std::vector<TradingCore::CustomInterval>& intervals);

    bool operator==(const AppSettings& other) const;
};

// The settings document: every key always written; see the reading rules
// beside the decoder.
Base::Json toJson(const AppSettings& settings);
Base::Result<AppSettings> appSettingsFromJson(const Base::Json& json);

}  // namespace SettingsKit
