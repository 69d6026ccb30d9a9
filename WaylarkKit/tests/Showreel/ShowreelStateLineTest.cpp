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

Evaluation evaluation(StatusBase base, std::optional<std::string> window = std::nullopt,
                      std::vector<Activity> activities = {}, std::optional<NewsImpact> impact = std::nullopt) {
    Evaluation e;
    e.base = base;
    e.windowName = std::move(window);
    e.activities = std::move(activities);
    e.restrictionImpact = impact;
    return e;
}

TEST(ShowreelStateLine, DescribesStatusActivitiesFlagsAndPanel) {
    using K = ActivityKind;
    using P = ActivityPhase;
    const struct {
        Evaluation evaluation;
        bool celebrating;
        bool greeting;
        std::optional<L2Tab> panel;
        const char* line;
    } cases[] = {
        {evaluation(StatusBase::gray), false, false, {}, "Out"},
        {evaluation(StatusBase::amber), false, false, {}, "Out"},
        {evaluation(StatusBase::green), false, false, {}, "Session"},
        {evaluation(StatusBase::green, "Opening"), false, false, {}, "Session (Opening)"},
        {evaluation(StatusBase::red, "Opening", {}, NewsImpact::medium), false, false, {}, "Restricted Medium"},
        {evaluation(StatusBase::red, "Opening", {}, NewsImpact::low), false, false, {}, "Restricted High"},
        {evaluation(StatusBase::red), false, false, {}, "Restricted High"},
        {evaluation(StatusBase::green, "Opening", {activity(K::custom, P::active, "Kill zone", IntervalColor::pink)}),
         false,
         false,
         {},
         "Session (Opening) · custom \"Kill zone\" [pink]"},
        {evaluation(StatusBase::red, "Opening", {activity(K::news, P::restricted, "CPI")}, NewsImpact::high), false,
         false, L2Tab::timeline, "Restricted High · L2: timeline"},
        // Only a news countdown and a running macro or custom time are named, in order.
        {evaluation(StatusBase::gray, {},
                    {activity(K::news, P::upcoming, "CPI"), activity(K::news, P::active, "NFP"),
                     activity(K::news, P::ended, "PPI"), activity(K::macro, P::upcoming, "Macro"),
                     activity(K::macro, P::active, "Lunch Macro"), activity(K::macro, P::ended, "Macro"),
                     activity(K::custom, P::upcoming, "Soon"), activity(K::custom, P::ended, "Gone"),
                     activity(K::custom, P::active, "Plain")}),
         false,
         false,
         {},
         "Out · news countdown \"CPI\" · macro \"Lunch Macro\" · custom \"Plain\""},
        {evaluation(StatusBase::gray), true, true, L2Tab::calculator,
         "Out · greeting · checklist celebration · L2: calculator"},
        {evaluation(StatusBase::gray), false, false, L2Tab::weekly, "Out · L2: weekly"},
        {evaluation(StatusBase::gray), false, false, L2Tab::checklist, "Out · L2: checklist"},
        {evaluation(StatusBase::green, {}, {activity(K::custom, P::active, "Kill", IntervalColor::teal)}), false,
         false, {}, "Session · custom \"Kill\" [teal]"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShowreelDirector::describe(c.evaluation, c.celebrating, c.greeting, c.panel), c.line);
    }
}

TEST(ShowreelLogLine, PrefixesTheElapsedTimeRightAligned) {
    EXPECT_EQ(ShowreelDirector::line(12.5, "CLIP 1  x"), "[t=  12.5s] CLIP 1  x");
    EXPECT_EQ(ShowreelDirector::line(0, "state   Out"), "[t=   0.0s] state   Out");
    EXPECT_EQ(ShowreelDirector::line(220.44, "DONE"), "[t= 220.4s] DONE");
    EXPECT_EQ(ShowreelDirector::line(12345.67, ""), "[t=12345.7s] ");
}

}  // namespace
}  // namespace WaylarkKit
