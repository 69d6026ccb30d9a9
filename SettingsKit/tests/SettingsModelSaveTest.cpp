#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "SettingsKit/tests/ModelFixture.h"

using SettingsKit::AppSettings;
using SettingsKitTesting::ModelTest;

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

TEST_F(ModelTest, AnEditThatRepairRevertsSavesNothingAndEditsRunOnce) {
    model->updateCalculator([](CalculatorKit::CalculatorSettings& c) { c.balance = Base::Decimal(-5); });
    EXPECT_EQ(settings(), AppSettings{});
    EXPECT_EQ(savesAfterDelay(), 0u);

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
