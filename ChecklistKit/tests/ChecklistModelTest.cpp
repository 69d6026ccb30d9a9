#include "ChecklistKit/ChecklistModel.h"

#include <gtest/gtest.h>

#include "Base/Text.h"
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

ChecklistState oneTemplate(std::vector<ChecklistItem> items) { return ChecklistState({{uuid(1), "T", items}}, uuid(1), {}, {}); }

class ChecklistModelTest : public ::testing::Test, protected Testing::ModelFixture {
protected:
    Strings texts() const {
        Strings result;
        const std::optional<ChecklistTemplate> checklist = model->templateWithID(uuid(1));
        for (const ChecklistItem& item : checklist->items) result.push_back(item.text);
        return result;
    }
};

TEST_F(ChecklistModelTest, TicksAndChoicesSaveOnceABurst) {
    ChecklistModel& m = makeModel(twoTemplates());
    m.toggle(uuid(12));
    scheduler.advance(0.3);
    m.toggle(uuid(10));
    EXPECT_EQ(m.state().checked.at(key(1)), (Strings{key(10), key(12)}));
    scheduler.advance(0.39);
    EXPECT_TRUE(store->saves.empty()) << "each change puts the save off";
    scheduler.advance(0.01);
    ASSERT_EQ(store->saves.size(), 1u);
    EXPECT_EQ(store->saves[0], m.state());

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

TEST_F(ChecklistModelTest, IgnoresWhatCannotBeTickedChosenOrMoved) {
    ChecklistModel& m = makeModel(twoTemplates());
    m.toggle(uuid(13));              // blank
    m.toggle(uuid(20));              // not in the active template
    m.toggle(uuid(11));              // a question is ticked only by a choice
    m.setChoice("FVG", uuid(10));    // a plain item takes no choice
    m.setChoice("Other", uuid(11));  // not offered
    m.selectTemplate(uuid(1));       // already active
    m.selectTemplate(uuid(5));       // no such template
    m.setOptions({" FVG", "OB ", "FVG", ""}, uuid(11), uuid(1));  // cleans to the same list
    m.setOptions({"X"}, uuid(99), uuid(1));
    m.moveItem(uuid(12), uuid(1), -1);
    m.moveItem(uuid(10), uuid(1), 0);
    EXPECT_EQ(m.state(), twoTemplates());
    EXPECT_EQ(notifications, 0);
    EXPECT_EQ(saves(), 0u);
}

TEST_F(ChecklistModelTest, ProgressSelectionAndResetAlwaysSaving) {
    ChecklistState state = twoTemplates();
    state.checked[key(1)] = {key(10), key(13), key(77)};  // a blank item and a stray tick count for nothing
    ChecklistModel& m = makeModel(state);
    EXPECT_EQ(m.progress(), (ChecklistProgress{1, 3}));
    m.selectTemplate(uuid(2));
    EXPECT_EQ(m.progress(), (ChecklistProgress{0, 1}));
    EXPECT_EQ(saves(), 1u);
    m.resetActive();  // nothing to clear: saves, but notifies nothing
    EXPECT_EQ(saves(), 2u);
    EXPECT_EQ(notifications, 1);
    EXPECT_EQ(m.state().checked.at(key(1)).size(), 3u) << "other templates keep their ticks";
}

TEST_F(ChecklistModelTest, FlushNormalizeAndRelease) {
    ChecklistModel& m = makeModel(twoTemplates());
    m.flush();
    EXPECT_EQ(store->saves.size(), 1u) << "flush writes even with nothing pending";
    m.toggle(uuid(10));
    m.flush();
    EXPECT_EQ(saves(), 2u) << "the cancelled task does not write again";

    m.normalize();  // drops the blank item
    m.normalize();  // nothing left to repair
    EXPECT_EQ(m.templateWithID(uuid(1))->items.size(), 3u);
    EXPECT_EQ(notifications, 2);
    EXPECT_EQ(saves(), 3u);

    m.toggle(uuid(12));
    model.reset();
    EXPECT_EQ(saves(), 3u) << "a released model writes nothing more";
}

TEST_F(ChecklistModelTest, CreatesUpToThirtyTemplatesRenamesAndDeletesThem) {
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
    EXPECT_EQ(saves(), 1u);

    // Deleting the active template activates the first remaining one; its entries go.
    makeModel(ChecklistState({{uuid(1), "A", {}}, {uuid(2), "B", {}}, {uuid(3), "C", {}}}, uuid(2),
                             {{key(2), {key(50)}}}, {{key(2), {{key(51), "x"}}}}));
    model->deleteTemplate(uuid(2));
    EXPECT_EQ(model->state(), ChecklistState({{uuid(1), "A", {}}, {uuid(3), "C", {}}}, uuid(1), {}, {}));
    model->selectTemplate(uuid(3));
    model->deleteTemplate(uuid(1));
    model->deleteTemplate(uuid(3));
    EXPECT_EQ(model->state(), ChecklistState{});
    model->deleteTemplate(uuid(3));
    EXPECT_EQ(notifications, 4);
}

TEST_F(ChecklistModelTest, AddsRewordsRemovesAndMovesItems) {
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

    ChecklistState state = oneTemplate({{uuid(10), "Q", {"A", "B"}}, {uuid(11), "b", {}}, {uuid(12), "c", {}},
                                        {uuid(13), " ", {}}, {uuid(14), "e", {}}});
    state.checked[key(1)] = {key(10), key(11)};
    state.choices[key(1)] = {{key(10), "A"}};
    makeModel(state);
    model->removeItem(uuid(10), uuid(1));
    EXPECT_EQ(model->state().checked, (ChecklistState::TickLists{{key(1), {key(11)}}}));
    EXPECT_TRUE(model->state().choices.empty());
    EXPECT_EQ(saves(), 1u);
    model->removeItem(uuid(77), uuid(1));  // saves even so
    EXPECT_EQ(saves(), 2u);
    model->removeItem(uuid(11), uuid(9));  // no such template
    model->moveItem(uuid(11), uuid(1), 1);
    EXPECT_EQ(texts(), (Strings{"c", "b", " ", "e"}));
    model->moveItem(uuid(12), uuid(1), 10);  // moves are clamped to the ends
    EXPECT_EQ(texts(), (Strings{"b", " ", "e", "c"}));
    model->moveItem(uuid(12), uuid(1), -2);
    EXPECT_EQ(texts(), (Strings{"b", "c", " ", "e"}));
    EXPECT_EQ(saves(), 3u);
}

TEST_F(ChecklistModelTest, ChangingOptionsKeepsTicksAndChoicesConsistent) {
    // Options before, the choice of a question (else the plain item is ticked), options after,
    // and whether the item is then ticked, with which choice.
    using Choice = std::optional<std::string>;
    const std::tuple<Strings, Choice, Strings, bool, Choice> cases[] = {
        {{}, std::nullopt, {"A", "B"}, false, std::nullopt},  // options on a ticked plain item drop its tick
        {{}, std::nullopt, {" ", ""}, true, std::nullopt},    // it stays plain: the tick stays
        {{"A", "B"}, "A", {}, false, std::nullopt},           // no options left: choice and tick go
        {{"A", "B"}, "B", {"B", "C"}, true, "B"},             // still offered: both stay
        {{"A", "B"}, "A", {"B", "C"}, false, std::nullopt},   // no longer offered: both go
    };
    int row = 0;
    for (const auto& [before, choice, after, ticked, kept] : cases) {
        SCOPED_TRACE(row++);
        ChecklistState state = oneTemplate({{uuid(10), "Q", before}});
        state.checked[key(1)] = {key(10)};
        if (choice) state.choices[key(1)] = {{key(10), *choice}};
        ChecklistModel& m = makeModel(state);
        m.setOptions(after, uuid(10), uuid(1));
        EXPECT_EQ(m.isChecked(uuid(10)), ticked);
        EXPECT_EQ(m.choice(uuid(10)), kept);
        EXPECT_EQ(m.state(), m.state().validated()) << "no empty entry is left";
    }
}

}  // namespace
}  // namespace ChecklistKit
