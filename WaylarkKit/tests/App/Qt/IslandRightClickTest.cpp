#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include "Base/ManualScheduler.h"
#include "IslandKit/Model/IslandModel.h"
#include "IslandKit/View/IslandRootView.h"
#include "IslandKit/View/IslandSurface.h"
#include "WaylarkKit/App/Qt/IslandRightClick.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;
using namespace IslandKit;

namespace {

// A view that takes every button anywhere on it, as the slot views do over
// their text; it counts what reaches it.
class Grabbing final : public QWidget {
public:
    explicit Grabbing(QWidget* parent) : QWidget(parent) {}
    QSize sizeHint() const override { return QSize(60, 20); }
    int left = 0;
    int right = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override {
        (event->button() == Qt::RightButton ? right : left) += 1;
        event->accept();
    }
};

IslandView grabbing(Grabbing** out) {
    return [out](QWidget* parent) { return *out = new Grabbing(parent); };
}

// The expanded content: a field with a menu of its own beside a view that takes every button.
struct Expanded final : QWidget {
    explicit Expanded(QWidget* parent) : QWidget(parent), field(new QLineEdit(this)), view(new Grabbing(this)) {}
    QLineEdit* field;
    Grabbing* view;
};

const ScreenMetrics noNotch{Rect{0, 0, 1512, 982}, std::nullopt, 24, std::nullopt, std::nullopt};

struct IslandRightClickTest : testing::Test {
    void SetUp() override {
        WaylarkKitTest::app();
        model = std::make_unique<IslandModel>(noNotch, IslandSlots{0, 0}, IslandStyle{}, grabbing(&leading),
                                              grabbing(&trailing), [this](QWidget* parent) {
                                                  return expanded = new Expanded(parent);
                                              });
        model->setCenter(grabbing(&center));
        model->setCanvasFrame({256, 562, 1000, 420});
        root = std::make_unique<IslandRootView>(*model, scheduler);
        root->resize(1000, 420);
        new IslandRightClick(*root, [this] { ++requests; });
        root->show();
    }
    static void press(QWidget* widget, Qt::MouseButton button) {
        QTest::mousePress(widget, button, {}, widget->rect().center());
        QTest::mouseRelease(widget, button, {}, widget->rect().center());
    }

    Base::ManualScheduler scheduler;
    std::unique_ptr<IslandModel> model;
    std::unique_ptr<IslandRootView> root;
    Grabbing* leading = nullptr;
    Grabbing* trailing = nullptr;
    Grabbing* center = nullptr;
    Expanded* expanded = nullptr;
    int requests = 0;
};

}  // namespace

TEST_F(IslandRightClickTest, ARightClickAnywhereOnTheRestingIslandAsksForTheMenuAndALeftClickGoesOn) {
    for (Grabbing* view : {leading, trailing, center}) {
        const int before = requests;
        press(view, Qt::RightButton);
        EXPECT_EQ(requests, before + 1);
        EXPECT_EQ(view->right, 0);
        press(view, Qt::LeftButton);
        EXPECT_EQ(requests, before + 1);
        EXPECT_EQ(view->left, 1);
    }
    press(root->surface(), Qt::RightButton);
    EXPECT_EQ(requests, 4);

    // A view given to the island later, and one a view makes of its own later.
    Grabbing* later = nullptr;
    model->setTrailing(grabbing(&later));
    ASSERT_NE(later, trailing);
    press(later, Qt::RightButton);
    EXPECT_EQ(requests, 5);
    auto* inner = new Grabbing(later);
    inner->show();
    press(inner, Qt::RightButton);
    EXPECT_EQ(requests, 6);
    EXPECT_EQ(inner->right, 0);
}

TEST_F(IslandRightClickTest, TheExpandedContentKeepsTheRightClickItTakes) {
    model->expand();
    scheduler.advance(1.0);
    ASSERT_TRUE(expanded && expanded->isVisible());
    press(expanded->field, Qt::RightButton);
    press(expanded->view, Qt::RightButton);
    EXPECT_EQ(requests, 0);
    EXPECT_EQ(expanded->view->right, 1);
    // The status words in the expanded island's top band still open the menu.
    press(leading, Qt::RightButton);
    EXPECT_EQ(requests, 1);
}
