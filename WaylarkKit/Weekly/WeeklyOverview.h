#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Base/Date.h"
#include "Base/TimeZone.h"
#include "CalendarKit/Normalization/CalendarEvent.h"
#include "WaylarkKit/Weekly/WeeklyItem.h"

// The data behind the weekly tab: the calendar's events cut into the five
// trading days of one week, for one currency. Pure: no clock, no settings, no
// state; safe from any thread.
//
// Impact filter: high and holiday always pass, medium only with
// `includeMedium`, low never.
namespace WaylarkKit::WeeklyOverview {

// Midnights of Monday to Friday of the week holding `date` (of the coming
// week on a Saturday or Sunday), in `timeZone`. A day the calendar cannot form
// is left out; no Monday gives an empty list.
std::vector<Base::Date> weekdays(Base::Date date, const Base::TimeZone& timeZone);

// The codes the currency menu offers: "USD" first, always, then every other
// code of an event that passes the impact filter, ascending. Only codes that
// the settings accept as a currency (three ASCII capitals) are offered, so no
// entry of the menu can be one that choosing would ignore.
std::vector<std::string> currencies(const std::vector<CalendarKit::CalendarEvent>& events, bool includeMedium);

// The weekdays of the week holding `now`, each with the events of `currency`
// that pass the impact filter and fall on that day, in time order (a stable
// sort: equal times keep the order of `events`).
std::vector<WeeklyDay> days(const std::vector<CalendarKit::CalendarEvent>& events, std::string_view currency,
                            bool includeMedium, Base::Date now, const Base::TimeZone& timeZone);

}  // namespace WaylarkKit::WeeklyOverview
