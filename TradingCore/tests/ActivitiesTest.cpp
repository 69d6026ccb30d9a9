#include <gtest/gtest.h>

#include "TestSupport.h"
#include "TradingCore/Evaluation/TimingEvaluator.h"

using namespace TradingCore;
using namespace TradingCore::TestSupport;

namespace {

std::vector<Activity> activitiesAt(Base::Date now, const std::vector<NewsEvent>& events = {},
                                   const TimingConfiguration& configuration = TimingConfiguration::newYorkDefault()) {
    return TimingEvaluator::evaluate(configuration, events, DataConfidence::live, now).activities;
}

std::vector<Activity> titled(const std::vector<Activity>& activities, const std::string& title) {
    std::vector<Activity> result;
    for (const Activity& a : activities) {
        if (a.title == title) result.push_back(a);
    }
    return result;
}

const Base::Uuid kId = *Base::Uuid::fromText("E621E1F8-C36C-495A-93FC-0C247A3E6E5F");

}  // namespace

// Each row: the instant, then the phase (none: no activity), target and justStarted expected.
TEST(Activities, PhasesOfNewsMacrosAndCustoms) {
    TimingConfiguration configuration = TimingConfiguration::newYorkDefault();
    configuration.customs = {
        CustomInterval{Base::Uuid::random(), "Never", {14, 0}, {14, 0}, workDays(), IntervalColor::blue},
        CustomInterval{kId, "Night", {22, 0}, {1, 0}, workDays(), IntervalColor::pink},
    };
    const std::vector<NewsEvent> events = {usdHigh("CPI m/m", wed(8, 30), NewsImpact::high, "CPI"),
                                           usdHigh("Noon", wed(12)), usdHigh("Dawn", wed(6, 55))};
    struct Case {
        Base::Date now;
        std::optional<ActivityPhase> phase;
        std::optional<Base::Date> target;
        bool justStarted = false;
    };
    const auto upcoming = ActivityPhase::upcoming, active = ActivityPhase::active, ended = ActivityPhase::ended;
    struct Item {
        Activity expected;  // phase, target and justStarted come from each case
        std::vector<Case> cases;
    };
    const std::vector<Item> items = {
        {{"news:CPI@" + Base::epochText(wed(8, 30).secondsSince1970), ActivityKind::news, upcoming, "CPI", {}, false,
          NewsImpact::high, {}},
         {{wed(8, 14, 59), {}, {}}, {wed(8, 15), upcoming, wed(8, 30)}, {wed(8, 24, 59), upcoming, wed(8, 30)},
          {wed(8, 25), ActivityPhase::restricted, wed(8, 35)}, {wed(8, 35), ended, {}}, {wed(8, 35, 9), ended, {}},
          {wed(8, 35, 10), {}, {}}}},
        // 11:55-12:05 overlaps no window; 06:50-07:00 only touches Pre-session.
        {{"", ActivityKind::news, upcoming, "Noon", {}, false, {}, {}},
         {{wed(11, 50), {}, {}}, {wed(11, 55), {}, {}}, {wed(12, 5), {}, {}}}},
        {{"", ActivityKind::news, upcoming, "Dawn", {}, false, {}, {}},
         {{wed(6, 45), {}, {}}, {wed(6, 50), {}, {}}, {wed(7), {}, {}}}},
        {{"macro:Final Macro:" + Base::epochText(wed(15, 15).secondsSince1970), ActivityKind::macro, upcoming,
          "Final Macro", {}, false, {}, {}},
         {{wed(15, 12, 59), {}, {}}, {wed(15, 13), upcoming, wed(15, 15)}, {wed(15, 15), active, wed(15, 45), true},
          {wed(15, 15, 9), active, wed(15, 45), true}, {wed(15, 15, 10), active, wed(15, 45)},
          {wed(15, 45), ended, {}}, {wed(15, 45, 9), ended, {}}, {wed(15, 45, 10), {}, {}}}},
        {{"custom:E621E1F8-C36C-495A-93FC-0C247A3E6E5F:" + Base::epochText(wed(22).secondsSince1970),
          ActivityKind::custom, upcoming, "Night", {}, false, {}, IntervalColor::pink},
         {{wed(21, 54, 59), {}, {}}, {wed(21, 55), upcoming, wed(22)}, {ny(2026, 1, 15, 0, 30), active, ny(2026, 1, 15, 1)},
          {ny(2026, 1, 15, 1, 0, 9), ended, {}}}},
        {{"", ActivityKind::custom, upcoming, "Never", {}, false, {}, {}}, {{wed(13, 58), {}, {}}, {wed(14), {}, {}}}},
    };
    for (const Item& item : items) {
        for (const Case& c : item.cases) {
            SCOPED_TRACE(item.expected.title + " at " + Base::epochText(c.now.secondsSince1970));
            const auto found = titled(activitiesAt(c.now, events, configuration), item.expected.title);
            ASSERT_EQ(found.size(), c.phase ? 1u : 0u);
            if (!c.phase) continue;
            Activity expected = item.expected;
            expected.phase = *c.phase;
            expected.target = c.target;
            expected.justStarted = c.justStarted;
            EXPECT_EQ(found[0], expected);
        }
    }
}

TEST(Activities, SameLabelAndInstantGroupIntoOne) {
    TimingConfiguration configuration = TimingConfiguration::newYorkDefault();
    configuration.newsRule.impacts = {NewsImpact::medium, NewsImpact::high};
    const NewsEvent first = usdHigh("Retail Sales", wed(8, 30), NewsImpact::medium, "Retail");
    const NewsEvent second = usdHigh("Core Retail Sales", wed(8, 30), NewsImpact::high, "Retail");
    const auto news = titled(activitiesAt(wed(8, 20), {first, second}, configuration), "Retail");
    ASSERT_EQ(news.size(), 1u);
    EXPECT_EQ(news[0].id, first.activityID());
    EXPECT_EQ(news[0].impact, NewsImpact::high);
    EXPECT_EQ(news[0].target, wed(8, 30));
}

TEST(Activities, Ordering) {
    TimingConfiguration configuration = TimingConfiguration::newYorkDefault();
    configuration.customs = {CustomInterval{kId, "Focus", {9, 0}, {12, 0}, workDays(), IntervalColor::teal}};
    auto order = [&](Base::Date now, const NewsEvent& event) {
        std::vector<std::pair<ActivityKind, ActivityPhase>> got;
        for (const Activity& a : activitiesAt(now, {event}, configuration)) got.emplace_back(a.kind, a.phase);
        return got;
    };
    using Order = std::vector<std::pair<ActivityKind, ActivityPhase>>;
    const auto news = ActivityKind::news, macro = ActivityKind::macro, custom = ActivityKind::custom;
    // Restricted news first although the 10:00 hourly macro ends sooner; custom last.
    EXPECT_EQ(order(wed(10, 5), usdHigh("Late", wed(10, 8))),
              (Order{{news, ActivityPhase::restricted}, {macro, ActivityPhase::active}, {custom, ActivityPhase::active}}));
    // An upcoming news item (target 10:00) before an upcoming macro (target 09:50).
    EXPECT_EQ(order(wed(9, 48), usdHigh("Ten", wed(10))),
              (Order{{news, ActivityPhase::upcoming}, {macro, ActivityPhase::upcoming}, {custom, ActivityPhase::active}}));
    // Ended news and an ended macro share rank 4 without targets: news first, as listed.
    configuration.customs.clear();
    EXPECT_EQ(order(wed(10, 10, 2), usdHigh("Ended", wed(10, 5))),
              (Order{{news, ActivityPhase::ended}, {macro, ActivityPhase::ended}}));
}
