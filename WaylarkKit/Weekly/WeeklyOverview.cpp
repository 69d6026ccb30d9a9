#include "WaylarkKit/Weekly/WeeklyOverview.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

#include "Base/Calendar.h"
#include "CalendarKit/Normalization/EventFamily.h"
#include "SettingsKit/AppSettings.h"

namespace WaylarkKit::WeeklyOverview {

namespace {

using CalendarKit::CalendarEvent;
using TradingCore::NewsImpact;

bool passesImpact(NewsImpact impact, bool includeMedium) {
    switch (impact) {
        case NewsImpact::high:
        case NewsImpact::holiday:
            return true;
        case NewsImpact::medium:
            return includeMedium;
        case NewsImpact::low:
            return false;
    }
    return false;
}

std::vector<Base::Date> weekdays(Base::Date date, const Base::Calendar& calendar) {
    const std::optional<Base::Date> start = calendar.startOfDay(date);
    if (!start) return {};
    const int weekday = calendar.weekday(*start);  // 1 = Sunday ... 7 = Saturday
    int offset = -((weekday + 5) % 7);
    if (weekday == 1 || weekday == 7) offset += 7;
    const std::optional<Base::Date> monday = calendar.startOfDay(*start, offset);
    if (!monday) return {};
    std::vector<Base::Date> result;
    result.reserve(5);
    for (int i = 0; i < 5; ++i) {
        if (const auto day = calendar.startOfDay(*monday, i)) result.push_back(*day);
    }
    return result;
}

WeeklyItem item(const CalendarEvent& event, Base::Date now) {
    // One classification serves both the label and the activity id.
    TradingCore::NewsEvent news = event.newsEvent();
    std::string activityID = news.activityID();
    return WeeklyItem{event.id,
                      std::move(activityID),
                      event.time,
                      event.title,
                      std::move(news.label),
                      event.impact == NewsImpact::holiday,
                      event.impact == NewsImpact::medium,
                      event.forecast,
                      event.previous,
                      event.time < now};
}

}  // namespace

std::vector<Base::Date> weekdays(Base::Date date, const Base::TimeZone& timeZone) {
    return weekdays(date, Base::Calendar(timeZone));
}

std::vector<std::string> currencies(const std::vector<CalendarEvent>& events, bool includeMedium) {
    static const std::string usd = "USD";
    std::set<std::string> others;
    for (const CalendarEvent& event : events) {
        if (!passesImpact(event.impact, includeMedium)) continue;
        if (event.currency == usd || !SettingsKit::AppSettings::isCurrencyCode(event.currency)) continue;
        others.insert(event.currency);
    }
    std::vector<std::string> result;
    result.reserve(others.size() + 1);
    result.push_back(usd);
    result.insert(result.end(), others.begin(), others.end());
    return result;
}

std::vector<WeeklyDay> days(const std::vector<CalendarEvent>& events, std::string_view currency, bool includeMedium,
                            Base::Date now, const Base::TimeZone& timeZone) {
    std::vector<const CalendarEvent*> kept;
    for (const CalendarEvent& event : events) {
        // A time that is no number falls on no day, and would break the sort.
        if (passesImpact(event.impact, includeMedium) && event.currency == currency &&
            std::isfinite(event.time.secondsSince1970)) {
            kept.push_back(&event);
        }
    }
    std::stable_sort(kept.begin(), kept.end(),
                     [](const CalendarEvent* a, const CalendarEvent* b) { return a->time < b->time; });

    const Base::Calendar calendar(timeZone);
    std::vector<WeeklyDay> result;
    for (const Base::Date start : weekdays(now, calendar)) {
        // A day runs from its midnight to the next one; should the calendar
        // fail to form that, the day is found by its start instead.
        const std::optional<Base::Date> next = calendar.startOfDay(start, 1);
        const auto sameDay = [&](Base::Date instant) {
            return next ? (start <= instant && instant < *next) : calendar.startOfDay(instant) == start;
        };
        WeeklyDay day{start, {}, sameDay(now)};
        for (const CalendarEvent* event : kept) {
            if (sameDay(event->time)) day.items.push_back(item(*event, now));
        }
        result.push_back(std::move(day));
    }
    return result;
}

}  // namespace WaylarkKit::WeeklyOverview
