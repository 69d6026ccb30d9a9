#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "SettingsKit/AppSettings.h"

using SettingsKit::AppSettings;
using TradingCore::CustomInterval;
using TradingCore::IntervalColor;
using TradingCore::NewsImpact;
using TradingCore::SessionProfile;
using TradingCore::SessionWindow;
using TradingCore::WallClockTime;
using TradingCore::Weekday;

namespace {

constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();

SessionWindow window(std::string name, int startHour, int endHour) {
    return {std::move(name), WallClockTime(startHour, 0), WallClockTime(endHour % 24, 0)};
}

CustomInterval interval(std::string name, WallClockTime start = {10, 0}, WallClockTime end = {11, 0}) {
    return {Base::Uuid::random(), std::move(name), start, end, TradingCore::workDays(), IntervalColor::cyan};
}

std::vector<SessionProfile> repairedProfiles(std::vector<SessionProfile> stored) {
    AppSettings settings;
    settings.profiles = std::move(stored);
    return settings.validated().profiles;
}

}  // namespace

TEST(AppSettingsRepairTest, ProfilesAreAlwaysTheBuiltInsLendingTheirStoredWindows) {
    const auto repaired =
        repairedProfiles({{"London", {window("Open", 3, 6)}, {Weekday::saturday}}, {"Tokyo", {}, {}}});
    SessionProfile london = SessionProfile::london();
    london.windows = {window("Open", 3, 6)};
    EXPECT_EQ(repaired, (std::vector{SessionProfile::newYork(), london, SessionProfile::asia()}));
    EXPECT_EQ(repairedProfiles({}), SessionProfile::defaults());
    // A stored profile without windows passes; a later one of the same name is ignored.
    EXPECT_TRUE(repairedProfiles({{"Asia", {}, {}}, {"Asia", {window("Late", 1, 2)}, {}}})[2].windows.empty());

    std::vector<SessionWindow> nine;
    for (int h = 0; h < 9; ++h) nine.push_back(window("W" + std::to_string(h), h, h + 1));
    EXPECT_EQ(repairedProfiles({{"NY", nine, {}}})[0].windows, std::vector(nine.begin(), nine.begin() + 8));
}

TEST(AppSettingsRepairTest, WindowsWithAnIssueOrOutsideTheDayBringThePresetBack) {
    const std::vector<std::vector<SessionWindow>> cases{
        {window("A", 7, 10), window("B", 9, 11)},
        {window("A", 7, 7)},
        {{"Bad", {24, 0}, {1, 0}}},
        {{"Bad", {9, 0}, {9, 60}}},
        {{"Bad", {-1, 0}, {1, 0}}},
        {{"Bad", {9, -5}, {10, 0}}},
        {{"Bad", {9, 0}, {33, 0}}},  // 1440 minutes past 09:00 would read as 09:00 again
        {{"Bad", {int64Max / 60, 7}, {1, 0}}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(repairedProfiles({{"NY", cases[i], {}}})[0], SessionProfile::newYork()) << i;
    }
}

TEST(AppSettingsRepairTest, WindowNamesAreCleanedAndCut) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"   ", "Window"},
        {std::string(30, 'a'), std::string(24, 'a')},
        {"\tOpen\nbell ", "Open bell"},
        {"Fed\u200Bwatch", "Fedwatch"}};
    for (const auto& [stored, expected] : cases) {
        const auto repaired = repairedProfiles({{"NY", {{stored, {7, 0}, {8, 0}}}, {}}});
        EXPECT_EQ(repaired[0].windows, (std::vector<SessionWindow>{{expected, {7, 0}, {8, 0}}})) << stored;
    }
}

