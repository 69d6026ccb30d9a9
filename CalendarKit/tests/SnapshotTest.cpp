// Comparing, merging and trusting successive snapshots of the calendar.
#include <gtest/gtest.h>

#include "CalendarKit/Diff/SnapshotDiff.h"
#include "CalendarKit/Freshness/FreshnessPolicy.h"
#include "CalendarKit/Reconcile/EventReconciler.h"
#include "CalendarKit/tests/CalendarTestSupport.h"

using CalendarKit::CalendarChange;
using CalendarKit::CalendarEvent;
using CalendarKit::DateInterval;
using CalendarKit::EventReconciler;
using CalendarKit::FreshnessPolicy;
using CalendarTest::ids;
using CalendarTest::newYork;
using Ids = std::vector<std::string>;
using TradingCore::DataConfidence;
using TradingCore::NewsImpact;

namespace {

const Base::Date kNow(1772803800);
constexpr double kImminent = 7200;

CalendarEvent at(std::string id, double offset = 0, NewsImpact impact = NewsImpact::high, std::string forecast = "") {
    return CalendarTest::event(std::move(id), kNow + offset, impact, std::move(forecast));
}

}  // namespace

TEST(SnapshotDiffTest, ChangesFollowTheNewOrderThenRemovalsTheOldOrder) {
    const auto a = at("a"), b = at("b", 200), c = at("c"), movedC = at("c", 700), d = at("d");
    const auto before = at("a", 0, NewsImpact::medium, "1%"), after = at("a", 100, NewsImpact::high, "2%");
    // Titles, currencies, previous values and families are not compared.
    const CalendarEvent renamed{"a", "Renamed", "usd", NewsImpact::high, kNow, CalendarKit::EventFamily::cpi, "", "9%"};
    const auto other = at("a", 0, NewsImpact::high, "other");
    const struct {
        std::vector<CalendarEvent> old, next;
        std::vector<CalendarChange> changes;
    } cases[] = {
        {{a, b}, {b, renamed}, {}},
        {{}, {b, a}, {CalendarChange::added(b), CalendarChange::added(a)}},
        {{b, a}, {}, {CalendarChange::removed(b), CalendarChange::removed(a)}},
        {{a, b, c},
         {movedC, d, a},
         {CalendarChange::moved(c, movedC), CalendarChange::added(d), CalendarChange::removed(b)}},
        {{before}, {after, d},
         {CalendarChange::moved(before, after), CalendarChange::impactChanged(before, after),
          CalendarChange::forecastChanged(before, after), CalendarChange::added(d)}},
        // Of duplicate ids the first old event stands for them, and every new one is compared.
        {{a, other}, {a}, {}},
        {{a}, {other, other}, {CalendarChange::forecastChanged(a, other), CalendarChange::forecastChanged(a, other)}},
    };
    for (const auto& [old, next, changes] : cases) {
        EXPECT_EQ(CalendarKit::SnapshotDiff::compare(old, next), changes)
            << testing::PrintToString(ids(old)) << " to " << testing::PrintToString(ids(next));
    }
}

TEST(EventReconcilerTest, CarriesVanishedEventsOnlyInsideTheOpenWindow) {
    const std::tuple<double, double, bool> cases[] = {
        {-1800, kImminent, true}, {-3600, kImminent, false}, {-3599, kImminent, true}, {7200, kImminent, false},
        {7199, kImminent, true},  {-10, 0, true},            {10, 0, false}};
    for (const auto& [offset, imminentWithin, carried] : cases) {
        const auto result = EventReconciler::reconcile({at("gone", offset)}, {at("kept")}, {}, kNow, imminentWithin);
        EXPECT_EQ(result.pending.contains("gone"), carried) << offset;
        EXPECT_EQ(result.events.size(), carried ? 2u : 1u) << offset;
        EXPECT_EQ(ids(result.dropped), carried ? Ids{} : Ids{"gone"}) << offset;
    }
}

TEST(EventReconcilerTest, APendingMarkAllowsOneCarryOverOnly) {
    const auto first = EventReconciler::reconcile({at("a", 600), at("b", 900)}, {at("b", 900)}, {}, kNow, kImminent);
    EXPECT_EQ(first, (EventReconciler::Result{{at("a", 600), at("b", 900)}, {"a"}, {}}));
    // Still missing at the next refresh: dropped whatever its time.
    const auto second = EventReconciler::reconcile(first.events, {at("b", 900)}, first.pending, kNow, kImminent);
    EXPECT_EQ(second, (EventReconciler::Result{{at("b", 900)}, {}, {at("a", 600)}}));
    // Back instead: the incoming version stands and the mark is gone.
    const auto back = EventReconciler::reconcile(first.events, {at("a", 660), at("b", 900)}, first.pending, kNow,
                                                 kImminent);
    EXPECT_EQ(back, (EventReconciler::Result{{at("a", 660), at("b", 900)}, {}, {}}));
}

TEST(EventReconcilerTest, IncomingEventsReplaceAndLeadEqualTimes) {
    const auto result = EventReconciler::reconcile(
        {at("old-same-time", 60), at("replaced", 30), at("far", 86400 * 3)},
        {at("late", -86400 * 30), at("replaced", 99999, NewsImpact::low), at("new-same-time", 60), at("dup", 5),
         at("dup", 5)},
        {}, kNow, kImminent);
    EXPECT_EQ(ids(result.events), (Ids{"late", "dup", "dup", "new-same-time", "old-same-time", "replaced"}));
    EXPECT_EQ(result.events.back().impact, NewsImpact::low);
    EXPECT_EQ(ids(result.dropped), Ids{"far"});

    // Enough equal times that an unstable sort would reorder them.
    std::vector<CalendarEvent> incoming;
    Ids expected;
    for (int i = 0; i < 40; ++i) {
        incoming.push_back(at(std::to_string(i % 2 * 20 + i / 2), 60.0 * (i % 2)));  // named by their rank
        expected.push_back(std::to_string(i));
    }
    expected.push_back("carried");
    EXPECT_EQ(ids(EventReconciler::reconcile({at("carried", 60)}, incoming, {}, kNow, kImminent).events), expected);
}

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
