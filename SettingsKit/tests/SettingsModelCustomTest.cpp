#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "SettingsKit/tests/ModelFixture.h"

using SettingsKit::AppSettings;
using SettingsKit::CustomTimesResult;
using SettingsKitTesting::ModelTest;
using TradingCore::IntervalColor;
using TradingCore::WallClockTime;
using TradingCore::Weekday;

namespace {

std::vector<IntervalColor> colors(const AppSettings& settings) {
    std::vector<IntervalColor> result;
    for (const auto& interval : settings.customIntervals) result.push_back(interval.color);
    return result;
}

}  // namespace

TEST_F(ModelTest, NewCustomIntervalsTakeTheFirstUnusedColour) {
    const auto first = model->addCustomInterval();
    ASSERT_TRUE(first.has_value());
    const auto& added = settings().customIntervals[0];
    EXPECT_EQ(added.id, *first);
    EXPECT_EQ(added.name, "Kill zone");
    EXPECT_EQ(added.start, WallClockTime(10, 0));
    EXPECT_EQ(added.end, WallClockTime(11, 0));
    EXPECT_EQ(added.weekdays, TradingCore::workDays());
    EXPECT_EQ(added.color, IntervalColor::cyan);
    model->addCustomInterval();
    EXPECT_EQ(colors(settings()), (std::vector{IntervalColor::cyan, IntervalColor::blue}));
    model->removeCustomInterval(*first);
    model->addCustomInterval();
    EXPECT_EQ(colors(settings()), (std::vector{IntervalColor::blue, IntervalColor::cyan}));
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ModelTest, FiveCustomIntervalsAtMost) {
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(model->addCustomInterval().has_value());
    EXPECT_EQ(colors(settings()), (std::vector{IntervalColor::cyan, IntervalColor::blue, IntervalColor::pink,
                                               IntervalColor::yellow, IntervalColor::teal}));
    EXPECT_EQ(savesAfterDelay(), 1u);
    EXPECT_EQ(model->addCustomInterval(), std::nullopt);
    EXPECT_EQ(savesAfterDelay(), 1u);

    AppSettings stored;
    for (IntervalColor color : {IntervalColor::cyan, IntervalColor::blue, IntervalColor::pink, IntervalColor::white}) {
        stored.customIntervals.push_back({Base::Uuid::random(), "x", {1, 0}, {2, 0}, {Weekday::monday}, color});
    }
    start(stored);
    model->addCustomInterval();
    EXPECT_EQ(settings().customIntervals.back().color, IntervalColor::yellow);
}

TEST_F(ModelTest, CustomIntervalEdits) {
    const Base::Uuid id = *model->addCustomInterval();
    scheduler.advance(1);
    const std::size_t saves = store->saves.size();

    model->renameCustomInterval(id, std::string(20, 'n'));
    EXPECT_EQ(settings().customIntervals[0].name, std::string(14, 'n'));
    model->renameCustomInterval(id, std::string(20, 'n'));
    model->setCustomColor(id, IntervalColor::white);
    model->toggleCustomWeekday(id, Weekday::saturday);
    EXPECT_TRUE(settings().customIntervals[0].weekdays.contains(Weekday::saturday));
    EXPECT_EQ(settings().customIntervals[0].color, IntervalColor::white);
    EXPECT_EQ(savesAfterDelay(), saves + 1);

    // Unknown ids change nothing.
    const Base::Uuid unknown = Base::Uuid::random();
    model->renameCustomInterval(unknown, "x");
    model->setCustomColor(unknown, IntervalColor::pink);
    model->toggleCustomWeekday(unknown, Weekday::sunday);
    model->removeCustomInterval(unknown);
    model->setCustomColor(id, IntervalColor::white);
    EXPECT_EQ(savesAfterDelay(), saves + 1);
}

TEST_F(ModelTest, TheLastWeekdayOfAnIntervalStays) {
    AppSettings stored;
    const Base::Uuid id = Base::Uuid::random();
    stored.customIntervals.push_back({id, "x", {1, 0}, {2, 0}, {Weekday::monday}, IntervalColor::cyan});
    start(stored);
    model->toggleCustomWeekday(id, Weekday::monday);
    EXPECT_EQ(savesAfterDelay(), 0u);
    model->toggleCustomWeekday(id, Weekday::tuesday);
    EXPECT_EQ(settings().customIntervals[0].weekdays, (std::set<Weekday>{Weekday::monday, Weekday::tuesday}));
    model->toggleCustomWeekday(id, Weekday::monday);
    EXPECT_EQ(settings().customIntervals[0].weekdays, (std::set<Weekday>{Weekday::tuesday}));
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ModelTest, SetCustomTimesTellsRefusalsAndUnknownIdsApart) {
    const Base::Uuid id = *model->addCustomInterval();
    scheduler.advance(1);
    EXPECT_EQ(model->setCustomTimes(id, {10, 0}, {10, 0}), CustomTimesResult::zeroLength);
    EXPECT_EQ(model->setCustomTimes(Base::Uuid::random(), {8, 0}, {9, 0}), CustomTimesResult::notFound);
    EXPECT_EQ(model->setCustomTimes(id, {8, 0}, {24, 0}), CustomTimesResult::invalidTime);
    EXPECT_EQ(model->setCustomTimes(id, {10, 0}, {11, 0}), CustomTimesResult::accepted);  // already those
    EXPECT_EQ(savesAfterDelay(), 1u);
    EXPECT_EQ(model->setCustomTimes(id, {23, 0}, {1, 30}), CustomTimesResult::accepted);
    EXPECT_EQ(settings().customIntervals[0].start, WallClockTime(23, 0));
    EXPECT_EQ(settings().customIntervals[0].end, WallClockTime(1, 30));
    EXPECT_EQ(savesAfterDelay(), 2u);
}

