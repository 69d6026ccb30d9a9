#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include "Base/ManualScheduler.h"
#include "IslandKit/Model/IslandModel.h"
#include "IslandKit/Screen/ScreenMetricsReader.h"
#include "IslandKit/View/IslandRootView.h"
#include "IslandKit/Window/IslandPanel.h"
#include "IslandKit/Window/IslandWindowController.h"
#include "IslandKit/Window/QtDesktop.h"
#include "IslandKit/tests/support/RecordingKeyboard.h"
#include "QtTestApp.h"

using namespace IslandKit;

namespace {

// A pointer source the test drives by hand.
struct FakePointer final : PointerTracking {
    void start(std::function<void(Point)> onMove, std::function<void(OutsideClick)> onOutsideClick) override {
        ++starts;
        move = std::move(onMove);
        outsideClick = std::move(onOutsideClick);
    }
    void stop() override { ++stops; }
    int starts = 0;
    int stops = 0;
    std::function<void(Point)> move;
    std::function<void(OutsideClick)> outsideClick;
};

struct IslandWindowControllerTest : testing::Test {
    void SetUp() override {
        IslandKitTest::app();
        screen = QGuiApplication::primaryScreen();
        ASSERT_NE(screen, nullptr);
        const Rect frame = QtDesktop::toDesktop(screen->geometry());
        model = std::make_unique<IslandModel>(ScreenMetrics{frame, std::nullopt, 24, {}, {}}, IslandSlots{},
                                              IslandStyle{}, IslandView{}, IslandView{}, IslandView{});
        controller = std::make_unique<IslandWindowController>(*model, pointer, scheduler, keyboard);
    }
    void TearDown() override {
        if (controller) controller->hide();
    }

    QScreen* screen = nullptr;
    Base::ManualScheduler scheduler;
    FakePointer pointer;
    IslandKitTest::RecordingKeyboard keyboard;
    std::unique_ptr<IslandModel> model;
    std::unique_ptr<IslandWindowController> controller;
};

}  // namespace

TEST(IslandCanvasTest, CanvasAcrossTheTopOfADisplay) {
    struct Case {
        Rect frame;
        Rect canvas;
    };
    const Case cases[] = {
        {{0, 0, 1440, 900}, {220, 480, 1000, 420}},
        {{0, 0, 800, 600}, {0, 180, 800, 420}},
        {{-1512, 100, 1512, 982}, {-1256, 662, 1000, 420}},
    };
    for (const auto& c : cases) EXPECT_EQ(IslandWindowController::canvas(c.frame), c.canvas);
}

TEST_F(IslandWindowControllerTest, ShowPlacesTheCanvasAndStartsTracking) {
    controller->show(screen);
    const Rect expected = IslandWindowController::canvas(QtDesktop::toDesktop(screen->geometry()));
    EXPECT_EQ(model->canvasFrame(), expected);
    ASSERT_NE(controller->panel(), nullptr);
    EXPECT_TRUE(controller->panel()->isVisible());
    EXPECT_EQ(controller->panel()->geometry(), QtDesktop::toWindowSystem(expected));
    EXPECT_EQ(pointer.starts, 1);

    // Showing again reuses the panel with a fresh root view and restarts the tracker.
    IslandPanel* panel = controller->panel();
    controller->show(screen);
    EXPECT_EQ(controller->panel(), panel);
    EXPECT_EQ(pointer.starts, 2);

    controller->hide();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(controller->panel(), panel);
    EXPECT_EQ(pointer.stops, 1);

    // update() follows the display again; off X11 it has no number and no identity, and none is built in.
    model->setCanvasFrame({});
    controller->update(screen);
    EXPECT_EQ(model->canvasFrame(), expected);
    EXPECT_EQ(model->metrics(), (ScreenMetrics{QtDesktop::toDesktop(screen->geometry()), std::nullopt, 24, {}, {}}));
    EXPECT_FALSE(ScreenMetricsReader::displayID(screen) || ScreenMetricsReader::stableID(screen) ||
                 ScreenMetricsReader::isBuiltIn(screen) || ScreenMetricsReader::builtInScreen());
}

