#include <algorithm>
#include <set>

#include "SettingsKit/SettingsModel.h"
#include "SettingsKit/SettingsText.h"

namespace SettingsKit {

void SettingsModel::setLunchMacroEnabled(bool enabled) {
    if (settings().lunchMacroEnabled == enabled) return;
    modify([&](AppSettings& s) { s.lunchMacroEnabled = enabled; });
    changed();
}

void SettingsModel::setFinalMacroEnabled(bool enabled) {
    if (settings().finalMacroEnabled == enabled) return;
    modify([&](AppSettings& s) { s.finalMacroEnabled = enabled; });
    changed();
}

void SettingsModel::setHalfSpan(int minutes) {
    if (settings().timelineHalfSpanMinutes == minutes) return;
    modify([&](AppSettings& s) { s.timelineHalfSpanMinutes = minutes; });
    changed();
}

void SettingsModel::zoomIn() {
    if (!canZoomIn()) return;
    setHalfSpan(TimelineZoom::steps[TimelineZoom::stepIndex(timelineHalfSpanMinutes()) - 1]);
}

void SettingsModel::zoomOut() {
    if (!canZoomOut()) return;
    setHalfSpan(TimelineZoom::steps[TimelineZoom::stepIndex(timelineHalfSpanMinutes()) + 1]);
}

void SettingsModel::setGreetingEnabled(bool enabled) {
    if (greeting().isEnabled == enabled) return;
    modify([&](AppSettings& s) { s.greeting.isEnabled = enabled; });
    changed();
}

void SettingsModel::setGreetingLeading(std::string_view text) {
    // Not trimmed while typing; normalize() trims.
    std::string cleaned = AppSettings::cleanText(text, GreetingSettings::maxLeadingLength, false, "");
    if (sameText(cleaned, greeting().leading)) return;
    modify([&](AppSettings& s) { s.greeting.leading = std::move(cleaned); });
    changed();
}

void SettingsModel::setGreetingName(std::string_view text) {
    std::string cleaned = AppSettings::cleanText(text, GreetingSettings::maxNameLength, false, "");
    if (sameText(cleaned, greeting().name)) return;
    modify([&](AppSettings& s) { s.greeting.name = std::move(cleaned); });
    changed();
}

void SettingsModel::restoreGreeting() {
    if (greeting() == GreetingSettings{}) return;
    modify([](AppSettings& s) { s.greeting = GreetingSettings{}; });
    changed();
}

void SettingsModel::setDisplayChoices(const std::map<std::string, bool>& choices) {
    std::map<std::string, bool> merged = displayChoices();
    std::set<std::string> answeredNow;
    for (const auto& [id, on] : choices) {
        if (!isRememberableDisplayID(id)) continue;
        // Another spelling of the same identifier gives way to this answer.
        std::erase_if(merged, [&](const auto& entry) { return entry.first != id && sameText(entry.first, id); });
        merged[id] = on;
        answeredNow.insert(id);
        std::erase_if(answeredDisplays_, [&](const std::string& old) { return sameText(old, id); });
        answeredDisplays_.push_back(id);
    }
    if (answeredDisplays_.size() > maxAnsweredDisplays) {
        answeredDisplays_.erase(answeredDisplays_.begin(),
                                answeredDisplays_.end() - static_cast<std::ptrdiff_t>(maxAnsweredDisplays));
    }
    // When the map is full, an answer just given must survive, or the same
    // display would be asked about at every connection: the oldest other
    // entry goes instead.
    while (merged.size() > DisplaySettings::maxRemembered) {
        const auto victim = oldestDisplay(merged, answeredNow);
        if (!victim) break;  // only answers of this call remain; repair keeps the lowest
        merged.erase(*victim);
    }
    DisplaySettings repaired = DisplaySettings{std::move(merged)}.validated();
    if (repaired == settings().displays) return;
    modify([&](AppSettings& s) { s.displays = std::move(repaired); });
    changed();
}

std::optional<std::string> SettingsModel::oldestDisplay(const std::map<std::string, bool>& choices,
                                                        const std::set<std::string>& keep) const {
    auto answeredThisRun = [&](const std::string& id) {
        return std::find(answeredDisplays_.begin(), answeredDisplays_.end(), id) != answeredDisplays_.end();
    };
    // Entries from earlier runs are older than any answer of this run; of
    // those, the highest identifier goes first, as repair would drop it.
    for (auto it = choices.rbegin(); it != choices.rend(); ++it) {
        if (!keep.contains(it->first) && !answeredThisRun(it->first)) return it->first;
    }
    for (const std::string& id : answeredDisplays_) {
        if (!keep.contains(id) && choices.contains(id)) return id;
    }
    return std::nullopt;
}

void SettingsModel::updateCalculator(const std::function<void(CalculatorKit::CalculatorSettings&)>& edit) {
    CalculatorKit::CalculatorSettings copy = calculator();
    edit(copy);
    CalculatorKit::CalculatorSettings repaired = copy.validated();
    if (repaired == calculator()) return;
    modify([&](AppSettings& s) { s.calculator = std::move(repaired); });
    changed();
}

}  // namespace SettingsKit
