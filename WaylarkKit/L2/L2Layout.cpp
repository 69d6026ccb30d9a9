#include "WaylarkKit/L2/L2Layout.h"

#include <algorithm>

#include "WaylarkKit/Timing/TimingViewModel.h"

namespace WaylarkKit::L2Layout {

namespace {

// The first boundary sits this far before the first item; a shrunk strip keeps
// at least `narrowestStrip`.
constexpr double lead = 5;
constexpr double narrowestStrip = 20;

L2Region strip(L2Tab tab, double from, double to) { return {tab, from, to - from, false}; }

}  // namespace

std::vector<L2Region> regions(double contentWidth, const std::vector<L2Anchor>& anchors, L2Tab active,
                              double stripWidth, double minimumStripWidth, double gap, double minMainWidth) {
    std::vector<L2Anchor> sorted = anchors;
    std::stable_sort(sorted.begin(), sorted.end(), [](const L2Anchor& a, const L2Anchor& b) { return a.left < b.left; });
    const std::size_t n = sorted.size();

    std::vector<L2Tab> tabs{L2Tab::timeline};
    for (const auto& anchor : sorted) tabs.push_back(anchor.tab);
    const auto found = std::find(tabs.begin(), tabs.end(), active);
    const std::size_t a = found == tabs.end() ? 0 : static_cast<std::size_t>(found - tabs.begin());

    // Tab i spans b[i-1] to b[i]; the timeline 0 to b[0].
    std::vector<double> b(n + 1, contentWidth);
    if (n > 0) {
        b[0] = sorted[0].left - lead;
        for (std::size_t k = 1; k < n; ++k) b[k] = (sorted[k - 1].right + sorted[k].left) * 0.5;
    }
    // A strip too narrow pushes the boundaries left of it further left; the
    // right edge of the content never moves.
    for (std::size_t k = n; k >= 1; --k) {
        if (b[k] - b[k - 1] < minimumStripWidth) b[k - 1] = b[k] - minimumStripWidth;
    }

    std::vector<L2Region> result;
    result.reserve(n + 1);
    if (a == 0) {
        result.push_back({L2Tab::timeline, 0, b[0], true});
        for (std::size_t i = 1; i <= n; ++i) result.push_back(strip(tabs[i], b[i - 1], b[i]));
    } else {
        double s = stripWidth;
        const double count = static_cast<double>(a);
        if (b[a] - count * s < minMainWidth) s = std::max((b[a] - minMainWidth) / count, narrowestStrip);
        for (std::size_t i = 0; i < a; ++i) result.push_back({tabs[i], static_cast<double>(i) * s, s, false});
        result.push_back({tabs[a], count * s, b[a] - count * s, true});
        for (std::size_t i = a + 1; i <= n; ++i) result.push_back(strip(tabs[i], b[i - 1], b[i]));
    }
    for (auto& region : result) {
        region.x += gap / 2;
        region.width = std::max(region.width - gap, 0.0);
    }
    return result;
}

std::vector<L2Anchor> anchors(const TimingViewModel& model, const IslandKit::IslandLayout& layout) {
    const double offset = layout.trailingSlot.minX() - layout.expandedContent.minX();
    std::vector<L2Anchor> result;
    for (const L2Tab tab : model.availableTabs()) {
        if (const auto frame = model.anchorFrame(tab)) {
            result.push_back({tab, frame->minX() + offset, frame->maxX() + offset});
        }
    }
    return result;
}

std::vector<L2Region> panelRegions(const TimingViewModel& model, const IslandKit::IslandLayout& layout) {
    return regions(layout.expandedContent.width, anchors(model, layout), model.effectiveTab(), panelStripWidth,
                   panelMinimumStripWidth, panelGap, panelMinMainWidth);
}

}  // namespace WaylarkKit::L2Layout
