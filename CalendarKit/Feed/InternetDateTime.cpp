#include "CalendarKit/Feed/InternetDateTime.h"

#include <cstdint>

namespace CalendarKit::InternetDateTime {

namespace {

// Reads `count` ASCII digits at `pos`; nothing if any of them is not one.
std::optional<int> digits(std::string_view text, std::size_t pos, std::size_t count) {
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to the proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t daysFromCivil(int year, int month, int day) {
    const std::int64_t y = year - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = (month + 9) % 12;
    const std::int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

}  // namespace

std::optional<Base::Date> parse(std::string_view text) {
    // 2026-03-06T08:30:00 is 19 characters; the zone adds "Z" or "+05:00".
    constexpr std::size_t kLocalLength = 19;
    if (text.size() != kLocalLength + 1 && text.size() != kLocalLength + 6) return std::nullopt;
    if (text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':') {
        return std::nullopt;
    }
    const auto year = digits(text, 0, 4);
    const auto month = digits(text, 5, 2);
    const auto day = digits(text, 8, 2);
    const auto hour = digits(text, 11, 2);
    const auto minute = digits(text, 14, 2);
    const auto second = digits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
    if (*month < 1 || *month > 12 || *day < 1 || *day > daysInMonth(*year, *month)) return std::nullopt;
    if (*hour > 23 || *minute > 59 || *second > 59) return std::nullopt;

    int offsetSeconds = 0;
    const std::string_view zone = text.substr(kLocalLength);
    if (zone.size() == 1) {
        if (zone[0] != 'Z') return std::nullopt;
    } else {
        if ((zone[0] != '+' && zone[0] != '-') || zone[3] != ':') return std::nullopt;
        const auto offsetHours = digits(zone, 1, 2);
        const auto offsetMinutes = digits(zone, 4, 2);
        if (!offsetHours || !offsetMinutes || *offsetHours > 23 || *offsetMinutes > 59) return std::nullopt;
        offsetSeconds = (*offsetHours * 3600 + *offsetMinutes * 60) * (zone[0] == '-' ? -1 : 1);
    }

    const std::int64_t local = daysFromCivil(*year, *month, *day) * 86400 + *hour * 3600 + *minute * 60 + *second;
    return Base::Date(static_cast<double>(local - offsetSeconds));
}

}  // namespace CalendarKit::InternetDateTime
