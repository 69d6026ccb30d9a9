#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
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

// Tuesday 10 March 2026 at 10:20 New York, in the "Opening" window: a medium
// release at 09:58 and a high one at 10:30, the hourly macros, two custom
// times, and a fourth profile whose name holds an ampersand.
class TimelineTabViewTest : public Testing::TimingTest {
protected:
    void SetUp() override {
        WaylarkKitTest::app();
        SettingsKit::AppSettings stored;
        stored.profiles.push_back(stored.profiles.front());
        stored.profiles.back().name = "R&D";
        stored.newsRule.impacts.insert(NewsImpact::medium);
        const auto id = [](char n) { return *Base::Uuid::fromText(std::string("8E1A6C1E-0000-4000-8000-00000000000") + n); };
        stored.customIntervals = {
            {id('1'), "Kill zone", {10, 0}, {11, 0}, TradingCore::workDays(), IntervalColor::pink},
            {id('2'), "Silver Bullet", {10, 15}, {10, 45}, TradingCore::workDays(), IntervalColor::cyan}};
        const auto usd = [](const char* title, NewsImpact impact, int hour, int minute) {
            return CalendarKit::CalendarEvent{title, title, "USD", impact, newYork(3, 10, hour, minute), std::nullopt, "", ""};
        };
        store->cache = CalendarKit::CalendarCache(
            scheduler.now() - 600, {usd("PPI m/m", NewsImpact::medium, 9, 58), usd("CPI m/m", NewsImpact::high, 10, 30)}, {});
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

    QPoint centre(const IslandKit::Rect& r) const {
        return QPointF(r.x + r.width / 2, r.y + r.height / 2 + TimelineTabView::canvasTop).toPoint();
    }
    // Through the window, as the platform delivers clicks, so an open menu sees them first.
    void tap(QPoint point) { QTest::mouseClick(view->windowHandle(), Qt::LeftButton, {}, point); }
    void tap(const QRectF& rect) { tap(rect.center().toPoint()); }

    std::unique_ptr<TimelineTabView> view;
};

TEST_F(TimelineTabViewTest, ATapSelectsEachKindOfItemAndASecondTapClearsIt) {
    const TimelineCanvas canvas = view->canvas();
    ASSERT_TRUE(!canvas.pieces.empty() && !canvas.macroPieces.empty() && !canvas.markers.empty() && !canvas.rails.empty());
    const std::pair<QPoint, TimelineSelection> items[] = {
        {centre(canvas.pieces.back().frame), canvas.pieces.back().selection},
        {centre(canvas.macroPieces.front().frame), canvas.macroPieces.front().selection},
        {centre(canvas.markers.back().frame), TimelineSelection::marker(model->timeline().markers.back().id)},
        {centre(canvas.rails.back().tapArea), canvas.rails.back().selection},
    };
    for (const auto& [point, selection] : items) {
        tap(point);
        EXPECT_EQ(model->selection(), selection) << static_cast<int>(selection.kind);
        tap(point);
        EXPECT_EQ(model->selection(), std::nullopt) << static_cast<int>(selection.kind);
    }
    // A press on one item released over another is no tap.
    QTest::mousePress(view->windowHandle(), Qt::LeftButton, {}, items[0].first);
    QTest::mouseRelease(view->windowHandle(), Qt::LeftButton, {}, items[2].first);
    EXPECT_EQ(model->selection(), std::nullopt);
}

TEST_F(TimelineTabViewTest, ZoomButtonsStopAtTheEnds) {
    const std::pair<bool, int> steps[] = {{false, 30}, {true, 60}, {true, 120}, {true, 120}, {false, 60}, {false, 30}};
    for (const auto& [zoomOut, minutes] : steps) {
        tap(zoomOut ? view->header().zoomOutButton : view->header().zoomInButton);
        EXPECT_EQ(settings->timelineHalfSpanMinutes(), minutes);
        EXPECT_EQ(view->header().input.canZoomIn, minutes > 30);
        EXPECT_EQ(view->header().input.canZoomOut, minutes < 120);
        EXPECT_EQ(view->scale().halfSpan, minutes * 60.0);
    }
    const TimelineHeader header = view->header();
    EXPECT_EQ(header.input.span, QStringLiteral("\u00B130m"));
    EXPECT_EQ(header.helpText(header.zoomInButton.center()), "Show less time");
    EXPECT_EQ(header.helpText(header.zoomOutButton.center()), "Show more time");
    EXPECT_EQ(header.helpText(header.pencil.center()), "Edit profiles and windows");
}

TEST_F(TimelineTabViewTest, TheProfileMenuAndThePencil) {
    int editorOpened = 0;
    model->setOnOpenTimingEditor([&] { ++editorOpened; });
    tap(view->header().profileButton);
    QMenu* menu = view->openProfileMenu();
    ASSERT_NE(menu, nullptr);
    std::vector<QString> texts;
    for (QAction* action : menu->actions()) texts.push_back(action->text());
    EXPECT_EQ(texts, (std::vector<QString>{"NY", "London", "Asia", "R&&D"}));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().back()).center());
    EXPECT_EQ(settings->activeProfile().name, "R&D");
    EXPECT_FALSE(model->isProfileMenuOpen());
    EXPECT_EQ(view->openProfileMenu(), nullptr);

    // A click outside the open menu only closes it; the next one reaches the pencil.
    model->setProfileMenuOpen(true);
    ASSERT_NE(view->openProfileMenu(), nullptr);
    tap(view->header().pencil);
    EXPECT_FALSE(model->isProfileMenuOpen());
    EXPECT_EQ(editorOpened, 0);
    tap(view->header().pencil);
    EXPECT_EQ(editorOpened, 1);

    model->setProfileMenuOpen(true);
    view->hide();
    EXPECT_FALSE(model->isProfileMenuOpen());
}

TEST_F(TimelineTabViewTest, Goldens) {
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*view), "timeline-tab-30m"));
    const TimelineCanvas canvas = view->canvas();
    const std::pair<const char*, TimelineSelection> selected[] = {
        {"timeline-tab-macro", canvas.macroPieces.front().selection},
        {"timeline-tab-marker", canvas.markers.back().selection},
        {"timeline-tab-custom", canvas.rails.back().selection},
    };
    for (const auto& [name, selection] : selected) {
        model->toggleSelection(selection);
        EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*view), name));
        model->toggleSelection(selection);
    }
    settings->zoomOut();
    settings->zoomOut();
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*view), "timeline-tab-2h"));
}

}  // namespace
}  // namespace WaylarkKit
