#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "WaylarkKit/Mascot/MascotArtwork.h"
#include "WaylarkKit/Mascot/Qt/InterGlyphs.h"
#include "WaylarkKit/Mascot/Qt/MascotView.h"
#include "WaylarkKit/Motion/FigureLook.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;

// Every pose, at every moment of its cycles, stays inside the view's canvas:
// nothing the figure does is cut off at the widget's edge.
TEST(MascotCanvasTest, NoPoseEverLeavesTheCanvas) {
    WaylarkKitTest::app();
    InterGlyphs glyphs;
    const MascotKind kinds[] = {MascotKind::session(true), MascotKind::session(false), MascotKind::out(),
                                MascotKind::restricted(false), MascotKind::checklistDone()};
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    for (const MascotKind& kind : kinds) {
        const FigureNode figure = MascotArtwork::make(kind, true, MascotShape{}, 0, glyphs);
        for (double t = 0; t < 14; t += 1.0 / 60) {
            for (const DrawItem& item : sampleFigure(figure, t).items) {
                if (item.opacity <= 0) continue;
                const auto area = coveredArea(item);
                minX = std::min(minX, area.minX());
                minY = std::min(minY, area.minY());
                maxX = std::max(maxX, area.maxX());
                maxY = std::max(maxY, area.maxY());
            }
        }
    }
    Base::ManualScheduler scheduler;
    const MascotView view(35, scheduler, fixedReduceMotion(true));
    const QRectF canvas = view.figureToWidget().inverted().mapRect(QRectF(view.rect()));
    EXPECT_GE(minX, canvas.left());
    EXPECT_GE(minY, canvas.top());
    EXPECT_LE(maxX, canvas.right());
    EXPECT_LE(maxY, canvas.bottom());
}
