#pragma once

#include <functional>
#include <memory>
#include <string>

#include "Base/Scheduler.h"
#include "ChecklistKit/ChecklistModel.h"
#include "IslandKit/Model/IslandModel.h"
#include "IslandKit/Model/IslandView.h"
#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Checklist/ChecklistUIState.h"
#include "WaylarkKit/L2/TabSwipe.h"
#include "WaylarkKit/TimingViewModel.h"

namespace WaylarkKit {

// The horizontal swipe between the expanded panel's tabs.
class TabSwipeMonitoring {
public:
    virtual ~TabSwipeMonitoring() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
};

// What the expanded panel of one island is made of.
struct PanelParts {
    TimingViewModel& timing;
    IslandKit::IslandModel& island;
    ChecklistKit::ChecklistModel& checklist;
    ChecklistUIState& checklistUI;
    CalculatorModel& calculator;
    std::function<void()> onQuit;
};

// The views the application delegate puts into the islands and cards without
// building them itself: the status and activity views beside the notch, the
// mascot in a virtual notch, the expanded panel and the tab swipe.
// `standard()` gives the ones the program shows.
struct AppViews {
    std::function<IslandKit::IslandView(TimingViewModel&, const std::string& islandID, bool showsMascot)> leading;
    std::function<IslandKit::IslandView(TimingViewModel&, ChecklistKit::ChecklistModel&, const std::string& islandID)>
        trailing;
    // Empty for no view: the island then draws its virtual notch's label.
    std::function<IslandKit::IslandView(TimingViewModel&)> center;
    std::function<IslandKit::IslandView(const PanelParts&)> expanded;
    std::function<std::unique_ptr<TabSwipeMonitoring>(std::function<bool()> isEnabled,
                                                      std::function<void(TabSwipeDirection)> onSwipe)>
        tabSwipe;

    static AppViews standard(Base::Scheduler& scheduler);
};

}  // namespace WaylarkKit
