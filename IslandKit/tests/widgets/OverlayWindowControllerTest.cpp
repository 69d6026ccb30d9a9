#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include "Base/ManualScheduler.h"
#include "IslandKit/Overlay/OverlayPanel.h"
#include "IslandKit/Overlay/OverlayRootView.h"
#include "IslandKit/Overlay/OverlayWindowController.h"
#include "IslandKit/View/IslandRootView.h"
#include "IslandKit/Window/FloatingPanel.h"
#include "IslandKit/tests/support/RecordingKeyboard.h"
#include "QtTestApp.h"

using namespace IslandKit;

namespace {

struct OverlayWindowControllerTest : testing::Test {
    void SetUp() override {
        IslandKitTest::app();
        screen = QGuiApplication::primaryScreen();
        owner = std::make_unique<OverlayWindowController>(
            [](QWidget* parent) -> QWidget* { return new QLineEdit(parent); }, Size{640, 400}, scheduler, keyboard);
        owner->onVisibilityChange = [this](bool visible) { reports.push_back(visible); };
    }
    void TearDown() override {
        if (owner) owner->dismiss();
        scheduler.advance(1);
    }

    OverlayWindowController& controller() { return *owner; }

    QScreen* screen = nullptr;
    Base::ManualScheduler scheduler;
    IslandKitTest::RecordingKeyboard keyboard;
    std::unique_ptr<OverlayWindowController> owner;
    std::vector<bool> reports;
};

}  // namespace

TEST_F(OverlayWindowControllerTest, ReportsTrueAtOnceAndFalseAfterTheFadeOut) {
    controller().dismiss();  // never presented: nothing to report
    scheduler.advance(1);
    EXPECT_TRUE(reports.empty());
    controller().present(screen);
    EXPECT_TRUE(controller().isPresented());
    EXPECT_EQ(reports, std::vector<bool>{true});
    OverlayRootView* root = controller().rootView();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->fade(), 0);
    scheduler.advance(0.2);
    EXPECT_EQ(root->fade(), 1);
    EXPECT_EQ(root->cardRect().size(), QSize(640, 400));
    EXPECT_EQ(root->contentView()->geometry(), QRect(20, 20, 600, 360));

    // A second present while shown does nothing.
    controller().present(screen);
    EXPECT_EQ(reports.size(), 1u);

    // Escape while the card's text field has the focus dismisses.
    root->contentView()->setFocus();
    QTest::keyClick(root->contentView(), Qt::Key_Escape);
    EXPECT_FALSE(controller().isPresented());
    scheduler.advance(0.14);
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_NE(controller().panel(), nullptr);
    controller().dismiss();  // again during the fade: nothing
    scheduler.advance(0.02);
    EXPECT_EQ(reports, (std::vector<bool>{true, false}));
    EXPECT_EQ(controller().panel(), nullptr);
}

