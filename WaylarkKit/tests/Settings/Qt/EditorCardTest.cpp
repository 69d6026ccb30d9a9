#include <memory>

#include <QTest>
#include <gtest/gtest.h>

#include "SettingsKit/tests/ModelFixture.h"
#include "WaylarkKit/Settings/NewsRulesEditorModel.h"
#include "WaylarkKit/Settings/Qt/EditorCard.h"
#include "WaylarkKit/Settings/Qt/GreetingEditorView.h"
#include "WaylarkKit/Settings/Qt/NewsRulesEditorView.h"
#include "WaylarkKit/Settings/Qt/TimingEditorView.h"
#include "WaylarkKit/Settings/Qt/TimingProfilePage.h"
#include "WaylarkKit/Settings/TimingEditorModel.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;

namespace {

// However a card goes, what was typed is on disk at once, not after the
// settings' usual delay, and nothing half typed survives to the next opening.
class EditorCardTest : public SettingsKitTesting::ModelTest {
protected:
    // Opens the card's editor as the program does; its "Done" counts in `dones`.
    template <class View>
    View* open(const EditorCard& card) {
        WaylarkKitTest::app();
        if (card.opening) card.opening();
        content.reset(card.content(nullptr, [this] { ++dones; }));
        return dynamic_cast<View*>(content.get());
    }
    void done(const EditorCard& card, QWidget* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        EXPECT_EQ(dones, 1);
        card.closing();
    }

    int dones = 0;
    std::unique_ptr<QWidget> content;
};

TEST_F(EditorCardTest, ClosingTheTimingCardDropsDraftsTidiesAndSaves) {
    TimingEditorModel editor(scheduler);
    const EditorCard card = EditorCard::timing(*model, editor, scheduler);
    EXPECT_EQ(card.size, (IslandKit::Size{640, 400}));
    editor.setSection(TimingEditorModel::Section::macros);
    auto* view = open<TimingEditorView>(card);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->currentPage(), view->profilePage());  // every opening starts on the profile

    model->renameWindow("NY", 1, "  Open ");
    editor.commit("9:", true, "NY", 0, *model);
    const std::size_t saves = store->saves.size();
    done(card, view->profilePage()->doneButton());
    EXPECT_EQ(store->saves.size(), saves + 1);
    EXPECT_EQ(store->saves.back().profiles[0].windows[1].name, "Open");
    EXPECT_TRUE(editor.drafts().empty());
    EXPECT_EQ(editor.message(), std::nullopt);
}

TEST_F(EditorCardTest, ClosingTheNewsRuleCardDisarmsAndSaves) {
    NewsRulesEditorModel editor(scheduler);
    const EditorCard card = EditorCard::newsRule(*model, editor);
    auto* view = open<NewsRulesEditorView>(card);
    ASSERT_NE(view, nullptr);
    QTest::mouseClick(view->stepButton(false, true), Qt::LeftButton);
    QTest::mouseClick(view->restoreButton(), Qt::LeftButton);
    ASSERT_TRUE(editor.armedRestore());
    done(card, view->doneButton());
    EXPECT_FALSE(editor.armedRestore());
    ASSERT_FALSE(store->saves.empty());
    EXPECT_EQ(store->saves.back().newsRule.beforeSeconds, 360);
}

TEST_F(EditorCardTest, ClosingTheGreetingCardTrimsAndSaves) {
    int tries = 0;
    const EditorCard card = EditorCard::greeting(*model, scheduler, [&] { ++tries; }, fixedReduceMotion(true));
    EXPECT_EQ(card.size, (IslandKit::Size{520, 420}));
    auto* view = open<GreetingEditorView>(card);
    ASSERT_NE(view, nullptr);
    model->setGreetingLeading(" Hello  ");
    done(card, view->doneButton());
    ASSERT_FALSE(store->saves.empty());
    EXPECT_EQ(store->saves.back().greeting.leading, "Hello");
}

}  // namespace
