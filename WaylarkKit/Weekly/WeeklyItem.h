#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Base/Date.h"

namespace WaylarkKit {

// One news release or bank holiday as a row of the weekly list. Rebuilt from
// the calendar on every redraw; nothing holds on to it.
struct WeeklyItem {
    std::string id;          // the calendar event's id: the row's identity
    std::string activityID;  // the id of the same release's news activity beside the notch
    Base::Date time;
    std::string title;                 // as the feed gave it
    std::optional<std::string> label;  // short label of the title's release family
    bool isHoliday = false;
    bool isMedium = false;  // neither holiday nor medium: a high-impact release
    std::string forecast;   // may be empty
    std::string previous;   // may be empty
    bool isPast = false;    // strictly before the instant the list was built for

    bool operator==(const WeeklyItem&) const = default;
};

// One weekday of the list, identified by its start.
struct WeeklyDay {
    Base::Date start;  // midnight in the list's time zone
    std::vector<WeeklyItem> items;  // in time order; may be empty
    bool isToday = false;

    bool operator==(const WeeklyDay&) const = default;
};

}  // namespace WaylarkKit
