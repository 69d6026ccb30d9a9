#include <gtest/gtest.h>

#include "TestSupport.h"
#include "TradingCore/Evaluation/TimingEvaluator.h"

using namespace TradingCore;
using TestSupport::ny;
using TestSupport::usdHigh;

namespace {

Base::Date wed(int hour, int minute = 0, int second = 0) { return ny(2026, 1, 14, hour, minute, second); }

std::vector<Activity> activitiesAt(Base::Date now, const std::vector<NewsEvent>& events = {},
                                   const TimingConfiguration& configuration = TimingConfiguration::newYorkDefault()) {
    return TimingEvaluator::evaluate(configuration, events, DataConfidence::live, now).activities;
}

std::vector<Activity> ofKind(const std::vector<Activity>& activities, ActivityKind kind) {
    std::vector<Activity> result;
    for (const Activity& a : activities) {
        if (a.kind == kind) result.push_back(a);
    }
    return result;
}

std::optional<Activity> find(const std::vector<Activity>& activities, const std::string& title) {
    for (const Activity& a : activities) {
        if (a.title == title) return a;
    }
    return std::nullopt;
}

const Base::Uuid kId = *Base::Uuid::fromText("E621E1F8-C36C-495A-93FC-0C247A3E6E5F");

}  // namespace

TEST(Activities, NewsReleaseThroughItsPhases) {
    const std::vector<NewsEvent> events = {usdHigh("CPI m/m", wed(8, 30), NewsImpact::high, "CPI")};
    const std::string id = "news:CPI@" + Base::epochText(wed(8, 30).secondsSince1970);
    struct Case {
        Base::Date now;
        std::optional<ActivityPhase> phase;
        std::optional<Base::Date> target;
    };
    for (const Case& c : {Case{ny(2026, 1, 14, 8, 14, 59), std::nullopt, std::nullopt},
                          Case{wed(8, 15), ActivityPhase::upcoming, wed(8, 30)},
                          Case{wed(8, 24, 59), ActivityPhase::upcoming, wed(8, 30)},
                          Case{wed(8, 25), ActivityPhase::restricted, wed(8, 35)},
                          Case{wed(8, 35), ActivityPhase::ended, std::nullopt},
                          Case{wed(8, 35, 9), ActivityPhase::ended, std::nullopt},
                          Case{wed(8, 35, 10), std::nullopt, std::nullopt}}) {
        SCOPED_TRACE(Base::epochText(c.now.secondsSince1970));
        const auto news = ofKind(activitiesAt(c.now, events), ActivityKind::news);
        if (!c.phase) {
            EXPECT_TRUE(news.empty());
            continue;
        }
        ASSERT_EQ(news.size(), 1u);
        EXPECT_EQ(news[0], (Activity{id, ActivityKind::news, *c.phase, "CPI", c.target, false, NewsImpact::high,
                                     std::nullopt}));
    }
}

TEST(Activities, NewsNeedsAWindow) {
    // 11:55-12:05 touches no window; 06:50-07:00 ends exactly where Pre-session starts.
    for (Base::Date release : {wed(12), wed(6, 55)}) {
        for (Base::Date now : {release - 600.0, release - 1.0, release, release + 299.0, release + 300.0}) {
            EXPECT_TRUE(ofKind(activitiesAt(now, {usdHigh("X", release)}), ActivityKind::news).empty());
        }
    }
}

TEST(Activities, SameLabelAndInstantGroupIntoOne) {
    TimingConfiguration configuration = TimingConfiguration::newYorkDefault();
    configuration.newsRule.impacts = {NewsImpact::medium, NewsImpact::high};
    NewsEvent first = usdHigh("Retail Sales", wed(8, 30), NewsImpact::medium, "Retail");
    NewsEvent second = usdHigh("Core Retail Sales", wed(8, 30), NewsImpact::high, "Retail");
    second.currency = "USD";
    const auto news = ofKind(activitiesAt(wed(8, 20), {first, second}, configuration), ActivityKind::news);
    ASSERT_EQ(news.size(), 1u);
    EXPECT_EQ(news[0].id, first.activityID());
    EXPECT_EQ(news[0].impact, NewsImpact::high);
    EXPECT_EQ(news[0].title, "Retail");
    EXPECT_EQ(news[0].target, wed(8, 30));
}

