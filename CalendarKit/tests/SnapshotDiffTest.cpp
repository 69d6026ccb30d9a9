#include "CalendarKit/Diff/SnapshotDiff.h"

#include <gtest/gtest.h>

#include "CalendarKit/tests/CalendarTestSupport.h"

using CalendarKit::CalendarChange;
using CalendarKit::CalendarEvent;
using CalendarKit::SnapshotDiff::compare;
using TradingCore::NewsImpact;

namespace {

CalendarEvent event(std::string id, double time = 100, NewsImpact impact = NewsImpact::high,
                    std::string forecast = "1%") {
    return CalendarTest::event(std::move(id), Base::Date(time), impact, std::move(forecast));
}

}  // namespace

TEST(SnapshotDiffTest, EmptyAndIdenticalSnapshots) {
    const auto a = event("a");
    const auto b = event("b", 200);
    EXPECT_TRUE(compare({}, {}).empty());
    EXPECT_EQ(compare({}, {b, a}), (std::vector{CalendarChange::added(b), CalendarChange::added(a)}));
    EXPECT_EQ(compare({b, a}, {}), (std::vector{CalendarChange::removed(b), CalendarChange::removed(a)}));
    EXPECT_TRUE(compare({a, b}, {b, a}).empty());
}

TEST(SnapshotDiffTest, ChangesFollowTheNewOrderThenRemovalsInTheOldOrder) {
    const auto a = event("a");
    const auto b = event("b");
    const auto c = event("c");
    const auto movedC = event("c", 700);
    const auto d = event("d");
    EXPECT_EQ(compare({a, b, c}, {movedC, d, a}),
              (std::vector{CalendarChange::moved(c, movedC), CalendarChange::added(d), CalendarChange::removed(b)}));
}

TEST(SnapshotDiffTest, OneEventCanChangeTimeImpactAndForecastInThatOrder) {
    const auto before = event("a", 100, NewsImpact::medium, "1%");
    const auto after = event("a", 200, NewsImpact::high, "2%");
    EXPECT_EQ(compare({before}, {after, event("z")}),
              (std::vector{CalendarChange::moved(before, after), CalendarChange::impactChanged(before, after),
                           CalendarChange::forecastChanged(before, after), CalendarChange::added(event("z"))}));
}

TEST(SnapshotDiffTest, OtherFieldsAreNotReported) {
    const auto before = event("a");
    auto after = before;
    after.previous = "9%";
    after.title = "Renamed";
    after.currency = "usd";
    after.family = CalendarKit::EventFamily::cpi;
    EXPECT_TRUE(compare({before}, {after}).empty());
}

TEST(SnapshotDiffTest, DuplicateIdsUseTheFirstOldEventAndEachNewOne) {
    const auto first = event("a", 100, NewsImpact::high, "first");
    const auto second = event("a", 100, NewsImpact::high, "second");
    const auto changedTwice = event("a", 100, NewsImpact::high, "other");
    EXPECT_TRUE(compare({first, second}, {first}).empty());
    EXPECT_EQ(compare({first}, {changedTwice, changedTwice}),
              (std::vector{CalendarChange::forecastChanged(first, changedTwice),
                           CalendarChange::forecastChanged(first, changedTwice)}));
}
