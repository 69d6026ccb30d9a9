#pragma once

// The island's views on the manual clock: the timing view model playing the
// demo scenario, the checklist, calculator and island models, and an island
// root view holding the real status, activity and panel views.

#include <memory>
#include <vector>

#include <QEvent>
#include <QTest>

#include "Base/ManualScheduler.h"
#include "CalendarKit/Service/CalendarService.h"
#include "CalendarKit/tests/service/MemoryStore.h"
#include "CalendarKit/tests/service/ScriptedFetcher.h"
#include "ChecklistKit/InMemoryChecklistStore.h"
#include "IslandKit/Model/IslandModel.h"
#include "IslandKit/View/IslandRootView.h"
#include "SettingsKit/InMemorySettingsStore.h"
#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/DemoScenario.h"
#include "WaylarkKit/Views/Qt/IslandViews.h"
#include "WaylarkKit/tests/Timing/TimingFixture.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

namespace WaylarkKit::Testing {

// Counts the paint events a widget receives.
class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QObject* watched) { watched->installEventFilter(this); }
    int take() { return std::exchange(paints_, 0); }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints_;
        return false;
    }

private:
    int paints_ = 0;
};

// A display with a camera notch, as the island was designed on: its status
// view draws the mascot.
inline const IslandKit::ScreenMetrics notchedScreen{IslandKit::Rect{0, 0, 1512, 982}, IslandKit::Size{200, 38}, 38,
                                                    std::nullopt, std::nullopt};

// The island's look from the application core.
inline IslandKit::IslandStyle islandStyle() {
    IslandKit::IslandStyle style;
    style.topCornerRadius = 6;
    style.bottomCornerRadius = 12;
    style.slotPadding = 8;
    style.expandedContentSize = {300, 205};
    style.virtualNotchWidth = 190;
    style.maxLeadingWidth = 200;
    style.maxTrailingWidth = 420;
    style.expandedLeadingRegionMinWidth = 410;
    return style;
}

// Moments of the demo scenario, in seconds after its base: a trading window
// opens at 0, CPI (high) at 180 with its blackout 120–240, "Kill zone" (pink)
// 240–360, PPI (medium) at 420 with its blackout 360–480, the "Demo" macro
// 480–540, "Silver Bullet" (cyan) 540–600; outside every window from 600.
namespace DemoMoment {
inline constexpr double cpiBlackout = 200;
inline constexpr double killZone = 270;
inline constexpr double ppiBlackout = 400;
inline constexpr double outside = 700;
}  // namespace DemoMoment

class IslandViewsTest : public ::testing::Test {
protected:
    using Mode = TimingViewModel::Mode;

    IslandViewsTest() {
        WaylarkKitTest::app();
        timing = std::make_unique<TimingViewModel>(calendar, settings, Mode::demo, 5.0, scheduler);
        timing->setOnOpenTab([this](L2Tab tab) { opened.push_back(tab); });
        settings.setGreetingEnabled(false);
    }

    // The demo scenario with its clock showing `offset` seconds after the
    // scenario's base, running at `speed`, the one-second tick started.
    void play(double offset, double speed = 1) {
        timing->start();
        const DemoScenario scenario = DemoScenario::make(scheduler.now());
        const Base::Date base = scenario.events.front().time - 180;
        timing->playScenario(scenario, base + offset, speed, false);
    }

    IslandViews::Shared shared() {
        return {*timing, checklist, checklistUI, calculator, scheduler, fixedReduceMotion(reduceMotion)};
    }

    // An island on `metrics` with the real views, shown compact.
    IslandKit::IslandRootView& island(const IslandKit::ScreenMetrics& metrics = notchedScreen) {
        const bool notched = metrics.hasNotch();
        const double side = IslandViews::mascotSide(metrics);
        islandModel = std::make_unique<IslandKit::IslandModel>(
            metrics, IslandKit::IslandSlots{}, islandStyle(), IslandViews::leading(shared(), "A", notched, side),
            IslandViews::trailing(shared(), "A"), IslandKit::IslandView{});
        islandModel->setExpanded(IslandViews::expanded(shared(), *islandModel, [this] { ++quits; }));
        if (!notched) islandModel->setCenter(IslandViews::center(shared(), side));
        islandModel->setCanvasFrame({256, 562, 1000, 420});
        root = std::make_unique<IslandKit::IslandRootView>(*islandModel, scheduler);
        root->resize(1000, 420);
        root->show();
        settle();
        return *root;
    }

    IslandKit::IslandRootView& islandAt(double offset, double speed = 0) {
        play(offset, speed);
        return island();
    }

    void settle(double seconds = 1.0) { scheduler.advance(seconds); }

    // Opens the island on `tab` as the application core does.
    void expand(L2Tab tab) {
        timing->setActiveTab(tab);
        islandModel->expand();
        timing->setExpandedIsland("A");
        timing->setExpanded(true);
        settle();
    }
    L2PanelView& panel() { return *dynamic_cast<L2PanelView*>(root->expandedView()); }

    bool reduceMotion = false;
    Base::ManualScheduler scheduler{newYork(3, 10, 10, 20)};
    std::shared_ptr<CalendarKit::Testing::ScriptedFetcher> fetcher =
        std::make_shared<CalendarKit::Testing::ScriptedFetcher>(scheduler);
    std::shared_ptr<CalendarKit::Testing::MemoryStore> store = std::make_shared<CalendarKit::Testing::MemoryStore>();
    CalendarKit::CalendarService calendar{fetcher, store, scheduler,
                                          CalendarKit::CalendarService::Settings::application()};
    SettingsKit::SettingsModel settings{std::make_shared<SettingsKit::InMemorySettingsStore>(), scheduler, 0.4};
    ChecklistKit::ChecklistModel checklist{std::make_shared<ChecklistKit::InMemoryChecklistStore>(), scheduler, 0.4};
    ChecklistUIState checklistUI{1.0, scheduler};
    CalculatorModel calculator{settings, scheduler, [](const std::string&) {}};
    std::vector<L2Tab> opened;
    int quits = 0;
    // Last, so they go first: the views, then the models they read.
    std::unique_ptr<TimingViewModel> timing;
    std::unique_ptr<IslandKit::IslandModel> islandModel;
    std::unique_ptr<IslandKit::IslandRootView> root;
};

}  // namespace WaylarkKit::Testing
