#include "ChecklistKit/ChecklistModel.h"

#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"
#include "ChecklistKit/tests/RecordingChecklistStore.h"

namespace ChecklistKit {
namespace {

using Testing::key;
using Testing::uuid;
using Strings = std::vector<std::string>;

// Template 1 (active): plain items 10 and 12, a question 11 with options, a blank item 13.
// Template 2: one plain item 20.
ChecklistState twoTemplates() {
    return ChecklistState({{uuid(1), "Open", {{uuid(12), "Bias set", {}},
                                              {uuid(11), "Model", {"FVG", "OB"}},
                                              {uuid(10), "News checked", {}},
                                              {uuid(13), "  ", {}}}},
                           {uuid(2), "Close", {{uuid(20), "Journal", {}}}}},
                          uuid(1), {}, {});
}

class ChecklistModelTest : public ::testing::Test {
protected:
    ChecklistModel& makeModel(std::optional<ChecklistState> initial = twoTemplates(), double delay = 0.4) {
        store_ = std::make_shared<Testing::RecordingChecklistStore>(std::move(initial));
        model_.emplace(store_, scheduler_, delay);
        subscription_ = model_->observeState([this] { ++notifications_; });
        return *model_;
    }
    std::size_t savesAfterDelay() {
        scheduler_.advance(1);
        return store_->saves.size();
    }

