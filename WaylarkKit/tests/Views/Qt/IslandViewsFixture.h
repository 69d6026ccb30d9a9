#pragma once

// The island's views on the manual clock: the timing view model playing the
// demo scenario, the checklist, calculator and island models, and an island
// root view holding the real status, activity and panel views.

#include <memory>
#include <vector>

#include <QEvent>
#include <QTest>

#include "Base/ManualScheduler.h"
#include "IslandKit/View/IslandRootView.h"
#include "WaylarkKit/tests/Timing/TimingFixture.h"
#include "WaylarkKit/tests/Views/Qt/IslandModels.h"
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

// The manual clock, before the models that run on it.
struct ManualClock {
    Base::ManualScheduler scheduler{newYork(3, 10, 10, 20)};
};

class IslandViewsTest : public ::testing::Test, protected ManualClock, protected IslandModels {
protected:
    IslandViewsTest() : IslandModels(scheduler) {
        WaylarkKitTest::app();
        timing.setOnOpenTab([this](L2Tab tab) { opened.push_back(tab); });
    }

    IslandViews::Shared shared() {
        return {timing, checklist, checklistUI, calculator, scheduler, fixedReduceMotion(reduceMotion)};
    }

    // An island on `metrics` with the real views, shown compact.
    IslandKit::IslandRootView& island(const IslandKit::ScreenMetrics& metrics = notchedScreen) {
        islandModel = islandWithViews(shared(), metrics, "A", [this] { ++quits; });
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
        timing.setActiveTab(tab);
        islandModel->expand();
        timing.setExpandedIsland("A");
        timing.setExpanded(true);
        settle();
    }
    L2PanelView& panel() { return *dynamic_cast<L2PanelView*>(root->expandedView()); }

    bool reduceMotion = false;
    std::vector<L2Tab> opened;
    int quits = 0;
    // Members go before the bases: the views, then the models they read, then the clock.
    std::unique_ptr<IslandKit::IslandModel> islandModel;
    std::unique_ptr<IslandKit::IslandRootView> root;
};

}  // namespace WaylarkKit::Testing
