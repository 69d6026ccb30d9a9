#include "CalendarKit/Reconcile/EventReconciler.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

namespace CalendarKit {

EventReconciler::Result EventReconciler::reconcile(const std::vector<CalendarEvent>& previous,
                                                   const std::vector<CalendarEvent>& incoming,
                                                   const std::set<std::string>& pending, Base::Date now,
                                                   double imminentWithin) {
    std::unordered_set<std::string_view> incomingIds;
    incomingIds.reserve(incoming.size());
    for (const CalendarEvent& event : incoming) incomingIds.insert(event.id);

    Result result;
    result.events = incoming;
    const Base::Date windowStart = now - 3600;
    const Base::Date windowEnd = now + imminentWithin;
    for (const CalendarEvent& event : previous) {
        if (incomingIds.contains(event.id)) continue;
        const bool imminent = windowStart < event.time && event.time < windowEnd;
        if (imminent && !pending.contains(event.id)) {
            result.events.push_back(event);
            result.pending.insert(event.id);
        } else {
            result.dropped.push_back(event);
        }
    }
    std::stable_sort(result.events.begin(), result.events.end(),
                     [](const CalendarEvent& a, const CalendarEvent& b) { return a.time < b.time; });
    return result;
}

}  // namespace CalendarKit