// However a card is dismissed, its field stops taking keys that moment and
// the keyboard goes back to the window that had it, while the fade plays on.
TEST_F(OverlayWindowControllerTest, ADismissedCardLetsGoOfTheKeyboardAtOnce) {
    using Moves = std::vector<std::string>;
    const auto tapBackdrop = [this] {
        OverlayRootView* root = controller().rootView();
        const QPoint backdrop = root->cardRect().topLeft() - QPoint(40, 40);
        QTest::mouseClick(root, Qt::LeftButton, {}, backdrop);
    };
    const auto escape = [this] { QTest::keyClick(controller().panel()->windowHandle(), Qt::Key_Escape); };
    const auto done = [this] { controller().dismiss(); };
    const struct {
        const char* how;
        std::function<void()> dismiss;
    } cases[] = {{"Escape", escape}, {"Done", done}, {"a tap on the backdrop", tapBackdrop}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        reports.clear();
        controller().present(screen);
        EXPECT_EQ(keyboard.take(), Moves{"note"}) << "the window that had the keyboard, noted as the card takes it";
        scheduler.advance(0.2);
        OverlayPanel* panel = controller().panel();
        auto* field = static_cast<QLineEdit*>(controller().rootView()->contentView());
        ASSERT_TRUE(IslandKitTest::processUntil([&] { return panel->isActiveWindow(); }));
        field->setFocus();
        field->setText(QString::fromUtf8("Știri €"));
        QTest::keyClicks(field, "K0E");

        c.dismiss();
        EXPECT_FALSE(field->hasFocus());
        EXPECT_EQ(keyboard.take(), Moves{"return"}) << "at once, not after the fade";
        // Keys that still reach the fading card, Tab among them, go nowhere.
        for (const Qt::Key key : {Qt::Key_2, Qt::Key_Tab, Qt::Key_4, Qt::Key_Escape}) {
            QTest::keyClick(panel->windowHandle(), key);
        }
        QTest::mouseClick(panel->windowHandle(), Qt::LeftButton, {}, field->mapTo(panel, field->rect().center()));
        QTest::keyClick(panel->windowHandle(), Qt::Key_6);
        EXPECT_EQ(field->text(), QString::fromUtf8("Știri €K0E"));
        EXPECT_EQ(reports, std::vector<bool>{true}) << "still fading";
        scheduler.advance(0.2);
        EXPECT_EQ(reports, (std::vector<bool>{true, false}));
        EXPECT_EQ(keyboard.take(), Moves{}) << "and once";
    }
}

// Cards shown together stay live. The keyboard goes from a card that is
// dismissed to the card still shown that had it last, into the field that
// had it there, and back to the window that had it before only once the
// last card goes; a click into a field of a card that lost the keyboard
// takes it back, and so does another window of ours letting go of it.
TEST_F(OverlayWindowControllerTest, TheKeyboardGoesToTheCardStillShownAndLastToTheWindowThatHadIt) {
    using Moves = std::vector<std::string>;
    OverlayWindowController upper([](QWidget* parent) -> QWidget* { return new QLineEdit(parent); }, Size{480, 240},
                                  scheduler, keyboard);
    const auto fieldOf = [](OverlayWindowController& card) {
        return static_cast<QLineEdit*>(card.rootView()->contentView());
    };
    const auto holds = [](OverlayWindowController& card, QLineEdit* field) {
        return IslandKitTest::processUntil([&] { return card.panel()->isActiveWindow() && field->hasFocus(); });
    };
    // Into the window, where its focused field, if any, gets the keys.
    const auto typeInto = [](OverlayWindowController& card, const QString& keys) {
        for (const QChar key : keys) {
            QTest::sendKeyEvent(QTest::Click, card.panel()->windowHandle(), Qt::Key_unknown, QString(key),
                                Qt::NoModifier);
        }
    };
    const auto escape = [](OverlayWindowController& card) {
        QTest::keyClick(card.panel()->windowHandle(), Qt::Key_Escape);
    };
    const auto clickInto = [](OverlayWindowController& card, QLineEdit* field) {
        QTest::mouseClick(card.panel()->windowHandle(), Qt::LeftButton, {},
                          field->mapTo(card.panel(), field->rect().center()));
    };
    EXPECT_FALSE(OverlayWindowController::giveKeyboardToShownCard()) << "no card is shown";

    controller().present(screen);
    scheduler.advance(0.2);
    QLineEdit* lower = fieldOf(controller());
    lower->setFocus();
    ASSERT_TRUE(holds(controller(), lower));
    typeInto(controller(), "K0E");
    upper.present(screen);
    scheduler.advance(0.2);
    QLineEdit* top = fieldOf(upper);
    top->setFocus();
    ASSERT_TRUE(holds(upper, top));
    EXPECT_EQ(keyboard.take(), (Moves{"note", "note"}));

    escape(upper);
    EXPECT_FALSE(upper.isPresented());
    // Typed before the keyboard has moved, they still reach the fading card.
    typeInto(upper, "S0");
    ASSERT_TRUE(holds(controller(), lower)) << "the lower card has the keyboard again, in its field";
    typeInto(controller(), QString::fromUtf8("\u0218"));
    EXPECT_EQ(lower->text(), QString::fromUtf8("K0ES0\u0218"));
    EXPECT_EQ(keyboard.take(), Moves{}) << "nothing given to another application";

    // Another window of ours takes the keyboard (an island), and a click
    // brings it back into the card's field.
    QWidget island;
    island.show();
    island.activateWindow();
    ASSERT_TRUE(IslandKitTest::processUntil([&] { return island.isActiveWindow(); }));
    clickInto(controller(), lower);
    ASSERT_TRUE(holds(controller(), lower));
    EXPECT_EQ(keyboard.take(), Moves{"note"});
    // The island letting go gives it to the card too.
    island.activateWindow();
    ASSERT_TRUE(IslandKitTest::processUntil([&] { return island.isActiveWindow(); }));
    EXPECT_TRUE(OverlayWindowController::giveKeyboardToShownCard());
    ASSERT_TRUE(holds(controller(), lower));
    typeInto(controller(), QString::fromUtf8("\u20AC"));
    EXPECT_EQ(lower->text(), QString::fromUtf8("K0ES0\u0218\u20AC"));

    // A card dismissed while another has the keyboard moves nothing.
    upper.present(screen);
    scheduler.advance(0.2);
    ASSERT_TRUE(IslandKitTest::processUntil([&] { return upper.panel()->isActiveWindow(); }));
    keyboard.take();
    controller().dismiss();
    EXPECT_EQ(keyboard.take(), Moves{});
    EXPECT_TRUE(upper.panel()->isActiveWindow());
    scheduler.advance(0.2);

    // The last card gives it back, once.
    escape(upper);
    EXPECT_EQ(keyboard.take(), Moves{"return"});
    EXPECT_FALSE(OverlayWindowController::giveKeyboardToShownCard()) << "a fading card takes nothing";
    scheduler.advance(0.2);
    EXPECT_EQ(keyboard.take(), Moves{});
}

