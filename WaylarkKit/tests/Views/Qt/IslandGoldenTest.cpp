#include "WaylarkKit/tests/Views/Qt/IslandViewsFixture.h"

#include <QPainter>

#include "IslandKit/View/IslandSurface.h"
#include "WaylarkKit/Mascot/MascotForStatus.h"
#include "WaylarkKit/Mascot/Qt/MascotView.h"
#include "WaylarkKit/Views/Qt/LeftStatusPainting.h"
#include "WaylarkKit/Views/StatusLabel.h"

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
        auto& view = islandAt(c.moment);
        EXPECT_TRUE(WaylarkKitTest::matchesGolden(WaylarkKitTest::render(*view.surface()), c.golden));
    }
}

// The panel alone: drawn through the island's fade, an image at twice the
// pixel ratio would have the content offset twice over.
TEST_F(IslandGoldenTest, ExpandedPanelOnEachTab) {
    islandAt(DemoMoment::cpiBlackout);
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

// No evaluation of the engine is amber: the status row is painted from one made by hand.
TEST_F(IslandGoldenTest, AmberStatusRow) {
    TradingCore::Evaluation amber;
    amber.base = TradingCore::StatusBase::amber;
    amber.countdownVisible = true;
    amber.nextChange = timing.now() + 65;
    LeftStatus status;
    status.word = StatusLabel::word(amber, false);
    status.colour = LeftStatus::statusColor(amber);
    status.countdown = LeftStatus::countdownText(amber, timing.now());
    status.mascot = mascot(amber, false);
    LeftStatusFonts fonts;
    const LeftStatusRow row = LeftStatusRow::layOut(status, LeftStatus::mascotSide, QPointF(8, 2), fonts);

    QWidget canvas;
    canvas.resize(static_cast<int>(row.row.right()) + 8, 39);
    auto* figure = new MascotView(LeftStatus::mascotSide, scheduler, fixedReduceMotion(true), &canvas);
    figure->move(row.mascot.topLeft().toPoint() - figure->contentRect().topLeft());
    figure->show(*status.mascot);
    QImage image = WaylarkKitTest::render(canvas);
    QPainter painter(&image);
    paintLeftStatusText(painter, status, row, 1, fonts, QRegion(image.rect()));
    painter.end();
    EXPECT_EQ(status.word, "Caution");
    EXPECT_TRUE(WaylarkKitTest::matchesGolden(image, "island-amber"));
}
