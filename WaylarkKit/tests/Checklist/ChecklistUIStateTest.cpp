#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "Base/testing/NotificationCounter.h"
#include "WaylarkKit/Checklist/ChecklistIndicatorState.h"
#include "WaylarkKit/Checklist/ChecklistUIState.h"

using Base::Testing::NotificationCounter;
using namespace WaylarkKit;

TEST(ChecklistUIStateTest, ChoicePickersToggleOneAtATime) {
    Base::ManualScheduler scheduler;
    ChecklistUIState ui(1.0, scheduler);
    EXPECT_DOUBLE_EQ(ui.resetHold().duration(), 1.0);
    NotificationCounter picker([&](auto o) { return ui.observeOpenChoiceItemID(o); });
    const Base::Uuid a = Base::Uuid::random();
    const Base::Uuid b = Base::Uuid::random();
    ui.toggleChoice(a);
    ui.toggleChoice(a);
    EXPECT_FALSE(ui.openChoiceItemID());
    ui.toggleChoice(a);
    ui.toggleChoice(b);
    EXPECT_EQ(ui.openChoiceItemID(), b);
    EXPECT_EQ(picker.take(), 4u);
    ui.setOpenChoiceItemID(b);
    EXPECT_EQ(picker.take(), 0u);
}

TEST(ChecklistUIStateTest, OpeningTheEditorClosesTheDropdownFirst) {
    Base::ManualScheduler scheduler;
    ChecklistUIState ui(1.0, scheduler);
    const Base::Uuid id = Base::Uuid::random();
    std::vector<std::pair<EditorRequest, bool>> seen;
    ui.setOnOpenEditor([&](const EditorRequest& r) { seen.emplace_back(r, ui.isDropdownOpen()); });
    for (const EditorRequest& request : {EditorRequest::create(), EditorRequest::edit(id)}) {
        ui.setDropdownOpen(true);
        ui.openEditor(request);
    }
    EXPECT_EQ(seen, (std::vector<std::pair<EditorRequest, bool>>{{EditorRequest::create(), false},
                                                                 {EditorRequest::edit(id), false}}));
}

TEST(ChecklistIndicatorStateTest, LooksAndTexts) {
    using ChecklistKit::ChecklistProgress;
    using Kind = ChecklistIndicatorState::Kind;
    struct Case {
        std::optional<ChecklistProgress> progress;
        Kind kind;
        std::optional<std::string> text;
    } cases[] = {
        {std::nullopt, Kind::noChecklist, std::nullopt},
        {ChecklistProgress{0, 0}, Kind::counting, "0/0"},
        {ChecklistProgress{3, 9}, Kind::counting, "3/9"},
        {ChecklistProgress{5, 5}, Kind::complete, std::nullopt},
    };
    for (const Case& c : cases) {
        const ChecklistIndicatorState state = ChecklistIndicatorState::from(c.progress);
        EXPECT_EQ(state.kind, c.kind);
        EXPECT_EQ(state.text(), c.text);
    }
}
