#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "SettingsKit/tests/ModelFixture.h"

using SettingsKit::AppSettings;
using SettingsKit::CustomTimesResult;
using SettingsKit::SettingsModel;
using SettingsKit::WindowTimesResult;
using SettingsKitTesting::ModelTest;
using SettingsKitTesting::knownID;
using SettingsKitTesting::window;
using SettingsKitTesting::withOneInterval;
using TradingCore::IntervalColor;
using TradingCore::NewsImpact;
using TradingCore::SessionWindow;
using TradingCore::Weekday;
using TradingCore::WindowRules::Issue;

// Each operation, on the defaults with one custom interval (edited first by
// `stored` where given): the record it leaves, everything else unchanged, told
// to onChange once and saved once; or, without `expected`, nothing changed,
// told or saved. Observers hear of a change only when the record differs.
TEST_F(ModelTest, EveryOperationChangesItsPartOnlyAndSavesOnceOrDoesNothing) {
    using Edit = std::function<void(AppSettings&)>;
    struct Row {
        std::function<void(SettingsModel&)> operation;
        Edit expected = nullptr;
        Edit stored = nullptr;
    };
    const Base::Uuid unknown = Base::Uuid::random();
    const auto ny = [](AppSettings& s) -> auto& { return s.profiles[0].windows; };
    const auto custom = [](AppSettings& s) -> auto& { return s.customIntervals[0]; };
    const Row rows[] = {
        {[](auto& m) { m.setActiveProfile("London"); }, [](auto& s) { s.activeProfileName = "London"; }},
        {[](auto& m) { m.setWeeklyCurrency("EUR"); }, [](auto& s) { s.weeklyCurrency = "EUR"; }},
        {[](auto& m) { m.setWeeklyIncludeMedium(true); }, [](auto& s) { s.weeklyIncludeMedium = true; }},
        // Whole minutes from 0 to 60.
        {[](auto& m) { m.setBlackoutMinutes(90, std::nullopt); }, [](auto& s) { s.newsRule.beforeSeconds = 3600; }},
        {[](auto& m) { m.setBlackoutMinutes(std::nullopt, 2.4); }, [](auto& s) { s.newsRule.afterSeconds = 120; }},
        {[](auto& m) { m.setBlackoutIncludesMedium(true); },
         [](auto& s) { s.newsRule.impacts.insert(NewsImpact::medium); }},
        {[](auto& m) { m.setBlackoutCurrency("EUR", true); }, [](auto& s) { s.newsRule.currencies.insert("EUR"); }},
        // Allowed: nothing blacks out then.
        {[](auto& m) { m.setBlackoutCurrency("USD", false); }, [](auto& s) { s.newsRule.currencies.clear(); }},
        {[](auto& m) { m.restoreNewsRule(); }, [](auto& s) { s.newsRule = SettingsKit::NewsRuleLimits::standardRule(); },
         [](auto& s) { s.newsRule = {{"JPY"}, {NewsImpact::high}, 600, 0, 900}; }},
        {[](auto& m) { m.addWindow("NY"); }, [&](auto& s) { ny(s).push_back({"New window", {0, 0}, {1, 0}}); }},
        // Cleaned and cut to 24 characters, not trimmed while typing.
        {[](auto& m) { m.renameWindow("NY", 1, " Open\tbell" + std::string(30, 'x')); },
         [&](auto& s) { ny(s)[1].name = " Open bell" + std::string(14, 'x'); }},
        {[](auto& m) { m.renameWindow("NY", 1, "Opening"); }, [](auto&) {}},  // unchanged, saved anyway
        {[](auto& m) { m.setTimes("NY", 1, {22, 0}, {1, 0}); }, [&](auto& s) { ny(s)[1] = {"Opening", {22, 0}, {1, 0}}; }},
        {[](auto& m) { m.setTimes("NY", 1, {9, 30}, {11, 0}); }, [](auto&) {}},  // accepted times always save
        {[](auto& m) { m.removeWindow("NY", 0); }, [&](auto& s) { ny(s).erase(ny(s).begin()); }},
        {[](auto& m) { m.restoreDefaults("Asia"); }, [](auto& s) { s.profiles[2] = TradingCore::SessionProfile::asia(); },
         [](auto& s) { s.profiles[2] = {"Asia", {{"Tokyo", {1, 0}, {3, 0}}}, {Weekday::monday}}; }},
        {[](auto& m) { m.restoreDefaults("Asia"); }, [](auto&) {}},  // already the preset: saved anyway
        {[](auto& m) { m.setLunchMacroEnabled(false); }, [](auto& s) { s.lunchMacroEnabled = false; }},
        {[](auto& m) { m.setFinalMacroEnabled(false); }, [](auto& s) { s.finalMacroEnabled = false; }},
        {[](auto& m) { m.zoomOut(); }, [](auto& s) { s.timelineHalfSpanMinutes = 60; }},
        {[](auto& m) { m.zoomIn(); }, [](auto& s) { s.timelineHalfSpanMinutes = 60; },
         [](auto& s) { s.timelineHalfSpanMinutes = 120; }},
        {[](auto& m) { m.setGreetingEnabled(false); }, [](auto& s) { s.greeting.isEnabled = false; }},
        {[](auto& m) { m.setGreetingLeading(std::string(25, 'g')); },
         [](auto& s) { s.greeting.leading = std::string(20, 'g'); }},
        // Not trimmed while typing: normalize() trims.
        {[](auto& m) { m.setGreetingName(" Ana\n"); }, [](auto& s) { s.greeting.name = " Ana "; }},
        {[](auto& m) { m.restoreGreeting(); }, [](auto& s) { s.greeting = {}; },
         [](auto& s) { s.greeting = {false, "", ""}; }},
        {[](auto& m) { m.setDisplayChoices({{"DELL-1", true}, {std::string(64, 'x'), false}, {"", true}}); },
         [](auto& s) { s.displays.choices = {{"DELL-1", true}, {std::string(64, 'x'), false}}; }},
        {[](auto& m) { m.setDisplayChoices({{"DELL-1", false}}); }, [](auto& s) { s.displays.choices["DELL-1"] = false; },
         [](auto& s) { s.displays.choices = {{"DELL-1", true}, {"LG-2", true}}; }},
        {[](auto& m) { m.updateCalculator([](auto& c) { c.balance = Base::Decimal(25000); }); },
         [](auto& s) { s.calculator.balance = Base::Decimal(25000); }},
        {[](auto& m) { m.renameCustomInterval(knownID, std::string(20, 'n')); },
         [&](auto& s) { custom(s).name = std::string(14, 'n'); }},
        {[](auto& m) { m.renameCustomInterval(knownID, ""); }, [&](auto& s) { custom(s).name = ""; }},
        {[](auto& m) { m.setCustomColor(knownID, IntervalColor::white); },
         [&](auto& s) { custom(s).color = IntervalColor::white; }},
        {[](auto& m) { m.toggleCustomWeekday(knownID, Weekday::tuesday); },
         [&](auto& s) { custom(s).weekdays.insert(Weekday::tuesday); }},
        {[](auto& m) { m.toggleCustomWeekday(knownID, Weekday::monday); },
         [&](auto& s) { custom(s).weekdays = {Weekday::tuesday}; },
         [&](auto& s) { custom(s).weekdays.insert(Weekday::tuesday); }},
        {[](auto& m) { EXPECT_EQ(m.setCustomTimes(knownID, {23, 0}, {1, 30}), CustomTimesResult::accepted); },
         [&](auto& s) { custom(s).start = {23, 0}; custom(s).end = {1, 30}; }},
        {[](auto& m) { m.removeCustomInterval(knownID); }, [](auto& s) { s.customIntervals.clear(); }},
        // Refused, naming nothing, or leaving the record as it is: nothing happens.
        {[](auto& m) { m.setActiveProfile("Tokyo"); }},
        {[](auto& m) { m.setActiveProfile("NY"); }},
        {[](auto& m) { m.addWindow("Tokyo"); }},
        {[](auto& m) { m.renameWindow("NY", 2, "x"); }},
        {[](auto& m) { m.renameWindow("Tokyo", 0, "x"); }},
        {[](auto& m) { m.removeWindow("NY", -1); }},
        {[](auto& m) { m.removeWindow("Tokyo", 0); }},
        {[](auto& m) { m.restoreDefaults("Tokyo"); }},
        {[](auto& m) { m.setWeeklyCurrency("eur"); }},
        {[](auto& m) { m.setWeeklyCurrency("USD"); }},
        {[](auto& m) { m.setWeeklyIncludeMedium(false); }},
        {[](auto& m) { m.setBlackoutMinutes(5, 5); }},
        {[](auto& m) { m.setBlackoutCurrency("eur", true); }},
        {[&](auto& m) { m.renameCustomInterval(unknown, "x"); }},
        {[&](auto& m) { m.renameCustomInterval(knownID, "Open"); }},
        {[&](auto& m) { m.toggleCustomWeekday(knownID, Weekday::monday); }},  // the last day stays
        {[&](auto& m) { m.removeCustomInterval(unknown); }},
        {[&](auto& m) { EXPECT_EQ(m.setCustomTimes(knownID, {10, 0}, {11, 0}), CustomTimesResult::accepted); }},
        {[](auto& m) { m.setLunchMacroEnabled(true); }},
        {[](auto& m) { m.setFinalMacroEnabled(true); }},
        {[](auto& m) { m.zoomIn(); }},
        {[](auto& m) { m.setGreetingEnabled(true); }},
        {[](auto& m) { m.setGreetingLeading("Wel\u200Bcome"); }},  // cleans to the stored text
        {[](auto& m) { m.setGreetingName("Trader"); }},
        {[](auto& m) { m.restoreGreeting(); }},
        {[](auto& m) { m.setDisplayChoices({{"", true}, {std::string(65, 'x'), true}}); }},
        // An edit that the calculator's repair reverts.
        {[](auto& m) { m.updateCalculator([](auto& c) { c.balance = Base::Decimal(-5); }); }},
        {[](auto& m) { m.zoomOut(); }, nullptr, [](auto& s) { s.timelineHalfSpanMinutes = 120; }},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        AppSettings stored = withOneInterval();
        if (rows[i].stored) rows[i].stored(stored);
        start(stored);
        int changes = 0;
        int notified = 0;
        model->onChange = [&] { ++changes; };
        auto watch = model->observeSettings([&] { ++notified; });
        rows[i].operation(*model);
        AppSettings expected = stored;
        if (rows[i].expected) rows[i].expected(expected);
        EXPECT_EQ(settings(), expected);
        EXPECT_EQ(changes, rows[i].expected ? 1 : 0);
        EXPECT_EQ(notified, expected == stored ? 0 : 1);  // observers hear only of a real change
        EXPECT_EQ(savesAfterDelay(), rows[i].expected ? 1u : 0u);
    }
}

