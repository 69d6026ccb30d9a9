#include "CalendarKit/Diff/SnapshotDiff.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace CalendarKit::SnapshotDiff {

std::vector<CalendarChange> compare(const std::vector<CalendarEvent>& old, const std::vector<CalendarEvent>& next) {
    std::unordered_map<std::string_view, const CalendarEvent*> oldById;
    oldById.reserve(old.size());
    for (const CalendarEvent& event : old) oldById.emplace(event.id, &event);  // keeps the first
    std::unordered_set<std::string_view> nextIds;
    nextIds.reserve(next.size());
    for (const CalendarEvent& event : next) nextIds.insert(event.id);

    std::vector<CalendarChange> changes;
    for (const CalendarEvent& n : next) {
        const auto found = oldById.find(n.id);
        if (found == oldById.end()) {
            changes.push_back(CalendarChange::added(n));
            continue;
        }
        const CalendarEvent& o = *found->second;
        if (o.time != n.time) changes.push_back(CalendarChange::moved(o, n));
        if (o.impact != n.impact) changes.push_back(CalendarChange::impactChanged(o, n));
        if (o.forecast != n.forecast) changes.push_back(CalendarChange::forecastChanged(o, n));
    }
    for (const CalendarEvent& o : old) {
        if (!nextIds.contains(o.id)) changes.push_back(CalendarChange::removed(o));
    }
    return changes;
}

}  // namespace CalendarKit::SnapshotDiff
