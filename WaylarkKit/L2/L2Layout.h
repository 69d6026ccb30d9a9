#pragma once

#include <vector>

#include "IslandKit/Geometry/IslandLayout.h"
#include "WaylarkKit/L2/L2Tab.h"

namespace WaylarkKit {

class TimingViewModel;

// Where the compact item of a tab sits, in the expanded content's x.
struct L2Anchor {
    L2Tab tab = L2Tab::weekly;
    double left = 0;
    double right = 0;
    bool operator==(const L2Anchor&) const = default;
};

// One region of the expanded panel: the active tab's content or a strip.
struct L2Region {
    L2Tab tab = L2Tab::timeline;
    double x = 0;
    double width = 0;  // never negative
    bool isActive = false;
    bool operator==(const L2Region&) const = default;
};

// Divides the expanded content into one region per tab: the timeline always
// leftmost, every other tab's strip under its compact item, the active tab
// wide and the strips left of it packed against the left edge.
namespace L2Layout {

// The panel's numbers.
inline constexpr double panelStripWidth = 40;
inline constexpr double panelMinimumStripWidth = 46;
inline constexpr double panelGap = 4;
inline constexpr double panelMinMainWidth = 140;

std::vector<L2Region> regions(double contentWidth, const std::vector<L2Anchor>& anchors, L2Tab active,
                              double stripWidth, double minimumStripWidth, double gap, double minMainWidth);

// The anchors of the tabs that may have a strip now, from the frames the
// compact right-hand view reported, moved into the content's x.
std::vector<L2Anchor> anchors(const TimingViewModel& model, const IslandKit::IslandLayout& layout);

// Both steps with the panel's numbers.
std::vector<L2Region> panelRegions(const TimingViewModel& model, const IslandKit::IslandLayout& layout);

}  // namespace L2Layout
}  // namespace WaylarkKit
