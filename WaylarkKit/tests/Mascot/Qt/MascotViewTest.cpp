#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "WaylarkKit/Mascot/Ink.h"
#include "WaylarkKit/Mascot/MascotTintLayer.h"
#include "WaylarkKit/Mascot/Qt/MascotView.h"
#include "WaylarkKit/tests/Mascot/FigureSearch.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;
using TradingCore::IntervalColor;
using Testing::named;

TEST(MascotViewTest, ShowBuildsOnceRetintsInPlaceAndRebuildsOnAnyOtherChange) {
    WaylarkKitTest::app();
    Base::ManualScheduler scheduler;
    MascotView view(35, scheduler, fixedReduceMotion(false));
    view.show(MascotKind::out());
    view.show(MascotKind::out());
    EXPECT_EQ(view.buildCount(), 1);

    view.show(MascotKind::session(true));
    EXPECT_EQ(view.buildCount(), 2);
    const FigureNode* stem = named(view.figure(), tintStemName).front();
    const FigureNode* mark = named(view.figure(), tintMarkName).front();
    scheduler.advance(1);

    const Rgba pink = mascotColor(IntervalColor::pink);
    view.show(MascotKind::session(true, IntervalColor::pink));
    EXPECT_EQ(view.buildCount(), 2);
    EXPECT_EQ(named(view.figure(), tintStemName).front(), stem);  // the same nodes, motion still in phase
    EXPECT_DOUBLE_EQ(view.figure().children[0].tracks.front().begin, 0);
    const double now = scheduler.steadyNow();
    EXPECT_EQ(shownFill(*stem, now), Ink::green);
    EXPECT_EQ(shownFill(*stem, now + 0.15), mix(Ink::green, pink, 0.5));
    EXPECT_EQ(shownFill(*stem, now + 0.3), pink);
    EXPECT_EQ(shownFill(*mark, now + 0.3), pink);
    view.show(MascotKind::session(true));
    EXPECT_EQ(shownFill(*stem, now + 1), Ink::green);

    view.show(MascotKind::session(true, IntervalColor::pink));
    view.show(MascotKind::session(false, IntervalColor::pink));
    EXPECT_EQ(view.buildCount(), 3);
    EXPECT_FALSE(named(view.figure(), tintStemName).front()->fill.has_value());
    EXPECT_EQ(named(view.figure(), tintStemName).front()->stroke, pink);

    view.show(MascotKind::restricted(false));
    view.show(MascotKind::restricted(true));
    EXPECT_EQ(view.buildCount(), 5);
    EXPECT_EQ(view.sizeHint(), view.size());
    EXPECT_EQ(view.contentRect().size(), QSize(35, 35));
}

TEST(MascotViewTest, FramesRunOnlyWhileAShownFigureMoves) {
    WaylarkKitTest::app();
    Base::ManualScheduler scheduler;
    bool reduce = true;
    QWidget window;
    window.resize(200, 100);
    auto* view = new MascotView(35, scheduler, [&] { return reduce; }, &window);
    window.show();

    view->show(MascotKind::session(true));
    EXPECT_FALSE(view->figure().animates());  // Reduce Motion: a still figure
    EXPECT_FALSE(view->isAnimating());
    EXPECT_EQ(scheduler.pendingCount(), 0u);

    reduce = false;  // read at the next build only
    view->show(MascotKind::session(true, IntervalColor::cyan));
    EXPECT_FALSE(view->figure().animates());
    EXPECT_TRUE(view->isAnimating());  // a re-tint fades whatever the setting...
    scheduler.advance(0.5);
    EXPECT_FALSE(view->isAnimating());  // ...and then nothing runs
    EXPECT_EQ(scheduler.pendingCount(), 0u);

    view->show(MascotKind::checklistDone());
    EXPECT_TRUE(view->isAnimating());
    view->hide();
    EXPECT_FALSE(view->isAnimating());
    view->QWidget::show();
    EXPECT_TRUE(view->isAnimating());
    scheduler.advance(8);  // the celebration plays twice and stops
    EXPECT_FALSE(view->isAnimating());
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

namespace {

class ClickCounter : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

}  // namespace

TEST(MascotViewTest, ClicksReachTheViewBeneath) {
    WaylarkKitTest::app();
    Base::ManualScheduler scheduler;
    ClickCounter beneath;
    beneath.resize(120, 120);
    auto* view = new MascotView(35, scheduler, fixedReduceMotion(true), &beneath);
    view->show(MascotKind::out());
    beneath.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&beneath));
    QTest::mouseClick(beneath.windowHandle(), Qt::LeftButton, {}, view->geometry().center());
    EXPECT_EQ(beneath.presses, 1);
}
