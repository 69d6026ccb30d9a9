#pragma once

#include <optional>
#include <string>

#include "Base/Date.h"

namespace Base {

// A time zone of the system's time-zone database, known by its identifier.
// Only identifiers the database knows can be made: an unknown name gives no zone
// instead of silently becoming an unnamed zone at UTC.
class TimeZone {
public:
    static std::optional<TimeZone> named(const std::string& identifier);
    static TimeZone utc();

    const std::string& identifier() const { return identifier_; }

    // Offset from UTC, in seconds, that holds at the instant.
    double secondsFromUTC(Date instant) const;

    bool operator==(const TimeZone& other) const { return identifier_ == other.identifier_; }

private:
    explicit TimeZone(std::string identifier) : identifier_(std::move(identifier)) {}
    std::string identifier_;
};

}  // namespace Base
