#include "WaylarkKit/Views/ActivityView.h"

#include <gtest/gtest.h>

#include "WaylarkKit/Views/ImpactColor.h"
#include "WaylarkKit/Views/IntervalColorDisplay.h"

namespace WaylarkKit {
namespace {

using enum TradingCore::ActivityKind;
using enum TradingCore::ActivityPhase;
using TradingCore::IntervalColor;
using TradingCore::NewsImpact;

const Base::Date now(1'773'000'000);

TradingCore::Activity activity(TradingCore::ActivityKind kind, TradingCore::ActivityPhase phase, std::string title,
                               std::optional<double> inSeconds, bool justStarted = false,
                               std::optional<NewsImpact> impact = {}, std::optional<IntervalColor> colour = {}) {
    TradingCore::Activity a;
    a.id = "x";
    a.kind = kind;
    a.phase = phase;
    a.title = std::move(title);
    if (inSeconds) a.target = now + *inSeconds;
    a.justStarted = justStarted;
    a.impact = impact;
    a.color = colour;
    return a;
}

TEST(ActivityViewTest, TextsColoursAndPulse) {
    const Rgba white = Palette::white;
    const Rgba dim = white.withOpacity(0.55);
    const Rgba pink = displayColor(IntervalColor::pink);
    const char* pce = "Core PCE Price Index m/m";
    const auto london = [](TradingCore::ActivityPhase phase, std::optional<double> in, bool justStarted = false) {
        return activity(custom, phase, "London", in, justStarted, {}, IntervalColor::pink);
    };
    const struct {
        TradingCore::Activity activity;
        const char* label;
        std::optional<std::string> countdown;
        bool pulses;
        Rgba tint;
    } rows[] = {
        {activity(news, upcoming, pce, 245), "Core PCE Pric\u2026", "4:05", false, white},
        {activity(news, restricted, pce, 30), "Core PCE Pric\u2026", "0:30", true, ImpactColor::high},
        {activity(news, restricted, pce, 30, false, NewsImpact::medium), "Core PCE Pric\u2026", "0:30", true,
         ImpactColor::medium},
        {activity(news, ended, pce, std::nullopt), "Restriction ended", std::nullopt, false, dim},
        {activity(news, upcoming, "Fourteen chars", 5), "Fourteen chars", "0:05", false, white},
        {activity(macro, upcoming, "Macro", 480), "Macro in 8m", std::nullopt, false, white},
        {activity(macro, active, "Macro", 590, true), "MACRO", std::nullopt, true, white},
        {activity(macro, active, "Macro", 65), "M", "1:05", true, white},
        {activity(macro, ended, "Macro", std::nullopt), "Macro ended", std::nullopt, false, dim},
        {activity(macro, active, "Lunch Macro", 600), "LM", "10:00", true, white},
        {activity(macro, ended, "Lunch Macro", std::nullopt), "LM ended", std::nullopt, false, dim},
        {london(upcoming, 90), "London in 2m", std::nullopt, false, pink},
        {london(active, 100, true), "London", std::nullopt, true, pink},
        {london(active, 100), "Lond", "1:40", true, pink},
        {london(ended, std::nullopt), "Lond ended", std::nullopt, false, pink.withOpacity(0.55)},
        // No target: the countdown reads 0:00 and the minutes 1m.
        {activity(custom, active, "Asia", std::nullopt), "Asia", "0:00", true, white},
        {activity(custom, upcoming, "Asia", std::nullopt), "Asia in 1m", std::nullopt, false, white},
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
    EXPECT_EQ(pulse(activity(news, restricted, "CPI", 10)), ImpactColor::high);
    EXPECT_EQ(pulse(activity(news, restricted, "CPI", 10, false, NewsImpact::medium)), ImpactColor::medium);
    EXPECT_EQ(pulse(activity(macro, active, "Macro", 10)), Palette::orange);
    EXPECT_EQ(pulse(activity(custom, active, "NY", 10, false, {}, IntervalColor::teal)), displayColor(IntervalColor::teal));
    EXPECT_EQ(pulse(activity(custom, active, "NY", 10)), Palette::white);
}

}  // namespace
}  // namespace WaylarkKit
