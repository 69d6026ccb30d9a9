#include "WaylarkKit/Views/ActivityView.h"

#include <gtest/gtest.h>

#include "WaylarkKit/Views/ImpactColor.h"
#include "WaylarkKit/Views/IntervalColorDisplay.h"

namespace WaylarkKit {
namespace {

using TradingCore::ActivityKind;
using TradingCore::ActivityPhase;
using TradingCore::IntervalColor;
using TradingCore::NewsImpact;

const Base::Date now(1'773'000'000);

TradingCore::Activity activity(ActivityKind kind, ActivityPhase phase, std::string title,
                               std::optional<double> inSeconds, bool justStarted = false) {
    TradingCore::Activity a;
    a.id = "x";
    a.kind = kind;
    a.phase = phase;
    a.title = std::move(title);
    if (inSeconds) a.target = now + *inSeconds;
    a.justStarted = justStarted;
    return a;
}

TradingCore::Activity withImpact(TradingCore::Activity a, NewsImpact impact) {
    a.impact = impact;
    return a;
}

TradingCore::Activity withColour(TradingCore::Activity a, IntervalColor colour) {
    a.color = colour;
    return a;
}

TEST(ActivityViewTest, TextsColoursAndPulse) {
    const Rgba white = Palette::white;
    const Rgba dim = white.withOpacity(0.55);
    const Rgba pink = displayColor(IntervalColor::pink);
    const auto pce = [](ActivityPhase phase, std::optional<double> in) {
        return activity(ActivityKind::news, phase, "Core PCE Price Index m/m", in);
    };
    const struct {
        TradingCore::Activity activity;
        const char* label;
        std::optional<std::string> countdown;
        bool pulses;
        Rgba tint;
    } rows[] = {
        {pce(ActivityPhase::upcoming, 245), "Core PCE Pric\u2026", "4:05", false, white},
        {pce(ActivityPhase::restricted, 30), "Core PCE Pric\u2026", "0:30", true, ImpactColor::high},
        {withImpact(pce(ActivityPhase::restricted, 30), NewsImpact::medium), "Core PCE Pric\u2026", "0:30", true,
         ImpactColor::medium},
        {pce(ActivityPhase::ended, std::nullopt), "Restriction ended", std::nullopt, false, dim},
        {activity(ActivityKind::news, ActivityPhase::upcoming, "Fourteen chars", 5), "Fourteen chars", "0:05", false,
         white},
        {activity(ActivityKind::macro, ActivityPhase::upcoming, "Macro", 480), "Macro in 8m", std::nullopt, false, white},
        {activity(ActivityKind::macro, ActivityPhase::active, "Macro", 590, true), "MACRO", std::nullopt, true, white},
        {activity(ActivityKind::macro, ActivityPhase::active, "Macro", 65), "M", "1:05", true, white},
        {activity(ActivityKind::macro, ActivityPhase::ended, "Macro", std::nullopt), "Macro ended", std::nullopt, false,
         dim},
        {activity(ActivityKind::macro, ActivityPhase::active, "Lunch Macro", 600), "LM", "10:00", true, white},
        {activity(ActivityKind::macro, ActivityPhase::ended, "Lunch Macro", std::nullopt), "LM ended", std::nullopt,
         false, dim},
        {withColour(activity(ActivityKind::custom, ActivityPhase::upcoming, "London", 90), IntervalColor::pink),
         "London in 2m", std::nullopt, false, pink},
        {withColour(activity(ActivityKind::custom, ActivityPhase::active, "London", 100, true), IntervalColor::pink),
         "London", std::nullopt, true, pink},
        {withColour(activity(ActivityKind::custom, ActivityPhase::active, "London", 100), IntervalColor::pink), "Lond",
         "1:40", true, pink},
        {withColour(activity(ActivityKind::custom, ActivityPhase::ended, "London", std::nullopt), IntervalColor::pink),
         "Lond ended", std::nullopt, false, pink.withOpacity(0.55)},
        // No target: the countdown reads 0:00 and the minutes 1m.
        {activity(ActivityKind::custom, ActivityPhase::active, "Asia", std::nullopt), "Asia", "0:00", true, white},
        {activity(ActivityKind::custom, ActivityPhase::upcoming, "Asia", std::nullopt), "Asia in 1m", std::nullopt,
         false, white},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const ActivityView view{row.activity, now};
        EXPECT_EQ(view.parts(), (ActivityParts{row.label, row.countdown}));
        EXPECT_EQ(view.pulses(), row.pulses);
        EXPECT_EQ(view.tint(), row.tint);
    }
}

TEST(ActivityViewTest, PulseColours) {
    const auto pulse = [](TradingCore::Activity a) { return ActivityView{std::move(a), now}.pulseColor(); };
    const auto news = activity(ActivityKind::news, ActivityPhase::restricted, "CPI", 10);
    EXPECT_EQ(pulse(news), ImpactColor::high);
    EXPECT_EQ(pulse(withImpact(news, NewsImpact::medium)), ImpactColor::medium);
    EXPECT_EQ(pulse(activity(ActivityKind::macro, ActivityPhase::active, "Macro", 10)), Palette::orange);
    EXPECT_EQ(pulse(withColour(activity(ActivityKind::custom, ActivityPhase::active, "NY", 10), IntervalColor::teal)),
              displayColor(IntervalColor::teal));
    EXPECT_EQ(pulse(activity(ActivityKind::custom, ActivityPhase::active, "NY", 10)), Palette::white);
}

}  // namespace
}  // namespace WaylarkKit
