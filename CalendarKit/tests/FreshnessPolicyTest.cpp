#include "CalendarKit/Freshness/FreshnessPolicy.h"

#include <gtest/gtest.h>

#include "CalendarKit/tests/CalendarTestSupport.h"

using CalendarKit::CalendarEvent;
using CalendarKit::DateInterval;
using CalendarKit::FreshnessPolicy;
using TradingCore::DataConfidence;
using CalendarTest::newYork;

namespace {

const Base::TimeZone& zone() { return TradingCore::MarketTimeZone::newYork(); }

CalendarEvent at(Base::Date time) { return CalendarTest::event("id", time); }

const FreshnessPolicy kPolicy{86'400, 604'800};

}  // namespace

TEST(FreshnessPolicyTest, CoverageIsWholeDaysOfTheZone) {
    EXPECT_EQ(FreshnessPolicy::coverage({}, zone()), std::nullopt);
    // Monday 08:30 and Friday 14:00, given out of order.
    EXPECT_EQ(FreshnessPolicy::coverage({at(newYork(2026, 3, 6, 14)), at(newYork(2026, 3, 2, 8, 30))}, zone()),
              (DateInterval{newYork(2026, 3, 2), newYork(2026, 3, 7)}));
    EXPECT_EQ(FreshnessPolicy::coverage({at(newYork(2026, 3, 4, 10))}, zone()),
              (DateInterval{newYork(2026, 3, 4), newYork(2026, 3, 5)}));

    const auto springForward = FreshnessPolicy::coverage({at(newYork(2026, 3, 8, 12))}, zone());
    ASSERT_TRUE(springForward);
    EXPECT_EQ(springForward->duration(), 23 * 3600.0);
    const auto fallBack = FreshnessPolicy::coverage({at(newYork(2026, 11, 1, 12))}, zone());
    ASSERT_TRUE(fallBack);
    EXPECT_EQ(fallBack->duration(), 25 * 3600.0);
}

TEST(FreshnessPolicyTest, ConfidenceByCoverageThenAge) {
    const DateInterval week{newYork(2026, 3, 2), newYork(2026, 3, 7)};
    const Base::Date now = newYork(2026, 3, 4, 12);
    const struct {
        const char* name;
        std::optional<Base::Date> lastSuccess;
        std::optional<DateInterval> coverage;
        Base::Date now;
        DataConfidence expected;
    } cases[] = {
        {"no last success", std::nullopt, week, now, DataConfidence::unknown},
        {"no coverage", now, std::nullopt, now, DataConfidence::unknown},
        {"at the coverage's end", week.end - 10, week, week.end, DataConfidence::live},
        {"a second after its end", week.end - 10, week, week.end + 1, DataConfidence::unknown},
        {"at its start", week.start, week, week.start, DataConfidence::live},
        {"a second before its start", week.start - 2, week, week.start - 1, DataConfidence::unknown},
        {"age a day", now - 86'400, week, now, DataConfidence::live},
        {"age a day and a second", now - 86'401, week, now, DataConfidence::degraded},
        {"age a week", now - 604'800, week, now, DataConfidence::degraded},
        {"age a week and a second", now - 604'801, week, now, DataConfidence::unknown},
        {"five minutes ahead reads as age 0", now + 300, week, now, DataConfidence::live},
        // A clock set back must not make old data look live.
        {"more than five minutes ahead", now + 301, week, now, DataConfidence::unknown},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(kPolicy.confidence(c.lastSuccess, c.coverage, c.now), c.expected) << c.name;
    }
}

TEST(FreshnessPolicyTest, InvertedBoundsSkipDegradedAndPoliciesCompareByField) {
    const FreshnessPolicy inverted{100, 50};
    const DateInterval always{Base::Date(0), Base::Date(1e10)};
    const Base::Date now(1e9);
    EXPECT_EQ(inverted.confidence(now - 100, always, now), DataConfidence::live);
    EXPECT_EQ(inverted.confidence(now - 101, always, now), DataConfidence::unknown);
    EXPECT_NE((FreshnessPolicy{1, 2}), (FreshnessPolicy{2, 1}));
    EXPECT_EQ((FreshnessPolicy{1, 2}), (FreshnessPolicy{1, 2}));
}
