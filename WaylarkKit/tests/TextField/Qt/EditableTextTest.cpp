#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QShortcut>
#include <QTest>
#include <gtest/gtest.h>

#include "Base/ManualScheduler.h"
#include "WaylarkKit/Calculator/CalculatorFormat.h"
#include "WaylarkKit/TextField/Qt/EditableText.h"
#include "WaylarkKit/tests/support/WidgetTesting.h"

using namespace WaylarkKit;

namespace {

struct Field {
    bool appReady = (WaylarkKitTest::app(), true);
    Base::ManualScheduler scheduler;
    QWidget window;
    std::string value;
    // Which value the field edits, as an editor names it.
    std::string which = "first";
    int writes = 0;
    EditableText* field = nullptr;
    EditableText* other = nullptr;

    // Autofocus is shown where editors ask for it: the checklist and timing editors' tests.
    // The calculator's grouping stands in for any formatter.
    void group() {
        field->setLiveFormatter([this](const std::string& raw) { return CalculatorFormat::liveGrouped(raw, value); },
                                [](const std::string& raw, int caret, const std::string& formatted) {
                                    return CalculatorFormat::caretAfterGrouping(raw, caret, formatted);
                                });
    }
    explicit Field(std::string initial) : value(std::move(initial)) {
        window.resize(300, 80);
        field = new EditableText(binding(), {"Placeholder", 13, FontWeight::regular, false, false}, scheduler,
                                 &window);
        field->setGeometry(10, 10, 280, 24);
        other = new EditableText({}, {}, scheduler, &window);
        other->setGeometry(10, 40, 280, 24);
    }
    TextBinding binding() {
        return {[this] { return value; },
                [this](const std::string& v) {
                    value = v;
                    ++writes;
                },
                [this] { return which; }};
    }
    void show() {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        scheduler.runPending();
    }
    // One character as an input method sends it.
    void type(const char* text) {
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString::fromUtf8(text), Qt::NoModifier);
    }
    void key(QKeyCombination combination) { QTest::keyClick(field, combination.key(), combination.keyboardModifiers()); }
    void undo() { key(Qt::CTRL | Qt::Key_Z); }
};

}  // namespace

TEST(EditableTextTest, RereadingTheSameTextKeepsTheCaret) {
    Field f("Stop beyond the swing");
    f.show();
    f.field->setFocus();
    f.field->setCursorPosition(4);
    f.field->refresh();
    EXPECT_EQ(f.field->cursorPosition(), 4);
    f.value = "Stop placed";
    f.field->refresh();
    EXPECT_EQ(f.field->text(), QStringLiteral("Stop placed"));
    EXPECT_EQ(f.writes, 0);  // a programmatic change writes nothing back
}

// The calculator's grouping and caret rule stand in for any formatter; the
// rules' own test covers the odd answers a caret rule may give.
TEST(EditableTextTest, LiveFormatterRewritesAndPlacesTheCaret) {
    Field f("");
    f.group();
    f.show();
    f.field->setFocus();
    QTest::keyClicks(f.field, "12345");
    EXPECT_EQ(f.field->text(), QStringLiteral("12,345"));
    EXPECT_EQ(f.value, "12,345");
    EXPECT_EQ(f.field->cursorPosition(), 6);
    // Typing inside the number: the caret stays after the digit just typed.
    f.field->setCursorPosition(1);
    QTest::keyClick(f.field, Qt::Key_9);
    EXPECT_EQ(f.field->text(), QStringLiteral("192,345"));
    EXPECT_EQ(f.field->cursorPosition(), 2);
    QTest::keyClick(f.field, Qt::Key_8);
    EXPECT_EQ(f.field->text(), QStringLiteral("1,982,345"));
    EXPECT_EQ(f.field->cursorPosition(), 4);
    EXPECT_FALSE(f.field->hasSelectedText());
    // Rewriting the text keeps what undo goes back to.
    QTest::keyClick(f.field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.field->text().toStdString(), "12,345");
    EXPECT_EQ(f.value, "12,345");
    EXPECT_EQ(f.field->cursorPosition(), 1);
}

