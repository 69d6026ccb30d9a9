#include "CalendarKit/Normalization/EventNormalizer.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <unordered_map>

#include "Base/Text.h"
#include "CalendarKit/Normalization/EventFamilyClassifier.h"
#include "TradingCore/Model/MarketTimeZone.h"

namespace CalendarKit::EventNormalizer {

namespace {

bool isAsciiLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Joins the kept pieces with single dashes: a dash is written only between
// two pieces, never first, last or twice.
class SlugWriter {
public:
    void keep(std::string_view piece) {
        if (pendingDash_ && !out_.empty()) out_ += '-';
        pendingDash_ = false;
        out_ += piece;
    }
    void separate() { pendingDash_ = true; }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
    bool pendingDash_ = false;
};

}  // namespace

const Base::TimeZone& newYork() {
    static const Base::TimeZone zone = TradingCore::MarketTimeZone::newYork();
    return zone;
}

std::string weekKey(Base::Date date, const Base::TimeZone& timeZone) {
    return weekKey(date, Base::Calendar(timeZone));
}

std::string weekKey(Base::Date date, const Base::Calendar& calendar) {
    const Base::Date start = calendar.startOfWeek(date).value_or(date);
    const Base::DateComponents parts = calendar.components(start);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", parts.year, parts.month, parts.day);
    return text;
}

std::string slug(std::string_view title) {
    const std::string lower = Base::Text::lowercased(title);
    SlugWriter writer;
    if (Base::Text::isPrintableAscii(lower)) {
        for (std::size_t i = 0; i < lower.size(); ++i) {
            if (isAsciiLetterOrDigit(lower[i])) {
                writer.keep(std::string_view(lower).substr(i, 1));
            } else {
                writer.separate();
            }
        }
        return writer.take();
    }
    // A character is judged by its first scalar, so an accent that combines
    // with a letter stays with it.
    for (const std::string& cluster : Base::Text::graphemes(lower)) {
        const std::u32string scalars = Base::Text::codePoints(cluster);
        if (!scalars.empty() && Base::Text::isLetterOrNumber(scalars.front())) {
            writer.keep(cluster);
        } else {
            writer.separate();
        }
    }
    return writer.take();
}

std::vector<CalendarEvent> normalize(const std::vector<FeedEvent>& events, const Base::TimeZone& timeZone) {
    std::vector<const FeedEvent*> sorted;
    sorted.reserve(events.size());
    for (const FeedEvent& event : events) sorted.push_back(&event);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const FeedEvent* a, const FeedEvent* b) { return a->time < b->time; });

    std::vector<CalendarEvent> result;
    if (sorted.empty()) return result;
    result.reserve(sorted.size());

    const Base::Calendar calendar(timeZone);
    std::unordered_map<std::string, int> counters;
    // Events arrive sorted, so consecutive ones usually share a week: keep the
    // last week's bounds to spare a calendar computation per event.
    std::optional<Base::Date> weekStart;
    std::optional<Base::Date> weekEnd;
    std::string currentWeekKey;

    for (const FeedEvent* event : sorted) {
        if (!weekStart || event->time < *weekStart || !weekEnd || !(event->time < *weekEnd)) {
            currentWeekKey = weekKey(event->time, calendar);
            weekStart = calendar.startOfWeek(event->time);
            weekEnd = weekStart ? calendar.startOfDay(*weekStart, 7) : std::nullopt;
        }
        std::string base = currentWeekKey;
        base += ':';
        base += event->currency;
        base += ':';
        base += slug(event->title);
        int& counter = counters[base];
        const int occurrence = counter++;

        CalendarEvent calendarEvent;
        calendarEvent.id = std::move(base) + ":" + std::to_string(occurrence);
        calendarEvent.title = event->title;
        calendarEvent.currency = event->currency;
        calendarEvent.impact = event->impact;
        calendarEvent.time = event->time;
        calendarEvent.family = EventFamilyClassifier::classify(event->title);
        calendarEvent.forecast = event->forecast;
        calendarEvent.previous = event->previous;
        result.push_back(std::move(calendarEvent));
    }
    return result;
}

}  // namespace CalendarKit::EventNormalizer
