#pragma once

#include <cstdint>
#include <set>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "Base/Calendar.h"
#include "TradingCore/Evaluation/Span.h"
#include "TradingCore/Model/MacroSchedule.h"
#include "TradingCore/Model/WallClockTime.h"
#include "TradingCore/Model/Weekday.h"

namespace TradingCore {

// A dated macro: a named macro's name or MacroSchedule::hourlyName.
struct MacroOccurrence {
    std::string name;
    Span span;
};

// Turns wall-clock schedules into dated spans on a calendar in one zone.
//
// Wall-clock times follow the calendar's rules: a time skipped when daylight
// saving time begins becomes the first instant after the gap, and a repeated
// time is its first occurrence. Hours outside 0..23 and minutes outside
// 0..59 cannot be set on a day, so such schedules give no spans.
//
// Like its calendar, one builder must not be used by two threads at once.
class ScheduleBuilder {
public:
    explicit ScheduleBuilder(Base::Calendar calendar);

    const Base::Calendar& calendar() const { return calendar_; }

    // Occurrences that start on one of `startWeekdays` and overlap `within`,
    // at most one per calendar day, in day order. An end at or before the
    // start in the day ends on the following day. The walk begins on the day
    // holding within.start: an occurrence begun on an earlier day is missing.
    std::vector<Span> daily(WallClockTime start, WallClockTime end, const std::set<Weekday>& startWeekdays,
                            Span within) const;

    // Spans from H - m to H + m minutes around each full hour H whose weekday
    // is allowed and that overlap `within`. H steps 3600 s of elapsed time,
    // so a repeated hour is visited twice and a skipped one not at all.
    std::vector<Span> hourlyMacros(std::int64_t aroundMinutes, const std::set<Weekday>& weekdays,
                                   Span within) const;

    // The named occurrences, macro by macro in day order, then the hourly
    // ones that overlap no named occurrence. Not sorted by time.
    std::vector<MacroOccurrence> macroOccurrences(const MacroSchedule& schedule, Span within) const;

private:
    // A calendar day: its first instant and its date, the day of the month
    // counted on from the first day of the walk (the calendar is lenient).
    struct Day {
        Base::Date start;
        int weekday = 1;
        int dayOffset = 0;
    };

    // The day holding `from`, then every following day while the previous
    // one starts before `until`; the list stops early where the calendar
    // fails. The list of the last walk is kept, since one evaluation asks
    // many schedules about the same stretch.
    const std::vector<Day>& days(Base::Date from, Base::Date until) const;
    // The instant at which the walk's day `dayOffset` shows the time, as the
    // calendar sets it; no instant for hours or minutes out of range.
    std::optional<Base::Date> wallTime(int dayOffset, std::int64_t hour, std::int64_t minute) const;

    Base::Calendar calendar_;
    mutable std::vector<Day> days_;
    mutable int baseYear_ = 0;
    mutable int baseMonth_ = 0;
    mutable int baseDay_ = 0;
    mutable std::int64_t baseDayNumber_ = 0;  // days since 1970-01-01 of the walk's first date
    mutable bool daysExhausted_ = false;
    // Wall-clock instants already asked of the calendar, by date and minute of
    // the day. They depend on the zone alone, and the calendar is by far the
    // dearest part of an evaluation.
    mutable std::unordered_map<std::int64_t, std::optional<Base::Date>> wallTimes_;
};

}  // namespace TradingCore
