#include "WaylarkKit/L2/L2Layout.h"

#include <gtest/gtest.h>

#include "WaylarkKit/tests/Timing/TimingFixture.h"

namespace WaylarkKit {
namespace {

using Tab = L2Tab;

std::vector<L2Region> panel(double width, const std::vector<L2Anchor>& anchors, Tab active) {
    return L2Layout::regions(width, anchors, active, 40, 46, 4, 140);
}

TEST(L2LayoutTest, Regions) {
    const std::vector<L2Anchor> wide = {{Tab::weekly, 250, 300}, {Tab::checklist, 330, 350}};
    const std::vector<L2Anchor> narrow = {{Tab::checklist, 160, 190}, {Tab::weekly, 120, 150}};
    const struct {
        const char* name;
        double width;
        std::vector<L2Anchor> anchors;
        Tab active;
        std::vector<L2Region> regions;
    } rows[] = {
        {"no anchors", 400, {}, Tab::checklist, {{Tab::timeline, 2, 396, true}}},
        {"timeline", 400, wide, Tab::timeline,
         {{Tab::timeline, 2, 241, true}, {Tab::weekly, 247, 66, false}, {Tab::checklist, 317, 81, false}}},
        {"weekly", 400, wide, Tab::weekly,
         {{Tab::timeline, 2, 36, false}, {Tab::weekly, 42, 271, true}, {Tab::checklist, 317, 81, false}}},
        {"checklist", 400, wide, Tab::checklist,
         {{Tab::timeline, 2, 36, false}, {Tab::weekly, 42, 36, false}, {Tab::checklist, 82, 316, true}}},
        {"active without anchor", 400, wide, Tab::calculator,
         {{Tab::timeline, 2, 241, true}, {Tab::weekly, 247, 66, false}, {Tab::checklist, 317, 81, false}}},
        // Boundaries 115, 155, 200 widen to 108, 154, 200; the strips shrink to 30.
        {"shrunk strips", 200, narrow, Tab::checklist,
         {{Tab::timeline, 2, 26, false}, {Tab::weekly, 32, 26, false}, {Tab::checklist, 62, 136, true}}},
        // Never narrower than 20: the main region gives way.
        {"narrowest strips", 100, {{Tab::weekly, 60, 70}, {Tab::checklist, 80, 90}}, Tab::checklist,
         {{Tab::timeline, 2, 16, false}, {Tab::weekly, 22, 16, false}, {Tab::checklist, 42, 56, true}}},
        // Equal left edges keep the candidates' order; a strip pushed off the
        // left edge keeps no negative width.
        {"equal edges", 100, {{Tab::weekly, 10, 20}, {Tab::calculator, 10, 20}, {Tab::checklist, 10, 20}},
         Tab::timeline,
         {{Tab::timeline, 2, 0, true},
          {Tab::weekly, -75, 42, false},
          {Tab::calculator, -29, 42, false},
          {Tab::checklist, 17, 81, false}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(panel(row.width, row.anchors, row.active), row.regions);
    }
}

class L2AnchorsTest : public Testing::TimingTest {};

TEST_F(L2AnchorsTest, AnchorsComeFromTheCompactItemsInContentCoordinates) {
    auto& timing = make();
    IslandKit::IslandLayout layout;
    layout.trailingSlot = {320, 0, 200, 38};
    layout.expandedContent = {14, 46, 400, 205};
    EXPECT_TRUE(L2Layout::anchors(timing, layout).empty());
    // The checklist badge at 300: the weekly strip points 46 left of it.
    timing.setTrailingFrame({300, 0, 20, 32}, "checklist");
    EXPECT_EQ(L2Layout::anchors(timing, layout),
              (std::vector<L2Anchor>{{Tab::weekly, 254 + 306, 294 + 306}, {Tab::checklist, 300 + 306, 320 + 306}}));
    timing.setActiveTab(Tab::calculator);
    EXPECT_EQ(L2Layout::anchors(timing, layout)[1], (L2Anchor{Tab::calculator, 260 + 306, 294 + 306}));
}

}  // namespace
}  // namespace WaylarkKit
