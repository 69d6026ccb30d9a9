#include "CalendarKit/Feed/FeedIssue.h"

namespace CalendarKit {

std::string FeedIssue::description() const {
    switch (kind) {
        case Kind::tooMany: return "tooMany(" + std::to_string(count) + ")";
        case Kind::implausibleDates: return "implausibleDates(" + std::to_string(count) + ")";
        case Kind::suspiciousDrop:
            return "suspiciousDrop(previous: " + std::to_string(previous) + ", now: " + std::to_string(now) + ")";
        case Kind::empty: return "empty";
    }
    return "empty";
}

}  // namespace CalendarKit
