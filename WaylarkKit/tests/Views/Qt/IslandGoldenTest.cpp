#include "WaylarkKit/tests/Views/Qt/IslandViewsFixture.h"

#include "IslandKit/View/IslandSurface.h"

using namespace WaylarkKit;
using namespace WaylarkKit::Testing;

namespace {

class IslandGoldenTest : public IslandViewsTest {
protected:
    IslandGoldenTest() { reduceMotion = true; }  // still figures: the same pixels on every run
};

}  // namespace

TEST_F(IslandGoldenTest, CompactIslandInEachStatus) {
    const struct {
        const char* golden;
        double moment;
    } cases[] = {
        {"island-green-custom", DemoMoment::killZone},
        {"island-red-high", DemoMoment::cpiBlackout},
        {"island-red-medium", DemoMoment::ppiBlackout},
        {"island-gray", DemoMoment::outside},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        play(c.moment, 0);
        auto& view = island();
        EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*view.surface()), c.golden));
    }
}

// The panel alone: drawn through the island's fade, an image at twice the
// pixel ratio would have the content offset twice over.
TEST_F(IslandGoldenTest, ExpandedPanelOnEachTab) {
    play(DemoMoment::cpiBlackout, 0);
    island();
    const struct {
        L2Tab tab;
        const char* golden;
    } cases[] = {
        {L2Tab::timeline, "panel-timeline"},
        {L2Tab::weekly, "panel-weekly"},
        {L2Tab::calculator, "panel-calculator"},
        {L2Tab::checklist, "panel-checklist"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        expand(c.tab);
        EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(panel()), c.golden));
    }
}
