#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "SettingsKit/AppSettings.h"
#include "TradingCore/Model/WindowRules.h"

using SettingsKit::AppSettings;
using TradingCore::CustomInterval;
using TradingCore::IntervalColor;
using TradingCore::NewsImpact;
using TradingCore::SessionProfile;
using TradingCore::SessionWindow;
using TradingCore::WallClockTime;
using TradingCore::Weekday;

namespace {

SessionWindow window(std::string name, int startHour, int endHour) {
    return {std::move(name), WallClockTime(startHour, 0), WallClockTime(endHour % 24, 0)};
}

CustomInterval interval(std::string name, WallClockTime start = {10, 0}, WallClockTime end = {11, 0}) {
    return {Base::Uuid::random(), std::move(name), start, end, TradingCore::workDays(), IntervalColor::cyan};
}

AppSettings withProfiles(std::vector<SessionProfile> profiles) {
    AppSettings settings;
    settings.profiles = std::move(profiles);
    return settings;
}

std::string letters(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += static_cast<char>('a' + i % 26);
    return text;
}

}  // namespace

TEST(AppSettingsRepairTest, ProfilesAreAlwaysTheBuiltInsLendingTheirStoredWindows) {
    const auto repaired =
        withProfiles({{"London", {window("Open", 3, 6)}, {Weekday::saturday}}, {"Tokyo", {}, {}}}).validated();
    ASSERT_EQ(repaired.profiles.size(), 3u);
    EXPECT_EQ(repaired.profiles[0], SessionProfile::newYork());
    EXPECT_EQ(repaired.profiles[1].name, "London");
    EXPECT_EQ(repaired.profiles[1].windows, std::vector<SessionWindow>{window("Open", 3, 6)});
    EXPECT_EQ(repaired.profiles[1].startWeekdays, SessionProfile::london().startWeekdays);
    EXPECT_EQ(repaired.profiles[2], SessionProfile::asia());

    EXPECT_EQ(withProfiles({}).validated().profiles, SessionProfile::defaults());
    // A stored profile without windows passes; a later one of the same name is ignored.
    const auto empty = withProfiles({{"Asia", {}, {}}, {"Asia", {window("Late", 1, 2)}, {}}}).validated();
    EXPECT_TRUE(empty.profiles[2].windows.empty());
}

TEST(AppSettingsRepairTest, WindowsWithAnIssueBringThePresetBack) {
    const auto overlapping =
        withProfiles({{"NY", {window("A", 7, 10), window("B", 9, 11)}, {}}}).validated();
    EXPECT_EQ(overlapping.profiles[0].windows, SessionProfile::newYork().windows);

    const auto zero = withProfiles({{"NY", {window("A", 7, 7)}, {}}}).validated();
    EXPECT_EQ(zero.profiles[0].windows, SessionProfile::newYork().windows);

    std::vector<SessionWindow> nine;
    for (int h = 0; h < 9; ++h) nine.push_back(window("W" + std::to_string(h), h, h + 1));
    const auto cut = withProfiles({{"NY", nine, {}}}).validated();
    EXPECT_EQ(cut.profiles[0].windows, std::vector<SessionWindow>(nine.begin(), nine.begin() + 8));
}

TEST(AppSettingsRepairTest, WindowTimesOutsideTheDayBringThePresetBack) {
    const std::vector<std::pair<WallClockTime, WallClockTime>> cases{
        {{24, 0}, {1, 0}},
        {{9, 0}, {9, 60}},
        {{-1, 0}, {1, 0}},
        {{9, -5}, {10, 0}},
        // 1440 minutes past midnight of 09:00 would read as 09:00 again.
        {{9, 0}, {33, 0}},
        {{std::numeric_limits<std::int64_t>::max() / 60, 7}, {1, 0}},
        {{std::numeric_limits<std::int64_t>::min() / 60, 0}, {1, 0}},
    };
    for (const auto& [start, end] : cases) {
        SCOPED_TRACE(start.text() + "-" + end.text());
        const auto repaired = withProfiles({{"London", {{"Bad", start, end}}, {}}}).validated();
        EXPECT_EQ(repaired.profiles[1], SessionProfile::london());
    }
}

