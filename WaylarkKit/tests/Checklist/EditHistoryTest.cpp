#include <ostream>

#include <gtest/gtest.h>

#include "WaylarkKit/Checklist/EditHistory.h"

namespace WaylarkKit {
void PrintTo(const EditHistory::State& state, std::ostream* out) { *out << '"' << state.text << "\" @" << state.caret; }
}  // namespace WaylarkKit

using namespace WaylarkKit;
using State = EditHistory::State;
using Edit = EditHistory::Edit;

namespace {

struct Record {
    State before;
    Edit edit;
    State after;
};

// Steps back from the last record's state until nothing is left, giving the texts met on the way.
std::vector<std::string> undoAll(EditHistory& history, State current) {
    std::vector<std::string> texts;
    while (const std::optional<State> back = history.undo(current)) {
        texts.push_back(back->text);
        current = *back;
    }
    return texts;
}

}  // namespace

TEST(EditHistoryTest, RunsOfTypingOrDeletingAreOneStep) {
    const struct {
        const char* name;
        std::vector<Record> records;
        bool selectedBetween;
        std::vector<std::string> undone;
    } cases[] = {
        {"typing", {{{"", 0}, Edit::typing, {"\u0218", 1}}, {{"\u0218", 1}, Edit::typing, {"\u0218t", 2}}}, false, {""}},
        {"deleting", {{{"ab", 2}, Edit::deleting, {"a", 1}}, {{"a", 1}, Edit::deleting, {"", 0}}}, false, {"ab"}},
        {"typing, then deleting", {{{"a", 1}, Edit::typing, {"ab", 2}}, {{"ab", 2}, Edit::deleting, {"a", 1}}}, false,
         {"ab", "a"}},
        {"the caret moved", {{{"a", 1}, Edit::typing, {"ab", 2}}, {{"ab", 0}, Edit::typing, {"\u20ACab", 1}}}, false,
         {"ab", "a"}},
        {"a selection made", {{{"a", 1}, Edit::typing, {"ab", 2}}, {{"ab", 2}, Edit::typing, {"abc", 3}}}, true,
         {"ab", "a"}},
        {"pastes", {{{"a", 1}, Edit::other, {"ab", 2}}, {{"ab", 2}, Edit::other, {"abc", 3}}}, false, {"ab", "a"}},
        {"nothing kept", {{{"ab", 2}, Edit::typing, {"ab", 2}}}, false, {}},
    };
    for (const auto& c : cases) {
        EditHistory history;
        for (std::size_t i = 0; i < c.records.size(); ++i) {
            if (i > 0 && c.selectedBetween) history.endRun();
            history.record(c.records[i].before, c.records[i].edit, c.records[i].after);
        }
        EXPECT_EQ(undoAll(history, c.records.back().after), c.undone) << c.name;
    }
}

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
    EXPECT_EQ(history.undo({"50x", 3}), (State{"50", 0}));
}
