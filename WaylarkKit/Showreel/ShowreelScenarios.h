#pragma once

#include "Base/Date.h"
#include "TradingCore/Model/NewsImpact.h"
#include "WaylarkKit/Timing/DemoScenario.h"

namespace WaylarkKit {

// One clip's made-up trading day and the instant its demo clock starts at.
struct ShowreelScenario {
    DemoScenario scenario;
    Base::Date start;

    bool operator==(const ShowreelScenario&) const = default;
};

// The days the showreel's clips play. Every instant lies on one Monday in New
// York, so each clip shows the same working day; each builder takes that
// Monday as `monday()` gives it.
namespace ShowreelScenarios {

// Identifiers of the news events the builders make.
inline constexpr const char* newsEventID = "showreel-news";
inline constexpr const char* tourCPIEventID = "showreel-cpi";
inline constexpr const char* tourPPIEventID = "showreel-ppi";
inline constexpr const char* profileName = "Showreel";
inline constexpr const char* tourProfileName = "Showreel tour";

// Midnight in New York of the Monday of the working week holding `date`; a
// Saturday or Sunday belongs to the week after. Should the calendar fail,
// midnight of the date's own day.
Base::Date monday(Base::Date containing);

// 07:12:30, more than two hours before the only window: the mascot sleeps.
ShowreelScenario idle(Base::Date monday);
// 09:29:51, nine seconds before "Opening" starts.
ShowreelScenario states(Base::Date monday);
// 09:34:48 in "Opening"; the pink "Kill zone" starts twelve seconds later.
ShowreelScenario custom(Base::Date monday);
// 09:39:30; a release at 09:40:00 ("CPI" for a high impact, else "PPI")
// blacks out from 12 s before to 6 s after it.
ShowreelScenario news(Base::Date monday, TradingCore::NewsImpact impact);
// 09:41:00 on a day with two windows, a custom time and two releases.
ShowreelScenario tour(Base::Date monday);

}  // namespace ShowreelScenarios

}  // namespace WaylarkKit