// The core drops an editor's controller once the card has gone; the callback
// that does so must outlive its own call.
TEST_F(OverlayWindowControllerTest, AVisibilityCallbackMayDropTheController) {
    controller().onVisibilityChange = [this](bool visible) {
        if (!visible) owner.reset();
        reports.push_back(visible);
    };
    controller().present(screen);
    controller().dismiss();
    scheduler.advance(1);
    EXPECT_EQ(owner, nullptr);
    EXPECT_EQ(reports, (std::vector<bool>{true, false}));
}

// A tap on the backdrop dismisses: the press and the release both on it. A
// drag that only starts or only ends there does not.
TEST_F(OverlayWindowControllerTest, OnlyAWholeTapOnTheBackdropDismisses) {
    struct Case {
        const char* label;
        bool pressOnBackdrop;
        bool releaseOnBackdrop;
        bool dismisses;
    };
    for (const Case& c : {Case{"press and release on the backdrop", true, true, true},
                          Case{"dragged from the backdrop onto the card", true, false, false},
                          Case{"dragged from the card onto the backdrop", false, true, false}}) {
        SCOPED_TRACE(c.label);
        controller().present(screen);
        scheduler.advance(0.2);
        OverlayRootView* root = controller().rootView();
        const QRect card = root->cardRect();
        const QPoint backdrop = card.topLeft() - QPoint(40, 40);
        if (c.pressOnBackdrop) {
            QTest::mousePress(root, Qt::LeftButton, {}, backdrop);
            EXPECT_TRUE(controller().isPresented()) << "a press alone does not dismiss";
        } else {
            QTest::mousePress(root->card(), Qt::LeftButton, {}, QPoint(5, 5));
        }
        QTest::mouseMove(root, card.center());
        QTest::mouseRelease(root, Qt::LeftButton, {}, c.releaseOnBackdrop ? backdrop + QPoint(15, 0) : card.center());
        EXPECT_EQ(controller().isPresented(), !c.dismisses);
        controller().dismiss();
        scheduler.advance(0.2);
    }
}

