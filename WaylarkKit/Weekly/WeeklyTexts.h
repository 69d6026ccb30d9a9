#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Base/Date.h"
#include "WaylarkKit/Weekly/WeeklyItem.h"

// The words of the weekly tab and the rules that shorten them. Counts are in
// user-perceived characters.
namespace WaylarkKit::WeeklyTexts {

inline constexpr std::string_view title = "Weekly";
inline constexpr std::string_view subtitle = "news & bank holidays \u00B7 ET";
inline constexpr std::string_view emptyDay = "nothing";
inline constexpr std::string_view allDay = "All day";
inline constexpr std::string_view editRuleHelp = "Edit the news blackout rule";
inline constexpr std::string_view high = "High";
inline constexpr std::string_view medium = "Medium";

// The forecast and previous values: "F 0.3% · P 0.2%", either part alone, or
// nothing when both are empty. A value of 11 or more characters keeps its
// first 9 and "…".
std::optional<std::string> detail(const WeeklyItem& item);

// A title of 27 or more characters shows its first 25 and "…".
std::string shortTitle(std::string_view text);

// The time column: "All day" for a holiday, else New York "HH:mm".
std::string time(const WeeklyItem& item);

// The day's start as New York "EEE d MMM" in English ("Mon 3 Nov"), whatever
// the machine's zone and locale; the heading shows it in capitals.
std::string dayTitle(Base::Date start);
std::string dayHeading(Base::Date start);

// The impact button: "High + Med" with medium news listed, else "High".
std::string_view impactFilter(bool includeMedium);

}  // namespace WaylarkKit::WeeklyTexts
