#pragma once

#include <optional>
#include <string>

#include "Base/Date.h"
#include "Base/Json.h"
#include "Base/Result.h"
#include "CalendarKit/Normalization/EventFamily.h"
#include "TradingCore/Model/NewsEvent.h"
#include "TradingCore/Model/NewsImpact.h"

namespace CalendarKit {

// One economic release after normalisation: what the calendar holds, diffs,
// reconciles and caches. `id` is the key by which snapshots are matched.
struct CalendarEvent {
    std::string id;
    std::string title;     // as the feed published it
    std::string currency;  // as the feed wrote it, case unchanged
    TradingCore::NewsImpact impact = TradingCore::NewsImpact::low;
    Base::Date time;
    std::optional<EventFamily> family;  // found from the title when normalised
    std::string forecast;  // empty when the feed gave none
    std::string previous;  // empty when the feed gave none

    // The family of the title as classified now; the stored `family` may come
    // from an older classification (a cache) and is not consulted.
    std::optional<EventFamily> currentFamily() const;

    // The engine's view: always time-confirmed, labelled with the short label
    // of the title's current family.
    TradingCore::NewsEvent newsEvent() const;

    bool operator==(const CalendarEvent&) const = default;
};

// Decoding of the calendar's records, specialised beside each record:
// CalendarKit::fromJson<CalendarEvent>(json). Encoding is an overloaded toJson.
template <class T>
Base::Result<T> fromJson(const Base::Json& json);

// One object keyed by the field names; "time" in seconds since 1970; "family"
// is left out when absent. Reading ignores other keys and refuses an unknown
// impact or family.
Base::Json toJson(const CalendarEvent& event);
template <>
Base::Result<CalendarEvent> fromJson<CalendarEvent>(const Base::Json& json);

}  // namespace CalendarKit
