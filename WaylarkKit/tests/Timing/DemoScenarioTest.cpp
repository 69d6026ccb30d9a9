#include <gtest/gtest.h>

#include "WaylarkKit/Timing/DemoScenario.h"
#include "WaylarkKit/tests/Timing/TimingFixture.h"

namespace WaylarkKit::Testing {
namespace {

using namespace TradingCore;

TEST(DemoScenarioTest, LaidOutFromTheNextWholeMinute) {
    const auto scenario = DemoScenario::make(newYork(3, 10, 12, 0, 30));  // base 12:01
    const auto& c = scenario.configuration;
    const std::set<Weekday> allDays(allWeekdays.begin(), allWeekdays.end());
    EXPECT_EQ(c.profile, (SessionProfile{"Demo",
                                         {{"Pre-session", {12, 1}, {12, 6}}, {"Opening", {12, 6}, {12, 11}}},
                                         allDays}));
    EXPECT_EQ(c.macros, (MacroSchedule{10, {{"Demo", {12, 9}, {12, 10}}}, allDays}));
    EXPECT_EQ(c.newsRule, (NewsRule{{"USD"}, {NewsImpact::high, NewsImpact::medium}, 60, 60, 120}));
    ASSERT_EQ(c.customs.size(), 2u);
    EXPECT_EQ(c.customs[0], (CustomInterval{c.customs[0].id, "Kill zone", {12, 5}, {12, 7}, allDays,
                                            IntervalColor::pink}));
    EXPECT_EQ(c.customs[1], (CustomInterval{c.customs[1].id, "Silver Bullet", {12, 10}, {12, 11}, allDays,
                                            IntervalColor::cyan}));
    EXPECT_EQ(c.timeZone, MarketTimeZone::newYork());
    EXPECT_EQ(c.grayCountdownSeconds + c.customLeadSeconds + c.macroLeadSeconds, 1800 + 300 + 120);
    EXPECT_EQ(scenario.events, (std::vector<NewsEvent>{
                                   {"demo-cpi", "CPI", "USD", NewsImpact::high, newYork(3, 10, 12, 4), true, {}},
                                   {"demo-ppi", "PPI", "USD", NewsImpact::medium, newYork(3, 10, 12, 8), true, {}},
                               }));
}

TEST(DemoScenarioTest, TheFirstMinuteIsMoreThanFiveSecondsAway) {
    const struct {
        Base::Date start;
        Base::Date cpi;  // three minutes after the base
    } rows[] = {
        {newYork(3, 10, 12, 0, 54) + 0.9, newYork(3, 10, 12, 4)},
        {newYork(3, 10, 12, 0, 55), newYork(3, 10, 12, 5)},  // 12:01:00 is not after itself
        {newYork(3, 10, 12, 0, 56), newYork(3, 10, 12, 5)},
        {newYork(3, 8, 1, 59, 0), newYork(3, 8, 3, 3)},  // the clocks go forward at 02:00
    };
    for (const auto& row : rows) EXPECT_EQ(DemoScenario::make(row.start).events[0].time, row.cpi);
}

TEST(DemoScenarioTest, IntervalsPastMidnightEndEarlierThanTheyStart) {
    const auto c = DemoScenario::make(newYork(3, 10, 23, 55, 0)).configuration;  // base 23:56
    EXPECT_EQ(c.profile.windows[0].end, (WallClockTime{0, 1}));
    EXPECT_EQ(c.customs[0].start, (WallClockTime{0, 0}));
}

}  // namespace
}  // namespace WaylarkKit::Testing
