#include <memory>

#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "ChecklistKit/InMemoryChecklistStore.h"
#include "WaylarkKit/Checklist/Qt/ChecklistDropdown.h"
#include "WaylarkKit/Checklist/Qt/ChecklistIndicator.h"
#include "WaylarkKit/Checklist/Qt/ChecklistItemsView.h"
#include "WaylarkKit/Checklist/Qt/ChecklistTabView.h"
#include "WaylarkKit/Checklist/Qt/EmptyChecklistView.h"
#include "WaylarkKit/Checklist/Qt/HoldToResetButton.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;
using ChecklistKit::ChecklistModel;

namespace {

struct Tab {
    bool appReady = (WaylarkKitTest::app(), true);
    Base::ManualScheduler scheduler;
    ChecklistModel checklist{std::make_shared<ChecklistKit::InMemoryChecklistStore>(), scheduler, 0.4};
    ChecklistUIState ui{1.0, scheduler};
    std::vector<EditorRequest> requests;
    Base::Uuid main, other, stop, trend, news, size;
    std::unique_ptr<ChecklistTabView> view;

    explicit Tab(bool withChecklists = true) {
        ui.setOnOpenEditor([this](const EditorRequest& r) { requests.push_back(r); });
        // Standing in for the application core, which wires the hold to the reset.
        ui.resetHold().setOnComplete([this] { checklist.resetActive(); });
        if (withChecklists) {
            other = *checklist.createTemplate("Scalping");
            main = *checklist.createTemplate("Pre-trade");
            stop = *checklist.addItem(main, "Stop placed beyond the last swing");
            trend = *checklist.addItem(main, "Trend on the 15-minute chart");
            checklist.setOptions({"Above", "Below", "Sideways"}, trend, main);
            news = *checklist.addItem(main, "No red news in the next 30 minutes");
            size = *checklist.addItem(main, "Lot size from the calculator");
        }
        view = std::make_unique<ChecklistTabView>(checklist, ui, scheduler);
        view->show();
    }

    // Clicks where the user would: on whatever lies on top at that point of the tab.
    void click(const QPointF& inTab) {
        const QPoint p = inTab.toPoint();
        QWidget* target = view->childAt(p);
        if (target == nullptr) target = view.get();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(view.get(), p));
    }
    QPointF inTab(const QRectF& itemRect) const {
        return view->items().mapTo(view.get(), itemRect.center().toPoint());
    }
    ChecklistItemsView::Parts parts(const Base::Uuid& id) const { return *view->items().parts(id); }
};

}  // namespace

TEST(ChecklistTabViewTest, TickingAndChoosingChangeTheChecklist) {
    Tab t;
    t.click(t.inTab(t.parts(t.stop).text));
    EXPECT_TRUE(t.checklist.isChecked(t.stop));
    EXPECT_TRUE(t.view->resetButton().isResetEnabled());

    // The gap between box and text of a plain row ticks too.
    const ChecklistItemsView::Parts plain = t.parts(t.news);
    t.click(t.view->items().mapTo(t.view.get(), QPoint(17, static_cast<int>(plain.row.center().y()))));
    EXPECT_TRUE(t.checklist.isChecked(t.news));

    t.click(t.inTab(t.parts(t.trend).pill));
    EXPECT_EQ(t.ui.openChoiceItemID(), t.trend);
    ASSERT_EQ(t.parts(t.trend).chips.size(), 3u);
    t.click(t.inTab(t.parts(t.trend).chips[1]));
    EXPECT_EQ(t.checklist.choice(t.trend), "Below");
    EXPECT_TRUE(t.checklist.isChecked(t.trend));
    EXPECT_FALSE(t.ui.openChoiceItemID());

    // The box of an answered question clears the answer without opening the picker.
    t.click(t.inTab(t.parts(t.trend).box));
    EXPECT_FALSE(t.checklist.choice(t.trend));
    EXPECT_FALSE(t.ui.openChoiceItemID());
    t.click(t.inTab(t.parts(t.trend).box));
    t.click(t.inTab(t.parts(t.trend).chips[0]));
    t.click(t.inTab(t.parts(t.trend).text));
    t.click(t.inTab(t.parts(t.trend).chips[0]));  // the chosen chip again takes the choice back
    EXPECT_EQ(t.checklist.progress(), (ChecklistKit::ChecklistProgress{2, 4}));
}

TEST(ChecklistTabViewTest, TheMenuSwitchesChecklistsAndCatchesEveryOtherClick) {
    Tab t;
    t.ui.toggleChoice(t.trend);
    t.click(t.view->pillRect().center());
    EXPECT_FALSE(t.ui.openChoiceItemID());
    EXPECT_TRUE(t.view->dropdown().isVisible());
    EXPECT_EQ(t.view->dropdown().listRect().height(), 52);

    // Clicks outside the menu only close it: the row is not ticked, the editor not opened.
    t.click(t.inTab(t.parts(t.stop).box));
    EXPECT_FALSE(t.ui.isDropdownOpen());
    EXPECT_FALSE(t.checklist.isChecked(t.stop));
    t.click(t.view->pillRect().center());
    t.click(t.view->pencilRect().center());
    EXPECT_FALSE(t.ui.isDropdownOpen());
    EXPECT_TRUE(t.requests.empty());

    t.click(t.view->pillRect().center());
    t.click(t.view->dropdown().rowRect(0).center());  // "Scalping"
    EXPECT_EQ(t.checklist.activeTemplate()->id, t.other);
    EXPECT_TRUE(t.view->scrollArea().isHidden());  // "No items yet…"

    t.click(t.view->pillRect().center());
    t.click(t.view->dropdown().rowRect(2).center());  // "Create new"
    t.click(t.view->pencilRect().center());
    EXPECT_EQ(t.requests, (std::vector<EditorRequest>{EditorRequest::create(), EditorRequest::edit(t.other)}));

    t.ui.setDropdownOpen(true);
    t.ui.toggleChoice(t.trend);
    t.view->hide();
    EXPECT_FALSE(t.ui.isDropdownOpen());
    EXPECT_FALSE(t.ui.openChoiceItemID());
}

