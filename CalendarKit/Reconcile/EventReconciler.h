#pragma once

#include <set>
#include <string>
#include <vector>

#include "Base/Date.h"
#include "CalendarKit/Normalization/CalendarEvent.h"

namespace CalendarKit {

// Merges the previous snapshot with a new one. An event that vanished from the
// feed while it is about to happen (within the hour before now up to
// `imminentWithin` seconds after now) is carried over once, since a feed that
// briefly loses an imminent release would otherwise lift its blackout; still
// missing at the next call, it is dropped. Events match by id alone.
struct EventReconciler {
    struct Result {
        std::vector<CalendarEvent> events;   // every incoming event plus the carried-over ones, by time
        std::set<std::string> pending;       // ids carried over by this call
        std::vector<CalendarEvent> dropped;  // vanished and not carried over, in previous order

        bool operator==(const Result&) const = default;
    };

    // `pending` holds the ids the caller carried over last time: they have
    // had their one carry-over.
    static Result reconcile(const std::vector<CalendarEvent>& previous, const std::vector<CalendarEvent>& incoming,
                            const std::set<std::string>& pending, Base::Date now, double imminentWithin);
};

}  // namespace CalendarKit
