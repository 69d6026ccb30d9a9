#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsKit/tests/ModelFixture.h"

using SettingsKit::AppSettings;
using SettingsKit::WindowTimesResult;
using SettingsKitTesting::ModelTest;
using TradingCore::NewsImpact;
using TradingCore::SessionProfile;
using TradingCore::SessionWindow;
using TradingCore::WallClockTime;
using TradingCore::WindowRules::Issue;

namespace {

AppSettings withLondonWindows(std::vector<SessionWindow> windows) {
    AppSettings settings;
    settings.profiles[1].windows = std::move(windows);
    return settings;
}

SessionWindow hours(std::string name, int start, int end) {
    return {std::move(name), WallClockTime(start, 0), WallClockTime(end % 24, 0)};
}

}  // namespace

TEST_F(ModelTest, SetActiveProfileNeedsAnotherExistingName) {
    model->setActiveProfile("Tokyo");
    model->setActiveProfile("NY");
    EXPECT_EQ(savesAfterDelay(), 0u);
    model->setActiveProfile("London");
    EXPECT_EQ(settings().activeProfileName, "London");
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ModelTest, AddWindowTakesTheFirstFreeHour) {
    EXPECT_EQ(model->addWindow("NY"), 2u);
    EXPECT_EQ(settings().profiles[0].windows.back(), hours("New window", 0, 1));
    EXPECT_EQ(savesAfterDelay(), 1u);

    start(withLondonWindows({hours("Day", 0, 23)}));
    EXPECT_EQ(model->addWindow("London"), 1u);
    EXPECT_EQ(settings().profiles[1].windows.back(), hours("New window", 23, 0));
}

TEST_F(ModelTest, AddWindowRefusesAFullDayEightWindowsAndUnknownProfiles) {
    start(withLondonWindows({hours("All", 5, 5 + 24)}));  // zero length: an issue already
    EXPECT_EQ(model->addWindow("London"), std::nullopt);
    start(withLondonWindows({hours("Night", 12, 0), hours("Day", 0, 12)}));
    EXPECT_EQ(model->addWindow("London"), std::nullopt);
    std::vector<SessionWindow> eight;
    for (int h = 0; h < 8; ++h) eight.push_back(hours("W", h, h + 1));
    start(withLondonWindows(eight));
    EXPECT_EQ(model->addWindow("London"), std::nullopt);
    EXPECT_EQ(model->addWindow("Tokyo"), std::nullopt);
    EXPECT_EQ(savesAfterDelay(), 0u);
}

TEST_F(ModelTest, RenameWindowCleansCutsAndAlwaysSaves) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"Open\tbell", "Open bell"},
        {std::string(30, 'x'), std::string(24, 'x')},
        {"", ""},
        {"  pad  ", "  pad  "},
    };
    std::size_t saves = 0;
    for (const auto& [given, stored] : cases) {
        model->renameWindow("NY", 1, given);
        EXPECT_EQ(settings().profiles[0].windows[1].name, stored);
        EXPECT_EQ(savesAfterDelay(), ++saves);
    }
    model->renameWindow("NY", 1, "  pad  ");  // unchanged, saved anyway
    EXPECT_EQ(savesAfterDelay(), ++saves);
    model->renameWindow("NY", 2, "x");
    model->renameWindow("NY", -1, "x");
    model->renameWindow("Tokyo", 0, "x");
    EXPECT_EQ(savesAfterDelay(), saves);
}

TEST_F(ModelTest, SetTimesChecksTheWindowsAndReportsWhatHappened) {
    const auto before = settings();
    EXPECT_EQ(model->setTimes("NY", 0, {8, 0}, {10, 0}), WindowTimesResult::refused(Issue::overlap("Pre-session", "Opening")));
    EXPECT_EQ(model->setTimes("NY", 1, {8, 0}, {8, 0}), WindowTimesResult::refused(Issue::zeroLength("Opening")));
    EXPECT_EQ(model->setTimes("Tokyo", 0, {8, 0}, {9, 0}), WindowTimesResult::notFound());
    EXPECT_EQ(model->setTimes("NY", 2, {8, 0}, {9, 0}), WindowTimesResult::notFound());
    EXPECT_EQ(model->setTimes("NY", -1, {8, 0}, {9, 0}), WindowTimesResult::notFound());
    EXPECT_EQ(model->setTimes("NY", 1, {12, 0}, {24, 0}), WindowTimesResult::invalidTime());
    EXPECT_EQ(model->setTimes("NY", 1, {12, 60}, {13, 0}), WindowTimesResult::invalidTime());
    EXPECT_EQ(settings(), before);
    EXPECT_EQ(savesAfterDelay(), 0u);

    EXPECT_EQ(model->setTimes("NY", 1, {22, 0}, {1, 0}), WindowTimesResult::accepted());
    EXPECT_EQ(settings().profiles[0].windows[1].start, WallClockTime(22, 0));
    EXPECT_EQ(settings().profiles[0].windows[1].end, WallClockTime(1, 0));
    EXPECT_EQ(savesAfterDelay(), 1u);
    EXPECT_EQ(model->setTimes("NY", 1, {22, 0}, {1, 0}), WindowTimesResult::accepted());
    EXPECT_EQ(savesAfterDelay(), 2u);  // accepted times always save
}

