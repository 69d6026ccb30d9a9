#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "Base/Calendar.h"
#include "Base/Date.h"
#include "Base/EpochText.h"
#include "Base/Json.h"
#include "TradingCore/Evaluation/Span.h"
#include "TradingCore/Model/JsonCoding.h"
#include "TradingCore/Model/MarketTimeZone.h"
#include "TradingCore/Model/NewsEvent.h"

namespace Base {
inline void PrintTo(const Date& date, std::ostream* out) { *out << epochText(date.secondsSince1970); }
}  // namespace Base

namespace TradingCore {
inline void PrintTo(const Span& span, std::ostream* out) {
    *out << "[" << Base::epochText(span.start.secondsSince1970) << ", " << Base::epochText(span.end.secondsSince1970)
         << ")";
}
}  // namespace TradingCore

namespace TradingCore::TestSupport {

// A New York wall-clock instant, under the calendar's rules for skipped and repeated times.
inline Base::Date ny(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    static const Base::Calendar calendar(MarketTimeZone::newYork());
    return *calendar.date(year, month, day, hour, minute, second);
}

// 2026-01-14 is a Wednesday.
inline Base::Date wed(int hour, int minute = 0, int second = 0) { return ny(2026, 1, 14, hour, minute, second); }

inline Base::Date utc(int year, int month, int day, int hour = 0, int minute = 0) {
    static const Base::Calendar calendar(Base::TimeZone::utc());
    return *calendar.date(year, month, day, hour, minute, 0);
}

inline NewsEvent usdHigh(std::string title, Base::Date time, NewsImpact impact = NewsImpact::high,
                         std::optional<std::string> label = std::nullopt) {
    return NewsEvent{"id-" + title, std::move(title), "USD", impact, time, true, std::move(label)};
}

// Reads each text as a T: the value given, or a failure where none is.
template <class T>
void expectReads(const std::vector<std::pair<std::string, std::optional<T>>>& cases) {
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        const auto json = Base::Json::parse(text);
        const Base::Result<T> read = json.ok() ? fromJson<T>(*json) : Base::Result<T>(json.error());
        ASSERT_EQ(read.ok(), expected.has_value());
        if (expected) {
            EXPECT_EQ(*read, *expected);
        }
    }
}

}  // namespace TradingCore::TestSupport
