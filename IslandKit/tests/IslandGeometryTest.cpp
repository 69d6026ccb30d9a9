#include <gtest/gtest.h>

#include "IslandKit/Geometry/IslandGeometry.h"
#include "IslandKit/Geometry/IslandHover.h"

using namespace IslandKit;

namespace {

const Rect screen{0, 0, 1512, 982};
ScreenMetrics notched() { return ScreenMetrics{screen, Size{200, 32}, 32, std::nullopt, std::nullopt}; }
ScreenMetrics plain(double menuBar = 24) { return ScreenMetrics{screen, std::nullopt, menuBar, {}, {}}; }

struct LayoutCase {
    const char* name;
    IslandState state;
    ScreenMetrics metrics;
    IslandSlots slots;
    Rect rect;
    Rect leadingSlot;
    Rect trailingSlot;
    Rect expandedContent;
    Rect leadingRegion;
    Rect virtualNotch;
};

}  // namespace

TEST(IslandGeometryTest, LayoutsOfTheWorkedExamples) {
    const LayoutCase cases[] = {
        {"compact notch", IslandState::compact, notched(), {100, 150}, {534, 950, 494, 32}, {14, 0, 100, 32},
         {330, 0, 150, 32}, {14, 40, 466, 170}, {14, 0, 100, 32}, {122, 0, 200, 32}},
        {"expanded notch keeps its width", IslandState::expanded, notched(), {100, 150}, {534, 764, 494, 218},
         {14, 0, 100, 32}, {330, 0, 150, 32}, {14, 40, 466, 170}, {14, 0, 100, 32}, {122, 0, 200, 32}},
        {"compact narrow slots", IslandState::compact, notched(), {10, 10}, {624, 950, 264, 32}, {14, 0, 10, 32},
         {240, 0, 10, 32}, {14, 40, 236, 170}, {14, 0, 10, 32}, {32, 0, 200, 32}},
        {"expanded narrow slots grow leftward", IslandState::expanded, notched(), {10, 10},
         {460, 764, 428, 218}, {178, 0, 10, 32}, {404, 0, 10, 32}, {14, 40, 400, 170}, {14, 0, 174, 32},
         {196, 0, 200, 32}},
        {"virtual notch", IslandState::compact, plain(), {100, 150}, {539, 958, 484, 24}, {14, 0, 100, 24},
         {320, 0, 150, 24}, {14, 32, 456, 170}, {14, 0, 100, 24}, {122, 0, 190, 24}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const IslandLayout l = IslandGeometry::layout(c.state, c.metrics, c.slots, IslandStyle{});
        EXPECT_EQ(l.rect, c.rect);
        EXPECT_EQ(l.leadingSlot, c.leadingSlot);
        EXPECT_EQ(l.trailingSlot, c.trailingSlot);
        EXPECT_EQ(l.expandedContent, c.expandedContent);
        EXPECT_EQ(l.leadingRegion, c.leadingRegion);
        EXPECT_EQ(l.virtualNotch, c.virtualNotch);
        EXPECT_EQ(l.topCornerRadius, 6);
        EXPECT_EQ(l.bottomCornerRadius, 12);
    }
}

TEST(IslandGeometryTest, SlotMaximaScreenEdgesAndLeadingMinimum) {
    IslandStyle capped;
    capped.maxLeadingWidth = 50;
    capped.maxTrailingWidth = 20;
    IslandStyle wideLeading;
    wideLeading.expandedLeadingRegionMinWidth = 600;
    // A frame barely wider than the notch.
    const ScreenMetrics narrow{Rect{100, 0, 300, 500}, Size{200, 30}, 30, {}, {}};
    struct Case {
        const char* name;
        IslandState state;
        ScreenMetrics metrics;
        IslandSlots slots;
        IslandStyle style;
        Rect rect;
        double lead;
        double trail;
    };
    const Case cases[] = {
        {"maxima cut the slots", IslandState::compact, notched(), {100, 150}, capped, {584, 950, 314, 32}, 50, 20},
        {"compact cut at both edges", IslandState::compact, narrow, {100, 100}, {}, {100, 470, 300, 30}, 100, 100},
        // Needing 428 points it grows left past the edge, is shifted back right
        // by the overshoot and then cut at the right edge.
        {"expanded shifted, then cut", IslandState::expanded, narrow, {100, 100}, {}, {100, 284, 300, 216}, 100, 100},
        {"leading minimum widens leftward", IslandState::expanded, notched(), {100, 150}, wideLeading, {256, 764, 772, 218},
         100, 150},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const IslandLayout l = IslandGeometry::layout(c.state, c.metrics, c.slots, c.style);
        EXPECT_EQ(l.rect, c.rect);
        EXPECT_EQ(l.leadingSlot.width, c.lead);
        EXPECT_EQ(l.trailingSlot.width, c.trail);
    }
}

TEST(IslandHoverTest, ZonesOfTheFirstCompactExample) {
    const IslandLayout l = IslandGeometry::layout(IslandState::compact, notched(), {100, 150}, IslandStyle{});
    struct Case {
        Point at;
        std::optional<IslandHoverZone> zone;
    };
    const Case cases[] = {
        {{900, 970}, IslandHoverZone::trailing(36)},
        {{548, 981}, IslandHoverZone::leading()},
        {{540, 983}, std::nullopt},  // x = 6, left of the leading zone's edge at 10
        {{900, 985}, std::nullopt},  // 3 points above the top edge
        {{900, 984}, IslandHoverZone::trailing(36)},  // exactly 2 above is still in the band
        {{900, 950}, IslandHoverZone::trailing(36)},  // one notch height down
        {{900, 949}, std::nullopt},
        {{534 + 114 + 4, 970}, IslandHoverZone::leading()},  // leadingSlot.maxX + slack
        {{534 + 114 + 5, 970}, std::nullopt},
        {{534 + 330 - 14, 970}, IslandHoverZone::trailing(-14)},
        {{534 + 330 - 15, 970}, std::nullopt},
        {{534 + 480 + 12, 970}, IslandHoverZone::trailing(162)},
        {{534 + 480 + 13, 970}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at.x << "," << c.at.y);
        EXPECT_EQ(IslandHover::zone(c.at, l, 4, 14), c.zone);
    }
}

TEST(IslandHoverTest, OverlapGoesToLeadingAndEmptySlotsNeverMatch) {
    IslandLayout l;
    l.rect = {0, 0, 200, 30};
    l.leadingSlot = {10, 0, 50, 30};
    l.leadingRegion = {10, 0, 50, 30};
    l.trailingSlot = {62, 0, 50, 30};
    EXPECT_EQ(IslandHover::zone({61, 15}, l, 4, 14), IslandHoverZone::leading());
    l.leadingSlot.width = 0;
    EXPECT_EQ(IslandHover::zone({61, 15}, l, 4, 14), IslandHoverZone::trailing(-1));
    l.trailingSlot.width = 0;
    EXPECT_EQ(IslandHover::zone({61, 15}, l, 4, 14), std::nullopt);
    // The trailing zone's right allowance is at least 12 whatever the slack.
    l.trailingSlot.width = 50;
    EXPECT_EQ(IslandHover::zone({112 + 12, 15}, l, 0, 0), IslandHoverZone::trailing(62));
}

TEST(IslandHoverTest, ExpandedLeadingZoneStartsAtTheContentEdge) {
    const IslandLayout l = IslandGeometry::layout(IslandState::expanded, notched(), {10, 10}, IslandStyle{});
    // leadingRegion starts at 14 while the slot sits at 178.
    EXPECT_EQ(IslandHover::zone({460 + 14 - 4, 970}, l, 4, 14), IslandHoverZone::leading());
    EXPECT_EQ(IslandHover::zone({460 + 14 - 5, 970}, l, 4, 14), std::nullopt);
    // The expanded content below the band is never a zone.
    EXPECT_EQ(IslandHover::zone({600, 900}, l, 4, 14), std::nullopt);
}
