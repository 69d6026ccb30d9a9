#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "Base/Calendar.h"
#include "CalendarKit/Normalization/CalendarEvent.h"
#include "TradingCore/Model/MarketTimeZone.h"

// A realistic calendar around the week of Monday 3 November 2025 (the first
// week after New York left summer time): the releases and bank holidays of
// that week in nine currencies and all four impacts, as the feed lists them
// (by time), with a few of the weeks around it. The rows live in
// tests/data/realistic-week.tsv, times in New York.
namespace WaylarkKit::Testing {

inline Base::Date newYorkTime(int year, int month, int day, int hour, int minute) {
    return *Base::Calendar(TradingCore::MarketTimeZone::newYork()).date(year, month, day, hour, minute);
}

inline std::vector<CalendarKit::CalendarEvent> realisticWeek() {
    using TradingCore::NewsImpact;
    std::ifstream file(WAYLARK_SOURCE_DIR "/WaylarkKit/tests/data/realistic-week.tsv");
    std::vector<CalendarKit::CalendarEvent> events;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        for (std::size_t start = 0, tab = 0; tab != std::string::npos; start = tab + 1) {
            tab = line.find('\t', start);
            f.push_back(line.substr(start, tab - start));
        }
        const NewsImpact impact = f[5] == "H" ? NewsImpact::high
                                  : f[5] == "M" ? NewsImpact::medium
                                  : f[5] == "X" ? NewsImpact::holiday
                                                : NewsImpact::low;
        events.push_back({"ev-" + std::to_string(events.size() + 1), f[6], f[4], impact,
                          newYorkTime(2025, std::stoi(f[0]), std::stoi(f[1]), std::stoi(f[2]), std::stoi(f[3])),
                          std::nullopt, f[7], f[8]});
    }
    return events;
}

}  // namespace WaylarkKit::Testing
