#pragma once

#include <memory>
#include <optional>

#include "Base/Date.h"
#include "Base/TimeZone.h"

namespace Base {

// Wall-clock fields of an instant in a calendar's zone.
struct DateComponents {
    int year = 0;
    int month = 0;    // 1 to 12
    int day = 0;      // 1 to 31
    int hour = 0;     // 0 to 23
    int minute = 0;   // 0 to 59
    int second = 0;   // 0 to 59
    int weekday = 0;  // 1 = Sunday to 7 = Saturday
    bool operator==(const DateComponents&) const = default;
};

// A Gregorian calendar in one time zone.
//
// Wall-clock rules: a time skipped when daylight saving time begins becomes the
// first instant after the gap; a time that occurs twice when it ends is its
// first occurrence. Every const call is safe from any thread, also on one
// shared instance: the ICU calendar behind it changes with each question, so
// the questions take turns.
class Calendar {
public:
    explicit Calendar(TimeZone zone);
    Calendar(const Calendar& other);
    Calendar& operator=(const Calendar& other);
    Calendar(Calendar&&) noexcept;
    Calendar& operator=(Calendar&&) noexcept;
    ~Calendar();

    const TimeZone& timeZone() const { return zone_; }

    // First instant of the calendar day that holds the instant.
    std::optional<Date> startOfDay(Date instant) const;
    // First instant of the calendar day `days` days after the day that holds the instant.
    std::optional<Date> startOfDay(Date instant, int addingDays) const;
    // First instant of the week (Sunday, local midnight) that holds the instant.
    std::optional<Date> startOfWeek(Date instant) const;
    // Start of the clock hour that holds the instant. Read from the instant's own
    // UTC offset, so inside a repeated hour it is that hour's own start.
    std::optional<Date> startOfHour(Date instant) const;
    // 1 = Sunday through 7 = Saturday.
    int weekday(Date instant) const;
    // All zero for an instant too far out (or not finite) to date.
    DateComponents components(Date instant) const;
    // The instant of a wall-clock date and time, under the rules above.
    std::optional<Date> date(int year, int month, int day, int hour = 0, int minute = 0,
                             int second = 0) const;

private:
    struct Impl;
    TimeZone zone_;
    std::unique_ptr<Impl> impl_;
};

}  // namespace Base