TEST(EditableTextTest, UndoAndRedoStepThroughRunsOfTypingAndDeleting) {
    Field f("");
    f.show();
    f.field->setFocus();
    const auto type = [&](const char* character) {
        return [&f, character] {
            QTest::sendKeyEvent(QTest::Click, f.field, Qt::Key_unknown, QString::fromUtf8(character), Qt::NoModifier);
        };
    };
    // What an input method composes arrives as one commit.
    const auto commit = [&](const char* text) {
        return [&f, text] {
            QInputMethodEvent event;
            event.setCommitString(QString::fromUtf8(text));
            QApplication::sendEvent(f.field, &event);
        };
    };
    const auto key = [&](QKeyCombination combination) {
        return [&f, combination] { QTest::keyClick(f.field, combination.key(), combination.keyboardModifiers()); };
    };
    const auto undo = key(Qt::CTRL | Qt::Key_Z);
    const auto redo = key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    const struct {
        std::function<void()> act;
        const char* text;
        int caret;
    } steps[] = {
        {type("\u0218"), "\u0218", 1},
        {type("t"), "\u0218t", 2},
        {commit("e\u0301"), "\u0218te\u0301", 4},
        {type("f"), "\u0218te\u0301f", 5},
        {type("an"), "\u0218te\u0301fan", 7},
        {key(Qt::Key_Backspace), "\u0218te\u0301fa", 6},
        {key(Qt::Key_Backspace), "\u0218te\u0301f", 5},
        {commit("\u20AC"), "\u0218te\u0301f\u20AC", 6},
        {key(Qt::Key_Home), "\u0218te\u0301f\u20AC", 0},
        {type("\U0001F44D\U0001F3FD"), "\U0001F44D\U0001F3FD\u0218te\u0301f\u20AC", 4},
        {undo, "\u0218te\u0301f\u20AC", 0},
        {undo, "\u0218te\u0301f", 5},
        {undo, "\u0218te\u0301fan", 7},
        {undo, "", 0},
        {undo, "", 0},
        {redo, "\u0218te\u0301fan", 7},
        {redo, "\u0218te\u0301f", 5},
        {type("x"), "\u0218te\u0301fx", 6},
        {redo, "\u0218te\u0301fx", 6},  // a new edit drops what undo took back
        {key(Qt::CTRL | Qt::Key_A), "\u0218te\u0301fx", 6},
        {type("y"), "y", 1},
        {undo, "\u0218te\u0301fx", 6},
        {[&f] { f.field->refresh(); }, "\u0218te\u0301fx", 6},
        {undo, "\u0218te\u0301f", 5},
        // A value changed elsewhere leaves nothing to go back to.
        {[&f] {
             f.value = "\u20AC";
             f.field->refresh();
         },
         "\u20AC", 1},
        {undo, "\u20AC", 1},
    };
    int number = 0;
    for (const auto& step : steps) {
        step.act();
        ++number;
        EXPECT_EQ(f.field->text().toStdString(), step.text) << "step " << number;
        EXPECT_EQ(f.value, step.text) << "step " << number;
        EXPECT_EQ(f.field->cursorPosition(), step.caret) << "step " << number;
    }
}

TEST(EditableTextTest, EveryUndoAndRedoKeyAndTheMenuStepTheSameHistory) {
    Field f("1,234");
    f.group();
    f.show();
    f.field->setFocus();
    f.field->end(false);
    QTest::keyClick(f.field, Qt::Key_5);
    ASSERT_EQ(f.field->text(), QStringLiteral("12,345"));
    const auto press = [&](const QKeySequence& keys) {
        QTest::keyClick(f.field, keys[0].key(), keys[0].keyboardModifiers());
        return f.value;
    };
    for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::Undo)) {
        EXPECT_EQ(press(keys), "1,234") << keys.toString().toStdString();
        EXPECT_EQ(press(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), "12,345");
    }
    for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::Redo)) {
        EXPECT_EQ(press(Qt::CTRL | Qt::Key_Z), "1,234");
        EXPECT_EQ(press(keys), "12,345") << keys.toString().toStdString();
    }

    // The menu's Undo and Redo step as the keys do, and are offered only where there is a step.
    const auto fromMenu = [&](const QString& label, bool undoOffered, bool redoOffered) {
        QContextMenuEvent event(QContextMenuEvent::Keyboard, {4, 4}, f.field->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(f.field, &event);
        std::unique_ptr<QMenu> menu(f.field->findChild<QMenu*>());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            const bool undo = action->text().startsWith("&Undo");
            if (undo || action->text().startsWith("&Redo")) {
                EXPECT_EQ(action->isEnabled(), undo ? undoOffered : redoOffered) << action->text().toStdString();
            }
            if (action->text().startsWith(label)) action->trigger();
        }
    };
    fromMenu("&Undo", true, false);
    EXPECT_EQ(f.field->text().toStdString(), "1,234");
    EXPECT_EQ(f.value, "1,234");
    fromMenu("&Redo", false, true);
    EXPECT_EQ(f.field->text().toStdString(), "12,345");
    EXPECT_EQ(f.value, "12,345");
}

