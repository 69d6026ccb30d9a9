#include "ChecklistKit/ChecklistModel.h"

#include <gtest/gtest.h>

#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

using Testing::key;
using Testing::Strings;
using Testing::uuid;

// Template 1 (active): plain items 12 and 10, a question 11, a blank item 13.
// Template 2: one plain item 20.
ChecklistState twoTemplates() {
    return ChecklistState({{uuid(1), "Open", {{uuid(12), "Bias set", {}}, {uuid(11), "Model", {"FVG", "OB"}},
                                              {uuid(10), "News checked", {}}, {uuid(13), "  ", {}}}},
                           {uuid(2), "Close", {{uuid(20), "Journal", {}}}}},
                          uuid(1), {}, {});
}

class ChecklistModelTest : public ::testing::Test, protected Testing::ModelFixture {};

TEST_F(ChecklistModelTest, StartsEmptyOnAnEmptyStoreAndWritesNothing) {
    ChecklistModel& m = makeModel(std::nullopt);
    EXPECT_TRUE(m.hasNoTemplates());
    EXPECT_EQ(m.state(), ChecklistState{});
    EXPECT_TRUE(m.activeItems().empty());
    EXPECT_FALSE(m.progress());
    EXPECT_EQ(saves(), 0u);
}

TEST_F(ChecklistModelTest, TicksAndChoices) {
    ChecklistModel& m = makeModel(twoTemplates());
    m.toggle(uuid(12));
    m.toggle(uuid(10));
    EXPECT_EQ(m.state().checked.at(key(1)), (Strings{key(10), key(12)}));
    EXPECT_EQ(m.progress(), (ChecklistProgress{2, 3}));
    m.setChoice("OB", uuid(11));
    EXPECT_EQ(m.choice(uuid(11)), "OB");
    EXPECT_TRUE(m.progress()->isComplete());
    m.setChoice(std::nullopt, uuid(11));
    EXPECT_FALSE(m.isChecked(uuid(11)));
    m.setChoice("FVG", uuid(11));
    m.toggle(uuid(11));  // toggling a ticked question takes back its tick and choice
    m.toggle(uuid(10));
    m.toggle(uuid(12));
    EXPECT_EQ(m.state(), twoTemplates()) << "no empty tick list or choice map is left";
    EXPECT_EQ(notifications, 8);
}

TEST_F(ChecklistModelTest, IgnoresWhatCannotBeTickedOrChosen) {
    ChecklistModel& m = makeModel(twoTemplates());
    m.toggle(uuid(13));              // blank
    m.toggle(uuid(20));              // not in the active template
    m.toggle(uuid(11));              // a question is ticked only by a choice
    m.setChoice("FVG", uuid(10));    // a plain item takes no choice
    m.setChoice("Other", uuid(11));  // not offered
    m.selectTemplate(uuid(1));       // already active
    m.selectTemplate(uuid(5));       // no such template
    EXPECT_EQ(m.state(), twoTemplates());
    EXPECT_EQ(notifications, 0);
    EXPECT_EQ(saves(), 0u);
}

TEST_F(ChecklistModelTest, ProgressSelectionAndReset) {
    ChecklistState state = twoTemplates();
    state.checked[key(1)] = {key(10), key(13), key(77)};  // a blank item and a stray tick count for nothing
    ChecklistModel& m = makeModel(state);
    EXPECT_EQ(m.progress(), (ChecklistProgress{1, 3}));
    m.selectTemplate(uuid(2));
    EXPECT_EQ(m.progress(), (ChecklistProgress{0, 1}));
    m.resetActive();  // nothing to clear: saves, but notifies nothing
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(m.state().checked.at(key(1)).size(), 3u) << "other templates keep their ticks";
    EXPECT_EQ(saves(), 1u);

    // An active id of no template: no progress, nothing to toggle, but the
    // entries stored under it still answer and reset still clears them.
    state.activeTemplateID = uuid(9);
    state.checked[key(9)] = {key(10)};
    state.choices[key(9)] = {{key(11), "OB"}};
    ChecklistModel& orphan = makeModel(state);
    EXPECT_FALSE(orphan.progress());
    EXPECT_TRUE(orphan.isChecked(uuid(10)));
    EXPECT_EQ(orphan.choice(uuid(11)), "OB");
    orphan.toggle(uuid(10));
    EXPECT_EQ(saves(), 0u);
    orphan.resetActive();
    EXPECT_EQ(orphan.state().checked.count(key(9)) + orphan.state().choices.count(key(9)), 0u);
    EXPECT_EQ(saves(), 1u);
}

