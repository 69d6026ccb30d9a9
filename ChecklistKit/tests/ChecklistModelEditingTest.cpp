#include <gtest/gtest.h>

#include "Base/Text.h"
#include "ChecklistKit/ChecklistModel.h"
#include "ChecklistKit/tests/ChecklistTestSupport.h"

namespace ChecklistKit {
namespace {

using Testing::key;
using Testing::Strings;
using Testing::uuid;

ChecklistState oneTemplate(std::vector<ChecklistItem> items) { return ChecklistState({{uuid(1), "T", items}}, uuid(1), {}, {}); }

class ChecklistModelEditingTest : public ::testing::Test, protected Testing::ModelFixture {
protected:
    Strings texts() const {
        Strings result;
        const std::optional<ChecklistTemplate> checklist = model->templateWithID(uuid(1));
        for (const ChecklistItem& item : checklist->items) result.push_back(item.text);
        return result;
    }
};

TEST_F(ChecklistModelEditingTest, CreatesUpToThirtyTemplatesAndRenamesThem) {
    ChecklistModel& m = makeModel(std::nullopt);
    for (int i = 0; i < 29; ++i) ASSERT_TRUE(m.createTemplate("  " + std::string(49, 'x') + " and more"));
    EXPECT_EQ(m.templates()[0].name, std::string(49, 'x'));
    const auto last = m.createTemplate("   ");
    ASSERT_TRUE(last);
    EXPECT_EQ(m.activeTemplate()->id, *last);
    EXPECT_EQ(m.activeTemplate()->name, "New checklist");
    EXPECT_FALSE(m.createTemplate("Too many"));
    m.renameTemplate(*last, " Morning\n");
    EXPECT_EQ(m.activeTemplate()->name, " Morning ");
    m.renameTemplate(*last, "");
    EXPECT_EQ(m.activeTemplate()->name, "");
    EXPECT_EQ(m.templates().size(), 30u);
    EXPECT_EQ(saves(), 1u);
}

TEST_F(ChecklistModelEditingTest, DeletingTheActiveTemplateActivatesTheFirstRemaining) {
    ChecklistState state({{uuid(1), "A", {}}, {uuid(2), "B", {}}, {uuid(3), "C", {}}}, uuid(2),
                         {{key(2), {key(50)}}}, {{key(2), {{key(51), "x"}}}});
    ChecklistModel& m = makeModel(state);
    m.deleteTemplate(uuid(2));
    EXPECT_EQ(m.state(), ChecklistState({{uuid(1), "A", {}}, {uuid(3), "C", {}}}, uuid(1), {}, {}));
    m.selectTemplate(uuid(3));
    m.deleteTemplate(uuid(1));
    EXPECT_EQ(m.state().activeTemplateID, uuid(3));
    m.deleteTemplate(uuid(3));
    EXPECT_TRUE(m.hasNoTemplates());
    EXPECT_FALSE(m.state().activeTemplateID);
    m.deleteTemplate(uuid(3));
    EXPECT_EQ(notifications, 4);
}

TEST_F(ChecklistModelEditingTest, AddsAndRewordsItems) {
    ChecklistModel& m = makeModel(oneTemplate({}));
    for (int i = 0; i < 59; ++i) ASSERT_TRUE(m.addItem(uuid(1), "item"));
    const auto blank = m.addItem(uuid(1), "\t");
    ASSERT_TRUE(blank);
    EXPECT_EQ(texts().back(), " ");
    EXPECT_EQ(m.activeItems().size(), 59u) << "a blank item is not listed";
    EXPECT_FALSE(m.addItem(uuid(1), "61st"));
    EXPECT_FALSE(m.addItem(uuid(9), "nowhere"));
    m.updateItem(*blank, uuid(1), std::string(170, 'w'));
    EXPECT_EQ(Base::Text::graphemeCount(texts().back()), 160u);

    // Rewording to blank keeps the tick for when the item has text again.
    const Base::Uuid first = m.activeItems().front().id;
    m.toggle(first);
    m.updateItem(first, uuid(1), "  ");
    EXPECT_EQ(m.progress(), (ChecklistProgress{0, 59}));
    m.updateItem(first, uuid(1), "Bias");
    EXPECT_EQ(m.progress(), (ChecklistProgress{1, 60}));
}

TEST_F(ChecklistModelEditingTest, ChangingOptionsKeepsTicksAndChoicesConsistent) {
    struct Case {
        Strings before;
        std::optional<std::string> choice;  // for a question; otherwise the plain item is ticked
        Strings after;
        bool expectTicked;
        std::optional<std::string> expectChoice;
    };
    const Case cases[] = {
        {{}, std::nullopt, {"A", "B"}, false, std::nullopt},  // options on a ticked plain item drop its tick
        {{}, std::nullopt, {" ", ""}, true, std::nullopt},    // it stays plain: the tick stays
        {{"A", "B"}, "A", {}, false, std::nullopt},           // no options left: choice and tick go
        {{"A", "B"}, "B", {"B", "C"}, true, "B"},             // still offered: both stay
        {{"A", "B"}, "A", {"B", "C"}, false, std::nullopt},   // no longer offered: both go
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(&c - cases);
        ChecklistState state = oneTemplate({{uuid(10), "Q", c.before}});
        state.checked[key(1)] = {key(10)};
        if (c.choice) state.choices[key(1)] = {{key(10), *c.choice}};
        ChecklistModel& m = makeModel(state);
        m.setOptions(c.after, uuid(10), uuid(1));
        EXPECT_EQ(m.isChecked(uuid(10)), c.expectTicked);
        EXPECT_EQ(m.choice(uuid(10)), c.expectChoice);
        EXPECT_EQ(m.state(), m.state().validated()) << "no empty entry is left";
    }

    ChecklistModel& m = makeModel(oneTemplate({{uuid(10), "Q", {"A", "B"}}}));
    m.setOptions({" A", "B ", "A", ""}, uuid(10), uuid(1));  // cleans to the same list
    m.setOptions({"X"}, uuid(99), uuid(1));
    EXPECT_EQ(saves(), 0u);
}

TEST_F(ChecklistModelEditingTest, RemovingAnItemDropsItsTickAndChoice) {
    ChecklistState state = oneTemplate({{uuid(10), "Q", {"A", "B"}}, {uuid(11), "P", {}}});
    state.checked[key(1)] = {key(10), key(11)};
    state.choices[key(1)] = {{key(10), "A"}};
    ChecklistModel& m = makeModel(state);
    m.removeItem(uuid(10), uuid(1));
    EXPECT_EQ(m.progress(), (ChecklistProgress{1, 1}));
    EXPECT_EQ(m.state(), ChecklistState({{uuid(1), "T", {{uuid(11), "P", {}}}}}, uuid(1), {{key(1), {key(11)}}}, {}));
    m.removeItem(uuid(77), uuid(1));  // saves even so
    m.removeItem(uuid(11), uuid(9));  // no such template
    EXPECT_EQ(m.templateWithID(uuid(1))->items.size(), 1u);
    EXPECT_EQ(saves(), 1u);
}

TEST_F(ChecklistModelEditingTest, MovesItemsWithinBounds) {
    makeModel(oneTemplate({{uuid(10), "a", {}}, {uuid(11), "b", {}}, {uuid(12), "c", {}}, {uuid(13), " ", {}}, {uuid(14), "e", {}}}));
    model->moveItem(uuid(10), uuid(1), -1);
    model->moveItem(uuid(12), uuid(1), 0);
    EXPECT_EQ(saves(), 0u);
    model->moveItem(uuid(11), uuid(1), 1);
    EXPECT_EQ(texts(), (Strings{"a", "c", "b", " ", "e"}));
    model->moveItem(uuid(10), uuid(1), 10);
    EXPECT_EQ(texts(), (Strings{"c", "b", " ", "e", "a"}));
    model->moveItem(uuid(10), uuid(1), -3);
    EXPECT_EQ(texts(), (Strings{"c", "a", "b", " ", "e"}));
    EXPECT_EQ(saves(), 1u);
}

}  // namespace
}  // namespace ChecklistKit
