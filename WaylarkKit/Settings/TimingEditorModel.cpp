#include "WaylarkKit/Settings/TimingEditorModel.h"

#include <algorithm>

#include "SettingsKit/SettingsModel.h"

namespace WaylarkKit {

using SettingsKit::CustomTimesResult;
using SettingsKit::WindowTimesResult;
using TradingCore::WallClockTime;
using Issue = TradingCore::WindowRules::Issue;

namespace {

const char* const windowTimeHint = "Use HH:MM, like 09:30 (New York time).";
const char* const customTimeHint = "Use HH:MM, like 10:00 (New York time).";

std::string quoted(std::string_view name) { return "\u201C" + std::string(name) + "\u201D"; }

std::string zeroLengthMessage(std::string_view name) { return quoted(name) + " can't start and end at the same time."; }

}  // namespace

std::optional<std::string> TimingEditorModel::draft(const std::string& key) const {
    const auto found = drafts().find(key);
    if (found == drafts().end()) return std::nullopt;
    return found->second;
}

void TimingEditorModel::keepDraft(const std::string& key, std::string_view text) {
    Drafts next = drafts();
    next[key] = std::string(text);
    drafts_.set(std::move(next));
}

void TimingEditorModel::dropDraft(const std::string& key) {
    if (!drafts().contains(key)) return;
    Drafts next = drafts();
    next.erase(key);
    drafts_.set(std::move(next));
}

void TimingEditorModel::commit(std::string_view text, bool start, std::string_view profile, std::ptrdiff_t position,
                               SettingsKit::SettingsModel& settings) {
    const std::string key = windowDraftKey(profile, position, start);
    const auto& profiles = settings.profiles();
    const auto found = std::find_if(profiles.begin(), profiles.end(), [&](const auto& p) { return p.name == profile; });
    if (found == profiles.end()) return;
    if (position < 0 || static_cast<std::size_t>(position) >= found->windows.size()) return;
    const std::string name = found->name;
    const TradingCore::SessionWindow window = found->windows[static_cast<std::size_t>(position)];

    const std::optional<WallClockTime> parsed = WallClockTime::fromText(text);
    if (!parsed) {
        keepDraft(key, text);
        message_.set(text.empty() ? std::nullopt : std::optional<std::string>(windowTimeHint));
        return;
    }
    const WindowTimesResult result = settings.setTimes(name, position, start ? *parsed : window.start,
                                                       start ? window.end : *parsed);
    switch (result.outcome) {
        case WindowTimesResult::Outcome::accepted:
            dropDraft(key);
            message_.set(std::nullopt);
            return;
        case WindowTimesResult::Outcome::refused:
            keepDraft(key, text);
            message_.set(describe(result.issue.value_or(Issue::tooMany())));
            return;
        case WindowTimesResult::Outcome::invalidTime:
            // A parsed time is always within the day; should the store still
            // refuse it, the field tells the user the form, as for any bad text.
            keepDraft(key, text);
            message_.set(windowTimeHint);
            return;
        case WindowTimesResult::Outcome::notFound:
            return;  // looked up above on this same turn; nothing to tell
    }
}

void TimingEditorModel::commitCustom(std::string_view text, bool start, const Base::Uuid& id,
                                     SettingsKit::SettingsModel& settings) {
    const std::string key = customDraftKey(id, start);
    const auto& intervals = settings.customIntervals();
    const auto found = std::find_if(intervals.begin(), intervals.end(), [&](const auto& c) { return c.id == id; });
    if (found == intervals.end()) return;
    const TradingCore::CustomInterval interval = *found;

    const std::optional<WallClockTime> parsed = WallClockTime::fromText(text);
    if (!parsed) {
        keepDraft(key, text);
        message_.set(text.empty() ? std::nullopt : std::optional<std::string>(customTimeHint));
        return;
    }
    switch (settings.setCustomTimes(id, start ? *parsed : interval.start, start ? interval.end : *parsed)) {
        case CustomTimesResult::accepted:
            dropDraft(key);
            message_.set(std::nullopt);
            return;
        case CustomTimesResult::zeroLength:
            keepDraft(key, text);
            message_.set(zeroLengthMessage(interval.name));
            return;
        case CustomTimesResult::invalidTime:
            keepDraft(key, text);
            message_.set(customTimeHint);
            return;
        case CustomTimesResult::notFound:
            return;
    }
}

void TimingEditorModel::endEditing() {
    drafts_.set({});
    message_.set(std::nullopt);
}

void TimingEditorModel::reset() {
    endEditing();
    disarm();
}

void TimingEditorModel::selectProfile(std::string_view name, SettingsKit::SettingsModel& settings) {
    reset();
    setSection(Section::profile);
    settings.setActiveProfile(std::string(name));
}

void TimingEditorModel::showSection(Section section) {
    reset();
    setSection(section);
}

void TimingEditorModel::clickRestore(std::string_view profile, SettingsKit::SettingsModel& settings) {
    endEditing();
    if (requestRestore()) settings.restoreDefaults(std::string(profile));
}

void TimingEditorModel::addWindow(std::string_view profile, SettingsKit::SettingsModel& settings) {
    reset();
    const std::string name(profile);  // the settings change under a view of its text
    if (const auto position = settings.addWindow(name)) {
        setFocusWindowKey(windowRowKey(name, static_cast<std::ptrdiff_t>(*position)));
    }
}

void TimingEditorModel::removeWindow(std::string_view profile, std::ptrdiff_t position,
                                     SettingsKit::SettingsModel& settings) {
    reset();
    settings.removeWindow(std::string(profile), position);
}

void TimingEditorModel::addCustom(SettingsKit::SettingsModel& settings) {
    reset();
    setSection(Section::customs);
    if (const auto id = settings.addCustomInterval()) setFocusCustomID(*id);
}

void TimingEditorModel::removeCustom(const Base::Uuid& id, SettingsKit::SettingsModel& settings) {
    reset();
    setSection(Section::customs);
    settings.removeCustomInterval(Base::Uuid(id));
}

std::string TimingEditorModel::describe(const Issue& issue) {
    switch (issue.kind) {
        case Issue::Kind::zeroLength:
            return zeroLengthMessage(issue.first);
        case Issue::Kind::overlap:
            return quoted(issue.first) + " and " + quoted(issue.second) + " would overlap. Touching is fine.";
        case Issue::Kind::tooMany:
            break;
    }
    return "At most " + std::to_string(TradingCore::WindowRules::maxWindows) + " windows per profile.";
}

std::string TimingEditorModel::windowRowKey(std::string_view profile, std::ptrdiff_t position) {
    return std::string(profile) + "|" + std::to_string(position);
}

std::string TimingEditorModel::windowDraftKey(std::string_view profile, std::ptrdiff_t position, bool start) {
    return windowRowKey(profile, position) + (start ? "|s" : "|e");
}

std::string TimingEditorModel::customDraftKey(const Base::Uuid& id, bool start) {
    return "custom|" + id.text() + (start ? "|s" : "|e");
}

std::string TimingEditorModel::timeFieldText(const std::optional<std::string>& draft, const WallClockTime& stored,
                                             std::string_view fieldText, bool focused) {
    if (draft) return *draft;
    if (focused && WallClockTime::fromText(fieldText) == stored) return std::string(fieldText);
    return stored.text();
}

}  // namespace WaylarkKit
