#include <algorithm>
#include <set>

#include "Base/Text.h"
#include "SettingsKit/AppSettings.h"
#include "SettingsKit/SettingsText.h"
#include "SettingsKit/WallClockRange.h"
#include "TradingCore/Model/WindowRules.h"

namespace SettingsKit {

namespace {

using TradingCore::CustomInterval;
using TradingCore::SessionProfile;
using TradingCore::SessionWindow;

// The stored windows of a built-in profile, or nothing when they cannot be
// trusted (the preset windows then come back).
std::optional<std::vector<SessionWindow>> usableWindows(const SessionProfile& stored) {
    std::vector<SessionWindow> windows;
    for (const SessionWindow& window : stored.windows) {
        if (windows.size() == static_cast<std::size_t>(TradingCore::WindowRules::maxWindows)) break;
        // A hand-edited time outside the day would be read by the engine as
        // some other time, or not at all: the profile counts as broken.
        if (!isWithinDay(window.start) || !isWithinDay(window.end)) return std::nullopt;
        SessionWindow kept = window;
        kept.name = AppSettings::cleanText(window.name, TradingCore::WindowRules::maxNameLength, true, "Window");
        windows.push_back(std::move(kept));
    }
    if (TradingCore::WindowRules::issue(windows)) return std::nullopt;
    return windows;
}

std::vector<SessionProfile> repairedProfiles(const std::vector<SessionProfile>& stored) {
    std::vector<SessionProfile> result;
    for (SessionProfile preset : SessionProfile::defaults()) {
        const auto match = std::find_if(stored.begin(), stored.end(),
                                        [&](const SessionProfile& p) { return sameText(p.name, preset.name); });
        if (match != stored.end()) {
            if (auto windows = usableWindows(*match)) preset.windows = std::move(*windows);
        }
        result.push_back(std::move(preset));
    }
    return result;
}

}  // namespace

std::string AppSettings::cleanText(std::string_view text, std::size_t maxLength, bool trimmed,
                                   std::string_view emptyFallback) {
    std::string cleaned = Base::Text::cleanUserText(text, maxLength, trimmed);
    // The trim comes before the cut, so only a blank text ends up empty here.
    if (trimmed && cleaned.empty()) cleaned = Base::Text::graphemePrefix(emptyFallback, maxLength);
    return cleaned;
}

bool AppSettings::isCurrencyCode(std::string_view text) {
    // Bytes are characters here: every accepted byte is an ASCII letter, and
    // anything else (a combining mark, a multi-byte letter) is refused.
    return text.size() == 3 && std::all_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

std::vector<CustomInterval> AppSettings::validCustoms(const std::vector<CustomInterval>& intervals) {
    std::vector<CustomInterval> result;
    std::set<Base::Uuid> accepted;
    for (const CustomInterval& interval : intervals) {
        if (result.size() == static_cast<std::size_t>(TradingCore::CustomIntervalRules::maxCount)) break;
        if (interval.start == interval.end) continue;
        // Times outside the day are dropped with the interval rather than
        // handed to the engine; like a zero-length one, it claims no id.
        if (!isWithinDay(interval.start) || !isWithinDay(interval.end)) continue;
        if (!accepted.insert(interval.id).second) continue;
        CustomInterval kept = interval;
        kept.name = cleanText(interval.name, TradingCore::CustomIntervalRules::maxNameLength, true, "Custom");
        if (kept.weekdays.empty()) kept.weekdays = TradingCore::workDays();
        result.push_back(std::move(kept));
    }
    return result;
}

AppSettings AppSettings::validated() const {
    AppSettings result;
    result.version = currentVersion;
    result.profiles = repairedProfiles(profiles);
    const auto active = std::find_if(result.profiles.begin(), result.profiles.end(),
                                     [&](const SessionProfile& p) { return sameText(p.name, activeProfileName); });
    result.activeProfileName = active != result.profiles.end() ? active->name : SessionProfile::newYork().name;
    result.weeklyCurrency = isCurrencyCode(weeklyCurrency) ? weeklyCurrency : "USD";
    result.weeklyIncludeMedium = weeklyIncludeMedium;
    result.newsRule = NewsRuleLimits::sanitized(newsRule);
    result.greeting.isEnabled = greeting.isEnabled;
    result.greeting.leading = cleanText(greeting.leading, GreetingSettings::maxLeadingLength, true, "");
    result.greeting.name = cleanText(greeting.name, GreetingSettings::maxNameLength, true, "");
    result.timelineHalfSpanMinutes = TimelineZoom::isStep(timelineHalfSpanMinutes) ? timelineHalfSpanMinutes
                                                                                  : TimelineZoom::defaultMinutes;
    result.customIntervals = validCustoms(customIntervals);
    result.lunchMacroEnabled = lunchMacroEnabled;
    result.finalMacroEnabled = finalMacroEnabled;
    result.calculator = calculator.validated();
    result.displays = displays.validated();
    return result;
}

}  // namespace SettingsKit
