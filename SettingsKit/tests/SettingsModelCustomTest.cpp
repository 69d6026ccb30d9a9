#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "SettingsKit/tests/ModelFixture.h"

using SettingsKit::AppSettings;
using SettingsKit::CustomTimesResult;
using SettingsKitTesting::ModelTest;
using SettingsKitTesting::knownID;
using SettingsKitTesting::withOneInterval;
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
    const TradingCore::CustomInterval expected{*first, "Kill zone", {10, 0}, {11, 0}, TradingCore::workDays(),
                                               IntervalColor::cyan};
    EXPECT_EQ(settings().customIntervals[0], expected);
    model->addCustomInterval();
    model->removeCustomInterval(*first);
    model->addCustomInterval();
    EXPECT_EQ(colors(settings()), (std::vector{IntervalColor::blue, IntervalColor::cyan}));
    EXPECT_EQ(savesAfterDelay(), 1u);

    start();
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

TEST_F(ModelTest, CustomIntervalEditsSaveOnceABurst) {
    start(withOneInterval());
    model->renameCustomInterval(knownID, std::string(20, 'n'));
    model->setCustomColor(knownID, IntervalColor::white);
    model->toggleCustomWeekday(knownID, Weekday::tuesday);
    model->toggleCustomWeekday(knownID, Weekday::monday);
    const auto& edited = settings().customIntervals[0];
    EXPECT_EQ(edited.name, std::string(14, 'n'));
    EXPECT_EQ(edited.color, IntervalColor::white);
    EXPECT_EQ(edited.weekdays, std::set<Weekday>{Weekday::tuesday});
    EXPECT_EQ(savesAfterDelay(), 1u);
    model->renameCustomInterval(knownID, "");  // blank until normalize()
    EXPECT_EQ(settings().customIntervals[0].name, "");
    model->removeCustomInterval(knownID);
    EXPECT_TRUE(settings().customIntervals.empty());
    EXPECT_EQ(savesAfterDelay(), 2u);
}

TEST_F(ModelTest, SetCustomTimesTellsRefusalsAndUnknownIdsApart) {
    start(withOneInterval());
    EXPECT_EQ(model->setCustomTimes(knownID, {10, 0}, {10, 0}), CustomTimesResult::zeroLength);
    EXPECT_EQ(model->setCustomTimes(Base::Uuid::random(), {8, 0}, {9, 0}), CustomTimesResult::notFound);
    EXPECT_EQ(model->setCustomTimes(knownID, {8, 0}, {24, 0}), CustomTimesResult::invalidTime);
    EXPECT_EQ(model->setCustomTimes(knownID, {8, -1}, {9, 0}), CustomTimesResult::invalidTime);
    EXPECT_EQ(savesAfterDelay(), 0u);
    EXPECT_EQ(model->setCustomTimes(knownID, {23, 0}, {1, 30}), CustomTimesResult::accepted);
    EXPECT_EQ(settings().customIntervals[0].start, WallClockTime(23, 0));
    EXPECT_EQ(settings().customIntervals[0].end, WallClockTime(1, 30));
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ModelTest, MacroZoomAndGreetingChanges) {
    model->setLunchMacroEnabled(false);
    EXPECT_EQ(model->macroSchedule(), TradingCore::MacroSchedule::newYork(false, true));
    model->zoomOut();
    model->zoomOut();
    EXPECT_EQ(settings().timelineHalfSpanMinutes, 120);
    model->zoomIn();
    EXPECT_EQ(settings().timelineHalfSpanMinutes, 60);
    model->setGreetingLeading(std::string(25, 'g'));
    EXPECT_EQ(settings().greeting.leading, std::string(20, 'g'));
    model->setGreetingName(" Ana\n");
    EXPECT_EQ(settings().greeting.name, " Ana ");  // trimmed only by normalize()
    EXPECT_EQ(savesAfterDelay(), 1u);

    model->setGreetingEnabled(false);
    model->restoreGreeting();
    EXPECT_EQ(settings().greeting, SettingsKit::GreetingSettings{});
    EXPECT_EQ(savesAfterDelay(), 2u);

    AppSettings stored;
    stored.timelineHalfSpanMinutes = 45;
    start(stored);
    model->zoomOut();
    EXPECT_EQ(settings().timelineHalfSpanMinutes, 60);
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ModelTest, DisplayChoicesAreMergedAndUnchangedValuesSaveNothing) {
    model->setDisplayChoices({{"DELL-1", true}, {std::string(64, 'x'), false}, {"", true}});
    EXPECT_EQ(model->displayChoices(), (std::map<std::string, bool>{{"DELL-1", true}, {std::string(64, 'x'), false}}));
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
    EXPECT_FALSE(model->displayChoice("A-24").has_value());

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
