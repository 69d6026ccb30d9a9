#include <gtest/gtest.h>

#include <limits>

#include "Base/Json.h"
#include "TestSupport.h"
#include "TradingCore/Model/WallClockTime.h"
#include "TradingCore/Model/Weekday.h"

using namespace TradingCore;

TEST(WallClockTime, Parsing) {
    for (auto [text, written] : {std::pair{"7:05", "07:05"}, {"07:05", "07:05"}, {"0:00", "00:00"}, {"23:59", "23:59"}}) {
        SCOPED_TRACE(text);
        const auto time = WallClockTime::fromText(text);
        ASSERT_TRUE(time);
        EXPECT_EQ(time->text(), written);
    }
    for (const char* text : {"24:00", "7:5", "7:60", "123:00", "07:05:00", "0705", "7.05", "+7:05", "-1:00", ":05",
                             "7:", " 7:05", "7:05 ", "", ":", "7::05", "7:0\xCC\x81", "\xEF\xBC\x97:05", "\xD9\xA7:05",
                             "7:05\r\n", "a7:05"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(WallClockTime::fromText(text));
    }
}

TEST(WallClockTime, OutOfRangeValuesAndJson) {
    constexpr auto big = std::numeric_limits<std::int64_t>::max();
    constexpr auto small = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(WallClockTime(25, 70).text(), "25:70");
    EXPECT_EQ(WallClockTime(25, 70).minutesSinceMidnight(), 1570);
    // Minute counts saturate instead of overflowing.
    EXPECT_EQ(WallClockTime(big, 0).minutesSinceMidnight(), big);
    EXPECT_EQ(WallClockTime(0, big).minutesSinceMidnight(), big);
    EXPECT_EQ(WallClockTime(small / 60, small).minutesSinceMidnight(), small);

    EXPECT_EQ(toJson(WallClockTime(7, 5)).dump().value(), R"({"hour":7,"minute":5})");
    TestSupport::expectReads<WallClockTime>({
        {R"({"minute":5,"hour":7,"other":"x"})", WallClockTime(7, 5)},
        {R"({"hour":25,"minute":-70})", WallClockTime(25, -70)},
        {R"({"hour":153722867280912930,"minute":0})", WallClockTime(153722867280912930, 0)},
        {R"({"hour":153722867280912931,"minute":0})", std::nullopt},  // beyond any minute count
        {R"({"hour":7.5,"minute":0})", std::nullopt},
        {R"({"hour":"7","minute":0})", std::nullopt},
        {R"({"hour":7})", std::nullopt},
        {R"("07:05")", std::nullopt},
    });
    EXPECT_EQ(weekdayFromRaw(7), Weekday::saturday);
    EXPECT_EQ(weekdayFromRaw(0), std::nullopt);
    EXPECT_EQ(weekdayFromRaw(8), std::nullopt);
}
