#include <gtest/gtest.h>

#include "TestSupport.h"
#include "TradingCore/Evaluation/ScheduleBuilder.h"
#include "TradingCore/Evaluation/TimingEvaluator.h"

using namespace TradingCore;
using TestSupport::ny;
using TestSupport::utc;

namespace {

ScheduleBuilder newYorkBuilder() { return ScheduleBuilder(Base::Calendar(MarketTimeZone::newYork())); }

const std::set<Weekday> everyDay(allWeekdays.begin(), allWeekdays.end());

}  // namespace

// 2026-03-08 and 2026-11-01 are the Sundays on which New York daylight saving time begins and ends.
TEST(ScheduleBuilder, DaylightSavingDays) {
    const ScheduleBuilder builder = newYorkBuilder();
    const Span springDay{ny(2026, 3, 8), ny(2026, 3, 9)};
    const Span fallDay{ny(2026, 11, 1), ny(2026, 11, 2)};
    struct Case {
        const char* label;
        WallClockTime start;
        WallClockTime end;
        Span within;
        std::vector<Span> expected;
    };
    const std::vector<Case> cases = {
        {"skipped start moves to 03:00", {2, 30}, {4, 0}, springDay, {{utc(2026, 3, 8, 7), utc(2026, 3, 8, 8)}}},
        {"wholly skipped window is empty at 03:00", {2, 10}, {2, 50}, springDay,
         {{utc(2026, 3, 8, 7), utc(2026, 3, 8, 7)}}},
        {"empty span not kept at the edge", {2, 10}, {2, 50}, Span{ny(2026, 3, 8, 3), ny(2026, 3, 8, 4)}, {}},
        {"repeated start takes the first 01:30", {1, 30}, {3, 0}, fallDay,
         {{utc(2026, 11, 1, 5, 30), utc(2026, 11, 1, 8)}}},
        {"equal start and end runs 23 hours", {1, 0}, {1, 0}, springDay,
         {{utc(2026, 3, 8, 6), utc(2026, 3, 9, 5)}}},
        {"equal start and end runs 25 hours", {0, 30}, {0, 30}, fallDay,
         {{utc(2026, 11, 1, 4, 30), utc(2026, 11, 2, 5, 30)}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(builder.daily(c.start, c.end, everyDay, c.within), c.expected);
    }
    const auto equal = builder.daily({1, 0}, {1, 0}, everyDay, springDay);
    ASSERT_EQ(equal.size(), 1u);
    EXPECT_EQ(equal[0].end - equal[0].start, 23 * 3600);
}

TEST(ScheduleBuilder, HourlyMacrosAcrossDaylightSaving) {
    const ScheduleBuilder builder = newYorkBuilder();
    const std::set<Weekday> sunday{Weekday::sunday};
    const Base::Calendar calendar(MarketTimeZone::newYork());
    auto hoursReading = [&](const std::vector<Span>& spans, int hour) {
        int count = 0;
        for (const Span& span : spans) count += calendar.components(span.start + 600.0).hour == hour ? 1 : 0;
        return count;
    };
    const auto fall = builder.hourlyMacros(10, sunday, Span{ny(2026, 11, 1), ny(2026, 11, 1, 4)});
    EXPECT_EQ(hoursReading(fall, 1), 2);
    std::vector<Span> ones;
    for (const Span& span : fall) {
        if (calendar.components(span.start + 600.0).hour == 1) ones.push_back(span);
    }
    ASSERT_EQ(ones.size(), 2u);
    EXPECT_EQ(ones[1].start - ones[0].start, 3600);
    EXPECT_EQ(ones[0].start + 600.0, utc(2026, 11, 1, 5));

    const auto spring = builder.hourlyMacros(10, sunday, Span{ny(2026, 3, 8), ny(2026, 3, 8, 5)});
    EXPECT_EQ(hoursReading(spring, 2), 0);
    EXPECT_EQ(hoursReading(spring, 1), 1);
    EXPECT_EQ(hoursReading(spring, 3), 1);
}

TEST(ScheduleBuilder, DailyWalk) {
    const ScheduleBuilder builder = newYorkBuilder();
    // 2026-01-11 is a Sunday.
    const std::set<Weekday> sundayToThursday{Weekday::sunday, Weekday::monday, Weekday::tuesday, Weekday::wednesday,
                                             Weekday::thursday};
    struct Case {
        const char* label;
        WallClockTime start;
        WallClockTime end;
        std::set<Weekday> weekdays;
        Span within;
        std::vector<Span> expected;
    };
    const std::vector<Case> cases = {
        {"evening to midnight", {20, 0}, {0, 0}, sundayToThursday, Span{ny(2026, 1, 11), ny(2026, 1, 12)},
         {{ny(2026, 1, 11, 20), ny(2026, 1, 12)}}},
        {"no start on Friday or Saturday", {20, 0}, {0, 0}, sundayToThursday, Span{ny(2026, 1, 16), ny(2026, 1, 18)}, {}},
        {"Friday night runs into Saturday", {22, 0}, {2, 0}, {Weekday::friday}, Span{ny(2026, 1, 16, 12), ny(2026, 1, 17, 12)},
         {{ny(2026, 1, 16, 22), ny(2026, 1, 17, 2)}}},
        {"no look back to the previous day", {22, 0}, {2, 0}, {Weekday::friday}, Span{ny(2026, 1, 17, 1), ny(2026, 1, 17, 12)},
         {}},
        {"ends at within.start: not kept", {7, 0}, {9, 30}, workDays(), Span{ny(2026, 1, 14, 9, 30), ny(2026, 1, 14, 12)}, {}},
        {"starts at within.end: not kept", {7, 0}, {9, 30}, workDays(), Span{ny(2026, 1, 14, 6), ny(2026, 1, 14, 7)}, {}},
        {"within.end at midnight: that day not visited", {0, 0}, {1, 0}, everyDay, Span{ny(2026, 1, 13, 12), ny(2026, 1, 14)},
         {}},
        {"within ending before its day", {9, 0}, {10, 0}, everyDay, Span{ny(2026, 1, 14, 9), ny(2026, 1, 13)}, {}},
        {"empty weekdays", {9, 0}, {10, 0}, {}, Span{ny(2026, 1, 12), ny(2026, 1, 19)}, {}},
        {"hours out of range give nothing", {25, 0}, {26, 0}, everyDay, Span{ny(2026, 1, 12), ny(2026, 1, 19)}, {}},
        {"minutes out of range give nothing", {9, -1}, {10, 0}, everyDay, Span{ny(2026, 1, 12), ny(2026, 1, 13)}, {}},
        {"extreme values give nothing", {INT64_MAX, INT64_MIN}, {INT64_MIN, 0}, everyDay, Span{ny(2026, 1, 12), ny(2026, 1, 13)},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(builder.daily(c.start, c.end, c.weekdays, c.within), c.expected);
    }
}

TEST(ScheduleBuilder, HourlyMacros) {
    const ScheduleBuilder builder = newYorkBuilder();
    const std::set<Weekday> wednesday{Weekday::wednesday};
    auto at = [](int h, int m) { return ny(2026, 1, 14, h, m); };
    struct Case {
        const char* label;
        std::int64_t around;
        std::set<Weekday> weekdays;
        Span within;
        std::vector<Span> expected;
    };
    const std::vector<Case> cases = {
        {"around ten", 10, wednesday, Span{at(10, 5), at(10, 55)}, {{at(9, 50), at(10, 10)}, {at(10, 50), at(11, 10)}}},
        {"zero gives nothing inside an hour", 0, wednesday, Span{at(10, 5), at(10, 55)}, {}},
        {"zero gives empty spans strictly inside", 0, wednesday, Span{at(9, 30), at(11, 30)},
         {{at(10, 0), at(10, 0)}, {at(11, 0), at(11, 0)}}},
        {"midnight belongs to Monday", 10, {Weekday::monday}, Span{ny(2026, 1, 11, 23, 30), ny(2026, 1, 12, 0, 5)},
         {{ny(2026, 1, 11, 23, 50), ny(2026, 1, 12, 0, 10)}}},
        {"negative around gives inverted spans", -10, wednesday, Span{at(10, 5), at(10, 55)}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(builder.hourlyMacros(c.around, c.weekdays, c.within), c.expected);
    }
    // An around-time far beyond any day still multiplies without overflow.
    EXPECT_EQ(builder.hourlyMacros(INT64_MAX, wednesday, Span{at(10, 5), at(10, 6)}).size(), 2u);
}

TEST(ScheduleBuilder, MacroOccurrencesDropHourliesUnderNamedMacros) {
    const ScheduleBuilder builder = newYorkBuilder();
    auto at = [](int h, int m) { return ny(2026, 1, 14, h, m); };
    const auto occurrences = builder.macroOccurrences(MacroSchedule::newYorkDefault(), Span{at(10, 0), at(17, 0)});
    std::vector<std::pair<std::string, Span>> got;
    for (const auto& o : occurrences) got.emplace_back(o.name, o.span);
    const std::vector<std::pair<std::string, Span>> expected = {
        {"Lunch Macro", {at(11, 30), at(13, 30)}}, {"Final Macro", {at(15, 15), at(15, 45)}},
        {"Macro", {at(9, 50), at(10, 10)}},        {"Macro", {at(10, 50), at(11, 10)}},
        {"Macro", {at(13, 50), at(14, 10)}},       {"Macro", {at(14, 50), at(15, 10)}},
        {"Macro", {at(15, 50), at(16, 10)}},       {"Macro", {at(16, 50), at(17, 10)}},
    };
    EXPECT_EQ(got, expected);

    // With no around-time, an hour equal to a named start or end only touches it and stays.
    MacroSchedule touching{0, {NamedMacro{"Touch", {10, 0}, {11, 0}}, NamedMacro{"Inside", {11, 30}, {12, 30}}},
                           {Weekday::wednesday}};
    std::vector<Base::Date> hourly;
    for (const auto& o : builder.macroOccurrences(touching, Span{at(9, 30), at(13, 30)})) {
        if (o.name == "Macro") hourly.push_back(o.span.start);
    }
    EXPECT_EQ(hourly, (std::vector<Base::Date>{at(10, 0), at(11, 0), at(13, 0)}));
}

TEST(TimingEvaluator, WindowOccurrencesOfAWednesday) {
    const ScheduleBuilder builder = newYorkBuilder();
    const Base::Date now = ny(2026, 1, 14, 10);  // a Wednesday
    const Span horizon{now - 129600.0, now + 172800.0};
    const auto occurrences =
        TimingEvaluator::windowOccurrences(TimingConfiguration::newYorkDefault(), builder, horizon);
    std::vector<std::pair<std::string, Base::Date>> got;
    for (const auto& o : occurrences) got.emplace_back(o.name, o.span.start);
    const std::vector<std::pair<std::string, Base::Date>> expected = {
        {"Pre-session", ny(2026, 1, 13, 7)}, {"Pre-session", ny(2026, 1, 14, 7)}, {"Pre-session", ny(2026, 1, 15, 7)},
        {"Pre-session", ny(2026, 1, 16, 7)}, {"Opening", ny(2026, 1, 13, 9, 30)}, {"Opening", ny(2026, 1, 14, 9, 30)},
        {"Opening", ny(2026, 1, 15, 9, 30)}, {"Opening", ny(2026, 1, 16, 9, 30)},
    };
    EXPECT_EQ(got, expected);
}

TEST(TimingEvaluator, Blackouts) {
    using TestSupport::usdHigh;
    const TimingConfiguration configuration = TimingConfiguration::newYorkDefault();
    const Base::Date release = ny(2026, 1, 14, 8, 30);
    NewsEvent unconfirmed = usdHigh("A", release);
    unconfirmed.isTimeConfirmed = false;
    NewsEvent lower = usdHigh("B", release);
    lower.currency = "usd";
    const std::vector<NewsEvent> events = {usdHigh("CPI", release), usdHigh("Med", release, NewsImpact::medium),
                                           unconfirmed, lower, usdHigh("NFP", release)};
    const auto blackouts = TimingEvaluator::blackouts(configuration, events);
    ASSERT_EQ(blackouts.size(), 2u);
    EXPECT_EQ(blackouts[0].event.title, "CPI");
    EXPECT_EQ(blackouts[1].event.title, "NFP");
    EXPECT_EQ(blackouts[0].span, (Span{ny(2026, 1, 14, 8, 25), ny(2026, 1, 14, 8, 35)}));
    EXPECT_EQ(blackouts[1].span, blackouts[0].span);

    TimingConfiguration empty = configuration;
    empty.newsRule.currencies.clear();
    EXPECT_TRUE(TimingEvaluator::blackouts(empty, events).empty());
    empty = configuration;
    empty.newsRule.impacts.clear();
    EXPECT_TRUE(TimingEvaluator::blackouts(empty, events).empty());
}
