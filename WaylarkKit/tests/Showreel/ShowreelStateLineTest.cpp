#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "WaylarkKit/Showreel/ShowreelDirector.h"

namespace WaylarkKit {
namespace {

using namespace TradingCore;

Activity activity(ActivityKind kind, ActivityPhase phase, std::string title,
                  std::optional<IntervalColor> color = std::nullopt) {
    Activity a;
    a.kind = kind;
    a.phase = phase;
    a.title = std::move(title);
    a.color = color;
    return a;
}

// The script's run shows the common lines; these are the ones it never reaches.
TEST(ShowreelStateLine, DescribesStatusActivitiesFlagsAndPanel) {
    using K = ActivityKind;
    using P = ActivityPhase;
    const struct {
        StatusBase base;
        std::optional<std::string> window;
        std::optional<NewsImpact> impact;
        std::vector<Activity> activities;
        bool celebrating, greeting;
        std::optional<L2Tab> panel;
        const char* line;
    } cases[] = {
        {StatusBase::amber, {}, {}, {}, false, false, {}, "Out"},
        {StatusBase::green, {}, {}, {}, false, false, {}, "Session"},
        {StatusBase::red, "Opening", NewsImpact::low, {}, false, false, {}, "Restricted High"},
        {StatusBase::red, {}, {}, {}, false, false, L2Tab::timeline, "Restricted High · L2: timeline"},
        // Only a news countdown and a running macro or custom time are named, in order.
        {StatusBase::gray, {}, {},
         {activity(K::news, P::upcoming, "CPI"), activity(K::news, P::active, "NFP"), activity(K::news, P::ended, "PPI"),
          activity(K::macro, P::upcoming, "Macro"), activity(K::macro, P::active, "Lunch Macro"),
          activity(K::macro, P::ended, "Macro"), activity(K::custom, P::upcoming, "Soon"),
          activity(K::custom, P::ended, "Gone"), activity(K::custom, P::active, "Plain")},
         false, false, {}, "Out · news countdown \"CPI\" · macro \"Lunch Macro\" · custom \"Plain\""},
        {StatusBase::gray, {}, {}, {}, true, true, L2Tab::calculator,
         "Out · greeting · checklist celebration · L2: calculator"},
        {StatusBase::green, {}, {}, {activity(K::custom, P::active, "Kill", IntervalColor::teal)}, false, false, {},
         "Session · custom \"Kill\" [teal]"},
    };
    for (const auto& c : cases) {
        Evaluation e;
        e.base = c.base;
        e.windowName = c.window;
        e.activities = c.activities;
        e.restrictionImpact = c.impact;
        EXPECT_EQ(ShowreelDirector::describe(e, c.celebrating, c.greeting, c.panel), c.line);
    }
}

TEST(ShowreelLogLine, PrefixesTheElapsedTimeRightAligned) {
    EXPECT_EQ(ShowreelDirector::line(0, "state   Out"), "[t=   0.0s] state   Out");
    EXPECT_EQ(ShowreelDirector::line(220.44, "DONE"), "[t= 220.4s] DONE");
    EXPECT_EQ(ShowreelDirector::line(12345.67, ""), "[t=12345.7s] ");
}

TEST(ShowreelMacroBand, ClicksTheNextBandElseTheFirst) {
    Timeline timeline;
    timeline.macros = {TimelineBand{"a", "Macro", Base::Date(100), Base::Date(200), {}},
                       TimelineBand{"b", "Macro", Base::Date(300), Base::Date(400), {}}};
    const struct {
        double now;
        const char* band;
    } cases[] = {{50, "a"}, {100, "b"}, {300, "a"}, {500, "a"}};
    for (const auto& c : cases) {
        EXPECT_EQ(ShowreelDirector::macroBandToClick(timeline, Base::Date(c.now)), c.band) << c.now;
    }
    EXPECT_EQ(ShowreelDirector::macroBandToClick({}, Base::Date(0)), std::nullopt);
}

}  // namespace
}  // namespace WaylarkKit
