#include <gtest/gtest.h>

#include "Base/testing/NotificationCounter.h"
#include "WaylarkKit/L2/PanelMotion.h"
#include "WaylarkKit/L2/StripHoverState.h"
#include "WaylarkKit/L2/StripLook.h"
#include "WaylarkKit/Views/ImpactColor.h"

namespace WaylarkKit {
namespace {

using TradingCore::ActivityKind;
using TradingCore::ActivityPhase;
using TradingCore::NewsImpact;

TradingCore::Activity news(ActivityPhase phase, std::optional<NewsImpact> impact) {
    TradingCore::Activity a;
    a.kind = ActivityKind::news;
    a.phase = phase;
    a.impact = impact;
    return a;
}

TEST(StripTest, WeeklyStripTakesTheColourOfRunningBlackouts) {
    const auto restricted = [](std::vector<TradingCore::Activity> activities) {
        TradingCore::Evaluation e;
        e.activities = std::move(activities);
        return stripRestriction(L2Tab::weekly, e);
    };
    EXPECT_EQ(restricted({}), std::nullopt);
    EXPECT_EQ(restricted({news(ActivityPhase::upcoming, NewsImpact::high)}), std::nullopt);
    EXPECT_EQ(restricted({news(ActivityPhase::restricted, NewsImpact::medium)}), ImpactColor::medium);
    EXPECT_EQ(restricted({news(ActivityPhase::restricted, NewsImpact::medium), news(ActivityPhase::restricted, {})}),
              ImpactColor::high);
    EXPECT_EQ(restricted({news(ActivityPhase::restricted, NewsImpact::high)}), ImpactColor::high);
    TradingCore::Evaluation e;
    e.activities = {news(ActivityPhase::restricted, NewsImpact::high)};
    EXPECT_EQ(stripRestriction(L2Tab::checklist, e), std::nullopt);
}

TEST(StripTest, HoverFadesBetweenTheTwoLooks) {
    const Rgba red = ImpactColor::high;
    EXPECT_EQ(StripLook::hovering(red, 0), StripLook::make(red, false));
    EXPECT_EQ(StripLook::hovering(std::nullopt, 1), StripLook::make(std::nullopt, true));
    EXPECT_NEAR(StripLook::hovering(std::nullopt, 0.5).label.opacity, (0.5 + 0.95) / 2, 1e-9);
}

TEST(StripTest, HoverSurvivesEventsOutOfOrder) {
    StripHoverState hover;
    Base::Testing::NotificationCounter changes([&](auto o) { return hover.observe(o); });
    hover.set(L2Tab::weekly, true);
    hover.set(L2Tab::checklist, true);  // entered before weekly's leave arrives
    hover.set(L2Tab::weekly, false);
    EXPECT_EQ(hover.tab(), L2Tab::checklist);
    hover.set(L2Tab::checklist, true);
    EXPECT_EQ(changes.take(), 2u);
    hover.set(L2Tab::checklist, false);
    EXPECT_EQ(hover.tab(), std::nullopt);
}

TEST(StripTest, PanelMotion) {
    // The blink: three dips to 0.3, resting at 0.85 before and after.
    const KeyframeTrack blink = PanelMotion::stripBlink(10);
    for (const auto& [t, opacity] : std::vector<std::pair<double, double>>{
             {9, 0.85}, {10.6, 0.3}, {11.2, 1.0}, {11.8, 0.3}, {13, 0.3}, {13.6, 0.85}, {20, 0.85}}) {
        EXPECT_NEAR(*blink.sample(t), opacity, 1e-9) << t;
    }
    const KeyframeTrack breathing = PanelMotion::stripBreathing(0);
    EXPECT_NEAR(*breathing.sample(1.1), 0.4, 1e-9);
    EXPECT_NEAR(*breathing.sample(22), 1.0, 1e-6);  // for as long as it lasts
    // A refused next swipe shakes left first; previous right; at rest after 0.44 s.
    const KeyframeTrack next = PanelMotion::headShake(TabSwipeDirection::next, 0);
    const KeyframeTrack previous = PanelMotion::headShake(TabSwipeDirection::previous, 0);
    EXPECT_NEAR(*next.sample(0.09), -10, 1e-9);
    EXPECT_NEAR(*next.sample(0.19), 7, 1e-9);
    EXPECT_NEAR(*previous.sample(0.09), 10, 1e-9);
    EXPECT_NEAR(*next.sample(0.44), 0, 1e-9);
    EXPECT_DOUBLE_EQ(next.settlesAt(), 0.44);
}

}  // namespace
}  // namespace WaylarkKit
