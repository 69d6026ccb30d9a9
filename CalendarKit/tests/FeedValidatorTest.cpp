#include "CalendarKit/Feed/FeedValidator.h"

#include <gtest/gtest.h>

#include "CalendarKit/Feed/FeedError.h"

using CalendarKit::FeedEvent;
using CalendarKit::FeedIssue;
using CalendarKit::FeedValidationPolicy;
using CalendarKit::FeedValidator::validate;

namespace {

const Base::Date kNow(1772803800);
const FeedValidationPolicy kPolicy{1500, 1'209'600, 2'419'200, 0.4, 20};

std::vector<FeedEvent> eventsAt(std::vector<double> offsets) {
    std::vector<FeedEvent> events;
    for (const double offset : offsets) events.push_back(FeedEvent{"CPI m/m", "USD", kNow + offset, {}, "", ""});
    return events;
}

std::vector<FeedEvent> count(std::size_t n) { return eventsAt(std::vector<double>(n, 0.0)); }

}  // namespace

TEST(FeedValidatorTest, TestsRunInOrderAndTheFirstFailureWins) {
    const FeedValidationPolicy allowAnything{0, 1e12, 1e12, 0, 1'000'000};
    auto tooManyAndImplausible = count(1501);
    tooManyAndImplausible[0].time = kNow + 1e9;
    const struct {
        const char* name;
        std::vector<FeedEvent> events;
        std::int64_t previous;
        FeedValidationPolicy policy;
        std::optional<FeedIssue> issue;
    } cases[] = {
        {"empty with any policy", {}, 0, allowAnything, FeedIssue::empty()},
        {"empty beats tooMany", {}, 100, FeedValidationPolicy{-1, 0, 0, 1, 0}, FeedIssue::empty()},
        {"exactly maxEvents", count(1500), 0, kPolicy, std::nullopt},
        {"one more than maxEvents", count(1501), 0, kPolicy, FeedIssue::tooMany(1501)},
        {"tooMany beats implausibleDates", tooManyAndImplausible, 0, kPolicy, FeedIssue::tooMany(1501)},
        {"window bounds belong to it", eventsAt({-1'209'600, 2'419'200}), 0, kPolicy, std::nullopt},
        {"a second before the window", eventsAt({0, -1'209'601}), 0, kPolicy, FeedIssue::implausibleDates(1)},
        {"a second after the window", eventsAt({2'419'201, 0}), 0, kPolicy, FeedIssue::implausibleDates(1)},
        {"two strays", eventsAt({-2e6, 0, 3e6}), 0, kPolicy, FeedIssue::implausibleDates(2)},
        {"implausibleDates beats drop", eventsAt({-2e6}), 100, kPolicy, FeedIssue::implausibleDates(1)},
        {"no drop test below 20", count(1), 19, kPolicy, std::nullopt},
        {"20 to 8 keeps exactly 40%", count(8), 20, kPolicy, std::nullopt},
        {"20 to 7", count(7), 20, kPolicy, FeedIssue::suspiciousDrop(20, 7)},
        {"120 to 30", count(30), 120, kPolicy, FeedIssue::suspiciousDrop(120, 30)},
        {"growth never drops", count(500), 20, kPolicy, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(validate(c.events, c.previous, kNow, c.policy), c.issue) << c.name;
    }
}

TEST(FeedValidatorTest, IssuesDescribeThemselvesAsTheirPlainValue) {
    EXPECT_EQ(FeedIssue::tooMany(1600).description(), "tooMany(1600)");
    EXPECT_EQ(FeedIssue::implausibleDates(3).description(), "implausibleDates(3)");
    EXPECT_EQ(FeedIssue::suspiciousDrop(120, 30).description(), "suspiciousDrop(previous: 120, now: 30)");
    EXPECT_EQ(FeedIssue::empty().description(), "empty");
    EXPECT_EQ(CalendarKit::description(CalendarKit::FeedError::tooLarge), "tooLarge");
    EXPECT_EQ(CalendarKit::description(CalendarKit::FeedError::notAnArray), "notAnArray");
}
