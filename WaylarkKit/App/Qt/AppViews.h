#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Base/Scheduler.h"
#include "ChecklistKit/ChecklistModel.h"
#include "IslandKit/Model/IslandModel.h"
#include "IslandKit/Model/IslandView.h"
#include "IslandKit/Screen/ScreenMetrics.h"
#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Checklist/ChecklistUIState.h"
#include "WaylarkKit/L2/TabSwipe.h"
#include "WaylarkKit/Motion/ReduceMotion.h"
#include "WaylarkKit/Timing/TimingViewModel.h"

namespace WaylarkKit {

// The horizontal swipe between the expanded panel's tabs.
class TabSwipeMonitoring {
public:
    virtual ~TabSwipeMonitoring() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
};

// What the views of one island are made of.
struct IslandContext {
    TimingViewModel& timing;
    ChecklistKit::ChecklistModel& checklist;
    ChecklistUIState& checklistUI;
    CalculatorModel& calculator;
    std::string islandID;
    IslandKit::ScreenMetrics metrics;
};

// The views the application delegate puts into the islands and cards without
// building them itself: the status and activity views beside the notch, the
// mascot in a virtual notch, the expanded panel and the tab swipe, and the
// Reduce Motion flag they all share. `standard()` gives the ones the program shows.
struct AppViews {
    std::function<IslandKit::IslandView(const IslandContext&, bool showsMascot)> leading;
    std::function<IslandKit::IslandView(const IslandContext&)> trailing;
    // Empty for no view: the island then draws its virtual notch's label.
    std::function<IslandKit::IslandView(const IslandContext&)> center;
    std::function<IslandKit::IslandView(const IslandContext&, IslandKit::IslandModel&, std::function<void()> onQuit)>
        expanded;
    std::function<std::unique_ptr<TabSwipeMonitoring>(std::function<bool()> isEnabled,
                                                      std::function<void(TabSwipeDirection)> onSwipe)>
        tabSwipe;
    ReduceMotionFlag reduceMotion = fixedReduceMotion(false);

    static AppViews standard(Base::Scheduler& scheduler, ReduceMotionFlag reduceMotion);
};

}  // namespace WaylarkKit
