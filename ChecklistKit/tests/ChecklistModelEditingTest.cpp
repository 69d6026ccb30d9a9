#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "Base/Text.h"
#include "ChecklistKit/ChecklistModel.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"
#include "ChecklistKit/tests/RecordingChecklistStore.h"

namespace ChecklistKit {
namespace {

using Testing::key;
using Testing::uuid;
using Strings = std::vector<std::string>;

ChecklistState threeTemplates() {
    return ChecklistState({{uuid(1), "A", {}}, {uuid(2), "B", {}}, {uuid(3), "C", {}}}, uuid(2), {}, {});
}

class ChecklistModelEditingTest : public ::testing::Test {
protected:
    ChecklistModel& makeModel(std::optional<ChecklistState> initial) {
        store_ = std::make_shared<Testing::RecordingChecklistStore>(std::move(initial));
        model_.emplace(store_, scheduler_, 0.4);
        return *model_;
    }
    std::size_t saves() {
        scheduler_.advance(1);
        return store_->saves.size();
    }
    std::vector<std::string> texts(const Base::Uuid& id) const {
        Strings result;
        const std::optional<ChecklistTemplate> checklist = model_->templateWithID(id);
        for (const ChecklistItem& item : checklist->items) result.push_back(item.text);
        return result;
    }

