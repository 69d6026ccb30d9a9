#pragma once

#include <optional>

#include "Base/Result.h"
#include "CalendarKit/Storage/CalendarCache.h"

namespace CalendarKit {

// Where the calendar keeps its snapshot between runs.
class CalendarStore {
public:
    virtual ~CalendarStore() = default;
    // The stored snapshot, or nothing for any problem at all.
    virtual std::optional<CalendarCache> load() const = 0;
    // Replaces the stored snapshot.
    virtual Base::Status save(const CalendarCache& cache) = 0;
};

}  // namespace CalendarKit
