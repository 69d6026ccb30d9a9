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
using K = Tone::Kind;
using TradingCore::IntervalColor;


TEST(TimelineEdgesTest, ResolverTable) {
    const auto window = TimelineReason::window("Opening", at(30), at(120));
    TradingCore::Timeline timeline;
    timeline.segments = {
        segment(at(0), at(30), StatusBase::gray, {TimelineReason::outsideWindows(at(-60), at(30), "Opening")}),
        segment(at(30), at(40), StatusBase::green, {TimelineReason::blackout("PPI", at(0), at(5), at(2)), window}),
        segment(at(40), at(50), StatusBase::red, {TimelineReason::blackout("CPI", at(40), at(50), at(45)), window},
                NewsImpact::medium),
        segment(at(50), at(60), StatusBase::red, {TimelineReason::blackout("NFP", at(45), at(60), at(55))}),
        segment(at(60), at(70), StatusBase::red, {window}),
        segment(at(70), at(80), StatusBase::amber, {TimelineReason::window("Caution", at(70), at(80))}),
        segment(at(80), at(90), StatusBase::green),
        segment(at(90), at(100), StatusBase::gray, {TimelineReason::outsideWindows({}, at(200), "Late")}),
        segment(at(100), at(110), StatusBase::gray, {TimelineReason::outsideWindows(at(95), {}, {})}),
    };
    timeline.markers = {marker("CPI@1", at(45), "CPI")};
    timeline.macros = {band("m", "Macro", at(50), at(70))};
    timeline.customs = {band("c", "Plain", at(10), at(20)), band("p", "Pink", at(20), at(30), IntervalColor::pink),
                        band("p", "Twin", at(100), at(130), IntervalColor::teal)};
    using S = TimelineSelection;
    using E = SelectionEdges;
    const struct {
        std::optional<S> selection;
        std::optional<E> edges;
    } rows[] = {
        {std::nullopt, std::nullopt},
        {S::segment(at(0)), E{at(-60), at(30), Tone::of(K::outside)}},   // the gap between windows
        {S::segment(at(30)), E{at(30), at(120), Tone::of(K::window)}},   // the whole window, not the old blackout
        {S::segment(at(40)), E{at(40), at(50), Tone::of(K::restrictedMedium)}},
        {S::segment(at(50)), E{at(45), at(60), Tone::of(K::restricted)}},  // no impact: as a high one
        {S::segment(at(60)), std::nullopt},                              // red without a blackout
        {S::segment(at(70)), E{at(70), at(80), Tone::of(K::window)}},    // amber reads as a window
        {S::segment(at(80)), std::nullopt},                              // green without a window
        {S::segment(at(90)), E{std::nullopt, at(200), Tone::of(K::outside)}},
        {S::segment(at(100)), E{at(95), std::nullopt, Tone::of(K::outside)}},
        {S::segment(at(5)), std::nullopt},                               // gone
        {S::marker("CPI@1"), E{at(45), std::nullopt, Tone::of(K::marker)}},
        {S::macro("m"), E{at(50), at(70), Tone::of(K::macro)}},
        {S::macro("CPI@1"), std::nullopt},                               // same id, other kind
        {S::custom("c"), E{at(10), at(20), Tone::custom(IntervalColor::white)}},
        {S::custom("p"), E{at(20), at(30), Tone::custom(IntervalColor::pink)}},
        {S::custom("p", 1), E{at(100), at(130), Tone::custom(IntervalColor::teal)}},  // the second of two twins
        {S::custom("p", 2), std::nullopt},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(SelectionEdgesResolver::edges(rows[i].selection, timeline), rows[i].edges) << "row " << i;
    }
}

TEST(TimelineEdgesTest, EdgeLabelsAndTheirCentres) {
    const Base::Date now = ny(3, 10, 10, 0);
    const TimelineScale scale{now, 300, 3600};
    EXPECT_EQ(scale.edgeLabel(now - 3600), (EdgeLabel{"09:00", 0, false}));
    EXPECT_EQ(scale.edgeLabel(now - 3601), std::nullopt);
    EXPECT_EQ(scale.edgeLabel(now + 900), (EdgeLabel{"10:15", 187.5, false}));
    EXPECT_EQ(scale.edgeLabel(now + 3600), (EdgeLabel{"11:00", 300, false}));
    EXPECT_EQ(scale.edgeLabel(now + 3660), (EdgeLabel{"11:01", 300, true}));

    using V = std::vector<double>;
    const struct {
        double width;
        V xs, centres;
    } rows[] = {
        {300, {}, {}},
        {600, {295, 305}, {278, 322}},  // too close: spread around their middle
        {600, {100, 300}, {100, 300}},
        {300, {5, 8}, {20, 64}},        // pushed in from the left end
        {300, {8, 5}, {64, 20}},        // each keeps its side
        {300, {290, 295}, {236, 280}},  // pushed in from the right end
        {60, {20, 30}, {20, 40}},       // a bar narrower than two labels
        {300, {3}, {20}},
        {300, {300}, {280}},
        {300, {0, 150, 299}, {20, 150, 280}},
        {30, {10}, {10}},               // a bar narrower than one label
    };
    for (const auto& row : rows) EXPECT_EQ((TimelineScale{now, row.width, 3600}.edgeLabelCenters(row.xs, 40, 4)), row.centres);
}

}  // namespace
}  // namespace WaylarkKit
