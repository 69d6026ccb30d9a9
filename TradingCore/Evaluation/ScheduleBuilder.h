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
    // A calendar day: its first instant and its date and weekday, as the
    // calendar gives them.
    struct Day {
        Base::Date start;
        Base::DateComponents date;
        std::int64_t number = 0;  // days from 1970-01-01 to the date, the key of remembered answers
    };

    // The day holding `from`, then every following day the calendar forms
    // while the previous one starts before `until`; the list stops early
    // where the calendar fails. A date the zone skipped is not in it. The
    // list of the last walk is kept, since one evaluation asks many
    // schedules about the same stretch.
    const std::vector<Day>& days(Base::Date from, Base::Date until) const;
    // The date and weekday of the instant, as the calendar gives them, with
    // the instant as the day's start.
    Day dayOf(Base::Date instant) const;
    // The day the calendar forms after `day`, or nothing where it forms none.
    std::optional<Day> dayAfter(const Day& day) const;
    // The instant at which the day's date shows the time, as the calendar
    // sets it; no instant for hours or minutes out of range.
    std::optional<Base::Date> wallTime(const Day& day, std::int64_t hour, std::int64_t minute) const;

    Base::Calendar calendar_;
    mutable std::vector<Day> days_;
    mutable bool daysExhausted_ = false;
    // Wall-clock instants already asked of the calendar, by date and minute of
    // the day. They depend on the zone alone, and the calendar is by far the
    // dearest part of an evaluation.
    mutable std::unordered_map<std::int64_t, std::optional<Base::Date>> wallTimes_;
    // The days the calendar formed, by the number of the date asked for.
    mutable std::unordered_map<std::int64_t, std::optional<Day>> followingDays_;
};

}  // namespace TradingCore