TEST(Activities, FinalMacroThroughItsPhases) {
    const std::string id = "macro:Final Macro:" + Base::epochText(wed(15, 15).secondsSince1970);
    struct Case {
        Base::Date now;
        std::optional<ActivityPhase> phase;
        std::optional<Base::Date> target;
        bool justStarted;
    };
    for (const Case& c : {Case{ny(2026, 1, 14, 15, 12, 59), std::nullopt, std::nullopt, false},
                          Case{wed(15, 13), ActivityPhase::upcoming, wed(15, 15), false},
                          Case{wed(15, 15), ActivityPhase::active, wed(15, 45), true},
                          Case{wed(15, 15, 9), ActivityPhase::active, wed(15, 45), true},
                          Case{wed(15, 15, 10), ActivityPhase::active, wed(15, 45), false},
                          Case{wed(15, 45), ActivityPhase::ended, std::nullopt, false},
                          Case{wed(15, 45, 9), ActivityPhase::ended, std::nullopt, false},
                          Case{wed(15, 45, 10), std::nullopt, std::nullopt, false}}) {
        SCOPED_TRACE(Base::epochText(c.now.secondsSince1970));
        const auto final = find(activitiesAt(c.now), "Final Macro");
        ASSERT_EQ(final.has_value(), c.phase.has_value());
        if (!final) continue;
        EXPECT_EQ(*final, (Activity{id, ActivityKind::macro, *c.phase, "Final Macro", c.target, c.justStarted,
                                    std::nullopt, std::nullopt}));
    }
    // The hourly macro around 15:00 ended at 15:10 and lingers until 15:10:10.
    const auto hourly = find(activitiesAt(wed(15, 10, 5)), "Macro");
    ASSERT_TRUE(hourly);
    EXPECT_EQ(hourly->phase, ActivityPhase::ended);
    EXPECT_EQ(hourly->id, "macro:Macro:" + Base::epochText(wed(14, 50).secondsSince1970));
}

TEST(Activities, CustomIntervals) {
    TimingConfiguration configuration = TimingConfiguration::newYorkDefault();
    configuration.customs = {
        CustomInterval{Base::Uuid::random(), "Never", {14, 0}, {14, 0}, workDays(), IntervalColor::blue},
        CustomInterval{kId, "Night", {22, 0}, {1, 0}, workDays(), IntervalColor::pink},
    };
    EXPECT_TRUE(ofKind(activitiesAt(wed(13, 58), {}, configuration), ActivityKind::custom).empty());
    EXPECT_TRUE(ofKind(activitiesAt(ny(2026, 1, 14, 21, 54, 59), {}, configuration), ActivityKind::custom).empty());
    const auto upcoming = ofKind(activitiesAt(wed(21, 55), {}, configuration), ActivityKind::custom);
    ASSERT_EQ(upcoming.size(), 1u);
    EXPECT_EQ(upcoming[0], (Activity{"custom:E621E1F8-C36C-495A-93FC-0C247A3E6E5F:" +
                                         Base::epochText(wed(22).secondsSince1970),
                                     ActivityKind::custom, ActivityPhase::upcoming, "Night", wed(22), false,
                                     std::nullopt, IntervalColor::pink}));
    const auto active = ofKind(activitiesAt(ny(2026, 1, 15, 0, 30), {}, configuration), ActivityKind::custom);
    ASSERT_EQ(active.size(), 1u);
    EXPECT_EQ(active[0].phase, ActivityPhase::active);
    EXPECT_EQ(active[0].target, ny(2026, 1, 15, 1));
    EXPECT_EQ(active[0].id, upcoming[0].id);
}

TEST(Activities, Ordering) {
    TimingConfiguration configuration = TimingConfiguration::newYorkDefault();
    configuration.customs = {CustomInterval{kId, "Focus", {9, 0}, {12, 0}, workDays(), IntervalColor::teal}};

    // Restricted news first even though the 10:00 hourly macro ends sooner; custom last.
    auto list = activitiesAt(wed(10, 5), {usdHigh("Late", wed(10, 8))}, configuration);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].phase, ActivityPhase::restricted);
    EXPECT_EQ(list[1].title, "Macro");
    EXPECT_EQ(list[1].phase, ActivityPhase::active);
    EXPECT_EQ(list[2].kind, ActivityKind::custom);
    EXPECT_EQ(list[2].phase, ActivityPhase::active);

    // An upcoming news item (target 10:00) before an upcoming macro (target 09:50).
    list = activitiesAt(wed(9, 48), {usdHigh("Ten", wed(10))}, configuration);
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list[0].kind, ActivityKind::news);
    EXPECT_EQ(list[0].phase, ActivityPhase::upcoming);
    EXPECT_EQ(list[1].kind, ActivityKind::macro);
    EXPECT_EQ(list[1].phase, ActivityPhase::upcoming);
    EXPECT_EQ(list.back().kind, ActivityKind::custom);

    // Ended news and an ended macro share rank 4 without targets: news first, as listed.
    configuration.customs.clear();
    list = activitiesAt(wed(10, 10, 2), {usdHigh("Ended", wed(10, 5))}, configuration);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].kind, ActivityKind::news);
    EXPECT_EQ(list[0].phase, ActivityPhase::ended);
    EXPECT_EQ(list[1].kind, ActivityKind::macro);
    EXPECT_EQ(list[1].phase, ActivityPhase::ended);
}

TEST(Activities, IdsAreStableFromSecondToSecond) {
    const std::vector<NewsEvent> events = {usdHigh("NFP", wed(8, 30))};
    const auto before = activitiesAt(wed(8, 24, 59), events);
    const auto after = activitiesAt(wed(8, 25), events);
    ASSERT_EQ(before.size(), 1u);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(before[0].id, after[0].id);
    EXPECT_NE(before[0].phase, after[0].phase);
}
