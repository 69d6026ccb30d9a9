#include "SettingsKit/SettingsModel.h"

#include <algorithm>

#include "SettingsKit/SettingsText.h"

namespace SettingsKit {

SettingsModel::SettingsModel(std::shared_ptr<SettingsStore> store, Base::Scheduler& scheduler,
                             double saveDelaySeconds)
    : store_(std::move(store)),
      settings_(store_->load().value_or(AppSettings{})),
      saver_(scheduler, saveDelaySeconds, [this] { return store_->save(settings_.get()); }) {}

TradingCore::MacroSchedule SettingsModel::macroSchedule() const {
    return TradingCore::MacroSchedule::newYork(settings().lunchMacroEnabled, settings().finalMacroEnabled);
}

std::optional<bool> SettingsModel::displayChoice(const std::string& displayID) const {
    const auto& choices = displayChoices();
    if (auto found = choices.find(displayID); found != choices.end()) return found->second;
    return std::nullopt;
}

bool SettingsModel::canZoomIn() const { return TimelineZoom::stepIndex(timelineHalfSpanMinutes()) > 0; }

bool SettingsModel::canZoomOut() const {
    return TimelineZoom::stepIndex(timelineHalfSpanMinutes()) + 1 < TimelineZoom::steps.size();
}

bool SettingsModel::modify(const std::function<void(AppSettings&)>& edit) {
    AppSettings next = settings_.get();
    edit(next);
    return settings_.set(std::move(next));
}

void SettingsModel::changed() {
    if (onChange) onChange();
    saver_.request();
}

void SettingsModel::flush() { saver_.flush(); }

AppSettings SettingsModel::normalized(AppSettings s) {
    for (auto& profile : s.profiles) {
        for (auto& window : profile.windows) {
            window.name = AppSettings::cleanText(window.name, TradingCore::WindowRules::maxNameLength, true, "Window");
        }
        std::stable_sort(profile.windows.begin(), profile.windows.end(), [](const auto& a, const auto& b) {
            return a.start.minutesSinceMidnight() < b.start.minutesSinceMidnight();
        });
    }
    s.greeting.leading = AppSettings::cleanText(s.greeting.leading, GreetingSettings::maxLeadingLength, true, "");
    s.greeting.name = AppSettings::cleanText(s.greeting.name, GreetingSettings::maxNameLength, true, "");
    s.customIntervals = AppSettings::validCustoms(s.customIntervals);
    return s;
}

void SettingsModel::normalize() {
    if (settings_.set(normalized(settings_.get()))) changed();
}

Base::Status SettingsModel::saveNormalizedCopy() const { return store_->save(normalized(settings_.get())); }

void SettingsModel::update(const Base::Uuid& id, const std::function<void(TradingCore::CustomInterval&)>& edit) {
    const auto& intervals = settings().customIntervals;
    const auto found = std::find_if(intervals.begin(), intervals.end(), [&](const auto& c) { return c.id == id; });
    if (found == intervals.end()) return;
    const auto position = static_cast<std::size_t>(found - intervals.begin());
    TradingCore::CustomInterval copy = *found;
    edit(copy);
    if (copy == *found) return;
    modify([&](AppSettings& s) { s.customIntervals[position] = std::move(copy); });
    changed();
}

std::optional<std::size_t> SettingsModel::profileIndex(std::string_view name) const {
    const auto& all = profiles();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (sameText(all[i].name, name)) return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> SettingsModel::windowIndex(std::size_t profile, std::ptrdiff_t at) const {
    if (at < 0 || static_cast<std::size_t>(at) >= profiles()[profile].windows.size()) return std::nullopt;
    return static_cast<std::size_t>(at);
}

}  // namespace SettingsKit
