#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace WaylarkKit {

// The steps the shared text field goes back and forth through: what it showed
// before each edit. The field keeps these rather than the line edit's own,
// because showing what a model kept replaces the text, and replacing the text
// forgets the line edit's steps.
class EditHistory {
public:
    struct State {
        std::string text;
        int caret = 0;  // in UTF-16 code units
        bool operator==(const State&) const = default;
    };
    // As on the desktop, a run of typed characters is undone as one step, and
    // so is a run of deletions, for as long as the caret stays where the run left it.
    enum class Edit { other, typing, deleting };
    // Far more than anyone steps back through in one line; the oldest steps go first.
    static constexpr std::size_t maxSteps = 100;

    // `before` and `after` are what the field showed around one edit.
    void record(const State& before, Edit edit, const State& after);
    // The state to show in place of `current`, which the opposite step brings back.
    std::optional<State> undo(const State& current);
    std::optional<State> redo(const State& current);
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // A selection made between two edits leaves the caret where the run left
    // it, yet what is typed over it starts a step of its own.
    void endRun() { runEnd_.reset(); }
    void clear();

private:
    static void push(std::vector<State>& steps, const State& state);
    // Takes the last state of `from`, leaving `current` on `to` to come back to.
    std::optional<State> step(std::vector<State>& from, std::vector<State>& to, const State& current);

    std::vector<State> undo_;
    std::vector<State> redo_;
    Edit run_ = Edit::other;
    std::optional<State> runEnd_;
};

}  // namespace WaylarkKit
