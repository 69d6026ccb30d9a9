#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QTest>

#include "Base/ManualScheduler.h"
#include "IslandKit/Model/IslandModel.h"
#include "IslandKit/View/IslandRootView.h"
#include "IslandKit/View/IslandSurface.h"
#include "QtTestApp.h"

using namespace IslandKit;

namespace {

// A placeholder slot view of a given natural width.
class Block final : public QWidget {
public:
    Block(int width, QWidget* parent) : QWidget(parent), width_(width) {}
    void setNaturalWidth(int width) {
        width_ = width;
        updateGeometry();
    }
    QSize sizeHint() const override { return QSize(width_, 20); }

private:
    int width_;
};

IslandView block(int width, Block** out = nullptr) {
    return [width, out](QWidget* parent) {
        auto* b = new Block(width, parent);
        if (out) *out = b;
        return b;
    };
}

IslandView label(const char* text) {
    return [text](QWidget* parent) { return new QLabel(text, parent); };
}

const ScreenMetrics noNotch{Rect{0, 0, 1512, 982}, std::nullopt, 24, std::nullopt, std::nullopt};
const ScreenMetrics notch{Rect{0, 0, 1512, 982}, Size{200, 32}, 32, std::nullopt, std::nullopt};

struct IslandRootViewTest : testing::Test {
    void SetUp() override { IslandKitTest::app(); }

    std::unique_ptr<IslandRootView> makeView(const ScreenMetrics& metrics) {
        model = std::make_unique<IslandModel>(metrics, IslandSlots{0, 0}, IslandStyle{}, block(60, &leading),
                                              block(90, &trailing), label("expanded"));
        model->setCanvasFrame({256, 562, 1000, 420});
        auto view = std::make_unique<IslandRootView>(*model, scheduler);
        view->resize(1000, 420);
        view->show();
        return view;
    }
    void settle() { scheduler.advance(1.0); }

    Base::ManualScheduler scheduler;
    std::unique_ptr<IslandModel> model;
    Block* leading = nullptr;
    Block* trailing = nullptr;
};

}  // namespace

TEST_F(IslandRootViewTest, MeasuresSlotViewsIntoTheModel) {
    auto view = makeView(noNotch);
    EXPECT_EQ(model->slots(), (IslandSlots{60, 90}));
    settle();
    EXPECT_EQ(view->displayedLayout(), model->layout());
    // The island sits in the canvas at its offset from the canvas's left edge.
    EXPECT_EQ(view->surface()->x(), static_cast<int>(model->layout().rect.minX() - 256));
    EXPECT_EQ(view->surface()->y(), 0);
    EXPECT_EQ(view->surface()->height(), 24);

    // A natural width that changes is measured again through the layout request.
    leading->setNaturalWidth(75);
    ASSERT_TRUE(IslandKitTest::processUntil([&] { return model->slots().leading == 75; }));

    // Writing a view rebuilds it and measures the new one.
    QPointer<QWidget> first = view->trailingView();
    Block* second = nullptr;
    model->setTrailing(block(30, &second));
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(view->trailingView(), second);
    EXPECT_EQ(model->slots().trailing, 30);
    // A widget with no preferred size wants no room, not a negative width.
    model->setTrailing([](QWidget* parent) { return new QWidget(parent); });
    EXPECT_EQ(model->slots().trailing, 0);
    model->setTrailing({});
    EXPECT_EQ(view->trailingView(), nullptr);
}

TEST(IslandRootViewWidths, SlotWidthsRoundUpWithADeadBand) {
    struct Case {
        double measured;
        double current;
        std::optional<double> write;
    };
    for (const Case& c : {Case{40.2, 41, std::nullopt}, {40.6, 41, std::nullopt}, {41.2, 41, 42}, {39.4, 41, 40},
                          {0, 0, std::nullopt}}) {
        EXPECT_EQ(IslandRootView::slotWidthUpdate(c.measured, c.current), c.write) << c.measured;
    }
}

TEST_F(IslandRootViewTest, VirtualNotchShowsCentreViewElseLabelAndNothingOnARealNotch) {
    auto view = makeView(noNotch);
    EXPECT_EQ(view->surface()->notchLabel(), "Revad");

    model->setCenter(label("centre"));
    ASSERT_NE(view->centerView(), nullptr);
    EXPECT_FALSE(view->centerView()->parentWidget()->isHidden());
    EXPECT_EQ(view->surface()->notchLabel(), "");
    // Plain text inside the island is white.
    model->setLeading(label("In session"));
    model->setTrailing(label("NFP 12:04"));
    for (QWidget* slot : {view->leadingView(), view->trailingView(), view->expandedView(), view->centerView()}) {
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
            EXPECT_EQ(slot->palette().color(role), QColor(Qt::white)) << role;
        }
    }

    model->setCenter({});
    IslandStyle style;
    style.virtualNotchLabel = "";
    model->setStyle(style);
    EXPECT_EQ(view->surface()->notchLabel(), "");

    view.reset();  // before its model goes
    auto notched = makeView(notch);
    model->setCenter(label("centre"));
    EXPECT_TRUE(notched->centerView()->parentWidget()->isHidden());
    EXPECT_EQ(notched->surface()->notchLabel(), "");
}

TEST_F(IslandRootViewTest, TapsToggleOnlyWhereTheyShould) {
    auto view = makeView(notch);
    settle();
    IslandSurface* surface = view->surface();
    int changes = 0;
    model->setOnStateChange([&](IslandState) { ++changes; });

    // The transparent corner outside the flared outline is no tap.
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(1, 30));
    EXPECT_EQ(model->state(), IslandState::compact);

    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(surface->width() / 2, 10));
    EXPECT_EQ(model->state(), IslandState::expanded);
    settle();
    ASSERT_EQ(surface->height(), 32 + 170 + 16);

    // The expanded content below the notch band does not collapse it.
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(surface->width() / 2, 32));
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(surface->width() / 2, 120));
    EXPECT_EQ(model->state(), IslandState::expanded);
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(surface->width() / 2, 31));
    EXPECT_EQ(model->state(), IslandState::compact);
    EXPECT_EQ(changes, 2);
}

TEST_F(IslandRootViewTest, LayoutChangesMoveWithTheSpringAndFadeTheContent) {
    auto view = makeView(notch);
    settle();
    EXPECT_FALSE(view->isAnimating());
    EXPECT_EQ(view->expandedOpacity(), 0);
    EXPECT_TRUE(view->expandedView()->parentWidget()->isHidden());

    model->expand();
    EXPECT_TRUE(view->isAnimating());
    scheduler.advance(0.1);
    const double midHeight = view->displayedLayout().rect.height;
    EXPECT_GT(midHeight, 32);
    EXPECT_LT(midHeight, 218);
    EXPECT_GT(view->expandedOpacity(), 0);
    settle();
    EXPECT_FALSE(view->isAnimating()) << "no frames while idle";
    EXPECT_EQ(view->displayedLayout(), model->layout());
    EXPECT_EQ(view->expandedOpacity(), 1);
    EXPECT_EQ(view->expandedView()->size(), QSize(400, 170));

    model->collapse();
    settle();
    EXPECT_EQ(view->expandedOpacity(), 0);
    EXPECT_EQ(view->displayedLayout().rect.height, 32);
}
