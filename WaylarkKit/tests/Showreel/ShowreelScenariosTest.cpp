#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TradingCore/Evaluation/TimingEvaluator.h"
#include "TradingCore/Model/WindowRules.h"
#include "WaylarkKit/Showreel/ShowreelDirector.h"
#include "WaylarkKit/Showreel/ShowreelScenarios.h"
#include "WaylarkKit/tests/Timing/TimingFixture.h"

namespace WaylarkKit::Testing {
namespace {

using TradingCore::NewsImpact;
namespace Scenarios = ShowreelScenarios;

const Base::Date monday9 = newYork(3, 9, 0, 0);

TEST(ShowreelScenarios, MondayIsThatOfTheNewYorkWorkingWeek) {
    const struct {
        Base::Date date;
        Base::Date monday;
    } cases[] = {
        {newYork(3, 9, 23, 59, 59), monday9},           // Monday, last second
        {newYork(3, 13, 22, 0), monday9},               // Friday evening, already Saturday in UTC
        {newYork(3, 14, 12, 0), newYork(3, 16, 0, 0)},  // Saturday
        {newYork(3, 15, 23, 0), newYork(3, 16, 0, 0)},  // Sunday evening, already Monday in UTC
        {newYork(3, 8, 3, 30), monday9},                // Sunday, the day the clocks go forward
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Scenarios::monday(c.date), c.monday) << c.date.secondsSince1970;
    }
}

// What the island shows at seconds after each scenario's start.
std::string stateAt(const ShowreelScenario& s, double seconds) {
    const auto evaluation = TradingCore::TimingEvaluator::evaluate(
        s.scenario.configuration, s.scenario.events, TradingCore::DataConfidence::live, s.start + seconds);
    return ShowreelDirector::describe(evaluation, false, false, std::nullopt);
}

TEST(ShowreelScenarios, EachShowsItsClipAtItsKeyInstants) {
    const struct {
        ShowreelScenario scenario;
        Base::Date start;
        std::vector<std::pair<double, std::string>> states;
    } cases[] = {
        {Scenarios::idle(monday9), newYork(3, 9, 7, 12, 30), {{0, "Out"}, {300, "Out"}}},
        {Scenarios::states(monday9), newYork(3, 9, 9, 29, 51), {{8.9, "Out"}, {9, "Session (Opening)"}}},
        {Scenarios::custom(monday9),
         newYork(3, 9, 9, 34, 48),
         {{0, "Session (Opening)"},
          {11.9, "Session (Opening)"},
          {12, "Session (Opening) · custom \"Kill zone\" [pink]"}}},
        {Scenarios::news(monday9, NewsImpact::high),
         newYork(3, 9, 9, 39, 30),
         {{0, "Session (Opening) · news countdown \"CPI\""},
          {17.9, "Session (Opening) · news countdown \"CPI\""},
          {18, "Restricted High"},
          {35.9, "Restricted High"},
          {36, "Session (Opening)"}}},
        {Scenarios::news(monday9, NewsImpact::medium),
         newYork(3, 9, 9, 39, 30),
         {{0, "Session (Opening) · news countdown \"PPI\""}, {18, "Restricted Medium"}, {36, "Session (Opening)"}}},
        {Scenarios::tour(monday9), newYork(3, 9, 9, 41), {{0, "Session (Opening)"}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.scenario.start, c.start);
        for (const auto& [seconds, state] : c.states) EXPECT_EQ(stateAt(c.scenario, seconds), state) << seconds;
    }
    // The idle day's first window is more than two hours away.
    const auto idle = Scenarios::idle(monday9);
    const auto evaluation = TradingCore::TimingEvaluator::evaluate(idle.scenario.configuration, {},
                                                                   TradingCore::DataConfidence::live, idle.start);
    ASSERT_TRUE(evaluation.nextChange);
    EXPECT_GT(*evaluation.nextChange - idle.start, 7200);
}

TEST(ShowreelScenarios, TheTourDayHasTouchingWindowsAndTwoDistinctReleases) {
    const auto tour = Scenarios::tour(monday9);
    const auto& windows = tour.scenario.configuration.profile.windows;
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0].end, windows[1].start);
    EXPECT_FALSE(TradingCore::WindowRules::issue(windows));
    ASSERT_EQ(tour.scenario.events.size(), 2u);
    EXPECT_EQ(tour.scenario.events[0].id, "showreel-cpi");
    EXPECT_EQ(tour.scenario.events[1].time, newYork(3, 9, 10, 25));
    EXPECT_NE(tour.scenario.events[1].id, tour.scenario.events[0].id);
    EXPECT_NE(tour.scenario.events[1].id, Scenarios::news(monday9, NewsImpact::high).scenario.events.at(0).id);
}

TEST(ShowreelScenarios, CustomTimesGetFreshIdentifiersAndOtherNewsIsPPI) {
    auto first = Scenarios::custom(monday9);
    auto second = Scenarios::custom(monday9);
    EXPECT_NE(first.scenario.configuration.customs.at(0).id, second.scenario.configuration.customs.at(0).id);
    second.scenario.configuration.customs[0].id = first.scenario.configuration.customs[0].id;
    EXPECT_EQ(first, second);

    const auto news = Scenarios::news(monday9, NewsImpact::holiday);
    EXPECT_EQ(news.scenario.events.at(0).title, "PPI");
    EXPECT_EQ(news.scenario.events.at(0).impact, NewsImpact::holiday);
    EXPECT_EQ(news.scenario.configuration.newsRule.impacts,
              (std::set<NewsImpact>{NewsImpact::high, NewsImpact::medium}));
}

}  // namespace
}  // namespace WaylarkKit::Testing