// The app collapses its islands and presents a card in the same turn. The
// backdrop's snapshot waits until no island is drawn beyond where it is
// going, so the old expanded island cannot stay in it as a ghost.
TEST_F(OverlayWindowControllerTest, TheSnapshotWaitsForACollapsingIslandToLeaveItsGround) {
    const ScreenMetrics metrics{Rect{0, 0, 1512, 982}, std::nullopt, 24, std::nullopt, std::nullopt};
    IslandModel model(metrics, IslandSlots{60, 90}, IslandStyle{}, {}, {}, {});
    model.setCanvasFrame({256, 562, 1000, 420});
    IslandRootView island(model, scheduler);
    island.resize(1000, 420);
    island.show();
    model.expand();
    scheduler.advance(1);

    for (bool dismissEarly : {false, true}) {
        SCOPED_TRACE(dismissEarly ? "dismissed while waiting" : "shown once settled");
        reports.clear();
        model.collapse();
        controller().present(screen);
        EXPECT_EQ(reports, std::vector<bool>{true});
        EXPECT_EQ(controller().panel(), nullptr);
        if (dismissEarly) {
            controller().dismiss();
            EXPECT_EQ(reports, (std::vector<bool>{true, false}));
            scheduler.advance(2);
            EXPECT_EQ(controller().panel(), nullptr);
        } else {
            int frames = 0;
            int clearedAt = -1;
            while (!controller().panel() && frames < 120) {
                if (clearedAt < 0 && !island.drawsBeyondTarget()) clearedAt = frames;
                scheduler.advance(1.0 / 60);
                ++frames;
            }
            ASSERT_NE(controller().panel(), nullptr);
            EXPECT_GE(clearedAt, 1) << "the island was still shrinking when the card was asked for";
            EXPECT_LE(frames - clearedAt, 3) << "the card follows once it is done";
            EXPECT_LT(frames, 40) << "not the whole of the spring";
            controller().dismiss();
            scheduler.advance(1);
        }
        model.expand();
        scheduler.advance(1);
    }
}