    Base::ManualScheduler scheduler_;
    std::shared_ptr<Testing::RecordingChecklistStore> store_;
    std::optional<ChecklistModel> model_;
};

TEST_F(ChecklistModelEditingTest, CreatesUpToThirtyTemplates) {
    ChecklistModel& model = makeModel(std::nullopt);
    for (int i = 0; i < 29; ++i) ASSERT_TRUE(model.createTemplate("T"));
    const auto last = model.createTemplate("   ");
    ASSERT_TRUE(last);
    EXPECT_EQ(model.activeTemplate()->id, *last);
    EXPECT_EQ(model.activeTemplate()->name, "New checklist");
    EXPECT_FALSE(model.createTemplate("Too many"));
    EXPECT_EQ(model.templates().size(), 30u);
    EXPECT_EQ(saves(), 1u);
}

TEST_F(ChecklistModelEditingTest, CleansNewAndChangedNames) {
    ChecklistModel& model = makeModel(std::nullopt);
    const Base::Uuid id = *model.createTemplate("  " + std::string(49, 'x') + " and more");
    EXPECT_EQ(model.activeTemplate()->name, std::string(49, 'x'));
    model.renameTemplate(id, " Morning\n");
    EXPECT_EQ(model.activeTemplate()->name, " Morning ");
    model.renameTemplate(id, "");
    EXPECT_EQ(model.activeTemplate()->name, "");
}

TEST_F(ChecklistModelEditingTest, DeletingTheActiveTemplateActivatesTheFirstRemaining) {
    ChecklistState state = threeTemplates();
    state.checked[key(2)] = {key(50)};
    state.choices[key(2)] = {{key(51), "x"}};
    ChecklistModel& model = makeModel(state);
    model.deleteTemplate(uuid(2));
    EXPECT_EQ(model.state().activeTemplateID, uuid(1));
    EXPECT_TRUE(model.state().checked.empty());
    EXPECT_TRUE(model.state().choices.empty());

    model.selectTemplate(uuid(3));
    model.deleteTemplate(uuid(1));
    EXPECT_EQ(model.state().activeTemplateID, uuid(3));
    model.deleteTemplate(uuid(3));
    EXPECT_FALSE(model.state().activeTemplateID);
    EXPECT_TRUE(model.hasNoTemplates());
    model.deleteTemplate(uuid(3));
    EXPECT_EQ(saves(), 1u);
}

TEST_F(ChecklistModelEditingTest, AddsAndRewordsItems) {
    ChecklistModel& model = makeModel(threeTemplates());
    for (int i = 0; i < 59; ++i) ASSERT_TRUE(model.addItem(uuid(2), "item"));
    const auto blank = model.addItem(uuid(2), "\t");
    ASSERT_TRUE(blank);
    EXPECT_EQ(model.templateWithID(uuid(2))->items.back().text, " ");
    EXPECT_EQ(model.activeItems().size(), 59u) << "a blank item is not listed";
    EXPECT_FALSE(model.addItem(uuid(2), "61st"));
    EXPECT_FALSE(model.addItem(uuid(9), "nowhere"));

    model.updateItem(*blank, uuid(2), std::string(170, 'w'));
    EXPECT_EQ(Base::Text::graphemeCount(model.templateWithID(uuid(2))->items.back().text), 160u);
    EXPECT_EQ(model.activeItems().size(), 60u);

    // Rewording to blank keeps the tick for when the item has text again.
    const Base::Uuid first = model.activeItems().front().id;
    model.toggle(first);
    model.updateItem(first, uuid(2), "  ");
    EXPECT_EQ(model.progress(), (ChecklistProgress{0, 59}));
    model.updateItem(first, uuid(2), "Bias");
    EXPECT_EQ(model.progress(), (ChecklistProgress{1, 60}));
}

TEST_F(ChecklistModelEditingTest, SetOptionsKeepsTicksAndChoicesConsistent) {
    struct Case {
        const char* name;
        Strings before;
        std::optional<std::string> choice;  // chosen before, for items with options
        bool tickedPlain;                   // ticked before, for plain items
        Strings after;
        bool expectTicked;
        std::optional<std::string> expectChoice;
    };
    const std::vector<Case> cases = {
        {"options on a ticked plain item drop its tick", {}, std::nullopt, true, {"A", "B"}, false, std::nullopt},
        {"removing all options drops choice and tick", {"A", "B"}, "A", false, {}, false, std::nullopt},
        {"a still offered choice stays", {"A", "B"}, "B", false, {"B", "C"}, true, "B"},
        {"a choice no longer offered goes", {"A", "B"}, "A", false, {"B", "C"}, false, std::nullopt},
        {"plain stays plain: tick stays", {}, std::nullopt, true, {" ", ""}, true, std::nullopt},
    };
    for (const Case& c : cases) {
        ChecklistState state({{uuid(1), "T", {{uuid(10), "Q", c.before}}}}, uuid(1), {}, {});
        if (c.choice) {
            state.choices[key(1)] = {{key(10), *c.choice}};
            state.checked[key(1)] = {key(10)};
        }
        if (c.tickedPlain) state.checked[key(1)] = {key(10)};
        ChecklistModel& model = makeModel(state);
        model.setOptions(c.after, uuid(10), uuid(1));
        EXPECT_EQ(model.isChecked(uuid(10)), c.expectTicked) << c.name;
        EXPECT_EQ(model.choice(uuid(10)), c.expectChoice) << c.name;
        EXPECT_FALSE(model.state().checked.count(key(1)) && model.state().checked.at(key(1)).empty()) << c.name;
    }
}

TEST_F(ChecklistModelEditingTest, SetOptionsThatCleanToTheSameListSavesNothing) {
    ChecklistModel& model = makeModel(ChecklistState({{uuid(1), "T", {{uuid(10), "Q", {"A", "B"}}}}}, uuid(1), {}, {}));
    model.setOptions({" A", "B ", "A", ""}, uuid(10), uuid(1));
    model.setOptions({"X"}, uuid(99), uuid(1));
    EXPECT_EQ(saves(), 0u);
}

TEST_F(ChecklistModelEditingTest, RemovingAnItemDropsItsTickAndChoice) {
    ChecklistState state({{uuid(1), "T", {{uuid(10), "Q", {"A", "B"}}, {uuid(11), "P", {}}}}}, uuid(1),
                         {{key(1), {key(10), key(11)}}}, {{key(1), {{key(10), "A"}}}});
    ChecklistModel& model = makeModel(state);
    EXPECT_EQ(model.progress(), (ChecklistProgress{2, 2}));
    model.removeItem(uuid(10), uuid(1));
    EXPECT_EQ(model.progress(), (ChecklistProgress{1, 1}));
    EXPECT_TRUE(model.state().choices.empty());
    EXPECT_EQ(model.state().checked.at(key(1)), Strings{key(11)});
    model.removeItem(uuid(77), uuid(1));  // saves even so
    model.removeItem(uuid(11), uuid(9));  // no such template
    EXPECT_EQ(saves(), 1u);
    EXPECT_EQ(model.templateWithID(uuid(1))->items.size(), 1u);
}

TEST_F(ChecklistModelEditingTest, MovesItemsWithinBounds) {
    ChecklistModel& model = makeModel(ChecklistState(
        {{uuid(1), "T", {{uuid(10), "a", {}}, {uuid(11), "b", {}}, {uuid(12), "c", {}}, {uuid(13), " ", {}},
                         {uuid(14), "e", {}}}}},
        uuid(1), {}, {}));
    model.moveItem(uuid(10), uuid(1), -1);
    model.moveItem(uuid(12), uuid(1), 0);
    EXPECT_EQ(saves(), 0u);
    model.moveItem(uuid(11), uuid(1), 1);
    EXPECT_EQ(texts(uuid(1)), (Strings{"a", "c", "b", " ", "e"}));
    model.moveItem(uuid(10), uuid(1), 10);
    EXPECT_EQ(texts(uuid(1)), (Strings{"c", "b", " ", "e", "a"}));
    model.moveItem(uuid(10), uuid(1), -3);
    EXPECT_EQ(texts(uuid(1)), (Strings{"c", "a", "b", " ", "e"}));
    EXPECT_EQ(saves(), 1u);
}

}  // namespace
}  // namespace ChecklistKit