TEST_F(ModelTest, MacroSwitches) {
    model->setLunchMacroEnabled(true);
    model->setFinalMacroEnabled(true);
    EXPECT_EQ(savesAfterDelay(), 0u);
    model->setLunchMacroEnabled(false);
    EXPECT_EQ(model->macroSchedule(), TradingCore::MacroSchedule::newYork(false, true));
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ModelTest, ZoomStepsThroughTheHalfSpans) {
    model->zoomIn();
    EXPECT_EQ(savesAfterDelay(), 0u);
    model->zoomOut();
    model->zoomOut();
    EXPECT_EQ(settings().timelineHalfSpanMinutes, 120);
    model->zoomOut();
    EXPECT_EQ(savesAfterDelay(), 1u);
    model->zoomIn();
    EXPECT_EQ(settings().timelineHalfSpanMinutes, 60);

    AppSettings stored;
    stored.timelineHalfSpanMinutes = 45;
    start(stored);
    model->zoomIn();
    EXPECT_EQ(savesAfterDelay(), 0u);
    model->zoomOut();
    EXPECT_EQ(settings().timelineHalfSpanMinutes, 60);
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ModelTest, GreetingEdits) {
    model->setGreetingLeading(std::string(25, 'g'));
    EXPECT_EQ(settings().greeting.leading, std::string(20, 'g'));
    EXPECT_EQ(savesAfterDelay(), 1u);
    model->setGreetingLeading(std::string(22, 'g'));  // cleans to the stored text
    model->setGreetingName("Trader");
    model->setGreetingEnabled(true);
    EXPECT_EQ(savesAfterDelay(), 1u);
    model->setGreetingName(" Ana\n");
    EXPECT_EQ(settings().greeting.name, " Ana ");  // trimmed only by normalize()
    model->setGreetingName("");
    EXPECT_EQ(settings().greeting.name, "");
    EXPECT_EQ(savesAfterDelay(), 2u);

    start();
    model->restoreGreeting();
    EXPECT_EQ(savesAfterDelay(), 0u);
    model->setGreetingEnabled(false);
    model->restoreGreeting();
    EXPECT_EQ(settings().greeting, SettingsKit::GreetingSettings{});
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ModelTest, DisplayChoicesIgnoreBadIdentifiersAndUnchangedValues) {
    model->setDisplayChoices({{"", true}, {std::string(65, 'x'), true}});
    EXPECT_EQ(savesAfterDelay(), 0u);
    model->setDisplayChoices({{"DELL-1", true}, {std::string(64, 'x'), false}});
    EXPECT_EQ(model->displayChoices().size(), 2u);
    EXPECT_EQ(savesAfterDelay(), 1u);
    model->setDisplayChoices({{"DELL-1", true}});
    EXPECT_EQ(savesAfterDelay(), 1u);
    model->setDisplayChoices({{"DELL-1", false}});
    EXPECT_EQ(model->displayChoice("DELL-1"), false);
    EXPECT_EQ(model->displayChoice(std::string(64, 'x')), false);
    EXPECT_EQ(savesAfterDelay(), 2u);
}

TEST_F(ModelTest, AFullListOfDisplaysKeepsTheAnswerJustGiven) {
    AppSettings stored;
    for (int i = 0; i < 16; ++i) stored.displays.choices["A-" + std::to_string(10 + i)] = true;
    start(stored);

    model->setDisplayChoices({{"Z-new", false}});
    EXPECT_EQ(model->displayChoice("Z-new"), false);
    EXPECT_EQ(model->displayChoices().size(), 16u);
    EXPECT_FALSE(model->displayChoice("A-25").has_value());  // the highest stored one gives way
    EXPECT_EQ(savesAfterDelay(), 1u);

    // A second new display must not push out the first one answered.
    model->setDisplayChoices({{"Z-newer", true}});
    EXPECT_EQ(model->displayChoice("Z-new"), false);
    EXPECT_EQ(model->displayChoice("Z-newer"), true);
    EXPECT_FALSE(model->displayChoice("A-24").has_value());
    EXPECT_EQ(model->displayChoices().size(), 16u);

    // Once only answers of this run remain, the oldest of them goes.
    std::map<std::string, bool> many;
    for (int i = 0; i < 14; ++i) many["M-" + std::to_string(10 + i)] = true;
    model->setDisplayChoices(many);
    model->setDisplayChoices({{"Y-last", true}});
    EXPECT_EQ(model->displayChoices().size(), 16u);
    EXPECT_FALSE(model->displayChoice("Z-new").has_value());
    EXPECT_TRUE(model->displayChoice("Y-last").has_value());
    EXPECT_TRUE(model->displayChoice("Z-newer").has_value());
}
