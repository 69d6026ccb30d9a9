#include "Base/Calendar.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using Base::Calendar;
using Base::Date;
using Base::TimeZone;

namespace {

Calendar newYork() { return Calendar(*TimeZone::named("America/New_York")); }
Date utc(int y, int mo, int d, int h, int mi) { return *Calendar(TimeZone::utc()).date(y, mo, d, h, mi); }

}  // namespace

TEST(TimeZoneTest, UnknownNamesGiveNoZone) {
    EXPECT_FALSE(TimeZone::named("America/Nowhere") || TimeZone::named(""));
    EXPECT_EQ(TimeZone::named("America/New_York")->identifier(), "America/New_York");
}

TEST(CalendarTest, DaysAreCalendarDaysNot24Hours) {
    const auto cal = newYork();
    const Date springDay = *cal.date(2026, 3, 8);
    const Date fallDay = *cal.date(2026, 11, 1);
    EXPECT_EQ(*cal.startOfDay(springDay, 1) - springDay, 23 * 3600.0);
    EXPECT_EQ(*cal.startOfDay(fallDay, 1) - fallDay, 25 * 3600.0);
    EXPECT_EQ(*cal.startOfDay(springDay + 20 * 3600), springDay);
    EXPECT_EQ(*cal.startOfDay(*cal.date(2026, 12, 31), 1), *cal.date(2027, 1, 1));
}

TEST(CalendarTest, StartOfHourInsideTheRepeatedHourIsThatHoursOwnStart) {
    const auto cal = newYork();
    const Date secondOneThirty = utc(2026, 11, 1, 6, 30);
    EXPECT_EQ(*cal.startOfHour(secondOneThirty), utc(2026, 11, 1, 6, 0));
    EXPECT_EQ(*cal.startOfHour(utc(2026, 11, 1, 5, 59)), utc(2026, 11, 1, 5, 0));
}

TEST(CalendarTest, WeekdaysAndWeeksStartOnSunday) {
    const auto cal = newYork();
    const Date monday = *cal.date(2024, 1, 1, 12);
    EXPECT_EQ(cal.weekday(monday), 2);
    EXPECT_EQ(*cal.startOfWeek(monday), *cal.date(2023, 12, 31));
    // 02:00 UTC on Sunday 2026-03-08 is Saturday evening in New York.
    const Date saturdayEvening = utc(2026, 3, 8, 2, 0);
    EXPECT_EQ(cal.weekday(saturdayEvening), 7);
    EXPECT_EQ(*cal.startOfWeek(saturdayEvening), *cal.date(2026, 3, 1));
    EXPECT_EQ(cal.components(saturdayEvening), (Base::DateComponents{2026, 3, 7, 21, 0, 0, 7}));
}

TEST(CalendarTest, SkippedWallTimesMoveAfterTheGapRepeatedOnesTakeTheFirst) {
    const auto cal = newYork();
    // 2026-03-08 02:30 does not exist in New York: 03:00 EDT is 07:00 UTC.
    for (int minute : {10, 30}) EXPECT_EQ(*cal.date(2026, 3, 8, 2, minute), utc(2026, 3, 8, 7, 0));
    EXPECT_EQ(*cal.date(2026, 3, 8, 3), utc(2026, 3, 8, 7, 0));
    // 01:30 happens at 05:30 UTC (EDT) and again at 06:30 UTC (EST).
    EXPECT_EQ(*cal.date(2026, 11, 1, 1, 30), utc(2026, 11, 1, 5, 30));
}

TEST(CalendarTest, UnrepresentableDatesGiveNothing) {
    const auto cal = newYork();
    EXPECT_FALSE(cal.startOfDay(Date(1e300)));
    EXPECT_FALSE(cal.startOfHour(Date(std::numeric_limits<double>::quiet_NaN())));
}

TEST(CalendarTest, CopiesAreIndependent) {
    const auto a = newYork();
    Calendar b = a;
    b = Calendar(TimeZone::utc());
    EXPECT_EQ(a.timeZone().identifier(), "America/New_York");
    EXPECT_EQ(*b.date(1970, 1, 1), Date(0));
}

TEST(CalendarTest, OneSharedInstanceAnswersTwoThreadsAlike) {
    const Calendar cal = newYork();
    // Instants three hours and a bit apart over two years; each thread asks
    // the same questions in its own order and must hear the answers given
    // to one thread alone.
    std::vector<Date> instants;
    for (int i = 0; i < 5000; ++i) instants.push_back(utc(2025, 1, 1, 0, 0) + i * 11'111.0);
    struct Answer {
        std::optional<Date> week;
        std::optional<Date> day;
        Base::DateComponents parts;
        bool operator==(const Answer&) const = default;
    };
    const auto ask = [&](Date instant) {
        return Answer{cal.startOfWeek(instant), cal.startOfDay(instant, 1), cal.components(instant)};
    };
    std::vector<Answer> expected;
    for (Date instant : instants) expected.push_back(ask(instant));
    int wrong[2] = {0, 0};
    const auto worker = [&](int index) {
        for (std::size_t n = 0; n < instants.size(); ++n) {
            const std::size_t i = index == 0 ? n : instants.size() - 1 - n;
            if (!(ask(instants[i]) == expected[i])) ++wrong[index];
        }
    };
    std::thread first(worker, 0);
    std::thread second(worker, 1);
    first.join();
    second.join();
    EXPECT_EQ(wrong[0] + wrong[1], 0);
}
