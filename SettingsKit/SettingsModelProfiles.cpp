#include <algorithm>

#include "SettingsKit/SettingsModel.h"
#include "SettingsKit/SettingsText.h"
#include "SettingsKit/WallClockRange.h"

namespace SettingsKit {

using TradingCore::SessionWindow;
using TradingCore::WallClockTime;
namespace WindowRules = TradingCore::WindowRules;

void SettingsModel::setActiveProfile(std::string_view name) {
    const auto index = profileIndex(name);
    if (!index) return;
    const std::string& stored = profiles()[*index].name;
    if (settings().activeProfileName == stored) return;
    modify([&](AppSettings& s) { s.activeProfileName = stored; });
    changed();
}

std::optional<std::size_t> SettingsModel::addWindow(std::string_view profile) {
    const auto index = profileIndex(profile);
    if (!index) return std::nullopt;
    const std::vector<SessionWindow>& windows = profiles()[*index].windows;
    if (windows.size() >= static_cast<std::size_t>(WindowRules::maxWindows)) return std::nullopt;
    for (int hour = 0; hour < 24; ++hour) {
        std::vector<SessionWindow> candidate = windows;
        candidate.push_back(SessionWindow{"New window", WallClockTime(hour, 0), WallClockTime((hour + 1) % 24, 0)});
        if (WindowRules::issue(candidate)) continue;
        const std::size_t position = windows.size();
        modify([&](AppSettings& s) { s.profiles[*index].windows = std::move(candidate); });
        changed();
        return position;
    }
    return std::nullopt;
}

void SettingsModel::renameWindow(std::string_view profile, std::ptrdiff_t at, std::string_view name) {
    const auto index = profileIndex(profile);
    if (!index) return;
    const auto window = windowIndex(*index, at);
    if (!window) return;
    const std::string cleaned = AppSettings::cleanText(name, WindowRules::maxNameLength, false, "");
    modify([&](AppSettings& s) { s.profiles[*index].windows[*window].name = cleaned; });
    changed();  // always: the editor relies on a rename being written
}

WindowTimesResult SettingsModel::setTimes(std::string_view profile, std::ptrdiff_t at, WallClockTime start,
                                          WallClockTime end) {
    const auto index = profileIndex(profile);
    if (!index) return WindowTimesResult::notFound();
    const auto window = windowIndex(*index, at);
    if (!window) return WindowTimesResult::notFound();
    if (!isWithinDay(start) || !isWithinDay(end)) return WindowTimesResult::invalidTime();
    std::vector<SessionWindow> windows = profiles()[*index].windows;
    windows[*window].start = start;
    windows[*window].end = end;
    if (auto issue = WindowRules::issue(windows)) return WindowTimesResult::refused(std::move(*issue));
    modify([&](AppSettings& s) { s.profiles[*index].windows = std::move(windows); });
    changed();
    return WindowTimesResult::accepted();
}

void SettingsModel::removeWindow(std::string_view profile, std::ptrdiff_t at) {
    const auto index = profileIndex(profile);
    if (!index) return;
    const auto window = windowIndex(*index, at);
    if (!window) return;
    modify([&](AppSettings& s) {
        auto& windows = s.profiles[*index].windows;
        windows.erase(windows.begin() + static_cast<std::ptrdiff_t>(*window));
    });
    changed();
}

void SettingsModel::restoreDefaults(std::string_view profile) {
    const auto index = profileIndex(profile);
    if (!index) return;
    const auto presets = TradingCore::SessionProfile::defaults();
    const auto preset = std::find_if(presets.begin(), presets.end(),
                                     [&](const auto& p) { return sameText(p.name, profile); });
    if (preset == presets.end()) return;
    modify([&](AppSettings& s) { s.profiles[*index] = *preset; });
    changed();
}

void SettingsModel::setWeeklyCurrency(std::string_view code) {
    if (!AppSettings::isCurrencyCode(code) || settings().weeklyCurrency == code) return;
    modify([&](AppSettings& s) { s.weeklyCurrency = std::string(code); });
    changed();
}

void SettingsModel::setWeeklyIncludeMedium(bool include) {
    if (settings().weeklyIncludeMedium == include) return;
    modify([&](AppSettings& s) { s.weeklyIncludeMedium = include; });
    changed();
}

void SettingsModel::apply(const TradingCore::NewsRule& proposal) {
    TradingCore::NewsRule repaired = NewsRuleLimits::sanitized(proposal);
    if (repaired == settings().newsRule) return;
    modify([&](AppSettings& s) { s.newsRule = std::move(repaired); });
    changed();
}

void SettingsModel::setBlackoutMinutes(std::optional<double> before, std::optional<double> after) {
    TradingCore::NewsRule proposal = newsRule();
    if (before) proposal.beforeSeconds = *before * 60;
    if (after) proposal.afterSeconds = *after * 60;
    apply(proposal);
}

void SettingsModel::setBlackoutIncludesMedium(bool include) {
    TradingCore::NewsRule proposal = newsRule();
    if (include) {
        proposal.impacts.insert(TradingCore::NewsImpact::medium);
    } else {
        proposal.impacts.erase(TradingCore::NewsImpact::medium);
    }
    apply(proposal);
}

void SettingsModel::setBlackoutCurrency(std::string_view code, bool enabled) {
    if (!AppSettings::isCurrencyCode(code)) return;
    TradingCore::NewsRule proposal = newsRule();
    if (enabled) {
        proposal.currencies.insert(std::string(code));
    } else {
        proposal.currencies.erase(std::string(code));
    }
    apply(proposal);
}

void SettingsModel::restoreNewsRule() { apply(NewsRuleLimits::standardRule()); }

}  // namespace SettingsKit