TEST_F(ModelTest, RemoveWindowNeedsAnExistingPosition) {
    model->removeWindow("NY", 5);
    model->removeWindow("NY", -1);
    model->removeWindow("Tokyo", 0);
    EXPECT_EQ(savesAfterDelay(), 0u);
    model->removeWindow("NY", 0);
    model->removeWindow("NY", 0);
    EXPECT_TRUE(settings().profiles[0].windows.empty());
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ModelTest, RestoreDefaultsCopiesThePresetAndAlwaysSaves) {
    AppSettings stored;
    stored.profiles[2].windows = {hours("Tokyo", 1, 3)};
    stored.profiles[2].startWeekdays = {TradingCore::Weekday::monday};
    start(stored);
    model->restoreDefaults("Asia");
    EXPECT_EQ(settings().profiles[2], SessionProfile::asia());
    EXPECT_EQ(settings().profiles[2].windows, std::vector<SessionWindow>{hours("Asia", 20, 0)});
    EXPECT_EQ(savesAfterDelay(), 1u);
    model->restoreDefaults("Asia");
    EXPECT_EQ(savesAfterDelay(), 2u);
    model->restoreDefaults("Tokyo");
    EXPECT_EQ(savesAfterDelay(), 2u);
}

TEST_F(ModelTest, WeeklyCurrencyMustBeAValidNewCode) {
    for (const char* refused : {"eur", "EU", "EURO", "USD", "€UR"}) model->setWeeklyCurrency(refused);
    EXPECT_EQ(savesAfterDelay(), 0u);
    model->setWeeklyCurrency("EUR");
    EXPECT_EQ(settings().weeklyCurrency, "EUR");
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ModelTest, BlackoutMinutesAreClampedAndUnchangedRulesSaveNothing) {
    model->setBlackoutMinutes(90, std::nullopt);
    EXPECT_EQ(settings().newsRule.beforeSeconds, 3600);
    EXPECT_EQ(settings().newsRule.afterSeconds, 300);
    EXPECT_EQ(savesAfterDelay(), 1u);
    model->setBlackoutMinutes(90, std::nullopt);
    model->setBlackoutMinutes(std::nullopt, 5);
    EXPECT_EQ(savesAfterDelay(), 1u);
    model->setBlackoutMinutes(std::nullopt, -4);
    EXPECT_EQ(settings().newsRule.afterSeconds, 0);
    EXPECT_EQ(savesAfterDelay(), 2u);
}

TEST_F(ModelTest, BlackoutImpactsAndCurrencies) {
    model->setBlackoutIncludesMedium(false);
    model->setBlackoutCurrency("eur", true);
    model->setBlackoutCurrency("GBP", false);
    model->restoreNewsRule();
    EXPECT_EQ(savesAfterDelay(), 0u);

    model->setBlackoutIncludesMedium(true);
    model->setBlackoutCurrency("EUR", true);
    EXPECT_EQ(settings().newsRule.impacts, (std::set<NewsImpact>{NewsImpact::high, NewsImpact::medium}));
    EXPECT_EQ(settings().newsRule.currencies, (std::set<std::string>{"EUR", "USD"}));
    model->setBlackoutCurrency("USD", false);
    model->setBlackoutCurrency("EUR", false);
    EXPECT_TRUE(settings().newsRule.currencies.empty());  // allowed: nothing blacks out
    model->restoreNewsRule();
    EXPECT_EQ(settings().newsRule, SettingsKit::NewsRuleLimits::standardRule());
    EXPECT_EQ(savesAfterDelay(), 1u);
}

TEST_F(ModelTest, AThirteenthCurrencyThatSortsLastChangesNothing) {
    AppSettings stored;
    stored.newsRule.currencies.clear();
    for (char c = 'A'; c < 'A' + 12; ++c) stored.newsRule.currencies.insert(std::string(3, c));
    start(stored);
    model->setBlackoutCurrency("ZZZ", true);
    EXPECT_EQ(settings().newsRule.currencies, stored.newsRule.currencies);
    EXPECT_EQ(savesAfterDelay(), 0u);
}