// Three cards shown together, as the checklist editor, the greeting editor
// over it and the timing editor over both. The keyboard goes, as each card
// is dismissed, to the card still shown that had it last, into the field it
// had there, caret and all; a click into a field of a card makes that card
// the last; only the last card to go gives it back to the window that had it
// before. Keys typed into a field of another window of ours (the island's
// panel) are never stored in a card's field, not even while a dismissed card
// still passes keys on.
TEST_F(OverlayWindowControllerTest, ThreeCardsHandTheKeyboardToTheLatestStillShown) {
    using Moves = std::vector<std::string>;
    const auto lineEdit = [](QWidget* parent) -> QWidget* { return new QLineEdit(parent); };
    OverlayWindowController greeting(lineEdit, Size{520, 420}, scheduler, keyboard);
    OverlayWindowController timing(lineEdit, Size{640, 400}, scheduler, keyboard);
    OverlayWindowController& checklist = controller();
    const auto fieldOf = [](OverlayWindowController& card) {
        return static_cast<QLineEdit*>(card.rootView()->contentView());
    };
    const auto holds = [&](OverlayWindowController& card) {
        return IslandKitTest::processUntil(
            [&] { return card.panel()->isActiveWindow() && fieldOf(card)->hasFocus(); });
    };
    const auto typeInto = [](QWidget* window, const QString& keys) {
        for (const QChar key : keys) {
            QTest::sendKeyEvent(QTest::Click, window->windowHandle(), Qt::Key_unknown, QString(key), Qt::NoModifier);
        }
    };
    const auto present = [&](OverlayWindowController& card, const QString& typed) {
        card.present(screen);
        scheduler.advance(0.2);
        fieldOf(card)->setFocus();
        ASSERT_TRUE(holds(card));
        typeInto(card.panel(), typed);
    };
    // The island's panel: a click into its field takes the keyboard.
    FloatingPanel island;
    island.setGeometry(0, 0, 300, 60);
    auto* balance = new QLineEdit(&island);
    island.show();
    const auto intoBalance = [&](const QString& digits) {
        QTest::mouseClick(balance, Qt::LeftButton);
        ASSERT_TRUE(IslandKitTest::processUntil([&] { return island.isActiveWindow() && balance->hasFocus(); }));
        typeInto(&island, digits);
    };
    const auto clickInto = [](OverlayWindowController& card) {
        QLineEdit* field = static_cast<QLineEdit*>(card.rootView()->contentView());
        QTest::mouseClick(card.panel()->windowHandle(), Qt::LeftButton, {},
                          field->mapTo(card.panel(), field->rect().center()));
    };

    present(checklist, "K0E");
    present(greeting, QString::fromUtf8("\u0218tefan"));
    fieldOf(greeting)->setCursorPosition(1);
    present(timing, "9:30");
    EXPECT_EQ(keyboard.take(), (Moves{"note", "note", "note"}));

    // The island takes the keyboard from the top card and lets go of it.
    intoBalance("25");
    EXPECT_TRUE(OverlayWindowController::giveKeyboardToShownCard());
    ASSERT_TRUE(holds(timing)) << "the latest card, not the earliest";
    typeInto(timing.panel(), QString::fromUtf8("\u20AC"));
    EXPECT_EQ(fieldOf(timing)->text(), QString::fromUtf8("9:30\u20AC"));

    // The top card goes; the one below it had the keyboard last.
    QTest::keyClick(timing.panel()->windowHandle(), Qt::Key_Escape);
    typeInto(timing.panel(), "a");
    ASSERT_TRUE(holds(greeting));
    typeInto(greeting.panel(), "b");
    EXPECT_EQ(fieldOf(greeting)->text(), QString::fromUtf8("\u0218abtefan")) << "the caret where it was";
    // A field chosen in the island: keys still reaching the fading card were typed there.
    intoBalance("7");
    typeInto(timing.panel(), "8");
    EXPECT_EQ(fieldOf(greeting)->text(), QString::fromUtf8("\u0218abtefan"));
    EXPECT_EQ(balance->text(), "257");
    EXPECT_EQ(keyboard.take(), Moves{}) << "nothing given to another application";
    scheduler.advance(0.2);

    // A click into the lowest card's field makes it the latest.
    clickInto(checklist);
    ASSERT_TRUE(holds(checklist));
    intoBalance("0");
    // A click on the card's bare margin meanwhile moves Qt's focus off its field.
    const QPoint margin = checklist.rootView()->cardRect().topLeft() + QPoint(5, 5);
    QTest::mouseClick(checklist.panel()->windowHandle(), Qt::LeftButton, {}, margin);
    EXPECT_TRUE(checklist.isPresented());
    EXPECT_TRUE(OverlayWindowController::giveKeyboardToShownCard());
    ASSERT_TRUE(holds(checklist)) << "the card clicked into last, into its field";
    typeInto(checklist.panel(), "Q");
    EXPECT_EQ(fieldOf(checklist)->text(), "K0EQ");

    // It goes; then the last card gives the keyboard back, once.
    QTest::keyClick(checklist.panel()->windowHandle(), Qt::Key_Escape);
    ASSERT_TRUE(holds(greeting));
    EXPECT_EQ(keyboard.take(), Moves{"note"}) << "from the click into the card";
    scheduler.advance(0.2);
    QTest::keyClick(greeting.panel()->windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(keyboard.take(), Moves{"return"});
    EXPECT_FALSE(OverlayWindowController::giveKeyboardToShownCard());
    scheduler.advance(0.2);
}