TEST_F(IslandWindowControllerTest, PointerReportsWhileNearAndOnceOnLeaving) {
    std::vector<std::optional<Point>> reports;
    model->setPointerMoved([&](std::optional<Point> p) { reports.push_back(p); });
    controller->show(screen);
    const Rect rect = model->layout().rect;

    // Near (within 24 of the island), inside, away, and still away: nothing more.
    const Point near{rect.minX() - 20, rect.maxY() - 5}, inside{rect.midX(), rect.maxY() - 5};
    for (Point p : {near, inside, Point{rect.minX() - 30, rect.maxY() - 5}, Point{rect.minX() - 60, rect.maxY() - 5}}) {
        pointer.move(p);
    }
    EXPECT_EQ(reports, (std::vector<std::optional<Point>>{near, inside, std::nullopt}));
}

TEST_F(IslandWindowControllerTest, OutsideClicksCollapseOnlyAnExpandedIslandThatAllowsIt) {
    controller->show(screen);
    pointer.outsideClick(OutsideClick::onWindow(7));
    EXPECT_EQ(model->state(), IslandState::compact);

    model->expand();
    IslandStyle keepOpen;
    keepOpen.closesOnOutsideClick = false;
    model->setStyle(keepOpen);
    pointer.outsideClick(OutsideClick::onWindow(7));
    EXPECT_EQ(model->state(), IslandState::expanded);

    model->setStyle(IslandStyle{});
    pointer.outsideClick(OutsideClick::onWindow(7));
    EXPECT_EQ(model->state(), IslandState::compact);

    // A controller released without hide() leaves its closures behind; they do nothing.
    int reports = 0;
    model->setPointerMoved([&](std::optional<Point>) { ++reports; });
    model->expand();
    controller.reset();
    pointer.move({model->layout().rect.midX(), model->layout().rect.maxY() - 5});
    pointer.outsideClick(OutsideClick::onWindow(7));
    scheduler.advance(1);
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(model->state(), IslandState::expanded);
}

TEST_F(IslandWindowControllerTest, KeyboardOnlyWhileExpandedAndEligibleAndReleased) {
    int released = 0;
    model->setOnKeyboardReleased([&] { ++released; });
    model->setExpanded([](QWidget* parent) -> QWidget* { return new QLineEdit(parent); });
    bool eligible = true;
    model->setKeyboardEligibility([&] { return eligible; });
    controller->show(screen);
    IslandPanel* panel = controller->panel();
    EXPECT_FALSE(panel->canBecomeKey()) << "compact";
    model->expand();
    scheduler.advance(1.0);
    eligible = false;
    EXPECT_FALSE(panel->canBecomeKey());
    eligible = true;
    EXPECT_TRUE(panel->canBecomeKey());

    // Not key: only the focus goes.
    controller->releaseKeyboard();
    EXPECT_EQ(released, 0);

    // A click into the text field makes the panel key; Escape gives it back.
    QWidget* field = controller->rootView()->expandedView();
    ASSERT_NE(field, nullptr);
    QTest::mouseClick(field, Qt::LeftButton);
    ASSERT_TRUE(IslandKitTest::processUntil([&] { return controller->isKeyboardActive(); }));
    QTest::keyClick(panel, Qt::Key_Escape);
    EXPECT_EQ(released, 1);
    EXPECT_TRUE(panel->isVisible());
}

