#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "TestSupport.h"
#include "TradingCore/Evaluation/ScheduleBuilder.h"
#include "TradingCore/Evaluation/TimingEvaluator.h"

using namespace TradingCore;
using namespace TradingCore::TestSupport;

namespace {

ScheduleBuilder newYorkBuilder() { return ScheduleBuilder(Base::Calendar(MarketTimeZone::newYork())); }

const std::set<Weekday> everyDay(allWeekdays.begin(), allWeekdays.end());

}  // namespace

// 2026-03-08 and 2026-11-01 are the Sundays on which New York daylight saving
// time begins and ends; 2026-01-11 is a Sunday, 2026-01-16 a Friday.
TEST(ScheduleBuilder, Daily) {
    const ScheduleBuilder builder = newYorkBuilder();
    const Span spring{ny(2026, 3, 8), ny(2026, 3, 9)};
    const Span fall{ny(2026, 11, 1), ny(2026, 11, 2)};
    const std::set<Weekday> sundayToThursday{Weekday::sunday, Weekday::monday, Weekday::tuesday, Weekday::wednesday,
                                             Weekday::thursday};
    struct Case {
        const char* label;
        WallClockTime start, end;
        std::set<Weekday> weekdays;
        Span within;
        std::vector<Span> expected;
    };
    const std::vector<Case> cases = {
        {"skipped start moves to 03:00", {2, 30}, {4, 0}, everyDay, spring, {{ny(2026, 3, 8, 3), ny(2026, 3, 8, 4)}}},
        {"wholly skipped window is empty at 03:00", {2, 10}, {2, 50}, everyDay, spring,
         {{ny(2026, 3, 8, 3), ny(2026, 3, 8, 3)}}},
        {"empty span at within.start is not kept", {2, 10}, {2, 50}, everyDay, {ny(2026, 3, 8, 3), ny(2026, 3, 8, 4)}, {}},
        {"repeated start takes the first 01:30 (05:30 UTC)", {1, 30}, {3, 0}, everyDay, fall,
         {{utc(2026, 11, 1, 5, 30), ny(2026, 11, 1, 3)}}},
        {"equal start and end runs 23 hours", {1, 0}, {1, 0}, everyDay, spring,
         {{ny(2026, 3, 8, 1), ny(2026, 3, 8, 1) + 23 * 3600.0}}},
        {"equal start and end runs 25 hours", {0, 30}, {0, 30}, everyDay, fall,
         {{ny(2026, 11, 1, 0, 30), ny(2026, 11, 1, 0, 30) + 25 * 3600.0}}},
        {"evening to midnight", {20, 0}, {0, 0}, sundayToThursday, {ny(2026, 1, 11), ny(2026, 1, 12)},
         {{ny(2026, 1, 11, 20), ny(2026, 1, 12)}}},
        {"no start on Friday or Saturday", {20, 0}, {0, 0}, sundayToThursday, {ny(2026, 1, 16), ny(2026, 1, 18)}, {}},
        {"Friday night runs into Saturday", {22, 0}, {2, 0}, {Weekday::friday}, {ny(2026, 1, 16, 12), ny(2026, 1, 17, 12)},
         {{ny(2026, 1, 16, 22), ny(2026, 1, 17, 2)}}},
        {"no look back to the previous day", {22, 0}, {2, 0}, {Weekday::friday}, {ny(2026, 1, 17, 1), ny(2026, 1, 17, 12)},
         {}},
        {"ends at within.start", {7, 0}, {9, 30}, everyDay, {wed(9, 30), wed(12)}, {}},
        {"starts at within.end", {7, 0}, {9, 30}, everyDay, {wed(6), wed(7)}, {}},
        {"within.end at midnight: that day not visited", {0, 0}, {1, 0}, everyDay, {wed(12), ny(2026, 1, 15)}, {}},
        {"within ending before its day", {9, 0}, {10, 0}, everyDay, {wed(9), ny(2026, 1, 13)}, {}},
        {"extreme values give nothing", {INT64_MAX, INT64_MIN}, {INT64_MIN, 0}, everyDay, {wed(0), wed(23)}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(builder.daily(c.start, c.end, c.weekdays, c.within), c.expected);
    }
}

// Samoa went from 2011-12-29 (Thursday) straight to Saturday 2011-12-31:
// no Friday that week, and no day without a date.
TEST(ScheduleBuilder, DailyAsksTheCalendarForTheNextDayAndItsWeekday) {
    const Base::Calendar apia(*Base::TimeZone::named("Pacific/Apia"));
    const ScheduleBuilder builder(apia);
    auto at = [&](int month, int day, int hour) { return *apia.date(month == 1 ? 2012 : 2011, month, day, hour); };
    const Span within{at(12, 29, 0), at(1, 2, 0)};
    struct Case {
        std::set<Weekday> weekdays;
        std::vector<Span> expected;
    };
    for (const Case& c : {Case{{Weekday::friday}, {}},
                          Case{{Weekday::saturday}, {{at(12, 31, 9), at(12, 31, 17)}}},
                          Case{everyDay,
                               {{at(12, 29, 9), at(12, 29, 17)}, {at(12, 31, 9), at(12, 31, 17)},
                                {at(1, 1, 9), at(1, 1, 17)}}}}) {
        EXPECT_EQ(builder.daily({9, 0}, {17, 0}, c.weekdays, within), c.expected) << c.weekdays.size();
        EXPECT_EQ(ScheduleBuilder(apia).daily({22, 0}, {6, 0}, c.weekdays, within).size(), c.expected.size());
    }
}

TEST(ScheduleBuilder, HourlyMacros) {
    const ScheduleBuilder builder = newYorkBuilder();
    const std::set<Weekday> wednesday{Weekday::wednesday}, sunday{Weekday::sunday};
    const Base::Date firstOne = utc(2026, 11, 1, 5);  // 01:00 daylight time
    struct Case {
        const char* label;
        std::int64_t around;
        std::set<Weekday> weekdays;
        Span within;
        std::vector<Span> expected;
    };
    const std::vector<Case> cases = {
        {"around ten", 10, wednesday, {wed(10, 5), wed(10, 55)}, {{wed(9, 50), wed(10, 10)}, {wed(10, 50), wed(11, 10)}}},
        {"zero gives nothing inside an hour", 0, wednesday, {wed(10, 5), wed(10, 55)}, {}},
        {"zero gives empty spans strictly inside", 0, wednesday, {wed(9, 30), wed(11, 30)},
         {{wed(10), wed(10)}, {wed(11), wed(11)}}},
        {"midnight belongs to Monday", 10, {Weekday::monday}, {ny(2026, 1, 11, 23, 30), ny(2026, 1, 12, 0, 5)},
         {{ny(2026, 1, 11, 23, 50), ny(2026, 1, 12, 0, 10)}}},
        {"negative around gives inverted spans, never kept", -10, wednesday, {wed(10, 5), wed(10, 55)}, {}},
        {"01:00 twice when daylight saving time ends", 0, sunday, {ny(2026, 11, 1, 0, 30), ny(2026, 11, 1, 2, 30)},
         {{firstOne, firstOne}, {firstOne + 3600.0, firstOne + 3600.0}, {ny(2026, 11, 1, 2), ny(2026, 11, 1, 2)}}},
        {"no 02:00 when it begins", 0, sunday, {ny(2026, 3, 8, 0, 30), ny(2026, 3, 8, 4, 30)},
         {{ny(2026, 3, 8, 1), ny(2026, 3, 8, 1)}, {ny(2026, 3, 8, 3), ny(2026, 3, 8, 3)},
          {ny(2026, 3, 8, 4), ny(2026, 3, 8, 4)}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(builder.hourlyMacros(c.around, c.weekdays, c.within), c.expected);
    }
    // An around-time far beyond any day still multiplies without overflow.
    EXPECT_EQ(builder.hourlyMacros(INT64_MAX, wednesday, Span{wed(10, 5), wed(10, 6)}).size(), 2u);
}

TEST(ScheduleBuilder, MacroOccurrencesDropHourliesUnderNamedMacros) {
    const ScheduleBuilder builder = newYorkBuilder();
    auto listed = [&](const MacroSchedule& schedule, Span within) {
        std::vector<std::pair<std::string, Base::Date>> got;
        for (const auto& o : builder.macroOccurrences(schedule, within)) got.emplace_back(o.name, o.span.start);
        return got;
    };
    using List = std::vector<std::pair<std::string, Base::Date>>;
    // The default's hourlies under its named macros are dropped: see the timeline's bands.
    // With no around-time, an hour at a named start or end only touches it and stays.
    const MacroSchedule touching{0, {{"Touch", {10, 0}, {11, 0}}, {"Inside", {11, 30}, {12, 30}}}, {Weekday::wednesday}};
    EXPECT_EQ(listed(touching, {wed(9, 30), wed(13, 30)}),
              (List{{"Touch", wed(10)}, {"Inside", wed(11, 30)}, {"Macro", wed(10)}, {"Macro", wed(11)},
                    {"Macro", wed(13)}}));
}

// Builders remember day walks and wall-clock instants between calls, and each
// thread keeps one: a builder that has answered other stretches, in any order
// and after another zone, must answer exactly as a new one.
TEST(ScheduleBuilder, RememberedAnswersEqualFreshOnes) {
    std::mt19937_64 random(1106);
    auto uniform = [&](double low, double high) { return std::uniform_real_distribution<double>(low, high)(random); };
    const ScheduleBuilder reused = newYorkBuilder();
    for (int i = 0; i < 200; ++i) {
        // Half the stretches start within a day of a daylight-saving change.
        const Base::Date near = i % 2 ? ny(2026, 3, 8) : ny(2026, 11, 1);
        const Base::Date start = i % 4 < 2 ? near + uniform(-86400, 86400) : ny(2026, 1, 1) + uniform(0, 365 * 86400.0);
        const Span within{start, start + uniform(0, 4 * 86400.0)};
        const ScheduleBuilder fresh = newYorkBuilder();
        SCOPED_TRACE(Base::epochText(start.secondsSince1970));
        for (auto [from, to] : {std::pair<WallClockTime, WallClockTime>{{1, 30}, {2, 30}}, {{22, 0}, {1, 0}}, {{9, 0}, {9, 0}}}) {
            ASSERT_EQ(reused.daily(from, to, everyDay, within), fresh.daily(from, to, everyDay, within));
        }
        ASSERT_EQ(reused.hourlyMacros(10, everyDay, within), fresh.hourlyMacros(10, everyDay, within));
    }

    TimingConfiguration configuration = TimingConfiguration::newYorkDefault();
    configuration.profile.windows.push_back({"Night", {1, 30}, {2, 30}});
    configuration.profile.startWeekdays = everyDay;
    TimingConfiguration london = configuration;
    london.timeZone = *Base::TimeZone::named("Europe/London");
    const std::vector<NewsEvent> events = {usdHigh("CPI", ny(2026, 3, 9, 8, 30))};
    const std::vector<Base::Date> instants = {ny(2026, 3, 8, 1, 55), ny(2026, 3, 9, 8, 31), ny(2026, 11, 1, 1, 45)};
    auto run = [&] {
        std::vector<std::pair<Evaluation, Timeline>> answers;
        for (Base::Date now : instants) {
            answers.emplace_back(TimingEvaluator::evaluate(configuration, events, DataConfidence::live, now),
                                 TimingEvaluator::timeline(configuration, events, now - 7200.0, now + 7200.0));
        }
        return answers;
    };
    std::vector<std::pair<Evaluation, Timeline>> onFreshThread;
    std::thread([&] { onFreshThread = run(); }).join();
    for (Base::Date now : instants) {
        TimingEvaluator::evaluate(configuration, events, DataConfidence::live, now + 90000.0);
        TimingEvaluator::evaluate(london, events, DataConfidence::live, now);
    }
    EXPECT_EQ(run(), onFreshThread);
}
