#include "TradingCore/Evaluation/ScheduleBuilder.h"

#include <algorithm>
#include <cmath>

namespace TradingCore {

namespace {

using WeekdayMask = unsigned;

WeekdayMask maskOf(const std::set<Weekday>& weekdays) {
    WeekdayMask mask = 0;
    for (Weekday day : weekdays) mask |= 1u << rawValue(day);
    return mask;
}

bool allows(WeekdayMask mask, int weekday) { return weekday >= 1 && weekday <= 7 && (mask & (1u << weekday)); }

constexpr double secondsPerHour = 3600;
// A walk stops after this many days (a century), as if the calendar could form
// no later date: an absurd stretch must not exhaust memory.
constexpr std::size_t maxWalkDays = 36600;
constexpr std::size_t maxRememberedWallTimes = 16384;

// Days from 1970-01-01 to a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

ScheduleBuilder::ScheduleBuilder(Base::Calendar calendar) : calendar_(std::move(calendar)) {}

ScheduleBuilder::Day ScheduleBuilder::dayOf(Base::Date instant) const {
    const Base::DateComponents date = calendar_.components(instant);
    return Day{instant, date, daysFromCivil(date.year, date.month, date.day)};
}

const std::vector<ScheduleBuilder::Day>& ScheduleBuilder::days(Base::Date from, Base::Date until) const {
    const bool sameFirstDay = days_.size() >= 2 && days_[0].start <= from && from < days_[1].start;
    if (!sameFirstDay) {
        days_.clear();
        daysExhausted_ = false;
        Day first = dayOf(from);
        // Month 0: an instant too far out to date.
        const std::optional<Base::Date> start = first.date.month == 0 ? std::nullopt : wallTime(first, 0, 0);
        if (!start) return days_;
        first.start = *start;
        days_.push_back(first);
    }
    while (!daysExhausted_ && days_.back().start < until) {
        const std::optional<Day> next = days_.size() > maxWalkDays ? std::nullopt : dayAfter(days_.back());
        if (!next) {
            daysExhausted_ = true;
            break;
        }
        days_.push_back(*next);
    }
    return days_;
}

std::optional<ScheduleBuilder::Day> ScheduleBuilder::dayAfter(const Day& day) const {
    // The calendar adds the day: where the zone skipped a whole date, the
    // day it forms is the one after, with that day's date and weekday.
    Day following = day;
    ++following.date.day;  // the calendar is lenient: day 32 rolls into the next month
    ++following.number;
    const bool remembered = following.date.year >= 1600;
    if (remembered) {
        if (auto found = followingDays_.find(following.number); found != followingDays_.end()) return found->second;
    }
    std::optional<Day> next;
    const std::optional<Base::Date> start = wallTime(following, 0, 0);
    if (start && *start > day.start) next = dayOf(*start);
    if (remembered) {
        if (followingDays_.size() >= maxRememberedWallTimes) followingDays_.clear();
        followingDays_.emplace(following.number, next);
    }
    return next;
}

std::optional<Base::Date> ScheduleBuilder::wallTime(const Day& day, std::int64_t hour, std::int64_t minute) const {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59) return std::nullopt;
    const Base::DateComponents& date = day.date;
    auto ask = [&] {
        return calendar_.date(date.year, date.month, date.day, static_cast<int>(hour), static_cast<int>(minute), 0);
    };
    // Before the Gregorian reform the calendar counts Julian dates, which the
    // day numbers of the keys do not follow.
    if (date.year < 1600) return ask();
    const std::int64_t key = (day.number * 24 + hour) * 60 + minute;
    if (auto found = wallTimes_.find(key); found != wallTimes_.end()) return found->second;
    if (wallTimes_.size() >= maxRememberedWallTimes) wallTimes_.clear();
    const std::optional<Base::Date> instant = ask();
    wallTimes_.emplace(key, instant);
    return instant;
}

std::vector<Span> ScheduleBuilder::daily(WallClockTime start, WallClockTime end,
                                         const std::set<Weekday>& startWeekdays, Span within) const {
    std::vector<Span> spans;
    const WeekdayMask mask = maskOf(startWeekdays);
    if (mask == 0) return spans;
    const bool endsNextDay = end.minutesSinceMidnight() <= start.minutesSinceMidnight();
    const std::vector<Day>& walk = days(within.start, within.end);
    for (std::size_t i = 0; i < walk.size() && walk[i].start < within.end; ++i) {
        // Every visited day needs its following day, also to date an end past midnight.
        if (i + 1 >= walk.size()) break;
        if (!allows(mask, walk[i].date.weekday)) continue;
        const std::optional<Base::Date> occurrenceStart = wallTime(walk[i], start.hour, start.minute);
        const std::optional<Base::Date> occurrenceEnd =
            wallTime(walk[endsNextDay ? i + 1 : i], end.hour, end.minute);
        if (!occurrenceStart || !occurrenceEnd) continue;
        const Span span{*occurrenceStart, *occurrenceEnd};
        if (span.overlaps(within)) spans.push_back(span);
    }
    return spans;
}

std::vector<Span> ScheduleBuilder::hourlyMacros(std::int64_t aroundMinutes, const std::set<Weekday>& weekdays,
                                                Span within) const {
    std::vector<Span> spans;
    const std::optional<Base::Date> firstHour = calendar_.startOfHour(within.start);
    if (!firstHour) return spans;
    const WeekdayMask mask = maskOf(weekdays);
    if (mask == 0) return spans;
    // In seconds as a double: any stored around-time multiplies without overflow.
    const double around = static_cast<double>(aroundMinutes) * 60.0;
    const Base::Date stop = within.end + secondsPerHour;
    const std::vector<Day>& walk = days(*firstHour, stop);
    if (walk.empty()) return spans;
    std::size_t dayIndex = 0;
    for (Base::Date hour = *firstHour; hour < stop; hour += secondsPerHour) {
        // The weekday of an instant is that of the last day starting at or before it.
        while (dayIndex + 1 < walk.size() && walk[dayIndex + 1].start <= hour) ++dayIndex;
        // Past the last day the calendar could form, the weekday is unknown.
        if (dayIndex + 1 >= walk.size()) break;
        if (!allows(mask, walk[dayIndex].date.weekday)) continue;
        const Span span{hour - around, hour + around};
        if (span.overlaps(within)) spans.push_back(span);
    }
    return spans;
}

std::vector<MacroOccurrence> ScheduleBuilder::macroOccurrences(const MacroSchedule& schedule, Span within) const {
    std::vector<MacroOccurrence> occurrences;
    for (const NamedMacro& macro : schedule.named) {
        for (const Span& span : daily(macro.start, macro.end, schedule.weekdays, within)) {
            occurrences.push_back(MacroOccurrence{macro.name, span});
        }
    }
    const std::size_t namedCount = occurrences.size();
    for (const Span& span : hourlyMacros(schedule.aroundHourMinutes, schedule.weekdays, within)) {
        const bool clashes = std::any_of(occurrences.begin(), occurrences.begin() + static_cast<std::ptrdiff_t>(namedCount),
                                         [&](const MacroOccurrence& named) { return named.span.overlaps(span); });
        if (!clashes) occurrences.push_back(MacroOccurrence{std::string(MacroSchedule::hourlyName), span});
    }
    return occurrences;
}

}  // namespace TradingCore
