#include "WaylarkKit/Checklist/ChecklistEditorModel.h"

#include "ChecklistKit/ChecklistText.h"

namespace WaylarkKit {

namespace {

std::string joined(const std::vector<std::string>& options) {
    std::string text;
    for (const std::string& option : options) {
        if (!text.empty()) text += ", ";
        text += option;
    }
    return text;
}

}  // namespace

ChecklistEditorModel::ChecklistEditorModel(Base::Scheduler& scheduler) : scheduler_(scheduler) {}

void ChecklistEditorModel::setOptionDraft(const Base::Uuid& item, std::string_view text) {
    optionDrafts_[item] = ChecklistKit::ChecklistText::keptOptionsText(text);
    optionDraftsChanged_.notify();
}

bool ChecklistEditorModel::requestDelete(const Base::Uuid& id) {
    if (armedDeleteID_.get() == id) {
        disarm();
        return true;
    }
    armedDeleteID_.set(id);
    // Each arming gets the full delay; the handle is replaced, so a disarm
    // that was due for an earlier arming never clears this one.
    disarmTask_ = scheduler_.schedule(disarmDelay, [this] { armedDeleteID_.set(std::nullopt); });
    return false;
}

void ChecklistEditorModel::disarm() {
    disarmTask_.cancel();
    armedDeleteID_.set(std::nullopt);
}

void ChecklistEditorModel::toggleChoiceEditor(const ChecklistKit::ChecklistItem& item) {
    if (choiceEditorItemID_.get() == item.id) {
        closeChoiceEditor();
        return;
    }
    choiceEditorItemID_.set(item.id);
    setOptionDraft(item.id, joined(item.options));
}

void ChecklistEditorModel::closeChoiceEditor() {
    choiceEditorItemID_.set(std::nullopt);
    optionDrafts_.clear();
    optionDraftsChanged_.notify();
}

std::string ChecklistEditorModel::optionsText(const ChecklistKit::ChecklistItem& item) const {
    const auto draft = optionDrafts_.find(item.id);
    return draft != optionDrafts_.end() ? draft->second : joined(item.options);
}

}  // namespace WaylarkKit
