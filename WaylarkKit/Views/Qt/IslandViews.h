#pragma once

#include <functional>
#include <string>

#include "Base/Scheduler.h"
#include "ChecklistKit/ChecklistModel.h"
#include "IslandKit/Model/IslandModel.h"
#include "IslandKit/Model/IslandView.h"
#include "IslandKit/Screen/ScreenMetrics.h"
#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Checklist/ChecklistUIState.h"
#include "WaylarkKit/L2/Qt/L2PanelView.h"
#include "WaylarkKit/Motion/ReduceMotion.h"
#include "WaylarkKit/Timing/TimingViewModel.h"

// The makers of an island's views, for the island host to hand its model:
// the status left of the notch, the activities right of it, the mascot alone
// in a virtual notch and the expanded panel.
namespace WaylarkKit::IslandViews {

// What every island's views share. The Reduce Motion flag is asked when an
// animation starts (a pose, a pulse, a blink), never per frame; the program
// hands every view one flag that answers from its last reading.
struct Shared {
    TimingViewModel& timing;
    ChecklistKit::ChecklistModel& checklist;
    ChecklistUIState& checklistUI;
    CalculatorModel& calculator;
    Base::Scheduler& scheduler;
    ReduceMotionFlag reduceMotion;
};

// The mascot's side on a display: 35 points, less where the island is lower.
double mascotSide(const IslandKit::ScreenMetrics& metrics);

IslandKit::IslandView leading(const Shared& shared, std::string islandID, bool showsMascot, double mascotSide);
IslandKit::IslandView trailing(const Shared& shared, std::string islandID);
IslandKit::IslandView center(const Shared& shared, double mascotSide);
IslandKit::IslandView expanded(const Shared& shared, IslandKit::IslandModel& island, std::function<void()> onQuit);

}  // namespace WaylarkKit::IslandViews
