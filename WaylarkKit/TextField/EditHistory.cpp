#include "WaylarkKit/TextField/EditHistory.h"

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

std::optional<EditHistory::State> EditHistory::undo(const State& current) { return step(undo_, redo_, current); }

std::optional<EditHistory::State> EditHistory::redo(const State& current) { return step(redo_, undo_, current); }

std::optional<EditHistory::State> EditHistory::step(std::vector<State>& from, std::vector<State>& to,
                                                    const State& current) {
    if (from.empty()) return std::nullopt;
    State next = std::move(from.back());
    from.pop_back();
    push(to, current);
    endRun();
    return next;
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
