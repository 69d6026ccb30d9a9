#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SettingsKit/InMemorySettingsStore.h"
#include "WaylarkKit/Views/Qt/TimelineTabView.h"
#include "WaylarkKit/tests/Timing/TimingFixture.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

namespace WaylarkKit {
namespace {

using Testing::newYork;
using TradingCore::IntervalColor;
using TradingCore::NewsImpact;
using TradingCore::WallClockTime;

CalendarKit::CalendarEvent usd(const char* id, const char* title, NewsImpact impact, int hour, int minute) {
    return {id, title, "USD", impact, newYork(3, 10, hour, minute), std::nullopt, "", ""};
}

// Tuesday 10 March 2026 at 10:20 New York, inside the "Opening" window: a
// medium release at 09:58 and a high one at 10:30, the hourly macros, and two
// custom times, all around now.
class TimelineTabViewTest : public Testing::TimingTest {
protected:
    void SetUp() override {
        WaylarkKitTest::app();
        SettingsKit::AppSettings stored;
        TradingCore::SessionProfile renamed = stored.profiles.front();
        renamed.name = "R&D";
        stored.profiles.push_back(renamed);
        stored.newsRule.impacts.insert(NewsImpact::medium);
        const std::set<TradingCore::Weekday> days = TradingCore::workDays();
        stored.customIntervals = {
            {*Base::Uuid::fromText("8E1A6C1E-0000-4000-8000-000000000001"), "Kill zone", WallClockTime(10, 0),
             WallClockTime(11, 0), days, IntervalColor::pink},
            {*Base::Uuid::fromText("8E1A6C1E-0000-4000-8000-000000000002"), "Silver Bullet", WallClockTime(10, 15),
             WallClockTime(10, 45), days, IntervalColor::cyan},
        };
        store->cache = CalendarKit::CalendarCache(
            scheduler.now() - 600,
            {usd("ppi", "PPI m/m", NewsImpact::medium, 9, 58), usd("cpi", "CPI m/m", NewsImpact::high, 10, 30)},
            {});
        calendar = std::make_unique<CalendarKit::CalendarService>(fetcher, store, scheduler,
                                                                  CalendarKit::CalendarService::Settings::application());
        settings = std::make_unique<SettingsKit::SettingsModel>(
            std::make_shared<SettingsKit::InMemorySettingsStore>(stored), scheduler, 0.4);
        model = std::make_unique<TimingViewModel>(*calendar, *settings, Mode::live, 5.0, scheduler);
        model->setExpanded(true);
        view = std::make_unique<TimelineTabView>(*model);
        view->resize(440, TimelineTabView::tabHeight);
        view->show();
    }
    void TearDown() override { view.reset(); }

    // The middle of the first visible canvas item of a kind, in the view's coordinates.
    QPoint centre(const IslandKit::Rect& rect) const {
        return QPointF(rect.x + rect.width / 2, rect.y + rect.height / 2 + TimelineTabView::canvasTop).toPoint();
    }
    // Through the window, as the platform delivers clicks, so an open menu sees them first.
    void tap(QPoint point) { QTest::mouseClick(view->windowHandle(), Qt::LeftButton, {}, point); }
    void tap(const QRectF& rect) { tap(rect.center().toPoint()); }

