#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "SettingsKit/AppSettings.h"
#include "SettingsKit/tests/ModelFixture.h"

using Base::Json;
using SettingsKit::AppSettings;
using SettingsKit::appSettingsFromJson;
using SettingsKitTesting::window;
using TradingCore::CustomInterval;
using TradingCore::NewsImpact;
using TradingCore::SessionProfile;
using TradingCore::SessionWindow;
using TradingCore::WallClockTime;

namespace {

CustomInterval interval(std::string name, WallClockTime start = {10, 0}, WallClockTime end = {11, 0}) {
    return {Base::Uuid::random(), std::move(name), start, end, TradingCore::workDays(), TradingCore::IntervalColor::cyan};
}

std::vector<SessionProfile> repairedProfiles(std::vector<SessionProfile> stored) {
    AppSettings settings;
    settings.profiles = std::move(stored);
    return settings.validated().profiles;
}

Json defaultDocument() { return SettingsKit::toJson(AppSettings{}); }

Json withMember(Json document, const std::string& key, Json value) {
    document.set(key, std::move(value));
    return document;
}

// Every optional value differs from its default, so that a fallback shows.
AppSettings nonDefaultSettings() {
    AppSettings settings;
    settings.newsRule.beforeSeconds = 600;
    settings.greeting = {false, "Hey", ""};
    settings.timelineHalfSpanMinutes = 120;
    settings.customIntervals = {interval("Asia open", {20, 0}, {2, 30})};
    settings.lunchMacroEnabled = false;
    settings.finalMacroEnabled = false;
    settings.calculator.recentStops = {Base::Decimal(15), Base::Decimal::fromParts(75, -1)};
    settings.displays.choices = {{"A", true}, {"B", false}};
    return settings;
}

}  // namespace

TEST(AppSettingsRepairTest, ProfilesAreTheBuiltInsLendingTheirUsableStoredWindows) {
    const auto repaired = repairedProfiles({{"London", {window("  Open\t", 3, 6)}, {TradingCore::Weekday::saturday}},
                                            {"Tokyo", {}, {}}, {"NY", {window(" " + std::string(30, 'a'), 1, 2)}, {}}});
    SessionProfile london = SessionProfile::london();
    london.windows = {window("Open", 3, 6)};
    SessionProfile ny = SessionProfile::newYork();
    ny.windows = {window(std::string(24, 'a'), 1, 2)};
    EXPECT_EQ(repaired, (std::vector{ny, london, SessionProfile::asia()}));
    EXPECT_EQ(repairedProfiles({}), SessionProfile::defaults());
    EXPECT_EQ(repairedProfiles({{"NY", {window("   ", 1, 2)}, {}}})[0].windows[0].name, "Window");
    // A stored profile without windows passes; a later one of the same name is ignored.
    EXPECT_TRUE(repairedProfiles({{"Asia", {}, {}}, {"Asia", {window("Late", 1, 2)}, {}}})[2].windows.empty());
    std::vector<SessionWindow> nine;
    for (int h = 0; h < 9; ++h) nine.push_back(window("W" + std::to_string(h), h, h + 1));
    EXPECT_EQ(repairedProfiles({{"NY", nine, {}}})[0].windows, std::vector(nine.begin(), nine.begin() + 8));

    // Windows with an issue, or a time outside the day, bring the preset back.
    const std::vector<std::vector<SessionWindow>> broken{
        {window("A", 7, 10), window("B", 9, 11)}, {window("A", 7, 7)},
        {{"Bad", {24, 0}, {1, 0}}},               {{"Bad", {9, 0}, {9, 60}}},
        {{"Bad", {-1, 0}, {1, 0}}},               {{"Bad", {9, -5}, {10, 0}}},
        {{"Bad", {9, 0}, {33, 0}}},  // 1440 minutes past 09:00 would read as 09:00 again
        {{"Bad", {std::numeric_limits<std::int64_t>::max() / 60, 7}, {1, 0}}},
    };
    for (std::size_t i = 0; i < broken.size(); ++i) {
        EXPECT_EQ(repairedProfiles({{"NY", broken[i], {}}})[0], SessionProfile::newYork()) << i;
    }
}

TEST(AppSettingsRepairTest, ActiveProfileAndWeeklyCurrencyFallBack) {
    const std::tuple<std::string AppSettings::*, std::string, std::string> cases[] = {
        {&AppSettings::activeProfileName, "ny", "NY"},  {&AppSettings::activeProfileName, "Tokyo", "NY"},
        {&AppSettings::activeProfileName, "Asia", "Asia"}, {&AppSettings::weeklyCurrency, "eur", "USD"},
        {&AppSettings::weeklyCurrency, "EU", "USD"},    {&AppSettings::weeklyCurrency, "EURO", "USD"},
        {&AppSettings::weeklyCurrency, "EUR", "EUR"},   {&AppSettings::weeklyCurrency, "ÉUR", "USD"},
        {&AppSettings::weeklyCurrency, "E1R", "USD"},
    };
    for (const auto& [field, stored, repaired] : cases) {
        AppSettings settings;
        settings.*field = stored;
        EXPECT_EQ(settings.validated().*field, repaired) << stored;
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
        EXPECT_EQ(sanitized({{}, {}, given, 0, 0}).beforeSeconds, expected) << given;
    }
}

