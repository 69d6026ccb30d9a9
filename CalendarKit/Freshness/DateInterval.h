#pragma once

#include "Base/Date.h"

namespace CalendarKit {

// A closed stretch of time: both ends belong to it.
struct DateInterval {
    Base::Date start;
    Base::Date end;  // not before start

    bool contains(Base::Date instant) const { return start <= instant && instant <= end; }
    double duration() const { return end - start; }

    bool operator==(const DateInterval&) const = default;
};

}  // namespace CalendarKit
