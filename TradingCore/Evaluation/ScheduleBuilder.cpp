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

}  // namespace

ScheduleBuilder::ScheduleBuilder(Base::Calendar calendar) : calendar_(std::move(calendar)) {}

const std::vector<ScheduleBuilder::Day>& ScheduleBuilder::days(Base::Date from, Base::Date until) const {
    const std::optional<Base::Date> first = calendar_.startOfDay(from);
    if (!first) {
        days_.clear();
        return days_;
    }
    if (days_.empty() || days_.front().start != *first) {
        const Base::DateComponents c = calendar_.components(*first);
        baseYear_ = c.year;
        baseMonth_ = c.month;
        baseDay_ = c.day;
        daysExhausted_ = false;
        days_.assign(1, Day{*first, c.weekday, 0});
    }
    while (!daysExhausted_ && days_.back().start < until) {
        if (days_.size() > maxWalkDays) {
            daysExhausted_ = true;
            break;
        }
        const Day& last = days_.back();
        const int offset = last.dayOffset + 1;
        const std::optional<Base::Date> next = calendar_.date(baseYear_, baseMonth_, baseDay_ + offset);
        if (!next) {
            daysExhausted_ = true;
            break;
        }
        days_.push_back(Day{*next, last.weekday % 7 + 1, offset});
    }
    return days_;
}

std::optional<Base::Date> ScheduleBuilder::wallTime(const Day& day, int dayShift, WallClockTime time) const {
    if (time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59) return std::nullopt;
    return calendar_.date(baseYear_, baseMonth_, baseDay_ + day.dayOffset + dayShift, static_cast<int>(time.hour),
                          static_cast<int>(time.minute), 0);
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
        if (!allows(mask, walk[i].weekday)) continue;
        const std::optional<Base::Date> occurrenceStart = wallTime(walk[i], 0, start);
        const std::optional<Base::Date> occurrenceEnd = wallTime(walk[i], endsNextDay ? 1 : 0, end);
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
        if (!allows(mask, walk[dayIndex].weekday)) continue;
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
