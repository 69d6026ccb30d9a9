#include "CalendarKit/Feed/FeedFetching.h"

namespace CalendarKit {

std::string_view rawValue(FeedWeek week) {
    switch (week) {
        case FeedWeek::thisWeek: return "thisweek";
        case FeedWeek::nextWeek: return "nextweek";
    }
    return "thisweek";
}

std::optional<FeedWeek> feedWeekFromRaw(std::string_view raw) {
    for (FeedWeek week : allFeedWeeks) {
        if (rawValue(week) == raw) return week;
    }
    return std::nullopt;
}

}  // namespace CalendarKit
