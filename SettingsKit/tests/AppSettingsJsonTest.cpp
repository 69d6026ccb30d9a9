#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "SettingsKit/AppSettings.h"

using Base::Json;
using SettingsKit::AppSettings;
using SettingsKit::appSettingsFromJson;

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

struct KeyCase {
    std::string key;
    Json wrongType;
};

const std::vector<KeyCase>& requiredKeys() {
    static const std::vector<KeyCase> cases{
        {"version", Json::string("1")},
        {"profiles", Json::object()},
        {"activeProfileName", Json::number(3)},
        {"weeklyCurrency", Json::boolean(true)},
        {"weeklyIncludeMedium", Json::string("false")},
    };
    return cases;
}

const std::vector<KeyCase>& optionalKeys() {
    static const std::vector<KeyCase> cases{
        {"newsRule", Json::array()},
        {"greeting", Json::string("Welcome")},
        {"timelineHalfSpanMinutes", Json::string("60")},
        {"customIntervals", Json::object()},
        {"lunchMacroEnabled", Json::string("true")},
        {"finalMacroEnabled", Json::number(1)},
        {"calculator", Json::array()},
        {"displays", Json::boolean(true)},
    };
    return cases;
}

}  // namespace

TEST(AppSettingsJsonTest, RequiredKeysMissingNullOrWrongTypedRejectTheDocument) {
    for (const auto& [key, wrong] : requiredKeys()) {
        SCOPED_TRACE(key);
        EXPECT_FALSE(appSettingsFromJson(without(defaultDocument(), key)).ok());
        EXPECT_FALSE(appSettingsFromJson(withMember(defaultDocument(), key, Json::null())).ok());
        EXPECT_FALSE(appSettingsFromJson(withMember(defaultDocument(), key, wrong)).ok());
    }
}

TEST(AppSettingsJsonTest, OptionalKeysMissingOrNullTakeTheirDefaultsAndWrongTypedReject) {
    // A document whose optional values all differ from the defaults, so that
    // a fallback is visible.
    AppSettings custom;
    custom.newsRule.beforeSeconds = 600;
    custom.greeting.name = "Ana";
    custom.timelineHalfSpanMinutes = 120;
    custom.customIntervals.push_back({Base::Uuid::random(), "Open", {9, 0}, {10, 0}, TradingCore::workDays(),
                                      TradingCore::IntervalColor::pink});
    custom.lunchMacroEnabled = false;
    custom.finalMacroEnabled = false;
    custom.calculator.instrumentID = "US30";
    custom.displays.choices["DELL-1"] = true;
    const Json document = SettingsKit::toJson(custom);

    for (const auto& [key, wrong] : optionalKeys()) {
        SCOPED_TRACE(key);
        for (const Json& read : {without(document, key), withMember(document, key, Json::null())}) {
            const auto decoded = appSettingsFromJson(read);
            ASSERT_TRUE(decoded.ok()) << decoded.error().message;
            AppSettings expected = custom;
            const AppSettings defaults;
            if (key == "newsRule") expected.newsRule = defaults.newsRule;
            if (key == "greeting") expected.greeting = defaults.greeting;
            if (key == "timelineHalfSpanMinutes") expected.timelineHalfSpanMinutes = 30;
            if (key == "customIntervals") expected.customIntervals.clear();
            if (key == "lunchMacroEnabled") expected.lunchMacroEnabled = true;
            if (key == "finalMacroEnabled") expected.finalMacroEnabled = true;
            if (key == "calculator") expected.calculator = defaults.calculator;
            if (key == "displays") expected.displays = defaults.displays;
            EXPECT_EQ(*decoded, expected);
        }
        EXPECT_FALSE(appSettingsFromJson(withMember(document, key, wrong)).ok());
    }
}

TEST(AppSettingsJsonTest, TheFiveRequiredKeysAloneGiveTheDefaultsForTheRest) {
    AppSettings stored;
    stored.activeProfileName = "London";
    stored.weeklyCurrency = "EUR";
    stored.weeklyIncludeMedium = true;
    Json document = Json::object();
    const Json full = SettingsKit::toJson(stored);
    for (const auto& [key, value] : full.asObject()) {
        if (key == "version" || key == "profiles" || key == "activeProfileName" || key == "weeklyCurrency" ||
            key == "weeklyIncludeMedium") {
            document.set(key, value);
        }
    }
    const auto decoded = appSettingsFromJson(document);
    ASSERT_TRUE(decoded.ok()) << decoded.error().message;
    EXPECT_EQ(*decoded, stored);
}

TEST(AppSettingsJsonTest, HalfSpanOutsideTheStepsReadsAsThirty) {
    const std::vector<std::pair<Json, int>> cases{
        {Json::number(45), 30}, {Json::number(60), 60}, {Json::number(120), 120}, {Json::number(-30), 30},
        {Json::numberText("60.0"), 60}};
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(value.dump());
        const auto decoded = appSettingsFromJson(withMember(defaultDocument(), "timelineHalfSpanMinutes", value));
        ASSERT_TRUE(decoded.ok());
        EXPECT_EQ(decoded->timelineHalfSpanMinutes, expected);
    }
    EXPECT_FALSE(appSettingsFromJson(withMember(defaultDocument(), "timelineHalfSpanMinutes",
                                                Json::numberText("60.5")))
                     .ok());
}