TEST_F(ChecklistModelTest, ABurstOfChangesMakesOneSaveOfTheLatestDocument) {
    ChecklistModel& m = makeModel(twoTemplates());
    m.toggle(uuid(10));
    scheduler.advance(0.1);
    m.toggle(uuid(12));
    scheduler.advance(0.1);
    m.setChoice("OB", uuid(11));
    scheduler.advance(0.39);
    EXPECT_TRUE(store->saves.empty());
    scheduler.advance(0.01);
    ASSERT_EQ(store->saves.size(), 1u);
    EXPECT_EQ(store->saves[0], m.state());
    EXPECT_EQ(saves(), 1u);

    ChecklistModel& immediate = makeModel(twoTemplates(), 0);
    immediate.toggle(uuid(10));
    immediate.toggle(uuid(12));
    EXPECT_EQ(store->saves.size(), 2u);
}

TEST_F(ChecklistModelTest, FlushWritesNowAndCancelsThePendingSave) {
    ChecklistModel& m = makeModel(twoTemplates());
    m.flush();
    EXPECT_EQ(store->saves.size(), 1u) << "flush writes even with nothing pending";
    m.toggle(uuid(10));
    m.flush();
    EXPECT_EQ(saves(), 2u) << "the cancelled task does not write again";
    m.toggle(uuid(12));
    model.reset();
    EXPECT_EQ(saves(), 2u) << "a released model writes nothing more";
}

TEST_F(ChecklistModelTest, AFailedSaveIsRecordedUntilOneSucceeds) {
    ChecklistModel& m = makeModel(twoTemplates());
    int failureNotifications = 0;
    const auto sub = m.observeLastSaveFailed([&] { ++failureNotifications; });
    store->failing = true;
    m.toggle(uuid(10));
    scheduler.advance(1);
    EXPECT_TRUE(m.lastSaveFailed());
    EXPECT_TRUE(m.isChecked(uuid(10))) << "the document in memory stays";
    m.flush();
    store->failing = false;
    m.flush();
    EXPECT_FALSE(m.lastSaveFailed());
    EXPECT_EQ(failureNotifications, 2);
}

TEST_F(ChecklistModelTest, NormalizeNotifiesAndSavesOnlyWhenRepairChangesSomething) {
    ChecklistModel& m = makeModel(twoTemplates().validated());
    m.normalize();
    EXPECT_EQ(notifications, 0);
    EXPECT_EQ(saves(), 0u);

    // An edited text keeps its untrimmed end until the editor closes.
    m.updateItem(uuid(12), uuid(1), "Bias set  ");
    // Cut to 24 characters, this option would end in a space; the choice of it survives.
    m.setOptions({"Above the opening range and more", "Below"}, uuid(10), uuid(1));
    m.setChoice("Above the opening range", uuid(10));
    EXPECT_EQ(saves(), 1u);
    notifications = 0;
    m.normalize();
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(m.templateWithID(uuid(1))->items.front().text, "Bias set");
    EXPECT_EQ(m.choice(uuid(10)), "Above the opening range");
    EXPECT_TRUE(m.isChecked(uuid(10)));
    EXPECT_EQ(saves(), 2u);
}

}  // namespace
}  // namespace ChecklistKit
