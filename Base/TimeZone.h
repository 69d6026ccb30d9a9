#pragma once

#include <memory>
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

    // The loaded zone rules, shared by copies (read-only once loaded).
    struct Rules;
    const std::shared_ptr<const Rules>& rules() const { return rules_; }

private:
    TimeZone(std::string identifier, std::shared_ptr<const Rules> rules)
        : identifier_(std::move(identifier)), rules_(std::move(rules)) {}
    std::string identifier_;
    std::shared_ptr<const Rules> rules_;
};

}  // namespace Base