TEST(AppSettingsRepairTest, WindowNamesAreCleanedAndCut) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"   ", "Window"},
        {"", "Window"},
        {letters(30), letters(24)},
        {"\tOpen\nbell ", "Open bell"},
        {"Fed\u200Bwatch", "Fedwatch"},
    };
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored);
        const auto repaired = withProfiles({{"NY", {{stored, {7, 0}, {8, 0}}}, {}}}).validated();
        ASSERT_EQ(repaired.profiles[0].windows.size(), 1u);
        EXPECT_EQ(repaired.profiles[0].windows[0].name, expected);
    }
}

TEST(AppSettingsRepairTest, ActiveProfileAndWeeklyCurrencyFallBack) {
    const std::vector<std::pair<std::string, std::string>> names{{"ny", "NY"}, {"Tokyo", "NY"}, {"Asia", "Asia"}};
    for (const auto& [stored, expected] : names) {
        AppSettings settings;
        settings.activeProfileName = stored;
        EXPECT_EQ(settings.validated().activeProfileName, expected) << stored;
    }
    const std::vector<std::pair<std::string, std::string>> currencies{
        {"eur", "USD"}, {"EU", "USD"}, {"EURO", "USD"}, {"EUR", "EUR"}, {"ÉUR", "USD"}, {"E1R", "USD"}};
    for (const auto& [stored, expected] : currencies) {
        AppSettings settings;
        settings.weeklyCurrency = stored;
        EXPECT_EQ(settings.validated().weeklyCurrency, expected) << stored;
    }
}

TEST(AppSettingsRepairTest, NewsRuleIsSanitized) {
    using SettingsKit::NewsRuleLimits::sanitized;
    const auto repaired = sanitized({{"JPY", "EUR", "usd"}, {NewsImpact::low}, 89, 90, 60});
    EXPECT_EQ(repaired, (TradingCore::NewsRule{{"EUR", "JPY"}, {NewsImpact::high}, 60, 120, 900}));

    const auto medium = sanitized({{}, {NewsImpact::medium, NewsImpact::holiday}, 0, 0, 0});
    EXPECT_EQ(medium.impacts, (std::set<NewsImpact>{NewsImpact::high, NewsImpact::medium}));
    EXPECT_TRUE(medium.currencies.empty());

    std::set<std::string> thirteen;
    for (char c = 'A'; c < 'A' + 13; ++c) thirteen.insert(std::string(3, c));
    const auto cut = sanitized({thirteen, {}, 0, 0, 0});
    EXPECT_EQ(cut.currencies.size(), 12u);
    EXPECT_FALSE(cut.currencies.contains("MMM"));

    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::pair<double, double>> seconds{
        {-30, 0}, {4000, 3600}, {inf, 300}, {-inf, 300}, {std::nan(""), 300}, {1e300, 3600}, {-1e300, 0},
        {90, 120}, {-90, 0}, {3570, 3600}};
    for (const auto& [given, expected] : seconds) {
        EXPECT_EQ(sanitized({{}, {}, given, given, 0}).beforeSeconds, expected) << given;
    }
}

TEST(AppSettingsRepairTest, GreetingHalfSpanAndVersion) {
    AppSettings settings;
    settings.version = 7;
    settings.greeting = {false, "  ", "\tAnamaria Popescu-Ionescu "};
    settings.timelineHalfSpanMinutes = 45;
    const auto repaired = settings.validated();
    EXPECT_EQ(repaired.version, 1);
    EXPECT_EQ(repaired.greeting, (SettingsKit::GreetingSettings{false, "", "Anamaria Popescu-Ion"}));
    EXPECT_EQ(repaired.timelineHalfSpanMinutes, 30);
}

TEST(AppSettingsRepairTest, CustomIntervalsAreRepaired) {
    auto zero = interval("Zero", {10, 0}, {10, 0});
    auto sameID = interval("Kept");
    sameID.id = zero.id;
    auto first = interval("First");
    auto duplicate = interval("Second");
    duplicate.id = first.id;
    auto blank = interval("  ");
    auto longName = interval(letters(20));
    auto noDays = interval("Days");
    noDays.weekdays.clear();
    const auto repaired = AppSettings::validCustoms({zero, sameID, first, duplicate, blank, longName, noDays});
    ASSERT_EQ(repaired.size(), 5u);
    EXPECT_EQ(repaired[0].id, zero.id);
    EXPECT_EQ(repaired[0].name, "Kept");
    EXPECT_EQ(repaired[1].name, "First");
    EXPECT_EQ(repaired[2].name, "Custom");
    EXPECT_EQ(repaired[3].name, letters(14));
    EXPECT_EQ(repaired[4].weekdays, TradingCore::workDays());

    std::vector<CustomInterval> seven;
    for (int i = 0; i < 7; ++i) seven.push_back(interval("I" + std::to_string(i)));
    const auto five = AppSettings::validCustoms(seven);
    EXPECT_EQ(five, std::vector<CustomInterval>(seven.begin(), seven.begin() + 5));
    // Past midnight is fine.
    EXPECT_EQ(AppSettings::validCustoms({interval("Night", {22, 0}, {2, 0})}).size(), 1u);
}

