#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>

#include "Base/ManualScheduler.h"
#include "IslandKit/View/IslandRootView.h"
#include "IslandKit/View/IslandSurface.h"
#include "WaylarkKit/App/Qt/IslandRightClick.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace IslandKit;

namespace {

// Takes every button anywhere on it, as the slot views do over their text,
// and counts the presses that reach it.
struct Grabbing final : QWidget {
    explicit Grabbing(QWidget* parent) : QWidget(parent) {}
    QSize sizeHint() const override { return QSize(60, 20); }
    void mousePressEvent(QMouseEvent* event) override { ++(event->button() == Qt::RightButton ? right : left); }
    int left = 0;
    int right = 0;
};

IslandView grabbing(Grabbing** out) {
    return [out](QWidget* parent) { return *out = new Grabbing(parent); };
}

void click(QWidget* widget, Qt::MouseButton button) {
    QTest::mousePress(widget, button, {}, widget->rect().center());
    QTest::mouseRelease(widget, button, {}, widget->rect().center());
}

struct IslandRightClickTest : testing::Test {
    void SetUp() override {
        model.setCenter(grabbing(&center));
        model.setCanvasFrame({256, 562, 1000, 420});
        root.resize(1000, 420);
        new WaylarkKit::IslandRightClick(root, [this] { ++requests; });
        root.show();
    }

    QApplication& app = WaylarkKitTest::app();
    Grabbing *leading = nullptr, *trailing = nullptr, *center = nullptr, *expanded = nullptr;
    Base::ManualScheduler scheduler;
    IslandModel model{{Rect{0, 0, 1512, 982}, std::nullopt, 24, std::nullopt, std::nullopt}, {0, 0}, {},
                      grabbing(&leading), grabbing(&trailing), grabbing(&expanded)};
    IslandRootView root{model, scheduler};
    int requests = 0;
};

}  // namespace

TEST_F(IslandRightClickTest, ARightClickOnAnyViewOfTheRestingIslandAsksForTheMenuAndALeftClickGoesOn) {
    for (Grabbing* view : {leading, trailing, center}) {
        const int before = requests;
        click(view, Qt::RightButton);
        click(view, Qt::LeftButton);
        EXPECT_EQ(requests, before + 1);
        EXPECT_EQ(view->right, 0);
        EXPECT_EQ(view->left, 1);
    }
    click(root.surface(), Qt::RightButton);
    EXPECT_EQ(requests, 4);

    // A view given to the island later, and one a view makes of its own later.
    Grabbing* later = nullptr;
    model.setTrailing(grabbing(&later));
    auto* inner = new Grabbing(later);
    inner->show();
    click(later, Qt::RightButton);
    click(inner, Qt::RightButton);
    EXPECT_EQ(requests, 6);
    EXPECT_EQ(later->right + inner->right, 0);
}

TEST_F(IslandRightClickTest, TheExpandedContentKeepsTheRightClickItTakes) {
    model.expand();
    scheduler.advance(1.0);
    ASSERT_TRUE(expanded->isVisible());
    click(expanded, Qt::RightButton);
    EXPECT_EQ(expanded->right, 1);
    EXPECT_EQ(requests, 0);
    // The status words in the expanded island's top band still ask for it.
    click(leading, Qt::RightButton);
    EXPECT_EQ(requests, 1);
}
