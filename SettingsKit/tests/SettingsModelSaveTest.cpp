#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "SettingsKit/tests/ModelFixture.h"

using SettingsKit::AppSettings;
using SettingsKit::CustomTimesResult;
using SettingsKit::SettingsModel;
using SettingsKitTesting::ModelTest;
using SettingsKitTesting::knownID;
using SettingsKitTesting::withOneInterval;
using TradingCore::IntervalColor;
using TradingCore::Weekday;

TEST_F(ModelTest, StartsFromTheStoredRecordOrTheDefaultsAndWritesNothing) {
    EXPECT_EQ(store->loads, 1);
    EXPECT_EQ(settings(), AppSettings{});
    EXPECT_EQ(model->activeProfile().name, "NY");
    EXPECT_EQ(savesAfterDelay(), 0u);

    AppSettings stored;
    stored.weeklyCurrency = "usd";  // taken as the store gives it, unrepaired
    start(stored);
    EXPECT_EQ(settings(), stored);
}

TEST_F(ModelTest, ThreeChangesWithinTheDelayMakeOneSaveOfTheLastRecord) {
    model->setWeeklyCurrency("EUR");
    scheduler.advance(0.15);
    model->setWeeklyIncludeMedium(true);
    scheduler.advance(0.15);
    model->setWeeklyCurrency("GBP");
    scheduler.advance(0.39);
    EXPECT_TRUE(store->saves.empty());
    scheduler.advance(0.02);
    ASSERT_EQ(store->saves.size(), 1u);
    EXPECT_EQ(store->saves[0].weeklyCurrency, "GBP");
    EXPECT_TRUE(store->saves[0].weeklyIncludeMedium);
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ModelTest, WithoutADelayEveryChangeSavesAtOnce) {
    start(std::nullopt, 0);
    model->setWeeklyCurrency("EUR");
    EXPECT_EQ(store->saves.size(), 1u);
    model->zoomOut();
    EXPECT_EQ(store->saves.size(), 2u);
    EXPECT_EQ(savesAfterDelay(), 2u);
}

TEST_F(ModelTest, FlushWritesAtOnceAndTheDelayedSaveNeverFollows) {
    model->setLunchMacroEnabled(false);
    model->flush();
    ASSERT_EQ(store->saves.size(), 1u);
    EXPECT_FALSE(store->saves[0].lunchMacroEnabled);
    EXPECT_EQ(savesAfterDelay(), 1u);
    model->flush();  // nothing changed: still written
    EXPECT_EQ(store->saves.size(), 2u);
}

TEST_F(ModelTest, AFailingSaveIsFlaggedUntilASaveSucceeds) {
    int flagChanges = 0;
    auto watch = model->observeLastSaveFailed([&] { ++flagChanges; });
    store->failing = true;
    model->setGreetingEnabled(false);
    scheduler.advance(0.4);
    EXPECT_TRUE(model->lastSaveFailed());
    EXPECT_FALSE(settings().greeting.isEnabled);  // the record stays as changed
    model->flush();
    EXPECT_EQ(flagChanges, 1);

    store->failing = false;
    model->flush();
    EXPECT_FALSE(model->lastSaveFailed());
    EXPECT_EQ(flagChanges, 2);
    ASSERT_EQ(store->saves.size(), 1u);
    EXPECT_FALSE(store->saves[0].greeting.isEnabled);
}