// Where the keyboard goes when the island lets go of it, and when: at once,
// to the window a click chose when that takes the keyboard, else back to the
// window that had it (through the model's callback), and never twice.
TEST_F(IslandWindowControllerTest, TheKeyboardGoesWhereTheTraderMeansAtOnceAndOnce) {
    int released = 0;
    model->setOnKeyboardReleased([&] { ++released; });
    model->setExpanded([](QWidget* parent) -> QWidget* { return new QLineEdit(parent); });
    model->setKeyboardEligibility([] { return true; });
    // As the application does: the collapse that an outside click brings about releases the keyboard.
    model->setOnStateChange([&](IslandState state) {
        if (state == IslandState::compact) controller->releaseKeyboard();
    });
    controller->show(screen);
    IslandPanel* panel = controller->panel();
    QWidget other;
    other.setGeometry(0, 600, 100, 100);
    other.show();
    const auto activateOther = [&] {
        other.activateWindow();
        ASSERT_TRUE(IslandKitTest::processUntil([&] { return other.isActiveWindow(); }));
    };
    const auto click = [&](OutsideClick where) { return [&, where] { pointer.outsideClick(where); }; };
    const auto keepOpen = [&](bool open) {
        IslandStyle style;
        style.closesOnOutsideClick = !open;
        model->setStyle(style);
    };
    using Moves = std::vector<std::string>;

    const struct {
        const char* how;
        std::function<void()> giveUp;
        int handedBack;
        Moves moves;
    } cases[] = {
        // A field's Return and the end of its editing both release.
        {"two releases",
         [&] {
             controller->releaseKeyboard();
             controller->releaseKeyboard();
         },
         1, {}},
        {"a click on a window that takes the keyboard", click(OutsideClick::onWindow(42)), 0, {"give 42"}},
        {"a click on a dock, a panel or the desktop", click(OutsideClick::takingNoKeyboard()), 1, {}},
        {"a click on a window while the island stays open",
         [&] {
             keepOpen(true);
             pointer.outsideClick(OutsideClick::onWindow(42));
             keepOpen(false);
             scheduler.runPending();
             controller->releaseKeyboard();
         },
         0, {"give 42"}},
        {"a click on a dock while the island stays open",
         [&] {
             keepOpen(true);
             pointer.outsideClick(OutsideClick::takingNoKeyboard());
             keepOpen(false);
         },
         1, {}},
        {"a release once another window has the keyboard",
         [&] {
             activateOther();
             controller->releaseKeyboard();
         },
         0, {}},
        {"a click on a window once another window has the keyboard",
         [&] {
             activateOther();
             pointer.outsideClick(OutsideClick::onWindow(42));
         },
         0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        released = 0;
        // Another program's window has the keyboard; a click into the field takes it, noting that window.
        activateOther();
        model->expand();
        scheduler.advance(1.0);
        QWidget* field = controller->rootView()->expandedView();
        ASSERT_NE(field, nullptr);
        QTest::mouseClick(field, Qt::LeftButton);
        ASSERT_TRUE(IslandKitTest::processUntil([&] { return controller->isKeyboardActive() && field->hasFocus(); }));
        EXPECT_EQ(keyboard.take(), Moves{"note"});

        c.giveUp();
        EXPECT_FALSE(field->hasFocus());
        EXPECT_EQ(released, c.handedBack) << "at once";
        EXPECT_EQ(keyboard.take(), c.moves) << "at once";
        if (c.handedBack || !c.moves.empty()) {
            EXPECT_FALSE(controller->isKeyboardActive());
        }
        EXPECT_TRUE(panel->isVisible());
        scheduler.advance(1.0);
        controller->releaseKeyboard();
        EXPECT_EQ(released, c.handedBack) << "and nothing later";
        EXPECT_EQ(keyboard.take(), Moves{}) << "and nothing later";
        model->collapse();
        scheduler.advance(1.0);
    }
}

// A card has the keyboard. A click into the island's field while the island
// may not take the keyboard chooses no field there: the keys still go to the
// card, and nothing may look as if they went to the island. Once it may, the
// click takes the keyboard; letting go of it tells the card to take it back
// before the island drops it, so the keyboard never falls to the desktop,
// whose window manager would give it to the window under the card.
TEST_F(IslandWindowControllerTest, AClickChoosesAFieldOnlyWhereTheIslandTakesTheKeyboard) {
    QWidget card;
    card.setGeometry(0, 600, 200, 100);
    auto* cardField = new QLineEdit(&card);
    card.show();
    card.activateWindow();
    ASSERT_TRUE(IslandKitTest::processUntil([&] { return card.isActiveWindow(); }));
    cardField->setFocus();
    bool eligible = false;
    model->setKeyboardEligibility([&] { return eligible; });
    model->setExpanded([](QWidget* parent) -> QWidget* { return new QLineEdit(parent); });
    controller->show(screen);
    IslandPanel* panel = controller->panel();
    struct Hides final : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            count += event->type() == QEvent::Hide ? 1 : 0;
            return false;
        }
    } hides;
    panel->installEventFilter(&hides);
    int hidesWhenReleased = -1;
    model->setOnKeyboardReleased([&] {
        hidesWhenReleased = hides.count;
        card.activateWindow();
    });
    model->expand();
    scheduler.advance(1.0);
    QWidget* field = controller->rootView()->expandedView();
    ASSERT_NE(field, nullptr);

    QTest::mouseClick(field, Qt::LeftButton);
    EXPECT_EQ(panel->focusWidget(), nullptr) << "no field chosen in the island";
    EXPECT_TRUE(cardField->hasFocus());
    EXPECT_EQ(keyboard.take(), std::vector<std::string>{});

    eligible = true;
    QTest::mouseClick(field, Qt::LeftButton);
    ASSERT_TRUE(IslandKitTest::processUntil([&] { return controller->isKeyboardActive() && field->hasFocus(); }));
    QTest::keyClick(panel, Qt::Key_Escape);
    EXPECT_EQ(hidesWhenReleased, 0) << "told before the island let go";
}
