#include "WaylarkKit/Checklist/EditHistory.h"

namespace WaylarkKit {

void EditHistory::record(const State& before, Edit edit, const State& after) {
    // The model kept nothing of it: nothing to take back.
    if (before.text == after.text) return;
    const bool extendsRun = edit != Edit::other && edit == run_ && runEnd_ == before;
    if (!extendsRun) push(undo_, before);
    redo_.clear();
    run_ = edit;
    runEnd_ = after;
}

std::optional<EditHistory::State> EditHistory::undo(const State& current) {
    if (undo_.empty()) return std::nullopt;
    State back = std::move(undo_.back());
    undo_.pop_back();
    push(redo_, current);
    endRun();
    return back;
}

std::optional<EditHistory::State> EditHistory::redo(const State& current) {
    if (redo_.empty()) return std::nullopt;
    State forward = std::move(redo_.back());
    redo_.pop_back();
    push(undo_, current);
    endRun();
    return forward;
}

void EditHistory::clear() {
    undo_.clear();
    redo_.clear();
    endRun();
}

void EditHistory::push(std::vector<State>& steps, const State& state) {
    steps.push_back(state);
    if (steps.size() > maxSteps) steps.erase(steps.begin());
}

}  // namespace WaylarkKit