TEST_F(ModelTest, OnChangeRunsBeforeTheSaveAndObserversHearOnlyOfRealChanges) {
    start(std::nullopt, 0);
    std::vector<std::size_t> savesSeen;
    model->onChange = [&] { savesSeen.push_back(store->saves.size()); };
    int notified = 0;
    auto watch = model->observeSettings([&] { ++notified; });
    model->setFinalMacroEnabled(false);
    model->setFinalMacroEnabled(false);
    model->renameWindow("NY", 0, "Pre-session");  // saves, but nothing to tell observers
    EXPECT_EQ(savesSeen, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(notified, 1);
}

TEST_F(ModelTest, CalculatorEditsRunOnceAndSave) {
    int edits = 0;
    model->updateCalculator([&](CalculatorKit::CalculatorSettings& c) {
        ++edits;
        c.balance = Base::Decimal(25000);
    });
    EXPECT_EQ(edits, 1);
    EXPECT_EQ(settings().calculator.balance, Base::Decimal(25000));
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ModelTest, AModelGoneBeforeItsSaveSavesNothing) {
    model->setWeeklyCurrency("JPY");
    model.reset();
    EXPECT_EQ(savesAfterDelay(), 0u);
}

TEST_F(ModelTest, DerivedValuesFollowTheRecord) {
    // Half span: can zoom in, can zoom out. 45 is no step and counts as the first.
    for (const auto& [halfSpan, in, out] : std::vector<std::tuple<int, bool, bool>>{
             {30, false, true}, {60, true, true}, {120, true, false}, {45, false, true}}) {
        AppSettings stored;
        stored.timelineHalfSpanMinutes = halfSpan;
        start(stored);
        EXPECT_EQ(model->canZoomIn(), in) << halfSpan;
        EXPECT_EQ(model->canZoomOut(), out) << halfSpan;
    }
    AppSettings stored;
    stored.lunchMacroEnabled = false;
    stored.activeProfileName = "Tokyo";
    stored.profiles[0].windows.clear();
    stored.displays.choices = {{"A", true}};
    start(stored);
    EXPECT_EQ(model->macroSchedule(), TradingCore::MacroSchedule::newYork(false, true));
    EXPECT_EQ(model->activeProfile(), TradingCore::SessionProfile::newYork());
    EXPECT_EQ(model->displayChoice("A"), true);
    EXPECT_EQ(model->displayChoice("B"), std::nullopt);
}

TEST_F(ModelTest, NormalizeTidiesNamesOrderAndCustomTimes) {
    AppSettings stored;
    stored.profiles[1].windows = {{"Late", {9, 30}, {10, 0}}, {"   ", {7, 0}, {8, 0}}, {"Later", {9, 30}, {9, 45}}};
    stored.greeting.leading = " Hi ";
    stored.customIntervals = {{Base::Uuid::random(), "", {10, 0}, {11, 0}, {}, TradingCore::IntervalColor::blue}};
    start(stored);
    model->normalize();
    const auto& windows = settings().profiles[1].windows;
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_EQ(windows[0].name, "Window");
    EXPECT_EQ(windows[1].name, "Late");
    EXPECT_EQ(windows[2].name, "Later");
    EXPECT_EQ(settings().greeting.leading, "Hi");
    EXPECT_EQ(settings().customIntervals[0].name, "Custom");
    EXPECT_EQ(settings().customIntervals[0].weekdays, TradingCore::workDays());
    EXPECT_EQ(savesAfterDelay(), 1u);
    model->normalize();  // already tidy
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ModelTest, OperationsThatChangeNothingSaveNothingAndTellNoOne) {
    const Base::Uuid unknown = Base::Uuid::random();
    const std::vector<std::function<void(SettingsModel&)>> noOps{
        [](SettingsModel& m) { m.setActiveProfile("Tokyo"); },
        [](SettingsModel& m) { m.setActiveProfile("NY"); },
        [](SettingsModel& m) { m.addWindow("Tokyo"); },
        [](SettingsModel& m) { m.renameWindow("NY", 2, "x"); },
        [](SettingsModel& m) { m.renameWindow("NY", -1, "x"); },
        [](SettingsModel& m) { m.renameWindow("Tokyo", 0, "x"); },
        [](SettingsModel& m) { m.removeWindow("NY", 5); },
        [](SettingsModel& m) { m.removeWindow("NY", -1); },
        [](SettingsModel& m) { m.removeWindow("Tokyo", 0); },
        [](SettingsModel& m) { m.restoreDefaults("Tokyo"); },
        [](SettingsModel& m) { m.setWeeklyCurrency("eur"); },
        [](SettingsModel& m) { m.setWeeklyCurrency("EU"); },
        [](SettingsModel& m) { m.setWeeklyCurrency("EURO"); },
        [](SettingsModel& m) { m.setWeeklyCurrency("USD"); },
        [](SettingsModel& m) { m.setWeeklyIncludeMedium(false); },
        [](SettingsModel& m) { m.setBlackoutMinutes(5, 5); },
        [](SettingsModel& m) { m.setBlackoutIncludesMedium(false); },
        [](SettingsModel& m) { m.setBlackoutCurrency("eur", true); },
        [](SettingsModel& m) { m.setBlackoutCurrency("GBP", false); },
        [](SettingsModel& m) { m.restoreNewsRule(); },
        [&](SettingsModel& m) { m.renameCustomInterval(unknown, "x"); },
        [&](SettingsModel& m) { m.renameCustomInterval(knownID, "Open"); },
        [&](SettingsModel& m) { m.setCustomColor(unknown, IntervalColor::pink); },
        [&](SettingsModel& m) { m.setCustomColor(knownID, IntervalColor::cyan); },
        [&](SettingsModel& m) { m.toggleCustomWeekday(unknown, Weekday::sunday); },
        [&](SettingsModel& m) { m.toggleCustomWeekday(knownID, Weekday::monday); },  // the last day stays
        [&](SettingsModel& m) { m.removeCustomInterval(unknown); },
        [&](SettingsModel& m) { EXPECT_EQ(m.setCustomTimes(knownID, {10, 0}, {11, 0}), CustomTimesResult::accepted); },
        [](SettingsModel& m) { m.setLunchMacroEnabled(true); },
        [](SettingsModel& m) { m.setFinalMacroEnabled(true); },
        [](SettingsModel& m) { m.zoomIn(); },
        [](SettingsModel& m) { m.setGreetingEnabled(true); },
        [](SettingsModel& m) { m.setGreetingLeading("Wel\u200Bcome"); },  // cleans to the stored text
        [](SettingsModel& m) { m.setGreetingName("Trader"); },
        [](SettingsModel& m) { m.restoreGreeting(); },
        [](SettingsModel& m) { m.setDisplayChoices({{"", true}, {std::string(65, 'x'), true}}); },
        // An edit that the calculator's repair reverts.
        [](SettingsModel& m) { m.updateCalculator([](auto& c) { c.balance = Base::Decimal(-5); }); },
    };
    for (std::size_t i = 0; i < noOps.size(); ++i) {
        SCOPED_TRACE(i);
        start(withOneInterval());
        int changes = 0;
        model->onChange = [&] { ++changes; };
        noOps[i](*model);
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(settings(), withOneInterval());
        EXPECT_EQ(savesAfterDelay(), 0u);
    }
    AppSettings zoomedOut;
    zoomedOut.timelineHalfSpanMinutes = 120;
    start(zoomedOut);
    model->zoomOut();
    EXPECT_EQ(savesAfterDelay(), 0u);
}
