#pragma once

#include <vector>

#include "Base/Date.h"
#include "TradingCore/Model/NewsEvent.h"
#include "TradingCore/Model/TimingConfiguration.h"

namespace WaylarkKit {

// A made-up configuration and news in place of the settings and the calendar:
// what the demo mode and the showreel evaluate.
struct DemoScenario {
    TradingCore::TimingConfiguration configuration;
    std::vector<TradingCore::NewsEvent> events;

    bool operator==(const DemoScenario&) const = default;

    // The default scenario, laid out from the first whole New York minute more
    // than 5 s after `start`, so that every kind of window, macro, custom time
    // and blackout happens within about ten minutes. The two custom times get
    // fresh identifiers on every call.
    static DemoScenario make(Base::Date start);
};

}  // namespace WaylarkKit
