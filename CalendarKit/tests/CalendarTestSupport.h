#pragma once

#include <string>
#include <vector>

#include "Base/Calendar.h"
#include "CalendarKit/Feed/FeedEvent.h"
#include "CalendarKit/Normalization/CalendarEvent.h"
#include "TradingCore/Model/MarketTimeZone.h"

// Builders shared by the tests of the calendar's pure steps.
namespace CalendarTest {

inline Base::Date newYork(int year, int month, int day, int hour = 0, int minute = 0) {
    return *Base::Calendar(TradingCore::MarketTimeZone::newYork()).date(year, month, day, hour, minute);
}

inline CalendarKit::CalendarEvent event(std::string id, Base::Date time,
                                        TradingCore::NewsImpact impact = TradingCore::NewsImpact::high,
                                        std::string forecast = "") {
    return {std::move(id), "Title", "USD", impact, time, std::nullopt, std::move(forecast), ""};
}

inline CalendarKit::FeedEvent feed(std::string title, Base::Date time, std::string currency = "USD",
                                   std::string forecast = "1.0%") {
    return {std::move(title), std::move(currency), time, TradingCore::NewsImpact::high, std::move(forecast), "0.9%"};
}

inline std::vector<std::string> ids(const std::vector<CalendarKit::CalendarEvent>& events) {
    std::vector<std::string> out;
    for (const auto& e : events) out.push_back(e.id);
    return out;
}

}  // namespace CalendarTest
