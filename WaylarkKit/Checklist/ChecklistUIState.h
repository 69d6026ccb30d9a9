#pragma once

#include <functional>
#include <optional>

#include "Base/Observable.h"
#include "Base/Scheduler.h"
#include "Base/Uuid.h"
#include "WaylarkKit/Checklist/EditorRequest.h"
#include "WaylarkKit/Checklist/HoldToConfirm.h"

namespace WaylarkKit {

// What the checklist tab has open, what it should scroll to and its
// hold-to-reset, kept outside the tab's views so that it outlives them. One
// for the whole run; nothing of it is saved. Main thread only. Setters notify
// only on a real change.
class ChecklistUIState {
public:
    ChecklistUIState(double resetDuration, Base::Scheduler& scheduler);
    ChecklistUIState(const ChecklistUIState&) = delete;
    ChecklistUIState& operator=(const ChecklistUIState&) = delete;

    bool isDropdownOpen() const { return isDropdownOpen_.get(); }
    void setDropdownOpen(bool open) { isDropdownOpen_.set(open); }
    [[nodiscard]] Base::Subscription observeDropdownOpen(std::function<void()> observer) {
        return isDropdownOpen_.observe(std::move(observer));
    }

    // The item whose option picker is open; at most one.
    const std::optional<Base::Uuid>& openChoiceItemID() const { return openChoiceItemID_.get(); }
    void setOpenChoiceItemID(std::optional<Base::Uuid> id) { openChoiceItemID_.set(id); }
    [[nodiscard]] Base::Subscription observeOpenChoiceItemID(std::function<void()> observer) {
        return openChoiceItemID_.observe(std::move(observer));
    }

    // A scroll request: set the target, then raise the tick; each raise scrolls once.
    const std::optional<Base::Uuid>& scrollTarget() const { return scrollTarget_.get(); }
    void setScrollTarget(std::optional<Base::Uuid> id) { scrollTarget_.set(id); }
    [[nodiscard]] Base::Subscription observeScrollTarget(std::function<void()> observer) {
        return scrollTarget_.observe(std::move(observer));
    }
    int scrollTick() const { return scrollTick_.get(); }
    void setScrollTick(int tick) { scrollTick_.set(tick); }
    [[nodiscard]] Base::Subscription observeScrollTick(std::function<void()> observer) {
        return scrollTick_.observe(std::move(observer));
    }

    HoldToConfirm& resetHold() { return resetHold_; }

    // Set once by the application core.
    void setOnOpenEditor(std::function<void(const EditorRequest&)> onOpenEditor) {
        onOpenEditor_ = std::move(onOpenEditor);
    }

    // Closes the dropdown, then forwards the request.
    void openEditor(const EditorRequest& request);
    // Opens that item's picker, closing any other, or closes it when it is the open one.
    void toggleChoice(const Base::Uuid& itemID);

private:
    Base::Observable<bool> isDropdownOpen_{false};
    Base::Observable<std::optional<Base::Uuid>> openChoiceItemID_;
    Base::Observable<std::optional<Base::Uuid>> scrollTarget_;
    Base::Observable<int> scrollTick_{0};
    HoldToConfirm resetHold_;
    std::function<void(const EditorRequest&)> onOpenEditor_;
};

}  // namespace WaylarkKit
