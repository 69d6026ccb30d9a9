#include <QApplication>
#include <QEnterEvent>
#include <QWheelEvent>

#include "WaylarkKit/L2/Qt/HoverTracker.h"
#include "WaylarkKit/L2/Qt/L2PanelView.h"
#include "WaylarkKit/Weekly/Qt/WeeklyTabView.h"
#include "WaylarkKit/tests/Views/Qt/IslandViewsFixture.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Testing;

namespace {

using Action = PanelFooter::Button::Action;

class L2PanelViewTest : public IslandViewsTest {
protected:
    // The scenario at `moment` on an island whose panel is open on the timeline.
    void open(double moment) {
        islandAt(moment);
        expand(L2Tab::timeline);
    }
    void clickAt(QPointF at) {
        QWidget* target = panel().childAt(at.toPoint());
        if (target == nullptr) target = &panel();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&panel(), at.toPoint()));
    }
    QWidget* trackerOver(L2Tab tab) {
        for (auto* tracker : panel().findChildren<HoverTracker*>()) {
            if (tracker->isVisible() && QRectF(tracker->geometry()).contains(panel().regionRect(tab).center())) {
                return tracker;
            }
        }
        return nullptr;
    }
    void hover(QWidget* tracker, bool inside) {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(tracker, inside ? static_cast<QEvent*>(&enter) : &leave);
    }
    std::vector<L2Tab> tabs() {
        std::vector<L2Tab> result;
        for (const L2Region& r : panel().regions()) result.push_back(r.tab);
        return result;
    }
};

TEST_F(L2PanelViewTest, StripsOpenTheirTabsAndTheMainRegionShowsTheTabView) {
    open(DemoMoment::cpiBlackout);
    EXPECT_EQ(tabs(), (std::vector<L2Tab>{L2Tab::timeline, L2Tab::weekly, L2Tab::checklist}));
    clickAt(panel().regionRect(L2Tab::checklist).center());
    EXPECT_EQ(timing.activeTab(), L2Tab::checklist);
    settle();
    ASSERT_NE(panel().tabView(L2Tab::checklist), nullptr);
    EXPECT_TRUE(panel().tabView(L2Tab::checklist)->isVisible());
    EXPECT_EQ(QRectF(panel().tabView(L2Tab::checklist)->geometry()), panel().regionRect(L2Tab::checklist));
    EXPECT_FALSE(panel().tabView(L2Tab::timeline)->isVisible());
    // The lot-size strip shows only while its tab is open.
    clickAt(panel().regionRect(L2Tab::weekly).center());
    timing.setActiveTab(L2Tab::calculator);
    EXPECT_EQ(tabs(), (std::vector<L2Tab>{L2Tab::timeline, L2Tab::weekly, L2Tab::calculator, L2Tab::checklist}));
    // Collapsed: nothing shows.
    islandModel->collapse();
    EXPECT_FALSE(panel().tabView(L2Tab::calculator)->isVisible());
    EXPECT_EQ(trackerOver(L2Tab::weekly), nullptr);
}

