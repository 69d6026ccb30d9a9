#include <gtest/gtest.h>

#include "Base/Json.h"
#include "TestSupport.h"
#include "TradingCore/Model/CustomInterval.h"
#include "TradingCore/Model/MacroSchedule.h"
#include "TradingCore/Model/SessionProfile.h"

using namespace TradingCore;

namespace {

template <class T>
Base::Result<T> read(const std::string& text) {
    const auto json = Base::Json::parse(text);
    if (!json.ok()) return json.error();
    return fromJson<T>(*json);
}

template <class T>
void expectRoundTrip(const T& value) {
    const auto back = read<T>(toJson(value).dump(true).value());
    ASSERT_TRUE(back.ok()) << back.error().message;
    EXPECT_EQ(*back, value);
}

const std::string kId = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F";

CustomInterval killZone(IntervalColor color = IntervalColor::teal) {
    return CustomInterval{*Base::Uuid::fromText(kId), "Kill zone", {10, 0}, {11, 0}, workDays(), color};
}

}  // namespace

TEST(ModelJson, RoundTripsAndWrittenForms) {
    for (const SessionProfile& profile : SessionProfile::defaults()) expectRoundTrip(profile);
    expectRoundTrip(SessionProfile{"", {{"Odd", {25, -70}, {0, 0}}}, {}});
    expectRoundTrip(MacroSchedule::newYorkDefault());
    expectRoundTrip(MacroSchedule{-3, {}, {Weekday::saturday}});
    expectRoundTrip(killZone(IntervalColor::white));

    EXPECT_EQ(toJson(SessionProfile::newYork().windows[1]).dump().value(),
              R"({"end":{"hour":11,"minute":0},"name":"Opening","start":{"hour":9,"minute":30}})");
    EXPECT_EQ(toJson(killZone()).dump().value(), R"({"color":"teal","end":{"hour":11,"minute":0},"id":")" + kId +
                                             R"(","name":"Kill zone","start":{"hour":10,"minute":0},"weekdays":[2,3,4,5,6]})");
}

TEST(ModelJson, ReadingFailures) {
    const std::string window = R"({"name":"W","start":{"hour":9,"minute":0},"end":{"hour":10,"minute":0}})";
    auto profile = [&](const std::string& weekdays) {
        return R"({"name":"P","windows":[)" + window + R"(],"startWeekdays":)" + weekdays + "}";
    };
    for (const std::string& bad : {profile("[0]"), profile("[8]"), profile("2"),
                                   std::string(R"({"name":"P","windows":[)") + window + "]}",
                                   std::string(R"({"name":null,"windows":[],"startWeekdays":[]})"),
                                   std::string(R"({"name":"P","windows":{},"startWeekdays":[]})"),
                                   std::string(R"({"name":"P","windows":[{"name":"W","start":{"hour":9,"minute":0}}],"startWeekdays":[]})")}) {
        EXPECT_FALSE(read<SessionProfile>(bad).ok()) << bad;
    }
    const auto read23 = read<SessionProfile>(profile("[2,2,3]"));
    ASSERT_TRUE(read23.ok());
    EXPECT_EQ(read23->startWeekdays, (std::set<Weekday>{Weekday::monday, Weekday::tuesday}));

    for (const char* bad : {R"({"aroundHourMinutes":10.5,"named":[],"weekdays":[]})",
                            R"({"aroundHourMinutes":10,"named":[{"name":"L"}],"weekdays":[]})",
                            R"({"aroundHourMinutes":10,"named":[],"weekdays":[9]})", R"({"named":[],"weekdays":[]})"}) {
        EXPECT_FALSE(read<MacroSchedule>(bad).ok()) << bad;
    }
    EXPECT_EQ(*read<MacroSchedule>(R"({"aroundHourMinutes":10,"named":[],"weekdays":[6,2,4]})"),
              *read<MacroSchedule>(R"({"aroundHourMinutes":10,"named":[],"weekdays":[2,4,6,6]})"));
}

TEST(ModelJson, CustomIntervalReading) {
    auto interval = [](const std::string& id, const std::string& rest) {
        return R"({"id":")" + id + R"(","name":"Kill zone","start":{"hour":10,"minute":0},"end":{"hour":11,"minute":0})" +
               rest + "}";
    };
    const std::string days = R"(,"weekdays":[2,3,4,5,6])";
    const auto teal = killZone(IntervalColor::teal), cyan = killZone(IntervalColor::cyan);
    TestSupport::expectReads<CustomInterval>({
        {interval(kId, days + R"(,"color":"teal")"), teal},
        {interval("e621e1f8-c36c-495a-93fc-0c247a3e6e5f", days + R"(,"color":"teal")"), teal},
        {interval(kId, days + R"(,"color":"purple")"), cyan},
        {interval(kId, days + R"(,"color":"Teal")"), cyan},
        {interval(kId, days + R"(,"color":null)"), cyan},
        {interval(kId, days + R"(,"color":3)"), cyan},
        {interval(kId, days), cyan},
        {interval(kId, R"(,"weekdays":[2,3,4,5,8])"), std::nullopt},
        {interval(kId, R"(,"weekdays":[0])"), std::nullopt},
        {interval(kId, R"(,"color":"teal")"), std::nullopt},
        {interval("not-a-uuid", days), std::nullopt},
        {R"({"name":"x","start":{"hour":1,"minute":0},"end":{"hour":2,"minute":0},"weekdays":[]})", std::nullopt},
    });
}
