#pragma once

#include <functional>

#include "ChecklistKit/ChecklistModel.h"
#include "SettingsKit/SettingsModel.h"
#include "WaylarkKit/Calculator/CalculatorModel.h"
#include "WaylarkKit/Checklist/ChecklistUIState.h"
#include "WaylarkKit/L2/L2Tab.h"
#include "WaylarkKit/Timing/TimingViewModel.h"

namespace WaylarkKit {

// What the showreel plays on: the very models a user acts on, and the
// application's two moves on its islands. The application fills it in; every
// model must outlive the director that is given it.
struct ShowreelStage {
    struct Actions {
        // Makes the tab the active one and expands the first island, so the
        // expanded panel shows that tab; nothing while there is no island.
        std::function<void(L2Tab)> openL2;
        // Collapses every island.
        std::function<void()> closeL2;
    };

    TimingViewModel& timing;
    ChecklistKit::ChecklistModel& checklist;
    ChecklistUIState& checklistUI;
    CalculatorModel& calculator;
    SettingsKit::SettingsModel& settings;
    Actions actions;
};

}  // namespace WaylarkKit
