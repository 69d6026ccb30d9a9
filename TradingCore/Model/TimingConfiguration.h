#pragma once

#include <vector>

#include "Base/TimeZone.h"
#include "TradingCore/Model/CustomInterval.h"
#include "TradingCore/Model/MacroSchedule.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "TradingCore/Model/NewsRule.h"
#include "TradingCore/Model/SessionProfile.h"

namespace TradingCore {

// Everything an evaluation needs besides the news, its confidence and the instant.
struct TimingConfiguration {
    SessionProfile profile;
    MacroSchedule macros;
    NewsRule newsRule;
    std::vector<CustomInterval> customs;
    // Every wall-clock time above is read in this zone.
    Base::TimeZone timeZone = MarketTimeZone::newYork();
    double announcementSeconds = 0;   // how long a start is announced
    double lingerSeconds = 0;         // how long an ended activity stays listed
    double macroLeadSeconds = 0;      // a macro is upcoming this long before it starts
    double grayCountdownSeconds = 0;  // outside every window, countdowns show this near a change
    double customLeadSeconds = 0;     // a custom interval is upcoming this long before it starts

    bool operator==(const TimingConfiguration&) const = default;

    // The system's default; each call hands out an independent copy.
    static TimingConfiguration newYorkDefault();
};

}  // namespace TradingCore