TEST(AppSettingsJsonTest, NestedObjectsRequireTheirKeys) {
    Json greeting = Json::object();
    greeting.set("isEnabled", Json::boolean(true));
    greeting.set("leading", Json::string("Hi"));
    EXPECT_FALSE(appSettingsFromJson(withMember(defaultDocument(), "greeting", greeting)).ok());

    EXPECT_FALSE(appSettingsFromJson(withMember(defaultDocument(), "displays", Json::object())).ok());
    Json displays = Json::object();
    displays.set("choices", Json::object({{"A", Json::string("yes")}}));
    EXPECT_FALSE(appSettingsFromJson(withMember(defaultDocument(), "displays", displays)).ok());
}

TEST(AppSettingsJsonTest, UnknownKeysAreIgnored) {
    const auto decoded = appSettingsFromJson(withMember(defaultDocument(), "theme", Json::string("dark")));
    ASSERT_TRUE(decoded.ok());
    EXPECT_EQ(*decoded, AppSettings{});
}

TEST(AppSettingsJsonTest, TimesOutsideTheDayAreReadAsTheyStand) {
    Json document = defaultDocument();
    Json& window = document.asObject().at("profiles").asArray()[0].asObject().at("windows").asArray()[0];
    window.set("end", Json::object({{"hour", Json::number(int64_t{9'000'000'000})}, {"minute", Json::number(0)}}));
    const auto decoded = appSettingsFromJson(document);
    ASSERT_TRUE(decoded.ok()) << decoded.error().message;
    EXPECT_EQ(decoded->profiles[0].windows[0].end.hour, 9'000'000'000);
}

TEST(AppSettingsJsonTest, TimesBeyondAnyMinuteCountReadAsOutsideTheDay) {
    const Json huge = Json::object({{"hour", Json::number(INT64_MAX)}, {"minute", Json::number(0)}});
    const Json hugeMinute = Json::object({{"hour", Json::number(1)}, {"minute", Json::number(INT64_MAX)}});
    Json document = defaultDocument();
    Json& window = document.asObject().at("profiles").asArray()[1].asObject().at("windows").asArray()[0];
    window.set("start", huge);
    Json custom = TradingCore::toJson(TradingCore::CustomInterval{
        Base::Uuid::random(), "x", {1, 0}, {2, 0}, {TradingCore::Weekday::monday}, TradingCore::IntervalColor::cyan});
    custom.set("end", hugeMinute);
    document.set("customIntervals", Json::array({custom}));

    const auto decoded = appSettingsFromJson(document);
    ASSERT_TRUE(decoded.ok()) << decoded.error().message;
    EXPECT_EQ(decoded->profiles[1].windows[0].start, TradingCore::WallClockTime(24, 0));
    const AppSettings repaired = decoded->validated();
    EXPECT_EQ(repaired.profiles[1], TradingCore::SessionProfile::london());
    EXPECT_TRUE(repaired.customIntervals.empty());

    // Beyond 64 bits there is no integer to read: the document is refused.
    window.set("start", Json::object({{"hour", Json::numberText("99999999999999999999")}, {"minute", Json::number(0)}}));
    EXPECT_FALSE(appSettingsFromJson(document).ok());
}

TEST(AppSettingsJsonTest, WritesEveryKeyAndReadsBackEqual) {
    const Json document = defaultDocument();
    EXPECT_EQ(document.asObject().size(), 13u);
    for (const char* key : {"greeting"}) EXPECT_EQ(document.find(key)->asObject().size(), 3u);
    EXPECT_NE(document.find("displays")->find("choices"), nullptr);

    AppSettings custom;
    custom.customIntervals.push_back({Base::Uuid::random(), "Asia open", {20, 0}, {2, 30},
                                      {TradingCore::Weekday::sunday}, TradingCore::IntervalColor::teal});
    custom.displays.choices = {{"A", true}, {"B", false}};
    custom.greeting = {false, "Hey", ""};
    custom.calculator.riskPercent = Base::Decimal::fromParts(125, -2);
    custom.calculator.recentStops = {Base::Decimal(15), Base::Decimal::fromParts(75, -1)};
    for (const AppSettings& settings : {AppSettings{}, custom}) {
        const auto text = SettingsKit::toJson(settings).dump(true);
        const auto parsed = Json::parse(text);
        ASSERT_TRUE(parsed.ok());
        const auto decoded = appSettingsFromJson(*parsed);
        ASSERT_TRUE(decoded.ok()) << decoded.error().message;
        EXPECT_EQ(*decoded, settings);
    }
}

TEST(AppSettingsTest, ActiveProfileFallsBackToTheBuiltInNewYorkPreset) {
    AppSettings settings;
    settings.profiles[0].windows.clear();  // a stored "NY" with other windows
    settings.activeProfileName = "Tokyo";
    EXPECT_EQ(settings.activeProfile(), TradingCore::SessionProfile::newYork());
    settings.activeProfileName = "London";
    EXPECT_EQ(settings.activeProfile().name, "London");
    settings.activeProfileName = "NY";
    EXPECT_TRUE(settings.activeProfile().windows.empty());
}

TEST(AppSettingsTest, GreetingHasContentOnlyWithMoreThanSpacesAndTabs) {
    EXPECT_FALSE((SettingsKit::GreetingSettings{true, "  ", "\t"}.hasContent()));
    EXPECT_TRUE((SettingsKit::GreetingSettings{false, "", "A"}.hasContent()));
    EXPECT_FALSE((SettingsKit::GreetingSettings{true, "\u00A0", ""}.hasContent()));
}
