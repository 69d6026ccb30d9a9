#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "Base/testing/NotificationCounter.h"
#include "WaylarkKit/Checklist/ChecklistEditorModel.h"

using Base::Testing::NotificationCounter;
using ChecklistKit::ChecklistItem;
using WaylarkKit::ChecklistEditorModel;

TEST(ChecklistEditorModelTest, TwoClickDelete) {
    const Base::Uuid a = Base::Uuid::random();
    const Base::Uuid b = Base::Uuid::random();
    struct Click {
        double after;  // seconds since the previous click
        const Base::Uuid* id;
        bool deletes;
    };
    const std::vector<std::vector<Click>> runs = {
        {{0, &a, false}, {3.9, &a, true}},
        {{0, &a, false}, {4.1, &a, false}},
        {{0, &a, false}, {1, &b, false}, {1, &a, false}, {3.5, &a, true}},
    };
    for (std::size_t run = 0; run < runs.size(); ++run) {
        Base::ManualScheduler scheduler;
        ChecklistEditorModel editor(scheduler);
        for (const Click& click : runs[run]) {
            scheduler.advance(click.after);
            EXPECT_EQ(editor.requestDelete(*click.id), click.deletes) << "run " << run;
            if (!click.deletes) {
                EXPECT_EQ(editor.armedDeleteID(), *click.id);
            }
        }
        EXPECT_EQ(editor.armedDeleteID().has_value(), !runs[run].back().deletes) << "run " << run;
        scheduler.advance(ChecklistEditorModel::disarmDelay);
        EXPECT_FALSE(editor.armedDeleteID());
    }

    Base::ManualScheduler scheduler;
    ChecklistEditorModel editor(scheduler);
    NotificationCounter armed([&](auto o) { return editor.observeArmedDeleteID(o); });
    editor.requestDelete(a);
    scheduler.advance(3);
    editor.disarm();
    editor.requestDelete(a);  // the cancelled disarm must not clear this arming
    scheduler.advance(1.5);
    EXPECT_EQ(editor.armedDeleteID(), a);
    scheduler.advance(2.6);
    EXPECT_FALSE(editor.armedDeleteID());
    EXPECT_EQ(armed.take(), 4u);
}

TEST(ChecklistEditorModelTest, OptionsEditorAndDrafts) {
    Base::ManualScheduler scheduler;
    ChecklistEditorModel editor(scheduler);
    NotificationCounter drafts([&](auto o) { return editor.observeOptionDrafts(o); });
    const ChecklistItem question{Base::Uuid::random(), "Trend", {"Above", "Below"}};
    const ChecklistItem plain{Base::Uuid::random(), "Stop placed", {}};

    EXPECT_EQ(editor.optionsText(plain), "");
    editor.toggleChoiceEditor(question);
    EXPECT_EQ(editor.choiceEditorItemID(), question.id);
    EXPECT_EQ(editor.optionsText(question), "Above, Below");
    editor.setOptionDraft(question.id, "");
    EXPECT_EQ(editor.optionsText(question), "");  // an empty draft, not the stored options
    editor.setOptionDraft(plain.id, "Yes,");
    editor.toggleChoiceEditor(plain);
    EXPECT_EQ(editor.choiceEditorItemID(), plain.id);
    EXPECT_EQ(editor.optionsText(plain), "");  // opening sets the draft from the stored options
    EXPECT_EQ(editor.optionsText(question), "");  // other drafts stay
    editor.toggleChoiceEditor(plain);
    EXPECT_FALSE(editor.choiceEditorItemID());
    EXPECT_TRUE(editor.optionDrafts().empty());
    EXPECT_EQ(editor.optionsText(question), "Above, Below");
    EXPECT_EQ(drafts.take(), 5u);
    editor.closeChoiceEditor();  // always notifies, even when already empty
    EXPECT_EQ(drafts.take(), 1u);
}
