#pragma once

#include <optional>
#include <string_view>

#include "Base/Date.h"

namespace CalendarKit::InternetDateTime {

// Reads exactly "YYYY-MM-DDTHH:MM:SS" followed by "Z" or "+HH:MM" / "-HH:MM":
// ASCII digits only, upper-case "T" and "Z", no fractional seconds, no leap
// second, a real calendar date (leap years included) and an offset below 24 h.
// Anything else -- a date alone, a missing zone, surrounding spaces -- gives
// nothing, so a feed entry is never read as a time it did not state.
std::optional<Base::Date> parse(std::string_view text);

}  // namespace CalendarKit::InternetDateTime