TEST_F(L2PanelViewTest, EachOpeningShowsTheWeeklyListFromItsStart) {
    // A week with more releases than the list shows at once.
    using CalendarKit::Testing::answer;
    using CalendarKit::Testing::feedOf;
    fetcher->script(CalendarKit::FeedWeek::thisWeek, answer(200, feedOf(10, newYork(3, 9, 8, 30))));
    fetcher->script(CalendarKit::FeedWeek::nextWeek, answer(200, feedOf(10, newYork(3, 16, 8, 30))));
    calendar.refresh(true);
    islandAt(DemoMoment::killZone);
    expand(L2Tab::weekly);
    auto weekly = [&] { return dynamic_cast<WeeklyTabView*>(panel().tabView(L2Tab::weekly)); };
    ASSERT_NE(weekly(), nullptr);
    const QPointF overList(20, weekly()->height() - 10);
    QWheelEvent wheel(overList, weekly()->mapToGlobal(overList), QPoint(), QPoint(0, -240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(weekly(), &wheel);
    ASSERT_GT(weekly()->scrollOffset(), 0);

    islandModel->collapse();
    settle();
    expand(L2Tab::weekly);
    ASSERT_NE(weekly(), nullptr);
    EXPECT_TRUE(weekly()->isVisible());
    EXPECT_EQ(weekly()->scrollOffset(), 0);
}

TEST_F(L2PanelViewTest, RegionsSpringToTheNewTab) {
    open(DemoMoment::killZone);
    const auto before = panel().regions();
    timing.setActiveTab(L2Tab::checklist);
    settle(0.1);
    EXPECT_NE(panel().shownRegions(), panel().regions());
    EXPECT_NE(panel().shownRegions(), before);
    settle(1);
    EXPECT_EQ(panel().shownRegions(), panel().regions());
    settle(3);  // the strips' blink after the change of tab
    EXPECT_FALSE(panel().isAnimating());  // nothing restricted: no breathing keeps it going
}

TEST_F(L2PanelViewTest, StripHoverFollowsTheTrackers) {
    open(DemoMoment::killZone);
    QWidget* weekly = trackerOver(L2Tab::weekly);
    QWidget* checklistStrip = trackerOver(L2Tab::checklist);
    ASSERT_TRUE(weekly && checklistStrip);
    hover(weekly, true);
    hover(checklistStrip, true);
    hover(weekly, false);  // out of order: the checklist strip stays hovered
    EXPECT_EQ(panel().stripHover().tab(), L2Tab::checklist);
    hover(checklistStrip, false);
    EXPECT_EQ(panel().stripHover().tab(), std::nullopt);
    // A click on a strip passes through its tracker.
    QTest::mouseClick(weekly, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(timing.activeTab(), L2Tab::weekly);
}

TEST_F(L2PanelViewTest, BlinkBreatheAndShake) {
    open(DemoMoment::cpiBlackout);  // a high-impact blackout: the weekly strip is red and breathes
    EXPECT_DOUBLE_EQ(panel().labelOpacity(L2Tab::checklist), 0.85);
    timing.setActiveTab(L2Tab::weekly);
    timing.setActiveTab(L2Tab::timeline);
    settle(0.6);
    EXPECT_NEAR(panel().labelOpacity(L2Tab::checklist), 0.3, 0.01);
    EXPECT_LT(panel().labelOpacity(L2Tab::weekly), 1.0);
    settle(3.1);
    EXPECT_DOUBLE_EQ(panel().labelOpacity(L2Tab::checklist), 0.85);
    EXPECT_TRUE(panel().isAnimating());  // still breathing
    timing.swipeTab(TabSwipeDirection::previous);  // nothing before the timeline
    settle(0.09);
    EXPECT_NEAR(panel().shakeOffset(), 10, 0.5);
    settle(0.5);
    EXPECT_EQ(panel().shakeOffset(), 0);
}

TEST_F(L2PanelViewTest, ReduceMotionLeavesOutBlinkBreathAndShake) {
    reduceMotion = true;
    open(DemoMoment::cpiBlackout);
    timing.setActiveTab(L2Tab::weekly);
    timing.swipeTab(TabSwipeDirection::next);
    settle(0.2);
    EXPECT_EQ(panel().labelOpacity(L2Tab::timeline), 1.0);
    EXPECT_EQ(panel().labelOpacity(L2Tab::checklist), 1.0);
    EXPECT_EQ(panel().shakeOffset(), 0);
    settle(1);
    EXPECT_FALSE(panel().isAnimating());
}

TEST_F(L2PanelViewTest, FooterButtonsAndStatusLine) {
    int greetingEditors = 0;
    timing.setOnOpenGreetingEditor([&] { ++greetingEditors; });
    open(DemoMoment::killZone);
    EXPECT_EQ(panel().statusLine(), "Demo · scenariu de test, nu date reale");
    clickAt(panel().buttonRect(Action::cycleConfidence).center());
    EXPECT_EQ(timing.simulatedConfidence(), TradingCore::DataConfidence::degraded);
    EXPECT_EQ(panel().buttons()[2].title, "Date: cam vechi (simulat)");
    clickAt(panel().buttonRect(Action::greeting).center());
    clickAt(panel().buttonRect(Action::quit).center());
    EXPECT_EQ(greetingEditors, 1);
    EXPECT_EQ(quits, 1);
    clickAt(panel().buttonRect(Action::toggleMode).center());
    EXPECT_EQ(timing.mode(), TimingViewModel::Mode::live);
    EXPECT_EQ(panel().buttons()[1].title, "Reîmprospătează");
    EXPECT_EQ(panel().statusLine(), "Data degraded · never read · no red USD ahead");
    // The refresh button asks the calendar at once.
    clickAt(panel().buttonRect(Action::refresh).center());
    EXPECT_EQ(calendar.status(), CalendarKit::CalendarServiceStatus::syncing());
    EXPECT_EQ(panel().statusLine(), "Data degraded · reading… · never read · no red USD ahead");
    // In presentation the footer is gone.
    timing.setPresentation(true);
    clickAt(panel().buttonRect(Action::quit).center());
    EXPECT_EQ(quits, 1);
}

}  // namespace
