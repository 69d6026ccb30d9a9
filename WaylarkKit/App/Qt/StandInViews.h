#pragma once

#include <memory>

#include "IslandKit/Model/IslandView.h"
#include "WaylarkKit/App/Qt/AppViews.h"
#include "WaylarkKit/TimingViewModel.h"

// Stand-ins for the views that are built elsewhere in the tree and have not
// arrived yet: each is the least that lets the island run and be looked at.
// AppViews::standard() swaps each one for the real view when it is there.
namespace WaylarkKit::StandIn {

// The status word in its colour.
IslandKit::IslandView statusWord(TimingViewModel& timing);
// The first coming activity and its countdown.
IslandKit::IslandView nextActivity(TimingViewModel& timing);
// The mascot in the pose of the status, small enough for the virtual notch.
IslandKit::IslandView mascot(TimingViewModel& timing, Base::Scheduler& scheduler);
// The name of the open tab.
IslandKit::IslandView panel(TimingViewModel& timing);
// No swiping.
std::unique_ptr<TabSwipeMonitoring> tabSwipe();

}  // namespace WaylarkKit::StandIn
