#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "WaylarkKit/Weekly/Qt/WeeklyTabView.h"
#include "WaylarkKit/Weekly/WeeklyTabLayout.h"
#include "WaylarkKit/tests/Timing/TimingFixture.h"
#include "WaylarkKit/tests/Weekly/RealisticWeek.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;
using Testing::newYorkTime;
namespace L = WaylarkKit::WeeklyTabLayout;

namespace {

// The weekly tab on the realistic week, Wednesday 5 November 2025 at 10:20 in
// New York, shown at its usual size.
struct WeeklyTab : Testing::TimingStage {
    bool appReady = (WaylarkKitTest::app(), true);
    std::unique_ptr<WeeklyTabView> view;  // goes before the model it shows

    WeeklyTab() {
        scheduler.setNow(newYorkTime(2025, 11, 5, 10, 20));
        make(Mode::live, Testing::realisticWeek());
        view = std::make_unique<WeeklyTabView>(*model, scheduler);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }

    void click(double x, double y) { QTest::mouseClick(view.get(), Qt::LeftButton, {}, QPoint(int(x), int(y))); }
    void click(const L::Rect& r) { click(r.midX(), r.midY()); }
    // The middle of entry `index` of a menu panel as it shows.
    void clickMenuRow(const L::Rect& panel, double index) { click(panel.midX(), panel.y + (index + 0.5) * 26); }
    void wheel(double x, double y, int notches) {
        QWheelEvent event(QPointF(x, y), view->mapToGlobal(QPointF(x, y)), QPoint(), QPoint(0, notches * 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.get(), &event);
    }
    std::vector<std::size_t> rowsPerDay() const {
        std::vector<std::size_t> counts;
        for (const WeeklyDay& day : view->days()) counts.push_back(day.items.size());
        return counts;
    }
    L::Rect impactPanel() const { return L::impactPanel(view->width()); }
};

using Counts = std::vector<std::size_t>;

}  // namespace

TEST(WeeklyTabViewTest, TheFilterMenusChangeTheRowsAndTakeTheNextClick) {
    WeeklyTab tab;
    EXPECT_EQ(tab.rowsPerDay(), (Counts{1, 1, 2, 1, 4}));

    tab.click(tab.view->headerGeometry().impactButton);
    ASSERT_TRUE(tab.model->isWeeklyImpactMenuOpen());
    tab.clickMenuRow(tab.impactPanel(), 0);  // "High" is always listed
    EXPECT_FALSE(tab.settings->weeklyIncludeMedium());
    tab.clickMenuRow(tab.impactPanel(), 1);
    EXPECT_TRUE(tab.settings->weeklyIncludeMedium());
    EXPECT_TRUE(tab.model->isWeeklyImpactMenuOpen());  // it stays open
    EXPECT_EQ(tab.rowsPerDay(), (Counts{2, 2, 4, 4, 7}));
    tab.click(20, 100);  // outside the panel: only closes
    EXPECT_FALSE(tab.model->isWeeklyImpactMenuOpen());
    EXPECT_TRUE(tab.settings->weeklyIncludeMedium());

    tab.click(tab.view->headerGeometry().currencyButton);
    ASSERT_TRUE(tab.model->isWeeklyMenuOpen());
    ASSERT_EQ(tab.view->currencies(),
              (std::vector<std::string>{"USD", "AUD", "CAD", "CHF", "CNY", "EUR", "GBP", "JPY", "NZD"}));
    // Nine codes in a panel of five: scrolled to its end, the fourth row shown is JPY.
    const L::Rect panel = L::currencyPanel(tab.view->width(), 9);
    EXPECT_EQ(panel.height, 130);
    tab.wheel(panel.midX(), panel.midY(), -3);
    tab.clickMenuRow(panel, 3);
    EXPECT_EQ(tab.settings->weeklyCurrency(), "JPY");
    EXPECT_FALSE(tab.model->isWeeklyMenuOpen());
    EXPECT_EQ(tab.rowsPerDay(), (Counts{1, 0, 0, 0, 0}));
    EXPECT_TRUE(tab.view->days()[0].items[0].isHoliday);

    // An open menu takes the next click, and hiding closes it.
    int editorRequests = 0;
    tab.model->setOnOpenNewsEditor([&] { ++editorRequests; });
    const L::HeaderGeometry header = tab.view->headerGeometry();

    tab.click(header.currencyButton);
    tab.click(header.impactButton);  // lands on the currency menu's catcher
    EXPECT_FALSE(tab.model->isWeeklyMenuOpen());
    EXPECT_FALSE(tab.model->isWeeklyImpactMenuOpen());
    tab.click(header.impactButton);
    EXPECT_TRUE(tab.model->isWeeklyImpactMenuOpen());
    tab.click(header.pencilButton);  // the catcher again
    EXPECT_FALSE(tab.model->isWeeklyImpactMenuOpen());
    EXPECT_EQ(editorRequests, 0);
    tab.click(header.pencilButton);
    EXPECT_EQ(editorRequests, 1);

    // Flags set from elsewhere: the impact menu lies on top and closes first.
    tab.model->setWeeklyMenuOpen(true);
    tab.model->setWeeklyImpactMenuOpen(true);
    tab.click(5, 120);
    EXPECT_TRUE(tab.model->isWeeklyMenuOpen());
    EXPECT_FALSE(tab.model->isWeeklyImpactMenuOpen());
    tab.view->hide();
    EXPECT_FALSE(tab.model->isAnyMenuOpen());
}

TEST(WeeklyTabViewTest, TheFocusedReleaseGlidesToTheMiddleAndEveryRowOfItLightsUp) {
    WeeklyTab tab;
    tab.settings->setWeeklyIncludeMedium(true);
    ASSERT_EQ(tab.view->scrollOffset(), 0);
    // Sentiment and inflation expectations of the same survey share one id.
    const WeeklyItem& sentiment = tab.view->days()[4].items[3];
    ASSERT_EQ(sentiment.title, "Prelim UoM Consumer Sentiment");
    tab.model->openWeekly(sentiment.activityID);

    const std::vector<std::size_t> rows = tab.view->focusedRows();
    ASSERT_EQ(rows.size(), 2u);
    const auto& entries = tab.view->listLayout().entries;
    const double viewport = tab.view->height() - L::listTop;
    const double target = L::centredOffset(entries[rows[0]], tab.view->listLayout().contentHeight, viewport);
    ASSERT_NE(target, L::centredOffset(entries[rows[1]], tab.view->listLayout().contentHeight, viewport));

    tab.scheduler.advance(0.1);
    EXPECT_GT(tab.view->scrollOffset(), 0);
    EXPECT_LT(tab.view->scrollOffset(), target);
    tab.scheduler.advance(0.2);
    EXPECT_EQ(tab.view->scrollOffset(), target);

    // Both rows carry the light fill; their neighbours do not.
    const QImage image = WaylarkKitTest::render(*tab.view, 1);
    const auto fillAt = [&](std::size_t entry) {
        return qGray(image.pixel(3, int(tab.view->entryRect(entry).center().y())));
    };
    EXPECT_NEAR(fillAt(rows[0]), 31, 3);
    EXPECT_NEAR(fillAt(rows[1]), 31, 3);
    EXPECT_EQ(fillAt(rows[0] - 1), 0);
    EXPECT_EQ(fillAt(rows[1] + 1), 0);

    // Clearing the focus, ticks, a wheel over the header and a focus that no
    // row carries all leave the list where it is; a wheel over the list moves it.
    tab.model->clearWeeklyFocus();
    tab.model->start();
    tab.scheduler.advance(3);
    tab.wheel(100, 10, 1);
    tab.model->openWeekly("news:Nothing@0");
    tab.scheduler.advance(1);
    EXPECT_EQ(tab.view->scrollOffset(), target);
    EXPECT_TRUE(tab.view->focusedRows().empty());
    tab.wheel(100, 80, 1);
    EXPECT_LT(tab.view->scrollOffset(), target);
    tab.model->stop();
}

TEST(WeeklyTabViewTest, TheTabMatchesItsReferences) {
    struct Case {
        const char* golden;
        std::string currency;
        bool includeMedium;
        bool currencyMenu;
        bool impactMenu;
        int focusDay, focusItem;  // -1: no focus
        int height = WeeklyTabView::preferredHeight;
    };
    const Case cases[] = {
        {"weekly-tab-default", "USD", false, false, false, -1, -1},
        {"weekly-tab-narrowed", "JPY", false, false, false, -1, -1},
        {"weekly-tab-menu", "USD", true, true, false, -1, -1},
        {"weekly-tab-impact-menu", "USD", false, false, true, -1, -1},
        {"weekly-tab-focus", "USD", true, false, false, 4, 1},
        // The whole week at once, every row in sight.
        {"weekly-tab-week", "USD", true, false, false, -1, -1, 580},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        WeeklyTab tab;
        tab.view->resize(WeeklyTabView::preferredWidth, c.height);
        tab.settings->setWeeklyCurrency(c.currency);
        tab.settings->setWeeklyIncludeMedium(c.includeMedium);
        tab.model->setWeeklyMenuOpen(c.currencyMenu);
        tab.model->setWeeklyImpactMenuOpen(c.impactMenu);
        if (c.focusDay >= 0) {
            tab.model->openWeekly(tab.view->days()[c.focusDay].items[c.focusItem].activityID);
            tab.scheduler.advance(0.3);
        }
        EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*tab.view), c.golden));
    }
}
