#include <gtest/gtest.h>

#include "Base/Json.h"
#include "TradingCore/Model/CustomInterval.h"
#include "TradingCore/Model/MacroSchedule.h"
#include "TradingCore/Model/SessionProfile.h"
#include "TradingCore/Model/TimingConfiguration.h"

using namespace TradingCore;

namespace {

Base::Json parse(const std::string& text) {
    auto json = Base::Json::parse(text);
    EXPECT_TRUE(json.ok()) << text;
    return json.ok() ? *json : Base::Json();
}

template <class T>
void expectRoundTrip(const T& value) {
    auto direct = fromJson<T>(toJson(value));
    ASSERT_TRUE(direct.ok()) << direct.error().message;
    EXPECT_EQ(*direct, value);
    auto reparsed = fromJson<T>(parse(toJson(value).dump(true)));
    ASSERT_TRUE(reparsed.ok()) << reparsed.error().message;
    EXPECT_EQ(*reparsed, value);
}

const char* kId = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F";

CustomInterval killZone() {
    return CustomInterval{*Base::Uuid::fromText(kId), "Kill zone", {10, 0}, {11, 0}, workDays(), IntervalColor::teal};
}

}  // namespace

TEST(ModelJson, RoundTrips) {
    for (const SessionProfile& profile : SessionProfile::defaults()) expectRoundTrip(profile);
    expectRoundTrip(SessionProfile{"", {}, {}});
    expectRoundTrip(SessionWindow{"Odd", {25, -70}, {0, 0}});
    expectRoundTrip(MacroSchedule::newYorkDefault());
    expectRoundTrip(MacroSchedule{-3, {}, {Weekday::saturday}});
    expectRoundTrip(NamedMacro::lunch());
    expectRoundTrip(killZone());
    for (IntervalColor color : allIntervalColors) {
        CustomInterval interval = killZone();
        interval.color = color;
        expectRoundTrip(interval);
    }
}

TEST(ModelJson, WrittenForms) {
    EXPECT_EQ(toJson(SessionProfile::newYork().windows[1]).dump(),
              R"({"end":{"hour":11,"minute":0},"name":"Opening","start":{"hour":9,"minute":30}})");
    EXPECT_EQ(toJson(killZone()).dump(),
              std::string(R"({"color":"teal","end":{"hour":11,"minute":0},"id":")") + kId +
                  R"(","name":"Kill zone","start":{"hour":10,"minute":0},"weekdays":[2,3,4,5,6]})");
}

TEST(ModelJson, SessionProfileReading) {
    const std::string window = R"({"name":"W","start":{"hour":9,"minute":0},"end":{"hour":10,"minute":0}})";
    struct Case {
        std::string json;
        bool ok;
    };
    for (const Case& c : {
             Case{R"({"name":"P","windows":[)" + window + R"(],"startWeekdays":[2,2,3],"x":1})", true},
             Case{R"({"name":"P","windows":[],"startWeekdays":[]})", true},
             Case{R"({"name":"P","windows":[)" + window + R"(],"startWeekdays":[0]})", false},
             Case{R"({"name":"P","windows":[)" + window + R"(],"startWeekdays":[8]})", false},
             Case{R"({"name":"P","windows":[)" + window + R"(],"startWeekdays":[2.5]})", false},
             Case{R"({"name":"P","windows":[)" + window + R"(]})", false},
             Case{R"({"name":null,"windows":[],"startWeekdays":[]})", false},
             Case{R"({"name":"P","windows":{},"startWeekdays":[]})", false},
             Case{R"({"name":"P","windows":[{"name":"W","start":{"hour":9,"minute":0}}],"startWeekdays":[]})", false},
             Case{R"({"name":"P","windows":[{"name":"W","start":{"hour":true,"minute":0},"end":{"hour":1,"minute":0}}],"startWeekdays":[]})",
                  false},
         }) {
        SCOPED_TRACE(c.json);
        EXPECT_EQ(fromJson<SessionProfile>(parse(c.json)).ok(), c.ok);
    }
    auto profile = fromJson<SessionProfile>(parse(R"({"name":"P","windows":[],"startWeekdays":[2,2,3]})"));
    ASSERT_TRUE(profile.ok());
    EXPECT_EQ(profile->startWeekdays, (std::set<Weekday>{Weekday::monday, Weekday::tuesday}));
}