TEST(AppSettingsRepairTest, CustomIntervalsAreRepaired) {
    // A dropped interval claims no id; of two with one id the first is kept; at most five.
    auto zero = interval("Zero", {10, 0}, {10, 0});
    auto sameIDAsZero = interval("Kept");
    sameIDAsZero.id = zero.id;
    auto first = interval("First", {22, 0}, {2, 0});  // past midnight is fine
    auto duplicate = interval("Second");
    duplicate.id = first.id;
    auto outsideDay = interval("Late", {24, 0}, {1, 0});
    auto sameIDAsOutside = interval("  ");
    sameIDAsOutside.id = outsideDay.id;
    auto endOutsideDay = interval("Late", {10, 0}, {10, 60});
    auto noDays = interval(std::string(20, 'a'));
    noDays.weekdays.clear();
    const auto sixth = interval("Sixth");
    std::vector<CustomInterval> expected{sameIDAsZero, first, sameIDAsOutside, noDays, sixth};
    expected[2].name = "Custom";
    expected[3].name = std::string(14, 'a');
    expected[3].weekdays = TradingCore::workDays();
    EXPECT_EQ(AppSettings::validCustoms({zero, sameIDAsZero, first, duplicate, outsideDay, sameIDAsOutside,
                                         endOutsideDay, noDays, sixth, interval("Seventh")}),
              expected);
}

TEST(AppSettingsRepairTest, DisplayChoicesAndTexts) {
    SettingsKit::DisplaySettings displays;
    displays.choices = {{"", true}, {std::string(65, 'x'), true}, {std::string(64, 'y'), false}};
    EXPECT_EQ(displays.validated().choices, (std::map<std::string, bool>{{std::string(64, 'y'), false}}));
    for (int i = 0; i < 20; ++i) displays.choices["D" + std::to_string(100 + i)] = i % 2 == 0;
    const auto kept = displays.validated().choices;
    ASSERT_EQ(kept.size(), 16u);
    EXPECT_EQ(kept.begin()->first, "D100");
    EXPECT_EQ(kept.rbegin()->first, "D115");

    // The cleaning rule itself is Base's; these are the settings' own ends of it.
    const std::tuple<std::string, std::size_t, bool, std::string> cases[] = {
        {"two\nwords", 20, true, "two words"}, {"    ", 2, false, "  "}, {"    ", 2, true, "X"},
        {"", 5, false, ""},                      {"\u200D\uFEFF", 5, true, "X"}, {" \t ab cd ", 3, true, "ab "},
    };
    for (const auto& [text, max, trimmed, expected] : cases) {
        EXPECT_EQ(AppSettings::cleanText(text, max, trimmed, "X"), expected) << text;
    }
    EXPECT_FALSE((SettingsKit::GreetingSettings{true, "  ", "\t"}.hasContent()));
    EXPECT_FALSE((SettingsKit::GreetingSettings{true, "\u00A0", ""}.hasContent()));
    EXPECT_TRUE((SettingsKit::GreetingSettings{false, "", "A"}.hasContent()));
}

TEST(AppSettingsRepairTest, RepairFixesTheRestAndIsIdempotent) {
    AppSettings messy;
    messy.version = 3;
    messy.profiles = {{"London", {window("  Open\t", 3, 6), {"x", {25, 0}, {1, 0}}}, {}}, {"NY", {window("", 2, 3)}, {}}};
    messy.newsRule = {{"JPY", "x"}, {NewsImpact::low, NewsImpact::medium}, 4000, -1, 1};
    messy.greeting = {false, " \u200B ", "\tAnamaria Popescu-Ionescu "};
    messy.timelineHalfSpanMinutes = 45;
    messy.customIntervals = {interval(" \t"), interval(std::string(20, 'a'), {10, 0}, {10, 0}), interval("ok")};
    for (int i = 0; i < 20; ++i) messy.displays.choices["display-" + std::to_string(i)] = true;
    const AppSettings once = messy.validated();
    EXPECT_EQ(once.version, 1);
    EXPECT_EQ(once.greeting, (SettingsKit::GreetingSettings{false, "", "Anamaria Popescu-Ion"}));
    EXPECT_EQ(once.timelineHalfSpanMinutes, 30);
    EXPECT_EQ(once.validated(), once);
    EXPECT_EQ(AppSettings{}.validated(), AppSettings{});
}

