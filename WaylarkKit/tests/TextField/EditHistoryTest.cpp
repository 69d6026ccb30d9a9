#include <ostream>

#include <gtest/gtest.h>

#include "WaylarkKit/TextField/EditHistory.h"

namespace WaylarkKit {
void PrintTo(const EditHistory::State& state, std::ostream* out) { *out << '"' << state.text << "\" @" << state.caret; }
}  // namespace WaylarkKit

using namespace WaylarkKit;
using State = EditHistory::State;
using Edit = EditHistory::Edit;

namespace {

// Steps back from `current` until nothing is left, giving the texts met on the way.
std::vector<std::string> undoAll(EditHistory& history, State current) {
    std::vector<std::string> texts;
    while (const std::optional<State> back = history.undo(current)) {
        texts.push_back(back->text);
        current = *back;
    }
    return texts;
}

}  // namespace

// Runs of typing and deleting are stepped through in the field's own tests;
// these are the bounds of the history.
TEST(EditHistoryTest, RedoUntilTheNextEditAndTheOldestStepsGoFirst) {
    EditHistory history;
    for (int i = 0; i < 150; ++i) history.record({std::to_string(i), 0}, Edit::other, {std::to_string(i + 1), 0});
    const std::vector<std::string> undone = undoAll(history, {"150", 0});
    ASSERT_EQ(undone.size(), EditHistory::maxSteps);
    EXPECT_EQ(undone.back(), "50");

    EXPECT_EQ(history.redo({"50", 0}), (State{"51", 0}));
    EXPECT_EQ(history.undo({"51", 0}), (State{"50", 0}));
    history.record({"50", 0}, Edit::typing, {"50x", 3});
    EXPECT_FALSE(history.canRedo());
    // An edit the model kept nothing of is no step to take back.
    history.record({"50x", 3}, Edit::other, {"50x", 3});
    EXPECT_EQ(history.undo({"50x", 3}), (State{"50", 0}));
}