    std::unique_ptr<TimelineTabView> view;
};

TEST_F(TimelineTabViewTest, ATapSelectsEachKindOfItemAndASecondTapClearsIt) {
    const TimelineCanvas canvas = view->canvas();
    ASSERT_FALSE(canvas.pieces.empty());
    ASSERT_FALSE(canvas.macroPieces.empty());
    ASSERT_EQ(canvas.markers.size(), 2u);
    ASSERT_EQ(canvas.rails.size(), 2u);
    const struct {
        const char* name;
        QPoint point;
        TimelineSelection selection;
    } rows[] = {
        {"status piece", centre(canvas.pieces.back().frame), canvas.pieces.back().selection},
        {"macro piece", centre(canvas.macroPieces.front().frame), canvas.macroPieces.front().selection},
        {"news marker", centre(canvas.markers.back().frame), TimelineSelection::marker(canvas.markers.back().selection.id)},
        {"custom rail", centre(canvas.rails.back().tapArea), canvas.rails.back().selection},
    };
    for (const auto& row : rows) {
        tap(row.point);
        EXPECT_EQ(model->selection(), row.selection) << row.name;
        tap(row.point);
        EXPECT_EQ(model->selection(), std::nullopt) << row.name;
    }
    // A press on one item released on another is no tap.
    QTest::mousePress(view->windowHandle(), Qt::LeftButton, {}, rows[0].point);
    QTest::mouseRelease(view->windowHandle(), Qt::LeftButton, {}, rows[2].point);
    EXPECT_EQ(model->selection(), std::nullopt);
}

TEST_F(TimelineTabViewTest, ZoomButtonsStopAtTheEnds) {
    const struct {
        bool zoomOut;
        int minutes;
    } steps[] = {{false, 30}, {true, 60}, {true, 120}, {true, 120}, {false, 60}, {false, 30}, {false, 30}};
    for (const auto& step : steps) {
        const TimelineHeader header = view->header();
        tap(step.zoomOut ? header.zoomOutButton : header.zoomInButton);
        EXPECT_EQ(settings->timelineHalfSpanMinutes(), step.minutes);
        EXPECT_EQ(view->header().input.canZoomIn, step.minutes > 30);
        EXPECT_EQ(view->header().input.canZoomOut, step.minutes < 120);
        EXPECT_EQ(view->scale().halfSpan, step.minutes * 60.0);
    }
    EXPECT_EQ(view->header().input.span, QStringLiteral("\u00B130m"));
    const TimelineHeader header = view->header();
    EXPECT_EQ(header.helpText(header.zoomInButton.center()), "Show less time");
    EXPECT_EQ(header.helpText(header.zoomOutButton.center()), "Show more time");
    EXPECT_EQ(header.helpText(header.pencil.center()), "Edit profiles and windows");
    EXPECT_EQ(header.helpText(header.title.center()), "");
}

TEST_F(TimelineTabViewTest, TheProfileMenuSwitchesTheProfile) {
    tap(view->header().profileButton);
    EXPECT_TRUE(model->isProfileMenuOpen());
    QMenu* menu = view->openProfileMenu();
    ASSERT_NE(menu, nullptr);
    std::vector<QString> texts;
    for (QAction* action : menu->actions()) texts.push_back(action->text());
    EXPECT_EQ(texts, (std::vector<QString>{"NY", "London", "Asia", "R&&D"}));

    QAction* rnd = menu->actions().back();
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(rnd).center());
    EXPECT_EQ(settings->activeProfile().name, "R&D");
    EXPECT_FALSE(model->isProfileMenuOpen());
    EXPECT_EQ(view->openProfileMenu(), nullptr);

    // Closed by the model, or by the view going away.
    model->setProfileMenuOpen(true);
    ASSERT_NE(view->openProfileMenu(), nullptr);
    EXPECT_EQ(view->openProfileMenu()->actions().back()->font().weight(), QFont::DemiBold);
    model->setProfileMenuOpen(false);
    EXPECT_EQ(view->openProfileMenu(), nullptr);
    model->setProfileMenuOpen(true);
    view->hide();
    EXPECT_FALSE(model->isProfileMenuOpen());
}

TEST_F(TimelineTabViewTest, ThePencilClosesTheMenuAndOpensTheEditor) {
    int opened = 0;
    model->setOnOpenTimingEditor([&] { ++opened; });
    model->setProfileMenuOpen(true);
    // The open menu takes the click outside it and closes; the next one reaches the pencil.
    tap(view->header().pencil);
    EXPECT_FALSE(model->isProfileMenuOpen());
    EXPECT_EQ(opened, 0);
    tap(view->header().pencil);
    EXPECT_EQ(opened, 1);
    model->setOnOpenTimingEditor({});
    tap(view->header().pencil);
    EXPECT_EQ(opened, 1);
}

// Golden images at the narrowest and widest zoom and with one item of each
// kind selected.
TEST_F(TimelineTabViewTest, Goldens) {
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*view), "timeline-tab-30m"));

    const TimelineCanvas canvas = view->canvas();
    const struct {
        const char* name;
        TimelineSelection selection;
    } selected[] = {
        {"timeline-tab-macro", canvas.macroPieces.front().selection},
        {"timeline-tab-marker", canvas.markers.back().selection},
        {"timeline-tab-custom", canvas.rails.back().selection},
    };
    for (const auto& row : selected) {
        model->toggleSelection(row.selection);
        EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*view), row.name));
        model->toggleSelection(row.selection);
    }

    settings->zoomOut();
    settings->zoomOut();
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*view), "timeline-tab-2h"));
}

}  // namespace
}  // namespace WaylarkKit
