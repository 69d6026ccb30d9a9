#include <gtest/gtest.h>

#include <limits>

#include "Base/Json.h"
#include "TradingCore/Model/WallClockTime.h"
#include "TradingCore/Model/Weekday.h"

using namespace TradingCore;

TEST(WallClockTime, ParsesAcceptedTexts) {
    struct Case {
        const char* text;
        int hour;
        int minute;
        const char* written;
    };
    for (const Case& c : {Case{"7:05", 7, 5, "07:05"}, Case{"07:05", 7, 5, "07:05"}, Case{"0:00", 0, 0, "00:00"},
                          Case{"23:59", 23, 59, "23:59"}, Case{"12:30", 12, 30, "12:30"}}) {
        SCOPED_TRACE(c.text);
        auto time = WallClockTime::fromText(c.text);
        ASSERT_TRUE(time);
        EXPECT_EQ(*time, WallClockTime(c.hour, c.minute));
        EXPECT_EQ(time->text(), c.written);
    }
}

TEST(WallClockTime, RefusesOtherTexts) {
    for (const char* text :
         {"24:00", "7:5", "7:60", "123:00", "07:05:00", "0705", "7.05", "+7:05", "-1:00", ":05", "7:", " 7:05",
          "7:05 ", "", ":", "7::05", "7:0\xCC\x81", "\xEF\xBC\x97:05", "\xD9\xA7:05", "7:05\r\n", "7:\r\n",
          "a7:05", "07:5a"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(WallClockTime::fromText(text));
    }
}

TEST(WallClockTime, StoresOutOfRangeValuesUnchanged) {
    WallClockTime odd(25, 70);
    EXPECT_EQ(odd.text(), "25:70");
    EXPECT_EQ(odd.minutesSinceMidnight(), 1570);
    EXPECT_EQ(WallClockTime(9, 30).minutesSinceMidnight(), 570);
    constexpr auto big = std::numeric_limits<std::int64_t>::max();
    constexpr auto small = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(WallClockTime(big, 0).minutesSinceMidnight(), big);
    EXPECT_EQ(WallClockTime(small, 0).minutesSinceMidnight(), small);
    EXPECT_EQ(WallClockTime(0, big).minutesSinceMidnight(), big);
    EXPECT_EQ(WallClockTime(big / 60, big).minutesSinceMidnight(), big);
    EXPECT_EQ(WallClockTime(small / 60, small).minutesSinceMidnight(), small);
}

TEST(WallClockTime, JsonReading) {
    struct Case {
        const char* json;
        std::optional<WallClockTime> time;
    };
    for (const Case& c : {
             Case{R"({"hour":7,"minute":5})", WallClockTime(7, 5)},
             Case{R"({"minute":5,"hour":7,"other":"x"})", WallClockTime(7, 5)},
             Case{R"({"hour":25,"minute":-70})", WallClockTime(25, -70)},
             Case{R"({"hour":153722867280912930,"minute":0})", WallClockTime(153722867280912930, 0)},
             Case{R"({"hour":153722867280912931,"minute":0})", std::nullopt},
             Case{R"({"hour":9223372036854775807,"minute":0})", std::nullopt},
             Case{R"({"hour":99999999999999999999,"minute":0})", std::nullopt},
             Case{R"({"hour":true,"minute":0})", std::nullopt},
             Case{R"({"hour":7.5,"minute":0})", std::nullopt},
             Case{R"({"hour":"7","minute":0})", std::nullopt},
             Case{R"({"hour":null,"minute":0})", std::nullopt},
             Case{R"({"hour":7})", std::nullopt},
             Case{R"("07:05")", std::nullopt},
         }) {
        SCOPED_TRACE(c.json);
        auto json = Base::Json::parse(c.json);
        ASSERT_TRUE(json.ok());
        auto time = fromJson<WallClockTime>(*json);
        ASSERT_EQ(time.ok(), c.time.has_value());
        if (c.time) {
            EXPECT_EQ(*time, *c.time);
        }
    }
    EXPECT_EQ(toJson(WallClockTime(7, 5)).dump(), R"({"hour":7,"minute":5})");
}

TEST(Weekday, RawValues) {
    EXPECT_EQ(weekdayFromRaw(1), Weekday::sunday);
    EXPECT_EQ(weekdayFromRaw(7), Weekday::saturday);
    EXPECT_EQ(weekdayFromRaw(0), std::nullopt);
    EXPECT_EQ(weekdayFromRaw(8), std::nullopt);
    EXPECT_EQ(allWeekdays.front(), Weekday::sunday);
    EXPECT_EQ(workDays().size(), 5u);
    EXPECT_FALSE(workDays().contains(Weekday::sunday));
    EXPECT_FALSE(workDays().contains(Weekday::saturday));
}