TEST(EditableTextTest, ReturnSubmitsAndKeepsEditingFocusLossEnds) {
    Field f("Item");
    int submits = 0;
    int ends = 0;
    f.show();
    f.field->setFocus();
    f.field->setOnSubmit([&] { ++submits; });
    f.field->setOnEnd([&] { ++ends; });
    QTest::keyClick(f.field, Qt::Key_Return);
    QTest::keyClick(f.field, Qt::Key_Enter);
    EXPECT_EQ(submits, 2);
    EXPECT_EQ(ends, 0);
    EXPECT_TRUE(f.field->hasFocus());
    QTest::keyClick(f.field, Qt::Key_Tab);
    EXPECT_TRUE(f.other->hasFocus());
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(f.writes, 0);
}

TEST(EditableTextTest, CtrlEditingKeysWinOverShortcutsAndCtrlAltPassesThrough) {
    Field f("Above");
    int stolen = 0;
    QShortcut selectAllShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A), &f.window);
    QObject::connect(&selectAllShortcut, &QShortcut::activated, [&] { ++stolen; });
    f.show();
    f.field->setFocus();
    QApplication::clipboard()->setText(QStringLiteral(", Below"));
    f.field->end(false);
    QTest::keyClick(f.field, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.value, "Above, Below");
    QTest::keyClick(f.field, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.value, "Above");
    QTest::keyClick(f.field, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.value, "Above, Below");
    QTest::keyClick(f.field, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.field->selectedText(), QStringLiteral("Above, Below"));
    EXPECT_EQ(stolen, 0);
    QTest::keyClick(f.field, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(f.value, "");
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Above, Below"));
    QTest::keyClick(f.field, Qt::Key_V, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(f.value.find("Above"), std::string::npos);
}

// The island gives the keys to its field without being the active window; a
// long text being typed there scrolls like any edit instead of being cut.
TEST(EditableTextTest, AFieldItsWindowTypesIntoNeverElides) {
    Field f("Stop beyond the swing high of the opening range, then wait");
    f.show();
    f.field->setFocus();
    f.field->end(false);
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    ASSERT_FALSE(f.field->hasFocus());
    ASSERT_EQ(f.window.focusWidget(), f.field);
    const QImage editing = f.field->grab().toImage();
    f.field->clearFocus();
    const QImage resting = f.field->grab().toImage();
    EXPECT_NE(editing, resting);
}

// A run of typing ends where the caret is put, even back where the run left it.
TEST(EditableTextTest, ACaretPutByAKeyOrAClickEndsTheRun) {
    Field f("");
    f.show();
    f.field->setFocus(Qt::MouseFocusReason);
    f.type("\u0218");
    f.type("t");
    f.key(Qt::Key_Left);
    f.key(Qt::Key_Right);
    f.type("\u20AC");
    f.undo();
    EXPECT_EQ(f.value, "\u0218t");
    f.type("\u00E9");
    // Past the end of the text: the caret stays where the run left it.
    QTest::mouseClick(f.field, Qt::LeftButton, {}, {f.field->width() - 4, f.field->height() / 2});
    ASSERT_EQ(f.field->cursorPosition(), 3);
    f.type("f");
    f.undo();
    EXPECT_EQ(f.value, "\u0218t\u00E9");
}

// Undo belongs to one visit to one value: nothing typed before the field was
// left, or into the value it showed before, comes back.
TEST(EditableTextTest, UndoKeepsToTheValueAndTheVisitItWasTypedIn) {
    Field f("\u0218tefan");
    f.show();
    f.field->setFocus(Qt::MouseFocusReason);
    f.field->end(false);

    // Another value showing the same text, whether the view has caught up yet or not.
    f.type("\u20AC");
    f.which = "second";
    f.field->refresh();
    f.undo();
    EXPECT_EQ(f.value, "\u0218tefan\u20AC");
    f.type("x");
    f.which = "third";
    f.undo();
    EXPECT_EQ(f.value, "\u0218tefan\u20ACx");

    // Left by Tab, then by its window, and back each time.
    f.type("\u0103");
    f.key(Qt::Key_Tab);
    ASSERT_TRUE(f.other->hasFocus());
    QTest::mouseClick(f.field, Qt::LeftButton, {}, {4, f.field->height() / 2});
    f.key(Qt::Key_End);
    f.type("X");
    f.undo();
    f.undo();
    EXPECT_EQ(f.value, "\u0218tefan\u20ACx\u0103");
    f.type("\u00FC");
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    f.show();
    f.undo();
    EXPECT_EQ(f.value, "\u0218tefan\u20ACx\u0103\u00FC");

    // Its own menu takes the keys only to offer the same undo.
    f.type("\u00DF");
    QContextMenuEvent event(QContextMenuEvent::Keyboard, {4, 4}, f.field->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(f.field, &event);
    QMenu* menu = f.field->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    for (QAction* action : menu->actions()) {
        if (action->text().startsWith("&Undo")) action->trigger();
    }
    menu->close();
    EXPECT_EQ(f.value, "\u0218tefan\u20ACx\u0103\u00FC");
}
