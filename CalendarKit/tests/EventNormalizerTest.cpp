#include "CalendarKit/Normalization/EventNormalizer.h"

#include <gtest/gtest.h>

#include "CalendarKit/tests/CalendarTestSupport.h"

using CalendarKit::FeedEvent;
namespace Normalizer = CalendarKit::EventNormalizer;
using CalendarTest::ids;
using CalendarTest::newYork;

namespace {

FeedEvent feed(std::string title, Base::Date time, std::string currency = "USD", std::string forecast = "1.0%") {
    return FeedEvent{std::move(title), std::move(currency), time, TradingCore::NewsImpact::high, std::move(forecast),
                     "0.9%"};
}

}  // namespace

TEST(EventNormalizerTest, WeekKeysAreTheNewYorkSundayOfTheEventsWeek) {
    const Base::Date sunday2amUtc = *Base::Calendar(Base::TimeZone::utc()).date(2026, 3, 8, 2);
    const struct {
        const char* name;
        Base::Date time;
        const char* key;
    } cases[] = {
        {"Saturday 23:30", newYork(2026, 3, 7, 23, 30), "2026-03-01"},
        {"Sunday midnight, the day clocks spring forward", newYork(2026, 3, 8), "2026-03-08"},
        {"02:00 UTC Sunday is Saturday evening in New York", sunday2amUtc, "2026-03-01"},
        {"Monday 2024-01-01 belongs to the year before", newYork(2024, 1, 1, 10), "2023-12-31"},
        {"Saturday 2026-01-03", newYork(2026, 1, 3, 12), "2025-12-28"},
        {"the day clocks fall back", newYork(2026, 11, 1, 23, 59), "2026-11-01"},
        {"Saturday before falling back", newYork(2026, 10, 31, 23, 59), "2026-10-25"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Normalizer::weekKey(c.time, Normalizer::newYork()), c.key) << c.name;
    }
    EXPECT_EQ(Normalizer::weekKey(sunday2amUtc, Base::TimeZone::utc()), "2026-03-08");
}

TEST(EventNormalizerTest, SlugsKeepLettersAndNumbersOfAnyScriptAndCollapseTheRest) {
    const struct {
        const char* title;
        const char* slug;
    } cases[] = {
        {"Non-Farm Employment Change", "non-farm-employment-change"},
        {"CPI m/m", "cpi-m-m"},
        {"10-y Bond Auction", "10-y-bond-auction"},
        {"3.5% Target", "3-5-target"},
        {"  --  Leading, trailing & doubled --  ", "leading-trailing-doubled"},
        {"?!. ,", ""},
        {"Zürich Index", "zürich-index"},
        {"Zu\xCC\x88rich Index", "zu\xCC\x88rich-index"},  // decomposed ü stays one character
        {"Tankan ½ Index", "tankan-½-index"},
        {"日銀 政策金利", "日銀-政策金利"},
        {"İstanbul", "i\xCC\x87stanbul"},  // full lowercase mapping of the dotted capital I
        {"Oil\tInventories\r\n€", "oil-inventories"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Normalizer::slug(c.title), c.slug) << c.title;
    }
}

TEST(EventNormalizerTest, OccurrenceCountersFollowTimeOrderPerBaseAndCall) {
    const auto events = Normalizer::normalize(
        {
            feed("Fed Chair Speaks", newYork(2026, 3, 4, 14)),
            feed("Fed Chair Speaks", newYork(2026, 3, 4, 8, 30), "USD", "earlier"),
            feed("CPI m/m", newYork(2026, 3, 4, 8, 30)),
            feed("CPI m/m", newYork(2026, 3, 4, 8, 30), "EUR"),
            feed("CPI m/m", newYork(2026, 3, 10, 8, 30)),
            feed("?!", newYork(2026, 3, 5, 9)),
            feed("CPI m/m", newYork(2026, 3, 4, 8, 30), "usd"),
            feed("CPI m/m", newYork(2026, 3, 4, 8, 30), "USD", "second"),
            feed("Bank Holiday", newYork(2026, 3, 8), "JPY"),
            feed("Bank Holiday", newYork(2026, 3, 7, 23, 59), "JPY"),
        },
        Normalizer::newYork());
    EXPECT_EQ(ids(events), (std::vector<std::string>{
                               "2026-03-01:USD:fed-chair-speaks:0",
                               "2026-03-01:USD:cpi-m-m:0",
                               "2026-03-01:EUR:cpi-m-m:0",
                               "2026-03-01:usd:cpi-m-m:0",
                               "2026-03-01:USD:cpi-m-m:1",
                               "2026-03-01:USD:fed-chair-speaks:1",
                               "2026-03-01:USD::0",
                               "2026-03-01:JPY:bank-holiday:0",
                               "2026-03-08:JPY:bank-holiday:0",
                               "2026-03-08:USD:cpi-m-m:0",
                           }));
    // Sorted by time, equal times in input order; the rest copied as fed.
    EXPECT_EQ(events[0].forecast, "earlier");
    EXPECT_EQ(events[4].forecast, "second");
    EXPECT_EQ(events[1].previous, "0.9%");
    EXPECT_EQ(events[0].family, CalendarKit::EventFamily::fedChair);
    EXPECT_EQ(events[1].family, CalendarKit::EventFamily::cpi);
    EXPECT_EQ(events[6].family, std::nullopt);

    // Each call counts afresh: alone, the 14:00 speech is the first of its week.
    const auto again =
        Normalizer::normalize({feed("Fed Chair Speaks", newYork(2026, 3, 4, 14))}, Normalizer::newYork());
    EXPECT_EQ(again[0].id, "2026-03-01:USD:fed-chair-speaks:0");
    EXPECT_TRUE(Normalizer::normalize({}, Normalizer::newYork()).empty());
}

TEST(EventNormalizerTest, ManyEqualTimesKeepTheirInputOrder) {
    // Enough entries that an unstable sort would reorder the equal ones.
    std::vector<FeedEvent> input;
    for (int i = 0; i < 60; ++i) {
        input.push_back(feed("Speech", newYork(2026, 3, 4, 10 + i % 3), "USD", std::to_string(i)));
    }
    const auto events = Normalizer::normalize(input, Normalizer::newYork());
    for (std::size_t i = 0; i < events.size(); ++i) {
        const int n = static_cast<int>(i % 20);
        EXPECT_EQ(events[i].forecast, std::to_string(n * 3 + static_cast<int>(i / 20))) << i;
        EXPECT_EQ(events[i].id, "2026-03-01:USD:speech:" + std::to_string(i)) << i;
    }
}
