#include <gtest/gtest.h>

#include <random>

#include "TestSupport.h"
#include "TradingCore/Evaluation/TimingEvaluator.h"

using namespace TradingCore;
using namespace TradingCore::TestSupport;

namespace {

Timeline timelineOf(Base::Date from, Base::Date to, const std::vector<NewsEvent>& events = {},
                    const TimingConfiguration& configuration = TimingConfiguration::newYorkDefault()) {
    return TimingEvaluator::timeline(configuration, events, from, to);
}

}  // namespace

TEST(Timeline, Edges) {
    // An empty range has no segments but keeps a marker at its instant; a backwards one is empty at its start.
    const Timeline same = timelineOf(wed(8), wed(8), {usdHigh("CPI", wed(8))});
    EXPECT_TRUE(same.segments.empty() && same.markers.size() == 1);
    const Timeline backwards = timelineOf(wed(9), wed(8));
    EXPECT_TRUE(backwards.segments.empty());
    EXPECT_EQ(backwards.range, (Span{wed(9), wed(9)}));

    TimingConfiguration noWindows = TimingConfiguration::newYorkDefault();
    noWindows.profile.windows.clear();
    EXPECT_EQ(timelineOf(wed(8), wed(10), {}, noWindows).segments,
              (std::vector<TimelineSegment>{{wed(8), wed(10), wed(8), StatusBase::gray, std::nullopt,
                                             {TimelineReason::outsideWindows(std::nullopt, std::nullopt, std::nullopt)},
                                             std::nullopt}}));

    // A blackout outside every window still cuts: three gray segments with equal reasons.
    const Timeline cut = timelineOf(wed(11, 30), wed(12, 30), {usdHigh("Noon", wed(12))});
    std::vector<Base::Date> origins;
    for (const TimelineSegment& segment : cut.segments) {
        origins.push_back(segment.origin);
        EXPECT_EQ(segment.base, StatusBase::gray);
        EXPECT_EQ(segment.reasons, cut.segments[0].reasons);
    }
    EXPECT_EQ(origins, (std::vector<Base::Date>{wed(11), wed(11, 55), wed(12, 5)}));
}

TEST(Timeline, SegmentsOfAMorning) {
    // CPI 08:25-08:35 and a holiday 08:28-08:38 overlap inside Pre-session.
    TimingConfiguration configuration = TimingConfiguration::newYorkDefault();
    configuration.newsRule.impacts.insert(NewsImpact::holiday);
    const std::vector<NewsEvent> events = {usdHigh("CPI m/m", wed(8, 30), NewsImpact::high, "CPI"),
                                           usdHigh("Holiday", wed(8, 33), NewsImpact::holiday)};
    const Timeline timeline = timelineOf(wed(6), wed(12), events, configuration);
    const auto cpi = TimelineReason::blackout("CPI", wed(8, 25), wed(8, 35), wed(8, 30));
    const auto holiday = TimelineReason::blackout("Holiday", wed(8, 28), wed(8, 38), wed(8, 33));
    const auto pre = TimelineReason::window("Pre-session", wed(7), wed(9, 30));
    const auto opening = TimelineReason::window("Opening", wed(9, 30), wed(11));
    const auto beforeWindows = TimelineReason::outsideWindows(ny(2026, 1, 13, 11), wed(7), "Pre-session");
    const auto afterWindows = TimelineReason::outsideWindows(wed(11), ny(2026, 1, 15, 7), "Pre-session");
    const std::vector<TimelineSegment> expected = {
        {wed(6), wed(7), ny(2026, 1, 13, 11), StatusBase::gray, std::nullopt, {beforeWindows}, std::nullopt},
        {wed(7), wed(8, 25), wed(7), StatusBase::green, "Pre-session", {pre}, std::nullopt},
        {wed(8, 25), wed(8, 28), wed(8, 25), StatusBase::red, "Pre-session", {cpi, pre}, NewsImpact::high},
        {wed(8, 28), wed(8, 35), wed(8, 28), StatusBase::red, "Pre-session", {cpi, holiday, pre}, NewsImpact::high},
        {wed(8, 35), wed(8, 38), wed(8, 35), StatusBase::red, "Pre-session", {holiday, pre}, NewsImpact::holiday},
        {wed(8, 38), wed(9, 30), wed(8, 38), StatusBase::green, "Pre-session", {pre}, std::nullopt},
        {wed(9, 30), wed(11), wed(9, 30), StatusBase::green, "Opening", {opening}, std::nullopt},
        {wed(11), wed(12), wed(11), StatusBase::gray, std::nullopt, {afterWindows}, std::nullopt},
    };
    EXPECT_EQ(timeline.segments, expected);
}

