#include <gtest/gtest.h>

#include "WaylarkKit/DemoScenario.h"
#include "WaylarkKit/TimingSource.h"
#include "WaylarkKit/tests/Timing/TimingFixture.h"

namespace WaylarkKit::Testing {
namespace {

using TradingCore::WallClockTime;

TEST(DemoScenarioTest, LaidOutFromTheNextWholeMinute) {
    const auto scenario = DemoScenario::make(newYork(3, 10, 12, 0, 30));
    const auto& c = scenario.configuration;
    ASSERT_EQ(c.profile.windows.size(), 2u);
    EXPECT_EQ(c.profile.name, "Demo");
    EXPECT_EQ(c.profile.windows[0], (TradingCore::SessionWindow{"Pre-session", {12, 1}, {12, 6}}));
    EXPECT_EQ(c.profile.windows[1], (TradingCore::SessionWindow{"Opening", {12, 6}, {12, 11}}));
    EXPECT_EQ(c.profile.startWeekdays.size(), 7u);
    ASSERT_EQ(c.customs.size(), 2u);
    EXPECT_EQ(c.customs[0].name, "Kill zone");
    EXPECT_EQ(c.customs[0].start, (WallClockTime{12, 5}));
    EXPECT_EQ(c.customs[0].end, (WallClockTime{12, 7}));
    EXPECT_EQ(c.customs[0].color, TradingCore::IntervalColor::pink);
    EXPECT_EQ(c.customs[1].name, "Silver Bullet");
    EXPECT_EQ(c.customs[1].start, (WallClockTime{12, 10}));
    EXPECT_EQ(c.customs[1].end, (WallClockTime{12, 11}));
    EXPECT_EQ(c.customs[1].color, TradingCore::IntervalColor::cyan);
    ASSERT_EQ(c.macros.named.size(), 1u);
    EXPECT_EQ(c.macros.named[0], (TradingCore::NamedMacro{"Demo", {12, 9}, {12, 10}}));
    EXPECT_EQ(c.macros.aroundHourMinutes, 10);
    EXPECT_EQ(c.newsRule, (TradingCore::NewsRule{{"USD"},
                                                 {TradingCore::NewsImpact::high, TradingCore::NewsImpact::medium},
                                                 60, 60, 120}));
    EXPECT_EQ(c.grayCountdownSeconds, 1800);
    EXPECT_EQ(c.customLeadSeconds, 300);
    ASSERT_EQ(scenario.events.size(), 2u);
    EXPECT_EQ(scenario.events[0].id, "demo-cpi");
    EXPECT_EQ(scenario.events[0].time, newYork(3, 10, 12, 4));
    EXPECT_EQ(scenario.events[0].impact, TradingCore::NewsImpact::high);
    EXPECT_EQ(scenario.events[1].id, "demo-ppi");
    EXPECT_EQ(scenario.events[1].time, newYork(3, 10, 12, 8));
    EXPECT_EQ(scenario.events[1].impact, TradingCore::NewsImpact::medium);
}

TEST(DemoScenarioTest, TheFirstMinuteIsMoreThanFiveSecondsAway) {
    const struct {
        Base::Date start;
        Base::Date cpi;  // three minutes after the base
    } rows[] = {
        {newYork(3, 10, 12, 0, 30), newYork(3, 10, 12, 4)},
        {newYork(3, 10, 12, 0, 54) + 0.9, newYork(3, 10, 12, 4)},
        {newYork(3, 10, 12, 0, 55), newYork(3, 10, 12, 5)},  // 12:01:00 exactly is not after itself
        {newYork(3, 10, 12, 0, 56), newYork(3, 10, 12, 5)},
        {newYork(3, 8, 1, 59, 0), newYork(3, 8, 3, 3)},  // the clocks go forward at 02:00
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DemoScenario::make(row.start).events[0].time, row.cpi) << row.start.secondsSince1970;
    }
}

TEST(DemoScenarioTest, IntervalsPastMidnightEndEarlierThanTheyStart) {
    const auto c = DemoScenario::make(newYork(3, 10, 23, 55, 0)).configuration;  // base 23:56
    EXPECT_EQ(c.profile.windows[0].end, (WallClockTime{0, 1}));
    EXPECT_EQ(c.profile.windows[1], (TradingCore::SessionWindow{"Opening", {0, 1}, {0, 6}}));
    EXPECT_EQ(c.customs[0].start, (WallClockTime{0, 0}));
}

TEST(DemoScenarioTest, TwoScenariosDifferOnlyInTheCustomIdentifiers) {
    auto a = DemoScenario::make(newYork(3, 10, 12, 0, 30));
    auto b = DemoScenario::make(newYork(3, 10, 12, 0, 30));
    EXPECT_NE(a.configuration.customs[0].id, b.configuration.customs[0].id);
    EXPECT_NE(a.configuration.customs[1].id, b.configuration.customs[1].id);
    for (std::size_t i = 0; i < 2; ++i) b.configuration.customs[i].id = a.configuration.customs[i].id;
    EXPECT_EQ(a, b);
}

TEST(DemoScenarioTest, TheDemoSourceHandsOutItsScenarioRatedLive) {
    DemoSource source(newYork(3, 10, 12, 0, 30));
    const auto inputs = source.inputs(Base::Date(0));
    EXPECT_EQ(*inputs.configuration, source.scenario().configuration);
    EXPECT_EQ(*inputs.events, source.scenario().events);
    EXPECT_EQ(inputs.confidence, TradingCore::DataConfidence::live);
    source.setScenario(DemoScenario{TradingCore::TimingConfiguration::newYorkDefault(), {}});
    EXPECT_EQ(inputs.events->size(), 2u);  // handed-out inputs keep the scenario they came from
    EXPECT_TRUE(source.inputs(Base::Date(0)).events->empty());
}

}  // namespace
}  // namespace WaylarkKit::Testing
