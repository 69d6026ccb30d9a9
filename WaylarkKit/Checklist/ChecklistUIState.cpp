#include "WaylarkKit/Checklist/ChecklistUIState.h"

namespace WaylarkKit {

ChecklistUIState::ChecklistUIState(double resetDuration, Base::Scheduler& scheduler)
    : resetHold_(resetDuration, scheduler) {}

void ChecklistUIState::openEditor(const EditorRequest& request) {
    isDropdownOpen_.set(false);
    if (onOpenEditor_) onOpenEditor_(request);
}

void ChecklistUIState::toggleChoice(const Base::Uuid& itemID) {
    if (openChoiceItemID_.get() == itemID) {
        openChoiceItemID_.set(std::nullopt);
    } else {
        openChoiceItemID_.set(itemID);
    }
}

}  // namespace WaylarkKit
