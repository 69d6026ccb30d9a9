#include <memory>

#include <QGuiApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "IslandKit/Overlay/OverlayRootView.h"
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
    template <class View>
    View* present(EditorCard& card) {
        WaylarkKitTest::app();
        card.onVisibilityChange = [this](bool visible) { shown.push_back(visible); };
        card.present(QGuiApplication::primaryScreen());
        scheduler.advance(0.3);
        return dynamic_cast<View*>(card.controller().rootView()->contentView());
    }
    void closeBy(QWidget* done) {
        QTest::mouseClick(done, Qt::LeftButton, {}, done->rect().center());
        scheduler.advance(0.01);  // less than the save delay, but the fade-out is over
        scheduler.advance(0.2);
    }

    std::vector<bool> shown;
};

TEST_F(EditorCardTest, ClosingTheTimingCardDropsDraftsTidiesAndSaves) {
    TimingEditorModel editor(scheduler);
    auto card = EditorCard::timing(*model, editor, scheduler);
    editor.setSection(TimingEditorModel::Section::macros);
    auto* view = present<TimingEditorView>(*card);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->currentPage(), view->profilePage());  // every opening starts on the profile

    model->renameWindow("NY", 1, "  Open ");
    editor.commit("9:", true, "NY", 0, *model);
    const std::size_t saves = store->saves.size();
    closeBy(view->profilePage()->doneButton());
    EXPECT_EQ(shown, (std::vector<bool>{true, false}));
    EXPECT_EQ(store->saves.size(), saves + 1);
    EXPECT_EQ(store->saves.back().profiles[0].windows[1].name, "Open");
    EXPECT_TRUE(editor.drafts().empty());
    EXPECT_EQ(editor.message(), std::nullopt);
}

TEST_F(EditorCardTest, ClosingTheNewsRuleCardDisarmsAndSaves) {
    NewsRulesEditorModel editor(scheduler);
    auto card = EditorCard::newsRule(*model, editor, scheduler);
    auto* view = present<NewsRulesEditorView>(*card);
    ASSERT_NE(view, nullptr);
    QTest::mouseClick(view->stepButton(false, true), Qt::LeftButton);
    QTest::mouseClick(view->restoreButton(), Qt::LeftButton);
    ASSERT_TRUE(editor.armedRestore());
    closeBy(view->doneButton());
    EXPECT_FALSE(editor.armedRestore());
    ASSERT_FALSE(store->saves.empty());
    EXPECT_EQ(store->saves.back().newsRule.beforeSeconds, 360);
}

TEST_F(EditorCardTest, ClosingTheGreetingCardTrimsAndSaves) {
    int tries = 0;
    auto card = EditorCard::greeting(*model, scheduler, [&] { ++tries; });
    auto* view = present<GreetingEditorView>(*card);
    ASSERT_NE(view, nullptr);
    model->setGreetingLeading(" Hello  ");
    closeBy(view->doneButton());
    ASSERT_FALSE(store->saves.empty());
    EXPECT_EQ(store->saves.back().greeting.leading, "Hello");
}

}  // namespace