TEST_F(ModelTest, SavesAtOnceWithoutADelayAfterOnChangeAndFlagsAFailingSaveUntilOneSucceeds) {
    start(std::nullopt, 0);
    std::vector<std::size_t> savesSeen;
    model->onChange = [&] { savesSeen.push_back(store->saves.size()); };
    model->setFinalMacroEnabled(false);
    model->renameWindow("NY", 0, "Pre-session");
    EXPECT_EQ(savesSeen, (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(store->saves.size(), 2u);

    start();
    int flagChanges = 0;
    auto watch = model->observeLastSaveFailed([&] { ++flagChanges; });
    store->failing = true;
    model->setGreetingEnabled(false);
    scheduler.advance(0.4);
    EXPECT_TRUE(model->lastSaveFailed());
    EXPECT_FALSE(settings().greeting.isEnabled);  // the record stays as changed
    store->failing = false;
    model->flush();
    EXPECT_FALSE(model->lastSaveFailed());
    EXPECT_EQ(flagChanges, 2);
    ASSERT_EQ(store->saves.size(), 1u);
    EXPECT_FALSE(store->saves[0].greeting.isEnabled);
    model->flush();  // nothing changed: still written
    EXPECT_EQ(savesAfterDelay(), 2u);
    model->setWeeklyCurrency("JPY");
    model.reset();
    EXPECT_EQ(savesAfterDelay(), 2u) << "a model gone before its save saves nothing";
}

TEST_F(ModelTest, StartsFromTheRecordAsStoredAndDerivedValuesFollowIt) {
    EXPECT_EQ(settings(), AppSettings{});
    // A half span that is no step counts as the first one.
    AppSettings offStep;
    offStep.timelineHalfSpanMinutes = 45;
    start(offStep);
    EXPECT_FALSE(model->canZoomIn());
    model->zoomOut();
    EXPECT_EQ(settings().timelineHalfSpanMinutes, 60);
    EXPECT_TRUE(model->canZoomIn() && model->canZoomOut());

    AppSettings stored;
    stored.lunchMacroEnabled = false;
    stored.activeProfileName = "Tokyo";
    stored.profiles[0].windows.clear();
    stored.displays.choices = {{"A", true}};
    stored.weeklyCurrency = "usd";  // taken as the store gives it, unrepaired
    start(stored);
    EXPECT_EQ(settings(), stored);
    EXPECT_EQ(model->macroSchedule(), TradingCore::MacroSchedule::newYork(false, true));
    EXPECT_EQ(model->activeProfile(), TradingCore::SessionProfile::newYork());  // the preset, not the stored one
    model->setActiveProfile("NY");
    EXPECT_TRUE(model->activeProfile().windows.empty());
    EXPECT_EQ(model->displayChoice("A"), true);
    EXPECT_EQ(model->displayChoice("B"), std::nullopt);
}

TEST_F(ModelTest, NormalizeTidiesNamesOrderAndCustomTimes) {
    AppSettings stored;
    stored.profiles[1].windows = {{"Late", {9, 30}, {10, 0}}, {"   ", {7, 0}, {8, 0}}, {"Later", {9, 30}, {9, 45}}};
    stored.greeting.leading = " Hi ";
    stored.customIntervals = {{Base::Uuid::random(), "", {10, 0}, {11, 0}, {}, IntervalColor::blue}};
    start(stored);
    model->normalize();
    EXPECT_EQ(settings().profiles[1].windows,
              (std::vector<TradingCore::SessionWindow>{{"Window", {7, 0}, {8, 0}}, {"Late", {9, 30}, {10, 0}},
                                                       {"Later", {9, 30}, {9, 45}}}));
    EXPECT_EQ(settings().greeting.leading, "Hi");
    EXPECT_EQ(settings().customIntervals[0].name, "Custom");
    EXPECT_EQ(settings().customIntervals[0].weekdays, TradingCore::workDays());
    EXPECT_EQ(savesAfterDelay(), 1u);
    model->normalize();  // already tidy
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ModelTest, NewCustomIntervalsTakeTheFirstUnusedColour) {
    const auto first = model->addCustomInterval();
    ASSERT_TRUE(first.has_value());
    const TradingCore::CustomInterval expected{*first, "Kill zone", {10, 0}, {11, 0}, TradingCore::workDays(),
                                               IntervalColor::cyan};
    EXPECT_EQ(settings().customIntervals, std::vector{expected});
    EXPECT_EQ(savesAfterDelay(), 1u);
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(model->addCustomInterval().has_value());
    model->removeCustomInterval(*first);
    model->addCustomInterval();
    std::vector<IntervalColor> colors;
    for (const auto& interval : settings().customIntervals) colors.push_back(interval.color);
    EXPECT_EQ(colors, (std::vector{IntervalColor::blue, IntervalColor::pink, IntervalColor::yellow, IntervalColor::teal,
                                   IntervalColor::cyan}));
    EXPECT_EQ(model->addCustomInterval(), std::nullopt);
    EXPECT_EQ(settings().customIntervals.size(), 5u);
    EXPECT_EQ(savesAfterDelay(), 2u);
}

TEST_F(ModelTest, RefusedTimesChangeNothingAndSayWhy) {
    start(withOneInterval());
    EXPECT_EQ(model->setCustomTimes(knownID, {10, 0}, {10, 0}), CustomTimesResult::zeroLength);
    EXPECT_EQ(model->setCustomTimes(Base::Uuid::random(), {8, 0}, {9, 0}), CustomTimesResult::notFound);
    EXPECT_EQ(model->setCustomTimes(knownID, {8, 0}, {24, 0}), CustomTimesResult::invalidTime);
    EXPECT_EQ(model->setCustomTimes(knownID, {8, -1}, {9, 0}), CustomTimesResult::invalidTime);
    const std::vector<std::pair<WindowTimesResult, WindowTimesResult>> refusals{
        {model->setTimes("NY", 0, {8, 0}, {10, 0}), WindowTimesResult::refused(Issue::overlap("Pre-session", "Opening"))},
        {model->setTimes("NY", 1, {8, 0}, {8, 0}), WindowTimesResult::refused(Issue::zeroLength("Opening"))},
        {model->setTimes("Tokyo", 0, {8, 0}, {9, 0}), WindowTimesResult::notFound()},
        {model->setTimes("NY", 2, {8, 0}, {9, 0}), WindowTimesResult::notFound()},
        {model->setTimes("NY", -1, {8, 0}, {9, 0}), WindowTimesResult::notFound()},
        {model->setTimes("NY", 1, {12, 0}, {24, 0}), WindowTimesResult::invalidTime()},
        {model->setTimes("NY", 1, {12, 60}, {13, 0}), WindowTimesResult::invalidTime()},
    };
    for (const auto& [got, expected] : refusals) EXPECT_EQ(got, expected);
    EXPECT_EQ(settings(), withOneInterval());
    EXPECT_EQ(savesAfterDelay(), 0u);
}

TEST_F(ModelTest, AddWindowTakesTheFirstFreeHourOrNone) {
    AppSettings stored;
    stored.profiles[1].windows = {window("Day", 0, 23)};
    start(stored);
    EXPECT_EQ(model->addWindow("London"), 1u);
    EXPECT_EQ(settings().profiles[1].windows.back(), window("New window", 23, 0));

    std::vector<SessionWindow> eight;
    for (int h = 0; h < 8; ++h) eight.push_back(window("W", h, h + 1));
    // A window list with an issue already, a whole day, and eight windows.
    for (const auto& full : {std::vector{window("All", 5, 5)}, std::vector{window("Night", 12, 0), window("Day", 0, 12)},
                             eight}) {
        stored.profiles[1].windows = full;
        start(stored);
        EXPECT_EQ(model->addWindow("London"), std::nullopt);
        EXPECT_EQ(savesAfterDelay(), 0u);
    }
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
