#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Base/Calendar.h"
#include "Base/Date.h"
#include "Base/TimeZone.h"
#include "CalendarKit/Feed/FeedEvent.h"
#include "CalendarKit/Normalization/CalendarEvent.h"

namespace CalendarKit::EventNormalizer {

// The zone the application normalises in: New York, where the feed's weeks
// begin. Made once.
const Base::TimeZone& newYork();

// One calendar event per entry, in ascending time order (entries with equal
// times keep their order). Each id is "<week key>:<currency>:<slug>:<n>",
// n counting from 0 the entries of this call that share the first three parts,
// so an id survives refetches as long as the release keeps its week, currency
// and title.
std::vector<CalendarEvent> normalize(const std::vector<FeedEvent>& events, const Base::TimeZone& timeZone);

// "YYYY-MM-DD" of the Sunday, in the zone, that starts the week holding the date.
std::string weekKey(Base::Date date, const Base::TimeZone& timeZone);
std::string weekKey(Base::Date date, const Base::Calendar& calendar);

// The lowercased title with every run of characters that are neither letters
// nor numbers (in any script) turned into one "-", none at either end.
std::string slug(std::string_view title);

}  // namespace CalendarKit::EventNormalizer