TEST(ChecklistTabViewTest, HoldToResetClearsOnlyAfterTheFullHoldOfItsOwnButton) {
    Tab t;
    HoldToResetButton* button = &t.view->resetButton();
    const QPoint centre = button->rect().center();
    QTest::mousePress(button, Qt::LeftButton, {}, centre);
    EXPECT_FALSE(t.ui.resetHold().isHolding());  // nothing ticked: disabled
    QTest::mouseRelease(button, Qt::LeftButton, {}, centre);

    t.checklist.toggle(t.stop);
    QTest::mousePress(button, Qt::LeftButton, {}, centre);
    t.scheduler.advance(0.6);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(300, 300));  // released outside, early
    t.scheduler.advance(1);
    EXPECT_TRUE(t.checklist.isChecked(t.stop));
    QTest::mousePress(button, Qt::LeftButton, {}, centre);
    t.scheduler.advance(0.5);
    t.view->hide();  // the tab swiped away, the island collapsed
    t.scheduler.advance(2);
    EXPECT_TRUE(t.checklist.isChecked(t.stop));
    EXPECT_FALSE(t.ui.resetHold().isHolding());

    t.view->show();
    QTest::mousePress(button, Qt::LeftButton, {}, centre);
    t.scheduler.advance(0.95);
    EXPECT_TRUE(t.checklist.isChecked(t.stop));
    t.scheduler.advance(0.1);
    EXPECT_FALSE(t.checklist.isChecked(t.stop));
    EXPECT_FALSE(button->isResetEnabled());
    QTest::mouseRelease(button, Qt::LeftButton, {}, centre);

    t.checklist.toggle(t.stop);
    QTest::mousePress(button, Qt::LeftButton, {}, centre);
    t.scheduler.advance(0.5);
    t.view.reset();
    t.scheduler.advance(2);
    EXPECT_TRUE(t.checklist.isChecked(t.stop));
}

TEST(ChecklistTabViewTest, ScrollsToAnOpenedPickerAndToRequestedRows) {
    Tab t;
    for (int i = 0; i < 4; ++i) t.checklist.addItem(t.main, "Extra item " + std::to_string(i));
    const Base::Uuid last = *t.checklist.addItem(t.main, "Bias");
    t.checklist.setOptions({"Long", "Short"}, last, t.main);
    QScrollBar& bar = *t.view->scrollArea().verticalScrollBar();
    const int viewport = t.view->scrollArea().viewport()->height();
    ASSERT_EQ(bar.value(), 0);

    t.ui.setScrollTick(t.ui.scrollTick() + 1);  // no target: nothing
    t.scheduler.advance(0.5);
    EXPECT_EQ(bar.value(), 0);

    t.ui.toggleChoice(last);
    t.scheduler.advance(0.1);
    EXPECT_GT(bar.value(), 0);
    t.scheduler.advance(0.15);
    const QRectF row = *t.view->items().rowRect(last);
    EXPECT_EQ(bar.value(), static_cast<int>(std::lround(row.bottom() - viewport)));

    t.ui.setScrollTarget(t.stop);
    t.ui.setScrollTick(t.ui.scrollTick() + 1);
    t.scheduler.advance(0.4);
    EXPECT_EQ(bar.value(), 0);
}

TEST(ChecklistTabViewTest, WithoutChecklistsOnlyTheCreateButtonShows) {
    Tab t(false);
    t.ui.setDropdownOpen(true);
    EXPECT_TRUE(t.view->emptyView().isVisible());
    EXPECT_FALSE(t.view->dropdown().isVisible());
    EXPECT_FALSE(t.view->resetButton().isVisible());
    t.click(t.view->emptyView().createButtonRect().center());
    EXPECT_EQ(t.requests, std::vector<EditorRequest>{EditorRequest::create()});
    EXPECT_FALSE(t.ui.isDropdownOpen());
}

TEST(ChecklistTabViewTest, GoldenPartlyDoneWithAnOpenPicker) {
    Tab t;
    t.checklist.toggle(t.stop);
    t.checklist.setChoice("Above", t.trend);
    t.ui.toggleChoice(t.trend);
    t.scheduler.advance(0.3);
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*t.view), "checklist-tab"));
}

TEST(ChecklistIndicatorTest, FollowsTheActiveChecklist) {
    Tab t;
    ChecklistIndicator badge(t.checklist, t.scheduler, fixedReduceMotion(false));
    EXPECT_EQ(badge.state().text(), "0/4");
    t.checklist.selectTemplate(t.other);
    EXPECT_EQ(badge.state().text(), "0/0");
    t.checklist.deleteTemplate(t.other);
    t.checklist.deleteTemplate(t.main);
    EXPECT_EQ(badge.state().kind, ChecklistIndicatorState::Kind::noChecklist);

    // The "!" pulses only while it is shown.
    t.scheduler.advance(1);  // the checklists' save
    EXPECT_EQ(t.scheduler.pendingCount(), 0u);
    badge.show();
    t.scheduler.advance(1.1);
    EXPECT_GT(t.scheduler.pendingCount(), 0u);
    badge.hide();
    t.scheduler.advance(1);
    EXPECT_EQ(t.scheduler.pendingCount(), 0u);
}
