#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "SettingsKit/AppSettings.h"

using Base::Json;
using SettingsKit::AppSettings;
using SettingsKit::appSettingsFromJson;
using TradingCore::WallClockTime;

namespace {

Json defaultDocument() { return SettingsKit::toJson(AppSettings{}); }

Json withMember(Json document, const std::string& key, Json value) {
    document.set(key, std::move(value));
    return document;
}

Json without(Json document, const std::string& key) {
    document.asObject().erase(key);
    return document;
}

const Base::Uuid intervalID = Base::Uuid::random();

// Every optional value differs from its default, so that a fallback shows.
AppSettings nonDefaultSettings() {
    AppSettings settings;
    settings.newsRule.beforeSeconds = 600;
    settings.greeting = {false, "Hey", ""};
    settings.timelineHalfSpanMinutes = 120;
    settings.customIntervals.push_back({intervalID, "Asia open", {20, 0}, {2, 30},
                                        {TradingCore::Weekday::sunday}, TradingCore::IntervalColor::teal});
    settings.lunchMacroEnabled = false;
    settings.finalMacroEnabled = false;
    settings.calculator.riskPercent = Base::Decimal::fromParts(125, -2);
    settings.calculator.recentStops = {Base::Decimal(15), Base::Decimal::fromParts(75, -1)};
    settings.displays.choices = {{"A", true}, {"B", false}};
    return settings;
}

}  // namespace

TEST(AppSettingsJsonTest, KeyMatrixOfMissingNullAndWrongTypedValues) {
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

TEST(AppSettingsJsonTest, HalfSpanOutsideTheStepsReadsAsThirty) {
    const std::vector<std::pair<Json, int>> cases{{Json::number(45), 30},
                                                  {Json::number(60), 60},
                                                  {Json::number(-30), 30},
                                                  {Json::numberText("60.0"), 60}};
    for (const auto& [value, expected] : cases) {
        const auto decoded = appSettingsFromJson(withMember(defaultDocument(), "timelineHalfSpanMinutes", value));
        ASSERT_TRUE(decoded.ok()) << value.dump().value();
        EXPECT_EQ(decoded->timelineHalfSpanMinutes, expected) << value.dump().value();
    }
    EXPECT_FALSE(
        appSettingsFromJson(withMember(defaultDocument(), "timelineHalfSpanMinutes", Json::numberText("60.5"))).ok());
}

TEST(AppSettingsJsonTest, NestedObjectsRequireTheirKeys) {
    const Json greeting = Json::object({{"isEnabled", Json::boolean(true)}, {"leading", Json::string("Hi")}});
    EXPECT_FALSE(appSettingsFromJson(withMember(defaultDocument(), "greeting", greeting)).ok());
    EXPECT_FALSE(appSettingsFromJson(withMember(defaultDocument(), "displays", Json::object())).ok());
    const Json displays = Json::object({{"choices", Json::object({{"A", Json::string("yes")}})}});
    EXPECT_FALSE(appSettingsFromJson(withMember(defaultDocument(), "displays", displays)).ok());
}

TEST(AppSettingsJsonTest, TimesOutsideTheDayAreReadWithoutOverflow) {
    auto time = [](Json hour, Json minute) { return Json::object({{"hour", hour}, {"minute", minute}}); };
    Json document = defaultDocument();
    Json& ny = document.asObject().at("profiles").asArray()[0].asObject().at("windows").asArray()[0];
    Json& london = document.asObject().at("profiles").asArray()[1].asObject().at("windows").asArray()[0];
    ny.set("end", time(Json::number(int64_t{9'000'000'000}), Json::number(0)));
    // No minute count fits 64 bits: read as a time outside the day instead.
    london.set("start", time(Json::number(INT64_MAX), Json::number(0)));
    Json custom = TradingCore::toJson(nonDefaultSettings().customIntervals[0]);
    custom.set("end", time(Json::number(1), Json::number(INT64_MAX)));
    document.set("customIntervals", Json::array({custom}));

    const auto decoded = appSettingsFromJson(document);
    ASSERT_TRUE(decoded.ok()) << decoded.error().message;
    EXPECT_EQ(decoded->profiles[0].windows[0].end.hour, 9'000'000'000);
    EXPECT_EQ(decoded->profiles[1].windows[0].start, WallClockTime(24, 0));
    const AppSettings repaired = decoded->validated();
    EXPECT_EQ(repaired.profiles, TradingCore::SessionProfile::defaults());
    EXPECT_TRUE(repaired.customIntervals.empty());

    // Beyond 64 bits there is no integer to read: the document is refused.
    london.set("start", time(Json::numberText("99999999999999999999"), Json::number(0)));
    EXPECT_FALSE(appSettingsFromJson(document).ok());
}

TEST(AppSettingsJsonTest, WritesEveryKeyAndReadsBackEqualIgnoringUnknownKeys) {
    const Json document = defaultDocument();
    EXPECT_EQ(document.asObject().size(), 13u);
    EXPECT_EQ(document.find("greeting")->asObject().size(), 3u);
    EXPECT_NE(document.find("displays")->find("choices"), nullptr);
    for (const AppSettings& settings : {AppSettings{}, nonDefaultSettings()}) {
        const auto parsed = Json::parse(SettingsKit::toJson(settings).dump(true).value());
        ASSERT_TRUE(parsed.ok());
        const auto decoded = appSettingsFromJson(withMember(*parsed, "theme", Json::string("dark")));
        ASSERT_TRUE(decoded.ok()) << decoded.error().message;
        EXPECT_EQ(*decoded, settings);
    }
}

TEST(AppSettingsTest, ActiveProfileAndGreetingContent) {
    AppSettings settings;
    settings.profiles[0].windows.clear();  // a stored "NY" with other windows
    settings.activeProfileName = "Tokyo";
    EXPECT_EQ(settings.activeProfile(), TradingCore::SessionProfile::newYork());
    settings.activeProfileName = "NY";
    EXPECT_TRUE(settings.activeProfile().windows.empty());

    EXPECT_FALSE((SettingsKit::GreetingSettings{true, "  ", "\t"}.hasContent()));
    EXPECT_FALSE((SettingsKit::GreetingSettings{true, "\u00A0", ""}.hasContent()));
    EXPECT_TRUE((SettingsKit::GreetingSettings{false, "", "A"}.hasContent()));
}
