#pragma once

#include <string>
#include <utility>

#include "Base/Date.h"
#include "Base/TimeZone.h"

// The times, countdowns and minute counts that every island view writes the
// same way. Numbers never pass through a locale: no grouping, ASCII digits.
namespace WaylarkKit::Formatting {

// Writes the wall-clock time of an instant in one zone, seconds cut off (not
// rounded), hours 00 to 23.
class ClockFormatter {
public:
    ClockFormatter(Base::TimeZone zone, bool withSeconds) : zone_(std::move(zone)), withSeconds_(withSeconds) {}

    // "09:30" or "09:30:00"; an instant that is not a finite number gives
    // "--:--" or "--:--:--".
    std::string string(Base::Date date) const;

private:
    Base::TimeZone zone_;
    bool withSeconds_;
};

// New York "HH:mm" and "HH:mm:ss", made once and shared; safe to read from
// any thread.
const ClockFormatter& etFormatter();
const ClockFormatter& etSecondsFormatter();

// Seconds rounded up: "0:05", "59:59", "1:00:00", "25:01:01". Below one hour
// the minutes carry no padding; a negative count reads "0:00". A value that is
// not a number counts as 0; one beyond the 64-bit range is clamped to it.
std::string countdown(double seconds);

// Whole minutes rounded up, never below 1: "1m", "12m", "90m". Not a number
// counts as 0 (so "1m"); beyond the 64-bit range is clamped to it.
std::string minutes(double seconds);

}  // namespace WaylarkKit::Formatting
