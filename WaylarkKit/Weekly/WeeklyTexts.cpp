#include "WaylarkKit/Weekly/WeeklyTexts.h"

#include <array>
#include <vector>

#include "Base/Calendar.h"
#include "Base/Text.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "WaylarkKit/Views/Formatting.h"

namespace WaylarkKit::WeeklyTexts {

namespace {

constexpr std::string_view ellipsis = "\u2026";

// A text of at least `threshold` characters keeps its first threshold − 2.
std::string cut(std::string_view text, std::size_t threshold) {
    if (Base::Text::graphemeCount(text) < threshold) return std::string(text);
    return Base::Text::graphemePrefix(text, threshold - 2) + std::string(ellipsis);
}

}  // namespace

std::optional<std::string> detail(const WeeklyItem& item) {
    std::vector<std::string> parts;
    if (!item.forecast.empty()) parts.push_back("F " + cut(item.forecast, 11));
    if (!item.previous.empty()) parts.push_back("P " + cut(item.previous, 11));
    if (parts.empty()) return std::nullopt;
    return parts.size() == 1 ? parts[0] : parts[0] + " \u00B7 " + parts[1];
}

std::string shortTitle(std::string_view text) { return cut(text, 27); }

std::string time(const WeeklyItem& item) {
    return item.isHoliday ? std::string(allDay) : Formatting::etFormatter().string(item.time);
}

std::string dayTitle(Base::Date start) {
    static constexpr std::array<std::string_view, 7> weekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr std::array<std::string_view, 12> months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                                "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    // One calendar per thread: a calendar must not be shared between threads.
    thread_local const Base::Calendar calendar(TradingCore::MarketTimeZone::newYork());
    const Base::DateComponents c = calendar.components(start);
    if (c.weekday < 1 || c.weekday > 7 || c.month < 1 || c.month > 12) return {};
    return std::string(weekdays[static_cast<std::size_t>(c.weekday - 1)]) + " " + std::to_string(c.day) + " " +
           std::string(months[static_cast<std::size_t>(c.month - 1)]);
}

std::string dayHeading(Base::Date start) { return Base::Text::uppercased(dayTitle(start)); }

std::string_view impactFilter(bool includeMedium) { return includeMedium ? "High + Med" : high; }

}  // namespace WaylarkKit::WeeklyTexts