    Base::ManualScheduler scheduler_;
    std::shared_ptr<Testing::RecordingChecklistStore> store_;
    std::optional<ChecklistModel> model_;
    Base::Subscription subscription_;
    int notifications_ = 0;
};

TEST_F(ChecklistModelTest, StartsEmptyOnAnEmptyStoreAndWritesNothing) {
    ChecklistModel& model = makeModel(std::nullopt);
    EXPECT_TRUE(model.hasNoTemplates());
    EXPECT_FALSE(model.activeTemplate());
    EXPECT_TRUE(model.activeItems().empty());
    EXPECT_FALSE(model.progress());
    EXPECT_EQ(model.state(), ChecklistState{});
    EXPECT_EQ(savesAfterDelay(), 0u);
}

TEST_F(ChecklistModelTest, TogglesPlainItemsIntoASortedList) {
    ChecklistModel& model = makeModel();
    model.toggle(uuid(12));
    model.toggle(uuid(10));
    EXPECT_EQ(model.state().checked.at(key(1)), (Strings{key(10), key(12)}));
    EXPECT_TRUE(model.isChecked(uuid(10)));
    EXPECT_EQ(model.progress(), (ChecklistProgress{2, 3}));
    model.toggle(uuid(10));
    model.toggle(uuid(12));
    EXPECT_EQ(model.state().checked.count(key(1)), 0u) << "no empty tick list is left";
    EXPECT_EQ(notifications_, 4);
}

TEST_F(ChecklistModelTest, IgnoresWhatCannotBeTicked) {
    ChecklistModel& model = makeModel();
    model.toggle(uuid(13));  // blank
    model.toggle(uuid(20));  // not in the active template
    model.toggle(uuid(99));  // nowhere
    model.toggle(uuid(11));  // a question is ticked only by a choice
    model.setChoice("FVG", uuid(10));   // a plain item takes no choice
    model.setChoice("Other", uuid(11));  // not offered
    model.selectTemplate(uuid(1));       // already active
    model.selectTemplate(uuid(5));       // no such template
    EXPECT_EQ(model.state(), twoTemplates());
    EXPECT_EQ(notifications_, 0);
    EXPECT_EQ(savesAfterDelay(), 0u);
}

TEST_F(ChecklistModelTest, ChoicesTickAndUntick) {
    ChecklistModel& model = makeModel();
    model.setChoice("OB", uuid(11));
    EXPECT_EQ(model.choice(uuid(11)), "OB");
    EXPECT_TRUE(model.isChecked(uuid(11)));
    model.setChoice(std::nullopt, uuid(11));
    EXPECT_FALSE(model.choice(uuid(11)));
    EXPECT_FALSE(model.isChecked(uuid(11)));
    EXPECT_TRUE(model.state().choices.empty());
    EXPECT_TRUE(model.state().checked.empty());

    model.setChoice("FVG", uuid(11));
    model.toggle(uuid(11));  // toggling a ticked question takes back tick and choice
    EXPECT_TRUE(model.state().choices.empty());
    EXPECT_TRUE(model.state().checked.empty());
}

TEST_F(ChecklistModelTest, ProgressCountsOnlyCountedItemsOfTheActiveTemplate) {
    ChecklistState state = twoTemplates();
    state.checked[key(1)] = {key(10), key(13), key(77)};  // a blank item and a stray tick
    ChecklistModel& model = makeModel(state);
    EXPECT_EQ(model.progress(), (ChecklistProgress{1, 3}));
    EXPECT_EQ(model.activeItems().size(), 3u);
    model.selectTemplate(uuid(2));
    EXPECT_EQ(model.progress(), (ChecklistProgress{0, 1}));
    EXPECT_EQ(model.state().checked.at(key(1)).size(), 3u) << "switching keeps the other template's ticks";
}

TEST_F(ChecklistModelTest, ActiveIdOfNoTemplateStillAnswersFromItsEntries) {
    ChecklistState state = twoTemplates();
    state.activeTemplateID = uuid(9);
    state.checked[key(9)] = {key(10)};
    state.choices[key(9)] = {{key(11), "OB"}};
    ChecklistModel& model = makeModel(state);
    EXPECT_FALSE(model.activeTemplate());
    EXPECT_FALSE(model.progress());
    EXPECT_TRUE(model.isChecked(uuid(10)));
    EXPECT_EQ(model.choice(uuid(11)), "OB");
    model.toggle(uuid(10));
    EXPECT_EQ(savesAfterDelay(), 0u);
    model.resetActive();
    EXPECT_TRUE(model.state().checked.empty());
    EXPECT_TRUE(model.state().choices.empty());
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ChecklistModelTest, ResetActiveAlwaysSavesButNotifiesOnlyOnAChange) {
    ChecklistModel& model = makeModel();
    model.resetActive();
    EXPECT_EQ(notifications_, 0);
    EXPECT_EQ(savesAfterDelay(), 1u);
    model.toggle(uuid(10));
    model.selectTemplate(uuid(2));
    model.toggle(uuid(20));
    model.resetActive();
    EXPECT_EQ(model.state().checked, (ChecklistState::TickLists{{key(1), {key(10)}}}));
}

TEST_F(ChecklistModelTest, ABurstOfChangesMakesOneSaveOfTheLatestDocument) {
    ChecklistModel& model = makeModel();
    model.toggle(uuid(10));
    scheduler_.advance(0.1);
    model.toggle(uuid(12));
    scheduler_.advance(0.1);
    model.setChoice("OB", uuid(11));
    scheduler_.advance(0.39);
    EXPECT_TRUE(store_->saves.empty());
    scheduler_.advance(0.01);
    ASSERT_EQ(store_->saves.size(), 1u);
    EXPECT_EQ(store_->saves[0], model.state());
    EXPECT_EQ(savesAfterDelay(), 1u);

    ChecklistModel& immediate = makeModel(twoTemplates(), 0);
    immediate.toggle(uuid(10));
    immediate.toggle(uuid(12));
    EXPECT_EQ(store_->saves.size(), 2u);
}

TEST_F(ChecklistModelTest, FlushWritesNowAndCancelsThePendingSave) {
    ChecklistModel& model = makeModel();
    model.flush();
    EXPECT_EQ(store_->saves.size(), 1u) << "flush writes even with nothing pending";
    model.toggle(uuid(10));
    model.flush();
    EXPECT_EQ(store_->saves.size(), 2u);
    EXPECT_EQ(savesAfterDelay(), 2u) << "the cancelled task does not write again";

    model.toggle(uuid(12));
    model_.reset();
    EXPECT_EQ(savesAfterDelay(), 2u) << "a released model writes nothing more";
}

TEST_F(ChecklistModelTest, FailedSaveIsRecordedUntilOneSucceeds) {
    ChecklistModel& model = makeModel();
    int failureNotifications = 0;
    auto sub = model.observeLastSaveFailed([&] { ++failureNotifications; });
    store_->failing = true;
    model.toggle(uuid(10));
    scheduler_.advance(1);
    EXPECT_TRUE(model.lastSaveFailed());
    EXPECT_TRUE(model.isChecked(uuid(10))) << "the document in memory stays";
    model.flush();
    EXPECT_EQ(failureNotifications, 1);
    store_->failing = false;
    model.flush();
    EXPECT_FALSE(model.lastSaveFailed());
    EXPECT_EQ(failureNotifications, 2);
}

TEST_F(ChecklistModelTest, NormalizeNotifiesAndSavesOnlyWhenRepairChangesSomething) {
    ChecklistState repaired = twoTemplates().validated();
    ChecklistModel& model = makeModel(repaired);
    model.normalize();
    EXPECT_EQ(notifications_, 0);
    EXPECT_EQ(savesAfterDelay(), 0u);

    // An edited item text keeps its untrimmed end until the editor closes.
    const Base::Uuid item = model.activeItems().front().id;
    model.updateItem(item, uuid(1), "Bias set  ");
    scheduler_.advance(1);
    notifications_ = 0;
    model.normalize();
    EXPECT_EQ(notifications_, 1);
    EXPECT_EQ(model.templateWithID(uuid(1))->items.front().text, "Bias set");
    EXPECT_EQ(savesAfterDelay(), 2u);
}

TEST_F(ChecklistModelTest, NormalizeKeepsAChoiceWhoseOptionWasCutAfterASpace) {
    ChecklistModel& model = makeModel();
    // Cut to 24 characters, the first option would end in a space.
    model.setOptions({"Above the opening range and more", "Below"}, uuid(10), uuid(1));
    const std::string cut = model.templateWithID(uuid(1))->items[2].options[0];
    EXPECT_EQ(cut, "Above the opening range");
    model.setChoice(cut, uuid(10));
    model.normalize();
    EXPECT_EQ(model.choice(uuid(10)), cut);
    EXPECT_TRUE(model.isChecked(uuid(10)));
}

}  // namespace
}  // namespace ChecklistKit
