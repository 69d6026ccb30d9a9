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

TEST_F(ModelTest, ActiveProfileWeeklyListAndNewsRuleChangesSaveOnce) {
    model->setActiveProfile("London");
    model->setWeeklyCurrency("EUR");
    model->setWeeklyIncludeMedium(true);
    EXPECT_EQ(settings().activeProfileName, "London");
    EXPECT_EQ(settings().weeklyCurrency, "EUR");
    EXPECT_EQ(savesAfterDelay(), 1u);

    model->setBlackoutMinutes(90, std::nullopt);  // clamped to an hour; after kept
    EXPECT_EQ(settings().newsRule.beforeSeconds, 3600);
    EXPECT_EQ(settings().newsRule.afterSeconds, 300);
    EXPECT_EQ(savesAfterDelay(), 2u);
    model->setBlackoutMinutes(90, std::nullopt);
    EXPECT_EQ(savesAfterDelay(), 2u);

    model->setBlackoutIncludesMedium(true);
    model->setBlackoutCurrency("EUR", true);
    EXPECT_EQ(settings().newsRule.impacts, (std::set<NewsImpact>{NewsImpact::high, NewsImpact::medium}));
    EXPECT_EQ(settings().newsRule.currencies, (std::set<std::string>{"EUR", "USD"}));
    model->setBlackoutCurrency("USD", false);
    model->setBlackoutCurrency("EUR", false);
    EXPECT_TRUE(settings().newsRule.currencies.empty());  // allowed: nothing blacks out
    model->restoreNewsRule();
    EXPECT_EQ(settings().newsRule, SettingsKit::NewsRuleLimits::standardRule());
    EXPECT_EQ(savesAfterDelay(), 3u);
}

TEST_F(ModelTest, AThirteenthCurrencyThatSortsLastChangesNothing) {
    AppSettings stored;
    stored.newsRule.currencies.clear();
    for (char c = 'A'; c < 'A' + 12; ++c) stored.newsRule.currencies.insert(std::string(3, c));
    start(stored);
    model->setBlackoutCurrency("ZZZ", true);
    EXPECT_EQ(settings(), stored);
    EXPECT_EQ(savesAfterDelay(), 0u);
}

TEST_F(ModelTest, AddWindowTakesTheFirstFreeHour) {
    EXPECT_EQ(model->addWindow("NY"), 2u);
    EXPECT_EQ(settings().profiles[0].windows.back(), hours("New window", 0, 1));
    EXPECT_EQ(savesAfterDelay(), 1u);

    start(withLondonWindows({hours("Day", 0, 23)}));
    EXPECT_EQ(model->addWindow("London"), 1u);
    EXPECT_EQ(settings().profiles[1].windows.back(), hours("New window", 23, 0));

    std::vector<SessionWindow> eight;
    for (int h = 0; h < 8; ++h) eight.push_back(hours("W", h, h + 1));
    // A window list with an issue already, a whole day, and eight windows.
    for (const auto& full : {std::vector{hours("All", 5, 5)}, std::vector{hours("Night", 12, 0), hours("Day", 0, 12)},
                             eight}) {
        start(withLondonWindows(full));
        EXPECT_EQ(model->addWindow("London"), std::nullopt);
        EXPECT_EQ(savesAfterDelay(), 0u);
    }
}

TEST_F(ModelTest, RenameWindowCleansCutsAndAlwaysSaves) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"Open\tbell", "Open bell"}, {std::string(30, 'x'), std::string(24, 'x')}, {"", ""}, {"  pad  ", "  pad  "},
        {"  pad  ", "  pad  "}};  // unchanged, saved anyway
    std::size_t saves = 0;
    for (const auto& [given, stored] : cases) {
        model->renameWindow("NY", 1, given);
        EXPECT_EQ(settings().profiles[0].windows[1].name, stored);
        EXPECT_EQ(savesAfterDelay(), ++saves);
    }
}

TEST_F(ModelTest, SetTimesChecksTheWindowsAndTellsNotFoundApart) {
    const std::vector<std::pair<WindowTimesResult, WindowTimesResult>> refusals{
        {model->setTimes("NY", 0, {8, 0}, {10, 0}),
         WindowTimesResult::refused(Issue::overlap("Pre-session", "Opening"))},
        {model->setTimes("NY", 1, {8, 0}, {8, 0}), WindowTimesResult::refused(Issue::zeroLength("Opening"))},
        {model->setTimes("Tokyo", 0, {8, 0}, {9, 0}), WindowTimesResult::notFound()},
        {model->setTimes("NY", 2, {8, 0}, {9, 0}), WindowTimesResult::notFound()},
        {model->setTimes("NY", -1, {8, 0}, {9, 0}), WindowTimesResult::notFound()},
        {model->setTimes("NY", 1, {12, 0}, {24, 0}), WindowTimesResult::invalidTime()},
        {model->setTimes("NY", 1, {12, 60}, {13, 0}), WindowTimesResult::invalidTime()},
    };
    for (const auto& [got, expected] : refusals) EXPECT_EQ(got, expected);
    EXPECT_EQ(settings(), AppSettings{});
    EXPECT_EQ(savesAfterDelay(), 0u);

    EXPECT_EQ(model->setTimes("NY", 1, {22, 0}, {1, 0}), WindowTimesResult::accepted());
    EXPECT_EQ(settings().profiles[0].windows[1], (SessionWindow{"Opening", {22, 0}, {1, 0}}));
    EXPECT_EQ(savesAfterDelay(), 1u);
    EXPECT_EQ(model->setTimes("NY", 1, {22, 0}, {1, 0}), WindowTimesResult::accepted());
    EXPECT_EQ(savesAfterDelay(), 2u);  // accepted times always save
}

TEST_F(ModelTest, RemoveWindowAndRestoreDefaults) {
    model->removeWindow("NY", 0);
    model->removeWindow("NY", 0);
    EXPECT_TRUE(settings().profiles[0].windows.empty());
    EXPECT_EQ(savesAfterDelay(), 1u);

    AppSettings stored;
    stored.profiles[2].windows = {hours("Tokyo", 1, 3)};
    stored.profiles[2].startWeekdays = {TradingCore::Weekday::monday};
    start(stored);
    model->restoreDefaults("Asia");
    EXPECT_EQ(settings().profiles[2], SessionProfile::asia());
    EXPECT_EQ(settings().profiles[2].windows, std::vector<SessionWindow>{hours("Asia", 20, 0)});
    EXPECT_EQ(savesAfterDelay(), 1u);
    model->restoreDefaults("Asia");  // already the preset: saved anyway
    EXPECT_EQ(savesAfterDelay(), 2u);
}
