#include <gtest/gtest.h>

#include "TestSupport.h"
#include "TradingCore/Evaluation/TimingEvaluator.h"

using namespace TradingCore;
using namespace TradingCore::TestSupport;

namespace {

Evaluation evaluateAt(Base::Date now, const std::vector<NewsEvent>& events = {},
                      const TimingConfiguration& configuration = TimingConfiguration::newYorkDefault(),
                      DataConfidence confidence = DataConfidence::live) {
    return TimingEvaluator::evaluate(configuration, events, confidence, now);
}

}  // namespace

TEST(Evaluate, DefaultProfileThroughAWorkDay) {
    using std::nullopt;
    const auto gray = StatusBase::gray, green = StatusBase::green;
    struct Case {
        const char* label;
        Base::Date now;
        StatusBase base;
        std::optional<std::string> window;
        std::optional<Base::Date> nextChange;
        bool countdown;
        std::optional<std::string> announcement;
    };
    const std::vector<Case> cases = {
        {"two hours before: countdown hidden", wed(5), gray, nullopt, wed(7), false, nullopt},
        {"exactly 1800 s before: shown", wed(6, 30), gray, nullopt, wed(7), true, nullopt},
        {"1801 s before: hidden", wed(6, 29, 59), gray, nullopt, wed(7), false, nullopt},
        {"at the start: inside", wed(7), green, "Pre-session", wed(9, 30), true, "Pre-session"},
        {"name change is a change", wed(9), green, "Pre-session", wed(9, 30), true, nullopt},
        {"announced at 09:30:05", wed(9, 30, 5), green, "Opening", wed(11), true, "Opening"},
        {"not at 09:30:10", wed(9, 30, 10), green, "Opening", wed(11), true, nullopt},
        {"at the end: outside", wed(11), gray, nullopt, ny(2026, 1, 15, 7), false, nullopt},
        {"Friday noon: no window within 48 hours", ny(2026, 1, 16, 12), gray, nullopt, nullopt, false, nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const Evaluation e = evaluateAt(c.now, {}, TimingConfiguration::newYorkDefault(), DataConfidence::degraded);
        EXPECT_EQ(e.base, c.base);
        EXPECT_EQ(e.windowName, c.window);
        EXPECT_EQ(e.nextChange, c.nextChange);
        EXPECT_EQ(e.countdownVisible, c.countdown);
        EXPECT_EQ(e.announcement, c.announcement);
        EXPECT_EQ(e.confidence, DataConfidence::degraded);
        EXPECT_EQ(e.restrictionImpact, nullopt);
    }
}

TEST(Evaluate, BlackoutsInsideAndOutsideWindows) {
    const std::vector<NewsEvent> cpi = {usdHigh("CPI", wed(8, 30))};
    // Only confirmed releases of a watched currency (exactly as written) and a chosen impact black out.
    NewsEvent unconfirmed = usdHigh("A", wed(8, 30)), lowerCase = usdHigh("B", wed(8, 30));
    unconfirmed.isTimeConfirmed = false;
    lowerCase.currency = "usd";
    struct Case {
        const char* label;
        std::vector<NewsEvent> events;
        Base::Date now;
        StatusBase base;
        std::optional<Base::Date> nextChange;
    };
    const std::vector<Case> cases = {
        {"red at the blackout start", cpi, wed(8, 25), StatusBase::red, wed(8, 35)},
        {"green again at its end", cpi, wed(8, 35), StatusBase::green, wed(9, 30)},
        {"green before it, changing at its start", cpi, wed(8), StatusBase::green, wed(8, 25)},
        {"no blackout of others", {unconfirmed, lowerCase, usdHigh("Med", wed(8, 30), NewsImpact::medium)}, wed(8, 25),
         StatusBase::green, wed(9, 30)},
        {"a second blackout starting at the first's end is no change",
         {usdHigh("CPI", wed(8, 30)), usdHigh("PPI", wed(8, 40))}, wed(8, 26), StatusBase::red, wed(8, 45)},
        {"a blackout past its window ends with the window", {usdHigh("Late", wed(10, 58))}, wed(10, 55), StatusBase::red,
         wed(11)},
        {"a blackout into the next window changes with the name", {usdHigh("Turn", wed(9, 30))}, wed(9, 26),
         StatusBase::red, wed(9, 30)},
        {"a blackout outside every window stays gray", {usdHigh("Noon", wed(12))}, wed(11, 57), StatusBase::gray,
         ny(2026, 1, 15, 7)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const Evaluation e = evaluateAt(c.now, c.events);
        EXPECT_EQ(e.base, c.base);
        EXPECT_EQ(e.nextChange, c.nextChange);
        EXPECT_EQ(e.restrictionImpact, c.base == StatusBase::red ? std::optional(NewsImpact::high) : std::nullopt);
        EXPECT_EQ(e.windowName.has_value(), c.base != StatusBase::gray);
    }

    TimingConfiguration configuration = TimingConfiguration::newYorkDefault();
    configuration.newsRule.impacts = {NewsImpact::medium, NewsImpact::high, NewsImpact::holiday, NewsImpact::low};
    const std::vector<NewsEvent> mixed = {usdHigh("A", wed(8, 30), NewsImpact::medium), usdHigh("B", wed(8, 31)),
                                          usdHigh("C", wed(8, 31), NewsImpact::low)};
    EXPECT_EQ(evaluateAt(wed(8, 30), mixed, configuration).restrictionImpact, NewsImpact::high);
    const Evaluation holiday =
        evaluateAt(wed(8, 30), {usdHigh("Bank Holiday", wed(8, 30), NewsImpact::holiday)}, configuration);
    EXPECT_EQ(holiday.base, StatusBase::red);
    EXPECT_EQ(holiday.restrictionImpact, NewsImpact::holiday);
}

TEST(Evaluate, OverlappingWindowsAndEmptyProfiles) {
    TimingConfiguration configuration = TimingConfiguration::newYorkDefault();
    configuration.profile.windows = {{"Long", {8, 0}, {12, 0}}, {"Short", {9, 0}, {10, 0}}};
    Evaluation e = evaluateAt(wed(9, 15), {}, configuration);
    EXPECT_EQ(e.windowName, "Short");
    EXPECT_EQ(e.nextChange, wed(10));
    // The same name on two overlapping occurrences: the later one announces it.
    configuration.profile.windows = {{"Same", {8, 0}, {12, 0}}, {"Same", {9, 0}, {10, 0}}};
    e = evaluateAt(wed(9, 0, 5), {}, configuration);
    EXPECT_EQ(e.announcement, "Same");
    EXPECT_EQ(e.nextChange, wed(12));

    configuration.profile.windows.clear();
    e = evaluateAt(wed(9), {usdHigh("CPI", wed(9))}, configuration);
    EXPECT_EQ(e.base, StatusBase::gray);
    EXPECT_EQ(e.nextChange, std::nullopt);
    EXPECT_FALSE(e.countdownVisible);
    for (const Activity& activity : e.activities) EXPECT_NE(activity.kind, ActivityKind::news);
}

TEST(Evaluate, UnusualInputsNeverFail) {
    TimingConfiguration configuration = TimingConfiguration::newYorkDefault();
    configuration.profile.windows.push_back({"Odd", {INT64_MAX, 0}, {-3, INT64_MIN}});
    configuration.macros.aroundHourMinutes = INT64_MIN;
    configuration.announcementSeconds = std::numeric_limits<double>::quiet_NaN();
    configuration.lingerSeconds = -1e300;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::vector<NewsEvent> events = {usdHigh("Nan", Base::Date(nan)), usdHigh("CPI", wed(8, 30))};
    for (Base::Date now : {wed(8, 30), Base::Date(nan), Base::Date(1e300), Base::Date(-1e15), Base::Date(0)}) {
        EXPECT_NE(evaluateAt(now, events, configuration).base, StatusBase::amber);
    }
    EXPECT_TRUE(TimingEvaluator::timeline(configuration, events, Base::Date(nan), wed(9)).segments.empty());
}
