#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Base/DebouncedSave.h"
#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "Base/Uuid.h"
#include "ChecklistKit/ChecklistProgress.h"
#include "ChecklistKit/ChecklistState.h"
#include "ChecklistKit/ChecklistStore.h"

namespace ChecklistKit {

// The live checklists of the whole run: answers what the checklist views ask,
// carries out every change and saves the document through its store, once per
// burst of changes, `saveDelay` seconds after the last one. Main thread only.
class ChecklistModel final {
public:
    // Starts from the store's document, or from the empty one; writes nothing.
    // A zero `saveDelay` saves every change at once.
    ChecklistModel(std::shared_ptr<ChecklistStore> store, Base::Scheduler& scheduler, double saveDelay);
    ~ChecklistModel();
    ChecklistModel(const ChecklistModel&) = delete;
    ChecklistModel& operator=(const ChecklistModel&) = delete;

    const ChecklistState& state() const { return state_; }
    double saveDelay() const { return saver_.delay(); }
    // True after a save failed, false again after one succeeded.
    bool lastSaveFailed() const { return saver_.lastSaveFailed(); }

    // Called after every operation that really changed the document.
    [[nodiscard]] Base::Subscription observeState(std::function<void()> observer);
    [[nodiscard]] Base::Subscription observeLastSaveFailed(std::function<void()> observer);

    // Queries, computed afresh on every call.
    const std::vector<ChecklistTemplate>& templates() const { return state_.templates; }
    bool hasNoTemplates() const { return state_.templates.empty(); }
    // The template the active id names; none when it names none.
    std::optional<ChecklistTemplate> activeTemplate() const;
    // The active template's counted (non-blank) items.
    std::vector<ChecklistItem> activeItems() const;
    // Ticked counted items of the active template, out of its counted items.
    std::optional<ChecklistProgress> progress() const;
    // Answered from the entries stored under the active id, whether or not a
    // template or a counted item still has it.
    bool isChecked(const Base::Uuid& item) const;
    std::optional<std::string> choice(const Base::Uuid& item) const;
    std::optional<ChecklistTemplate> templateWithID(const Base::Uuid& id) const;

    // Ticks and choices of the active template's counted items. An item with
    // options is ticked only by choosing one; toggling it off clears its choice.
    void toggle(const Base::Uuid& item);
    // None clears the choice and the tick; an option the item does not offer
    // changes nothing.
    void setChoice(const std::optional<std::string>& option, const Base::Uuid& item);
    // Clears every tick and choice of the active template; always saves.
    void resetActive();
    void selectTemplate(const Base::Uuid& id);

    // Editing. Every operation that names a template or item no one has does nothing.
    // Returns none at 30 templates. A blank name becomes "New checklist".
    std::optional<Base::Uuid> createTemplate(std::string_view name);
    // The cleaned name is stored untrimmed, even when empty.
    void renameTemplate(const Base::Uuid& id, std::string_view name);
    // Deleting the active template activates the first remaining one.
    void deleteTemplate(const Base::Uuid& id);
    // Returns none when the template is missing or holds 60 items.
    std::optional<Base::Uuid> addItem(const Base::Uuid& to, std::string_view text);
    // Keeps the item's tick and choice, even when the new text is blank.
    void updateItem(const Base::Uuid& item, const Base::Uuid& in, std::string_view text);
    // Drops a choice the new options no longer offer, and a tick when the
    // item turns from a plain item into a question or back.
    void setOptions(const std::vector<std::string>& options, const Base::Uuid& item, const Base::Uuid& in);
    // Drops the item's tick and choice; always saves.
    void removeItem(const Base::Uuid& item, const Base::Uuid& from);
    // Moves by `offset` places, clamped to the ends of the template.
    void moveItem(const Base::Uuid& item, const Base::Uuid& in, int offset);

    // Repairs the document in memory; notifies and saves only when that changed it.
    void normalize();
    // Saves the document as `normalize` would leave it, straight to the store:
    // the document, its observers and any pending save are left alone. For
    // the last moment of a process that ends without unwinding its stack.
    Base::Status saveNormalizedCopy() const;
    // Saves now, cancelling the pending save; writes even when nothing changed.
    void flush();

private:
    ChecklistTemplate* findTemplate(const Base::Uuid& id);
    ChecklistTemplate* activeTemplateInState();
    // The active template and its first non-blank item with that id.
    std::pair<ChecklistTemplate*, const ChecklistItem*> resolveActive(const Base::Uuid& item);

    bool isChecked(const Base::Uuid& item, const Base::Uuid& in) const;
    void addTick(const std::string& templateKey, const std::string& itemKey);
    void clearChoice(const Base::Uuid& item, const Base::Uuid& in);
    void uncheck(const Base::Uuid& item, const Base::Uuid& in);

    // Runs `edit` on the document, notifies when it really changed something,
    // then schedules the save (also when it changed nothing).
    void apply(const std::function<void()>& edit);
    void changed();

    std::shared_ptr<ChecklistStore> store_;
    ChecklistState state_;
    Base::ChangeSignal stateChanged_;
    // Last: it goes first, cancelling a pending save before the rest of the model.
    Base::DebouncedSave saver_;
};

}  // namespace ChecklistKit