TEST(AppSettingsRepairTest, ActiveProfileAndWeeklyCurrencyFallBack) {
    for (const auto& [stored, expected] :
         std::vector<std::pair<std::string, std::string>>{{"ny", "NY"}, {"Tokyo", "NY"}, {"Asia", "Asia"}}) {
        AppSettings settings;
        settings.activeProfileName = stored;
        EXPECT_EQ(settings.validated().activeProfileName, expected) << stored;
    }
    for (const auto& [stored, expected] : std::vector<std::pair<std::string, std::string>>{
             {"eur", "USD"}, {"EU", "USD"}, {"EURO", "USD"}, {"EUR", "EUR"}, {"ÉUR", "USD"}, {"E1R", "USD"}}) {
        AppSettings settings;
        settings.weeklyCurrency = stored;
        EXPECT_EQ(settings.validated().weeklyCurrency, expected) << stored;
    }
}

TEST(AppSettingsRepairTest, NewsRuleIsSanitized) {
    using SettingsKit::NewsRuleLimits::sanitized;
    EXPECT_EQ(sanitized({{"JPY", "EUR", "usd"}, {NewsImpact::low}, 89, 90, 60}),
              (TradingCore::NewsRule{{"EUR", "JPY"}, {NewsImpact::high}, 60, 120, 900}));
    const auto medium = sanitized({{}, {NewsImpact::medium, NewsImpact::holiday}, 0, 0, 0});
    EXPECT_EQ(medium.impacts, (std::set<NewsImpact>{NewsImpact::high, NewsImpact::medium}));
    EXPECT_TRUE(medium.currencies.empty());

    std::set<std::string> thirteen;
    for (char c = 'A'; c < 'A' + 13; ++c) thirteen.insert(std::string(3, c));
    thirteen.insert("AAa");  // not a code, so it takes no place among the twelve
    const auto cut = sanitized({thirteen, {}, 0, 0, 0}).currencies;
    EXPECT_EQ(cut.size(), 12u);
    EXPECT_FALSE(cut.contains("MMM"));

    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [given, expected] : std::vector<std::pair<double, double>>{
             {-30, 0}, {4000, 3600}, {inf, 300}, {-inf, 300}, {std::nan(""), 300}, {1e300, 3600}, {-1e300, 0},
             {90, 120}, {-90, 0}, {3570, 3600}}) {
        const auto rule = sanitized({{}, {}, given, given, 0});
        EXPECT_EQ(rule.beforeSeconds, expected) << given;
        EXPECT_EQ(rule.afterSeconds, expected) << given;
    }
}

TEST(AppSettingsRepairTest, CustomIntervalsAreRepaired) {
    auto zero = interval("Zero", {10, 0}, {10, 0});
    auto sameIDAsZero = interval("Kept");
    sameIDAsZero.id = zero.id;
    auto first = interval("First");
    auto duplicate = interval("Second");
    duplicate.id = first.id;
    auto outsideDay = interval("Late", {24, 0}, {1, 0});
    auto sameIDAsOutside = interval("  ");
    sameIDAsOutside.id = outsideDay.id;
    auto noDays = interval(std::string(20, 'a'));
    noDays.weekdays.clear();
    const auto repaired = AppSettings::validCustoms(
        {zero, sameIDAsZero, first, duplicate, outsideDay, sameIDAsOutside, noDays, interval("Sixth")});
    ASSERT_EQ(repaired.size(), 5u);
    EXPECT_EQ(repaired[0].id, zero.id);
    EXPECT_EQ(repaired[0].name, "Kept");
    EXPECT_EQ(repaired[1].name, "First");
    EXPECT_EQ(repaired[2].id, outsideDay.id);
    EXPECT_EQ(repaired[2].name, "Custom");
    EXPECT_EQ(repaired[3].name, std::string(14, 'a'));
    EXPECT_EQ(repaired[3].weekdays, TradingCore::workDays());
    EXPECT_EQ(repaired[4].name, "Sixth");

    std::vector<CustomInterval> mixed{interval("Night", {22, 0}, {2, 0})};  // past midnight is fine
    for (const auto& [start, end] : std::vector<std::pair<WallClockTime, WallClockTime>>{
             {{10, 0}, {10, 60}}, {{-3, 0}, {1, 0}}, {{34, 0}, {11, 0}}, {{int64Max, 0}, {1, 0}}}) {
        mixed.push_back(interval("Bad", start, end));
    }
    for (int i = 0; i < 6; ++i) mixed.push_back(interval("I" + std::to_string(i)));
    const auto five = AppSettings::validCustoms(mixed);
    EXPECT_EQ(five[0], mixed[0]);
    EXPECT_EQ(std::vector(five.begin() + 1, five.end()), std::vector(mixed.begin() + 5, mixed.begin() + 9));
}

