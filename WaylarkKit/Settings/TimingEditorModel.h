#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "Base/Uuid.h"
#include "TradingCore/Model/WallClockTime.h"
#include "TradingCore/Model/WindowRules.h"
#include "WaylarkKit/Settings/RestoreArming.h"

namespace SettingsKit {
class SettingsModel;
}

namespace WaylarkKit {

// The editing state of the timing editor: half-typed times that were not
// accepted (drafts, by field key), the one message line, the two-click
// restore, the page shown and the freshly added row that takes the focus. It
// holds no settings: accepted changes go to the settings model at once.
class TimingEditorModel {
public:
    enum class Section { profile, customs, macros };
    using Drafts = std::map<std::string, std::string>;

    explicit TimingEditorModel(Base::Scheduler& scheduler) : restore_(scheduler) {}
    TimingEditorModel(const TimingEditorModel&) = delete;
    TimingEditorModel& operator=(const TimingEditorModel&) = delete;

    const Drafts& drafts() const { return drafts_.get(); }
    std::optional<std::string> draft(const std::string& key) const;
    const std::optional<std::string>& message() const { return message_.get(); }
    bool armedRestore() const { return restore_.isArmed(); }
    Section section() const { return section_.get(); }
    void setSection(Section section) { section_.set(section); }
    // The row key of a window just added, whose name field is to take the focus.
    const std::optional<std::string>& focusWindowKey() const { return focusWindowKey_.get(); }
    void setFocusWindowKey(std::optional<std::string> key) { focusWindowKey_.set(std::move(key)); }
    // The custom time just added, whose name field is to take the focus.
    const std::optional<Base::Uuid>& focusCustomID() const { return focusCustomID_.get(); }
    void setFocusCustomID(std::optional<Base::Uuid> id) { focusCustomID_.set(std::move(id)); }

    [[nodiscard]] Base::Subscription observeDrafts(std::function<void()> o) { return drafts_.observe(std::move(o)); }
    [[nodiscard]] Base::Subscription observeMessage(std::function<void()> o) { return message_.observe(std::move(o)); }
    [[nodiscard]] Base::Subscription observeArmedRestore(std::function<void()> o) { return restore_.observe(std::move(o)); }
    [[nodiscard]] Base::Subscription observeSection(std::function<void()> o) { return section_.observe(std::move(o)); }
    [[nodiscard]] Base::Subscription observeFocusWindowKey(std::function<void()> o) {
        return focusWindowKey_.observe(std::move(o));
    }
    [[nodiscard]] Base::Subscription observeFocusCustomID(std::function<void()> o) {
        return focusCustomID_.observe(std::move(o));
    }

    // A window's start (or end) field changed to `text`: stored when it reads
    // as a time the window rules accept, else kept as the field's draft with
    // the reason in the message line. An unknown profile or position does nothing.
    void commit(std::string_view text, bool start, std::string_view profile, std::ptrdiff_t position,
                SettingsKit::SettingsModel& settings);
    // The same for a custom time, by its identifier.
    void commitCustom(std::string_view text, bool start, const Base::Uuid& id, SettingsKit::SettingsModel& settings);
    // Editing in a time field ended: every draft and the message go.
    void endEditing();
    void disarm() { restore_.disarm(); }
    // True when this click confirms; the caller then restores the profile.
    bool requestRestore() { return restore_.request(); }
    // Drafts, message and arming go; the page and the focus requests stay.
    void reset();

    // The pages' controls, each calling in the order a click does.
    // A sidebar profile row: the page shows that profile, which the island follows.
    void selectProfile(std::string_view name, SettingsKit::SettingsModel& settings);
    // The "Custom times" or "Macros" row.
    void showSection(Section section);
    // The profile page's two-click "Restore defaults".
    void clickRestore(std::string_view profile, SettingsKit::SettingsModel& settings);
    // "Add window": the new row's name field is asked to take the focus.
    void addWindow(std::string_view profile, SettingsKit::SettingsModel& settings);
    void removeWindow(std::string_view profile, std::ptrdiff_t position, SettingsKit::SettingsModel& settings);
    // "Add custom time": the new row's name field is asked to take the focus.
    void addCustom(SettingsKit::SettingsModel& settings);
    void removeCustom(const Base::Uuid& id, SettingsKit::SettingsModel& settings);

    static std::string describe(const TradingCore::WindowRules::Issue& issue);

    // "NY|2": a window's row, by profile name and position.
    static std::string windowRowKey(std::string_view profile, std::ptrdiff_t position);
    // "NY|2|s" or "NY|2|e".
    static std::string windowDraftKey(std::string_view profile, std::ptrdiff_t position, bool start);
    // "custom|<ID>|s" or "custom|<ID>|e".
    static std::string customDraftKey(const Base::Uuid& id, bool start);

    // What a time field shows. A draft wins. Otherwise the stored time as
    // "HH:MM" -- except while the user is typing in the field and its text
    // already reads as the stored time: rewriting "9:30" to "09:30" under the
    // caret would move the caret and the text the user is typing.
    static std::string timeFieldText(const std::optional<std::string>& draft, const TradingCore::WallClockTime& stored,
                                     std::string_view fieldText, bool focused);

private:
    void keepDraft(const std::string& key, std::string_view text);
    void dropDraft(const std::string& key);

    Base::Observable<Drafts> drafts_;
    Base::Observable<std::optional<std::string>> message_;
    Base::Observable<Section> section_{Section::profile};
    Base::Observable<std::optional<std::string>> focusWindowKey_;
    Base::Observable<std::optional<Base::Uuid>> focusCustomID_;
    RestoreArming restore_;
};

}  // namespace WaylarkKit
