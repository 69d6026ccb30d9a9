#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "WaylarkKit/Views/SelectionEdges.h"
#include "WaylarkKit/Views/TimelineScale.h"
#include "WaylarkKit/tests/Views/TimelineTesting.h"

namespace WaylarkKit {
namespace {

using namespace TimelineTesting;
using Tone = SelectionEdges::Tone;
using ToneKind = Tone::Kind;
using TradingCore::IntervalColor;
using TradingCore::NewsImpact;

const Base::Date t0 = ny(3, 10, 9, 0);
Base::Date at(int minutes) { return t0 + minutes * 60.0; }

TradingCore::Timeline sample() {
    TradingCore::Timeline timeline;
    timeline.range = {at(0), at(240)};
    timeline.segments = {
        segment(at(0), at(30), StatusBase::gray, {TimelineReason::outsideWindows(at(-60), at(30), "Opening")}),
        segment(at(30), at(40), StatusBase::green,
                {TimelineReason::blackout("PPI", at(0), at(5), at(2)), TimelineReason::window("Opening", at(30), at(120))}),
        segment(at(40), at(50), StatusBase::red, {TimelineReason::blackout("CPI", at(40), at(50), at(45)),
                                                  TimelineReason::window("Opening", at(30), at(120))},
                NewsImpact::medium),
        segment(at(50), at(60), StatusBase::red, {TimelineReason::blackout("NFP", at(45), at(60), at(55))},
                NewsImpact::high),
        segment(at(60), at(70), StatusBase::red, {TimelineReason::window("Opening", at(30), at(120))}),
        segment(at(70), at(80), StatusBase::amber, {TimelineReason::window("Caution", at(70), at(80))}),
        segment(at(80), at(90), StatusBase::green),
        segment(at(90), at(100), StatusBase::gray, {TimelineReason::outsideWindows(std::nullopt, at(200), "Late")}),
        segment(at(100), at(110), StatusBase::gray, {TimelineReason::outsideWindows(at(95), std::nullopt, std::nullopt)}),
    };
    timeline.markers = {marker("CPI@1", at(45), "CPI")};
    timeline.macros = {band("m", "Macro", at(50), at(70))};
    timeline.customs = {band("c", "Plain", at(10), at(20)), band("p", "Pink", at(20), at(30), IntervalColor::pink),
                        band("p", "Pink twin", at(100), at(130), IntervalColor::teal)};
    return timeline;
}

TEST(TimelineEdgesTest, ResolverTable) {
    const auto timeline = sample();
    using E = std::optional<SelectionEdges>;
    const struct {
        const char* name;
        std::optional<TimelineSelection> selection;
        E edges;
    } rows[] = {
        {"nothing selected", std::nullopt, std::nullopt},
        {"gap between windows", TimelineSelection::segment(at(0)), SelectionEdges{at(-60), at(30), Tone::of(ToneKind::outside)}},
        {"window, not its blackout", TimelineSelection::segment(at(30)),
         SelectionEdges{at(30), at(120), Tone::of(ToneKind::window)}},
        {"medium blackout", TimelineSelection::segment(at(40)),
         SelectionEdges{at(40), at(50), Tone::of(ToneKind::restrictedMedium)}},
        {"high blackout", TimelineSelection::segment(at(50)), SelectionEdges{at(45), at(60), Tone::of(ToneKind::restricted)}},
        {"red without a blackout", TimelineSelection::segment(at(60)), std::nullopt},
        {"amber reads as a window", TimelineSelection::segment(at(70)),
         SelectionEdges{at(70), at(80), Tone::of(ToneKind::window)}},
        {"green without a window", TimelineSelection::segment(at(80)), std::nullopt},
        {"no earlier window", TimelineSelection::segment(at(90)),
         SelectionEdges{std::nullopt, at(200), Tone::of(ToneKind::outside)}},
        {"no later window", TimelineSelection::segment(at(100)),
         SelectionEdges{at(95), std::nullopt, Tone::of(ToneKind::outside)}},
        {"segment gone", TimelineSelection::segment(at(5)), std::nullopt},
        {"marker", TimelineSelection::marker("CPI@1"), SelectionEdges{at(45), std::nullopt, Tone::of(ToneKind::marker)}},
        {"macro", TimelineSelection::macro("m"), SelectionEdges{at(50), at(70), Tone::of(ToneKind::macro)}},
        {"same id, other kind", TimelineSelection::macro("CPI@1"), std::nullopt},
        {"custom without a colour", TimelineSelection::custom("c"),
         SelectionEdges{at(10), at(20), Tone::custom(IntervalColor::white)}},
        {"custom", TimelineSelection::custom("p"), SelectionEdges{at(20), at(30), Tone::custom(IntervalColor::pink)}},
        {"second of twins", TimelineSelection::custom("p", 1),
         SelectionEdges{at(100), at(130), Tone::custom(IntervalColor::teal)}},
        {"no third twin", TimelineSelection::custom("p", 2), std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(SelectionEdgesResolver::edges(row.selection, timeline), row.edges) << row.name;
    EXPECT_NE(Tone::custom(IntervalColor::pink), Tone::custom(IntervalColor::teal));
}

TEST(TimelineEdgesTest, EdgeLabelsPinBeyondTheRightEndAndVanishBeforeTheLeft) {
    const Base::Date now = ny(3, 10, 10, 0);
    const TimelineScale scale{now, 300, 3600};
    using L = std::optional<EdgeLabel>;
    const struct {
        Base::Date t;
        L label;
    } rows[] = {
        {now - 3600, EdgeLabel{"09:00", 0, false}},
        {now - 3601, std::nullopt},
        {now + 900, EdgeLabel{"10:15", 187.5, false}},
        {now + 3600, EdgeLabel{"11:00", 300, false}},
        {now + 3660, EdgeLabel{"11:01", 300, true}},
    };
    for (const auto& row : rows) EXPECT_EQ(scale.edgeLabel(row.t), row.label) << row.t.secondsSince1970 - now.secondsSince1970;
}

TEST(TimelineEdgesTest, LabelCentresTable) {
    using V = std::vector<double>;
    const struct {
        const char* name;
        double width;
        V xs;
        V centres;
    } rows[] = {
        {"none", 300, {}, {}},
        {"close pair spreads around its middle", 600, {295, 305}, {278, 322}},
        {"far pair stays", 600, {100, 300}, {100, 300}},
        {"at the left end", 300, {5, 8}, {20, 64}},
        {"each keeps its side", 300, {8, 5}, {64, 20}},
        {"at the right end", 300, {290, 295}, {236, 280}},
        {"bar narrower than two labels", 60, {20, 30}, {20, 40}},
        {"one near the left", 300, {3}, {20}},
        {"one at the right end", 300, {300}, {280}},
        {"three are clamped alone", 300, {0, 150, 299}, {20, 150, 280}},
        {"one in a bar narrower than a label", 30, {10}, {10}},
    };
    for (const auto& row : rows) {
        const TimelineScale scale{ny(3, 10, 10, 0), row.width, 3600};
        EXPECT_EQ(scale.edgeLabelCenters(row.xs, 40, 4), row.centres) << row.name;
    }
}

}  // namespace
}  // namespace WaylarkKit