TEST(ModelJson, CustomIntervalReading) {
    auto withMembers = [](const std::string& members) {
        return std::string(R"({"id":")") + kId + R"(","name":"Kill zone","start":{"hour":10,"minute":0},)" +
               R"("end":{"hour":11,"minute":0})" + members + "}";
    };
    struct Case {
        std::string json;
        std::optional<IntervalColor> color;  // nullopt: the record fails
    };
    for (const Case& c : {
             Case{withMembers(R"(,"weekdays":[2,3,4,5,6],"color":"teal")"), IntervalColor::teal},
             Case{withMembers(R"(,"weekdays":[2,3,4,5,6],"color":"purple")"), IntervalColor::cyan},
             Case{withMembers(R"(,"weekdays":[2,3,4,5,6],"color":"Teal")"), IntervalColor::cyan},
             Case{withMembers(R"(,"weekdays":[2,3,4,5,6],"color":null)"), IntervalColor::cyan},
             Case{withMembers(R"(,"weekdays":[2,3,4,5,6],"color":3)"), IntervalColor::cyan},
             Case{withMembers(R"(,"weekdays":[2,3,4,5,6])"), IntervalColor::cyan},
             Case{withMembers(R"(,"weekdays":[2,3,4,5,8],"color":"teal")"), std::nullopt},
             Case{withMembers(R"(,"weekdays":[0],"color":"teal")"), std::nullopt},
             Case{withMembers(R"(,"color":"teal")"), std::nullopt},
             Case{R"({"id":"not-a-uuid","name":"x","start":{"hour":1,"minute":0},"end":{"hour":2,"minute":0},"weekdays":[]})",
                  std::nullopt},
             Case{R"({"name":"x","start":{"hour":1,"minute":0},"end":{"hour":2,"minute":0},"weekdays":[]})",
                  std::nullopt},
         }) {
        SCOPED_TRACE(c.json);
        auto interval = fromJson<CustomInterval>(parse(c.json));
        ASSERT_EQ(interval.ok(), c.color.has_value()) << (interval.ok() ? "" : interval.error().message);
        if (!interval.ok()) continue;
        CustomInterval expected = killZone();
        expected.color = *c.color;
        EXPECT_EQ(*interval, expected);
    }
    auto lower = fromJson<CustomInterval>(parse(std::string(R"({"id":"e621e1f8-c36c-495a-93fc-0c247a3e6e5f","name":"x",)") +
                                                R"("start":{"hour":1,"minute":0},"end":{"hour":2,"minute":0},"weekdays":[]})"));
    ASSERT_TRUE(lower.ok());
    EXPECT_EQ(lower->id.text(), kId);
}

TEST(ModelJson, MacroScheduleReading) {
    auto a = fromJson<MacroSchedule>(parse(R"({"aroundHourMinutes":10,"named":[],"weekdays":[6,2,4]})"));
    auto b = fromJson<MacroSchedule>(parse(R"({"aroundHourMinutes":10,"named":[],"weekdays":[2,4,6,6]})"));
    ASSERT_TRUE(a.ok() && b.ok());
    EXPECT_EQ(*a, *b);
    for (const char* bad : {R"({"aroundHourMinutes":10.5,"named":[],"weekdays":[]})",
                            R"({"aroundHourMinutes":10,"named":[{"name":"L"}],"weekdays":[]})",
                            R"({"aroundHourMinutes":10,"named":[],"weekdays":[9]})",
                            R"({"named":[],"weekdays":[]})"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(fromJson<MacroSchedule>(parse(bad)).ok());
    }
}

TEST(MacroSchedule, Presets) {
    EXPECT_EQ(MacroSchedule::newYork(false, false), (MacroSchedule{10, {}, workDays()}));
    EXPECT_EQ(MacroSchedule::newYork(false, true), (MacroSchedule{10, {NamedMacro::finalHour()}, workDays()}));
    EXPECT_EQ(MacroSchedule::newYork(true, true), MacroSchedule::newYorkDefault());
    EXPECT_EQ(MacroSchedule::newYorkDefault().named.front(), (NamedMacro{"Lunch Macro", {11, 30}, {13, 30}}));
    EXPECT_EQ(NamedMacro::finalHour(), (NamedMacro{"Final Macro", {15, 15}, {15, 45}}));
}

TEST(CustomInterval, ValidTimesAndEquality) {
    CustomInterval interval = killZone();
    EXPECT_TRUE(interval.hasValidTimes());
    interval.end = interval.start;
    EXPECT_FALSE(interval.hasValidTimes());
    interval.start = {22, 0};
    interval.end = {2, 0};
    EXPECT_TRUE(interval.hasValidTimes());
    CustomInterval other = killZone();
    other.color = IntervalColor::white;
    EXPECT_NE(other, killZone());
}

TEST(TimingConfiguration, Defaults) {
    TimingConfiguration memberwise{
        SessionProfile{"NY",
                       {{"Pre-session", {7, 0}, {9, 30}}, {"Opening", {9, 30}, {11, 0}}},
                       {Weekday::friday, Weekday::monday, Weekday::tuesday, Weekday::wednesday, Weekday::thursday}},
        MacroSchedule{10, {NamedMacro::lunch(), NamedMacro::finalHour()}, workDays()},
        NewsRule{{"USD"}, {NewsImpact::high}, 300, 300, 900},
        {},
        *Base::TimeZone::named("America/New_York"),
        10, 10, 120, 1800, 300,
    };
    EXPECT_EQ(TimingConfiguration::newYorkDefault(), memberwise);

    TimingConfiguration changed = TimingConfiguration::newYorkDefault();
    changed.customLeadSeconds = 301;
    EXPECT_NE(changed, memberwise);
    changed.profile.name = "Changed";
    EXPECT_EQ(TimingConfiguration::newYorkDefault(), memberwise);

    TimingConfiguration a = memberwise;
    TimingConfiguration b = memberwise;
    CustomInterval first = killZone();
    CustomInterval second = killZone();
    second.id = Base::Uuid::random();
    a.customs = {first, second};
    b.customs = {second, first};
    EXPECT_NE(a, b);
}
