#include "CalendarKit/Freshness/FreshnessPolicy.h"

#include <gtest/gtest.h>

#include "CalendarKit/tests/CalendarTestSupport.h"

using CalendarKit::DateInterval;
using CalendarKit::FreshnessPolicy;
using CalendarTest::newYork;
using TradingCore::DataConfidence;

TEST(FreshnessPolicyTest, CoverageIsWholeCalendarDaysOfTheZone) {
    const auto coverage = [](std::vector<Base::Date> times) {
        std::vector<CalendarKit::CalendarEvent> events;
        for (const Base::Date time : times) events.push_back(CalendarTest::event("id", time));
        return FreshnessPolicy::coverage(events, TradingCore::MarketTimeZone::newYork());
    };
    EXPECT_EQ(coverage({}), std::nullopt);
    EXPECT_EQ(coverage({newYork(2026, 3, 6, 14), newYork(2026, 3, 2, 8, 30)}),
              (DateInterval{newYork(2026, 3, 2), newYork(2026, 3, 7)}));
    EXPECT_EQ(coverage({newYork(2026, 3, 8, 12)}).value().duration(), 23 * 3600.0);   // clocks spring forward
    EXPECT_EQ(coverage({newYork(2026, 11, 1, 12)}).value().duration(), 25 * 3600.0);  // and fall back
}

TEST(FreshnessPolicyTest, ConfidenceByCoverageThenAgeBothBoundsInclusive) {
    const FreshnessPolicy policy{86'400, 604'800};
    const DateInterval week{newYork(2026, 3, 2), newYork(2026, 3, 7)};
    const auto aged = [&](Base::Date now, double age) { return policy.confidence(now - age, week, now); };
    EXPECT_EQ(policy.confidence(std::nullopt, week, week.start), DataConfidence::unknown);
    EXPECT_EQ(policy.confidence(week.start, std::nullopt, week.start), DataConfidence::unknown);
    EXPECT_EQ(aged(week.start, 0), DataConfidence::live);
    EXPECT_EQ(aged(week.start - 1, 0), DataConfidence::unknown);
    EXPECT_EQ(aged(week.end, 0), DataConfidence::live);
    EXPECT_EQ(aged(week.end + 1, 0), DataConfidence::unknown);
    // A success up to five minutes ahead reads as age 0; further ahead the
    // clock was set back, and old data must not look live.
    const std::pair<double, DataConfidence> ages[] = {
        {86'400, DataConfidence::live},      {86'401, DataConfidence::degraded}, {604'800, DataConfidence::degraded},
        {604'801, DataConfidence::unknown},  {-300, DataConfidence::live},       {-301, DataConfidence::unknown}};
    for (const auto& [age, expected] : ages) EXPECT_EQ(aged(newYork(2026, 3, 6, 12), age), expected) << age;
}