TEST(AppSettingsRepairTest, CustomIntervalsWithTimesOutsideTheDayAreDropped) {
    for (const auto& [start, end] : std::vector<std::pair<WallClockTime, WallClockTime>>{
             {{24, 0}, {1, 0}}, {{10, 0}, {10, 60}}, {{-3, 0}, {1, 0}}, {{34, 0}, {11, 0}},
             {{std::numeric_limits<std::int64_t>::max(), 0}, {1, 0}}}) {
        auto bad = interval("Bad", start, end);
        auto good = interval("Good");
        good.id = bad.id;
        const auto repaired = AppSettings::validCustoms({bad, good});
        ASSERT_EQ(repaired.size(), 1u) << start.text();
        EXPECT_EQ(repaired[0].name, "Good");
    }
}

TEST(AppSettingsRepairTest, DisplayChoicesKeepTheSixteenLowestValidIdentifiers) {
    SettingsKit::DisplaySettings displays;
    displays.choices = {{"", true}, {std::string(65, 'x'), true}, {std::string(64, 'y'), false}};
    EXPECT_EQ(displays.validated().choices, (std::map<std::string, bool>{{std::string(64, 'y'), false}}));

    SettingsKit::DisplaySettings twenty;
    for (int i = 0; i < 20; ++i) twenty.choices["D" + std::to_string(100 + i)] = i % 2 == 0;
    const auto kept = twenty.validated().choices;
    ASSERT_EQ(kept.size(), 16u);
    EXPECT_EQ(kept.begin()->first, "D100");
    EXPECT_EQ(kept.rbegin()->first, "D115");
}

TEST(AppSettingsRepairTest, CleanTextFollowsTheOneRule) {
    struct Case {
        std::string text;
        std::size_t max;
        bool trimmed;
        std::string fallback;
        std::string expected;
    };
    const std::vector<Case> cases{
        {"two\nwords", 20, true, "X", "two words"},
        {"    ", 2, false, "X", "  "},
        {"    ", 2, true, "X", "X"},
        {"", 5, false, "X", ""},
        {"\u200D\uFEFF", 5, true, "X", "X"},
        {"a\u0007b\r\nc", 10, false, "", "ab  c"},
        {" \t ab cd ", 3, true, "", "ab "},
        {"🇷🇴🇷🇴🇷🇴", 2, true, "", "🇷🇴🇷🇴"},
        {"e\u0301e\u0301", 1, true, "", "e\u0301"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AppSettings::cleanText(c.text, c.max, c.trimmed, c.fallback), c.expected) << c.text;
    }
}

TEST(AppSettingsRepairTest, RepairIsIdempotent) {
    AppSettings messy;
    messy.version = 3;
    messy.profiles = {{"London", {window("  Open\t", 3, 6), {"x", {25, 0}, {1, 0}}}, {}},
                      {"NY", {window(letters(40), 1, 2), window("", 2, 3)}, {}}};
    messy.activeProfileName = "Tokyo";
    messy.weeklyCurrency = "gbp";
    messy.newsRule = {{"JPY", "x"}, {NewsImpact::low, NewsImpact::medium}, 4000, -1, 1};
    messy.greeting = {true, " \u200B ", letters(30)};
    messy.timelineHalfSpanMinutes = 7;
    messy.customIntervals = {interval(" \t"), interval(letters(20), {10, 0}, {10, 0}), interval("ok")};
    messy.customIntervals[2].weekdays.clear();
    for (int i = 0; i < 20; ++i) messy.displays.choices["display-" + std::to_string(i)] = true;
    messy.displays.choices[""] = false;

    const AppSettings once = messy.validated();
    EXPECT_EQ(once.validated(), once);
    EXPECT_EQ(AppSettings{}.validated(), AppSettings{});
}
