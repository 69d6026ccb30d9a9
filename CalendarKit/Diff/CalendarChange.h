#pragma once

#include <optional>

#include "CalendarKit/Normalization/CalendarEvent.h"

namespace CalendarKit {

// One difference between two snapshots of the calendar. `from` is the old
// event and `to` the new one; an addition has only `to`, a removal only `from`.
struct CalendarChange {
    enum class Kind { added, removed, moved, impactChanged, forecastChanged };

    Kind kind = Kind::added;
    std::optional<CalendarEvent> from;
    std::optional<CalendarEvent> to;

    static CalendarChange added(CalendarEvent event) { return {Kind::added, std::nullopt, std::move(event)}; }
    static CalendarChange removed(CalendarEvent event) { return {Kind::removed, std::move(event), std::nullopt}; }
    static CalendarChange moved(CalendarEvent from, CalendarEvent to) {
        return {Kind::moved, std::move(from), std::move(to)};
    }
    static CalendarChange impactChanged(CalendarEvent from, CalendarEvent to) {
        return {Kind::impactChanged, std::move(from), std::move(to)};
    }
    static CalendarChange forecastChanged(CalendarEvent from, CalendarEvent to) {
        return {Kind::forecastChanged, std::move(from), std::move(to)};
    }

    bool operator==(const CalendarChange&) const = default;
};

}  // namespace CalendarKit
