#include <gtest/gtest.h>

#include <tuple>

#include "WaylarkKit/L2/PanelMotion.h"
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
    const auto restricted = [](std::vector<TradingCore::Activity> activities, L2Tab tab = L2Tab::weekly) {
        TradingCore::Evaluation e;
        e.activities = std::move(activities);
        return stripRestriction(tab, e);
    };
    EXPECT_EQ(restricted({}), std::nullopt);
    EXPECT_EQ(restricted({news(ActivityPhase::upcoming, NewsImpact::high)}), std::nullopt);
    EXPECT_EQ(restricted({news(ActivityPhase::restricted, NewsImpact::medium)}), ImpactColor::medium);
    EXPECT_EQ(restricted({news(ActivityPhase::restricted, NewsImpact::medium), news(ActivityPhase::restricted, {})}),
              ImpactColor::high);
    EXPECT_EQ(restricted({news(ActivityPhase::restricted, NewsImpact::high)}), ImpactColor::high);
    EXPECT_EQ(restricted({news(ActivityPhase::restricted, NewsImpact::high)}, L2Tab::checklist), std::nullopt);
}

TEST(StripTest, HoverFadesBetweenTheTwoLooks) {
    const Rgba red = ImpactColor::high;
    EXPECT_EQ(StripLook::hovering(red, 0), StripLook::make(red, false));
    EXPECT_EQ(StripLook::hovering(std::nullopt, 1), StripLook::make(std::nullopt, true));
    EXPECT_NEAR(StripLook::hovering(std::nullopt, 0.5).label.opacity, (0.5 + 0.95) / 2, 1e-9);
    EXPECT_EQ(stripLabel(L2Tab::calculator), "LOT SIZE");  // the others show in the panel's goldens
}

TEST(StripTest, PanelMotion) {
    // The blink dips three times to 0.3, resting at 0.85 before and after; a
    // refused next swipe shakes left first, a previous one right.
    const KeyframeTrack blink = PanelMotion::stripBlink(10), breathing = PanelMotion::stripBreathing(0),
                        next = PanelMotion::headShake(TabSwipeDirection::next, 0),
                        previous = PanelMotion::headShake(TabSwipeDirection::previous, 0);
    const std::tuple<const KeyframeTrack&, double, double> samples[] = {
        {blink, 9, 0.85},   {blink, 10.6, 0.3}, {blink, 11.2, 1.0}, {blink, 11.8, 0.3},    {blink, 13, 0.3},
        {blink, 13.6, 0.85}, {blink, 20, 0.85}, {breathing, 1.1, 0.4}, {next, 0.09, -10}, {next, 0.19, 7},
        {previous, 0.09, 10}, {next, 0.44, 0},
    };
    for (const auto& [track, t, value] : samples) EXPECT_NEAR(*track.sample(t), value, 1e-9) << t;
    EXPECT_NEAR(*breathing.sample(22), 1.0, 1e-6);  // for as long as it lasts
    EXPECT_DOUBLE_EQ(next.settlesAt(), 0.44);
}

}  // namespace
}  // namespace WaylarkKit