TEST(AppSettingsJsonTest, KeyMatrixOfMissingNullAndWrongTypedValues) {
    const auto without = [](Json document, const std::string& key) {
        document.asObject().erase(key);
        return document;
    };
    const std::vector<std::pair<std::string, Json>> required{
        {"version", Json::string("1")},         {"profiles", Json::object()},
        {"activeProfileName", Json::number(3)}, {"weeklyCurrency", Json::boolean(true)},
        {"weeklyIncludeMedium", Json::string("false")}};
    for (const auto& [key, wrong] : required) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(appSettingsFromJson(without(defaultDocument(), key)).ok());
        EXPECT_FALSE(appSettingsFromJson(withMember(defaultDocument(), key, Json::null())).ok());
        EXPECT_FALSE(appSettingsFromJson(withMember(defaultDocument(), key, wrong)).ok());
    }

    const std::vector<std::pair<std::string, Json>> optional{
        {"newsRule", Json::array()},           {"greeting", Json::string("Welcome")},
        {"timelineHalfSpanMinutes", Json::string("60")}, {"customIntervals", Json::object()},
        {"lunchMacroEnabled", Json::string("true")},     {"finalMacroEnabled", Json::number(1)},
        {"calculator", Json::array()},         {"displays", Json::boolean(true)}};
    const Json document = SettingsKit::toJson(nonDefaultSettings());
    for (const auto& [key, wrong] : optional) {
        SCOPED_TRACE(key);
        // Absent or null reads exactly like the default value written out.
        const auto expected = appSettingsFromJson(withMember(document, key, *defaultDocument().find(key)));
        ASSERT_TRUE(expected.ok());
        EXPECT_NE(*expected, nonDefaultSettings());
        for (const Json& read : {without(document, key), withMember(document, key, Json::null())}) {
            const auto decoded = appSettingsFromJson(read);
            ASSERT_TRUE(decoded.ok()) << decoded.error().message;
            EXPECT_EQ(*decoded, *expected);
        }
        EXPECT_FALSE(appSettingsFromJson(withMember(document, key, wrong)).ok());
    }
}

TEST(AppSettingsJsonTest, RoundTripsNestedObjectsRequireTheirKeysAndAnOffStepHalfSpanReadsAsThirty) {
    for (const AppSettings& settings : {AppSettings{}, nonDefaultSettings()}) {
        const auto parsed = Json::parse(SettingsKit::toJson(settings).dump(true).value());
        const auto decoded = appSettingsFromJson(withMember(parsed.value(), "theme", Json::string("dark")));
        ASSERT_TRUE(decoded.ok()) << decoded.error().message;
        EXPECT_EQ(*decoded, settings);
    }
    const Json greeting = Json::object({{"isEnabled", Json::boolean(true)}, {"leading", Json::string("Hi")}});
    EXPECT_FALSE(appSettingsFromJson(withMember(defaultDocument(), "greeting", greeting)).ok());
    EXPECT_FALSE(appSettingsFromJson(withMember(defaultDocument(), "displays", Json::object())).ok());
    const Json displays = Json::object({{"choices", Json::object({{"A", Json::string("yes")}})}});
    EXPECT_FALSE(appSettingsFromJson(withMember(defaultDocument(), "displays", displays)).ok());
    for (const auto& [minutes, read] : {std::pair{45, 30}, {60, 60}}) {
        const Json document = withMember(defaultDocument(), "timelineHalfSpanMinutes", Json::number(minutes));
        EXPECT_EQ(appSettingsFromJson(document).value().timelineHalfSpanMinutes, read);
    }
}

TEST(AppSettingsJsonTest, TimesOutsideTheDayAreReadWithoutOverflow) {
    auto time = [](Json hour, Json minute) { return Json::object({{"hour", hour}, {"minute", minute}}); };
    Json document = defaultDocument();
    Json& london = document.asObject().at("profiles").asArray()[1].asObject().at("windows").asArray()[0];
    // No minute count fits 64 bits: read as a time outside the day instead.
    london.set("start", time(Json::number(INT64_MAX), Json::number(0)));
    Json custom = TradingCore::toJson(nonDefaultSettings().customIntervals[0]);
    custom.set("end", time(Json::number(1), Json::number(INT64_MAX)));
    document.set("customIntervals", Json::array({custom}));

    const auto decoded = appSettingsFromJson(document);
    ASSERT_TRUE(decoded.ok()) << decoded.error().message;
    EXPECT_EQ(decoded->profiles[1].windows[0].start, WallClockTime(24, 0));
    const AppSettings repaired = decoded->validated();
    EXPECT_EQ(repaired.profiles, TradingCore::SessionProfile::defaults());
    EXPECT_TRUE(repaired.customIntervals.empty());

    // Beyond 64 bits there is no integer to read: the document is refused.
    london.set("start", time(Json::numberText("99999999999999999999"), Json::number(0)));
    EXPECT_FALSE(appSettingsFromJson(document).ok());
}