TEST(Timeline, Markers) {
    TimingConfiguration configuration = TimingConfiguration::newYorkDefault();
    const std::vector<NewsEvent> events = {
        usdHigh("Late", wed(12)),                                                    // at range end: kept
        usdHigh("After", wed(12) + 0.001),                                           // just outside
        usdHigh("Early", wed(0)),                                                    // at range start: kept
        usdHigh("Medium", wed(9), NewsImpact::medium),                               // impact not selected
        NewsEvent{"ecb", "ECB", "EUR", NewsImpact::high, wed(9), true, {}},          // currency not watched
        usdHigh("Bank Holiday", wed(0), NewsImpact::holiday),                        // holidays always marked
        usdHigh("CPI m/m", wed(10), NewsImpact::high, "CPI"),                        // label wins over title
        usdHigh("CPI y/y", wed(10), NewsImpact::high, "CPI"),                        // same label and time: dropped
        usdHigh("CPI m/m", wed(10), NewsImpact::high, "Core"),                       // another label: kept
        NewsEvent{"u", "Unconfirmed", "USD", NewsImpact::high, wed(11), false, {}},  // markers ignore confirmation
    };
    const Timeline timeline = timelineOf(wed(0), wed(12), events, configuration);
    std::vector<std::string> ids;
    for (const TimelineMarker& marker : timeline.markers) ids.push_back(marker.id);
    auto at = [](const std::string& label, Base::Date t) { return label + "@" + Base::epochText(t.secondsSince1970); };
    EXPECT_EQ(ids, (std::vector<std::string>{at("Early", wed(0)), at("Bank Holiday", wed(0)), at("CPI", wed(10)),
                                             at("Core", wed(10)), at("Unconfirmed", wed(11)), at("Late", wed(12))}));
    EXPECT_TRUE(timeline.markers[1].isHoliday);
    EXPECT_FALSE(timeline.markers[0].isHoliday);

    configuration.newsRule.currencies.clear();
    EXPECT_TRUE(timelineOf(wed(0), wed(12), events, configuration).markers.empty());
}

TEST(Timeline, Bands) {
    TimingConfiguration configuration = TimingConfiguration::newYorkDefault();
    const Base::Uuid id = *Base::Uuid::fromText("E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
    configuration.customs = {
        CustomInterval{Base::Uuid::random(), "Never", {14, 0}, {14, 0}, workDays(), IntervalColor::blue},
        CustomInterval{id, "Night", {22, 0}, {1, 0}, workDays(), IntervalColor::pink},
        CustomInterval{id, "Lunch", {11, 0}, {12, 0}, workDays(), IntervalColor::white},
    };
    const Timeline timeline = timelineOf(wed(10, 30), wed(23), {}, configuration);
    auto at = [](const std::string& name, Base::Date t) { return name + ":" + Base::epochText(t.secondsSince1970); };
    std::vector<std::string> macroIds, expected = {at("Macro", wed(10, 50)), at("Lunch Macro", wed(11, 30)),
                                                   at("Macro", wed(13, 50)), at("Macro", wed(14, 50)),
                                                   at("Final Macro", wed(15, 15))};
    for (int hour = 15; hour < 23; ++hour) expected.push_back(at("Macro", wed(hour, 50)));
    for (const TimelineBand& band : timeline.macros) macroIds.push_back(band.id + (band.color ? " coloured" : ""));
    EXPECT_EQ(macroIds, expected);

    ASSERT_EQ(timeline.customs.size(), 2u);
    EXPECT_EQ(timeline.customs[0], (TimelineBand{at("custom:E621E1F8-C36C-495A-93FC-0C247A3E6E5F", wed(11)), "Lunch",
                                                 wed(11), wed(12), IntervalColor::white}));
    EXPECT_EQ(timeline.customs[1].name, "Night");
    EXPECT_EQ(timeline.customs[1].end, ny(2026, 1, 15, 1));
}

// At instants spread over a year, DST days included, the segment holding the
// instant says what evaluate says, and the segments tile their range.
TEST(Timeline, AgreesWithEvaluateOverAYear) {
    TimingConfiguration configuration = TimingConfiguration::newYorkDefault();
    configuration.profile.windows.push_back({"Asia", {20, 0}, {0, 0}});
    configuration.profile.windows.push_back({"Night", {1, 30}, {2, 30}});
    configuration.profile.startWeekdays = {Weekday::sunday, Weekday::monday, Weekday::tuesday, Weekday::wednesday,
                                           Weekday::thursday, Weekday::friday};
    configuration.newsRule.impacts = {NewsImpact::high, NewsImpact::holiday};

    std::mt19937_64 random(20260308);
    const Base::Date yearStart = ny(2026, 1, 1);
    const double year = ny(2027, 1, 1) - yearStart;
    auto anyMinute = [&] { return yearStart + 60 * std::floor(std::uniform_real_distribution<double>(0, year / 60)(random)); };
    std::vector<NewsEvent> events;  // about five qualifying releases a week
    for (int i = 0; i < 260; ++i) {
        events.push_back(usdHigh("E" + std::to_string(i % 7), anyMinute(), i % 9 ? NewsImpact::high : NewsImpact::holiday));
    }
    std::vector<Base::Date> instants;
    for (int i = 0; i < 2000; ++i) instants.push_back(anyMinute() + 37.0);
    for (Base::Date day : {ny(2026, 3, 8), ny(2026, 11, 1)}) {
        for (int minute = 0; minute < 24 * 60; minute += 7) instants.push_back(day + minute * 60.0);
    }

    for (Base::Date now : instants) {
        SCOPED_TRACE(Base::epochText(now.secondsSince1970));
        const Evaluation evaluation = TimingEvaluator::evaluate(configuration, events, DataConfidence::live, now);
        const Timeline timeline = TimingEvaluator::timeline(configuration, events, now - 7200.0, now + 7200.0);
        ASSERT_FALSE(timeline.segments.empty());
        Base::Date reached = now - 7200.0;
        const TimelineSegment* holding = nullptr;
        for (const TimelineSegment& segment : timeline.segments) {
            ASSERT_EQ(segment.start, reached);
            ASSERT_LT(segment.start, segment.end);
            reached = segment.end;
            if (segment.start <= now && now < segment.end) holding = &segment;
        }
        ASSERT_EQ(reached, now + 7200.0);
        ASSERT_NE(holding, nullptr);
        ASSERT_EQ(holding->base, evaluation.base);
        ASSERT_EQ(holding->windowName, evaluation.windowName);
        ASSERT_EQ(holding->restrictionImpact, evaluation.restrictionImpact);
    }
}
