#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "WaylarkKit/Style/Palette.h"
#include "WaylarkKit/Views/TimelineCanvas.h"
#include "WaylarkKit/tests/Views/TimelineTesting.h"

namespace WaylarkKit {
namespace {

using namespace TimelineTesting;
using IslandKit::Rect;

// A 300-point bar over ±1 h: one point is 24 s, now at x = 150.
const Base::Date now = ny(3, 10, 10, 0);
Base::Date atX(double x) { return now + (x - 150) * 24; }
const TimelineScale scale{now, 300, 3600};

::testing::AssertionResult same(const Rect& a, const Rect& b) {
    if (std::max({std::abs(a.x - b.x), std::abs(a.y - b.y), std::abs(a.width - b.width), std::abs(a.height - b.height)}) < 1e-9) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.width << ", " << a.height << ")";
}

TradingCore::Timeline sample() {
    TradingCore::Timeline timeline;
    timeline.range = {atX(0), atX(300)};
    timeline.segments = {segment(atX(-100), atX(100), StatusBase::gray), segment(atX(100), atX(200), StatusBase::green),
                         segment(atX(200), atX(400), StatusBase::gray)};
    timeline.macros = {band("m", "Macro", atX(120), atX(140)), band("m", "Macro", atX(160), atX(180))};
    timeline.customs = {band("c", "One", atX(40), atX(90)), band("d", "Two", atX(60), atX(170)),
                        band("e", "Three", atX(80), atX(100)), band("f", "Gone", atX(-50), atX(-10))};
    timeline.markers = {marker("first", atX(2), "Early"), marker("n", atX(130), "CPI"), marker("n", atX(290), "CPI")};
    return timeline;
}

TEST(TimelineCanvasTest, PiecesRailsAndMarkersArePlaced) {
    const TimelineCanvas canvas = TimelineCanvas::make(sample(), scale, std::nullopt);
    ASSERT_EQ(canvas.pieces.size(), 3u);
    EXPECT_TRUE(same(canvas.pieces[0].frame, Rect{0, 54, 99, 22}));  // one point left as a gap
    // The hatched pieces lie on the bar exactly where the macros are.
    ASSERT_EQ(canvas.macroPieces.size(), 2u);
    EXPECT_TRUE(same(canvas.macroPieces[0].frame, Rect{120, 54, 19, 22}));
    EXPECT_EQ(canvas.macroPieces[1].selection, TimelineSelection::macro("m", 1));
    // Three overlapping customs on two rows, the third over row 1; the one in the past draws nothing.
    ASSERT_EQ(canvas.rails.size(), 3u);
    EXPECT_TRUE(same(canvas.rails[0].frame, Rect{40, 49, 50, 2}));
    EXPECT_TRUE(same(canvas.rails[1].frame, Rect{60, 45.5, 110, 2}));
    EXPECT_TRUE(same(canvas.rails[2].frame, Rect{80, 45.5, 20, 2}));
    EXPECT_NEAR(canvas.rails[1].past, 90, 1e-9);
    EXPECT_TRUE(same(canvas.rails[1].tapArea, Rect{60, 43, 110, 9}));
    // Markers stay 18 points inside the ends.
    ASSERT_EQ(canvas.markers.size(), 3u);
    EXPECT_TRUE(same(canvas.markers[0].frame, Rect{-4, 20, 44, 26}));
    EXPECT_NEAR(canvas.markers[2].x, 282, 1e-9);
    EXPECT_EQ(canvas.nowText, "10:00:00");
    EXPECT_EQ(std::count_if(canvas.ticks.begin(), canvas.ticks.end(), [](const auto& t) { return t.label.has_value(); }),
              3);  // 09:30, 10:00, 10:30; 09:00 and 11:00 sit on the ends
}

TEST(TimelineCanvasTest, ASelectionMarksOnlyTheItemTapped) {
    const TimelineCanvas twin = TimelineCanvas::make(sample(), scale, TimelineSelection::marker("n", 1));
    EXPECT_FALSE(twin.markers[1].selected);
    EXPECT_EQ(twin.markers[2].color, Palette::white);
    EXPECT_TRUE(std::none_of(twin.ticks.begin(), twin.ticks.end(), [](const auto& t) { return t.label.has_value(); }));
    ASSERT_EQ(twin.edges.size(), 1u);
    EXPECT_NEAR(twin.edges[0].center, 280, 1e-9);

    const TimelineCanvas rail = TimelineCanvas::make(sample(), scale, TimelineSelection::custom("d"));
    EXPECT_TRUE(same(rail.rails[1].frame, Rect{60, 45, 110, 3}));
    EXPECT_FALSE(rail.rails[0].selected);
    ASSERT_EQ(rail.edges.size(), 2u);
    EXPECT_NEAR(rail.edges[1].center, 170, 1e-9);
}

TEST(TimelineCanvasTest, TapsHitTheTopmostItem) {
    const TimelineCanvas canvas = TimelineCanvas::make(sample(), scale, std::nullopt);
    const struct {
        IslandKit::Point point;
        std::optional<TimelineSelection> hit;
    } rows[] = {
        {{130, 30}, TimelineSelection::marker("n", 0)},     // marker
        {{130, 45}, TimelineSelection::marker("n", 0)},     // marker over a rail's strip
        {{65, 44}, TimelineSelection::custom("d")},         // rail strip, whatever the row
        {{85, 51}, TimelineSelection::custom("e")},         // the later rail's strip on top
        {{130, 60}, TimelineSelection::macro("m", 0)},      // hatched piece over the window
        {{170, 60}, TimelineSelection::macro("m", 1)},
        {{150, 70}, TimelineSelection::segment(atX(100))},  // under the now line
        {{50, 60}, TimelineSelection::segment(atX(-100))},  // under the dimmed past
        {{99.5, 60}, std::nullopt},                         // the gap between pieces
        {{250, 10}, std::nullopt},
        {{250, 90}, std::nullopt},
    };
    for (const auto& row : rows) EXPECT_EQ(canvas.hit(row.point), row.hit) << row.point.x << "," << row.point.y;
}

}  // namespace
}  // namespace WaylarkKit
