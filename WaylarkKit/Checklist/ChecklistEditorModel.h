#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "Base/Uuid.h"
#include "ChecklistKit/ChecklistItem.h"

namespace WaylarkKit {

// The checklist editor's transient state, shared by its views and kept while
// they are rebuilt: which field takes the focus, which item's options editor
// is open with the text typed into it, and the two-click delete. It never
// changes the checklists themselves. Main thread only.
class ChecklistEditorModel {
public:
    // An armed delete waits this long for its second click.
    static constexpr double disarmDelay = 4.0;

    explicit ChecklistEditorModel(Base::Scheduler& scheduler);
    ChecklistEditorModel(const ChecklistEditorModel&) = delete;
    ChecklistEditorModel& operator=(const ChecklistEditorModel&) = delete;

    // The item whose text field should take the focus; the field clears it
    // once it has the focus.
    const std::optional<Base::Uuid>& focusItemID() const { return focusItemID_.get(); }
    void setFocusItemID(std::optional<Base::Uuid> id) { focusItemID_.set(id); }
    [[nodiscard]] Base::Subscription observeFocusItemID(std::function<void()> o) { return focusItemID_.observe(std::move(o)); }

    // The checklist's name field should take the focus.
    bool focusName() const { return focusName_.get(); }
    void setFocusName(bool focus) { focusName_.set(focus); }
    [[nodiscard]] Base::Subscription observeFocusName(std::function<void()> o) { return focusName_.observe(std::move(o)); }

    const std::optional<Base::Uuid>& choiceEditorItemID() const { return choiceEditorItemID_.get(); }
    [[nodiscard]] Base::Subscription observeChoiceEditorItemID(std::function<void()> o) {
        return choiceEditorItemID_.observe(std::move(o));
    }

    // The options text as typed, per item, less what can never become an
    // option (see ChecklistText::keptOptionsText). Every store notifies.
    const std::unordered_map<Base::Uuid, std::string>& optionDrafts() const { return optionDrafts_; }
    void setOptionDraft(const Base::Uuid& item, std::string_view text);
    [[nodiscard]] Base::Subscription observeOptionDrafts(std::function<void()> o) {
        return optionDraftsChanged_.subscribe(std::move(o));
    }

    const std::optional<Base::Uuid>& armedDeleteID() const { return armedDeleteID_.get(); }
    [[nodiscard]] Base::Subscription observeArmedDeleteID(std::function<void()> o) {
        return armedDeleteID_.observe(std::move(o));
    }

    // One click of a two-click delete: true when the caller deletes now.
    bool requestDelete(const Base::Uuid& id);
    // Drops the pending disarm and whatever is armed.
    void disarm();

    // Opens the options editor of `item` with its options as the draft, or
    // closes it when it is the one open.
    void toggleChoiceEditor(const ChecklistKit::ChecklistItem& item);
    // Closes the options editor and drops every draft.
    void closeChoiceEditor();
    // The item's draft when it has one (even an empty one), else its options joined by ", ".
    std::string optionsText(const ChecklistKit::ChecklistItem& item) const;

private:
    Base::Scheduler& scheduler_;
    Base::Observable<std::optional<Base::Uuid>> focusItemID_;
    Base::Observable<bool> focusName_{false};
    Base::Observable<std::optional<Base::Uuid>> choiceEditorItemID_;
    std::unordered_map<Base::Uuid, std::string> optionDrafts_;
    Base::ChangeSignal optionDraftsChanged_;
    Base::Observable<std::optional<Base::Uuid>> armedDeleteID_;
    // Last: it goes first, so a pending disarm never outlives the model.
    Base::TaskHandle disarmTask_;
};

}  // namespace WaylarkKit