TEST(AppSettingsRepairTest, DisplayChoicesKeepTheSixteenLowestValidIdentifiers) {
    SettingsKit::DisplaySettings displays;
    displays.choices = {{"", true}, {std::string(65, 'x'), true}, {std::string(64, 'y'), false}};
    for (int i = 0; i < 20; ++i) displays.choices["D" + std::to_string(100 + i)] = i % 2 == 0;
    const auto kept = displays.validated().choices;
    ASSERT_EQ(kept.size(), 16u);
    EXPECT_EQ(kept.begin()->first, "D100");
    EXPECT_EQ(kept.rbegin()->first, "D115");
    displays.choices = {{"", true}, {std::string(65, 'x'), true}, {std::string(64, 'y'), false}};
    EXPECT_EQ(displays.validated().choices, (std::map<std::string, bool>{{std::string(64, 'y'), false}}));
}

TEST(AppSettingsRepairTest, CleanTextFollowsTheOneRule) {
    struct Case {
        std::string text;
        std::size_t max;
        bool trimmed;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"two\nwords", 20, true, "two words"},
        {"    ", 2, false, "  "},
        {"    ", 2, true, "X"},
        {"", 5, false, ""},
        {"\u200D\uFEFF", 5, true, "X"},
        {"a\u0007b\r\nc", 10, false, "ab  c"},
        {" \t ab cd ", 3, true, "ab "},
        {"🇷🇴🇷🇴🇷🇴", 2, true, "🇷🇴🇷🇴"},
        {"e\u0301e\u0301", 1, true, "e\u0301"},
    };
    for (const Case& c : cases) EXPECT_EQ(AppSettings::cleanText(c.text, c.max, c.trimmed, "X"), c.expected) << c.text;
}

TEST(AppSettingsRepairTest, RepairFixesEveryFieldAndIsIdempotent) {
    AppSettings messy;
    messy.version = 3;
    messy.profiles = {{"London", {window("  Open\t", 3, 6), {"x", {25, 0}, {1, 0}}}, {}},
                      {"NY", {window(std::string(40, 'a'), 1, 2), window("", 2, 3)}, {}}};
    messy.activeProfileName = "Tokyo";
    messy.weeklyCurrency = "gbp";
    messy.newsRule = {{"JPY", "x"}, {NewsImpact::low, NewsImpact::medium}, 4000, -1, 1};
    messy.greeting = {false, " \u200B ", "\tAnamaria Popescu-Ionescu "};
    messy.timelineHalfSpanMinutes = 45;
    messy.customIntervals = {interval(" \t"), interval(std::string(20, 'a'), {10, 0}, {10, 0}), interval("ok")};
    messy.customIntervals[2].weekdays.clear();
    for (int i = 0; i < 20; ++i) messy.displays.choices["display-" + std::to_string(i)] = true;
    messy.displays.choices[""] = false;

    const AppSettings once = messy.validated();
    EXPECT_EQ(once.version, 1);
    EXPECT_EQ(once.greeting, (SettingsKit::GreetingSettings{false, "", "Anamaria Popescu-Ion"}));
    EXPECT_EQ(once.timelineHalfSpanMinutes, 30);
    EXPECT_EQ(once.validated(), once);
    EXPECT_EQ(AppSettings{}.validated(), AppSettings{});
}
